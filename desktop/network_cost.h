#pragma once

// Whether Windows says the computer's network is metered (a phone's hotspot,
// a mobile plan, a network the user set so): nothing large is sent over it
// unasked. False where it cannot tell.
bool IsNetworkMetered();

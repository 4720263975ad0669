#pragma once

#include <windows.h>

// The residents of every session wait on this event; the installer's /stop
// sets it before it replaces or removes the programs. Each resident holds it
// open with the right to wait only: setting it takes an administrator.
HANDLE OpenStopEvent();

// The installer's /stop: asks every resident agent to end, waits a little for
// them, then ends whatever Load.exe or vd.exe of this install directory still
// runs, in any session. Returns once none is left that could be ended.
void StopCompanions(const char* installDirectory);

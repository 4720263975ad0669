#pragma once

#define IDD_SCRIPTED 200
#define IDC_OWNER_DRAWN 303

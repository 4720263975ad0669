#pragma once

// Everything of the window framework, for the window layers' sources.
#include "framework/common_dialog.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/display.h"
#include "framework/file_dialog.h"
#include "framework/gdi.h"
#include "framework/win_app.h"
#include "framework/wnd.h"

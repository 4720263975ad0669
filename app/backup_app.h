#pragma once

#include "framework/win_app.h"

// The program: runs the main window once, then ends.
class CBackupApp : public CWinApp
{
  public:
    CBackupApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

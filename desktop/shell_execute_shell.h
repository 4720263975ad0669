#pragma once

#include "model/shell.h"

// Starts programs, batch files and web pages through the shell's "open" verb.
class ShellExecuteShell : public Shell
{
  public:
    bool Start(const std::string& path, int show) override;
};

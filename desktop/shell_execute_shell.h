#pragma once

#include "model/shell.h"

// Starts programs, batch files and web pages through the shell's "open" verb.
class ShellExecuteShell : public Shell
{
  public:
    bool Start(const std::string& path, int show) override;
    // A program with its arguments, by a path of any characters.
    bool Start(const std::wstring& program, const std::wstring& arguments, int show);
};

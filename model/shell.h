#pragma once

#include <string>

// Show states handed to the shell with a program to start.
constexpr int kShowHidden = 0; // SW_HIDE
constexpr int kShowNormal = 1; // SW_SHOWNORMAL

// How the core starts a program or batch file by its full path; the dialog
// answers with the shell, tests with a recording fake.
struct Shell
{
    virtual ~Shell() = default;
    virtual bool Start(const std::string& path, int show) = 0;
};

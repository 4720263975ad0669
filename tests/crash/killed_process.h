#pragma once

// Starts this test program again to work in a folder over and over, and
// kills it at a random moment of that work.

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

// The worker makes this beside its folder once its first round is done, so
// that each kill's moment counts from the work, not from a start that a busy
// machine or a sanitizer makes slow.
inline std::string StartedMarkOf(const std::string& folder)
{
    return folder + ".started";
}

inline void WaitUntilWorking(const std::string& folder)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(StartedMarkOf(folder)) &&
           std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

// Starts this program with `arguments`, the last of which is the folder it
// works in, and kills it `micros` microseconds after its first round; ten
// times as long on Windows, where a round under Wine takes far longer.
inline void KillAWorkerAfter(const std::vector<std::string>& arguments, int micros)
{
    const std::string& folder = arguments.back();
    std::filesystem::remove(StartedMarkOf(folder));
#ifdef _WIN32
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = "\"" + std::string(self) + "\"";
    for (const std::string& argument : arguments)
        commandLine += " \"" + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    CreateProcessA(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &process);
    WaitUntilWorking(folder);
    std::this_thread::sleep_for(std::chrono::microseconds(10 * micros));
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
#else
    const pid_t process = fork();
    if (process == 0)
    {
        std::vector<char*> argv{const_cast<char*>("crash_test")};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    WaitUntilWorking(folder);
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
    kill(process, SIGKILL);
    waitpid(process, nullptr, 0);
#endif
}

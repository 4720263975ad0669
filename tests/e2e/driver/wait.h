#pragma once

#include <windows.h>

namespace e2e
{

// Polls `condition` until it holds or `timeoutMs` has passed; true when it held.
// Everything the driver waits for happens in another process, so polling with
// a bound is the only honest wait.
template <class Condition> bool WaitFor(Condition condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;)
    {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(50);
    }
}

} // namespace e2e

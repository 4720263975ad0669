#pragma once

#include <windows.h>

namespace platform
{

// A function of a system DLL that the program needs only now and then (the
// shell, the file dialog, the network). Its DLL is loaded from the system
// folder the first time a function of it is looked up, so that the start
// does not map and initialise it. Null when the DLL or the function is
// missing: the caller then fails as the call itself fails.
FARPROC SystemProcedure(const char* library, const char* name);

// The same as a pointer of the function's own type: decltype(&TheFunction).
template <typename Function> Function SystemFunction(const char* library, const char* name)
{
    // Through void*: a cast from one function pointer type to another warns.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemProcedure(library, name)));
}

} // namespace platform

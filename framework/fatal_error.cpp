#include "framework/fatal_error.h"

#include <atomic>
#include <string>
#include <windows.h>

namespace
{

std::atomic<FatalErrorHandler> g_handler{nullptr};

} // namespace

void AfxReportFatalError(const char* what)
{
    if (const FatalErrorHandler handler = g_handler.load())
        handler(what);
    else
        ShowFatalErrorAndEnd(what);
}

void SetFatalErrorHandler(FatalErrorHandler handler)
{
    g_handler = handler;
}

void ShowFatalErrorAndEnd(const char* what)
{
    const std::string text =
        std::string("Error ") + what + " \nDetails:The program ended without saving";
    ::MessageBoxA(nullptr, text.c_str(), "ERROR", MB_ICONHAND | MB_OK);
    ::ExitProcess(3);
}

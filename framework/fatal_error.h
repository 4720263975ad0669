#pragma once

// An error escaped a message handler or a worker thread: it is shown and the
// program ends at once, so that nothing half-done is saved over what the user
// has. The application may take the error first (its OnFatalError).
void AfxReportFatalError(const char* what);

// Who takes a fatal error instead of the default; null for the default.
using FatalErrorHandler = void (*)(const char* what);
void SetFatalErrorHandler(FatalErrorHandler handler);

// The default: "Error <what> \nDetails:The program ended without saving",
// then the process ends.
[[noreturn]] void ShowFatalErrorAndEnd(const char* what);

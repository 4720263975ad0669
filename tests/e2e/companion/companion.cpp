// Stands in for the companion programs (installed as Load.exe and vd.exe in
// the test prefix): records that it was started, under its own file name and
// with the show state it was given, and ends.
#include "tests/e2e/companion/start_record.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    e2e::AppendStartRecord(L"started", wcsrchr(path, L'\\') + 1, e2e::OwnShowState());
    return 0;
}

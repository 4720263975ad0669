#include "desktop/unelevated_start.h"

#include "platform/win32/handle.h"
#include "platform/win32/wide_text.h"

#include <chrono>
#include <future>
#include <thread>
#include <windows.h>
// After windows.h: the shell's interfaces need its types.
#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>

namespace
{

constexpr auto kShellAnswer = std::chrono::seconds(10);

// Holds one interface and releases it.
template <typename Interface> class Com
{
  public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com()
    {
        if (m_pointer)
            m_pointer->Release();
    }
    Interface* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }
    void** Out() { return reinterpret_cast<void**>(&m_pointer); }
    Interface** Typed() { return &m_pointer; }

  private:
    Interface* m_pointer = nullptr;
};

struct ComApartment
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComApartment()
    {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
};

class Bstr
{
  public:
    explicit Bstr(const std::wstring& text) : m_text(SysAllocString(text.c_str())) {}
    ~Bstr() { SysFreeString(m_text); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return m_text; }

  private:
    BSTR m_text;
};

VARIANT Text(BSTR text)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = text;
    return value;
}

bool IsElevated()
{
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened))
        return false;
    const platform::Handle token(opened);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL read =
        GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &size);
    return read && elevation.TokenIsElevated;
}

// The desktop's folder view hands out the shell's own automation object,
// which starts programs in the desktop's process, with its token.
bool StartThroughDesktopShell(const std::string& arguments)
{
    std::wstring program(32768, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    if (program.empty())
        return false;
    const ComApartment apartment;
    Com<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.Out())))
        return false;
    VARIANT none;
    VariantInit(&none);
    long window = 0;
    Com<IDispatch> desktop;
    Com<IServiceProvider> services;
    Com<IShellBrowser> browser;
    Com<IShellView> view;
    Com<IDispatch> background;
    Com<IShellFolderViewDual> folderView;
    Com<IDispatch> application;
    Com<IShellDispatch2> shell;
    if (windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              desktop.Typed()) != S_OK ||
        FAILED(desktop->QueryInterface(IID_IServiceProvider, services.Out())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.Out())) ||
        FAILED(browser->QueryActiveShellView(view.Typed())) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.Out())) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.Out())) ||
        FAILED(folderView->get_Application(application.Typed())) ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, shell.Out())))
        return false;
    // The arguments may name a file of any characters (a quiet restore's).
    const Bstr file(program), parameters(platform::WideFromPath(arguments)), verb(L"open");
    VARIANT show;
    VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    return SUCCEEDED(shell->ShellExecute(file, Text(parameters), none, Text(verb), show));
}

// On a thread of its own, in an apartment of its own. A start that has not
// answered in time is left behind, detached: it owns all it uses, and the
// process's end stops it wherever it waits, so it neither keeps the process
// alive nor touches anything after the caller has gone on.
HandOver StartWithinTimeLimit(const std::string& arguments)
{
    std::packaged_task<bool()> start([arguments] { return StartThroughDesktopShell(arguments); });
    std::future<bool> started = start.get_future();
    std::thread(std::move(start)).detach();
    if (started.wait_for(kShellAnswer) != std::future_status::ready)
        return HandOver::NoAnswer;
    return started.get() ? HandOver::HandedOver : HandOver::Failed;
}

} // namespace

bool MustHandOver(const std::string& arguments)
{
    return arguments.find(kRelayedArgument) == std::string::npos && IsElevated();
}

HandOver HandOverToUser(const std::string& arguments, const std::string& relayedArguments)
{
    if (!MustHandOver(arguments))
        return HandOver::NotNeeded;
    const std::string relayed =
        relayedArguments.empty() ? kRelayedArgument : relayedArguments + " " + kRelayedArgument;
    return StartWithinTimeLimit(relayed);
}

bool MutexAppearsWithin(const char* name, unsigned long millis)
{
    // There is nothing to wait on before it exists: it is looked for a few
    // times a second.
    constexpr DWORD kLook = 200;
    for (DWORD waited = 0;; waited += kLook)
    {
        const platform::Handle mutex(OpenMutexA(SYNCHRONIZE, FALSE, name));
        if (mutex.IsOpen() || GetLastError() == ERROR_ACCESS_DENIED)
            return true;
        if (waited >= millis)
            return false;
        Sleep(kLook);
    }
}

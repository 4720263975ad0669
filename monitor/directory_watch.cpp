#include "monitor/directory_watch.h"

#include "platform/win32/wide_text.h"

namespace
{

// Every name written, made, renamed, grown or shrunk.
constexpr DWORD kChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

} // namespace

DirectoryWatch::DirectoryWatch(const std::string& folder)
    : m_folder(CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED,
                           nullptr)),
      m_event(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_buffer(64 * 1024 / sizeof(DWORD))
{
    m_overlapped.hEvent = m_event.Get();
    if (m_folder.IsOpen() && !Issue())
        m_folder.Close();
}

DirectoryWatch::~DirectoryWatch()
{
    if (m_folder.IsOpen())
    {
        // The system writes into the buffer until the cancelled read is over.
        CancelIo(m_folder.Get());
        DWORD ignored = 0;
        if (m_pending)
            GetOverlappedResult(m_folder.Get(), &m_overlapped, &ignored, TRUE);
    }
}

bool DirectoryWatch::Issue()
{
    ResetEvent(m_event.Get());
    m_pending = ReadDirectoryChangesW(m_folder.Get(), m_buffer.data(),
                                      static_cast<DWORD>(m_buffer.size() * sizeof(DWORD)), TRUE,
                                      kChanges, nullptr, &m_overlapped, nullptr) != FALSE;
    return m_pending;
}

bool DirectoryWatch::Take(std::vector<std::string>& names)
{
    DWORD bytes = 0;
    const bool read = GetOverlappedResult(m_folder.Get(), &m_overlapped, &bytes, FALSE) != FALSE;
    m_pending = false;
    const auto* bytesAt = reinterpret_cast<const BYTE*>(m_buffer.data());
    for (DWORD offset = 0; read && bytes > 0;)
    {
        const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(bytesAt + offset);
        if (record->Action != FILE_ACTION_REMOVED && record->Action != FILE_ACTION_RENAMED_OLD_NAME)
            names.push_back(platform::AnsiFromWide(
                {record->FileName, record->FileNameLength / sizeof(wchar_t)}));
        if (record->NextEntryOffset == 0)
            break;
        offset += record->NextEntryOffset;
    }
    if (!Issue())
        m_folder.Close();
    // An empty report means the system's buffer overflowed.
    return read && bytes > 0;
}

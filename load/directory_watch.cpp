#include "load/directory_watch.h"

#include "platform/win32/wide_text.h"

namespace
{

// Every name written, made, renamed, grown or shrunk.
constexpr DWORD kChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

HANDLE OpenFolder(const std::string& folder)
{
    return CreateFileW(platform::WideFromPath(folder).c_str(), FILE_LIST_DIRECTORY,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
}

BOOL ReadChanges(HANDLE folder, std::vector<DWORD>& buffer, OVERLAPPED* overlapped,
                 LPOVERLAPPED_COMPLETION_ROUTINE routine)
{
    return ReadDirectoryChangesW(folder, buffer.data(),
                                 static_cast<DWORD>(buffer.size() * sizeof(DWORD)), TRUE, kChanges,
                                 nullptr, overlapped, routine);
}

void AddNames(const std::vector<DWORD>& buffer, DWORD bytes, std::vector<std::string>& names)
{
    const auto* bytesAt = reinterpret_cast<const BYTE*>(buffer.data());
    for (DWORD offset = 0; bytes > 0;)
    {
        const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(bytesAt + offset);
        if (record->Action != FILE_ACTION_REMOVED && record->Action != FILE_ACTION_RENAMED_OLD_NAME)
            names.push_back(platform::PathFromWide(
                {record->FileName, record->FileNameLength / sizeof(wchar_t)}));
        if (record->NextEntryOffset == 0)
            break;
        offset += record->NextEntryOffset;
    }
}

// Aligned as the records in it must be.
constexpr std::size_t kBufferWords = 64 * 1024 / sizeof(DWORD);

} // namespace

DirectoryWatch::DirectoryWatch(const std::string& folder)
    : m_folder(OpenFolder(folder)), m_event(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_buffer(kBufferWords)
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
    m_pending = ReadChanges(m_folder.Get(), m_buffer, &m_overlapped, nullptr) != FALSE;
    return m_pending;
}

bool DirectoryWatch::Take(std::vector<std::string>& names)
{
    DWORD bytes = 0;
    const bool read = GetOverlappedResult(m_folder.Get(), &m_overlapped, &bytes, FALSE) != FALSE;
    m_pending = false;
    if (read)
        AddNames(m_buffer, bytes, names);
    if (!Issue())
        m_folder.Close();
    // An empty report means the system's buffer overflowed.
    return read && bytes > 0;
}

struct DirectoryRoutineWatch::Read
{
    OVERLAPPED overlapped{};
    platform::Handle folder;
    std::vector<DWORD> buffer = std::vector<DWORD>(kBufferWords);
    // Empty once the watch has gone: the read then only frees itself.
    Changes changes;
    bool pending = false;

    void Issue() { pending = ReadChanges(folder.Get(), buffer, &overlapped, &Done) != FALSE; }

    static void CALLBACK Done(DWORD error, DWORD bytes, OVERLAPPED* overlapped)
    {
        // With a completion routine the system leaves hEvent to the caller.
        Read* read = static_cast<Read*>(overlapped->hEvent);
        read->pending = false;
        if (!read->changes)
        {
            delete read;
            return;
        }
        // An empty report means the system's buffer overflowed. The names are
        // taken before the next read reuses the buffer.
        const bool complete = error == ERROR_SUCCESS && bytes > 0;
        std::vector<std::string> names;
        if (complete)
            AddNames(read->buffer, bytes, names);
        read->Issue();
        read->changes(std::move(names), complete);
    }
};

DirectoryRoutineWatch::DirectoryRoutineWatch(const std::string& folder, Changes changes)
    : m_read(new Read)
{
    m_read->folder = platform::Handle(OpenFolder(folder));
    m_read->changes = std::move(changes);
    m_read->overlapped.hEvent = m_read;
    if (m_read->folder.IsOpen())
        m_read->Issue();
}

DirectoryRoutineWatch::~DirectoryRoutineWatch()
{
    if (!m_read->pending)
    {
        delete m_read;
        return;
    }
    // The system writes into the buffer until the cancelled read is over; its
    // completion routine frees it, at the thread's next alertable wait.
    m_read->changes = nullptr;
    CancelIo(m_read->folder.Get());
}

bool DirectoryRoutineWatch::Watching() const
{
    return m_read->pending;
}

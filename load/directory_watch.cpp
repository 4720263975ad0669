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

BOOL ReadChanges(HANDLE folder, std::vector<DWORD>& buffer, BOOL subtree, DWORD changes,
                 OVERLAPPED* overlapped, LPOVERLAPPED_COMPLETION_ROUTINE routine)
{
    return ReadDirectoryChangesW(folder, buffer.data(),
                                 static_cast<DWORD>(buffer.size() * sizeof(DWORD)), subtree,
                                 changes, nullptr, overlapped, routine);
}

template <typename Take>
void ForEachRecord(const std::vector<DWORD>& buffer, DWORD bytes, Take take)
{
    const auto* bytesAt = reinterpret_cast<const BYTE*>(buffer.data());
    for (DWORD offset = 0; bytes > 0;)
    {
        const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(bytesAt + offset);
        if (record->Action != FILE_ACTION_REMOVED && record->Action != FILE_ACTION_RENAMED_OLD_NAME)
            take(platform::PathFromWide(
                     {record->FileName, record->FileNameLength / sizeof(wchar_t)}),
                 record->Action != FILE_ACTION_MODIFIED);
        if (record->NextEntryOffset == 0)
            break;
        offset += record->NextEntryOffset;
    }
}

// Aligned as the records in it must be.
constexpr std::size_t kBufferWords = 64 * 1024 / sizeof(DWORD);

} // namespace

platform::Handle OpenFolderToWatch(const std::string& folder)
{
    return platform::Handle(OpenFolder(folder));
}

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
    m_pending =
        ReadChanges(m_folder.Get(), m_buffer, TRUE, kChanges, &m_overlapped, nullptr) != FALSE;
    return m_pending;
}

bool DirectoryWatch::Take(std::vector<std::string>& names)
{
    DWORD bytes = 0;
    const bool read = GetOverlappedResult(m_folder.Get(), &m_overlapped, &bytes, FALSE) != FALSE;
    m_pending = false;
    if (read)
        ForEachRecord(m_buffer, bytes,
                      [&names](std::string name, bool) { names.push_back(std::move(name)); });
    if (!Issue())
        m_folder.Close();
    // An empty report means the system's buffer overflowed.
    return read && bytes > 0;
}

struct DirectoryRoutineWatch::Read
{
    OVERLAPPED overlapped{};
    platform::Handle folder;
    BOOL subtree = TRUE;
    std::vector<DWORD> buffer = std::vector<DWORD>(kBufferWords);
    // Empty once the watch has gone: the read then only frees itself.
    Changes changes;
    bool pending = false;

    void Issue()
    {
        // A folder moved into a source is walked: its name is reported too.
        pending = ReadChanges(folder.Get(), buffer, subtree, kChanges | FILE_NOTIFY_CHANGE_DIR_NAME,
                              &overlapped, &Done) != FALSE;
    }

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
        std::vector<FolderChange> changes;
        if (complete)
            ForEachRecord(read->buffer, bytes, [&changes](std::string name, bool appeared) {
                changes.push_back({std::move(name), appeared});
            });
        read->Issue();
        read->changes(std::move(changes), complete, read->pending);
    }
};

DirectoryRoutineWatch::DirectoryRoutineWatch(platform::Handle folder, bool subtree, Changes changes)
    : m_read(new Read)
{
    m_read->folder = std::move(folder);
    m_read->subtree = subtree;
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
    // completion routine frees it, at the thread's next alertable wait. The
    // handle itself is closed now.
    m_read->changes = nullptr;
    CancelIo(m_read->folder.Get());
    m_read->folder.Close();
}

bool DirectoryRoutineWatch::Watching() const
{
    return m_read->pending;
}

HANDLE DirectoryRoutineWatch::Folder() const
{
    return m_read->folder.Get();
}

#pragma once

#include "platform/file_tree.h"
#include "restore/backup_contents.h"
#include "restore/restore_verdict.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

// What a restore of the checked files and folders of a backup does, file by
// file: where each goes, what happens where a file already stands there, and
// the verdict.
namespace restore
{

// One checked file or folder: a holding whole, or an item below it.
struct RestoreItem
{
    std::size_t holding = 0;
    // The copy's path in the destination (a file or a folder); empty for the
    // holding whole.
    std::string copyPath;
    // A version of the file at `copyPath` to restore instead of its current
    // copy ("Versions..."): a path in the versions folder.
    std::string versionPath;
};

struct RestoreRequest
{
    std::vector<RestoreItem> items;
    // Empty: back where the files came from ("Restore"); otherwise below
    // this folder ("Restore To...").
    std::string toFolder;
};

// Why a request cannot run at all; the window says so and restores nothing.
enum class RestoreRefusal
{
    None,
    // "Restore" of Other files, System State or a folder whose place is unknown.
    OnlyElsewhere,
    // "Restore To..." a folder inside the destination.
    InsideBackup,
};

// "System State and Other files can only be restored with Restore To...",
// "Choose a folder outside your backup folder."
const char* RefusalText(RestoreRefusal refusal);

// One file the restore will write.
struct RestoreFile
{
    // What is copied: the copy, or the version picked.
    std::string from;
    // The copy's path in the destination, which names its versions' place.
    std::string copyPath;
    std::string target;
    // The folder restored into: no link below it is followed.
    std::string root;
    std::uint64_t size = 0;
    platform::FileTime lastWrite{};
    // Back at the original place: "Replace" keeps the user's file among the
    // copy's versions, and a restored version becomes the current copy.
    bool toOriginalPlace = false;
    bool isVersion = false;
    // The copy is gone: the file counts as not restored.
    bool noCopy = false;
    // A name that would climb out of the place restored to: never written.
    bool climbsOut = false;
    // The copy, or a folder between it and the destination, is a link: it is
    // never followed.
    bool isLink = false;
};

struct RestoreList
{
    RestoreRefusal refusal = RestoreRefusal::None;
    std::vector<RestoreFile> files;
    std::uint64_t bytes = 0;
};

// Whether "Restore" may put the items back where they came from: Other
// files, System State and a folder whose place is unknown have no place of
// their own.
bool HaveOriginalPlaces(const BackupContents& contents, const std::vector<RestoreItem>& items);

// The files of the request, each with its target: at the original place (the
// source as the user wrote it, then the path below it), or below
// `toFolder` with the path below its source, or with its path below the
// destination when the request spans two or more holdings. A target outside
// the place asked for (a name that climbs out) is never written: it counts as
// "cannot be written".
RestoreList ListRestore(const BackupContents& contents, const RestoreRequest& request);

// A file that stands where a restored one goes and differs from it.
struct Conflict
{
    std::string target;
    std::uint64_t targetSize = 0;
    platform::FileTime targetLastWrite{};
    std::uint64_t copySize = 0;
    platform::FileTime copyLastWrite{};
};

enum class ConflictChoice
{
    // The restored file beside the user's: "<name> (restored YYYY-MM-DD)<extension>".
    KeepBoth,
    // The user's file kept first: among the copy's versions at the original
    // place, beside itself as "<name> (replaced YYYY-MM-DD)<extension>"
    // elsewhere.
    Replace,
    Skip,
};

struct ConflictAnswer
{
    ConflictChoice choice = ConflictChoice::KeepBoth;
    // The same answer for every later conflict of this restore, unasked.
    bool forAll = false;
};

struct RestoreProgress
{
    std::size_t filesDone = 0;
    std::size_t files = 0;
    std::uint64_t bytesDone = 0;
    std::uint64_t bytes = 0;
    // The target of the file being restored.
    std::string current;
};

// Said, once, when a restore waits for a backup of "Backup Now" to end.
inline constexpr const char* kWaitingForBackupText =
    "Waiting for the backup that is running to end...";

struct RestoreCallbacks
{
    // Asked for each conflict until an answer says "for all"; unset: Keep both.
    std::function<ConflictAnswer(const Conflict&)> ask;
    // Before each file and after the last.
    std::function<void(const RestoreProgress&)> progress;
    // Whether a backup of "Backup Now" runs now, whose xcopy may be writing
    // the copies: before each file the restore waits while one does, looking
    // again after each `pause`. Unset: none runs.
    std::function<bool()> backupRuns;
    std::function<void()> pause;
    // Told the first time the restore waits for a backup, to say so.
    std::function<void()> waiting;
    // False stops the restore, a wait included: the files not reached count
    // as skipped.
    std::function<bool()> keepGoing;
};

// Restores the files, each written beside its target and swapped in, with
// the copy's last-write time. A file that is the same (size, and time within
// two seconds) is left as it is and counts as restored. `today` dates the
// names of files kept both or replaced.
RestoreVerdict RunRestore(const BackupContents& contents, const RestoreList& list,
                          const std::tm& today, const RestoreCallbacks& callbacks,
                          platform::FileTree& files);

// The report of a restore, "restore YYYY-MM-DD HH-MM-SS.txt" beside the
// backup's reports and in the profile's copy; shown by whoever ran it, never
// kept for the log-on display. Returns the paths written.
std::vector<std::string> PublishRestoreReport(const RestoreVerdict& verdict, const std::tm& start,
                                              const std::string& destination,
                                              const std::string& localAppData,
                                              platform::FileTree& files);

} // namespace restore

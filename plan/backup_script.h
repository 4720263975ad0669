#pragma once

#include "plan/copy_plan.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

// The xcopy switch of "Modified Since Last Backup or Catalog": copy only files
// whose archive attribute is set, and clear it.
std::string_view ModifiedSwitch(bool modifiedOnly);

// The whole text of backup.bat: a line that makes each folder the plan names,
// then one line per step of the plan, each line that
// copies everything followed by an attrib line that shows its folder again,
// and the line that erases `backupBatchPath` last, without a line end. Line
// ends are "\n" (the store writes them as CR LF); the text is in the OEM code
// page, the one the command interpreter reads batch files in.
std::string ComposeBackupScript(const CopyPlan& plan, const std::string& backupBatchPath);

class BatchPaths;

// The same text some lines at a time, for a script of megabytes that need
// never be whole in memory, each line ended by `lineEnd`: the store's line
// end on the disk spares the store a pass to translate them. The plan must
// outlive it.
class BackupScript
{
  public:
    BackupScript(const CopyPlan& plan, const std::string& backupBatchPath,
                 std::string_view lineEnd = "\n");
    ~BackupScript();
    BackupScript(const BackupScript&) = delete;
    BackupScript& operator=(const BackupScript&) = delete;

    // The next whole lines, valid until the next call; empty after the last.
    std::string_view NextLines();

  private:
    // Each call's text goes to the disk in one write, and a write costs far
    // more than a line does: a script of 20 MB takes about 80 of them.
    static constexpr size_t kTextPerCall = size_t{1} << 18;

    // Appends the next line to m_text; false after the last.
    bool AppendLine();
    // Appends the pieces with one resize: the script's lines are made of
    // short pieces.
    void Append(std::initializer_list<std::string_view> pieces);

    const CopyPlan& m_plan;
    std::unique_ptr<const BatchPaths> m_paths;
    const std::string m_eraseTarget;
    const std::string_view m_lineEnd;
    size_t m_folder = 0;
    size_t m_step = 0;
    // The step's xcopy line is written, and its attrib line is next.
    bool m_attribDue = false;
    bool m_erased = false;
    std::string m_text;
};

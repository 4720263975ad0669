#pragma once

#include "plan/copy_plan.h"

#include <string>

// The xcopy switch of "Modified Since Last Backup or Catalog": copy only files
// whose archive attribute is set, and clear it.
std::string ModifiedSwitch(bool modifiedOnly);

// The whole text of backup.bat: a line that makes each folder the plan names,
// then one line per step of the plan, each line that
// copies everything followed by an attrib line that shows its folder again,
// and the line that erases `backupBatchPath` last, without a line end. Line
// ends are "\n" (the store writes them as CR LF); the text is in the OEM code
// page, the one the command interpreter reads batch files in.
std::string ComposeBackupScript(const CopyPlan& plan, const std::string& backupBatchPath);

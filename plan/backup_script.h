#pragma once

#include "model/backup_selection.h"

#include <array>
#include <string>

// Name patterns the file-type options copy, appended to a source as it
// stands; the copy command matches them without regard to case.
inline constexpr std::array<const char*, 18> kPictureSuffixes = {
    "\\*JPG", "\\*JPEG", "\\*JPE", "\\*BMP", "\\*RLE",  "\\*DIB", "\\*GIF", "\\*PSD", "\\*PDD",
    "\\*EPS", "\\*FLM",  "\\*PCD", "\\*PCT", "\\*PICT", "\\*PXR", "\\*PNG", "\\*TIF", "\\*TIFF"};
inline constexpr std::array<const char*, 6> kAudioSuffixes = {"\\*MP3", "\\*WMA", "\\*WAV",
                                                              "\\*CDA", "\\*MP2", "\\*SND"};
inline constexpr std::array<const char*, 5> kVideoSuffixes = {"\\*AVI", "\\*MPEG", "\\*MPG",
                                                              "\\*M1V", "\\*WMV"};
inline constexpr std::array<const char*, 8> kDocumentSuffixes = {
    "\\*DOC", "\\*XLS", "\\*XLW", "\\*TXT", "\\*MCW", "\\*WPD", "\\*WPS", "\\*RTF"};

// The xcopy switch of "Modified Since Last Backup or Catalog": copy only files
// whose archive attribute is set, and clear it.
std::string ModifiedSwitch(bool modifiedOnly);

// The whole text of backup.bat for the selection, with "\n" line ends (the
// store writes them as CR LF) and the line that erases `backupBatchPath`
// last, without a line end. The text is in the OEM code page, the one the
// command interpreter reads batch files in.
std::string ComposeBackupScript(const BackupSelection& selection,
                                const std::string& backupBatchPath);

#pragma once

#include <string>

// The one folder that holds the program, its store files and the companion
// programs. The installer makes it; the program never creates it.
inline constexpr const char* kInstallDirectory =
    "C:\\Program Files\\Corvane Software\\Corvane Backup";

inline constexpr const char* kSettingsFile = "settings.dat";
inline constexpr const char* kDataFile = "data.dat";
inline constexpr const char* kFilesToBackupFile = "filestobackup.bck";
inline constexpr const char* kEnableAutoMarker = "enableauto";
inline constexpr const char* kModBatchFile = "mod.bat";
inline constexpr const char* kCatalogedMarker = "cataloged";
inline constexpr const char* kCatalogMarker = "catalog";
inline constexpr const char* kVideoMarker = "video";
inline constexpr const char* kBackupBatchFile = "backup.bat";

// The companion programs beside the store files; only ever started.
inline constexpr const char* kLoadProgram = "Load.exe";
inline constexpr const char* kConfigBatchFile = "config.bat";
inline constexpr const char* kVirtualDriveProgram = "vd.exe";

// Addresses every file by its full path below a root: the fixed install
// directory in the program, a temporary folder in tests.
class InstallDirectory
{
  public:
    explicit InstallDirectory(std::string root = kInstallDirectory);

    const std::string& Root() const { return m_root; }
    std::string PathOf(const std::string& fileName) const;

  private:
    std::string m_root;
};

#pragma once

#include "model/install_directory.h"
#include "model/prompt.h"
#include "model/shell.h"
#include "platform/file_tree.h"

#include <optional>

// The files the automation boxes touch at once when clicked, before any save.
namespace flows
{

// A ticked shutdown box makes sure enableauto exists, keeping whatever it
// holds; an unticked one removes it. Failures surface at the next save,
// which writes or deletes the same marker again.
void UpdateEnableAutoMarker(const InstallDirectory& directory, bool ticked,
                            platform::FileTree& files);

// Whether the companion programs have catalogued the user's files, as the
// cataloged marker they leave says.
bool IsCataloged(const InstallDirectory& directory, platform::FileTree& files);

// Asks the companion programs for a cataloguing: an empty catalog marker,
// then Load.exe and config.bat, hidden; the caller saves afterwards. When the
// marker cannot be written or a program cannot be started, it stops there,
// takes the request back and returns what to tell the user; the caller then
// saves nothing.
std::optional<Message> StartCatalogFlow(const InstallDirectory& directory, Shell& shell,
                                        platform::FileTree& files);

} // namespace flows

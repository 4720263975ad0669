#pragma once

namespace flows
{

// The jobs one start of Load.exe can have.
enum class LoadRole
{
    // Shown by "Backup Now": follows the backup just started.
    Monitor,
    // Nothing of ours to do: the start ends at once, unseen.
    None,
};

// Chosen once, at the start. The hidden start of the catalog flow has no job
// yet, and must not show a window.
inline LoadRole ChooseLoadRole(bool startedShown)
{
    return startedShown ? LoadRole::Monitor : LoadRole::None;
}

} // namespace flows

#pragma once

#include <string>
#include <string_view>

// Marks a start that came through the desktop's shell: it never hands on
// again, even where the shell itself runs elevated.
inline constexpr std::string_view kRelayedArgument = "/relayed";

inline bool WasRelayed(std::string_view arguments)
{
    return arguments.find(kRelayedArgument) != std::string_view::npos;
}

// Whether this process runs with a full administrator's token.
bool IsElevated();

// Starts this program again, with `arguments`, through the desktop's shell,
// which runs without elevation in the user's own session. False when there is
// no desktop shell to ask.
bool StartThroughDesktopShell(const std::string& arguments);

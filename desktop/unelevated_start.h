#pragma once

#include <string>

// Marks a start that came through the desktop's shell: it never hands on
// again, even where the shell itself runs elevated.
inline constexpr const char* kRelayedArgument = "/relayed";

enum class HandOver
{
    // Not elevated, or a start that was itself handed over: go on here.
    NotNeeded,
    // The desktop's shell starts this program again with the user's rights.
    HandedOver,
    // Elevated, and no desktop shell took the start.
    Failed,
    // Elevated, and the desktop's shell did not answer within ten seconds
    // (its calls can hang: a desktop that never answers).
    NoAnswer,
};

// Elevated, and not itself a start that was handed over.
bool MustHandOver(const std::string& arguments);

// A companion runs with the user's own rights. An elevated start (the
// installer's, or the dialog's) asks the desktop's shell, which runs without
// elevation in the user's session, to start this program again with
// `relayedArguments` (kRelayedArgument is added to them).
HandOver HandOverToUser(const std::string& arguments, const std::string& relayedArguments);

// Whether a named mutex exists within `millis` milliseconds: how an elevated
// start learns that the copy it handed over to runs. With other rights,
// access denied says it is there.
bool MutexAppearsWithin(const char* name, unsigned long millis);

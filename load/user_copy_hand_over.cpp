#include "load/user_copy_hand_over.h"

#include "desktop/unelevated_start.h"

namespace
{

companions::ShellStart TryHandOver(const std::string& arguments,
                                   const std::string& relayedArguments)
{
    switch (HandOverToUser(arguments, relayedArguments))
    {
    // Not needed: never here, where MustHandOver has said otherwise.
    case HandOver::NotNeeded:
    case HandOver::HandedOver:
        return companions::ShellStart::Taken;
    case HandOver::Failed:
        return companions::ShellStart::Refused;
    case HandOver::NoAnswer:
        break;
    }
    return companions::ShellStart::NoAnswer;
}

} // namespace

companions::HandOverOutcome HandOverToUserCopy(const std::string& arguments,
                                               const std::string& relayedArguments,
                                               const char* runningMutex)
{
    return companions::HandOverWithRetry({
        [&] { return TryHandOver(arguments, relayedArguments); },
        [runningMutex] { return MutexAppearsWithin(runningMutex, 10000); },
    });
}

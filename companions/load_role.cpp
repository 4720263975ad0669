#include "companions/load_role.h"

namespace companions
{

LoadRole ChooseLoadRole(std::string_view arguments, bool startedShown, bool catalogRequested)
{
    // The first word names the job; later ones only qualify it.
    const size_t first = arguments.find_first_not_of(' ');
    const std::string_view word = first == std::string_view::npos
                                      ? std::string_view()
                                      : arguments.substr(first, arguments.find(' ', first) - first);
    if (word == kStopArgument)
        return LoadRole::Stop;
    if (word == kLogOnArgument)
        return LoadRole::Resident;
    if (word == kRestoreArgument)
    {
        const size_t second = arguments.find_first_not_of(' ', first + word.size());
        if (second != std::string_view::npos &&
            arguments.substr(second, arguments.find(' ', second) - second) == kQuietArgument)
            return LoadRole::QuietRestore;
        return LoadRole::RestoreWindow;
    }
    if (startedShown)
        return LoadRole::Monitor;
    return catalogRequested ? LoadRole::Catalog : LoadRole::Resident;
}

} // namespace companions

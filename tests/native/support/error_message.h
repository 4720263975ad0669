#pragma once

#include "model/prompt.h"

#include <string>

// The stop icon and caption of every error but the run's three refusals.
inline Message Error(const std::string& text)
{
    return Message{text, "ERROR", kStopType};
}

#pragma once

#include "platform/path_code.h"

#include <string>
#include <vector>

// Holds this process's paths in UTF-8, as the companions' are, for as long as
// it lives.
struct Utf8Paths
{
    Utf8Paths() { platform::SetProcessPathCode(platform::PathCode::Utf8); }
    ~Utf8Paths() { platform::SetProcessPathCode(platform::PathCode::Ansi); }
    Utf8Paths(const Utf8Paths&) = delete;
    Utf8Paths& operator=(const Utf8Paths&) = delete;
};

// Documents named in four alphabets, none of them in a Western code page,
// the last beyond the Basic Multilingual Plane.
inline const std::vector<std::string> kWorldNames = {"Отчёт за год.doc", "Ελληνικά.doc",
                                                     "日本語の文書.doc", "🙂 smile.doc"};

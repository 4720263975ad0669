#pragma once

// The product's own web site: its home page and the page that lists updates.
inline constexpr const char* kHomePage = "http://www.example.com/";
inline constexpr const char* kUpdatePage = "http://www.example.com/updates/";

#pragma once

#include "version.h"

// The names the program goes by, in one place.
constexpr const char *ProductName = "VorunKelm";
constexpr const char *ProductLongName = "VorunKelm Game Bookkeeper";
constexpr const char *ProductVersion = VK_VERSION_TEXT; // four numbers
constexpr const char *ProductAppId = VK_APP_ID;
// The author's home page, opened from the About box.
constexpr const char *ProductHomePage = "https://vorunkelm.example.org/";

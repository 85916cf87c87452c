#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "launcher/version.h"

// The game's addresses on the web, kept here and nowhere else in the program.
inline constexpr const char* kWebSiteRoot = "https://tarvelle.example.org/";
inline constexpr const char* kSupportMail = "support@tarvelle.example.org";
// The online score page, below the web site's root.
inline constexpr const char* kScorePage = "tarvelle-scores.php";

// Percent-encodes everything but the letters, digits and "-._~" (a space becomes "%20").
std::string UrlEncode(std::string_view text);

// A page of the web site ("" for its start page) with the query naming this edition
// ("from=TV_1.01_Free", followed by "_A" while the game has not started) and the highest
// level reached ("lev=").
std::string WebPageAddress(const std::string& page, int32_t maxLevel, bool gameStarted);

// A new mail to the support address, its subject the game's name and version.
std::string SupportMailAddress();

// A file on this computer as a file:// address; the path must be absolute.
std::string FileAddress(const std::string& path);

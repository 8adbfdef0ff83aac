#pragma once
// Where the maker can be found: the About text, the web-site command and the update check.
namespace maker {
inline constexpr const char* kName = "Tellmark Software";
inline constexpr const char* kWebSite = "https://www.tellmark-software.com/";
// New versions are offered on the home page itself.
inline constexpr const char* kDownloadPage = kWebSite;
inline constexpr const char* kEmail = "orbala@tellmark-software.com";
inline constexpr const char* kUpdateServer = "www.tellmark-software.com";
} // namespace maker

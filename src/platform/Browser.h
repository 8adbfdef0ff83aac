#pragma once
#include <string>
namespace orbala::platform {
// Opens the address in the user's browser with xdg-open; no shell is involved.
void openInBrowser(const std::string& address);
} // namespace orbala::platform

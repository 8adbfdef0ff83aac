#pragma once
#include <string>
namespace orbala::platform {
// One line for whoever watches standard error; never shown to the user.
void debugOutput(const std::string& line);
} // namespace orbala::platform

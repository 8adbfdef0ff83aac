#pragma once
#include <string>

namespace orbala::platform {
// $XDG_CONFIG_HOME/Orbala/Orbala.ini, else ~/.config/Orbala/Orbala.ini.
std::string settingsFilePath();
// Creates the folder that holds `filePath` (and its parents); false if that failed.
bool makeParentDirectory(const std::string& filePath);
// The process's current directory.
std::string currentDirectory();
} // namespace orbala::platform

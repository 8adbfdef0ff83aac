#pragma once
// File-name rules of the file commands: pattern extensions, forced extensions, name checks.
// Paths use '/' as the separator.
#include <string>
#include <string_view>
#include <vector>

namespace orbala {

// The extension a file-dialog pattern such as "Orbala (*.qvx)" stands for ("qvx"). The pattern
// must hold "(*." once, one ")", one "." and at most one "*", "(" before ")", and the
// extension only the characters 0-9, A-Z, a-z and '_'. Returns "" when the pattern is unusable.
std::string extensionFromPattern(std::string_view pattern);

// path with its file name's extension replaced by ext, or ext added when it has none
// ("a/b.txt" -> "a/b.qvx", "a/b" -> "a/b.qvx"). An empty ext leaves path as it is.
std::string forceExtension(std::string_view path, std::string_view ext);

// The characters no saved file name may hold, in the order the user is told them:
// backslash, colon, slash, asterisk, question mark, double quote, <, >, vertical bar, TAB.
extern const char* const kIllegalFileNameChars;

// Whether a file-name part (no directory) is blank or holds an illegal character.
bool isIllegalFileName(std::string_view fileNamePart);

// Index of the first pattern of a "\n"-separated list whose text holds "*." + lastExtension
// (case-sensitive), or 0 when none does.
int preselectPattern(std::string_view patternList, std::string_view lastExtension);

// The extension of the file-name part as typed, without the dot; "" when there is none.
// A dot that starts the name (".profile") does not begin an extension.
std::string pathExtension(std::string_view path);

// Everything before the file-name part, without trailing slashes ("/" for a file in the root,
// "" for a bare file name).
std::string pathDirectory(std::string_view path);

// The part after the last '/'.
std::string pathFileName(std::string_view path);

// Entry `index` of a "\n"-separated pattern list; empty when there is none.
std::string patternAt(std::string_view list, int index);

// The extension a save dialog forces on `fileName`: that of the chosen pattern, unless the name
// already ends in the extension of another pattern of the list (case ignored), which the user
// then means ("plot.png" with "PNG (*.png)" offered). "" when the chosen pattern is unusable.
std::string saveExtension(std::string_view patterns, int chosen, std::string_view fileName);

// The local paths named by a text/uri-list (RFC 2483) as file managers drop it: "file:" URIs
// with an empty or "localhost" host, percent escapes decoded; comments and other schemes are
// skipped, and so is a path with a NUL in it.
std::vector<std::string> localPathsFromUriList(std::string_view uriList);

} // namespace orbala

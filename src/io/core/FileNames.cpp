#include "io/core/FileNames.h"

#include "table/core/Numbers.h"

#include <algorithm>

namespace orbala {

namespace {

size_t countOf(std::string_view text, std::string_view what) {
  size_t n = 0;
  for (size_t pos = text.find(what); pos != text.npos; pos = text.find(what, pos + what.size()))
    ++n;
  return n;
}

bool isExtensionChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

size_t fileNameStart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == path.npos ? 0 : slash + 1;
}

// Position of the dot that starts the extension, or npos.
size_t extensionDot(std::string_view path) {
  const size_t start = fileNameStart(path);
  const size_t dot = path.rfind('.');
  return dot != path.npos && dot > start ? dot : path.npos;
}

} // namespace

const char* const kIllegalFileNameChars = "\\:/*?\"<>|\t";

std::string extensionFromPattern(std::string_view pattern) {
  if (countOf(pattern, "(*.") != 1 || countOf(pattern, ")") != 1 || countOf(pattern, ".") != 1 ||
      countOf(pattern, "*") > 1)
    return "";
  const size_t open = pattern.find("(*.");
  const size_t close = pattern.find(')');
  if (close < open) return "";
  const std::string_view ext = pattern.substr(open + 3, close - (open + 3));
  if (ext.empty() || !std::all_of(ext.begin(), ext.end(), isExtensionChar)) return "";
  return std::string(ext);
}

std::string forceExtension(std::string_view path, std::string_view ext) {
  if (ext.empty()) return std::string(path);
  const size_t dot = extensionDot(path);
  std::string result(path.substr(0, dot == path.npos ? path.size() : dot));
  result += '.';
  result += ext;
  return result;
}

bool isIllegalFileName(std::string_view fileNamePart) {
  return trim(fileNamePart).empty() ||
         fileNamePart.find_first_of(kIllegalFileNameChars) != std::string_view::npos;
}

int preselectPattern(std::string_view patternList, std::string_view lastExtension) {
  const std::string wanted = "*." + std::string(lastExtension);
  int index = 0;
  size_t start = 0;
  while (start <= patternList.size()) {
    size_t end = patternList.find('\n', start);
    if (end == patternList.npos) end = patternList.size();
    if (patternList.substr(start, end - start).find(wanted) != std::string_view::npos) return index;
    ++index;
    start = end + 1;
  }
  return 0;
}

std::string pathExtension(std::string_view path) {
  const size_t dot = extensionDot(path);
  return dot == path.npos ? std::string() : std::string(path.substr(dot + 1));
}

std::string pathDirectory(std::string_view path) {
  size_t end = path.rfind('/');
  if (end == path.npos) return "";
  while (end > 0 && path[end - 1] == '/')
    --end;
  return end == 0 ? "/" : std::string(path.substr(0, end));
}

std::string pathFileName(std::string_view path) {
  return std::string(path.substr(fileNameStart(path)));
}

std::string patternAt(std::string_view list, int index) {
  size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = list.find('\n', start);
    if (start == std::string_view::npos) return "";
    ++start;
  }
  const size_t end = list.find('\n', start);
  return std::string(list.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string saveExtension(std::string_view patterns, int chosen, std::string_view fileName) {
  const std::string ext = extensionFromPattern(patternAt(patterns, chosen));
  const std::string typed = toLowerAscii(pathExtension(fileName));
  if (ext.empty() || typed.empty()) return ext;
  for (int i = 0;; ++i) {
    const std::string pattern = patternAt(patterns, i);
    if (pattern.empty()) break;
    const std::string other = extensionFromPattern(pattern);
    if (!other.empty() && toLowerAscii(other) == typed) return other;
  }
  return ext;
}

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

} // namespace

std::vector<std::string> localPathsFromUriList(std::string_view uriList) {
  std::vector<std::string> paths;
  size_t start = 0;
  while (start < uriList.size()) {
    size_t end = uriList.find('\n', start);
    if (end == std::string_view::npos) end = uriList.size();
    std::string line = trim(uriList.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == '#' || toLowerAscii(line.substr(0, 5)) != "file:") continue;
    std::string_view rest = std::string_view(line).substr(5);
    if (rest.substr(0, 2) == "//") {
      rest.remove_prefix(2);
      const size_t slash = rest.find('/');
      if (slash == std::string_view::npos) continue;
      const std::string host = toLowerAscii(rest.substr(0, slash));
      if (!host.empty() && host != "localhost") continue;
      rest.remove_prefix(slash);
    }
    if (rest.empty() || rest[0] != '/') continue;
    std::string path;
    bool ok = true;
    for (size_t i = 0; i < rest.size() && ok; ++i) {
      if (rest[i] != '%') {
        path += rest[i];
        continue;
      }
      const int hi = i + 1 < rest.size() ? hexValue(rest[i + 1]) : -1;
      const int lo = i + 2 < rest.size() ? hexValue(rest[i + 2]) : -1;
      ok = hi >= 0 && lo >= 0 && (hi | lo) != 0;
      path += static_cast<char>(hi * 16 + lo);
      i += 2;
    }
    if (ok) paths.push_back(path);
  }
  return paths;
}

} // namespace orbala

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

} // namespace orbala

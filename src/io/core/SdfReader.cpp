#include "io/core/SdfReader.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "table/core/Elements.h"
#include "table/core/Numbers.h"

namespace orbala {

namespace {

constexpr std::string_view kV30 = "M  V30 ";

bool readDouble(std::string_view text, double& value) {
  const std::string t = trim(text);
  const char* first = t.data();
  const char* last = first + t.size();
  if (first != last && *first == '+') ++first;
  const auto res = decimalFromChars(first, last, value);
  return res.ec == std::errc() && res.ptr == last && first != last && std::isfinite(value);
}

std::vector<std::string_view> tokens(std::string_view line) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
      ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
      ++i;
    if (i > start) out.push_back(line.substr(start, i - start));
  }
  return out;
}

// Deuterium and tritium are drawn as hydrogen; query atoms and R groups match nothing.
int sdfElement(std::string_view symbol) {
  const std::string s = trim(symbol);
  if (s == "D" || s == "T") return matchElementLabel("H");
  return matchElementLabel(s);
}

enum class AtomLine { Atom, UnknownElement, Unreadable };

// A V2000 atom line: x, y, z in ten columns each, the symbol in columns 32 to 34; writers that
// do not keep the columns are read by blanks.
AtomLine readV2000Atom(std::string_view line, std::vector<XyzAtom>& atoms) {
  double xyz[3];
  std::string_view symbol;
  bool columns = line.size() >= 34;
  for (int k = 0; columns && k < 3; ++k)
    columns = readDouble(line.substr(static_cast<size_t>(10 * k), 10), xyz[k]);
  if (columns) {
    symbol = line.substr(31, 3);
  } else {
    const std::vector<std::string_view> t = tokens(line);
    if (t.size() < 4) return AtomLine::Unreadable;
    for (int k = 0; k < 3; ++k)
      if (!readDouble(t[static_cast<size_t>(k)], xyz[k])) return AtomLine::Unreadable;
    symbol = t[3];
  }
  const int element = sdfElement(symbol);
  if (element < 0) return AtomLine::UnknownElement;
  atoms.push_back({element, xyz[0], xyz[1], xyz[2]});
  return AtomLine::Atom;
}

// "M  V30 index type x y z ..."; a line ending in "-" goes on in the next.
AtomLine readV3000Atom(std::string_view entry, std::vector<XyzAtom>& atoms) {
  const std::vector<std::string_view> t = tokens(entry);
  double xyz[3];
  if (t.size() < 5) return AtomLine::Unreadable;
  for (int k = 0; k < 3; ++k)
    if (!readDouble(t[static_cast<size_t>(k + 2)], xyz[k])) return AtomLine::Unreadable;
  const int element = sdfElement(t[1]);
  if (element < 0) return AtomLine::UnknownElement;
  atoms.push_back({element, xyz[0], xyz[1], xyz[2]});
  return AtomLine::Atom;
}

bool readV3000Block(const std::vector<std::string>& lines, size_t begin, size_t end,
                    MemoryFrames::Frame& frame, int& unknown) {
  bool inAtoms = false;
  std::string entry;
  for (size_t i = begin; i < end; ++i) {
    std::string_view line = lines[i];
    if (line.compare(0, kV30.size(), kV30) != 0) continue;
    line.remove_prefix(kV30.size());
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
      line.remove_suffix(1);
    entry += line;
    if (!entry.empty() && entry.back() == '-') {
      entry.pop_back();
      continue;
    }
    const std::string text = trim(entry);
    entry.clear();
    if (text == "BEGIN ATOM") {
      inAtoms = true;
    } else if (text == "END ATOM") {
      return inAtoms;
    } else if (inAtoms) {
      const AtomLine read = readV3000Atom(text, frame.atoms);
      if (read == AtomLine::Unreadable) return false;
      if (read == AtomLine::UnknownElement) ++unknown;
    }
  }
  return false;
}

bool readRecord(const std::vector<std::string>& lines, size_t begin, size_t end,
                MemoryFrames::Frame& frame, int& unknown) {
  if (end - begin < 4) return false;
  frame.title = trim(lines[begin]);
  const std::string_view counts = lines[begin + 3];
  if (counts.find("V3000") != std::string_view::npos)
    return readV3000Block(lines, begin + 4, end, frame, unknown);
  const int atomCount = parseInt(counts.substr(0, 3));
  if (atomCount <= 0 || static_cast<size_t>(atomCount) > end - begin - 4) return false;
  for (size_t i = begin + 4; i < begin + 4 + static_cast<size_t>(atomCount); ++i) {
    const AtomLine read = readV2000Atom(lines[i], frame.atoms);
    if (read == AtomLine::Unreadable) return false;
    if (read == AtomLine::UnknownElement) ++unknown;
  }
  return true;
}

bool isBlankRecord(const std::vector<std::string>& lines, size_t begin, size_t end) {
  for (size_t i = begin; i < end; ++i)
    if (!trim(lines[i]).empty()) return false;
  return true;
}

} // namespace

bool looksLikeSdf(const std::vector<std::string>& lines) {
  if (lines.size() < 4) return false;
  const std::string counts = trim(lines[3]);
  return counts.size() >= 5 && (counts.compare(counts.size() - 5, 5, "V2000") == 0 ||
                                counts.compare(counts.size() - 5, 5, "V3000") == 0);
}

bool readSdfFrames(const std::vector<std::string>& lines, SdfFrames& out, std::string& why) {
  out = SdfFrames();
  size_t begin = 0;
  for (size_t i = 0; i <= lines.size(); ++i) {
    const bool endOfRecord = i == lines.size() || trim(lines[i]) == "$$$$";
    if (!endOfRecord) continue;
    if (!isBlankRecord(lines, begin, i)) {
      MemoryFrames::Frame frame;
      int unknown = 0;
      if (readRecord(lines, begin, i, frame, unknown) && !frame.atoms.empty()) {
        out.skippedAtoms += unknown;
        out.frames.push_back(std::move(frame));
      } else {
        ++out.skippedRecords;
      }
    }
    begin = i + 1;
  }
  if (out.frames.empty()) why = "No record of the file has an atom block that can be read.";
  return !out.frames.empty();
}

} // namespace orbala

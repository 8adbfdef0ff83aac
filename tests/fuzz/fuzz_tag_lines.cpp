// Every line of the input goes through the tag-line pieces a file reader uses, and what the
// writers make of the parsed values must read back the same.
#include "io/core/TagFormat.h"
#include "io/core/TextLines.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace orbala;

namespace {

void checkDataLineRoundTrip(const DataLine& d) {
  if (!d.valid || d.text.find_first_of("\r\n") != std::string::npos) return;
  std::string written = formatDataLine(d.row, d.column, d.text);
  written.pop_back(); // the line feed
  const TagLine t = splitTagLine(written);
  if (lookupTag(t.tag) != Tag::Data) __builtin_trap();
  const DataLine back = parseDataLine(t.value);
  if (!back.valid || back.row != d.row || back.column != d.column || back.text != d.text)
    __builtin_trap();
}

void checkNumberRoundTrip(double v) {
  const double triple[3] = {v, v, v};
  const double quad[4] = {v, v, v, v};
  const std::string view = formatViewBlock(v, triple, quad);
  for (const std::string& line : splitTextLines(view)) {
    double back[4];
    const int n = scanDoubles(splitTagLine(line).value, back, 4);
    if (n < 1) __builtin_trap();
    for (int i = 0; i < n; ++i) {
      if (std::isnan(v) != std::isnan(back[i])) __builtin_trap();
      if (!std::isnan(v) && std::fabs(back[i] - v) > 1e-6 * std::fabs(v)) __builtin_trap();
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const std::string& line : splitTextLines(input)) {
    if (line.find_first_of("\r\n") != std::string::npos) __builtin_trap();
    const TagLine t = splitTagLine(line);
    if (t.tag.empty() || t.tag.back() != '>') __builtin_trap();
    const Tag tag = lookupTag(t.tag);
    if (tag != Tag::Unknown && tagText(tag) != t.tag) __builtin_trap();
    (void)isWindowBlockTag(tag);
    (void)parseFlag(t.value);

    const DataLine d = parseDataLine(t.value);
    if (d.text.size() > t.value.size()) __builtin_trap();
    checkDataLineRoundTrip(d);

    double values[4];
    const int n = scanDoubles(t.value, values, 4);
    if (n < 0 || n > 4) __builtin_trap();
    for (int i = 0; i < n; ++i)
      checkNumberRoundTrip(values[i]);
  }
  return 0;
}

#include "io/core/ConvertedXyz.h"

#include <climits>

#include "io/core/TextLines.h"
#include "table/core/Numbers.h"

namespace orbala {

bool framesFromXyzText(std::string_view text, std::vector<MemoryFrames::Frame>& frames) {
  frames.clear();
  const std::vector<std::string> lines = splitTextLines(text);
  for (size_t i = 0; i < lines.size();) {
    if (trim(lines[i]).empty()) {
      ++i;
      continue;
    }
    const int count = parseInt(lines[i]);
    if (count <= 0 || lines.size() - i < 2) break;
    const size_t end = std::min(lines.size(), i + 2 + static_cast<size_t>(count));
    const std::vector<std::string> molecule(lines.begin() + static_cast<long>(i),
                                            lines.begin() + static_cast<long>(end));
    XyzResult read = parseXyzLines(molecule, INT_MAX);
    if (read.status == XyzResult::Ok) frames.push_back({trim(molecule[1]), std::move(read.atoms)});
    i = end;
  }
  return !frames.empty();
}

std::string converterErrorLine(std::string_view errors) {
  for (const std::string& raw : splitTextLines(errors)) {
    const std::string line = trim(raw);
    if (line.empty() || line.find_first_not_of('=') == std::string::npos) continue;
    if (line.compare(0, 3, "***") == 0 && line.find("Error") != std::string::npos) continue;
    if (line.find("molecule converted") != std::string::npos ||
        line.find("molecules converted") != std::string::npos)
      continue;
    return line;
  }
  return {};
}

} // namespace orbala

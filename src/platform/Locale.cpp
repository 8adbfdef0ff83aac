#include "platform/Locale.h"

#include <clocale>

namespace orbala::platform {
void useDotForNumbers() {
  std::setlocale(LC_NUMERIC, "C");
}
} // namespace orbala::platform

#pragma once
namespace orbala::platform {
// The toolkit adopts the user's locale when it opens the display; numbers in cells, fields and
// files must keep their dot whatever that locale says.
void useDotForNumbers();
} // namespace orbala::platform

#pragma once
// The flat-look hover colour of menu titles and tool bar buttons.
#include "table/core/Rgb.h"

namespace orbala {

// Lighter shade of c, or darker when a channel is above 216. Channels must be 0..255; the
// result's channels are 0..255 too (the caller builds it with alpha 255).
Rgb hoverShade(Rgb c);

} // namespace orbala

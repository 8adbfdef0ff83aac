#pragma once
// The program's GIF pictures, and the icon maker that reads them.
#include <fx.h>

#include <cstddef>

extern const unsigned char kWindowIconGif[];
extern const unsigned char kOpenIconGif[];
extern const unsigned char kSaveIconGif[];
extern const unsigned char kSaveAsIconGif[];
extern const unsigned char kSelectAllIconGif[];
extern const unsigned char kCopyIconGif[];
extern const unsigned char kPasteIconGif[];
extern const unsigned char kClearIconGif[];
extern const unsigned char kExitIconGif[];
extern const unsigned char kAboutIconGif[];
extern const unsigned char kMarkIconGif[];

FXIcon* makeGifIcon(FXApp* app, const unsigned char* gif);

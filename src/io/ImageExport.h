#pragma once
// Pictures of the viewer written as image files.
#include <string>

#include "scene/ViewerCapture.h"

enum class ImageFormat { Bmp, Png };

// The picture as the toolkit's writer lays it out in a file.
bool encode(const ViewerPicture& picture, ImageFormat format, std::string& bytes);

// PNG for a name ending in ".png" (any case), BMP otherwise.
ImageFormat formatForName(const std::string& name);

#include "app/Icons.h"

FXIcon* makeGifIcon(FXApp* app, const unsigned char* gif) {
  // The GIF header gives the size; grey 192 is the transparent colour of our pictures.
  return new FXGIFIcon(app, gif, FXRGB(192, 192, 192), 0, 1, 1);
}

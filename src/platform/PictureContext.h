#pragma once
// The GL that a picture from the shell is drawn with. EGL first, through libepoxy: a GPU's own
// device where the driver offers one, else Mesa's surfaceless platform, which needs no server at
// all (software rendering where there is no GPU). Else the X display through the toolkit, where
// the hidden window's viewer brings its own context.
#include <fx.h>

#include <string>

class PictureContext {
public:
  enum class Kind { Failed, Egl, X };

  PictureContext() = default;
  PictureContext(const PictureContext&) = delete;
  PictureContext& operator=(const PictureContext&) = delete;
  ~PictureContext();

  // Makes an EGL context current, or opens the toolkit's display (`displayName`, or $DISPLAY when
  // null); Failed with one line in `why` naming what each way found.
  Kind open(FXApp& app, const char* displayName, std::string& why);

private:
  bool openEgl(std::string& why);
  void close();
  void* display = nullptr;
  void* context = nullptr;
};

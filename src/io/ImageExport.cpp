// Saving the plot as a BMP file and copying it to the clipboard.
#include "app/Orbala.h"
#include "app/Text.h"

#include <FXPNGImage.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "io/core/FileNames.h"
#include "table/core/Numbers.h"
#include "platform/AtomicFile.h"
#include "io/ImageExport.h"
#include "scene/ViewerCapture.h"

namespace {

const char* const kClipboardErrorTitle = "Clipboard error";
const char* const kClipboardErrorText = "Unknown error when copying data to clipboard.";

// A save stream that collects into a string through a fixed buffer. (The toolkit's memory
// stream grows by reallocating at every small write, which costs quadratic time wherever
// realloc has to move the block.)
class StringSaveStream : public FXStream {
public:
  explicit StringSaveStream(std::string& bytes) : bytes_(bytes) {}
  bool open() { return FXStream::open(FXStreamSave, 65536); }
  // True when everything written reached the string.
  bool finish() {
    const bool ok = flush() && status() == FXStreamOK;
    FXStream::close();
    return ok;
  }

protected:
  FXuval writeBuffer(FXuval) override {
    bytes_.append(reinterpret_cast<const char*>(rdptr), static_cast<size_t>(wrptr - rdptr));
    rdptr = wrptr = begptr;
    return static_cast<FXuval>(endptr - wrptr);
  }

private:
  std::string& bytes_;
};

} // namespace

// The picture as the toolkit's writer lays it out in a file.
bool encode(const ViewerPicture& picture, ImageFormat format, std::string& bytes) {
  bytes.clear();
  StringSaveStream stream(bytes);
  if (!stream.open()) return false;
  const bool written =
      format == ImageFormat::Bmp
          ? fxsaveBMP(stream, picture.pixels.data(), picture.width, picture.height)
          : fxsavePNG(stream, picture.pixels.data(), picture.width, picture.height);
  return stream.finish() && written && !bytes.empty();
}

ImageFormat formatForName(const std::string& name) {
  return orbala::toLowerAscii(orbala::pathExtension(name)) == "png" ? ImageFormat::Png
                                                                    : ImageFormat::Bmp;
}

long Orbala::onCmdSaveImage(FXObject*, FXSelector, void*) {
  FXString chosen;
  // BMP stays the first choice; a PNG is smaller and what most programs take.
  const char* patterns = FXPNGImage::supported ? "Bitmap (*.bmp)\nPNG (*.png)" : "Bitmap (*.bmp)";
  if (!runSaveDialog("Save plot", patterns, "3D_plot.bmp", chosen)) return 1;
  userFilesDirectory = fx(orbala::pathDirectory(str(chosen)));
  pendingImageName = chosen;
  // Let the dialog leave the screen before the picture is taken.
  const std::weak_ptr<bool> alive = lifeToken;
  getApp()->flush(TRUE);
  getApp()->runWhileEvents();
  if (alive.expired()) return 1; // the window was closed meanwhile
  getApp()->flush();
  getApp()->addTimeout(this, ID_SAVE_IMAGE_TIMER, 100);
  return 1;
}

long Orbala::onTimeoutSaveImage(FXObject*, FXSelector, void*) {
  if (!pendingImageName.empty()) saveImageFile(pendingImageName);
  return 1;
}

long Orbala::onCmdCopyImage(FXObject*, FXSelector, void*) {
  copyImageToClipboard();
  return 1;
}

bool Orbala::saveImageFile(const FXString& name) {
  getApp()->beginWaitCursor();
  ViewerPicture picture;
  std::string bytes;
  // Written beside and renamed over: a failed write never leaves half a picture behind.
  const ImageFormat format = formatForName(str(name));
  const bool ok = captureViewer(viewer, picture) && encode(picture, format, bytes) &&
                  orbala::platform::replaceFileContents(str(name), bytes);
  getApp()->endWaitCursor();
  if (!ok) {
    dialogs->message(
        this, BoxKind::Error, "File error",
        FXStringFormat("File \"%s\" could not be written, try a different name.", name.text()));
  }
  return ok;
}

bool Orbala::copyImageToClipboard() {
  getApp()->beginWaitCursor();
  ViewerPicture picture;
  std::string bmp, png;
  bool ok = captureViewer(viewer, picture) && encode(picture, ImageFormat::Bmp, bmp);
  // PNG is what most programs paste; BMP is there for those that want it.
  if (ok && FXPNGImage::supported && !encode(picture, ImageFormat::Png, png)) png.clear();
  if (ok) {
    bmpDragType = getApp()->registerDragType("image/bmp");
    pngDragType = getApp()->registerDragType("image/png");
    FXDragType types[2];
    FXuint count = 0;
    if (!png.empty()) types[count++] = pngDragType;
    types[count++] = bmpDragType;
    // Taking the clipboard drops what we offered before (the lost handler clears it).
    ok = acquireClipboard(types, count);
  }
  getApp()->endWaitCursor();
  if (!ok) {
    dialogs->message(this, BoxKind::Error, kClipboardErrorTitle, kClipboardErrorText);
    return false;
  }
  clipboardBmp.swap(bmp);
  clipboardPng.swap(png);
  return true;
}

long Orbala::onClipboardRequest(FXObject* sender, FXSelector sel, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  const std::string* bytes = nullptr;
  if (bmpDragType && event->target == bmpDragType) bytes = &clipboardBmp;
  if (pngDragType && event->target == pngDragType) bytes = &clipboardPng;
  if (!bytes || bytes->empty()) return FXMainWindow::onClipboardRequest(sender, sel, ptr);
  // The toolkit takes the copy over and frees it once delivered.
  FXuchar* data = nullptr;
  if (!FXMALLOC(&data, FXuchar, bytes->size())) return 0;
  std::memcpy(data, bytes->data(), bytes->size());
  setDNDData(FROM_CLIPBOARD, event->target, data, static_cast<FXuint>(bytes->size()));
  return 1;
}

long Orbala::onClipboardLost(FXObject* sender, FXSelector sel, void* ptr) {
  std::string().swap(clipboardBmp);
  std::string().swap(clipboardPng);
  return FXMainWindow::onClipboardLost(sender, sel, ptr);
}

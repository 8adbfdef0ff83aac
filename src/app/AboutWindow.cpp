#include "app/AboutWindow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>

#include "app/Maker.h"

FXDEFMAP(AboutWindow)
AboutWindowMap[] = {
    FXMAPFUNC(SEL_PAINT, AboutWindow::ID_PICTURE, AboutWindow::onPaintPicture),
    FXMAPFUNC(SEL_CLOSE, 0, AboutWindow::onClose),
};
FXIMPLEMENT(AboutWindow, FXDialogBox, AboutWindowMap, ARRAYNUMBER(AboutWindowMap))

namespace {

constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 60;
using PictureRecords = std::array<unsigned char, kPictureWidth * kPictureHeight * 4>;

// 1 x 1, one blue pixel (grey 192 would be transparent).
const unsigned char kAboutWindowGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01,
                                         0x00, 0x80, 0x00, 0x00, 0xc0, 0xc0, 0xc0, 0x40, 0x60,
                                         0xc0, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                         0x00, 0x00, 0x02, 0x02, 0x4c, 0x01, 0x00, 0x3b};

struct Ball {
  double x, y, radius;
  double red, green, blue;
};

// Three lit spheres, the program's own kind of picture, drawn back to front once.
PictureRecords paintRecords() {
  const Ball balls[] = {
      {22, 36, 15, 200, 40, 40}, {44, 40, 13, 50, 80, 210}, {35, 17, 12, 40, 170, 70}};
  const double light[3] = {-0.48, -0.56, 0.68}; // from the upper left, towards the viewer
  const double half[3] = {-0.27, -0.31, 0.91};  // between the light and the eye
  PictureRecords records{};
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      double rgb[3] = {255, 255, 255};
      for (const Ball& b : balls) {
        const double dx = (x + 0.5 - b.x) / b.radius;
        const double dy = (y + 0.5 - b.y) / b.radius;
        const double rr = dx * dx + dy * dy;
        if (rr >= 1.0) continue;
        const double dz = std::sqrt(1.0 - rr);
        const double diffuse = std::max(0.0, dx * light[0] + dy * light[1] + dz * light[2]);
        const double shine =
            std::pow(std::max(0.0, dx * half[0] + dy * half[1] + dz * half[2]), 24);
        const double base[3] = {b.red, b.green, b.blue};
        for (int c = 0; c < 3; ++c)
          rgb[c] = std::min(255.0, base[c] * (0.25 + 0.75 * diffuse) + 200.0 * shine);
      }
      unsigned char* record = &records[static_cast<size_t>(y * kPictureWidth + x) * 4];
      record[0] = static_cast<unsigned char>(rgb[2]);
      record[1] = static_cast<unsigned char>(rgb[1]);
      record[2] = static_cast<unsigned char>(rgb[0]);
      record[3] = 0;
    }
  }
  return records;
}

const PictureRecords& pictureRecords() {
  static const PictureRecords records = paintRecords();
  return records;
}

int currentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

} // namespace

FXString foxCredit() {
  return FXStringFormat("Orbala is built with the FOX Toolkit library v%d.%d.%d", FOX_MAJOR,
                        FOX_MINOR, FOX_LEVEL);
}

AboutWindow::AboutWindow(FXWindow* owner, const FXString& appName, const FXString& version)
    : FXDialogBox(owner, "About " + appName, DECOR_TITLE | DECOR_CLOSE | DECOR_BORDER, 0, 0, 0, 0,
                  0, 0, 0, 0, 0, 0) {
  icon = new FXGIFIcon(getApp(), kAboutWindowGif, FXRGB(192, 192, 192));
  icon->create();
  setIcon(icon);

  auto* frame =
      new FXVerticalFrame(this, LAYOUT_FILL_X | LAYOUT_FILL_Y, 0, 0, 0, 0, 10, 10, 10, 10, 0, 0);
  const FXuint labelOpts = LABEL_NORMAL | JUSTIFY_LEFT | LAYOUT_FILL_X;
  headingLabel = new FXLabel(frame, FXString(), nullptr, labelOpts, 0, 0, 0, 0, 2, 2, 2, 2);
  new FXHorizontalSeparator(frame, SEPARATOR_LINE | LAYOUT_FILL_X, 0, 0, 0, 0, 1, 1, 0, 0);
  auto* row = new FXHorizontalFrame(frame, LAYOUT_FILL_X, 0, 0, 0, 0, 0, 0, 10, 10, 0, 0);
  textLabel = new FXLabel(row, FXString(), nullptr, labelOpts, 0, 0, 0, 0, 2, 2, 2, 2);
  canvas = new FXCanvas(row, this, ID_PICTURE, LAYOUT_FIX_WIDTH | LAYOUT_FIX_HEIGHT, 0, 0,
                        kPictureWidth, kPictureHeight);
  new FXHorizontalSeparator(frame, SEPARATOR_LINE | LAYOUT_FILL_X, 0, 0, 0, 0, 1, 1, 0, 0);
  new FXLabel(frame, " ", nullptr, LABEL_NORMAL, 0, 0, 0, 0, 2, 2, 2, 2);
  new FXButton(frame, tr("&OK"), nullptr, this, ID_CANCEL,
               BUTTON_INITIAL | BUTTON_DEFAULT | FRAME_RAISED | FRAME_THICK | LAYOUT_CENTER_X, 0, 0,
               0, 0, 32, 32, 2, 2);

  headingLabel->setText(appName + " v" + version);
  textLabel->setText(FXStringFormat("\nCopyright (c) %d %s", currentYear(), maker::kName) + "\n" +
                     maker::kWebSite + "\n" + maker::kEmail + "\n\n" + foxCredit() + ".");

  // The image keeps its own copy of the pixels for its whole life.
  picture = new FXImage(getApp(), nullptr, IMAGE_KEEP | IMAGE_OWNED, kPictureWidth, kPictureHeight);
  const PictureRecords& records = pictureRecords();
  FXColor* pixels = picture->getData();
  for (int i = 0; i < kPictureWidth * kPictureHeight; ++i) {
    const unsigned char* record = &records[static_cast<size_t>(i) * 4];
    pixels[i] = FXRGB(record[2], record[1], record[0]);
  }
  picture->create();
}

AboutWindow::~AboutWindow() {
  // The window goes before the icon and picture it shows.
  destroy();
  delete picture;
  delete icon;
}

long AboutWindow::onPaintPicture(FXObject*, FXSelector, void* ptr) {
  const auto* event = static_cast<const FXEvent*>(ptr);
  FXDCWindow dc(canvas, const_cast<FXEvent*>(event));
  dc.setForeground(FXRGB(255, 255, 255));
  dc.fillRectangle(event->rect.x, event->rect.y, event->rect.w, event->rect.h);
  dc.drawImage(picture, 0, 0);
  return 1;
}

long AboutWindow::onClose(FXObject*, FXSelector, void*) {
  handle(this, FXSEL(SEL_COMMAND, ID_CANCEL), nullptr);
  return 1;
}

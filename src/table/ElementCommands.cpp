// Element colours and sizes from the "Label" column, and the colour swatches shown in it.
#include "app/Orbala.h"

#include <algorithm>
#include <unordered_map>

#include "table/Table_zk2.h"
#include "table/core/Elements.h"
#include "table/core/Numbers.h"

namespace {

// Near-black rather than black: black is the swatch's transparent colour.
const FXColor kSwatchFrame = FXRGB(0, 0, 1);
const FXColor kSwatchTransparent = FXRGB(0, 0, 0);
const FXColor kSwatchGray = FXRGB(200, 200, 200);

// A w × h picture of the fill colour inside a one-pixel near-black frame; the label over it is
// drawn in white where the table's text would not show.
FXIcon* makeSwatch(FXApp* app, FXColor fill, FXint w, FXint h, FXColor text) {
  // A black point's swatch would vanish into the transparent colour: keep it opaque.
  const FXuint opaque = fill == kSwatchTransparent ? IMAGE_OPAQUE : 0;
  const bool dark = orbala::isDark({FXREDVAL(fill), FXGREENVAL(fill), FXBLUEVAL(fill)});
  auto* icon = new CellBackdrop(app, kSwatchTransparent, IMAGE_OWNED | IMAGE_ALPHACOLOR | opaque, w,
                                h, dark ? FXRGB(255, 255, 255) : text);
  for (FXint y = 0; y < h; ++y) {
    for (FXint x = 0; x < w; ++x) {
      const bool frame = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      icon->setPixel(x, y, frame ? kSwatchFrame : fill);
    }
  }
  icon->create();
  return icon;
}

// Only the low byte counts, so 256 wraps to 0 rather than bleeding into the next channel.
FXuchar colourChannel(const Table_zk2* table, FXint row, FXint col) {
  return static_cast<FXuchar>(orbala::parseInt(table->cellText(row, col)) & 0xFF);
}

orbala::ElementScan scanTable(const Orbala* win) {
  return orbala::scanElementRows(
      win->table->getNumRows(), [win](int row) { return win->rowHasCoordinates(row); },
      [win](int row) { return std::string(win->table->cellText(row, 0)); });
}

void reportUnmatched(Orbala* win, const orbala::ElementScan& scan) {
  if (const auto text = orbala::unmatchedReport(scan)) {
    win->dialogs->message(win, BoxKind::Warning, orbala::kUnknownElementsTitle, text->c_str());
  }
}

} // namespace

long Orbala::onCmdElementColors(FXObject*, FXSelector sel, void*) {
  colorScheme = FXSELID(sel) == ID_PUBCHEM_COLORS ? static_cast<int>(orbala::ColorScheme::PubChem)
                                                  : static_cast<int>(orbala::ColorScheme::Jmol);
  applyElementColors();
  return 1;
}

long Orbala::onCmdSizeDefaults(FXObject*, FXSelector, void*) {
  applyElementSizesReported();
  return 1;
}

long Orbala::onCmdSlaterSizes(FXObject*, FXSelector, void*) {
  applyElementSizes();
  return 1;
}

long Orbala::onCmdAllSameSize(FXObject*, FXSelector, void*) {
  setAllSizesSame();
  return 1;
}

void Orbala::applyElementColors() {
  const FXint rows = FXMIN(static_cast<FXint>(swatches.size()), table->getNumRows());
  for (FXint r = 0; r < rows; ++r)
    table->setItemIcon(r, 0, nullptr);
  const auto scheme = static_cast<orbala::ColorScheme>(colorScheme);
  if (scheme != orbala::ColorScheme::PubChem && scheme != orbala::ColorScheme::Jmol) return;

  const orbala::ElementScan scan = scanTable(this);
  const auto& elements = orbala::elementTable();
  for (const auto& [row, element] : scan.matches) {
    const orbala::Rgb colour = *orbala::schemeColor(elements[element], scheme);
    table->setCellText(row, 4, std::to_string(colour.r));
    table->setCellText(row, 5, std::to_string(colour.g));
    table->setCellText(row, 6, std::to_string(colour.b));
  }
  if (!scan.matches.empty()) {
    colorPoints = true;
    syncSphereColorRadios();
    // Drawing first: it may turn colourless rows gray, and the swatches must show that too.
    redrawFromTable();
    buildColorSwatches();
  }
  reportUnmatched(this, scan);
}

void Orbala::applyElementSizesReported(bool redraw) {
  const orbala::ElementScan scan = scanTable(this);
  const auto& elements = orbala::elementTable();
  std::vector<std::string> sizes(elements.size()); // each element's text, made once
  for (const auto& [row, element] : scan.matches) {
    if (sizes[element].empty()) sizes[element] = orbala::formatFixed(elements[element].radius, 2);
    table->setCellText(row, 7, sizes[element]);
  }
  if (redraw && !scan.matches.empty()) redrawFromTable();
  reportUnmatched(this, scan);
}

void Orbala::applyElementSizes() {
  const auto& elements = orbala::elementTable();
  for (FXint r = 0; r < table->getNumRows(); ++r) {
    const int element = orbala::matchElementLabel(table->cellText(r, 0));
    if (element >= 0)
      table->setItemText(r, 7, orbala::formatFixed(elements[element].radius, 2).c_str());
  }
  redrawFromTable();
}

void Orbala::setAllSizesSame() {
  const FXString one = orbala::formatFixed(1.0, 2).c_str();
  for (FXint r = 0; r < table->getNumRows(); ++r)
    table->setItemText(r, 7, one);
  redrawFromTable();
}

void Orbala::buildColorSwatches() {
  // The table may have been resized since the last build: only touch rows it still has.
  const FXint old = FXMIN(static_cast<FXint>(swatches.size()), table->getNumRows());
  for (FXint r = 0; r < old; ++r)
    table->setItemIcon(r, 0, nullptr);
  freeColorSwatches();

  FXint count = 0;
  while (count < table->getNumRows() && rowHasCoordinates(count))
    ++count;
  if (count == 0) return;

  const FXint w = FXMAX(table->getColumnWidth(0), 1);
  const FXint h = FXMAX(table->getRowHeight(0), 1);
  swatches.reserve(count);
  // Rows of one colour share one icon: a table of many points has few colours, and every icon
  // is a picture on the X server.
  std::unordered_map<FXColor, FXIcon*> byColour;
  for (FXint r = 0; r < count; ++r) {
    const FXColor fill = colorPoints ? FXRGB(colourChannel(table, r, 4), colourChannel(table, r, 5),
                                             colourChannel(table, r, 6))
                                     : kSwatchGray;
    FXIcon*& icon = byColour[fill];
    if (!icon) icon = makeSwatch(getApp(), fill, w, h, table->getTextColor());
    swatches.push_back(icon);
    table->setItemIcon(r, 0, icon);
  }
}

void Orbala::freeColorSwatches() {
  // Never leave a cell pointing at an icon that is about to go.
  const FXint rows = FXMIN(static_cast<FXint>(swatches.size()), table->getNumRows());
  for (FXint r = 0; r < rows; ++r)
    if (table->getItemIcon(r, 0) == swatches[r]) table->setItemIcon(r, 0, nullptr);
  std::sort(swatches.begin(), swatches.end());
  swatches.erase(std::unique(swatches.begin(), swatches.end()), swatches.end());
  for (FXIcon* icon : swatches) {
    icon->destroy();
    delete icon;
  }
  swatches.clear();
}

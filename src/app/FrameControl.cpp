// The frame control: step, slide and play through the frames of an atom file.
#include "app/Orbala.h"
#include "app/Text.h"

#include <fxkeys.h>

#include <algorithm>
#include <chrono>

#include "io/core/AtomFrames.h"
#include "table/Table_zk2.h"
#include "table/core/Elements.h"
#include "table/core/Numbers.h"

namespace {

constexpr FXint kDefaultFramesPerSecond = 10;
constexpr FXint kMostFramesPerSecond = 60;

} // namespace

void Orbala::buildFrameBar() {
  // Below everything, so that showing it takes its height from the plot and the table alike.
  frameBar =
      new FXHorizontalFrame(this, LAYOUT_SIDE_BOTTOM | LAYOUT_FILL_X, 0, 0, 0, 0, 6, 6, 3, 3, 4, 0);
  frameBackButton = new FXButton(frameBar, "<\tPrevious frame (Left)", nullptr, this, ID_FRAME_BACK,
                                 BUTTON_NORMAL | LAYOUT_CENTER_Y);
  framePlayButton =
      new FXButton(frameBar, "Play\tPlay the frames in a loop (Space)", nullptr, this,
                   ID_FRAME_PLAY, BUTTON_NORMAL | LAYOUT_CENTER_Y | LAYOUT_FIX_WIDTH, 0, 0, 56);
  frameForwardButton = new FXButton(frameBar, ">\tNext frame (Right)", nullptr, this,
                                    ID_FRAME_FORWARD, BUTTON_NORMAL | LAYOUT_CENTER_Y);
  frameSlider = new FXSlider(frameBar, this, ID_FRAME_SLIDER,
                             SLIDER_HORIZONTAL | SLIDER_INSIDE_BAR | LAYOUT_FILL_X |
                                 LAYOUT_CENTER_Y | LAYOUT_FIX_HEIGHT,
                             0, 0, 0, 20);
  // As wide whatever the title, so the slider under the pointer does not move while playing.
  frameLabel =
      new FXLabel(frameBar, "", nullptr,
                  LABEL_NORMAL | LAYOUT_CENTER_Y | JUSTIFY_LEFT | LAYOUT_FIX_WIDTH, 0, 0, 320);
  new FXLabel(frameBar, "Frames/s", nullptr, LABEL_NORMAL | LAYOUT_CENTER_Y);
  frameSpeedSpinner = new FXSpinner(frameBar, 3, nullptr, 0,
                                    SPIN_NORMAL | FRAME_SUNKEN | FRAME_THICK | LAYOUT_CENTER_Y);
  frameSpeedSpinner->setRange(1, kMostFramesPerSecond);
  frameSpeedSpinner->setValue(kDefaultFramesPerSecond);
  frameSpeedSpinner->setTipText("Frames a second while playing");
  frameBar->hide();
}

void Orbala::showFrameControl(const FXString& note) {
  const size_t count = frameSource ? frameSource->frameCount() : 0;
  if (count < 2) {
    stopFrames();
    if (frameBar->shown()) {
      frameBar->hide();
      recalc();
    }
    return;
  }
  frameSlider->setRange(1, static_cast<FXint>(std::min<size_t>(count, 0x7fffffff)));
  frameSlider->setValue(static_cast<FXint>(currentFrame + 1));
  const std::string title = frameSource->frameTitle(currentFrame);
  FXString text = FXStringFormat("Frame %lu / %lu", static_cast<unsigned long>(currentFrame + 1),
                                 static_cast<unsigned long>(count));
  text += note;
  if (!title.empty()) text += fx("   " + title);
  frameLabel->setText(text);
  // The label keeps its width: what does not fit shows when the pointer rests on it.
  frameLabel->setTipText(text);
  framePlayButton->setText(playingFrames ? "Pause" : "Play");
  if (!frameBar->shown()) {
    frameBar->show();
    recalc();
  }
}

void Orbala::stopFrames() {
  if (!playingFrames) return;
  playingFrames = false;
  getApp()->removeTimeout(this, ID_FRAME_TIMER);
  framePlayButton->setText("Play");
}

void Orbala::dropFrames() {
  stopFrames();
  frameSource.reset();
  showFrameControl();
}

bool Orbala::showFrame(size_t index, std::string* whyNot) {
  std::vector<orbala::XyzAtom> atoms;
  std::string why = "there is no such frame";
  if (!frameSource || index >= frameSource->frameCount() ||
      !frameSource->readFrame(index, atoms, why)) {
    stopFrames();
    if (whyNot)
      *whyNot = why;
    else
      dialogs->message(this, BoxKind::Warning, "Data warning",
                       fx("Frame " + std::to_string(index + 1) + " cannot be shown: " + why + "."));
    return false;
  }
  const auto& elements = orbala::elementTable();
  const auto scheme = static_cast<orbala::ColorScheme>(colorScheme);
  const bool sizes = applyDefaultSizesCheck->getCheck() != FALSE;
  const FXint count = static_cast<FXint>(std::min<size_t>(atoms.size(), table->getNumRows()));
  // The table may have been set up anew, smaller, since the last frame.
  frameRows = std::min(frameRows, table->getNumRows());
  bool labelsChanged = count != frameRows;
  for (FXint r = 0; r < count; ++r) {
    const orbala::XyzAtom& atom = atoms[static_cast<size_t>(r)];
    const orbala::ElementRecord& element = elements[atom.element];
    if (r >= frameRows || table->cellText(r, 0) != element.symbol) {
      // Another atom in this row: it looks as a freshly opened one would.
      labelsChanged = true;
      table->setCellText(r, 0, element.symbol);
      const auto colour = orbala::schemeColor(element, scheme);
      table->setCellText(r, 4, colour ? std::to_string(colour->r) : std::string());
      table->setCellText(r, 5, colour ? std::to_string(colour->g) : std::string());
      table->setCellText(r, 6, colour ? std::to_string(colour->b) : std::string());
      table->setCellText(r, 7, sizes ? orbala::formatFixed(element.radius, 2) : "1.0");
      for (FXint c = 8; c <= 9; ++c)
        table->setItemIcon(r, c, tableIcon);
      rowState.showFlags[r] = rowState.opaqueFlags[r] = 1;
    }
    table->setCellText(r, 1, orbala::formatFixed(atom.x, 5));
    table->setCellText(r, 2, orbala::formatFixed(atom.y, 5));
    table->setCellText(r, 3, orbala::formatFixed(atom.z, 5));
  }
  // Rows of a bigger frame before: empty again, as the open left them.
  for (FXint r = count; r < frameRows; ++r) {
    for (FXint c = 0; c <= 6; ++c)
      table->setCellText(r, c, std::string_view());
    table->setCellText(r, 7, "1.0");
    for (FXint c = 8; c <= 9; ++c)
      table->setItemIcon(r, c, tableIcon);
    rowState.showFlags[r] = rowState.opaqueFlags[r] = 1;
  }
  frameRows = count;
  currentFrame = index;
  // The camera stays where the user put it: no refit.
  readTableAndRebuild(false);
  if (labelsChanged) buildColorSwatches();
  showFrameControl(atoms.size() > static_cast<size_t>(count)
                       ? FXStringFormat("   (%d of %lu atoms: the table is full)", count,
                                        static_cast<unsigned long>(atoms.size()))
                       : FXString());
  return true;
}

long Orbala::onCmdFrameSlider(FXObject*, FXSelector, void* ptr) {
  const auto value = static_cast<FXint>(reinterpret_cast<FXival>(ptr));
  if (value >= 1 && static_cast<size_t>(value - 1) != currentFrame)
    showFrame(static_cast<size_t>(value - 1));
  return 1;
}

long Orbala::onCmdFrameStep(FXObject*, FXSelector sel, void*) {
  if (!frameSource || frameSource->frameCount() < 2) return 1;
  stopFrames();
  const size_t count = frameSource->frameCount();
  const bool back = FXSELID(sel) == ID_FRAME_BACK;
  showFrame(back ? (currentFrame + count - 1) % count : (currentFrame + 1) % count);
  return 1;
}

long Orbala::onCmdFramePlay(FXObject*, FXSelector, void*) {
  if (playingFrames) {
    stopFrames();
  } else if (frameSource && frameSource->frameCount() > 1) {
    playingFrames = true;
    framePlayButton->setText("Pause");
    getApp()->addTimeout(this, ID_FRAME_TIMER, 1);
  }
  return 1;
}

long Orbala::onTimeoutFrame(FXObject*, FXSelector, void*) {
  if (!playingFrames || !frameSource || frameSource->frameCount() < 2) return 1;
  const auto start = std::chrono::steady_clock::now();
  if (!showFrame((currentFrame + 1) % frameSource->frameCount())) return 1;
  // Paint now: the loop only paints when nothing is due, and a frame slower than the tick left
  // the label, the slider and the window's layout waiting for good.
  getApp()->repaint();
  // The time the frame took counts towards the next tick, but a few milliseconds always stay
  // free: a tick that is always due would keep the clicks and keys of the user from the loop.
  const long spent = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - start)
                                           .count());
  const long interval = 1000 / std::max(1, frameSpeedSpinner->getValue());
  getApp()->addTimeout(this, ID_FRAME_TIMER, static_cast<FXuint>(std::max(5L, interval - spent)));
  return 1;
}

// Keys on the plot step through the frames: Left and Right, Home and End, Space plays.
long Orbala::onKeyViewer(FXObject*, FXSelector, void* ptr) {
  if (!frameSource || frameSource->frameCount() < 2) return 0;
  const auto* event = static_cast<const FXEvent*>(ptr);
  if (event->state & (CONTROLMASK | ALTMASK)) return 0;
  switch (event->code) {
  case KEY_Left:
  case KEY_KP_Left:
    return onCmdFrameStep(this, FXSEL(SEL_COMMAND, ID_FRAME_BACK), nullptr);
  case KEY_Right:
  case KEY_KP_Right:
    return onCmdFrameStep(this, FXSEL(SEL_COMMAND, ID_FRAME_FORWARD), nullptr);
  case KEY_Home:
    stopFrames();
    showFrame(0);
    return 1;
  case KEY_End:
    stopFrames();
    showFrame(frameSource->frameCount() - 1);
    return 1;
  case KEY_space:
    return onCmdFramePlay(this, FXSEL(SEL_COMMAND, ID_FRAME_PLAY), nullptr);
  default:
    return 0;
  }
}

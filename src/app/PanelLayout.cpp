#include "app/PanelLayout.h"

#include <climits>

#include <fx3d.h>

FXIMPLEMENT(FlowFrame, FXPacker, nullptr, 0)

FXDEFMAP(PanelSplitter)
PanelSplitterMap[] = {FXMAPFUNC(SEL_MOTION, 0, PanelSplitter::onMotion)};
FXIMPLEMENT(PanelSplitter, FXSplitter, PanelSplitterMap, ARRAYNUMBER(PanelSplitterMap))

namespace {

FXint laidOutWidth(FXWindow* child) {
  return (child->getLayoutHints() & LAYOUT_FIX_WIDTH) ? child->getWidth()
                                                      : child->getDefaultWidth();
}

FXint laidOutHeight(FXWindow* child) {
  return (child->getLayoutHints() & LAYOUT_FIX_HEIGHT) ? child->getHeight()
                                                       : child->getDefaultHeight();
}

FXWindow* nextShown(FXWindow* child) {
  while (child && !child->shown())
    child = child->getNext();
  return child;
}

} // namespace

FlowFrame::FlowFrame(FXComposite* p, FXuint opts, FXint pl, FXint pr, FXint pt, FXint pb, FXint hs,
                     FXint vs)
    : FXPacker(p, opts, 0, 0, 0, 0, pl, pr, pt, pb, hs, vs) {}

FXint FlowFrame::getDefaultWidth() {
  FXint widest = 0;
  for (FXWindow* child = nextShown(getFirst()); child; child = nextShown(child->getNext()))
    widest = FXMAX(widest, laidOutWidth(child));
  return widest + padleft + padright + 2 * border;
}

FXint FlowFrame::getDefaultHeight() {
  return flow(givenWidth(), false);
}

void FlowFrame::layout() {
  flow(width, true);
  flags &= ~FLAG_DIRTY;
}

// A stretching parent sizes itself first and asks for our height before it gives us our width,
// so the height must be that of the width about to come, not of the one we had.
FXint FlowFrame::givenWidth() {
  FXWindow* parent = getParent();
  if ((getLayoutHints() & LAYOUT_FILL_X) && parent->isMemberOf(FXMETACLASS(FXPacker)) &&
      parent->getWidth() > 1) {
    const auto* packer = static_cast<FXPacker*>(parent);
    return packer->getWidth() - packer->getPadLeft() - packer->getPadRight() -
           2 * packer->getBorderWidth();
  }
  return width > 1 ? width : INT_MAX / 2; // not laid out yet: one line
}

FXint FlowFrame::flow(FXint w, bool place) {
  const FXint left = border + padleft;
  const FXint right = w - border - padright;
  FXint top = border + padtop;
  FXint bottom = top;
  FXWindow* lineStart = nextShown(getFirst());
  while (lineStart) {
    FXint x = left;
    FXint lineHeight = 0;
    FXWindow* end = lineStart;
    // A box wider than the row still gets a line of its own.
    while (end && (end == lineStart || x + laidOutWidth(end) <= right)) {
      x += laidOutWidth(end) + hspacing;
      lineHeight = FXMAX(lineHeight, laidOutHeight(end));
      end = nextShown(end->getNext());
    }
    if (place) {
      // Once the row wraps, its lines share out their spare room so their edges line up.
      const bool wraps = end || lineStart != nextShown(getFirst());
      FXint spare = wraps ? FXMAX(right - (x - hspacing), 0) : 0;
      FXint count = 0;
      for (FXWindow* child = lineStart; child != end; child = nextShown(child->getNext()))
        ++count;
      x = left;
      for (FXWindow* child = lineStart; child != end; child = nextShown(child->getNext())) {
        const FXint extra = spare / count--;
        spare -= extra;
        const FXint cw = laidOutWidth(child) + extra;
        const FXint ch =
            (child->getLayoutHints() & LAYOUT_FILL_Y) ? lineHeight : laidOutHeight(child);
        child->position(x, top, cw, ch);
        x += cw + hspacing;
      }
    }
    bottom = top + lineHeight;
    top = bottom + vspacing;
    lineStart = end;
  }
  return bottom + padbottom + border;
}

PanelSplitter::PanelSplitter(FXComposite* p, FXuint opts) : FXSplitter(p, opts) {}

void PanelSplitter::setPanelWidth(FXint w) {
  wantedWidth = w;
  recalc();
}

void PanelSplitter::setLeastPanelWidth(FXint w) {
  leastWidth = w;
  recalc();
}

void PanelSplitter::layout() {
  FXWindow* panel = getFirst();
  FXWindow* view = panel ? panel->getNext() : nullptr;
  FXint viewLeft = 0;
  if (panel && panel->shown()) {
    laidWidth = orbala::fittedPanelWidth(wantedWidth, leastWidth, width, getBarSize());
    panel->position(0, 0, laidWidth, height);
    viewLeft = laidWidth + getBarSize();
  }
  if (view) {
    const FXint w = FXMAX(width - viewLeft, 0);
    const bool resized = w != view->getWidth() || height != view->getHeight();
    view->position(viewLeft, 0, w, height);
    if (resized) repaintWhole(view);
  }
  flags &= ~FLAG_DIRTY;
}

// The plot depends on the view's whole size: all of it is drawn anew at once, not only the part
// that came into sight. The GL learns a new size at a buffer swap, so one comes first, or the
// picture would be drawn at the old size.
void PanelSplitter::repaintWhole(FXWindow* view) {
  auto* canvas = dynamic_cast<FXGLCanvas*>(view);
  if (canvas && canvas->id() && canvas->makeCurrent()) {
    canvas->swapBuffers();
    canvas->makeNonCurrent();
  }
  view->update();
  if (view->id() && view->shown()) view->repaint();
}

// While the bar is dragged the toolkit resizes the panel; that becomes the wanted width.
long PanelSplitter::onMotion(FXObject* sender, FXSelector sel, void* ptr) {
  const long handled = FXSplitter::onMotion(sender, sel, ptr);
  FXWindow* panel = getFirst();
  if (panel && panel->shown() && panel->getWidth() != laidWidth) {
    wantedWidth = orbala::fittedPanelWidth(panel->getWidth(), leastWidth, width, getBarSize());
    layout();
  }
  return handled;
}

#pragma once
// The frames that share the window between the control panel and the view.
#include <fx.h>

#include "app/core/PanelSplit.h"

// A row of group boxes that goes on in a further line wherever the next box would not fit, so a
// narrow panel still shows every box whole.
class FlowFrame : public FXPacker {
  FXDECLARE(FlowFrame)
protected:
  FlowFrame() {}

public:
  FlowFrame(FXComposite* p, FXuint opts, FXint pl, FXint pr, FXint pt, FXint pb, FXint hs,
            FXint vs);
  virtual FXint getDefaultWidth();  // the widest box: the narrowest the row can be
  virtual FXint getDefaultHeight(); // the lines it takes at the width it is given
  virtual void layout();

private:
  FXint givenWidth();
  // Lays the shown children out in lines within `w`, moving them only when `place` is set;
  // returns the height the lines take.
  FXint flow(FXint w, bool place);
};

// The splitter between the panel (first child) and the view (second). The panel keeps the width
// the user dragged it to, the view always keeps orbala::kMinViewWidth to plot in.
class PanelSplitter : public FXSplitter {
  FXDECLARE(PanelSplitter)
protected:
  PanelSplitter() {}

public:
  PanelSplitter(FXComposite* p, FXuint opts);
  long onMotion(FXObject*, FXSelector, void*);
  virtual void layout();

  // The width the user wants, kept while the window is too narrow to give it.
  void setPanelWidth(FXint w);
  FXint getPanelWidth() const { return wantedWidth; }
  // The narrowest the panel is made while the window has room for it.
  void setLeastPanelWidth(FXint w);

private:
  static void repaintWhole(FXWindow* view);

  FXint wantedWidth = orbala::kDefaultPanelWidth;
  FXint leastWidth = 0;
  FXint laidWidth = -1; // what the last layout gave the panel
};

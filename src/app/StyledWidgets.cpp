#include "app/StyledWidgets.h"

#include "app/core/HoverShade.h"

FXDEFMAP(MenuButtonWin10Style)
MenuButtonWin10StyleMap[] = {
    FXMAPFUNC(SEL_ENTER, 0, MenuButtonWin10Style::onEnter),
    FXMAPFUNC(SEL_LEAVE, 0, MenuButtonWin10Style::onLeave),
};
FXIMPLEMENT(MenuButtonWin10Style, FXButton, MenuButtonWin10StyleMap,
            ARRAYNUMBER(MenuButtonWin10StyleMap))

FXDEFMAP(MenuTitleWin10Style)
MenuTitleWin10StyleMap[] = {
    FXMAPFUNC(SEL_ENTER, 0, MenuTitleWin10Style::onEnter),
    FXMAPFUNC(SEL_LEAVE, 0, MenuTitleWin10Style::onLeave),
};
FXIMPLEMENT(MenuTitleWin10Style, FXMenuTitle, MenuTitleWin10StyleMap,
            ARRAYNUMBER(MenuTitleWin10StyleMap))

FXColor hoverShade(FXColor color) {
  const orbala::Rgb shade =
      orbala::hoverShade({FXREDVAL(color), FXGREENVAL(color), FXBLUEVAL(color)});
  return FXRGB(shade.r, shade.g, shade.b);
}

MenuButtonWin10Style::MenuButtonWin10Style(FXComposite* p, const FXString& text, FXIcon* ic,
                                           FXObject* tgt, FXSelector sel, FXuint opts, FXint x,
                                           FXint y, FXint w, FXint h, FXint pl, FXint pr, FXint pt,
                                           FXint pb)
    : FXButton(p, text, ic, tgt, sel, opts, x, y, w, h, pl, pr, pt, pb) {
  setHiliteColor(hoverShade(getBackColor()));
  setShadowColor(hoverShade(getBackColor()));
}

long MenuButtonWin10Style::onEnter(FXObject* sender, FXSelector sel, void* ptr) {
  FXButton::onEnter(sender, sel, ptr);
  if (isEnabled()) setBackColor(hoverShade(getBackColor()));
  return 1;
}

long MenuButtonWin10Style::onLeave(FXObject* sender, FXSelector sel, void* ptr) {
  FXButton::onLeave(sender, sel, ptr);
  if (isEnabled()) setBackColor(getParent()->getBackColor());
  return 1;
}

MenuTitleWin10Style::MenuTitleWin10Style(FXComposite* p, const FXString& text, FXPopup* pup)
    : FXMenuTitle(p, text, nullptr, pup, 0) {
  hoverBackColor = hoverShade(getBackColor());
  hoverSelBackColor = hoverShade(getSelBackColor());
  normalBackColor = p->getBackColor();
  setHiliteColor(hoverBackColor);
  setShadowColor(hoverBackColor);
}

long MenuTitleWin10Style::onEnter(FXObject* sender, FXSelector sel, void* ptr) {
  FXMenuTitle::onEnter(sender, sel, ptr);
  if (isEnabled()) {
    setBackColor(hoverBackColor);
    setSelBackColor(hoverSelBackColor);
  }
  return 1;
}

long MenuTitleWin10Style::onLeave(FXObject* sender, FXSelector sel, void* ptr) {
  FXMenuTitle::onLeave(sender, sel, ptr);
  if (isEnabled()) setBackColor(normalBackColor);
  return 1;
}

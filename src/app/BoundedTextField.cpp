#include "app/BoundedTextField.h"

#include "app/Text.h"
#include "table/core/TableLimits.h"

FXDEFMAP(BoundedTextField)
BoundedTextFieldMap[] = {
    FXMAPFUNC(SEL_PAINT, 0, BoundedTextField::onPaint),
    FXMAPFUNC(SEL_COMMAND, FXTextField::ID_INSERT_STRING, BoundedTextField::onCmdAddText),
    FXMAPFUNC(SEL_COMMAND, FXTextField::ID_OVERST_STRING, BoundedTextField::onCmdAddText),
    FXMAPFUNC(SEL_COMMAND, FXTextField::ID_PASTE_SEL, BoundedTextField::onCmdAddText),
    FXMAPFUNC(SEL_COMMAND, FXTextField::ID_PASTE_MIDDLE, BoundedTextField::onCmdAddText),
};
FXIMPLEMENT(BoundedTextField, FXTextField, BoundedTextFieldMap, ARRAYNUMBER(BoundedTextFieldMap))

BoundedTextField::BoundedTextField(FXComposite* p, size_t maxBytes, FXint ncols, FXObject* tgt,
                                   FXSelector sel, FXuint opts, FXint x, FXint y, FXint w, FXint h,
                                   FXint pl, FXint pr, FXint pt, FXint pb)
    : FXTextField(p, ncols, tgt, sel, opts, x, y, w, h, pl, pr, pt, pb), maxBytes(maxBytes) {}

void BoundedTextField::clip() {
  if (static_cast<size_t>(contents.length()) > maxBytes)
    setText(fx(orbala::clipText(view(contents), maxBytes)));
}

// Typing and pasting go through the toolkit first; what lands beyond the bound is dropped.
long BoundedTextField::onCmdAddText(FXObject* sender, FXSelector sel, void* ptr) {
  const long handled = FXTextField::handle(sender, sel, ptr);
  clip();
  return handled;
}

// Whatever way a text got in (setText is not virtual), it is bounded before it is drawn.
long BoundedTextField::onPaint(FXObject* sender, FXSelector sel, void* ptr) {
  clip();
  return FXTextField::onPaint(sender, sel, ptr);
}

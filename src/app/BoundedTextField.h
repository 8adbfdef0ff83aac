#pragma once
// A text field that never holds more than a given number of bytes: X aborts the program when
// asked to draw a text of a few hundred thousand characters, and a paste can bring one.
#include <fx.h>

#include <cstddef>

class BoundedTextField : public FXTextField {
  FXDECLARE(BoundedTextField)
protected:
  BoundedTextField() {}

public:
  BoundedTextField(FXComposite* p, size_t maxBytes, FXint ncols, FXObject* tgt = nullptr,
                   FXSelector sel = 0, FXuint opts = TEXTFIELD_NORMAL, FXint x = 0, FXint y = 0,
                   FXint w = 0, FXint h = 0, FXint pl = DEFAULT_PAD, FXint pr = DEFAULT_PAD,
                   FXint pt = DEFAULT_PAD, FXint pb = DEFAULT_PAD);

  long onCmdAddText(FXObject*, FXSelector, void*);
  long onPaint(FXObject*, FXSelector, void*);

private:
  void clip();
  size_t maxBytes = 256;
};

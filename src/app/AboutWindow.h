#pragma once
// The About box: the program's name and version, the maker, the toolkit credit and a picture.
#include <fx.h>

class AboutWindow : public FXDialogBox {
  FXDECLARE(AboutWindow)

public:
  enum { ID_PICTURE = FXDialogBox::ID_LAST, ID_LAST };

  AboutWindow(FXWindow* owner, const FXString& appName, const FXString& version);
  virtual ~AboutWindow();

  long onPaintPicture(FXObject*, FXSelector, void*);
  long onClose(FXObject*, FXSelector, void*);

  FXString heading() const { return headingLabel->getText(); }
  FXString body() const { return textLabel->getText(); }

protected:
  AboutWindow() {}

private:
  AboutWindow(const AboutWindow&) = delete;
  AboutWindow& operator=(const AboutWindow&) = delete;

  FXGIFIcon* icon = nullptr;
  FXCanvas* canvas = nullptr;
  FXImage* picture = nullptr;
  FXLabel* headingLabel = nullptr;
  FXLabel* textLabel = nullptr;
};

// "... the FOX Toolkit library vX.Y.Z", with the version this program was built with.
FXString foxCredit();

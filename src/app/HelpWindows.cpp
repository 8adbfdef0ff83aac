// The About and Instructions windows, and the web link.
#include "app/Orbala.h"

#include <memory>

#include "app/AboutWindow.h"
#include "app/Maker.h"
#include "platform/Browser.h"
#include "table/Table_zk2.h"

namespace {

// 1 x 1, one green pixel.
const unsigned char kInstructionsGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01,
                                          0x00, 0x80, 0x00, 0x00, 0xc0, 0xc0, 0xc0, 0x30, 0xa0,
                                          0x50, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                          0x00, 0x00, 0x02, 0x02, 0x4c, 0x01, 0x00, 0x3b};

// A column title on one line ("Relative\nsize" reads "Relative size").
FXString oneLine(FXString title) {
  return title.substitute("\n", " ");
}

} // namespace

long Orbala::onCmdAbout(FXObject*, FXSelector, void*) {
  AboutWindow about(this, kAppName, kVersion);
  about.execute(PLACEMENT_OWNER);
  return 1;
}

long Orbala::onCmdInstructions(FXObject*, FXSelector, void*) {
  FXDialogBox dialog(this, "Instructions",
                     DECOR_TITLE | DECOR_CLOSE | DECOR_SHRINKABLE | DECOR_STRETCHABLE, 0, 0, 800,
                     550, 4, 4, 4, 4, 4, 4);
  std::unique_ptr<FXGIFIcon> icon(new FXGIFIcon(getApp(), kInstructionsGif, FXRGB(192, 192, 192)));
  icon->create();
  dialog.setIcon(icon.get());
  auto* frame =
      new FXVerticalFrame(&dialog, LAYOUT_FILL_X | LAYOUT_FILL_Y, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  auto* text = new FXText(frame, nullptr, 0, TEXT_WORDWRAP | LAYOUT_FILL_X | LAYOUT_FILL_Y, 0, 0, 0,
                          0, 3, 3, 2, 2);
  text->setText(instructionsText());
  text->setEditable(FALSE);
  new FXButton(frame, "     OK", nullptr, &dialog, FXDialogBox::ID_ACCEPT,
               FRAME_RAISED | FRAME_THICK | LAYOUT_CENTER_X, 0, 0, 0, 0, 2, 2, 2, 2);
  dialog.execute(PLACEMENT_OWNER);
  // The dialog's window goes before the icon it shows.
  dialog.destroy();
  return 1;
}

long Orbala::onCmdWebSite(FXObject*, FXSelector, void*) {
  openInBrowser(maker::kWebSite);
  return 1;
}

void Orbala::openInBrowser(const std::string& address) {
  if (address.empty()) return;
  if (openBrowser) {
    openBrowser(address);
  } else {
    orbala::platform::openInBrowser(address);
  }
}

FXString Orbala::instructionsText() const {
  const FXString sizeTitle = oneLine(table->getColumnText(7));
  const FXString menuTitle = imageOptionsTitle->getText();
  FXString s;
  int n = 0;
  s += FXStringFormat("%d)  %s and OpenGL.\n\n", ++n, foxCredit().text());
  s += FXStringFormat("%d)  The fastest way to start is to enter x, y, z points into the table and "
                      "press the \"%s\" button.\n\n",
                      ++n, redrawButton->getText().text());
  s += FXStringFormat(
      "%d)  You can manipulate the plot with your mouse buttons and wheel. Press the left button "
      "and move the mouse to rotate the plot. Press the right button and move the mouse to pan "
      "the plot. The mouse wheel will zoom the plot. There are also some predefined views.\n\n",
      ++n);
  s += FXStringFormat("%d)  Use the \"R\" slider (top right) to change the size of the points and "
                      "the \"%s\" slider (bottom right) to change the background color.\n\n",
                      ++n, backgroundGroup->getText().text());
  s += FXStringFormat(
      "%d)  You can animate the rotation by clicking the \"%s\" button. The speed can be changed "
      "with the top horizontal slider. While the animation is playing it plays smoother if you "
      "move the mouse off the plot.\n\n",
      ++n, rotateButton->getText().text());
  s += FXStringFormat(
      "%d)  The color of the points can be changed all at once or individually. Use the \"%s\" "
      "menu item to change from gray to colored spheres. When you select a color from the menu "
      "all of the spheres will be changed. You can also change the color of individual sphere in "
      "the table by entering RGB values or right-clicking on a row and selecting a predefined "
      "color.\n\n",
      ++n, menuTitle.text());
  s += FXStringFormat(
      "%d)  You can show or hide individual points using the \"%s\" check column.\n\n", ++n,
      table->getColumnText(8).text());
  s += FXStringFormat("%d)  You can change the relative size of individual points using the "
                      "\"%s\" column. After you make a change press the \"%s\" button is "
                      "refresh.\n\n",
                      ++n, sizeTitle.text(), redrawButton->getText().text());
  s += FXStringFormat(
      "%d)  You can also scale the point size by putting the mouse in the \"%s\" textfield and "
      "scroll to scale the size. Press the \"shift\" key to speed-up the size change, press the "
      "\"ctrl+shift\" key combination for faster still.\n\n",
      ++n, scaleSizeGroup->getText().text());
  s += FXStringFormat(
      "    a)  \"%s\" scales the points if their label matches that of the selected row.\n",
      scaleModeRadios[0]->getText().text());
  s += FXStringFormat("    b)  \"%s\" scales the points if their row is highlighted. The rows "
                      "must be continuous.\n",
                      scaleModeRadios[1]->getText().text());
  s += FXStringFormat(
      "    c)  \"%s\" scales the points if their color (RGB) matches that of the selected row.\n",
      scaleModeRadios[2]->getText().text());
  s += FXStringFormat(
      "    d)  \"%s\" scales the points if their \"%s\" matches that of the selected row.\n\n",
      scaleModeRadios[3]->getText().text(), sizeTitle.text());
  s +=
      FXStringFormat("    d)  \"%s\" scales all points.\n\n", scaleModeRadios[4]->getText().text());
  s += FXStringFormat("%d)  The center of rotation of the plot can also be changed. Four options "
                      "are available:\n\n",
                      ++n);
  s += FXStringFormat("    a)  \"%s\" rotates about the axis zero point.\n",
                      rotationPointRadios[0]->getText().text());
  s += FXStringFormat("    b)  \"%s\" rotates about the average point of all of you points.\n",
                      rotationPointRadios[1]->getText().text());
  s += FXStringFormat("    c)  \"%s\" enter the row number of the point to rotate about.\n",
                      rotationPointRadios[2]->getText().text());
  s += FXStringFormat("    d)  \"%s\" rotates about the point you enter.\n\n",
                      rotationPointRadios[3]->getText().text());
  s += FXStringFormat("%d)  The \"Hide\" button will hide/show the table.\n\n", ++n);
  s += FXStringFormat("%d)  The axis can be hidden or displayed using the \"%s\" menu item.\n\n",
                      ++n, menuTitle.text());
  s += FXStringFormat(
      "%d)  You can make points transparent by unchecking the \"%s\" cell. You can change the "
      "level of opaqueness by putting the mouse in textfield and scrolling the mousewheel.\n\n",
      ++n, table->getColumnText(9).text());
  s += FXStringFormat("%d)  Right-click on the \"%s\" table to see more options.\n\n", ++n,
                      valuesGroup->getText().text());
  return s;
}

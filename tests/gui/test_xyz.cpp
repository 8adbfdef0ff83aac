// Opening XYZ molecule files: rows, element colours and sizes, bad files, and Save afterwards.
#include "GuiHarness.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>

#include "table/Table_zk2.h"

namespace {

// The viewer's own drawing, reached without a subclass: the viewer belongs to the window.
struct ViewerAccess : FXGLViewer {
  static void draw(FXGLViewer* viewer, FXViewport& port) {
    void (FXGLViewer::*drawWorld)(FXViewport&) = &ViewerAccess::drawWorld;
    (viewer->*drawWorld)(port);
  }
};

// Draws one frame into the back buffer and reads it back (top row first).
std::vector<FXColor> renderViewer(FXGLViewer* viewer) {
  const int w = viewer->getWidth();
  const int h = viewer->getHeight();
  if (w < 1 || h < 1 || !viewer->makeCurrent()) return {};
  FXViewport port;
  viewer->getViewport(port);
  viewer->swapBuffers(); // the driver takes up the window's size at a swap
  ViewerAccess::draw(viewer, port);
  glFinish();
  std::vector<FXColor> raw(static_cast<size_t>(w) * h);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
  viewer->makeNonCurrent();
  std::vector<FXColor> picture(raw.size());
  for (int y = 0; y < h; ++y) // GL rows run bottom-up
    std::copy_n(raw.begin() + static_cast<size_t>(h - 1 - y) * w, w, picture.begin() + y * w);
  return picture;
}

// A lit sphere seen head-on shows nearly its own colour at its centre.
bool closeTo(FXColor seen, FXColor wanted) {
  return std::abs(FXREDVAL(seen) - FXREDVAL(wanted)) <= 25 &&
         std::abs(FXGREENVAL(seen) - FXGREENVAL(wanted)) <= 25 &&
         std::abs(FXBLUEVAL(seen) - FXBLUEVAL(wanted)) <= 25;
}

std::string describe(FXColor c) {
  return "(" + std::to_string(FXREDVAL(c)) + ", " + std::to_string(FXGREENVAL(c)) + ", " +
         std::to_string(FXBLUEVAL(c)) + ")";
}

class XyzTest : public OrbalaTest {
protected:
  std::string writeXyz(const std::string& name, const std::string& text) {
    const std::string path = dir + "/" + name;
    writeFile(path, text);
    return path;
  }
  bool open(const std::string& path) { return win->readDataFile(path.c_str(), false); }

  std::vector<std::string> atom(int row) const {
    return {cell(row, 0), cell(row, 1), cell(row, 2), cell(row, 3)};
  }
  std::vector<std::string> rgb(int row) const { return {cell(row, 4), cell(row, 5), cell(row, 6)}; }

  // Checks the "not an atom file" box and that the table still holds what it held before.
  void expectRejected(const std::string& path) {
    SCOPED_TRACE(path);
    setRow(0, {"keep", "1", "2", "3"});
    dialogs->boxes.clear();
    EXPECT_FALSE(open(path));
    ASSERT_EQ(dialogs->boxes.size(), 1u);
    EXPECT_EQ(dialogs->boxes[0].kind, "error");
    EXPECT_EQ(dialogs->boxes[0].title, "Error reading File");
    EXPECT_EQ(dialogs->boxes[0].text, "Unable to read this file (3): " + path);
    EXPECT_EQ(atom(0), (std::vector<std::string>{"keep", "1", "2", "3"}));
  }
};

const std::vector<std::string> kEmptyRow{"", "", "", ""};

} // namespace

TEST_F(XyzTest, AtomsFillTheTableWithDefaultOptions) {
  openWindow();
  const std::string path = writeXyz("co.xyz", "2\ncarbon monoxide\nC 0 0 0\nO 1.2 0 0\n\n\n");
  ASSERT_TRUE(open(path));
  EXPECT_EQ(atom(0), (std::vector<std::string>{"C", "0.00000", "0.00000", "0.00000"}));
  EXPECT_EQ(atom(1), (std::vector<std::string>{"O", "1.20000", "0.00000", "0.00000"}));
  EXPECT_EQ(atom(2), kEmptyRow);
  EXPECT_EQ(win->rowOverflowCount, 2);
  EXPECT_FALSE(win->rowOverflow);
  EXPECT_EQ(win->pointData.pointCount, 2);

  // Out of the box the Jmol colours and the default sizes are applied.
  EXPECT_EQ(win->colorScheme, 1);
  EXPECT_EQ(rgb(0), (std::vector<std::string>{"102", "102", "102"}));
  EXPECT_EQ(rgb(1), (std::vector<std::string>{"244", "0", "0"}));
  EXPECT_EQ(cell(0, 7), "0.70");
  EXPECT_EQ(cell(1, 7), "0.60");
  EXPECT_TRUE(win->colorPoints);
  EXPECT_EQ(win->swatches.size(), 2u);
  EXPECT_TRUE(dialogs->boxes.empty()) << "lines after the last atom are skipped quietly";

  // The parsing is unit-tested; here UTF-16 with a mark and CR LF reach the table.
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("1\r\nx\r\nS 1 2 3\r\n"))
    utf16 += {c, '\0'};
  ASSERT_TRUE(open(writeXyz("u.xyz", utf16)));
  EXPECT_EQ(atom(0), (std::vector<std::string>{"S", "1.00000", "2.00000", "3.00000"}));
  EXPECT_EQ(atom(1), kEmptyRow);
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(XyzTest, ColourOptions) {
  openWindow();
  const std::string path = writeXyz("c.xyz", "1\n\nC 0 0 0\n");
  // Both off, and no sizes: the cleared defaults stay.
  win->applyPubChemCheck->setCheck(FALSE);
  win->applyJmolCheck->setCheck(FALSE);
  win->applyDefaultSizesCheck->setCheck(FALSE);
  ASSERT_TRUE(open(path));
  EXPECT_EQ(win->colorScheme, 2);
  EXPECT_EQ(rgb(0), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(cell(0, 7), "1.0");
  EXPECT_FALSE(win->colorPoints);
  // A settings file can switch both on; PubChem wins.
  win->applyPubChemCheck->setCheck(TRUE);
  win->applyJmolCheck->setCheck(TRUE);
  ASSERT_TRUE(open(path));
  EXPECT_EQ(win->colorScheme, 0);
  EXPECT_EQ(rgb(0), (std::vector<std::string>{"44", "74", "74"}));
}

TEST_F(XyzTest, MoreAtomsThanRows) {
  openWindow();
  win->setUpTable(100);
  std::string text = "150\nlong chain\n";
  for (int i = 0; i < 150; ++i)
    text += "C " + std::to_string(i) + " 0 0\n";
  ASSERT_TRUE(open(writeXyz("long.xyz", text)));
  EXPECT_EQ(atom(99), (std::vector<std::string>{"C", "99.00000", "0.00000", "0.00000"}));
  EXPECT_TRUE(win->rowOverflow);
  EXPECT_EQ(win->rowOverflowCount, 100);
  ASSERT_EQ(dialogs->titles(), std::vector<std::string>{"Data warning"});
  EXPECT_EQ(dialogs->boxes[0].text,
            "Your file has more rows of data than the table can hold.\n\n"
            "Resize the table to have at least 100 rows and read it again.");
}

TEST_F(XyzTest, FilesThatAreNotAtomFiles) {
  openWindow();
  expectRejected(writeXyz("two.xyz", "1\nonly a comment\n"));
  expectRejected(writeXyz("label.xyz", "1\n\nC1 0 0 0\n"));
  expectRejected(writeXyz("huge.xyz", std::string(4 << 20, 'C')));

  std::string binary;
  for (int i = 0; i < 4096; ++i)
    binary += static_cast<char>((i * 37 + 11) & 0xFF);
  expectRejected(writeXyz("binary.xyz", binary));

  // A picture renamed to .xyz: signature, then the header chunk's bytes.
  const unsigned char header[] = {0x89, 'P',  'N',  'G',  '\r', '\n', 0x1a, '\n', 0,    0,    0,
                                  '\r', 'I',  'H',  'D',  'R',  0,    0,    0,    0x10, 0,    0,
                                  0,    0x10, 0x08, 0x06, 0,    0,    0,    0x1f, 0xf3, 0xff, 'a'};
  std::string png(reinterpret_cast<const char*>(header), sizeof header);
  png += std::string(200, '\0');
  expectRejected(writeXyz("picture.xyz", png));
}

TEST_F(XyzTest, AtomFileWithoutReadableAtoms) {
  openWindow();
  setRow(0, {"keep", "1", "2", "3"});
  EXPECT_FALSE(open(writeXyz("none.xyz", "2\n\nC a b c\nXx 1 2 3\n")));
  // Read as an atom file (so the table was cleared), but nothing to show: no box of its own.
  EXPECT_EQ(atom(0), kEmptyRow);
  EXPECT_TRUE(dialogs->boxes.empty());

  // Through the Open command the failure is reported to the user.
  dialogs->boxes.clear();
  dialogs->answerFile(dir + "/none.xyz", 1);
  command(Orbala::ID_OPEN);
  EXPECT_EQ(dialogs->titles(), std::vector<std::string>{"User file error"});
}

TEST_F(XyzTest, WaterIsDrawnInTheChosenScheme) {
  openWindow();
  win->resize(1500, 1000); // room for the viewer beside the table
  pump();
  const std::string path = writeXyz("water.xyz", "3\nWater\nO 0.00000 0.00000 0.11779\n"
                                                 "H 0.00000 0.75545 -0.47116\n"
                                                 "H 0.00000 -0.75545 -0.47116\n");
  struct Case {
    bool pubchem;
    FXColor oxygen, hydrogen;
  };
  for (const Case& c : {Case{true, FXRGB(0xF4, 0, 0), FXRGB(0x68, 0x8C, 0x8C)},
                        Case{false, FXRGB(0xF4, 0, 0), FXRGB(0xF6, 0xF6, 0xF6)}}) {
    SCOPED_TRACE(c.pubchem ? "PubChem" : "Jmol");
    win->applyPubChemCheck->setCheck(c.pubchem);
    win->applyJmolCheck->setCheck(!c.pubchem);
    ASSERT_TRUE(open(path));
    pump();
    const std::vector<FXColor> picture = renderViewer(win->viewer);
    ASSERT_FALSE(picture.empty());
    const int w = win->viewer->getWidth();
    const int h = win->viewer->getHeight();
    const auto at = [&](FXVec3f atom) {
      FXint sx = -1, sy = -1;
      win->viewer->eyeToScreen(sx, sy, win->viewer->worldToEye(atom));
      EXPECT_TRUE(sx >= 0 && sy >= 0 && sx < w && sy < h) << sx << ", " << sy;
      return sx >= 0 && sy >= 0 && sx < w && sy < h ? picture[sy * w + sx] : FXColor(0);
    };
    const FXColor oxygen = at(FXVec3f(0.0f, 0.0f, 0.11779f));
    const FXColor hydrogen = at(FXVec3f(0.0f, 0.75545f, -0.47116f));
    EXPECT_TRUE(closeTo(oxygen, c.oxygen)) << describe(oxygen);
    EXPECT_TRUE(closeTo(hydrogen, c.hydrogen)) << describe(hydrogen);
  }
}

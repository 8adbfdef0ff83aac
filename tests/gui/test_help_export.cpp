// The Help windows, the web link, the update command, and the picture saved or copied.
#include "GuiHarness.h"

#include <sys/stat.h>

#include "../support/LoopbackServer.h"
#include "app/AboutWindow.h"
#include "app/Maker.h"
#include "table/Table_zk2.h"

namespace {

struct Decoded {
  FXint width = 0;
  FXint height = 0;
  FXColor corner = 0;
  bool ok = false;
};

// Reads BMP bytes back with the toolkit's own reader.
Decoded decodeBmp(const void* bytes, size_t size) {
  Decoded d;
  FXMemoryStream stream;
  stream.open(FXStreamLoad, static_cast<FXuval>(size),
              static_cast<FXuchar*>(const_cast<void*>(bytes)));
  FXColor* pixels = nullptr;
  d.ok = fxloadBMP(stream, pixels, d.width, d.height) && pixels;
  if (d.ok) d.corner = pixels[2 * d.width + 2];
  FXFREE(&pixels);
  stream.close();
  return d;
}

bool nearGrey(FXColor c, int grey) {
  return std::abs(static_cast<int>(FXREDVAL(c)) - grey) <= 2 &&
         std::abs(static_cast<int>(FXGREENVAL(c)) - grey) <= 2 &&
         std::abs(static_cast<int>(FXBLUEVAL(c)) - grey) <= 2;
}

} // namespace

class HelpExportTest : public OrbalaTest {
protected:
  void openWithPlot() {
    openWindow();
    win->position(0, 0, 1200, 900);
    pump();
    setRow(0, {"", "10", "8", "0", "255", "0", "0"});
    win->backgroundSlider->setValue(50); // grey 128
    win->readTable(true);
  }
  void listenToBrowser() {
    win->openBrowser = [this](const std::string& address) { opened.push_back(address); };
  }
  std::vector<std::string> opened;
};

TEST_F(HelpExportTest, AboutWindowAndItsCloseBox) {
  openWindow();
  AboutWindow about(win, kAppName, kVersion);
  EXPECT_EQ(std::string(about.heading().text()), "Orbala v1.31");
  const std::string body = about.body().text();
  EXPECT_NE(body.find(maker::kWebSite), std::string::npos);
  EXPECT_NE(body.find(FXStringFormat("v%d.%d.%d", FOX_MAJOR, FOX_MINOR, FOX_LEVEL).text()),
            std::string::npos);
  EXPECT_EQ(std::string(about.getTitle().text()), "About Orbala");

  about.create();
  about.show(PLACEMENT_OWNER);
  pump();
  ASSERT_TRUE(about.shown());
  about.handle(nullptr, FXSEL(SEL_CLOSE, 0), nullptr);
  EXPECT_FALSE(about.shown());
}

TEST_F(HelpExportTest, InstructionsNameTheControlsAsLabelledNow) {
  openWindow();
  std::string text = win->instructionsText().text();
  EXPECT_NE(text.find("4)  Use the \"R\" slider (top right) to change the size of the points and "
                      "the \"B=100\" slider"),
            std::string::npos);
  EXPECT_NE(text.find("5)  You can animate the rotation by clicking the \"Rotate\" button"),
            std::string::npos);
  EXPECT_NE(text.find("8)  You can change the relative size of individual points using the "
                      "\"Relative size\" column. After you make a change press the \"Redraw\""),
            std::string::npos);
  EXPECT_NE(text.find("    d)  \"All\" scales all points.\n\n10)  "), std::string::npos);
  EXPECT_NE(text.find("14)  Right-click on the \"Values\" table"), std::string::npos);

  // While the plot spins the button reads "Stop", and so does the text.
  command(Orbala::ID_ROTATE);
  testApp()->removeTimeout(win, Orbala::ID_ROTATE_TIMER);
  send(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER);
  text = win->instructionsText().text();
  EXPECT_NE(text.find("clicking the \"Stop\" button"), std::string::npos);
  command(Orbala::ID_ROTATE);
  testApp()->removeTimeout(win, Orbala::ID_ROTATE_TIMER);
}

TEST_F(HelpExportTest, WebSiteAndUpdateCheckUseTheLauncher) {
  openWindow();
  listenToBrowser();
  command(Orbala::ID_WEB_SITE);
  win->openInBrowser("");
  EXPECT_EQ(opened, std::vector<std::string>{maker::kWebSite});

  LoopbackServer server("HTTP/1.0 200 OK\r\n\r\n1.32\n");
  win->updatePort = server.port();
  dialogs->answers.push_back(true);
  command(Orbala::ID_CHECK_UPDATE);
  server.finish();
  ASSERT_EQ(dialogs->boxes.size(), 1u);
  EXPECT_EQ(dialogs->boxes[0].kind, "question");
  EXPECT_EQ(dialogs->boxes[0].title, "Check for update");
  EXPECT_EQ(dialogs->boxes[0].text, "A new version (v1.32) is available.\n\nClick \"Yes\" to go to "
                                    "the download site.\n");
  EXPECT_EQ(opened.size(), 2u);

  win->updatePort = unusedLoopbackPort();
  command(Orbala::ID_CHECK_UPDATE);
  ASSERT_EQ(dialogs->boxes.size(), 2u);
  EXPECT_EQ(dialogs->boxes[1].kind, "error");
  EXPECT_EQ(
      dialogs->boxes[1].text,
      "Connection error (2) checking for update.\n\nThis may not work over a VPN connection.");
}

TEST_F(HelpExportTest, SavedPictureIsTheViewersPicture) {
  openWithPlot();
  dialogs->answerFile(dir + "/plot");
  command(Orbala::ID_SAVE_IMAGE);
  ASSERT_EQ(dialogs->fileRequests.size(), 1u);
  EXPECT_EQ(std::string(dialogs->fileRequests[0].title.text()), "Save plot");
  EXPECT_EQ(std::string(dialogs->fileRequests[0].fileName.text()), "3D_plot.bmp");
  const std::string path = dir + "/plot.bmp";
  EXPECT_EQ(std::string(win->pendingImageName.text()), path);
  EXPECT_EQ(std::string(win->userFilesDirectory.text()), dir);
  // Written when the timer fires, not before.
  struct stat st;
  EXPECT_NE(stat(path.c_str(), &st), 0);
  ASSERT_TRUE(testApp()->hasTimeout(win, Orbala::ID_SAVE_IMAGE_TIMER));
  testApp()->removeTimeout(win, Orbala::ID_SAVE_IMAGE_TIMER);

  win->position(0, 0, 1100, 850);
  pump();
  send(SEL_TIMEOUT, Orbala::ID_SAVE_IMAGE_TIMER);
  const std::string bytes = readFile(path);
  const Decoded picture = decodeBmp(bytes.data(), bytes.size());
  ASSERT_TRUE(picture.ok);
  EXPECT_EQ(picture.width, win->viewer->getWidth());
  EXPECT_EQ(picture.height, win->viewer->getHeight());
  EXPECT_TRUE(nearGrey(picture.corner, 128)) << std::hex << picture.corner;
  EXPECT_TRUE(dialogs->boxes.empty());

  EXPECT_FALSE(win->saveImageFile((dir + "/no such folder/plot.bmp").c_str()));
  ASSERT_EQ(dialogs->boxes.size(), 1u);
  EXPECT_EQ(dialogs->boxes[0].title, "File error");
  EXPECT_EQ(dialogs->boxes[0].text,
            "File \"" + dir +
                "/no such folder/plot.bmp\" could not be written, try a different name.");
}

TEST_F(HelpExportTest, CopiedPictureIsServedFromTheClipboard) {
  openWithPlot();
  command(Orbala::ID_COPY_IMAGE);
  EXPECT_TRUE(dialogs->boxes.empty());
  ASSERT_TRUE(win->hasClipboard());

  // Another window of the program pastes it, as another program would.
  FXMainWindow other(testApp(), "paste");
  other.create();
  FXuchar* data = nullptr;
  FXuint size = 0;
  ASSERT_TRUE(
      other.getDNDData(FROM_CLIPBOARD, testApp()->registerDragType("image/bmp"), data, size));
  const Decoded picture = decodeBmp(data, size);
  FXFREE(&data);
  ASSERT_TRUE(picture.ok);
  EXPECT_EQ(picture.width, win->viewer->getWidth());
  EXPECT_EQ(picture.height, win->viewer->getHeight());
  EXPECT_TRUE(nearGrey(picture.corner, 128));
  ASSERT_TRUE(
      other.getDNDData(FROM_CLIPBOARD, testApp()->registerDragType("image/png"), data, size));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 4), "\x89PNG");
  FXFREE(&data);

  // Copying table text takes the clipboard over; the picture is let go.
  win->table->selectRange(0, 0, 0, 3);
  command(Orbala::ID_COPY_SELECTION);
  EXPECT_FALSE(win->hasClipboard());
  EXPECT_TRUE(win->clipboardBmp.empty());
  EXPECT_TRUE(win->clipboardPng.empty());
}

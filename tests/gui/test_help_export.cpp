// The Help windows, the web link, the update command, and the picture saved or copied by its keys.
#include "GuiHarness.h"

#include <fxkeys.h>
#include <unistd.h>

#include "../support/LoopbackServer.h"
#include "app/AboutWindow.h"
#include "app/Maker.h"
#include "table/Table_zk2.h"

namespace {

// Reads BMP bytes back with the toolkit's own reader: the viewer's size and its grey corner.
::testing::AssertionResult isViewersPicture(const void* bytes, size_t size, FXGLViewer* viewer) {
  FXMemoryStream stream;
  stream.open(FXStreamLoad, static_cast<FXuval>(size),
              static_cast<FXuchar*>(const_cast<void*>(bytes)));
  FXColor* pixels = nullptr;
  FXint w = 0, h = 0;
  const bool ok = fxloadBMP(stream, pixels, w, h) && pixels;
  const FXColor corner = ok ? pixels[2 * w + 2] : 0;
  FXFREE(&pixels);
  if (ok && w == viewer->getWidth() && h == viewer->getHeight() &&
      nearColour(corner, FXRGB(128, 128, 128)))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << ok << " " << w << "x" << h << " " << std::hex << corner;
}

} // namespace

class HelpExportTest : public OrbalaTest {
protected:
  // The accelerators reach the window as the keys of a menu would.
  void pressKey(FXuint code, FXuint state) {
    sendEvent(SEL_KEYPRESS, 0, code, state, win);
    sendEvent(SEL_KEYRELEASE, 0, code, state, win);
  }
  FXMenuCommand* checkUpdateItem() const {
    for (FXWindow* w = win->helpMenu->getFirst(); w; w = w->getNext())
      if (auto* item = dynamic_cast<FXMenuCommand*>(w);
          item && item->getSelector() == Orbala::ID_CHECK_UPDATE)
        return item;
    return nullptr;
  }
};

TEST_F(HelpExportTest, AboutInstructionsWebSiteAndUpdateCheck) {
  // The About window closes; the instructions name the controls as labelled now.
  AboutWindow about(win, kAppName, kVersion);
  EXPECT_NE(about.body().find(FXStringFormat("v%d.%d.%d", FOX_MAJOR, FOX_MINOR, FOX_LEVEL)), -1);
  about.create();
  about.show(PLACEMENT_OWNER);
  pump();
  ASSERT_TRUE(about.shown());
  about.handle(nullptr, FXSEL(SEL_CLOSE, 0), nullptr);
  EXPECT_FALSE(about.shown());

  const auto says = [&](const char* part) { return win->instructionsText().find(part) >= 0; };
  EXPECT_TRUE(says("the \"B=100\" slider") && says("clicking the \"Rotate\" button"));
  // While the plot spins the button reads "Stop", and so does the text.
  command(Orbala::ID_ROTATE);
  testApp()->removeTimeout(win, Orbala::ID_ROTATE_TIMER);
  send(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER);
  EXPECT_TRUE(says("clicking the \"Stop\" button"));
  command(Orbala::ID_ROTATE);
  testApp()->removeTimeout(win, Orbala::ID_ROTATE_TIMER);

  Strings opened;
  win->openBrowser = [&](const std::string& address) { opened.push_back(address); };
  command(Orbala::ID_WEB_SITE);
  win->openInBrowser("");
  EXPECT_EQ(opened, Strings{maker::kWebSite});

  LoopbackServer server("HTTP/1.0 200 OK\r\n\r\n1.32\n");
  win->updatePort = server.port();
  dialogs->answers.push_back(true);
  command(Orbala::ID_CHECK_UPDATE);
  while (dialogs->boxes.empty()) // until the answer's box is up
    testApp()->runOneEvent();
  server.finish();
  EXPECT_EQ(opened.size(), 2u);
  ASSERT_EQ(dialogs->titles(), Strings{"Check for update"});
  EXPECT_NE(dialogs->boxes[0].text.find("(v1.32)"), std::string::npos);

  // A silent server does not hold the window.
  dialogs->boxes.clear();
  LoopbackServer silent("", LoopbackServer::Mode::Silent);
  win->updatePort = silent.port();
  win->updateTimeLimitMs = 1000; // ample for a loopback connection on a loaded machine
  command(Orbala::ID_CHECK_UPDATE);
  EXPECT_TRUE(dialogs->boxes.empty()) << "the command waited for the server";
  // The window takes commands meanwhile; a second check is not started, its entry is greyed.
  command(Orbala::ID_HIDE_TABLE);
  EXPECT_EQ(std::string(win->hideButton->getText().text()), "Show");
  command(Orbala::ID_CHECK_UPDATE);
  testApp()->forceRefresh();
  ASSERT_NE(checkUpdateItem(), nullptr);
  EXPECT_FALSE(checkUpdateItem()->isEnabled());

  while (dialogs->boxes.empty())
    testApp()->runOneEvent();
  pump();
  EXPECT_EQ(dialogs->seen(),
            Strings{"error Check for update: Read error (3) checking for update."});
  testApp()->forceRefresh();
  EXPECT_TRUE(checkUpdateItem()->isEnabled());
  silent.finish();

  // Closed during a check, the window gets no call from it afterwards.
  LoopbackServer again("", LoopbackServer::Mode::Silent);
  win->updatePort = again.port();
  win->updateTimeLimitMs = 200;
  command(Orbala::ID_CHECK_UPDATE);
  closeWindow();
  again.finish(); // the check has given up
  pump();
}

TEST_F(HelpExportTest, SavedAndCopiedPicturesAreTheViewersPicture) {
  win->position(0, 0, 1200, 900);
  pump();
  setRow(0, {"", "10", "8", "0", "255", "0", "0"});
  win->backgroundSlider->setValue(50); // grey 128
  win->readTable(true);
  win->userFilesDirectory = dir.c_str();
  dialogs->answerFile(dir + "/plot");
  pressKey(KEY_s, CONTROLMASK);
  ASSERT_EQ(dialogs->fileRequests.size(), 1u);
  EXPECT_STREQ(dialogs->fileRequests[0].title.text(), "Save plot");
  // In the remembered folder: the toolkit would put a bare name in the working directory.
  EXPECT_EQ(std::string(dialogs->fileRequests[0].fileName.text()), dir + "/3D_plot.bmp");
  const std::string path = dir + "/plot.bmp";
  EXPECT_EQ(std::string(win->pendingImageName.text()), path);
  // Written when the timer fires, not before.
  EXPECT_NE(access(path.c_str(), F_OK), 0);
  ASSERT_TRUE(testApp()->hasTimeout(win, Orbala::ID_SAVE_IMAGE_TIMER));
  testApp()->removeTimeout(win, Orbala::ID_SAVE_IMAGE_TIMER);

  win->position(0, 0, 1100, 850);
  pump();
  send(SEL_TIMEOUT, Orbala::ID_SAVE_IMAGE_TIMER);
  const std::string bytes = readFile(path);
  EXPECT_TRUE(isViewersPicture(bytes.data(), bytes.size(), win->viewer));
  EXPECT_TRUE(dialogs->boxes.empty());

  EXPECT_FALSE(win->saveImageFile((dir + "/no such folder/plot.bmp").c_str()));
  EXPECT_EQ(dialogs->titles(), Strings{"File error"});

  dialogs->boxes.clear();
  pressKey(KEY_c, 0);
  EXPECT_FALSE(win->hasClipboard());
  pressKey(KEY_c, CONTROLMASK);
  EXPECT_TRUE(dialogs->boxes.empty());
  ASSERT_TRUE(win->hasClipboard());

  // Another window of the program pastes it, as another program would.
  FXMainWindow other(testApp(), "paste");
  other.create();
  FXuchar* data = nullptr;
  FXuint size = 0;
  ASSERT_TRUE(
      other.getDNDData(FROM_CLIPBOARD, testApp()->registerDragType("image/bmp"), data, size));
  EXPECT_TRUE(isViewersPicture(data, size, win->viewer));
  FXFREE(&data);
  ASSERT_TRUE(
      other.getDNDData(FROM_CLIPBOARD, testApp()->registerDragType("image/png"), data, size));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 4), "\x89PNG");
  FXFREE(&data);

  // Copying table text takes the clipboard over; the picture is let go.
  win->table->selectRange(0, 0, 0, 3);
  command(Orbala::ID_COPY_SELECTION);
  EXPECT_FALSE(win->hasClipboard());
  EXPECT_TRUE(win->clipboardBmp.empty() && win->clipboardPng.empty());
}

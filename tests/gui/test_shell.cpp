// From outside the window and out of it: files named at start or dropped, export from the shell,
// the Help windows, the web link, the update command, and pictures saved or copied by key.
#include "GuiHarness.h"

#include <FXPNGImage.h>
#include <algorithm>
#include <cstdlib>
#include <fxkeys.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../support/LoopbackServer.h"
#include "app/AboutWindow.h"
#include "app/Maker.h"
#include "table/Table_zk2.h"

namespace {

// A file manager's side of a drag: offers a text/uri-list and answers the drop's request.
class FileManager : public FXFrame {
  FXDECLARE(FileManager)
  FileManager() {}

public:
  FileManager(FXComposite* parent, std::string list) : FXFrame(parent), uris(std::move(list)) {}
  long onRequest(FXObject*, FXSelector, void*) {
    FXuchar* data = nullptr;
    FXMALLOC(&data, FXuchar, uris.size());
    std::copy(uris.begin(), uris.end(), data);
    setDNDData(FROM_DRAGNDROP, urilistType, data, static_cast<FXuint>(uris.size()));
    return 1;
  }

private:
  std::string uris;
};
FXDEFMAP(FileManager) FileManagerMap[] = {FXMAPFUNC(SEL_DND_REQUEST, 0, FileManager::onRequest)};
FXIMPLEMENT(FileManager, FXFrame, FileManagerMap, ARRAYNUMBER(FileManagerMap))

struct ProgramRun {
  int status = -1;
  std::string err;
};

// Runs the program as a shell would; `env` goes in front (to take the display or EGL away).
ProgramRun runProgram(const std::string& args, const std::string& dir,
                      const std::string& env = "") {
  const std::string errFile = dir + "/stderr.txt";
  const std::string line = env + " " + ORBALA_PROGRAM + " " + args + " 2>" + errFile;
  const int raw = std::system(line.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(errFile)};
}

const std::string kNoDisplay = "env -u DISPLAY";
// glvnd then finds no EGL driver, as on a machine without one.
const std::string kNoEgl = "env __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json";

ViewerPicture loadPng(const std::string& path) {
  ViewerPicture picture;
  FXFileStream stream;
  FXColor* data = nullptr;
  if (stream.open(path.c_str(), FXStreamLoad) &&
      fxloadPNG(stream, data, picture.width, picture.height)) {
    picture.pixels.assign(data, data + static_cast<size_t>(picture.width) * picture.height);
    FXFREE(&data);
  }
  return picture;
}

// Share of pixels whose colour differs by more than a rounding step.
double differing(const ViewerPicture& a, const ViewerPicture& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 1.0;
  size_t off = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i)
    off += !nearColour(a.pixels[i], b.pixels[i], 8);
  return static_cast<double>(off) / a.pixels.size();
}

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

class ShellTest : public OrbalaTest {
protected:
  // Drags the list from a window of our own onto `target`, through the X drag protocol.
  void drop(const std::string& uriList, FXWindow* target) {
    FXMainWindow source(testApp(), "source", nullptr, nullptr, DECOR_NONE, 0, 0, 40, 40);
    auto* manager = new FileManager(&source, uriList);
    source.create();
    source.show();
    pump();
    int x = 0, y = 0;
    target->translateCoordinatesTo(x, y, target->getRoot(), target->getWidth() / 2,
                                   target->getHeight() / 2);
    ASSERT_TRUE(manager->beginDrag(&FXWindow::urilistType, 1));
    for (int step = 0; step < 3; ++step) {
      manager->handleDrag(x + step, y);
      pump();
    }
    manager->endDrag(true);
    pump();
  }
};

TEST_F(ShellTest, FileNamedAtStartOrDroppedOpens) {
  const std::string path = testData("water.xyz");
  win->startupFile = path.c_str();
  fireStartup();
  EXPECT_EQ(std::string(win->currentFile.text()), path);
  EXPECT_EQ(cell(0, 0), "O");
  EXPECT_EQ(win->recentFiles.get(0), path);
  fireStartup(); // only once
  EXPECT_EQ(dialogs->seen(), Strings{});

  // A file that cannot be read gets Open's boxes and leaves the window as it was.
  win->startupFile = "/nonexistent.qvx";
  fireStartup();
  EXPECT_EQ(dialogs->titles(), (Strings{"Error Loading File", "User file error"}));
  EXPECT_EQ(cell(0, 0), "O");

  // Dropped from a file manager on the plot or the table.
  const std::string co = testData("co.xyz");
  drop("# from a file manager\r\nfile://" + co + "\r\n", win->viewer);
  EXPECT_EQ(std::string(win->currentFile.text()), co);
  EXPECT_EQ(cell(0, 0), "C");
  drop("file://localhost" + path + "\r\n", win->table);
  EXPECT_EQ(std::string(win->currentFile.text()), path);

  // Nothing local to open: the drop changes nothing.
  drop("http://example.org/x.xyz\r\n", win->viewer);
  EXPECT_EQ(std::string(win->currentFile.text()), path);
  EXPECT_EQ(dialogs->boxes.size(), 2u);
}

TEST_F(ShellTest, SavePlotWritesPngForItsPatternOrItsName) {
  fireStartup();
  dialogs->answerFile(dir + "/typed.PNG", 0); // BMP pattern, but a PNG name
  dialogs->answerFile(dir + "/picked", 1);    // the PNG pattern
  dialogs->answerFile(dir + "/plain", 0);
  for (const std::string name : {"/typed.png", "/picked.png", "/plain.bmp"}) {
    command(Orbala::ID_SAVE_IMAGE);
    send(SEL_TIMEOUT, Orbala::ID_SAVE_IMAGE_TIMER);
    const bool png = name.find(".bmp") == std::string::npos;
    EXPECT_EQ(readFile(dir + name).substr(0, png ? 4 : 2), png ? "\x89PNG" : "BM") << name;
  }
  EXPECT_EQ(dialogs->fileRequests[0].patterns, "Bitmap (*.bmp)\nPNG (*.png)");
}

TEST_F(ShellTest, ExportDrawsWhatTheWindowShows) {
  const std::string molecule = testData("caffeine.xyz");
  ASSERT_TRUE(openFile(molecule));
  // With no display at all (EGL), and on the X display where EGL finds no driver.
  for (const auto& [w, h, env] :
       {std::tuple{800, 600, kNoDisplay}, std::tuple{3000, 2000, kNoDisplay},
        std::tuple{800, 600, kNoEgl}}) {
    const std::string out = dir + "/m.png";
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    const ProgramRun run =
        runProgram("--export " + out + " --size " + size + " " + molecule, dir, env);
    ASSERT_EQ(run.status, 0) << run.err;
    ViewerPicture window;
    ASSERT_TRUE(captureViewerAt(win->viewer, w, h, window));
    EXPECT_LT(differing(loadPng(out), window), 0.001) << size << " " << env;
  }
  // A picture drawn in tiles joins without seams.
  ViewerPicture whole, tiled;
  ASSERT_TRUE(captureViewerAt(win->viewer, 1000, 700, whole));
  ASSERT_TRUE(captureViewerAt(win->viewer, 1000, 700, tiled, CaptureOptions{false, 128}));
  EXPECT_LT(differing(tiled, whole), 0.001);
  EXPECT_EQ(dialogs->seen(), Strings{});
}

TEST_F(ShellTest, ExportBackgroundIsClearOrTheGreyAsked) {
  fireStartup();
  win->sphereRadiusSlider->setValue(100);
  setRow(0, {"", "-10", "-8", "0"});
  setRow(1, {"", "10", "8", "0"});
  win->opaquenessField->setText("0.5");
  setTick(1, 9, false);
  const std::string path = dir + "/two.qvx";
  dialogs->answerFile(path);
  command(Orbala::ID_SAVE_AS);
  ASSERT_TRUE(openFile(path));
  const std::string size =
      std::to_string(win->viewer->getWidth()) + "x" + std::to_string(win->viewer->getHeight());
  const std::string out = dir + "/clear.png";
  ProgramRun run = runProgram(
      "--export " + out + " --size " + size + " --background transparent " + path, dir, kNoDisplay);
  ASSERT_EQ(run.status, 0) << run.err;
  ViewerPicture p = loadPng(out);
  ASSERT_EQ(p.width, win->viewer->getWidth());
  int x = 0, y = 0;
  EXPECT_EQ(FXALPHAVAL(p.at(0, 0)), 0);
  project(-10, -8, 0, x, y);
  const FXColor opaque = p.at(x, y);
  EXPECT_EQ(FXALPHAVAL(opaque), 255);
  // The translucent sphere keeps its alpha, and its colour is its own, not darkened by the clear
  // background: the same grey as the opaque one at its centre.
  project(10, 8, 0, x, y);
  const FXColor translucent = p.at(x, y);
  EXPECT_NEAR(FXALPHAVAL(translucent), 128, 2);
  EXPECT_TRUE(nearColour(translucent | FXRGBA(0, 0, 0, 255), opaque, 6)) << translucent;

  run = runProgram("--export " + out + " --size " + size + " --background 30 " + path, dir,
                   kNoDisplay);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(nearColour(loadPng(out).at(0, 0), FXRGB(77, 77, 77)));
}

TEST_F(ShellTest, ExportFailuresSayOneLineAndWriteNothing) {
  const std::string molecule = testData("water.xyz");
  writeFile(dir + "/text.xyz", "not a molecule\n");
  const std::string out = dir + "/out.png";
  // Mistakes on the command line itself are the unit tests'; one stands for them here. Last,
  // neither a display nor an EGL driver: the line names both.
  ProgramRun run;
  for (const auto& [args, env] :
       {std::pair{"--export " + out + " --frobnicate " + molecule, std::string()},
        {"--export " + out + " " + dir + "/missing.xyz", ""},
        {"--export " + out + " " + dir + "/text.xyz", ""},
        {"--export " + dir + "/no/such/folder.png " + molecule, ""},
        {"--export " + out + " " + molecule, kNoDisplay + " " + kNoEgl.substr(4)}}) {
    run = runProgram(args, dir, env);
    EXPECT_EQ(run.status, 1) << args;
    EXPECT_EQ(run.err.rfind("orbala: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(access(out.c_str(), F_OK), 0) << args;
  }
  EXPECT_NE(run.err.find("EGL"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("X display"), std::string::npos) << run.err;
  // A warning is one line once, however often the export reads the table.
  writeFile(dir + "/huge.qvx", tagged("<data>0 1 1e300\n<data>0 2 0\n<data>0 3 0\n"));
  const ProgramRun warned = runProgram("--export " + out + " --view xyz " + dir + "/huge.qvx", dir);
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(std::count(warned.err.begin(), warned.err.end(), '\n'), 1) << warned.err;
}

TEST_F(ShellTest, ExportDrawsFramesAndEveryAtomOfABigFile) {
  // One whole picture per frame, numbered by frame; each is the picture of --frame K.
  const std::string traj = writeInDir("t.xyz", "2\na\nC 0 0 0\nO 2 0 0\n2\nb\nC 0 1 0\nO 2 1 0\n"
                                               "2\nc\nC 0 2 0\nO 2 2 0\n");
  const std::string size = " --size 80x60 ";
  ASSERT_EQ(runProgram("--export " + dir + "/f_%03d.png" + size + traj, dir).status, 0);
  for (const std::string k : {"1", "2"}) {
    ASSERT_EQ(runProgram("--export " + dir + "/k.png --frame " + k + size + traj, dir).status, 0);
    EXPECT_EQ(readFile(dir + "/f_00" + k + ".png"), readFile(dir + "/k.png")) << k;
  }
  EXPECT_NE(readFile(dir + "/f_002.png"), readFile(dir + "/f_001.png"));
  EXPECT_EQ(access((dir + "/f_003.png").c_str(), F_OK), 0);
  EXPECT_NE(access((dir + "/f_004.png").c_str(), F_OK), 0);
  // A range beyond the last frame fails before a picture is written.
  const ProgramRun past = runProgram("--export " + dir + "/g_%d.png --frames 2-4 " + traj, dir);
  EXPECT_EQ(past.status, 1);
  EXPECT_EQ(std::count(past.err.begin(), past.err.end(), '\n'), 1) << past.err;
  EXPECT_NE(access((dir + "/g_2.png").c_str(), F_OK), 0);

  // More atoms than the table the settings give: the picture still holds every one of them.
  std::string many = "12\n\n";
  for (int i = 0; i < 12; ++i)
    many += "C " + std::to_string(i * 2) + " 0 0\n";
  const std::string chain = writeInDir("chain.xyz", many);
  const std::string config = makeTempDir("config");
  mkdir((config + "/Orbala").c_str(), 0700);
  writeFile(config + "/Orbala/Orbala.ini", tagged("<numRowsIni>10\n"));
  const ProgramRun run = runProgram("--export " + dir + "/chain.png" + size + chain, dir,
                                    "env XDG_CONFIG_HOME=" + config);
  removeTree(config);
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  ASSERT_TRUE(openFile(chain));
  ViewerPicture window;
  ASSERT_TRUE(captureViewerAt(win->viewer, 80, 60, window));
  EXPECT_LT(differing(loadPng(dir + "/chain.png"), window), 0.001);
}

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

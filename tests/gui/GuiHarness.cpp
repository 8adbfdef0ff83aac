#include "GuiHarness.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include "table/Table_zk2.h"

namespace {
FXApp* application = nullptr;

Display* xDisplay() {
  return static_cast<Display*>(application->getDisplay());
}

} // namespace

void xPointAt(FXWindow* w, int x, int y) {
  int rx = 0, ry = 0;
  w->translateCoordinatesTo(rx, ry, w->getRoot(), x, y);
  XTestFakeMotionEvent(xDisplay(), -1, rx, ry, CurrentTime);
}

void xGiveFocus(FXWindow* w) {
  XSetInputFocus(xDisplay(), w->id(), RevertToParent, CurrentTime);
}

void xSendKeys(const std::vector<std::string>& keys) {
  const auto code = [](const std::string& name) {
    const KeyCode c = XKeysymToKeycode(xDisplay(), XStringToKeysym(name.c_str()));
    EXPECT_NE(c, 0) << name;
    return c;
  };
  for (const std::string& key : keys) {
    const size_t plus = key.find('+', 1);
    const KeyCode held = plus == std::string::npos ? 0 : code(key.substr(0, plus));
    const KeyCode pressed = code(held ? key.substr(plus + 1) : key);
    for (const auto& [c, down] :
         {std::pair{held, True}, {pressed, True}, {pressed, False}, {held, False}})
      if (c) XTestFakeKeyEvent(xDisplay(), c, down, CurrentTime);
  }
  XSync(xDisplay(), False);
}

void xButton(unsigned button, bool down) {
  XTestFakeButtonEvent(xDisplay(), button, down, CurrentTime);
  XSync(xDisplay(), False);
}

namespace {

void xPress(unsigned button, int clicks) {
  for (int i = 0; i < 2 * clicks; ++i)
    xButton(button, i % 2 == 0);
}

} // namespace

FXApp* testApp() {
  return application;
}

FXDEFMAP(LoopAction)
LoopActionMap[] = {FXMAPFUNC(SEL_TIMEOUT, 1, LoopAction::onTimeout),
                   FXMAPFUNC(SEL_CHORE, 1, LoopAction::onTimeout)};
FXIMPLEMENT(LoopAction, FXObject, LoopActionMap, ARRAYNUMBER(LoopActionMap))

LoopAction::LoopAction(std::function<void()> action, FXuint ms) : action_(std::move(action)) {
  application->addTimeout(this, 1, ms);
}

void LoopAction::again() {
  application->addChore(this, 1);
}

LoopAction::~LoopAction() {
  application->removeTimeout(this, 1);
  application->removeChore(this, 1);
}

long LoopAction::onTimeout(FXObject*, FXSelector, void*) {
  action_();
  return 1;
}

std::vector<ScriptedDialogs::Box> ScriptedDialogs::boxesOfClosedWindow;

void ScriptedDialogs::message(FXWindow*, BoxKind kind, const FXString& title,
                              const FXString& text) {
  const char* name = kind == BoxKind::Error     ? "error"
                     : kind == BoxKind::Warning ? "warning"
                                                : "information";
  boxes.push_back({name, title.text(), text.text()});
}

bool ScriptedDialogs::question(FXWindow*, const FXString& title, const FXString& text) {
  boxes.push_back({"question", title.text(), text.text()});
  const bool yes = !answers.empty() && answers.front();
  if (!answers.empty()) answers.pop_front();
  return yes;
}

bool ScriptedDialogs::chooseFile(FXWindow*, FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers.empty()) return false;
  FileDialogRequest answer = fileAnswers.front();
  fileAnswers.pop_front();
  if (answer.fileName.empty()) return false;
  request.fileName = answer.fileName;
  request.currentPattern = answer.currentPattern;
  request.directory = FXPath::directory(answer.fileName);
  return true;
}

bool ScriptedDialogs::askInteger(FXWindow*, const FXString& title, const FXString&,
                                 FXString& text) {
  boxes.push_back({"integer", title.text(), text.text()});
  if (integerAnswers.empty()) return false;
  text = integerAnswers.front().c_str();
  integerAnswers.pop_front();
  return true;
}

void ScriptedDialogs::answerFile(const std::string& path, int pattern) {
  FileDialogRequest answer;
  answer.fileName = path.c_str();
  answer.currentPattern = pattern;
  fileAnswers.push_back(answer);
}

Strings ScriptedDialogs::titles() const {
  Strings out;
  for (const auto& box : boxes)
    out.push_back(box.title);
  return out;
}

Strings ScriptedDialogs::seen() const {
  Strings out;
  for (const auto& box : boxes)
    out.push_back(box.kind + " " + box.title + ": " + box.text);
  return out;
}

std::string makeTempDir(const std::string& tag) {
  std::string base = "/tmp";
  if (const char* t = std::getenv("ORBALA_TEST_TMP"); t && *t) {
    base = t;
    mkdir(base.c_str(), 0777);
  }
  std::string pattern = base + "/orbala-" + tag + "-XXXXXX";
  return mkdtemp(pattern.data()) ? pattern : base;
}

void removeTree(const std::string& path) {
  std::error_code ignored;
  if (path.size() >= 8) std::filesystem::remove_all(path, ignored);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

const char* const kNineLines = "<colorPoints>0\n<colorIndex>0\n<applyPubChemColors>0\n"
                               "<applyJmolColors>1\n<applyDefaultAtomSizes>1\n"
                               "<setUndefinedColorsToGray_Chk>1\n<show_xy_axis>1\n"
                               "<show_z_axis>1\n<showAxisLabels>1\n";

std::string tagged(const std::string& extra) {
  return std::string("<version>1.31\n") + kNineLines + extra;
}

FXVec3f centreOf(FXGLObject* object) {
  FXRangef box;
  object->bounds(box);
  return box.center();
}

// The scene's lines are the strokes the display-free code computes, in the same order.
void expectStrokes(FXGLGroup* group, const std::vector<orbala::Segment>& strokes) {
  const auto lines = objectsOf<GLLine_zk2>(group);
  ASSERT_EQ(lines.size(), strokes.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const orbala::Segment& s = strokes[i];
    EXPECT_EQ(lines[i]->fm.pos, FXVec3f(s.from.x, s.from.y, s.from.z)) << "line " << i;
    EXPECT_EQ(lines[i]->to.pos, FXVec3f(s.to.x, s.to.y, s.to.z)) << "line " << i;
  }
}

bool nearColour(FXColor seen, FXColor wanted, int tolerance) {
  const auto off = [&](FXuint a, FXuint b) { return std::abs(int(a) - int(b)) > tolerance; };
  return !off(FXREDVAL(seen), FXREDVAL(wanted)) && !off(FXGREENVAL(seen), FXGREENVAL(wanted)) &&
         !off(FXBLUEVAL(seen), FXBLUEVAL(wanted));
}

std::vector<int> drawnBox(const ViewerPicture& p) {
  std::vector<int> box{p.width, p.height, -1, -1};
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (!nearColour(p.at(x, y), p.at(0, 0)))
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
  return box;
}

ViewerPicture onScreen(FXWindow* window) {
  ViewerPicture picture;
  auto* display = static_cast<Display*>(window->getApp()->getDisplay());
  XSync(display, False);
  XImage* image = XGetImage(display, window->id(), 0, 0, window->getWidth(), window->getHeight(),
                            AllPlanes, ZPixmap);
  if (!image) return picture;
  picture.width = image->width;
  picture.height = image->height;
  // The tests' screens are 24-bit TrueColor: red, green, blue from the high byte down.
  for (int y = 0; y < image->height; ++y)
    for (int x = 0; x < image->width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      picture.pixels.push_back(FXRGB((p >> 16) & 255, (p >> 8) & 255, p & 255));
    }
  XDestroyImage(image);
  return picture;
}

void OrbalaTest::SetUp() {
  const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  dir = makeTempDir(name.substr(0, 24));
  settingsPath = dir + "/Orbala.ini";
  openWindow();
}

void OrbalaTest::TearDown() {
  closeWindow();
  removeTree(dir);
}

Orbala* OrbalaTest::openWindow(bool createIt) {
  closeWindow();
  OrbalaEnvironment env;
  env.settingsPath = settingsPath.c_str();
  dialogs = new ScriptedDialogs;
  env.dialogs = dialogs;
  env.updateHost = "127.0.0.1";
  env.openBrowser = [](const std::string&) {};
  win = new Orbala(testApp(), env);
  testApp()->removeTimeout(win, Orbala::ID_STARTUP);
  if (createIt) {
    win->create();
    pump();
  }
  return win;
}

void OrbalaTest::restartWith(const std::string& settings, bool createIt) {
  closeWindow(); // it would write its own settings over these
  writeFile(settingsPath, settings);
  openWindow(createIt);
}

bool OrbalaTest::openFile(const std::string& path) {
  dialogs->boxes.clear();
  dialogs->answerFile(path);
  command(Orbala::ID_OPEN);
  return win->currentFile == path.c_str();
}

void OrbalaTest::closeWindow() {
  delete win;
  win = nullptr;
  dialogs = nullptr;
}

void OrbalaTest::pump() {
  testApp()->flush(TRUE);
  // runWhileEvents stops at the first expose event (the toolkit keeps it as a repaint and reports
  // no event), which would leave pointer and key events behind it unread.
  Display* display = static_cast<Display*>(testApp()->getDisplay());
  for (int guard = 0; guard < 100000 && XEventsQueued(display, QueuedAfterFlush) > 0; ++guard)
    testApp()->runOneEvent(false);
  testApp()->runWhileEvents();
  // Timers the window armed on its own (start-up, rotation) are driven by the tests instead.
  if (win) testApp()->removeTimeout(win, Orbala::ID_STARTUP);
  if (win) testApp()->removeTimeout(win, Orbala::ID_FRAME_TIMER);
}

std::string OrbalaTest::cell(int row, int col) const {
  return win->table->getItemText(row, col).text();
}

void OrbalaTest::setRow(int row, const std::vector<std::string>& cells) {
  for (size_t c = 0; c < cells.size() && c < 8; ++c)
    win->table->setItemText(row, c, cells[c].c_str());
}

void OrbalaTest::typeCell(int row, int col, const std::string& text) {
  win->table->startInput(row, col);
  if (FXTextField* editor = cellEditor()) editor->setText(text.c_str());
  win->table->acceptInput(TRUE);
}

Strings OrbalaTest::cells(int row, int first, int last) const {
  Strings out;
  for (int c = first; c <= last; ++c)
    out.push_back(cell(row, c));
  return out;
}

void OrbalaTest::setTick(int row, int col, bool on) {
  (col == 8 ? win->rowState.showFlags : win->rowState.opaqueFlags)[row] = on;
  win->table->setItemIcon(row, col, on ? win->tableIcon : nullptr);
}

long OrbalaTest::clickCell(int row, int col, bool moved) {
  win->table->setCurrentItem(row, col);
  FXEvent ev{};
  ev.type = SEL_LEFTBUTTONRELEASE;
  ev.moved = moved;
  return send(SEL_LEFTBUTTONRELEASE, Orbala::ID_TABLE, win->table, &ev);
}

void OrbalaTest::project(float x, float y, float z, int& sx, int& sy) const {
  win->viewer->eyeToScreen(sx, sy, win->viewer->worldToEye(FXVec3f(x, y, z)));
}

FXColor OrbalaTest::pixelAt(const ViewerPicture& p, float x, float y, float z) const {
  int sx = -1, sy = -1;
  project(x, y, z, sx, sy);
  EXPECT_TRUE(contains(p, sx, sy)) << sx << "," << sy;
  return contains(p, sx, sy) ? p.at(sx, sy) : 0;
}

void OrbalaTest::xClick(FXWindow* w, int x, int y, unsigned button, int clicks) {
  xPointAt(w, x, y);
  xPress(button, clicks);
  pump();
}

void OrbalaTest::xClickCell(int row, int col, unsigned button, int clicks) {
  FXHeader* columns = win->table->getColumnHeader();
  FXHeader* rows = win->table->getRowHeader();
  int x = 0, y = 0, ignored = 0;
  columns->translateCoordinatesTo(x, ignored, win->table,
                                  columns->getItemOffset(col) + columns->getItemSize(col) / 2, 0);
  rows->translateCoordinatesTo(ignored, y, win->table, 0,
                               rows->getItemOffset(row) + rows->getItemSize(row) / 2);
  xClick(win->table, x, y, button, clicks);
}

void OrbalaTest::xChooseFromContextMenu(int row, int col, const std::string& entry) {
  // The menu runs a loop of its own: the entry is clicked from inside it, once the menu is up
  // and the loop idle (its entries are placed then).
  LoopAction* self = nullptr;
  bool idle = false;
  LoopAction pick(
      [&] {
        FXMenuPane* pane = win->contextMenu;
        if (!idle || !pane || !pane->shown()) {
          idle = true;
          return self->again();
        }
        FXWindow* item = pane->getFirst();
        for (; item; item = item->getNext())
          if (auto* caption = dynamic_cast<FXMenuCaption*>(item))
            if (caption->getText() == entry.c_str()) break;
        if (!item) return pane->popdown();
        xPointAt(item, item->getWidth() / 2, item->getHeight() / 2);
        xPress(1, 1);
      },
      1);
  self = &pick;
  xClickCell(row, col, 3);
}

FXTextField* OrbalaTest::cellEditor() const {
  for (FXWindow* child = win->table->getFirst(); child; child = child->getNext())
    if (auto* editor = dynamic_cast<FXTextField*>(child)) return editor;
  return nullptr;
}

void OrbalaTest::select(int r1, int r2, int c1, int c2) {
  win->table->killSelection();
  win->table->setCurrentItem(r1, c1);
  win->table->selectRange(r1, r2, c1, c2);
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Tests must not touch the user's own settings.
  const std::string home = makeTempDir("home");
  setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  // Every GUI test runs under a decimal-comma locale: the toolkit adopts it in init().
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  FXApp app("Orbala", "Tellmark");
  application = &app;
  app.init(argc, argv);
  app.create();
  const int result = RUN_ALL_TESTS();
  removeTree(home);
  return result;
}

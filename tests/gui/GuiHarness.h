#pragma once
// Shared pieces of the GUI tests: one toolkit application per process, a scripted dialog seam,
// and a fixture that builds the real main window with its settings in a private folder.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Orbala.h"
#include "scene/GLObjects.h"
#include "scene/ViewerCapture.h"
#include "scene/core/SceneStrokes.h"

FXApp* testApp();
// Through the X server (XTest), with no event loop run: for use inside a modal loop.
void xPointAt(FXWindow* w, int x, int y);
void xButton(unsigned button, bool down);
// Gives a new top window the keyboard, as a window manager does.
void xGiveFocus(FXWindow* w);
// Keys by their X names ("Return", "F2", "7"); "Control_L+v" holds the first around the second.
void xSendKeys(const std::vector<std::string>& keys);

using Strings = std::vector<std::string>;

// Runs an action from a timer `ms` after it is made, inside whatever event loop runs then.
class LoopAction : public FXObject {
  FXDECLARE(LoopAction)
  LoopAction() {}

public:
  LoopAction(std::function<void()> action, FXuint ms);
  ~LoopAction() override;
  // Runs the action once more, when the loop is next idle.
  void again();
  long onTimeout(FXObject*, FXSelector, void*);

private:
  std::function<void()> action_;
};

// Records every box and answers questions and file dialogs from prepared queues.
class ScriptedDialogs : public Dialogs {
public:
  struct Box {
    std::string kind; // "error", "warning", "information", "question", "integer"
    std::string title;
    std::string text;
  };
  std::vector<Box> boxes;
  // The boxes of the last recorder destroyed with its window (boxes shown by the destructor).
  static std::vector<Box> boxesOfClosedWindow;
  ~ScriptedDialogs() override { boxesOfClosedWindow = boxes; }
  std::deque<bool> answers;                    // for question(); No when empty
  std::deque<FileDialogRequest> fileAnswers;   // for chooseFile(); cancel when empty
  std::vector<FileDialogRequest> fileRequests; // what each file dialog was asked to show
  // For askInteger(): the texts "entered" and accepted in turn; cancel when empty. The box
  // recorded for each ask holds the text the dialog showed.
  std::deque<std::string> integerAnswers;

  void message(FXWindow*, BoxKind kind, const FXString& title, const FXString& text) override;
  bool question(FXWindow*, const FXString& title, const FXString& text) override;
  bool chooseFile(FXWindow*, FileDialogRequest& request) override;
  bool askInteger(FXWindow*, const FXString& title, const FXString& label, FXString& text) override;

  // Queues a file dialog answer: the chosen path (and optionally the pattern index).
  void answerFile(const std::string& path, int pattern = 0);
  void cancelFile() { answerFile(""); }
  Strings titles() const;
  // Each box as "kind title: text".
  Strings seen() const;
};

inline std::string testData(const std::string& name) {
  return std::string(ORBALA_TEST_DATA) + "/" + name;
}
// A fresh temporary folder per test, removed afterwards.
std::string makeTempDir(const std::string& tag);
void removeTree(const std::string& path);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
// Nine known settings lines; with a version line in front a file has the ten it needs.
extern const char* const kNineLines;
// A tagged file that the reader accepts: version 1.31, the nine lines, then `extra`.
std::string tagged(const std::string& extra);

// The scene objects of one class, in drawing order.
template <class T> std::vector<T*> objectsOf(FXGLGroup* group) {
  std::vector<T*> out;
  for (FXint i = 0; i < group->no(); ++i)
    if (auto* object = dynamic_cast<T*>(group->child(i))) out.push_back(object);
  return out;
}
FXVec3f centreOf(FXGLObject* object);
// The scene's lines are the strokes the display-free code computes, in the same order.
void expectStrokes(FXGLGroup* group, const std::vector<orbala::Segment>& strokes);

// Every channel within `tolerance` of the wanted colour.
bool nearColour(FXColor seen, FXColor wanted, int tolerance = 2);

// One frame of the viewer; no pixels if it could not be read.
inline ViewerPicture grab(FXGLViewer* viewer) {
  ViewerPicture picture;
  captureViewer(viewer, picture);
  return picture;
}
// What differs from the top-left pixel (the background), as left, top, right, bottom; the
// picture's width and height and -1, -1 when nothing does.
std::vector<int> drawnBox(const ViewerPicture& p);
// What a window shows on the screen now, as the X server holds it.
ViewerPicture onScreen(FXWindow* window);
inline bool contains(const ViewerPicture& p, int x, int y) {
  return x >= 0 && y >= 0 && x < p.width && y < p.height;
}

class OrbalaTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Builds (and by default creates and shows) a new main window; the previous one is deleted.
  // SetUp opens the first one.
  Orbala* openWindow(bool createIt = true);
  void closeWindow();
  void restartWith(const std::string& settings, bool createIt = true);
  // Opens a file through the Open command; true if it became the current file.
  bool openFile(const std::string& path);
  std::string writeInDir(const std::string& name, const std::string& text) {
    writeFile(dir + "/" + name, text);
    return dir + "/" + name;
  }
  std::vector<GLSphere_zk2*> spheres() const { return objectsOf<GLSphere_zk2>(win->sceneGroup); }

  // Sends a message the way a click would.
  long send(FXuint type, FXSelector id, FXObject* sender = nullptr, void* data = nullptr) {
    return win->handle(sender, FXSEL(type, id), data);
  }
  long command(FXSelector id, FXObject* sender = nullptr, void* data = nullptr) {
    return send(SEL_COMMAND, id, sender, data);
  }
  long sendEvent(FXuint type, FXSelector id, FXint code, FXuint state = 0,
                 FXObject* sender = nullptr) {
    FXEvent ev{};
    ev.type = type;
    ev.code = code;
    ev.state = state;
    return send(type, id, sender, &ev);
  }
  // Runs the start-up timer's handler now (no waiting on the clock).
  void fireStartup() { send(SEL_TIMEOUT, Orbala::ID_STARTUP); }
  // Lets the event loop process what is pending (repaints).
  void pump();

  // Fills a table row through the program's own text setter.
  void setRow(int row, const std::vector<std::string>& cells);
  // Types into a cell through its editor, as the user does: the text is kept as typed.
  void typeCell(int row, int col, const std::string& text);
  std::string cell(int row, int col) const;
  Strings cells(int row, int first, int last) const;
  // Sets the Show (column 8) or Opaque (column 9) tick of a row with its flag.
  void setTick(int row, int col, bool on);
  // A click on a cell: the press made it current, the release reaches the window.
  long clickCell(int row, int col, bool moved = false);
  void select(int r1, int r2, int c1 = 0, int c2 = 0);
  void project(float x, float y, float z, int& sx, int& sy) const;

  // Through the X server (XTest), so the toolkit's own paths run; each ends with a pump.
  // A click with `button` at a point of a window, or `clicks` quick ones for a double click.
  void xClick(FXWindow* w, int x, int y, unsigned button = 1, int clicks = 1);
  void xClickCell(int row, int col, unsigned button = 1, int clicks = 1);
  // One key at a time: a key sent while an editor under the pointer is about to close would go
  // to the closed editor's window.
  void xKeys(const Strings& keys) {
    for (const std::string& key : keys) {
      xSendKeys({key});
      pump();
    }
  }
  void xType(const std::string& digits) {
    for (char c : digits)
      xKeys({std::string(1, c)});
  }
  // Right-clicks the cell and clicks `entry` of the context menu that opens.
  void xChooseFromContextMenu(int row, int col, const std::string& entry);
  // The open cell editor, or none.
  FXTextField* cellEditor() const;
  // The pixel of a frame that a world point lands on; 0 (and a failure) when off the frame.
  FXColor pixelAt(const ViewerPicture& p, float x, float y, float z) const;

  std::string dir;          // the test's private folder
  std::string settingsPath; // dir + "/Orbala.ini"
  Orbala* win = nullptr;
  ScriptedDialogs* dialogs = nullptr; // owned by the window
};

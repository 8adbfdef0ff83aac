#pragma once
// Shared pieces of the GUI tests: one toolkit application per process, a scripted dialog seam,
// and a fixture that builds the real main window with its settings in a private folder.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/Orbala.h"

FXApp* testApp();

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
  // Queues a cancelled file dialog.
  void cancelFile();
  std::vector<std::string> titles() const;
};

// A fresh temporary folder per test, removed afterwards.
std::string makeTempDir(const std::string& tag);
void removeTree(const std::string& path);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

class OrbalaTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Builds (and by default creates and shows) a new main window; the previous one is deleted.
  Orbala* openWindow(bool createIt = true);
  void closeWindow();

  // Sends a command the way a click would.
  long command(FXSelector id, FXObject* sender = nullptr, void* data = nullptr);
  long send(FXuint type, FXSelector id, FXObject* sender = nullptr, void* data = nullptr);
  // Runs the start-up timer's handler now (no waiting on the clock).
  void fireStartup();
  // Lets the event loop process what is pending (repaints).
  void pump();

  // Fills a table row through the program's own text setter.
  void setRow(int row, const std::vector<std::string>& cells);
  std::string cell(int row, int col) const;

  std::string dir;          // the test's private folder
  std::string settingsPath; // dir + "/Orbala.ini"
  Orbala* win = nullptr;
  ScriptedDialogs* dialogs = nullptr; // owned by the window
};

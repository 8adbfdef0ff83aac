#include "GuiHarness.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "table/Table_zk2.h"

namespace {
FXApp* application = nullptr;
}

FXApp* testApp() {
  return application;
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
  if (answers.empty()) return false;
  const bool yes = answers.front();
  answers.pop_front();
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

void ScriptedDialogs::cancelFile() {
  fileAnswers.push_back(FileDialogRequest());
}

std::vector<std::string> ScriptedDialogs::titles() const {
  std::vector<std::string> out;
  for (const auto& box : boxes)
    out.push_back(box.title);
  return out;
}

std::string makeTempDir(const std::string& tag) {
  std::string base = "/tmp";
  if (const char* t = std::getenv("ORBALA_TEST_TMP"); t && *t) {
    base = t;
    mkdir(base.c_str(), 0777);
  }
  std::string pattern = base + "/orbala-" + tag + "-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  const char* made = mkdtemp(buf.data());
  return made ? std::string(made) : base;
}

void removeTree(const std::string& path) {
  if (path.size() < 8) return;
  const std::string cmd = "rm -rf '" + path + "'";
  if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", path.c_str());
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

void OrbalaTest::SetUp() {
  const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  dir = makeTempDir(name.substr(0, 24));
  settingsPath = dir + "/Orbala.ini";
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

void OrbalaTest::closeWindow() {
  if (!win) return;
  delete win;
  win = nullptr;
  dialogs = nullptr;
}

long OrbalaTest::command(FXSelector id, FXObject* sender, void* data) {
  return send(SEL_COMMAND, id, sender, data);
}

long OrbalaTest::send(FXuint type, FXSelector id, FXObject* sender, void* data) {
  return win->handle(sender, FXSEL(type, id), data);
}

void OrbalaTest::fireStartup() {
  send(SEL_TIMEOUT, Orbala::ID_STARTUP);
}

void OrbalaTest::pump() {
  testApp()->flush(TRUE);
  testApp()->runWhileEvents();
  // Timers the window armed on its own (start-up, rotation) are driven by the tests instead.
  if (win) testApp()->removeTimeout(win, Orbala::ID_STARTUP);
}

void OrbalaTest::setRow(int row, const std::vector<std::string>& cells) {
  for (size_t c = 0; c < cells.size() && c < 8; ++c)
    win->table->setItemText(row, c, cells[c].c_str());
}

std::string OrbalaTest::cell(int row, int col) const {
  return win->table->getItemText(row, col).text();
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

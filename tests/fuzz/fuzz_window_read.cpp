// Applies arbitrary bytes to a real main window as a data file, an atom file or the settings
// file, lets it repaint, and checks what it holds afterwards. Needs an X display (xvfb-run).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "app/Orbala.h"
#include "platform/Locale.h"
#include "table/Table_zk2.h"
#include "table/core/TableLimits.h"

namespace {

// Every box is answered at once: OK, No, Cancel.
class SilentDialogs : public Dialogs {
public:
  void message(FXWindow*, BoxKind, const FXString& title, const FXString& text) override {
    if (title.length() > 200 || text.length() > 100000) __builtin_trap();
  }
  bool question(FXWindow*, const FXString&, const FXString&) override { return false; }
  bool chooseFile(FXWindow*, FileDialogRequest&) override { return false; }
};

FXApp* app = nullptr;
Orbala* win = nullptr;
std::string folder;

void checkWindow() {
  const Table_zk2* table = win->table;
  if (table->getNumRows() < 10 || table->getNumRows() > orbala::kMaxTableRows) __builtin_trap();
  for (FXint r = 0; r < table->getNumRows() && r < 200; ++r)
    for (FXint c = 0; c < 8; ++c)
      if (static_cast<size_t>(table->getItemText(r, c).length()) > orbala::kMaxCellText)
        __builtin_trap();
  for (FXTextField* field :
       {win->opaquenessField, win->pointNumberField, win->rotationPointFields[0],
        win->rotationPointFields[1], win->rotationPointFields[2]})
    if (static_cast<size_t>(field->getText().length()) > orbala::kMaxFieldText) __builtin_trap();
  for (int i = 0; i < orbala::RecentFiles::kSlots; ++i)
    if (win->recentFiles.get(i).size() > orbala::kMaxPathText) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  char pattern[] = "/tmp/orbala-fuzz-XXXXXX";
  if (!mkdtemp(pattern)) abort();
  folder = pattern;
  setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  app = new FXApp("Orbala", "Tellmark");
  app->init(*argc, *argv);
  orbala::platform::useDotForNumbers();
  OrbalaEnvironment env;
  env.settingsPath = (folder + "/Orbala.ini").c_str();
  env.dialogs = new SilentDialogs;
  env.updateHost = "127.0.0.1";
  env.openBrowser = [](const std::string&) {};
  win = new Orbala(app, env);
  app->create();
  app->removeTimeout(win, Orbala::ID_STARTUP);
  return 0;
}

// The first byte chooses how the rest is read: as a data file, an atom file or settings.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const char* const names[] = {"/in.qvx", "/in.xyz", "/Orbala.ini"};
  const int mode = data[0] % 3;
  const std::string path = folder + names[mode];
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data + 1), size - 1);
  win->readDataFile(path.c_str(), mode == 2);
  app->removeTimeout(win, Orbala::ID_ROTATE_TIMER);
  app->repaint();
  app->runWhileEvents();
  checkWindow();
  // What the window would keep of it at exit must read back.
  if (mode == 2) {
    const FXString block = win->writeSettingsBlock(true);
    std::ofstream(path, std::ios::binary).write(block.text(), block.length());
    win->readDataFile(path.c_str(), true);
    if (win->writeSettingsBlock(true) != block) __builtin_trap();
  }
  return 0;
}

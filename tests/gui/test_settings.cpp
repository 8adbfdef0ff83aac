// Settings kept between runs, and the recent-files list of the File menu.
#include "GuiHarness.h"

#include <cstdio>
#include <sstream>
#include <unistd.h>

#include "app/PanelLayout.h"
#include "platform/Paths.h"
#include "table/Table_zk2.h"

namespace {

Strings linesWithTag(const std::string& text, const std::string& tag) {
  Strings out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(tag, 0) == 0) out.push_back(line.substr(tag.size()));
  return out;
}

} // namespace

class SettingsTest : public OrbalaTest {
protected:
  // A data file that the reader accepts, holding one point labelled with its name.
  std::string makeDataFile(const std::string& name) {
    return writeInDir(name,
                      tagged("<data>0 0 " + name + "\n<data>0 1 1\n<data>0 2 2\n<data>0 3 3\n"));
  }
  Strings recentMenu() const {
    Strings out;
    for (auto* item : win->recentFileItems)
      if (!item->getText().empty()) out.push_back(item->getText().text());
    return out;
  }
};

TEST_F(SettingsTest, StoredValuesAreAppliedWithinSaneLimitsAndDamagedFilesGiveDefaults) {
  // 10 is the fewest rows taken; fewer give 100.
  for (const auto& [stored, rows] : {std::pair{"9", 100}, {"10", 10}}) {
    restartWith(tagged("<numRowsIni>" + std::string(stored) + "\n"));
    EXPECT_EQ(win->table->getNumRows(), rows);
    EXPECT_TRUE(dialogs->boxes.empty());
  }

  // Far more rows than can be built: refused, with a box once the event loop runs.
  restartWith(tagged("<numRowsIni>2000000000\n"));
  EXPECT_EQ(std::make_pair(win->table->getNumRows(), win->tableRowCount),
            std::make_pair(1000, 1000));
  for (int i = 0; i < 1000 && dialogs->boxes.empty(); ++i)
    testApp()->runOneEvent(false);
  ASSERT_EQ(dialogs->titles(), Strings{"Settings warning"});
  EXPECT_NE(dialogs->boxes[0].text.find("2000000000"), std::string::npos);
  pump();
  EXPECT_EQ(dialogs->boxes.size(), 1u) << "the box is shown once";

  // The window block and the folder.
  restartWith(tagged("<main_width>50\n<main_height>99\n<window_x>123\n<window_y>-20\n"
                     "<isMinimized>1\n<pathUserFilesDirectory>" +
                     dir + "/gone\n<lastFileExtensionSelected>xyz\n"),
              false);
  EXPECT_EQ(std::vector<int>({win->windowWidth, win->windowHeight, win->windowX, win->windowY}),
            std::vector<int>({400, 400, 123, -20}));
  EXPECT_TRUE(win->wasMinimized);
  EXPECT_STREQ(win->userFilesDirectory.text(), orbala::platform::currentDirectory().c_str());
  EXPECT_STREQ(win->lastExtension.text(), "xyz");

  restartWith(tagged("<main_width>100\n<lastFileExtensionSelected>xyz\n<pathUserFilesDirectory>" +
                     dir + "\n"));
  EXPECT_EQ(win->windowWidth, 100);
  EXPECT_STREQ(win->userFilesDirectory.text(), dir.c_str());
  // The stored extension preselects the matching pattern of the Open dialog.
  dialogs->cancelFile();
  command(Orbala::ID_OPEN);
  ASSERT_EQ(dialogs->fileRequests.size(), 1u);
  EXPECT_EQ(dialogs->fileRequests[0].currentPattern, 1); // "XYZ (*.xyz)"

  // How broken text is refused is the text reader's test; binary stands for it here.
  static const char binary[] = "\0\xff\xfe<version>\x01\x02\n\n>>>\n<data>9 9";
  const Strings damaged = {
      std::string(binary, sizeof binary - 1),
      // Too few lines to be accepted, but what they set stays and must be usable.
      "<version>1.31\n<rotationAxis>99\n<scaleSizeType>9\n<rotationLocationIndex>-1\n",
      tagged("<numRowsIni>-5\n<rotationAxis>99\n<scaleSizeType>-3\n"
             "<rotationLocationIndex>7\n<sphereRadius_Slider>999999\n"
             "<recentlyUsedFiles>\n<recentlyUsedFiles>/a\n"),
  };
  for (const std::string& text : damaged) {
    restartWith(text);
    fireStartup();
    EXPECT_GE(win->table->getNumRows(), 10);
    EXPECT_LE(win->sphereRadiusSlider->getValue(), 1000);
    // Each choice is in range: its own radio is checked.
    ASSERT_TRUE(win->rotationAxis >= 0 && win->rotationAxis <= 6 && win->scaleSizeType >= 0 &&
                win->scaleSizeType <= 4 && win->rotationPointChoice >= 0 &&
                win->rotationPointChoice <= 3);
    EXPECT_TRUE(win->rotationAxisRadios[win->rotationAxis]->getCheck() &&
                win->scaleModeRadios[win->scaleSizeType]->getCheck() &&
                win->rotationPointRadios[win->rotationPointChoice]->getCheck());
    EXPECT_TRUE(dialogs->boxes.empty()) << "a settings file is read silently";
  }
  // The empty value still took a counter step, so "/a" went to the second slot.
  EXPECT_EQ(win->recentFiles.get(1), "/a");
  EXPECT_EQ(win->table->getNumRows(), 100);

  // Too large to be a settings file: not read at all, and without a word.
  closeWindow();
  writeFile(settingsPath, tagged("<numRowsIni>20\n"));
  ASSERT_EQ(truncate(settingsPath.c_str(), 300L << 20), 0);
  openWindow();
  EXPECT_EQ(win->table->getNumRows(), 1000);
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(SettingsTest, SettingsSurviveARestart) {
  settingsPath = dir + "/config/Orbala/Orbala.ini"; // made with its folders when first written
  openWindow();
  // The settings block itself is the data file's, whose round trip is tested with the files.
  win->backgroundSlider->setValue(40);
  win->lastExtension = "qvx";
  win->userFilesDirectory = dir.c_str();
  closeWindow();
  const std::string ini = readFile(settingsPath);
  EXPECT_EQ(ini.find('\r'), std::string::npos);
  EXPECT_EQ(linesWithTag(ini, "<numRowsIni>"), Strings{"1000"});
  EXPECT_EQ(linesWithTag(ini, "<pathUserFilesDirectory>"), Strings{dir});

  // Read at the next start and written again unchanged, over a longer file.
  writeFile(settingsPath, ini + std::string(5000, '#'));
  openWindow();
  EXPECT_STREQ(win->backgroundGroup->getText().text(), "B=40");
  EXPECT_DOUBLE_EQ(win->fileVersion, 1.31);
  closeWindow();
  EXPECT_EQ(readFile(settingsPath), ini);
}

TEST_F(SettingsTest, PanelWidthSurvivesARestartAndFallsBackWhenDamaged) {
  fireStartup();
  ASSERT_EQ(win->leftPanel->getWidth(), orbala::kDefaultPanelWidth);
  // The mouse drags the bar 60 pixels to the right.
  FXEvent ev{};
  ev.win_x = win->leftPanel->getWidth() + 1;
  ev.win_y = 100;
  for (const FXSelector sel : {SEL_LEFTBUTTONPRESS, SEL_MOTION, SEL_LEFTBUTTONRELEASE}) {
    win->panelSplitter->handle(win->panelSplitter, FXSEL(sel, 0), &ev);
    ev.win_x += 60;
  }
  EXPECT_EQ(win->leftPanel->getWidth(), 460);
  EXPECT_EQ(win->viewer->getX(), 460 + win->panelSplitter->getBarSize());
  // A data file does not move it.
  EXPECT_TRUE(win->applyTag("<panelWidth>", "300", false));
  closeWindow();
  EXPECT_EQ(linesWithTag(readFile(settingsPath), "<panelWidth>"), Strings{"460"});
  openWindow();
  fireStartup();
  EXPECT_EQ(win->leftPanel->getWidth(), 460);

  // Older files lack the line; a damaged one gives the default.
  for (const std::string line :
       {"", "<panelWidth>abc\n", "<panelWidth>-40\n", "<panelWidth>99999\n"}) {
    restartWith(tagged(line));
    fireStartup();
    EXPECT_EQ(win->leftPanel->getWidth(), orbala::kDefaultPanelWidth) << line;
  }
}

TEST_F(SettingsTest, RecentFilesOrderPersistsAndFollowsUse) {
  const std::string first = makeDataFile("first.qvx");
  const std::string second = makeDataFile("second.qvx");
  const std::string third = makeDataFile("third.qvx");
  for (const auto& path : {first, second, third, first})
    openFile(path);
  EXPECT_EQ(recentMenu(), (Strings{first, third, second}));
  EXPECT_TRUE(win->clearRecentItem->isEnabled());
  closeWindow();
  EXPECT_EQ(linesWithTag(readFile(settingsPath), "<recentlyUsedFiles>"),
            (Strings{first, third, second}));

  // The list comes back at the next start; opening from it moves the entry to the top.
  openWindow();
  EXPECT_EQ(recentMenu(), (Strings{first, third, second}));
  win->userFilesDirectory = "/";
  command(Orbala::ID_RECENT_FILE, win->recentFileItems[2]);
  EXPECT_EQ(recentMenu(), (Strings{second, first, third}));
  EXPECT_EQ(cell(0, 0), "second.qvx");
  EXPECT_STREQ(win->getTitle().text(), ("Orbala v1.31     " + second).c_str());
  EXPECT_STREQ(win->userFilesDirectory.text(), "/") << "the list leaves the folder alone";
}

TEST_F(SettingsTest, MissingUnreadableAndClearedEntries) {
  Strings paths;
  for (int i = 0; i < 5; ++i) {
    paths.push_back(makeDataFile("r" + std::to_string(i) + ".qvx"));
    openFile(paths.back());
  }
  // Slot 2 holds r2; take it away and answer No first: the entry stays.
  std::remove(paths[2].c_str());
  dialogs->boxes.clear();
  command(Orbala::ID_RECENT_FILE, win->recentFileItems[2]);
  ASSERT_EQ(dialogs->titles().size(), 2u);
  EXPECT_EQ(dialogs->boxes[0].title + " " + dialogs->boxes[1].kind, "User file error question");
  EXPECT_EQ(recentMenu().size(), 5u);
  dialogs->answers.push_back(true);
  command(Orbala::ID_RECENT_FILE, win->recentFileItems[2]);
  EXPECT_EQ(recentMenu(), (Strings{paths[4], paths[3], paths[1], paths[0]}));
  EXPECT_TRUE(win->recentFileItems[4]->getText().empty());

  // A file that is there but cannot be read stays listed.
  writeFile(paths[4], "<version>1.31\nnot enough lines\n");
  dialogs->boxes.clear();
  command(Orbala::ID_RECENT_FILE, win->recentFileItems[0]);
  EXPECT_EQ(dialogs->seen(), Strings{"error User file error: The file could not be read."});
  EXPECT_EQ(recentMenu().size(), 4u);

  // Clearing asks first; No leaves the list.
  EXPECT_EQ(command(Orbala::ID_CLEAR_RECENT), 0);
  EXPECT_EQ(dialogs->seen().back(),
            "question Clear project list: Are you sure you want to clear the project list");
  EXPECT_EQ(recentMenu().size(), 4u);
  dialogs->answers.push_back(true);
  EXPECT_EQ(command(Orbala::ID_CLEAR_RECENT), 1);
  EXPECT_TRUE(recentMenu().empty());
  EXPECT_FALSE(win->clearRecentItem->isEnabled());
  closeWindow();
  EXPECT_TRUE(linesWithTag(readFile(settingsPath), "<recentlyUsedFiles>").empty());
}

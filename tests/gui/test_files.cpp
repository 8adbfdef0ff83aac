// Data files (writing and reading back, the rules, Open, Save and its dialog) and the settings
// kept between runs with the recent-files list of the File menu.
#include "GuiHarness.h"

#include <cstdio>
#include <sstream>
#include <unistd.h>

#include "../support/FileSizeLimit.h"
#include "app/PanelLayout.h"
#include "platform/Paths.h"
#include "table/Table_zk2.h"

class FilesTest : public OrbalaTest {
protected:
  bool openText(const std::string& name, const std::string& text) {
    return openFile(writeInDir(name, text));
  }
  void saveAs(const std::string& path) {
    dialogs->answerFile(path);
    command(Orbala::ID_SAVE_AS);
  }
  bool tick(int row, int col) const { return win->table->getItemIcon(row, col) != nullptr; }
};

TEST_F(FilesTest, RoundTripRestoresTableSettingsAndView) {
  setRow(0, {"C", "1.5", "-2", "3e1", "10", "20", "30", "2.5"});
  setRow(1, {"two words", "4", "5", "6", "", "", "", "1.0"});
  setRow(4, {"", "", "", "7"}); // after a gap: not plotted, but saved
  setTick(1, 8, false);
  setTick(4, 9, false);
  // Every value of the settings block away from its default.
  win->colorPoints = true;
  win->syncSphereColorRadios();
  win->colorIndex = 7;
  for (FXMenuCheck* check :
       {win->applyPubChemCheck, win->applyJmolCheck, win->applyDefaultSizesCheck,
        win->undefinedGrayCheck, win->showXYAxisCheck, win->showZAxisCheck,
        win->showAxisLabelsCheck, win->showRGBColumnsCheck})
    check->setCheck(!check->getCheck());
  win->rotationAxis = 4;
  win->rotationDirection = 1;
  win->rotationSpeedSlider->setValue(77);
  win->sphereRadiusSlider->setValue(250);
  win->backgroundSlider->setValue(33);
  win->rotationPointChoice = 3;
  win->scaleSizeType = 2;
  win->opaquenessField->setText("0.3");
  win->pointNumberField->setText("2");
  for (int i = 0; i < 3; ++i)
    win->rotationPointFields[i]->setText(std::to_string(i * 10 - 5).c_str());
  win->axisScaling[0] = win->axisScaling[1] = win->axisScaling[2] = 1;
  win->viewer->setZoom(2.5);
  win->viewer->setCenter(FXVec3f(1.25f, -2.5f, 30.0f));
  win->viewer->setOrientation(FXQuatf(0.5f, -0.5f, 0.5f, 0.5f));

  const std::string path = dir + "/round.qvx";
  saveAs(dir + "/round");
  const std::string text = readFile(path);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_NE(text.find("<data>1 4 \n"), std::string::npos) << "empty cells of a row are written";
  EXPECT_NE(text.find("<data>1 8 hide\n"), std::string::npos);
  EXPECT_EQ(text.find("<data>2 "), std::string::npos) << "rows without x, y, z are skipped";
  EXPECT_EQ(text.find("<window_x>"), std::string::npos) << "no window block in a data file";

  // A fresh start with defaults everywhere reads it from the recent list and writes it again.
  restartWith("<recentlyUsedFiles>" + path + "\n");
  command(Orbala::ID_RECENT_FILE, win->recentFileItems[0]);
  EXPECT_EQ(dialogs->titles(), Strings{});
  saveAs(dir + "/again");
  // Written from the cells, flags, controls and viewer: every value came back.
  EXPECT_EQ(readFile(dir + "/again.qvx"), text);
  // What the file does not hold, the controls show.
  EXPECT_EQ(cell(2, 7), "1.0");
  EXPECT_TRUE(!tick(1, 8) && tick(0, 8) && tick(4, 8) && !tick(4, 9) && tick(1, 9));
  EXPECT_TRUE(win->colorRadio->getCheck() && !win->grayRadio->getCheck() &&
              win->rotationAxisItems[4]->getCheck() && win->rotationAxisRadios[4]->getCheck() &&
              win->counterClockwiseRadio->getCheck() && win->scaleModeRadios[2]->getCheck() &&
              win->rotationPointRadios[3]->getCheck() && win->restoreButton->isEnabled());
  EXPECT_EQ(win->table->getColumnWidth(4), 0) << "the R, G, B columns follow their check";
  EXPECT_STREQ(win->sphereRadiusGroup->getText().text(), "R=2.50");
  EXPECT_EQ(std::string(win->loadedSizes.text()).substr(0, 12), "2.5|1.0|1.0|");

  // Through Open the view is reset once more after the stored one was applied.
  EXPECT_TRUE(openFile(path));
  EXPECT_NEAR(win->viewer->getZoom(), 0.9, 1e-9);
  EXPECT_EQ(cell(1, 0), "two words");
}

TEST_F(FilesTest, TagValueAndVersionRulesAndTheTenKnownLines) {
  // How tags, flags and data lines split is unit-tested; here is what the window does with them.
  const std::string text = "<_version>1.31\n" + std::string(kNineLines) +
                           "<window_x>777\n<pathUserFilesDirectory>/\n"
                           "<data>3 0 two words\n<data>3 1 5\n<data>3 2 \n"
                           "<data>3 8 HIDE\n<data>3 9 whatever\n<data>-1 1 9\n<data>2 10 9\n"
                           "<data>x y\n";
  win->table->setItemText(3, 2, "old");
  win->table->setItemIcon(3, 9, nullptr);
  EXPECT_TRUE(openText("rules.qvx", text));
  EXPECT_DOUBLE_EQ(win->fileVersion, 1.31) << "the underscore form is the version tag";
  EXPECT_NE(win->windowX, 777) << "window values of a data file are ignored";
  EXPECT_EQ(cells(3, 0, 2), (Strings{"two words", "5", ""}));
  EXPECT_TRUE(!tick(3, 8) && win->rowState.showFlags[3] == 0) << "HIDE in capitals hides";
  EXPECT_TRUE(tick(3, 9) && win->rowState.opaqueFlags[3] == 1) << "any other text shows";
  EXPECT_STREQ(win->userFilesDirectory.text(), dir.c_str()) << "the Open dialog's folder";

  // A file older than 1.2 had no label column.
  EXPECT_TRUE(openText("old.qvx",
                       "<version>1.1\n" + std::string(kNineLines) + "<data>0 0 8\n<data>0 9 9\n"));
  EXPECT_EQ(cells(0, 0, 1), (Strings{"", "8"}));
  EXPECT_TRUE(tick(0, 9)) << "column 9 of an old file would be beyond the table";
  win->fileVersion = 1.31;

  // Nine known lines fail even with data lines among them; a tenth of any kind passes.
  const std::string nine = "<version>1.31\n<colorIndex>0\n<colorPoints>0\n<show_z_axis>1\n"
                           "<data>0 1 1\n<data>0 2 2\n<data>0 3 3\nnoise\n<rotationAxis>0\n"
                           "<rotationDirection>0\n";
  EXPECT_FALSE(openText("nine.qvx", nine));
  EXPECT_EQ(dialogs->seen(), Strings{"error User file error: The file could not be read."});
  EXPECT_TRUE(openText("ten.qvx", nine + "<main_width>5\n"));

  // Without a version line the version of the last read decides: none after a bare start.
  writeFile(dir + "/noversion.qvx", std::string(kNineLines) + "<data>0 1 1\n");
  closeWindow();
  std::remove(settingsPath.c_str());
  openWindow();
  EXPECT_FALSE(openFile(dir + "/noversion.qvx"));
  restartWith(tagged(""));
  EXPECT_TRUE(openFile(dir + "/noversion.qvx"));
}

TEST_F(FilesTest, RowsBeyondTheTableAreReported) {
  restartWith(tagged("<numRowsIni>100\n"));
  ASSERT_EQ(win->table->getNumRows(), 100);
  std::string lines;
  for (int r = 0; r < 150; ++r)
    lines += "<data>" + std::to_string(r) + " 1 " + std::to_string(r) + "\n";
  // No keeps the rows that fit; Yes grows the table to what the file needs and reads it again.
  EXPECT_TRUE(openText("long.qvx", tagged(lines)));
  EXPECT_EQ(cell(99, 1), "99");
  ASSERT_EQ(dialogs->titles(), Strings{"Data warning"});
  EXPECT_NE(dialogs->boxes[0].text.find("It needs 150 rows; the table has 100."),
            std::string::npos);
  dialogs->answers.push_back(true);
  EXPECT_TRUE(openText("long.qvx", tagged(lines)));
  EXPECT_EQ(dialogs->boxes.size(), 1u);
  EXPECT_EQ(win->table->getNumRows(), 150);
  EXPECT_EQ(cell(149, 1), "149");

  // A row no table can have: the table may grow to the most it can hold, no further.
  EXPECT_TRUE(openText("far.qvx", tagged("<data>2147483647 1 5\n<data>99999999999 1 5\n")));
  ASSERT_EQ(dialogs->boxes.size(), 1u);
  EXPECT_NE(dialogs->boxes[0].text.find("more than 1000000 rows"), std::string::npos);
  EXPECT_EQ(win->table->getNumRows(), 150);

  // The settings file itself never warns.
  restartWith(tagged("<numRowsIni>100\n" + lines));
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(FilesTest, BadInputIsRefusedWithoutHarm) {
  EXPECT_TRUE(openText("tagged.txt", tagged("<data>0 0 kept\n<data>0 1 2\n")));
  EXPECT_STREQ(win->lastExtension.text(), "txt");
  // Missing, empty, a folder, or far beyond any text file: refused from its size without being
  // read (a sparse file).
  const std::string huge = writeInDir("huge.xyz", tagged(""));
  ASSERT_EQ(truncate(huge.c_str(), 300L << 20), 0);
  for (const std::string& path : {dir + "/missing.qvx", writeInDir("empty.qvx", ""), dir, huge}) {
    EXPECT_FALSE(openFile(path));
    EXPECT_EQ(dialogs->titles(), (Strings{"Error Loading File", "User file error"})) << path;
  }
  EXPECT_NE(dialogs->boxes[0].text.find("too large"), std::string::npos);
  EXPECT_STREQ(win->currentFile.text(), (dir + "/tagged.txt").c_str()) << "unchanged";

  // Binary, with brackets and line feeds among it.
  const std::string noise("\x89PNG\r\n\x1a\n\0<version>\xff\n<data>0 0 x\n\x01<\n", 35);
  EXPECT_FALSE(openText("noise.qvx", noise));
  ASSERT_FALSE(dialogs->boxes.empty());
  EXPECT_EQ(dialogs->boxes.back().text, "The file could not be read.");
  EXPECT_EQ(cell(0, 0), "kept") << "a refused file leaves the table as it was";

  // A good file cut anywhere is read up to the cut or refused, never more.
  const std::string good = tagged("<Viewer_Zoom>1.5\n<data>0 0 lab\n<data>0 1 1\n");
  for (size_t cut = 1; cut < good.size(); cut += 17) {
    const bool read = openText("cut.qvx", good.substr(0, cut));
    EXPECT_EQ(read, dialogs->boxes.empty()) << cut;
  }

  // View values the viewer cannot use are not applied.
  for (const char* view :
       {"<Viewer_Zoom>nan\n<Viewer_center_xyz>1 inf 2\n<Viewer_orientation>0 0 0 0\n",
        "<Viewer_Zoom>-1\n<Viewer_center_xyz>1 2\n<Viewer_orientation>1e400 0 0 1\n"}) {
    EXPECT_TRUE(openText("view.qvx", tagged(view)));
    EXPECT_FALSE(win->viewZoomRead || win->viewCenterRead || win->viewOrientationRead) << view;
  }
}

TEST_F(FilesTest, SaveDialogForcesExtensionAndChecksNames) {
  setRow(0, {"a", "1", "2", "3"});
  saveAs(dir + "/plain");
  EXPECT_FALSE(readFile(dir + "/plain.qvx").empty());
  EXPECT_STREQ(win->getTitle().text(), ("Orbala v1.31     " + dir + "/plain.qvx").c_str());
  EXPECT_STREQ(win->lastExtension.text(), "qvx");
  saveAs(dir + "/notes.txt");
  EXPECT_FALSE(readFile(dir + "/notes.qvx").empty());
  EXPECT_TRUE(readFile(dir + "/notes.txt").empty());

  // An illegal name reopens the dialog after "Filename error".
  dialogs->boxes.clear();
  dialogs->fileRequests.clear();
  dialogs->answerFile(dir + "/a:b");
  saveAs(dir + "/fine0");
  EXPECT_EQ(dialogs->fileRequests.size(), 2u);
  EXPECT_EQ(dialogs->titles(), Strings{"Filename error"});
  EXPECT_STREQ(win->currentFile.text(), (dir + "/fine0.qvx").c_str());
  EXPECT_EQ(access((dir + "/a:b.qvx").c_str(), F_OK), -1);

  // Overwriting asks; No reopens the dialog, and a cancel then leaves the file alone.
  const std::string before = readFile(dir + "/fine0.qvx");
  setRow(0, {"changed", "1", "2", "3"});
  dialogs->boxes.clear();
  dialogs->fileRequests.clear();
  dialogs->answers.push_back(false);
  saveAs(dir + "/fine0.qvx");
  EXPECT_EQ(dialogs->fileRequests.size(), 2u);
  EXPECT_EQ(dialogs->titles(), Strings{"Overwrite"});
  EXPECT_EQ(readFile(dir + "/fine0.qvx"), before);
  dialogs->answers.push_back(true);
  saveAs(dir + "/fine0.qvx");
  EXPECT_NE(readFile(dir + "/fine0.qvx").find("<data>0 0 changed\n"), std::string::npos);
}

TEST_F(FilesTest, SaveUsesTheCurrentFileButNeverAnAtomFile) {
  setRow(0, {"a", "1", "2", "3"});
  // No current file yet: Save asks for a name.
  dialogs->answerFile(dir + "/first");
  command(Orbala::ID_SAVE);
  EXPECT_STREQ(win->currentFile.text(), (dir + "/first.qvx").c_str());
  setRow(0, {"b", "1", "2", "3"});
  command(Orbala::ID_SAVE);
  EXPECT_EQ(dialogs->fileRequests.size(), 1u) << "the second Save asks nothing";
  EXPECT_NE(readFile(dir + "/first.qvx").find("<data>0 0 b\n"), std::string::npos);

  // After an atom file, Save acts as Save as, cancelled or not.
  const std::string atoms = dir + "/water.xyz";
  const std::string original = readFile(testData("water.xyz"));
  writeFile(atoms, original);
  ASSERT_TRUE(openFile(atoms));
  EXPECT_TRUE(win->currentFileIsAtomFile);
  dialogs->cancelFile();
  command(Orbala::ID_SAVE);
  EXPECT_EQ(dialogs->fileRequests.size(), 3u);
  EXPECT_EQ(readFile(atoms), original);
  dialogs->answerFile(dir + "/water");
  command(Orbala::ID_SAVE);
  EXPECT_EQ(readFile(atoms), original);
  EXPECT_STREQ(win->currentFile.text(), (dir + "/water.qvx").c_str());
  EXPECT_NE(readFile(dir + "/water.qvx").find("<data>1 0 H"), std::string::npos);
  EXPECT_FALSE(win->currentFileIsAtomFile);
}

TEST_F(FilesTest, FailedSavesKeepThePreviousFile) {
  setRow(0, {"a", "1", "2", "3"});
  const std::string path = dir + "/keep.qvx";
  writeFile(path, "previous contents\n");
  {
    const FileSizeLimit diskFullAfter(200);
    EXPECT_FALSE(win->saveDataFile(path.c_str()));
  }
  EXPECT_EQ(readFile(path), "previous contents\n");
  EXPECT_EQ(dialogs->seen(),
            Strings{"error File error: File \"" + path + "\" could not be written."});
  EXPECT_EQ(win->recentFiles.count(), 0) << "a failed save is not a recent file";

  // Save as into a missing folder: reported, and the name still becomes current.
  dialogs->boxes.clear();
  saveAs(dir + "/nowhere/x");
  EXPECT_EQ(dialogs->titles(), Strings{"File error"});
  EXPECT_STREQ(win->currentFile.text(), (dir + "/nowhere/x.qvx").c_str());
  EXPECT_STREQ(win->userFilesDirectory.text(), (dir + "/nowhere").c_str());
}

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

// Settings kept between runs, and the recent-files list of the File menu.
#include "GuiHarness.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <unistd.h>

#include "platform/Paths.h"
#include "table/Table_zk2.h"

namespace {

// Answers nothing and records every box in a log that outlives the window, so that what the
// destructor reports can still be read.
class LoggingDialogs : public Dialogs {
public:
  explicit LoggingDialogs(std::shared_ptr<std::vector<std::string>> log) : log_(std::move(log)) {}
  void message(FXWindow*, BoxKind, const FXString& title, const FXString& text) override {
    log_->push_back(std::string(title.text()) + ": " + text.text());
  }
  bool question(FXWindow*, const FXString&, const FXString&) override { return false; }
  bool chooseFile(FXWindow*, FileDialogRequest&) override { return false; }

private:
  std::shared_ptr<std::vector<std::string>> log_;
};

std::vector<std::string> linesWithTag(const std::string& text, const std::string& tag) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(tag, 0) == 0) out.push_back(line.substr(tag.size()));
  return out;
}

// A complete settings block (ten and more known lines) with extra lines appended.
std::string settingsWith(const std::string& extra) {
  return "<version>1.31\n<colorPoints>0\n<colorIndex>0\n<applyPubChemColors>0\n"
         "<applyJmolColors>1\n<applyDefaultAtomSizes>1\n<setUndefinedColorsToGray_Chk>1\n"
         "<show_xy_axis>1\n<show_z_axis>1\n<showAxisLabels>1\n" +
         extra;
}

// A data file that the reader accepts: the settings lines plus one point.
std::string dataFileText(const std::string& label) {
  return settingsWith("<data>0 0 " + label + "\n<data>0 1 1\n<data>0 2 2\n<data>0 3 3\n");
}

} // namespace

class SettingsTest : public OrbalaTest {
protected:
  std::string makeDataFile(const std::string& name) {
    const std::string path = dir + "/" + name;
    writeFile(path, dataFileText(name));
    return path;
  }
  void openThroughDialog(const std::string& path) {
    dialogs->answerFile(path);
    command(Orbala::ID_OPEN);
  }
  std::vector<std::string> recentMenu() const {
    std::vector<std::string> out;
    for (auto* item : win->recentFileItems)
      if (!item->getText().empty()) out.push_back(item->getText().text());
    return out;
  }
};

TEST_F(SettingsTest, StoredRowCountIsAppliedWithinSaneLimits) {
  writeFile(settingsPath, settingsWith("<numRowsIni>5\n"));
  openWindow();
  EXPECT_EQ(win->table->getNumRows(), 100);

  closeWindow(); // it would write its own settings over ours
  writeFile(settingsPath, settingsWith("<numRowsIni>10\n"));
  openWindow();
  EXPECT_EQ(win->table->getNumRows(), 10);
  EXPECT_TRUE(dialogs->boxes.empty());

  // Far more rows than can be built: refused, with a box once the event loop runs.
  closeWindow();
  writeFile(settingsPath, settingsWith("<numRowsIni>2000000000\n"));
  openWindow();
  EXPECT_EQ(win->table->getNumRows(), 1000);
  EXPECT_EQ(win->tableRowCount, 1000);
  // The box waits for the event loop.
  for (int i = 0; i < 1000 && dialogs->boxes.empty(); ++i)
    testApp()->runOneEvent(false);
  ASSERT_EQ(dialogs->boxes.size(), 1u);
  EXPECT_EQ(dialogs->boxes[0].title, "Settings warning");
  EXPECT_NE(dialogs->boxes[0].text.find("2000000000"), std::string::npos);
  EXPECT_NE(dialogs->boxes[0].text.find("1000 rows instead"), std::string::npos);
  pump();
  EXPECT_EQ(dialogs->boxes.size(), 1u) << "the box is shown once";
}

TEST_F(SettingsTest, WindowBlockValuesAndDirectory) {
  writeFile(settingsPath, settingsWith("<main_width>50\n<main_height>99\n<window_x>123\n"
                                       "<window_y>-20\n<isMinimized>1\n"
                                       "<pathUserFilesDirectory>" +
                                       dir + "/gone\n<lastFileExtensionSelected>xyz\n"));
  openWindow(false);
  EXPECT_EQ(win->windowWidth, 400);
  EXPECT_EQ(win->windowHeight, 400);
  EXPECT_EQ(win->windowX, 123);
  EXPECT_EQ(win->windowY, -20);
  EXPECT_TRUE(win->wasMinimized);
  EXPECT_STREQ(win->userFilesDirectory.text(), orbala::platform::currentDirectory().c_str());
  EXPECT_STREQ(win->lastExtension.text(), "xyz");

  closeWindow();
  writeFile(settingsPath, settingsWith("<main_width>100\n<pathUserFilesDirectory>" + dir + "\n"));
  openWindow(false);
  EXPECT_EQ(win->windowWidth, 100);
  EXPECT_STREQ(win->userFilesDirectory.text(), dir.c_str());

  // The stored extension preselects the matching pattern of the Open dialog.
  closeWindow();
  writeFile(settingsPath, settingsWith("<lastFileExtensionSelected>xyz\n"));
  openWindow();
  dialogs->cancelFile();
  command(Orbala::ID_OPEN);
  ASSERT_EQ(dialogs->fileRequests.size(), 1u);
  EXPECT_EQ(dialogs->fileRequests[0].currentPattern, 1);
  EXPECT_STREQ(dialogs->fileRequests[0].patterns.text(),
               "Orbala (*.qvx)\nXYZ (*.xyz)\nText (*.txt)\n");
}

TEST_F(SettingsTest, SettingsSurviveARestart) {
  openWindow();
  win->showZAxisCheck->setCheck(FALSE);
  win->applyPubChemCheck->setCheck(TRUE);
  win->applyJmolCheck->setCheck(FALSE);
  win->rotationSpeedSlider->setValue(123);
  win->backgroundSlider->setValue(40);
  win->rotationAxis = 5;
  win->rotationDirection = 1;
  win->scaleSizeType = 3;
  win->opaquenessField->setText("0.7");
  win->rotationPointFields[1]->setText("-2.5");
  win->axisScaling[2] = 1;
  win->lastExtension = "qvx";
  win->userFilesDirectory = dir.c_str();
  closeWindow();

  const std::string ini = readFile(settingsPath);
  EXPECT_EQ(ini.find('\r'), std::string::npos);
  EXPECT_EQ(linesWithTag(ini, "<numRowsIni>"), std::vector<std::string>{"1000"});
  EXPECT_EQ(linesWithTag(ini, "<pathUserFilesDirectory>"), std::vector<std::string>{dir});
  EXPECT_EQ(linesWithTag(ini, "<rotationSpeed_Slider>"), std::vector<std::string>{"123"});

  openWindow();
  EXPECT_FALSE(win->showZAxisCheck->getCheck());
  EXPECT_TRUE(win->applyPubChemCheck->getCheck());
  EXPECT_FALSE(win->applyJmolCheck->getCheck());
  EXPECT_EQ(win->rotationSpeedSlider->getValue(), 123);
  EXPECT_EQ(win->backgroundSlider->getValue(), 40);
  EXPECT_STREQ(win->backgroundGroup->getText().text(), "B=40");
  EXPECT_TRUE(win->rotationAxisRadios[5]->getCheck());
  EXPECT_TRUE(win->counterClockwiseRadio->getCheck());
  EXPECT_FALSE(win->clockwiseRadio->getCheck());
  EXPECT_TRUE(win->scaleModeRadios[3]->getCheck());
  EXPECT_STREQ(win->opaquenessField->getText().text(), "0.7");
  EXPECT_STREQ(win->rotationPointFields[1]->getText().text(), "-2.5");
  EXPECT_EQ(win->axisScaling[2], 1);
  EXPECT_STREQ(win->lastExtension.text(), "qvx");
  EXPECT_DOUBLE_EQ(win->fileVersion, 1.31);
}

TEST_F(SettingsTest, UnwritableSettingsFileIsReportedAtExit) {
  // The settings folder cannot be made: a plain file stands where it should be.
  writeFile(dir + "/blocker", "x");
  settingsPath = dir + "/blocker/Orbala.ini";
  openWindow();
  auto log = std::make_shared<std::vector<std::string>>();
  win->dialogs.reset(new LoggingDialogs(log));
  dialogs = nullptr;
  closeWindow();
  ASSERT_EQ(log->size(), 1u);
  EXPECT_EQ((*log)[0], "File error: File \"" + settingsPath +
                           "\" could not be written, your settings cannot be saved.");
}

TEST_F(SettingsTest, SettingsFileIsCreatedInItsFolderAndReplacedWhole) {
  settingsPath = dir + "/config/Orbala/Orbala.ini";
  openWindow();
  closeWindow();
  const std::string first = readFile(settingsPath);
  EXPECT_NE(first.find("<version>1.31\n"), std::string::npos);

  // A longer old file must not leave a tail behind.
  writeFile(settingsPath, first + std::string(5000, '#'));
  openWindow();
  closeWindow();
  EXPECT_EQ(readFile(settingsPath).find('#'), std::string::npos);
}

TEST_F(SettingsTest, RecentFilesOrderAndSettingsLines) {
  openWindow();
  const std::string first = makeDataFile("first.qvx");
  const std::string second = makeDataFile("second.qvx");
  const std::string third = makeDataFile("third.qvx");
  for (const auto& path : {first, second, third, first})
    openThroughDialog(path);
  EXPECT_EQ(recentMenu(), (std::vector<std::string>{first, third, second}));
  EXPECT_TRUE(win->clearRecentItem->isEnabled());
  closeWindow();
  EXPECT_EQ(linesWithTag(readFile(settingsPath), "<recentlyUsedFiles>"),
            (std::vector<std::string>{first, third, second}));

  // The list comes back at the next start.
  openWindow();
  EXPECT_EQ(recentMenu(), (std::vector<std::string>{first, third, second}));
}

TEST_F(SettingsTest, EleventhFilePushesTheOldestOut) {
  openWindow();
  std::vector<std::string> paths;
  for (int i = 0; i < 11; ++i) {
    paths.push_back(makeDataFile("f" + std::to_string(i) + ".qvx"));
    openThroughDialog(paths.back());
  }
  const auto menu = recentMenu();
  ASSERT_EQ(menu.size(), 10u);
  EXPECT_EQ(menu.front(), paths[10]);
  EXPECT_EQ(menu.back(), paths[1]);
  closeWindow();
  EXPECT_EQ(linesWithTag(readFile(settingsPath), "<recentlyUsedFiles>").size(), 10u);
}

TEST_F(SettingsTest, OpeningFromTheListMovesItToTheTop) {
  openWindow();
  const std::string a = makeDataFile("a.qvx");
  const std::string b = makeDataFile("b.qvx");
  openThroughDialog(a);
  openThroughDialog(b);
  win->userFilesDirectory = "/";
  command(Orbala::ID_RECENT_FILE, win->recentFileItems[1]);
  EXPECT_EQ(recentMenu(), (std::vector<std::string>{a, b}));
  EXPECT_EQ(cell(0, 0), "a.qvx");
  EXPECT_STREQ(win->getTitle().text(), ("Orbala v1.31     " + a).c_str());
  EXPECT_STREQ(win->userFilesDirectory.text(), "/") << "the list leaves the folder alone";
}

TEST_F(SettingsTest, MissingRecentFileCanBeRemovedWithoutAGap) {
  openWindow();
  std::vector<std::string> paths;
  for (int i = 0; i < 5; ++i) {
    paths.push_back(makeDataFile("r" + std::to_string(i) + ".qvx"));
    openThroughDialog(paths.back());
  }
  // Slot 2 holds r2; take it away and answer No first: the entry stays.
  std::remove(paths[2].c_str());
  dialogs->boxes.clear();
  command(Orbala::ID_RECENT_FILE, win->recentFileItems[2]);
  ASSERT_EQ(dialogs->boxes.size(), 2u);
  EXPECT_EQ(dialogs->boxes[0].title, "User file error");
  EXPECT_EQ(dialogs->boxes[0].text, "The file was not found");
  EXPECT_EQ(dialogs->boxes[1].kind, "question");
  EXPECT_EQ(dialogs->boxes[1].text, "Do you want to remove this file name from the list?");
  EXPECT_EQ(recentMenu().size(), 5u);

  dialogs->answers.push_back(true);
  command(Orbala::ID_RECENT_FILE, win->recentFileItems[2]);
  EXPECT_EQ(recentMenu(), (std::vector<std::string>{paths[4], paths[3], paths[1], paths[0]}));
  EXPECT_TRUE(win->recentFileItems[4]->getText().empty());
}

TEST_F(SettingsTest, UnreadableRecentFileStaysListed) {
  openWindow();
  const std::string path = makeDataFile("good.qvx");
  openThroughDialog(path);
  writeFile(path, "<version>1.31\nnot enough lines\n");
  dialogs->boxes.clear();
  command(Orbala::ID_RECENT_FILE, win->recentFileItems[0]);
  ASSERT_EQ(dialogs->boxes.size(), 1u);
  EXPECT_EQ(dialogs->boxes[0].text, "The file could not be read.");
  EXPECT_EQ(recentMenu(), std::vector<std::string>{path});
}

TEST_F(SettingsTest, ClearingTheListAsksFirst) {
  openWindow();
  openThroughDialog(makeDataFile("one.qvx"));
  openThroughDialog(makeDataFile("two.qvx"));

  EXPECT_EQ(command(Orbala::ID_CLEAR_RECENT), 0) << "No leaves the list";
  EXPECT_EQ(dialogs->boxes.back().title, "Clear project list");
  EXPECT_EQ(dialogs->boxes.back().text, "Are you sure you want to clear the project list");
  EXPECT_EQ(recentMenu().size(), 2u);

  dialogs->answers.push_back(true);
  EXPECT_EQ(command(Orbala::ID_CLEAR_RECENT), 1);
  EXPECT_TRUE(recentMenu().empty());
  EXPECT_FALSE(win->clearRecentItem->isEnabled());
  closeWindow();
  EXPECT_TRUE(linesWithTag(readFile(settingsPath), "<recentlyUsedFiles>").empty());
}

TEST_F(SettingsTest, DamagedSettingsFilesStartWithDefaults) {
  static const char binary[] = "\0\xff\xfe<version>\x01\x02\n\n>>>\n<data>9 9";
  static const char cutUtf16[] = "\xff\xfe<\0v\0e"; // ends inside a character
  const std::vector<std::string> damaged = {
      std::string(binary, sizeof binary - 1),
      std::string(cutUtf16, sizeof cutUtf16 - 1),
      // Too few lines to be accepted, but what they set stays and must be usable.
      "<version>1.31\n<rotationAxis>99\n<scaleSizeType>9\n<rotationLocationIndex>-1\n",
      settingsWith("<numRowsIni>-5\n<rotationAxis>99\n<scaleSizeType>-3\n"
                   "<rotationLocationIndex>7\n<sphereRadius_Slider>999999\n"
                   "<recentlyUsedFiles>\n<recentlyUsedFiles>/a\n"),
  };
  for (const std::string& text : damaged) {
    closeWindow();
    writeFile(settingsPath, text);
    openWindow();
    fireStartup();
    EXPECT_GE(win->table->getNumRows(), 10);
    EXPECT_GE(win->rotationAxis, 0);
    EXPECT_LE(win->rotationAxis, 6);
    EXPECT_GE(win->scaleSizeType, 0);
    EXPECT_LE(win->scaleSizeType, 4);
    EXPECT_LE(win->sphereRadiusSlider->getValue(), 1000);
    EXPECT_TRUE(win->rotationAxisRadios[win->rotationAxis]->getCheck());
    EXPECT_TRUE(win->scaleModeRadios[win->scaleSizeType]->getCheck());
    EXPECT_TRUE(win->rotationPointRadios[win->rotationPointChoice]->getCheck());
    EXPECT_TRUE(dialogs->boxes.empty()) << "a settings file is read silently";
  }
  // The empty value still took a counter step, so "/a" went to the second slot.
  EXPECT_EQ(win->recentFiles.get(1), "/a");
  EXPECT_EQ(win->table->getNumRows(), 100);

  // Too large to be a settings file: not read at all, and without a word.
  closeWindow();
  writeFile(settingsPath, settingsWith("<numRowsIni>20\n"));
  ASSERT_EQ(truncate(settingsPath.c_str(), 300L << 20), 0);
  openWindow();
  EXPECT_EQ(win->table->getNumRows(), 1000);
  EXPECT_TRUE(dialogs->boxes.empty());
}

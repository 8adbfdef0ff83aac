// Data files: writing and reading back, the reader's rules, Open, Save and the save dialog.
#include "GuiHarness.h"

#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

#include "table/Table_zk2.h"

namespace {

// Nine known settings lines; with a version line in front a file has ten.
const char* const kNineLines = "<colorPoints>0\n<colorIndex>0\n<applyPubChemColors>0\n"
                               "<applyJmolColors>1\n<applyDefaultAtomSizes>1\n"
                               "<setUndefinedColorsToGray_Chk>1\n<show_xy_axis>1\n"
                               "<show_z_axis>1\n<showAxisLabels>1\n";

std::string tagged(const std::string& extra) {
  return std::string("<version>1.31\n") + kNineLines + extra;
}

std::string encodeUtf16(const std::u32string& text, bool little) {
  std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
  auto unit = [&](char32_t u) {
    const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
    out += little ? lo : hi;
    out += little ? hi : lo;
  };
  for (char32_t c : text) {
    if (c < 0x10000) {
      unit(c);
    } else {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string encodeUtf32(const std::u32string& text, bool little) {
  std::string out = little ? std::string("\xFF\xFE\0\0", 4) : std::string("\0\0\xFE\xFF", 4);
  for (char32_t c : text)
    for (int i = 0; i < 4; ++i)
      out += static_cast<char>(c >> (8 * (little ? i : 3 - i)));
  return out;
}

std::u32string widen(const std::string& ascii) {
  return std::u32string(ascii.begin(), ascii.end());
}

} // namespace

class FilesTest : public OrbalaTest {
protected:
  // Opens a file through the Open command; returns whether it ended as the current file.
  bool openFile(const std::string& path) {
    dialogs->answerFile(path);
    command(Orbala::ID_OPEN);
    return win->currentFile == path.c_str();
  }
  bool openText(const std::string& name, const std::string& text) {
    writeFile(dir + "/" + name, text);
    return openFile(dir + "/" + name);
  }
  std::vector<std::string> boxTitles() const { return dialogs->titles(); }
  bool showTick(int row) const { return win->table->getItemIcon(row, 8) != nullptr; }
  bool opaqueTick(int row) const { return win->table->getItemIcon(row, 9) != nullptr; }
};

TEST_F(FilesTest, RoundTripRestoresTableSettingsAndView) {
  openWindow();
  setRow(0, {"C", "1.5", "-2", "3e1", "10", "20", "30", "2.5"});
  setRow(1, {"two words", "4", "5", "6", "", "", "", "1.0"});
  setRow(4, {"", "", "", "7"}); // after a gap: not plotted, but saved
  win->table->setItemIcon(1, 8, nullptr);
  win->rowState.showFlags[1] = 0;
  win->table->setItemIcon(4, 9, nullptr);
  win->rowState.opaqueFlags[4] = 0;

  win->colorPoints = true;
  win->colorRadio->setCheck(TRUE);
  win->grayRadio->setCheck(FALSE);
  win->colorIndex = 7;
  win->applyPubChemCheck->setCheck(TRUE);
  win->applyJmolCheck->setCheck(FALSE);
  win->applyDefaultSizesCheck->setCheck(FALSE);
  win->undefinedGrayCheck->setCheck(FALSE);
  win->showXYAxisCheck->setCheck(FALSE);
  win->showZAxisCheck->setCheck(TRUE);
  win->showAxisLabelsCheck->setCheck(FALSE);
  win->showRGBColumnsCheck->setCheck(TRUE);
  win->rotationAxis = 4;
  win->rotationDirection = 1;
  win->rotationSpeedSlider->setValue(77);
  win->sphereRadiusSlider->setValue(250);
  win->backgroundSlider->setValue(33);
  win->rotationPointChoice = 3;
  win->scaleSizeType = 2;
  win->opaquenessField->setText("0.3");
  win->pointNumberField->setText("2");
  win->rotationPointFields[0]->setText("1.5");
  win->rotationPointFields[1]->setText("-2");
  win->rotationPointFields[2]->setText("30");
  win->axisScaling[0] = 1;

  const double s = std::sqrt(0.5);
  win->viewer->setZoom(2.5);
  win->viewer->setCenter(FXVec3f(1.25f, -2.5f, 30.0f));
  win->viewer->setOrientation(FXQuatf(static_cast<float>(s), 0.0f, 0.0f, static_cast<float>(s)));

  dialogs->answerFile(dir + "/round");
  command(Orbala::ID_SAVE_AS);
  const std::string path = dir + "/round.qvx";
  const std::string text = readFile(path);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_NE(text.find("<Viewer_Zoom>2.500000e+00\n"), std::string::npos);
  EXPECT_NE(text.find("<data>1 0 two words\n"), std::string::npos);
  EXPECT_NE(text.find("<data>1 4 \n"), std::string::npos) << "empty cells of a row are written";
  EXPECT_NE(text.find("<data>1 8 hide\n"), std::string::npos);
  EXPECT_EQ(text.find("<data>2 "), std::string::npos) << "rows without x, y, z are skipped";
  EXPECT_EQ(text.find("<window_x>"), std::string::npos) << "no window block in a data file";

  // Change everything, then read the file back from the recent list.
  for (int r = 0; r < 5; ++r)
    setRow(r, {"x", "9", "9", "9", "1", "1", "1", "1.0"});
  win->table->setItemIcon(1, 8, win->tableIcon);
  win->table->setItemIcon(4, 9, win->tableIcon);
  win->applyDefaults();
  win->showRGBColumnsCheck->setCheck(FALSE);
  win->showXYAxisCheck->setCheck(TRUE);
  win->rotationSpeedSlider->setValue(5);
  win->sphereRadiusSlider->setValue(900);
  win->opaquenessField->setText("");
  win->axisScaling[0] = 0;
  win->viewer->setZoom(1.0);
  win->viewer->setCenter(FXVec3f(0, 0, 0));
  win->viewer->setOrientation(FXQuatf(0, 0, 0, 1));
  dialogs->boxes.clear();

  command(Orbala::ID_RECENT_FILE, win->recentFileItems[0]);
  EXPECT_TRUE(dialogs->boxes.empty()) << (dialogs->boxes.empty() ? "" : dialogs->boxes[0].text);
  const std::vector<std::vector<std::string>> expected = {
      {"C", "1.5", "-2", "3e1", "10", "20", "30", "2.5"},
      {"two words", "4", "5", "6", "", "", "", "1.0"},
      {"", "", "", "", "", "", "", "1.0"},
      {"", "", "", "", "", "", "", "1.0"},
      {"", "", "", "7", "", "", "", "1.0"}};
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 8; ++c)
      EXPECT_EQ(cell(r, c), expected[r][c]) << "row " << r << " column " << c;
  EXPECT_FALSE(showTick(1));
  EXPECT_EQ(win->rowState.showFlags[1], 0);
  EXPECT_FALSE(opaqueTick(4));
  EXPECT_EQ(win->rowState.opaqueFlags[4], 0);
  EXPECT_TRUE(showTick(0) && opaqueTick(0) && showTick(4) && opaqueTick(1));

  EXPECT_TRUE(win->colorPoints);
  EXPECT_TRUE(win->colorRadio->getCheck());
  EXPECT_FALSE(win->grayRadio->getCheck());
  EXPECT_EQ(win->colorIndex, 7);
  EXPECT_TRUE(win->applyPubChemCheck->getCheck());
  EXPECT_FALSE(win->applyJmolCheck->getCheck());
  EXPECT_FALSE(win->applyDefaultSizesCheck->getCheck());
  EXPECT_FALSE(win->undefinedGrayCheck->getCheck());
  EXPECT_FALSE(win->showXYAxisCheck->getCheck());
  EXPECT_TRUE(win->showZAxisCheck->getCheck());
  EXPECT_FALSE(win->showAxisLabelsCheck->getCheck());
  EXPECT_TRUE(win->showRGBColumnsCheck->getCheck());
  EXPECT_EQ(win->table->getColumnWidth(4), 60) << "the R, G, B columns follow their check";
  EXPECT_EQ(win->rotationAxis, 4);
  EXPECT_TRUE(win->rotationAxisItems[4]->getCheck());
  EXPECT_TRUE(win->counterClockwiseRadio->getCheck());
  EXPECT_EQ(win->rotationSpeedSlider->getValue(), 77);
  EXPECT_EQ(win->sphereRadiusSlider->getValue(), 250);
  EXPECT_STREQ(win->sphereRadiusGroup->getText().text(), "R=2.50");
  EXPECT_EQ(win->backgroundSlider->getValue(), 33);
  EXPECT_EQ(win->rotationPointChoice, 3);
  EXPECT_EQ(win->scaleSizeType, 2);
  EXPECT_TRUE(win->scaleModeRadios[2]->getCheck());
  EXPECT_STREQ(win->opaquenessField->getText().text(), "0.3");
  EXPECT_STREQ(win->pointNumberField->getText().text(), "2");
  EXPECT_STREQ(win->rotationPointFields[2]->getText().text(), "30");
  EXPECT_EQ(win->axisScaling[0], 1);
  EXPECT_TRUE(win->restoreButton->isEnabled());
  EXPECT_EQ(std::string(win->loadedSizes.text()).substr(0, 12), "2.5|1.0|1.0|");

  EXPECT_TRUE(win->viewZoomRead && win->viewCenterRead && win->viewOrientationRead);
  EXPECT_NEAR(win->viewer->getZoom(), 2.5, 1e-6);
  EXPECT_NEAR(win->viewer->getCenter().x, 1.25f, 1e-5);
  EXPECT_NEAR(win->viewer->getCenter().y, -2.5f, 1e-5);
  EXPECT_NEAR(win->viewer->getCenter().z, 30.0f, 1e-5);
  EXPECT_NEAR(win->viewer->getOrientation().x, s, 1e-5);
  EXPECT_NEAR(win->viewer->getOrientation().w, s, 1e-5);

  // Through Open the view is reset once more after the stored one was applied.
  EXPECT_TRUE(openFile(path));
  EXPECT_NEAR(win->viewer->getZoom(), 0.9, 1e-9);
  EXPECT_EQ(cell(1, 0), "two words");
}

TEST_F(FilesTest, EncodingsAndLineEndings) {
  openWindow();
  const std::u32string body =
      widen(tagged("<data>0 0 ")) + U"\u00C5\U0001F600" + U"\n" + widen("<data>0 1 4.5\n");
  const std::string expectedLabel = "\xC3\x85\xF0\x9F\x98\x80";
  const std::vector<std::pair<std::string, std::string>> forms = {
      {"u16le.qvx", encodeUtf16(body, true)},
      {"u16be.qvx", encodeUtf16(body, false)},
      {"u32le.qvx", encodeUtf32(body, true)},
      {"u32be.qvx", encodeUtf32(body, false)},
  };
  for (const auto& [name, bytes] : forms) {
    setRow(0, {"", ""});
    EXPECT_TRUE(openText(name, bytes)) << name;
    EXPECT_EQ(cell(0, 0), expectedLabel) << name;
    EXPECT_EQ(cell(0, 1), "4.5") << name;
  }

  std::string crlf = tagged("<data>0 0 lab\n<data>0 1 7\n");
  for (size_t pos = crlf.find('\n'); pos != std::string::npos; pos = crlf.find('\n', pos + 2))
    crlf.insert(pos, "\r");
  EXPECT_TRUE(openText("crlf.qvx", crlf));
  EXPECT_EQ(cell(0, 0), "lab") << "no carriage return left in the cell";
  EXPECT_EQ(cell(0, 1), "7");

  // A UTF-8 mark stays in front of the first tag: with it, ten known lines become nine.
  dialogs->boxes.clear();
  EXPECT_FALSE(openText("bom.qvx", "\xEF\xBB\xBF" + tagged("")));
  EXPECT_EQ(boxTitles(), std::vector<std::string>{"User file error"});
  EXPECT_TRUE(openText("bom2.qvx", "\xEF\xBB\xBF" + tagged("<data>0 0 ok\n")));

  // A Unicode file cut in the middle of a character is refused with a reason.
  dialogs->boxes.clear();
  const std::string cut = encodeUtf16(widen(tagged("")), true);
  EXPECT_FALSE(openText("cut.qvx", cut.substr(0, cut.size() - 1)));
  ASSERT_EQ(dialogs->boxes.size(), 2u);
  EXPECT_EQ(dialogs->boxes[0].title, "Error Loading File");
  EXPECT_NE(dialogs->boxes[0].text.find("truncated"), std::string::npos);
}

TEST_F(FilesTest, TagAndValueRules) {
  openWindow();
  win->showXYAxisCheck->setCheck(FALSE);
  const std::string text = "<_version>1.31\n" + std::string(kNineLines) +
                           "<show_z_axis>2\n<show_xy_axis>1abc\n<main_width>50\n"
                           "<window_x>777\n<pathUserFilesDirectory>/\n"
                           "<data>3 0 two words\n<data>3 1 5\n<data>3 2 \n"
                           "<data>3 8 HIDE\n<data>3 9 whatever\n<data>-1 1 9\n<data>2 10 9\n"
                           "<data>x y\n <data>4 1 9\n<__colorIndex>5\n";
  win->table->setItemText(3, 2, "old");
  win->table->setItemIcon(3, 9, nullptr);
  const FXint width = win->windowWidth;
  const FXString folder = win->userFilesDirectory;
  EXPECT_TRUE(openText("rules.qvx", text));
  EXPECT_DOUBLE_EQ(win->fileVersion, 1.31) << "the underscore form is the version tag";
  EXPECT_FALSE(win->showZAxisCheck->getCheck()) << "2 clears a flag";
  EXPECT_TRUE(win->showXYAxisCheck->getCheck()) << "1abc sets it";
  EXPECT_EQ(win->windowWidth, width) << "window values of a data file are ignored";
  EXPECT_NE(win->windowX, 777);
  EXPECT_EQ(cell(3, 0), "two words");
  EXPECT_EQ(cell(3, 2), "");
  EXPECT_FALSE(showTick(3));
  EXPECT_EQ(win->rowState.showFlags[3], 0);
  EXPECT_TRUE(opaqueTick(3));
  EXPECT_EQ(win->rowState.opaqueFlags[3], 1);
  EXPECT_EQ(cell(4, 1), "") << "a line with a blank before its tag is not read";
  EXPECT_EQ(win->colorIndex, 0) << "only one underscore is dropped";
  EXPECT_STREQ(win->userFilesDirectory.text(), dir.c_str()) << "the Open dialog's folder";

  // A file older than 1.2 had no label column.
  EXPECT_TRUE(openText("old.qvx",
                       "<version>1.1\n" + std::string(kNineLines) + "<data>0 0 8\n<data>0 9 9\n"));
  EXPECT_EQ(cell(0, 1), "8");
  EXPECT_EQ(cell(0, 0), "");
  EXPECT_TRUE(opaqueTick(0)) << "column 9 of an old file would be beyond the table";
  win->fileVersion = 1.31;
}

TEST_F(FilesTest, TenKnownLinesAreNeededAndVersionCarriesOver) {
  openWindow();
  // Nine known lines fail even with data lines among them; a tenth of any kind passes.
  const std::string nine = "<version>1.31\n<colorIndex>0\n<colorPoints>0\n<show_z_axis>1\n"
                           "<data>0 1 1\n<data>0 2 2\n<data>0 3 3\nnoise\n<rotationAxis>0\n"
                           "<rotationDirection>0\n";
  dialogs->boxes.clear();
  EXPECT_FALSE(openText("nine.qvx", nine));
  EXPECT_EQ(boxTitles(), std::vector<std::string>{"User file error"});
  EXPECT_EQ(dialogs->boxes[0].text, "The file could not be read.");
  EXPECT_TRUE(openText("ten.qvx", nine + "<main_width>5\n"));

  // Without a version line the version of the last read decides: none after a bare start.
  writeFile(dir + "/noversion.qvx", std::string(kNineLines) + "<data>0 1 1\n");
  closeWindow();
  std::remove(settingsPath.c_str());
  openWindow();
  EXPECT_FALSE(openFile(dir + "/noversion.qvx"));
  closeWindow();
  writeFile(settingsPath, tagged(""));
  openWindow();
  EXPECT_TRUE(openFile(dir + "/noversion.qvx"));
}

TEST_F(FilesTest, RowsBeyondTheTableAreReported) {
  writeFile(settingsPath, tagged("<numRowsIni>100\n"));
  openWindow();
  ASSERT_EQ(win->table->getNumRows(), 100);
  std::string lines;
  for (int r = 0; r < 150; ++r)
    lines += "<data>" + std::to_string(r) + " 1 " + std::to_string(r) + "\n";
  EXPECT_TRUE(openText("long.qvx", tagged(lines)));
  EXPECT_EQ(cell(99, 1), "99");
  ASSERT_EQ(boxTitles(), std::vector<std::string>{"Data warning"});
  EXPECT_EQ(dialogs->boxes[0].text,
            "Your file has more rows of data than the table can hold.\n\nResize the table to "
            "have at least 149 rows and read it again.");

  // A row no table can have is not worth a resize hint.
  dialogs->boxes.clear();
  EXPECT_TRUE(openText("far.qvx", tagged("<data>2147483647 1 5\n<data>99999999999 1 5\n")));
  ASSERT_EQ(dialogs->boxes.size(), 1u);
  EXPECT_NE(dialogs->boxes[0].text.find("at most 1000000 rows"), std::string::npos);
  EXPECT_EQ(win->table->getNumRows(), 100);

  // The settings file itself never warns.
  closeWindow();
  writeFile(settingsPath, tagged("<numRowsIni>100\n" + lines));
  openWindow();
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(FilesTest, TextFilesAndMissingFiles) {
  openWindow();
  EXPECT_TRUE(openText("tagged.txt", tagged("<data>0 1 2\n")));
  EXPECT_EQ(cell(0, 1), "2");
  EXPECT_STREQ(win->lastExtension.text(), "txt");

  dialogs->boxes.clear();
  EXPECT_FALSE(openText("numbers.txt", "1 2 3\n4 5 6\n7 8 9\n1 2 3\n4 5 6\n7 8 9\n1 1 1\n"
                                       "2 2 2\n3 3 3\n4 4 4\n5 5 5\n"));
  EXPECT_EQ(boxTitles(), std::vector<std::string>{"User file error"});
  EXPECT_STREQ(win->currentFile.text(), (dir + "/tagged.txt").c_str()) << "unchanged";
  EXPECT_EQ(cell(0, 1), "2") << "a refused file leaves the table as it was";

  for (const std::string& path : {dir + "/missing.qvx", dir + "/empty.qvx"}) {
    if (path.find("empty") != std::string::npos) writeFile(path, "");
    dialogs->boxes.clear();
    EXPECT_FALSE(openFile(path));
    ASSERT_EQ(dialogs->boxes.size(), 2u) << path;
    EXPECT_EQ(dialogs->boxes[0].kind, "error");
    EXPECT_EQ(dialogs->boxes[0].title, "Error Loading File");
    EXPECT_EQ(dialogs->boxes[0].text, "Unable to open file (2): " + path);
    EXPECT_EQ(dialogs->boxes[1].title, "User file error");
    EXPECT_EQ(dialogs->boxes[1].text, "The file could not be read.");
  }
  // Cancelling the dialog changes nothing.
  dialogs->boxes.clear();
  dialogs->cancelFile();
  command(Orbala::ID_OPEN);
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(FilesTest, BadInputIsRefusedWithoutHarm) {
  openWindow();
  setRow(0, {"kept", "1", "2", "3"});
  // Binary noise, with brackets and line feeds among it.
  std::string noise;
  unsigned seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245u + 12345u;
    noise += static_cast<char>(seed >> 16);
  }
  dialogs->boxes.clear();
  EXPECT_FALSE(openText("noise.qvx", noise));
  ASSERT_FALSE(dialogs->boxes.empty());
  EXPECT_EQ(dialogs->boxes.back().text, "The file could not be read.");
  EXPECT_EQ(cell(0, 0), "kept");

  // A good file cut anywhere is read up to the cut or refused, never more.
  const std::string good = tagged("<Viewer_Zoom>1.5\n<data>0 0 lab\n<data>0 1 1\n");
  for (size_t cut = 1; cut < good.size(); cut += 17) {
    dialogs->boxes.clear();
    const bool read = openText("cut.qvx", good.substr(0, cut));
    EXPECT_EQ(read, dialogs->boxes.empty()) << cut;
  }

  // View values the viewer cannot use are not applied.
  EXPECT_TRUE(openText("nan.qvx", tagged("<Viewer_Zoom>nan\n<Viewer_center_xyz>1 inf 2\n"
                                         "<Viewer_orientation>0 0 0 0\n")));
  EXPECT_FALSE(win->viewZoomRead || win->viewCenterRead || win->viewOrientationRead);
  EXPECT_TRUE(openText("few.qvx", tagged("<Viewer_Zoom>-1\n<Viewer_center_xyz>1 2\n"
                                         "<Viewer_orientation>1e400 0 0 1\n")));
  EXPECT_FALSE(win->viewZoomRead || win->viewCenterRead || win->viewOrientationRead);

  // Far beyond any text file: refused from its size, without being read (a sparse file).
  const std::string huge = dir + "/huge.qvx";
  writeFile(huge, tagged(""));
  ASSERT_EQ(truncate(huge.c_str(), 300L << 20), 0);
  dialogs->boxes.clear();
  EXPECT_FALSE(openFile(huge));
  ASSERT_EQ(dialogs->boxes.size(), 2u);
  EXPECT_EQ(dialogs->boxes[0].title, "Error Loading File");
  EXPECT_NE(dialogs->boxes[0].text.find("too large"), std::string::npos);

  // The atom branch is refused the same way.
  const std::string hugeAtoms = dir + "/huge.xyz";
  writeFile(hugeAtoms, "3\nwater\nO 0 0 0\n");
  ASSERT_EQ(truncate(hugeAtoms.c_str(), 300L << 20), 0);
  dialogs->boxes.clear();
  EXPECT_FALSE(openFile(hugeAtoms));
  EXPECT_EQ(boxTitles(), (std::vector<std::string>{"Error Loading File", "User file error"}));

  // A folder is not a file.
  dialogs->boxes.clear();
  EXPECT_FALSE(openFile(dir));
  EXPECT_EQ(boxTitles(), (std::vector<std::string>{"Error Loading File", "User file error"}));
}

TEST_F(FilesTest, SaveDialogForcesExtensionAndChecksNames) {
  openWindow();
  setRow(0, {"a", "1", "2", "3"});

  dialogs->answerFile(dir + "/plain");
  command(Orbala::ID_SAVE_AS);
  EXPECT_FALSE(readFile(dir + "/plain.qvx").empty());
  EXPECT_STREQ(win->getTitle().text(), ("Orbala v1.31     " + dir + "/plain.qvx").c_str());
  EXPECT_STREQ(win->lastExtension.text(), "qvx");
  ASSERT_EQ(dialogs->fileRequests.size(), 1u);
  EXPECT_STREQ(dialogs->fileRequests[0].title.text(), "Save file as");
  EXPECT_STREQ(dialogs->fileRequests[0].patterns.text(), "Orbala (*.qvx)");
  EXPECT_EQ(dialogs->fileRequests[0].selectMode, static_cast<FXuint>(SELECTFILE_ANY));

  dialogs->answerFile(dir + "/notes.txt");
  command(Orbala::ID_SAVE_AS);
  EXPECT_FALSE(readFile(dir + "/notes.qvx").empty());
  EXPECT_TRUE(readFile(dir + "/notes.txt").empty());

  // Illegal names reopen the dialog after "Filename error".
  const std::vector<std::string> badNames = {"a:b", "what?", "  ", "tab\there"};
  for (size_t i = 0; i < badNames.size(); ++i) {
    dialogs->boxes.clear();
    dialogs->fileRequests.clear();
    dialogs->answerFile(dir + "/" + badNames[i]);
    dialogs->answerFile(dir + "/fine" + std::to_string(i));
    command(Orbala::ID_SAVE_AS);
    EXPECT_EQ(dialogs->fileRequests.size(), 2u) << badNames[i];
    ASSERT_EQ(dialogs->boxes.size(), 1u) << badNames[i];
    EXPECT_EQ(dialogs->boxes[0].title, "Filename error");
    EXPECT_EQ(dialogs->boxes[0].text, "Your filename contains illegal characters.\n\nIllegal "
                                      "characters include: \\:/*?\"<>|\t");
    EXPECT_STREQ(win->currentFile.text(), (dir + "/fine" + std::to_string(i) + ".qvx").c_str());
  }
  EXPECT_EQ(access((dir + "/a:b.qvx").c_str(), F_OK), -1);

  // Overwriting asks; No reopens the dialog, and a cancel then leaves the file alone.
  const std::string before = readFile(dir + "/fine0.qvx");
  setRow(0, {"changed", "1", "2", "3"});
  dialogs->boxes.clear();
  dialogs->fileRequests.clear();
  dialogs->answerFile(dir + "/fine0.qvx");
  dialogs->answers.push_back(false);
  command(Orbala::ID_SAVE_AS);
  EXPECT_EQ(dialogs->fileRequests.size(), 2u);
  ASSERT_EQ(dialogs->boxes.size(), 1u);
  EXPECT_EQ(dialogs->boxes[0].title, "Overwrite");
  EXPECT_EQ(dialogs->boxes[0].text, "\"fine0.qvx\" already exists.\nDo you want to replace it?");
  EXPECT_EQ(readFile(dir + "/fine0.qvx"), before);

  dialogs->answerFile(dir + "/fine0.qvx");
  dialogs->answers.push_back(true);
  command(Orbala::ID_SAVE_AS);
  EXPECT_NE(readFile(dir + "/fine0.qvx").find("<data>0 0 changed\n"), std::string::npos);

  // A pattern without a usable extension is refused the same way.
  FXString chosen;
  dialogs->boxes.clear();
  dialogs->answerFile(dir + "/pic");
  EXPECT_FALSE(win->runSaveDialog("Save plot", "Bitmap (*.b.mp)", "3D_plot.bmp", chosen));
  ASSERT_EQ(dialogs->boxes.size(), 1u);
  EXPECT_EQ(dialogs->boxes[0].text, "Illegal/unknown file extension.");
  dialogs->answerFile(dir + "/pic.png");
  EXPECT_TRUE(win->runSaveDialog("Save plot", "Bitmap (*.bmp)", "3D_plot.bmp", chosen));
  EXPECT_STREQ(chosen.text(), (dir + "/pic.bmp").c_str());
  EXPECT_STREQ(dialogs->fileRequests.back().fileName.text(), "3D_plot.bmp");
}

TEST_F(FilesTest, SaveUsesTheCurrentFileButNeverAnAtomFile) {
  openWindow();
  setRow(0, {"a", "1", "2", "3"});
  // No current file yet: Save asks for a name.
  dialogs->answerFile(dir + "/first");
  command(Orbala::ID_SAVE);
  EXPECT_STREQ(win->currentFile.text(), (dir + "/first.qvx").c_str());
  setRow(0, {"b", "1", "2", "3"});
  command(Orbala::ID_SAVE);
  EXPECT_EQ(dialogs->fileRequests.size(), 1u) << "the second Save asks nothing";
  EXPECT_NE(readFile(dir + "/first.qvx").find("<data>0 0 b\n"), std::string::npos);

  const std::string atoms = dir + "/water.xyz";
  writeFile(atoms, readFile(std::string(ORBALA_TEST_DATA) + "/water.xyz"));
  const std::string original = readFile(atoms);
  ASSERT_TRUE(openFile(atoms));
  EXPECT_TRUE(win->currentFileIsAtomFile);
  dialogs->cancelFile();
  command(Orbala::ID_SAVE);
  EXPECT_EQ(readFile(atoms), original) << "Save acts as Save as";
  dialogs->answerFile(dir + "/water");
  command(Orbala::ID_SAVE);
  EXPECT_EQ(readFile(atoms), original);
  EXPECT_STREQ(win->currentFile.text(), (dir + "/water.qvx").c_str());
  EXPECT_FALSE(win->currentFileIsAtomFile);
}

TEST_F(FilesTest, FailedSavesKeepThePreviousFile) {
  openWindow();
  setRow(0, {"a", "1", "2", "3"});
  const std::string path = dir + "/keep.qvx";
  writeFile(path, "previous contents\n");

  // The disk fills up half-way: a size limit makes every write past it fail.
  struct rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 200;
  void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = win->saveDataFile(path.c_str());
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(saved);
  EXPECT_EQ(readFile(path), "previous contents\n");
  ASSERT_EQ(boxTitles(), std::vector<std::string>{"File error"});
  EXPECT_EQ(dialogs->boxes[0].text, "File \"" + path + "\" could not be written.");
  EXPECT_EQ(win->recentFiles.count(), 0) << "a failed save is not a recent file";

  // Save as into a missing folder: reported, and the name still becomes current.
  dialogs->boxes.clear();
  dialogs->answerFile(dir + "/nowhere/x");
  command(Orbala::ID_SAVE_AS);
  EXPECT_EQ(boxTitles(), std::vector<std::string>{"File error"});
  EXPECT_STREQ(win->currentFile.text(), (dir + "/nowhere/x.qvx").c_str());
  EXPECT_STREQ(win->userFilesDirectory.text(), (dir + "/nowhere").c_str());

  // Nothing but the saved file is left in the folder.
  EXPECT_TRUE(win->saveDataFile(path.c_str()));
  std::string listing;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    listing += entry.path().filename().string() + " ";
  EXPECT_EQ(listing.find(".orbala-save"), std::string::npos) << listing;
}

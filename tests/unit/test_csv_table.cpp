#include "io/core/CsvTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/core/TextLines.h"

using namespace orbala;

namespace {

CsvResult parse(std::string_view text, int tableRows = 100) {
  return parseCsvLines(splitTextLines(text), tableRows);
}

// A row as "label|x|y|z|R|G|B|size|show|opaque".
std::string row(const CsvRow& r) {
  std::string out;
  for (const std::string& c : r.cells)
    out += c + "|";
  return out + (r.show ? "1|" : "0|") + (r.opaque ? "1" : "0");
}

} // namespace

TEST(CsvTable, HeaderByNameQuotesBomCrlfAndTheDelimiter) {
  const CsvResult r = parse("\xEF\xBB\xBF"
                            "Name,Z,Y,X,Notes,RED,green,Blue,Radius,SHOW,Opaque,Extra\r\n"
                            "\"Cl, chloride\",3,2,1,\"said \"\"hi\"\"\nnext line\",255,0,1,1.5,"
                            "no,yes\r\n"
                            " C ,-1e3,+2,0.5,,,,,,,\r\n");
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(row(r.rows[0]), "Cl, chloride|1|2|3|255|0|1|1.5|0|1");
  EXPECT_EQ(row(r.rows[1]), "C|0.5|+2|-1e3||||1.0|1|1");
  EXPECT_EQ(r.unknownColumns, (std::vector<std::string>{"Notes", "Extra"}));
  EXPECT_EQ(csvWarning(r).value(),
            "These columns are not table columns and were left out: Notes, Extra.");

  // A delimiter in quotes does not count (semicolons, TABs and blanks are the other cases).
  EXPECT_EQ(detectCsvDelimiter({"\"a;b\",1,2,3", "\"c;d\",1,2,3"}), ',');
}

TEST(CsvTable, DecimalCommasRaggedAndUnreadableRows) {
  const CsvResult r = parse("label;x;y;z;size\n"
                            "H;1,5;-0,25;3\n"     // short row: size left at 1.0
                            "O;1;2\n"             // no z: skipped
                            ";;;;\n\n"            // empty rows pass unnoticed
                            "N;a;2;3;1\n"         // not a number: skipped
                            "C;1;2;3;0,7;9;9\n"); // extra fields ignored
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(row(r.rows[0]), "H|1.5|-0.25|3||||1.0|1|1");
  EXPECT_EQ(row(r.rows[1]), "C|1|2|3||||0.7|1|1");
  EXPECT_EQ(r.skippedRows, 2);
  EXPECT_EQ(csvWarning(r).value(), "2 rows could not be read and were skipped.");
  // Decimal commas belong to files that do not separate with commas.
  EXPECT_EQ(parse("x,y,z\n1,5,2,3\n").rows.size(), 1u);
  EXPECT_EQ(parse("x,y,z\n\"1,5\",2,3\n").skippedRows, 1);
}

TEST(CsvTable, WithoutHeaderTableLimitStrayQuoteAndBinary) {
  const CsvResult labelled = parse("C 0 0 0\nO 1.2 0 0 244 0 0 0.6 1 0\n");
  ASSERT_EQ(labelled.rows.size(), 2u);
  EXPECT_EQ(row(labelled.rows[1]), "O|1.2|0|0|244|0|0|0.6|1|0");
  const CsvResult numbers = parse("1\t2\t3\t10\t20\t30\n4\t5\t6\n");
  EXPECT_EQ(row(numbers.rows.at(0)), "|1|2|3|10|20|30|1.0|1|1");
  // Neither a header nor numbers: nothing to read, and said so.
  const CsvResult words = parse("just,some\nwords,here\n");
  EXPECT_TRUE(words.rows.empty());
  EXPECT_EQ(words.skippedRows, 2);

  // The table limit.
  std::string text = "x,y,z\n";
  for (int i = 0; i < 30; ++i)
    text += std::to_string(i) + ",0,0\n";
  const CsvResult r = parse(text, 25);
  EXPECT_EQ(r.rows.size(), 25u);
  EXPECT_TRUE(r.overflow);
  EXPECT_EQ(r.readableRows, 30);
  // An unclosed quote costs its own row, not the rest of the file.
  text = "x,y,z\n\"1,2,3\n";
  for (int i = 0; i < 150; ++i)
    text += "1,2,3\n";
  EXPECT_EQ(parse(text, 1000).rows.size(), 150u);
  const CsvResult binary = parse(std::string("\0\xff\x01,\x80\n\0\0\0", 9));
  EXPECT_TRUE(binary.rows.empty());
}

TEST(CsvTable, WrittenTableReadsBackWithEveryValue) {
  std::string text = csvHeaderLine();
  appendCsvRow(text, {"Cl, \"the\" ion", "1.5", "-2", "3e-5", "255", "0", "12", "0.25"}, false,
               true);
  appendCsvRow(text, {" padded", "0", "0", "0", "", "", "", "1.0"}, true, false);
  EXPECT_EQ(text.substr(0, 36), "Label,x,y,z,R,G,B,Size,Show,Opaque\r\n");
  const CsvResult r = parse(text);
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(row(r.rows[0]), "Cl, \"the\" ion|1.5|-2|3e-5|255|0|12|0.25|0|1");
  // Cells are stored trimmed, so a quoted blank only keeps the field whole.
  EXPECT_EQ(row(r.rows[1]), "padded|0|0|0||||1.0|1|0");
  EXPECT_FALSE(csvWarning(r).has_value());
}

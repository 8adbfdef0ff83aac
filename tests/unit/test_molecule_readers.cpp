#include "io/core/ConvertedXyz.h"
#include "io/core/ImportKind.h"
#include "io/core/SdfReader.h"
#include "io/core/StructureReader.h"
#include "platform/Converter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "io/core/TextLines.h"
#include "table/core/Elements.h"
#include "table/core/Numbers.h"

using namespace orbala;

namespace {

// A frame's atoms as "symbol x y z " with three decimals.
std::string atoms(const MemoryFrames::Frame& frame) {
  std::string out;
  for (const XyzAtom& a : frame.atoms)
    out += elementTable().at(static_cast<size_t>(a.element)).symbol + " " + formatFixed(a.x, 3) +
           " " + formatFixed(a.y, 3) + " " + formatFixed(a.z, 3) + " ";
  return out;
}

std::string pdbAtom(const char* record, const char* name, char altloc, double x, double y, double z,
                    const char* element) {
  char line[100];
  std::snprintf(line, sizeof line,
                "%-6s%5d %-4s%cALA A  -3    %8.3f%8.3f%8.3f  1.00  0.00          %2s", record, 1,
                name, altloc, x, y, z, element);
  return std::string(line) + "\n";
}

} // namespace

TEST(PdbReader, ElementsAltlocsModelsAndTruncatedLines) {
  const std::string ssbond = "SSBOND   1 CYS A    6    CYS A  127" + std::string(39, ' ');
  const std::string text = "HEADER    TEST\r\nMODEL        1\n" +
                           pdbAtom("ATOM", " N", ' ', 1, 2, 3, "N") +
                           pdbAtom("ATOM", " CA", ' ', 1.5, 2, 3, "") + // element from the name
                           pdbAtom("ATOM", " CB", 'A', 2, 0, 0, "C") +  // first location kept
                           pdbAtom("ATOM", " CB", 'B', 9, 9, 9, "C") +  // second left out
                           pdbAtom("HETATM", "FE", ' ', -1, -2, -3.25, "FE") +
                           "ATOM      6  O   ALA A   1      11.000  12.0\n" // cut off
                           "ENDMDL\nMODEL        2\n" +
                           // Bond records cut off inside their distance field, by a NUL too.
                           ssbond + "\n" + ssbond + std::string(1, '\0') + "1.99\n" +
                           pdbAtom("ATOM", " N", ' ', 4, 5, 6, "N") + "ENDMDL\nEND\n";
  StructureFrames read;
  std::string why;
  ASSERT_TRUE(readPdbFrames(text, read, why)) << why;
  ASSERT_EQ(read.frames.size(), 2u);
  EXPECT_EQ(atoms(read.frames[0]),
            "N 1.000 2.000 3.000 C 1.500 2.000 3.000 C 2.000 0.000 0.000 Fe -1.000 -2.000 -3.250 ");
  EXPECT_EQ(read.frames[1].title, "Model 2");
  EXPECT_EQ(atoms(read.frames[1]), "N 4.000 5.000 6.000 ");
  EXPECT_EQ(read.skippedAtoms, 1);
  EXPECT_TRUE(looksLikePdb(text));
  // Nothing of a PDB file: refused with a reason, never thrown.
  for (const std::string& bad :
       {std::string(), std::string("HEADER\n"), std::string("\0\xff\x01\n", 4)}) {
    EXPECT_FALSE(readPdbFrames(bad, read, why));
    EXPECT_FALSE(why.empty());
  }
}

TEST(CifReader, SmallMoleculeSitesAndMacromoleculeModels) {
  const char* cif = "data_nacl\n_cell_length_a 5.640(1)\n_cell_length_b 5.64\n"
                    "_cell_length_c 5.64\n_cell_angle_alpha 90\n_cell_angle_beta 90.0(2)\n"
                    "_cell_angle_gamma 90\nloop_\n_atom_site_label\n_atom_site_type_symbol\n"
                    "_atom_site_fract_x\n_atom_site_fract_y\n_atom_site_fract_z\n"
                    "Na1 Na1+ 0 0 0\nCl1 Cl1- 0.5000(2) 0.5 0.5\nO1 O 0.25 0.25 0.1234(5)\n";
  StructureFrames read;
  std::string why;
  ASSERT_TRUE(readCifFrames(cif, read, why)) << why;
  ASSERT_EQ(read.frames.size(), 1u);
  EXPECT_EQ(read.frames[0].title, "nacl");
  EXPECT_EQ(atoms(read.frames[0]),
            "Na 0.000 0.000 0.000 Cl 2.820 2.820 2.820 O 1.410 1.410 0.696 ");
  // Without a cell the fractions mean nothing; broken syntax gives the parser's line.
  EXPECT_FALSE(
      readCifFrames("data_x\nloop_\n_atom_site_label\n_atom_site_fract_x\nC1 0.1\n", read, why));
  EXPECT_FALSE(readCifFrames("data_x\nloop_\n_a\n_b\n'unclosed\n", read, why));
  EXPECT_EQ(why.find('\n'), std::string::npos);

  // Macromolecule models as frames.
  std::string mmcif = "data_1ABC\nloop_\n";
  for (const char* tag : {"group_PDB", "id", "type_symbol", "label_atom_id", "label_alt_id",
                          "label_comp_id", "label_asym_id", "label_seq_id", "Cartn_x", "Cartn_y",
                          "Cartn_z", "auth_seq_id", "auth_asym_id", "pdbx_PDB_model_num"})
    mmcif += std::string("_atom_site.") + tag + "\n";
  mmcif += "ATOM 1 N N . GLY A 1 1.0(1) 2 3 1 A 1\n"
           "ATOM 2 C CA AB GLY A 1 2 2 3 1 A 1\n"
           "ATOM 3 C CA B GLY A 1 8 8 8 1 A 1\n"
           "HETATM 4 ZN ZN . ZN B . 5 5 5 2 B 1\n"
           "ATOM 5 N N . GLY A 1 1.5 2 3 1 A 2\n";
  ASSERT_TRUE(readCifFrames(mmcif, read, why)) << why;
  ASSERT_EQ(read.frames.size(), 2u);
  EXPECT_EQ(atoms(read.frames[0]), "N 1.000 2.000 3.000 C 2.000 2.000 3.000 Zn 5.000 5.000 5.000 ");
  EXPECT_EQ(atoms(read.frames[1]), "N 1.500 2.000 3.000 ");
}

TEST(SdfReader, RecordsAsFramesV2000AndV3000) {
  const std::vector<std::string> lines = splitTextLines(
      "water\n  program\n\n  3  2  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.1173 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    0.0000    0.7572   -0.4692 H   0  0\n"
      "  0.0 -0.7572 -0.4692 D\n" // blank-separated, deuterium drawn as hydrogen
      "  1  2  1  0\n  1  3  1  0\nM  END\n> <PUBCHEM_ID>\n962\n\n$$$$\n"
      "broken\n\n\n  5  0  0  0  0  0  0  0  0  0999 V2000\n    0.0 0.0\n$$$$\n"
      "methane v3\n\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n"
      "M  V30 COUNTS 2 1 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 C 1.5 -2 0 0\n"
      "M  V30 2 H 2.5 -2 -\nM  V30 0.25 0 CHG=0\nM  V30 3 R# 0 0 0 0\nM  V30 END ATOM\n"
      "M  V30 END CTAB\nM  END\n$$$$\n");
  SdfFrames read;
  std::string why;
  ASSERT_TRUE(readSdfFrames(lines, read, why)) << why;
  ASSERT_EQ(read.frames.size(), 2u);
  EXPECT_EQ(read.frames[0].title, "water");
  EXPECT_EQ(atoms(read.frames[0]),
            "O 0.000 0.000 0.117 H 0.000 0.757 -0.469 H 0.000 -0.757 -0.469 ");
  EXPECT_EQ(atoms(read.frames[1]), "C 1.500 -2.000 0.000 H 2.500 -2.000 0.250 ");
  EXPECT_EQ(read.skippedRecords, 1);
  EXPECT_EQ(read.skippedAtoms, 1);
  EXPECT_TRUE(looksLikeSdf(lines));
  EXPECT_FALSE(readSdfFrames(splitTextLines("only\na\nname\n"), read, why));
}

TEST(Converter, XyzOutputErrorLineAndTimeLimit) {
  std::vector<MemoryFrames::Frame> frames;
  ASSERT_TRUE(framesFromXyzText("2\nfirst\nC 0 0 0\nO 1.2 0 0\n1\nsecond\nN 1 1 1\n", frames));
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1].title + ": " + atoms(frames[1]), "second: N 1.000 1.000 1.000 ");
  EXPECT_EQ(converterErrorLine("==============================\n*** Open Babel Error  in "
                               "ReadMolecule\n  Cannot read the bond block\n0 molecules "
                               "converted\n"),
            "Cannot read the bond block");

  // A stand-in converter: the real one need not be installed for the pipe to be tested.
  const std::string dir = ::testing::TempDir() + "orbala-converter";
  mkdir(dir.c_str(), 0700);
  const std::string program = dir + "/convert";
  std::ofstream(program) << "#!/bin/sh\nif [ \"$1\" = slow ]; then exec sleep 30; fi\n"
                            "printf '1\\n%s\\nC 0 0 0\\n' \"$1\"; echo 'a warning' >&2; exit 3\n";
  chmod(program.c_str(), 0700);
  platform::ConverterRun run =
      platform::runConverter(program, {"it's; $(no shell)"}, 10000, 1 << 20);
  EXPECT_EQ(run.output, "1\nit's; $(no shell)\nC 0 0 0\n");
  EXPECT_EQ(run.errors + std::to_string(run.exitStatus), "a warning\n3");
  EXPECT_TRUE(platform::runConverter(program, {"slow"}, 50, 1 << 20).timedOut);
  EXPECT_TRUE(platform::runConverter(program, {std::string(10, 'x')}, 10000, 4).tooLarge);
  EXPECT_FALSE(platform::runConverter(dir + "/missing", {}, 1000, 10).started);
}

TEST(ImportKind, ByExtensionThenContent) {
  const std::vector<std::string> none;
  EXPECT_EQ(importKindFor("/a/b.TSV", none), ImportKind::Csv);
  EXPECT_EQ(importKindFor("x.txt", {"ATOM      1"}), ImportKind::Tagged);
  EXPECT_EQ(importKindFor("x.dat", {"", "<version>1.31"}), ImportKind::Tagged);
  EXPECT_EQ(importKindFor("x.dat", {"CRYST1   10.0"}), ImportKind::Pdb);
  EXPECT_EQ(importKindFor("x", {" data_1abc"}), ImportKind::Cif);
  EXPECT_EQ(importKindFor("x.dat", {"name", "", "", "  1  0  0  0  0  0  0  0  0  0999 V2000"}),
            ImportKind::Sdf);
  EXPECT_EQ(importKindFor("x.mol2", {"@<TRIPOS>MOLECULE"}), ImportKind::Converter);
}

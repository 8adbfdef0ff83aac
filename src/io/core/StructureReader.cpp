// The only file that includes gemmi: its headers are large and slow to compile.
#include "io/core/StructureReader.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include <gemmi/cif.hpp>
#include <gemmi/pdb.hpp>
#include <gemmi/smcif.hpp>

#include "table/core/Elements.h"

namespace orbala {

namespace {

// The coordinates of an atom line end in column 54.
constexpr size_t kPdbCoordinatesEnd = 54;
constexpr size_t kPdbRecordWidth = 80;

// The table's element for a gemmi element; deuterium and tritium are drawn as hydrogen.
int tableElement(gemmi::Element element) {
  if (element == gemmi::El::D) element = gemmi::El::H;
  if (element == gemmi::El::X) return -1;
  return matchElementLabel(element.name());
}

// An mmCIF atom without a type symbol: its name's first letter, or its first two letters.
int elementFromName(const std::string& name) {
  const int one = matchElementLabel(name.substr(0, 1));
  return one >= 0 ? one : matchElementLabel(name.substr(0, 2));
}

bool addAtom(int element, double x, double y, double z, std::vector<XyzAtom>& atoms) {
  if (element < 0 || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return false;
  atoms.push_back({element, x, y, z});
  return true;
}

// The models of a macromolecule, each a frame; of alternate locations only the first one seen
// in each residue is kept.
void framesFromStructure(const gemmi::Structure& st, StructureFrames& out) {
  for (const gemmi::Model& model : st.models) {
    MemoryFrames::Frame frame;
    frame.title = "Model " + model.name;
    for (const gemmi::Chain& chain : model.chains)
      for (const gemmi::Residue& residue : chain.residues) {
        char firstAltloc = 0;
        for (const gemmi::Atom& atom : residue.atoms) {
          if (atom.altloc) {
            if (!firstAltloc) firstAltloc = atom.altloc;
            if (atom.altloc != firstAltloc) continue;
          }
          int element = tableElement(atom.element);
          if (element < 0 && atom.element == gemmi::El::X) element = elementFromName(atom.name);
          if (!addAtom(element, atom.pos.x, atom.pos.y, atom.pos.z, frame.atoms))
            ++out.skippedAtoms;
        }
      }
    if (!frame.atoms.empty()) out.frames.push_back(std::move(frame));
  }
}

// The atom sites of an mmCIF block, read with only the columns Orbala needs: files written by
// other programs often lack the ones a full model reader insists on (occupancy, B factor).
void framesFromAtomSites(gemmi::cif::Block& block, StructureFrames& out) {
  enum { kX, kY, kZ, kSymbol, kLabelName, kAuthName, kAltloc, kModel, kAsym, kSeq };
  gemmi::cif::Table table =
      block.find("_atom_site.", {"Cartn_x", "Cartn_y", "Cartn_z", "?type_symbol", "?label_atom_id",
                                 "?auth_atom_id", "?label_alt_id", "?pdbx_PDB_model_num",
                                 "?label_asym_id", "?label_seq_id"});
  std::string model, residue;
  char firstAltloc = 0;
  for (auto row : table) {
    const std::string rowModel = row.has(kModel) ? row.str(kModel) : std::string("1");
    if (out.frames.empty() || rowModel != model) {
      model = rowModel;
      out.frames.push_back({"Model " + model, {}});
    }
    const std::string rowResidue = (row.has(kAsym) ? row.str(kAsym) : std::string()) + "|" +
                                   (row.has(kSeq) ? row.str(kSeq) : std::string());
    if (rowResidue != residue) {
      residue = rowResidue;
      firstAltloc = 0;
    }
    if (row.has2(kAltloc)) {
      // One letter as a rule; a longer name is told apart by its first.
      const char altloc = row.str(kAltloc).c_str()[0];
      if (!firstAltloc) firstAltloc = altloc;
      if (altloc != firstAltloc) continue;
    }
    int element = row.has2(kSymbol) ? tableElement(gemmi::Element(row.str(kSymbol))) : -1;
    if (element < 0 && !row.has2(kSymbol)) {
      const int name = row.has2(kAuthName) ? kAuthName : kLabelName;
      if (row.has2(name)) element = elementFromName(row.str(name));
    }
    if (!addAtom(element, gemmi::cif::as_number(row[kX]), gemmi::cif::as_number(row[kY]),
                 gemmi::cif::as_number(row[kZ]), out.frames.back().atoms))
      ++out.skippedAtoms;
  }
  out.frames.erase(std::remove_if(out.frames.begin(), out.frames.end(),
                                  [](const MemoryFrames::Frame& f) { return f.atoms.empty(); }),
                   out.frames.end());
}

bool isRecord(std::string_view line, std::string_view name) {
  return line.size() >= name.size() && line.compare(0, name.size(), name) == 0;
}

// The first line of a message; gemmi's may quote a whole input line.
std::string firstLine(const char* what) {
  std::string text(what);
  const size_t end = text.find('\n');
  return end == std::string::npos ? text : text.substr(0, end);
}

} // namespace

bool looksLikePdb(std::string_view text) {
  const std::string_view line = text.substr(0, text.find('\n'));
  for (const char* record : {"HEADER", "TITLE ", "COMPND", "REMARK", "CRYST1", "MODEL ", "ATOM  ",
                             "HETATM", "EXPDTA", "AUTHOR"})
    if (isRecord(line, record)) return true;
  return false;
}

bool readPdbFrames(std::string_view text, StructureFrames& out, std::string& why) {
  out = StructureFrames();
  // A truncated atom line would make the whole file unreadable: it is left out instead.
  std::string kept;
  kept.reserve(text.size() + text.size() / 2 + kPdbRecordWidth);
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if ((isRecord(line, "ATOM") || isRecord(line, "HETATM")) && line.size() < kPdbCoordinatesEnd) {
      ++out.skippedAtoms;
      continue;
    }
    // gemmi copies some records as C strings and reads them by column: a NUL byte would cut
    // them short, and it reads some fields of a line shorter than the 80 columns past its end.
    const size_t at = kept.size();
    kept.append(line.data(), line.size());
    std::replace(kept.begin() + static_cast<long>(at), kept.end(), '\0', ' ');
    if (line.size() < kPdbRecordWidth) kept.append(kPdbRecordWidth - line.size(), ' ');
    kept += '\n';
  }
  try {
    const gemmi::Structure st = gemmi::read_pdb_from_memory(kept.data(), kept.size(), "pdb");
    framesFromStructure(st, out);
  } catch (const std::exception& e) {
    out.frames.clear();
    why = firstLine(e.what());
    if (why.empty()) why = "The file cannot be read.";
    return false;
  }
  if (out.frames.empty()) why = "The file holds no atoms of known elements.";
  return !out.frames.empty();
}

bool readCifFrames(std::string_view text, StructureFrames& out, std::string& why) {
  out = StructureFrames();
  try {
    const gemmi::cif::Document doc = gemmi::cif::read_memory(text.data(), text.size(), "cif");
    for (const gemmi::cif::Block& block : doc.blocks) {
      if (block.has_tag("_atom_site.Cartn_x")) {
        framesFromAtomSites(const_cast<gemmi::cif::Block&>(block), out);
        continue;
      }
      const gemmi::SmallStructure small = gemmi::make_small_structure_from_block(block);
      if (small.sites.empty() || !small.cell.is_crystal()) continue;
      MemoryFrames::Frame frame;
      frame.title = block.name;
      for (const gemmi::SmallStructure::Site& site : small.sites) {
        // Sites of a second disorder group are the alternatives of the first.
        if (site.disorder_group > 1) continue;
        const gemmi::Position p = site.orth(small.cell);
        if (!addAtom(tableElement(site.element), p.x, p.y, p.z, frame.atoms)) ++out.skippedAtoms;
      }
      if (!frame.atoms.empty()) out.frames.push_back(std::move(frame));
    }
  } catch (const std::exception& e) {
    out.frames.clear();
    why = firstLine(e.what());
    if (why.empty()) why = "The file cannot be read.";
    return false;
  }
  if (out.frames.empty())
    why = "The file holds no atom sites of known elements with a unit cell or Cartesian "
          "coordinates.";
  return !out.frames.empty();
}

} // namespace orbala

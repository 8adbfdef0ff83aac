#pragma once
// Display-free side of the table's row commands: the named sphere colours, colouring by label,
// and the rows a selection covers.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "table/core/Rgb.h"

namespace orbala {

inline constexpr int kNamedColorCount = 23;

// The colours of the "Sphere colors" menus, in menu order ("red" ... "black").
inline constexpr std::array<Rgb, kNamedColorCount> kNamedColors{{
    {255, 0, 0},     {0, 255, 0},     {0, 0, 255},     {255, 255, 0},  {0, 255, 255},
    {255, 0, 255},   {255, 128, 0},   {128, 128, 255}, {185, 120, 90}, {255, 255, 255},
    {170, 170, 255}, {110, 220, 140}, {170, 80, 250},  {70, 125, 0},   {0, 130, 255},
    {190, 250, 0},   {255, 170, 170}, {135, 175, 0},   {15, 160, 170}, {240, 195, 40},
    {175, 45, 115},  {200, 200, 200}, {50, 50, 50},
}};

// The named colour of each row for "Auto assign by label". The k-th distinct non-empty label
// (exact text, in order of first appearance over all rows) gets colour k while k is below 22;
// later labels and empty ones share the last colour, black. Rows without coordinates get -1 and
// keep their colour.
std::vector<int> autoColorByLabel(const std::vector<std::string>& labels,
                                  const std::vector<bool>& hasCoordinates);

// A row's "R", "G", "B" texts read as base-10 integers (0 for text that is not a number), the
// way the commands for the points of one colour compare rows.
Rgb cellColor(std::string_view r, std::string_view g, std::string_view b);

// The rows from `first` to `last` that lie in a table of `rows` rows; count 0 when none does.
struct RowSpan {
  int first = 0;
  int count = 0;
};
RowSpan rowsInTable(int first, int last, int rows);

} // namespace orbala

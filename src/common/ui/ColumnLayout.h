#pragma once
// The column layout a list keeps in the settings store: the widths in column
// index order and the display order, each value followed by ";". Reading
// never trusts the stored text: it may come from an older program, a hand
// edit or a damaged store.

#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

// Widths beyond this many pixels are taken as damage, not as a wish.
inline constexpr int kMaxStoredColumnWidth = 4000;

struct ColumnLayout {
    std::vector<int> widths;  // one per column, in column index order
    std::vector<int> order;   // the column indexes from left to right
};

// The layout to show for columnCount columns with the given default widths.
// The widths text sets columns 0, 1, ... from its fields up to the first empty
// field (n of them); a field that is not a whole number from 0 to
// kMaxStoredColumnWidth keeps that column's default. The first n fields of
// the order text reorder the first n display positions when they are a
// permutation of 0 .. n-1, and are ignored otherwise.
ColumnLayout ReadColumnLayout(std::string_view widthsText, std::string_view orderText,
                              const std::vector<int>& defaultWidths);

// "%d;" for every value.
std::string JoinColumnValues(const std::vector<int>& values);

}  // namespace kurvex

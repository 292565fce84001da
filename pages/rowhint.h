#pragma once
#include <string>
#include <vector>

// The hint a list-view page shows for the row under the mouse pointer: one
// line per column, the column caption, as many tab characters as the caption
// is shorter than the longest caption, two blanks, the cell text, a line feed.
// Cells missing at the end of `cells` count as empty.
std::string RowHintText(const std::vector<std::string>& captions, const std::vector<std::string>& cells);

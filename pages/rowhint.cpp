#include "pages/rowhint.h"

#include <algorithm>

std::string RowHintText(const std::vector<std::string>& captions, const std::vector<std::string>& cells)
{
    size_t longest = 0;
    for (const std::string& caption : captions)
        longest = std::max(longest, caption.size());
    std::string hint;
    for (size_t i = 0; i < captions.size(); ++i) {
        hint += captions[i];
        hint.append(longest - captions[i].size(), '\t');
        hint += "  ";
        if (i < cells.size())
            hint += cells[i];
        hint += '\n';
    }
    return hint;
}

#include "pages/kvflowrowlayout.h"

#include <algorithm>

void KvFlowRowLayout::Place(std::vector<KvFlowEntry>& entries)
{
    const int perRow = std::max(1, entriesPerRow);
    for (KvFlowEntry& e : entries) {
        labelChars += e.labelChars;
        e.editor.width = editorWidth;
    }

    // Widest label and editor of each column.
    std::vector<int> widestLabel(static_cast<size_t>(perRow), 0);
    std::vector<int> widestEditor(static_cast<size_t>(perRow), 0);
    for (size_t n = 0; n < entries.size(); ++n) {
        const size_t column = n % static_cast<size_t>(perRow);
        widestLabel[column] = std::max(widestLabel[column], entries[n].label.width);
        widestEditor[column] = std::max(widestEditor[column], entries[n].editor.width);
    }

    int x = leftMargin;
    int y = topMargin;
    size_t column = 0;
    int checkBoxTop = 0;
    int labelTop = 0;
    for (size_t n = 0; n < entries.size(); ++n) {
        KvFlowEntry& e = entries[n];
        if (n % static_cast<size_t>(perRow) == 0) {
            x = leftMargin;
            column = 0;
            if (n == 0) {
                y = topMargin;
            } else {
                if (e.editor.height < kMinEditorHeight)
                    e.editor.height = kDefaultEditorHeight;
                y += e.editor.height + rowGap;
            }
            checkBoxTop = y + (e.editor.height - e.checkBox.height) / 2;
            labelTop = y + (e.editor.height - e.label.height) / 2;
        }
        e.editor.top = y;
        e.checkBox.top = checkBoxTop;
        e.label.top = labelTop;
        e.checkBox.left = x;
        e.label.left = e.checkBox.left + e.checkBox.width + fieldGap;
        e.editor.left = e.label.left + widestLabel[column] + fieldGap;
        x = e.editor.left + widestEditor[column] + fieldGap;
        ++column;
    }

    const bool anyCheckBox =
        std::any_of(entries.begin(), entries.end(), [](const KvFlowEntry& e) { return e.checkBox.visible; });
    if (!anyCheckBox && !entries.empty()) {
        for (KvFlowEntry& e : entries) {
            e.label.left -= kNoCheckBoxShift;
            e.editor.left -= kNoCheckBoxShift;
        }
    }

    for (const KvFlowEntry& e : entries) {
        for (const KvFlowRect* r : {&e.checkBox, &e.label, &e.editor}) {
            extentRight = std::max(extentRight, r->Right());
            extentBottom = std::max(extentBottom, r->Bottom());
        }
    }
}

#pragma once
#include <vector>

// The placement arithmetic of the page layout (row mode), free of widgets so
// that it can be checked without a display. TFlowLayoutManger copies the
// controls' geometry in, lets this place them and copies the result back.

// Geometry of one control; `visible` is the control's own visibility (a hidden
// control keeps its place in the arithmetic).
struct KvFlowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

// One layout entry: write check box, label and editor.
struct KvFlowEntry {
    KvFlowRect checkBox;
    KvFlowRect label;
    KvFlowRect editor;
    int labelChars = 0; // characters of the label's text
};

class KvFlowRowLayout {
public:
    // Below this an editor counts as having no height of its own and gets
    // kDefaultEditorHeight before a later row is placed under the row above.
    static constexpr int kMinEditorHeight = 20;
    static constexpr int kDefaultEditorHeight = 21;
    // How far labels and editors move left when no check box is visible: the
    // check box's width (20) and one gap.
    static constexpr int kNoCheckBoxShift = 25;

    int entriesPerRow = 1;
    int rowGap = 5;
    int fieldGap = 5;
    int leftMargin = 20;
    int topMargin = 20;
    int editorWidth = 121;

    // Largest right and bottom edges of every control laid out so far; they
    // only grow.
    int extentRight = 0;
    int extentBottom = 0;
    // Running total of the label characters of every layout.
    int labelChars = 0;

    // Places the entries in rows of `entriesPerRow`, left to right and top to
    // bottom: check box at the row's x, label a gap after the check box,
    // editor a gap after the widest label of its column, every editor
    // `editorWidth` wide; the check box and label are centred on the editor's
    // height. When no check box is visible, labels and editors move left by
    // kNoCheckBoxShift, so the labels start at the left margin. Then the extents and the label total are updated.
    void Place(std::vector<KvFlowEntry>& entries);
};

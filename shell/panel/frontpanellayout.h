#pragma once
// Geometry of the front panel of the main window: the port buttons, the LED
// panels and the LED groups placed on them. Pixel positions are relative to
// the scroll box that holds the panel picture (781 by 95).

namespace kvfrontpanel {

constexpr int kPictureWidth = 781;
constexpr int kPictureHeight = 95;
constexpr int kButtonCount = 28;
constexpr int kPortCount = 26;

// One port button: SpeedButton<number>, its tag (the port number) and place.
struct PortButtonDef {
    int number;
    int tag;
    int left;
    int top;
    int width;
    int height;
};

// In button-number order. Ports 25 and 26 have two buttons each.
constexpr PortButtonDef kPortButtons[kButtonCount] = {
    {1, 1, 211, 32, 23, 23},   {2, 2, 211, 55, 23, 23},   {3, 3, 237, 32, 23, 23},   {4, 4, 238, 55, 23, 23},
    {5, 5, 262, 32, 23, 23},   {6, 6, 262, 55, 23, 23},   {7, 7, 287, 32, 23, 23},   {8, 8, 287, 54, 23, 23},
    {9, 9, 327, 32, 23, 23},   {10, 10, 327, 55, 23, 23}, {11, 11, 352, 32, 23, 23}, {12, 12, 353, 55, 23, 23},
    {13, 13, 377, 32, 23, 23}, {14, 14, 378, 55, 23, 23}, {15, 15, 403, 32, 23, 23}, {16, 16, 403, 55, 23, 23},
    {17, 17, 444, 32, 23, 23}, {18, 18, 444, 55, 23, 23}, {19, 19, 469, 32, 23, 23}, {20, 20, 469, 55, 23, 23},
    {21, 21, 493, 32, 23, 23}, {22, 22, 493, 55, 23, 23}, {23, 23, 517, 32, 23, 23}, {24, 24, 517, 55, 23, 23},
    {25, 25, 584, 50, 27, 24}, {26, 25, 620, 51, 27, 24}, {27, 26, 682, 50, 27, 24}, {28, 26, 718, 51, 27, 24},
};

// The panels that receive the LED shapes.
enum LedPanelId {
    PowerPanel,
    ConsolePanel,
    LinkPanel,
    SpeedPanel,
    FDXPanel,
    LedPanel1,
    LedPanel2,
    LedPanel3,
    Port25Panel,
    Port26Panel,
    kLedPanelCount
};

struct LedPanelDef {
    const char* name;
    int left;
    int top;
    int width;
    int height;
};

constexpr LedPanelDef kLedPanels[kLedPanelCount] = {
    {"PowerPanel", 45, 56, 7, 7},   {"ConsolePanel", 46, 71, 7, 7}, {"LinkPanel", 156, 40, 7, 7},
    {"SpeedPanel", 156, 59, 7, 7},  {"FDXPanel", 156, 75, 7, 7},    {"LedPanel1", 211, 6, 99, 7},
    {"LedPanel2", 328, 6, 99, 7},   {"LedPanel3", 443, 6, 99, 7},   {"Port25Panel", 568, 65, 7, 7},
    {"Port26Panel", 666, 65, 7, 7},
};

// One LED group: the bytes of the LED status variable shown on one panel, as
// rectangles of the given size placed from `left` with `gap` pixels between
// them, at top 1 of the panel.
struct LedGroupDef {
    const char* bytes;
    LedPanelId panel;
    int left;
    int gap;
    int width;
    int height;
};

constexpr LedGroupDef kLedGroups[] = {
    {"0", PowerPanel, 1, 10, 7, 7},
    {"1", ConsolePanel, 1, 10, 7, 7},
    {"2", LinkPanel, 1, 10, 7, 7},
    {"3", SpeedPanel, 1, 10, 7, 7},
    {"4", FDXPanel, 1, 10, 7, 7},
    {"5,6,7,8,9,10,11,12", LedPanel1, 1, 7, 6, 6},
    {"13,14,15,16,17,18,19,20", LedPanel2, 0, 7, 6, 6},
    {"21,22,23,24,25,26,27,28", LedPanel3, 0, 7, 6, 6},
    {"29", Port25Panel, 1, 10, 7, 7},
    {"30", Port26Panel, 1, 10, 7, 7},
};

} // namespace kvfrontpanel

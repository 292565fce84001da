#pragma once
#include <cstdint>

// A LED on the front-panel picture as the LED binding sees it: a small shape
// with one fill colour (window colour 0x00BBGGRR) that can be painted and
// shown. The binding paints fill and outline alike.
class KvLedShape {
public:
    virtual ~KvLedShape() = default;
    virtual int32_t FillColour() const = 0;
    // Sets the fill and the outline colour.
    virtual void Paint(int32_t colour) = 0;
    virtual void ShowShape() = 0;
};

#pragma once
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "binding/kvledshape.h"
#include "binding/kvsnmpledcolormaplist.h"
#include "binding/kvsnmprequest2controls.h"

class QObject;
class QWidget;

// One LED: the byte of a variable that carries its state, the colour map that
// reads it, its shape, and the state last read.
struct LedRecord {
    int32_t variableIndex = 0;
    int32_t byteIndex = 0;
    const KvSNMPLedColorMapList* colourMap = nullptr; // not owned
    KvLedShape* shape = nullptr;                      // owned by the window
    bool blinking = false;
    int32_t colour = 0;            // colour of the lit phase
    QPointer<QObject> shapeObject; // the shape while it exists, when it is a QObject
    bool shapeIsObject = false;
};

// Shows a front-panel LED status variable (one byte per LED) on LED shapes.
// A refresh timer polls the variable; every received value sets each LED's
// colour and blink state through its colour map. A blink timer (60 ms) makes
// blinking LEDs alternate between their colour and the map's default colour
// for seven ticks after each poll; then they stay lit until the next poll
// (the blink timer rests in between).
// A failed poll turns every LED to its default colour and reports the error in
// the status target (never in a message box).
class KvSNMPRequest2Leds : public KvSNMPRequest2Controls {
public:
    static constexpr int kBlinkInterval = 60; // ms
    static constexpr int kBlinkLimit = 6;

    explicit KvSNMPRequest2Leds(QWidget* owner);
    // Stops both timers and turns the LEDs that still exist to their default
    // colour. A poll still outstanding is dropped, not waited for.
    ~KvSNMPRequest2Leds() override;

    // Registers a LED with blinking off and the map's default colour, and
    // paints and shows the shape in that colour.
    void AddLed(int32_t variableIndex, int32_t byteIndex, const KvSNMPLedColorMapList* colourMap, KvLedShape* shape);
    // Registers one LED per number of the comma-separated `byteIndexes`: the
    // i-th (from 0) gets a new shape of kind `shapeKind` (0 rectangle) on
    // `panel`, `width` by `height`, at left + i * (spacing + width), top 1.
    // The panel loses its bevels.
    void AddLedGroup(int32_t variableIndex, const std::string& byteIndexes, const KvSNMPLedColorMapList* colourMap,
                     QWidget* panel, int left, int spacing, int shapeKind, int width, int height);
    // Left edge of the i-th shape of a group.
    static int GroupShapeLeft(int left, int spacing, int width, int i) { return left + i * (spacing + width); }

    // Polls every `period` x 10 ms and fetches once at once. An error of that
    // first fetch turns the LEDs off and is raised again.
    void StartPolling(int32_t period);
    // Both timers off, every LED in its default colour.
    void StopPolling();
    // Fetches soon, between polls (the switch has said that something
    // changed), and the poll period starts again from then. Calls that come
    // while a fetch is on its way give one fetch more after it, however many
    // they are. Nothing while polling is off.
    void PollNow();
    // Every LED: blinking off, its map's default colour, painted and shown.
    void ResetLeds();
    // Reads the LED's state from its variable (the value as last received).
    // Raises -519 for a byte beyond the value when the map has no out-of-range
    // colour.
    virtual void UpdateLed(LedRecord& record);
    // One blink tick (also run once after each poll).
    void BlinkStep();

    const std::vector<std::unique_ptr<LedRecord>>& Records() const { return records_; }
    // Called whenever the LEDs' states change (after each poll and each
    // reset), for what shows them besides the shapes.
    std::function<void()> ledsChanged;
    QTimer& RefreshTimer() { return refreshTimer_; }
    QTimer& BlinkTimer() { return blinkTimer_; }
    int BlinkCount() const { return blinkCount_; }

protected:
    // Every LED from the received value, then one blink tick. An answer that
    // is no LED table (an exception, or a value of another type) raises -518
    // with every LED in its default colour, as after a failed poll: the LEDs
    // never show states the switch did not send. (LEDs beyond a short value
    // take their map's out-of-range colour.)
    void ShowRow() override;
    // Turns the LEDs off and writes the message to the status target.
    void ReportGetError(const KvSNMPError& result) override;
    void AfterRefresh() override;

private:
    void Poll();
    // Raises -518 unless every variable the LEDs read holds an LED table.
    void CheckValues() const;
    bool AnyBlinking() const;
    static bool ShapeAlive(const LedRecord& record);
    static void PaintShape(LedRecord& record, int32_t colour);

    std::vector<std::unique_ptr<LedRecord>> records_;
    QTimer refreshTimer_;
    QTimer blinkTimer_;
    QTimer pollNowTimer_; // single shot: PollNow's fetch
    bool pollAgain_ = false;
    int blinkLimit_ = kBlinkLimit;
    int blinkCount_ = 0;
    // The blink timer is on (it rests between polls while nothing blinks);
    // StopPolling turns it off for good.
    bool blinking_ = false;
};

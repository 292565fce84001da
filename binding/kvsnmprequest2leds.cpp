#include "binding/kvsnmprequest2leds.h"

#include "binding/kvledshapewidget.h"
#include "binding/kvvaluecodec.h"
#include "common/kverror.h"
#include "common/kvmessages.h"
#include "common/kvnumlist.h"
#include "common/kvoptionlist.h"

#include <QFrame>
#include <QWidget>

KvSNMPRequest2Leds::KvSNMPRequest2Leds(QWidget* owner) : KvSNMPRequest2Controls(owner)
{
    refreshTimer_.setSingleShot(false);
    refreshTimer_.callOnTimeout([this] { Poll(); });
    blinkTimer_.setInterval(kBlinkInterval);
    blinkTimer_.callOnTimeout([this] {
        BlinkStep();
        // Nothing left to animate until the next poll: the timer rests (a
        // tick would only repaint every LED in the colour it has).
        if (blinkCount_ > blinkLimit_ || !AnyBlinking())
            blinkTimer_.stop();
    });
    blinkTimer_.start();
    blinking_ = true;
    pollNowTimer_.setSingleShot(true);
    pollNowTimer_.setInterval(0);
    pollNowTimer_.callOnTimeout([this] {
        if (!refreshTimer_.isActive())
            return; // polling is off
        if (busy) {
            pollAgain_ = true;
            return;
        }
        refreshTimer_.start();
        Poll();
    });
}

void KvSNMPRequest2Leds::PollNow()
{
    pollNowTimer_.start();
}

void KvSNMPRequest2Leds::AfterRefresh()
{
    if (pollAgain_) {
        pollAgain_ = false;
        pollNowTimer_.start();
    }
}

KvSNMPRequest2Leds::~KvSNMPRequest2Leds()
{
    ledsChanged = nullptr; // whoever listens may be going too
    StopPolling();
    records_.clear();
    // A poll still waiting for a silent switch is dropped rather than waited
    // for: closing the window must not hang on it.
    request.active = false;
    request.AbandonCompletions();
}

bool KvSNMPRequest2Leds::ShapeAlive(const LedRecord& record)
{
    if (!record.shape)
        return false;
    return !record.shapeIsObject || !record.shapeObject.isNull();
}

void KvSNMPRequest2Leds::PaintShape(LedRecord& record, int32_t colour)
{
    if (!ShapeAlive(record))
        return;
    record.shape->Paint(colour);
    record.shape->ShowShape();
}

void KvSNMPRequest2Leds::AddLed(int32_t variableIndex, int32_t byteIndex, const KvSNMPLedColorMapList* colourMap,
                                KvLedShape* shape)
{
    if (!colourMap || !shape)
        return;
    auto record = std::make_unique<LedRecord>();
    record->variableIndex = variableIndex;
    record->byteIndex = byteIndex;
    record->colourMap = colourMap;
    record->shape = shape;
    record->blinking = false;
    record->colour = colourMap->defaultColour;
    if (QObject* object = dynamic_cast<QObject*>(shape)) {
        record->shapeObject = object;
        record->shapeIsObject = true;
    }
    PaintShape(*record, record->colour);
    records_.push_back(std::move(record));
}

void KvSNMPRequest2Leds::AddLedGroup(int32_t variableIndex, const std::string& byteIndexes,
                                     const KvSNMPLedColorMapList* colourMap, QWidget* panel, int left, int spacing,
                                     int shapeKind, int width, int height)
{
    if (!panel)
        return;
    KvNumList<int32_t> bytes(',');
    bytes.Parse(byteIndexes);
    for (uint32_t i = 0; i < bytes.Count(); ++i) {
        // The panel owns the shape (it is the shape's parent, and the window
        // owns the panel).
        auto* shape = new KvLedShapeWidget(shapeKind, panel);
        shape->setGeometry(GroupShapeLeft(left, spacing, width, static_cast<int>(i)), 1, width, height);
        shape->show();
        AddLed(variableIndex, bytes[i], colourMap, shape);
    }
    if (auto* frame = qobject_cast<QFrame*>(panel))
        frame->setFrameStyle(QFrame::NoFrame);
}

void KvSNMPRequest2Leds::StartPolling(int32_t period)
{
    refreshTimer_.setInterval(period * 10);
    refreshTimer_.start();
    try {
        Refresh();
    } catch (...) {
        ResetLeds();
        throw;
    }
}

void KvSNMPRequest2Leds::StopPolling()
{
    refreshTimer_.stop();
    blinkTimer_.stop();
    blinking_ = false;
    ResetLeds();
}

void KvSNMPRequest2Leds::ResetLeds()
{
    for (auto& record : records_) {
        record->blinking = false;
        record->colour = record->colourMap->defaultColour;
        PaintShape(*record, record->colour);
    }
    if (ledsChanged)
        ledsChanged();
}

void KvSNMPRequest2Leds::CheckValues() const
{
    const KvSNMPVarList& list = request.variables;
    for (const auto& record : records_) {
        if (record->variableIndex < 0 || record->variableIndex >= list.Count())
            continue;
        const KvSNMPVar& variable = list[record->variableIndex];
        if (variable.answerUnfit)
            KvRaise(kvErrBadValue);
    }
}

void KvSNMPRequest2Leds::UpdateLed(LedRecord& record)
{
    const KvSNMPVarList& list = request.variables;
    KvOctets octets;
    // A LED on a variable the list does not hold reads as an empty value.
    if (record.variableIndex >= 0 && record.variableIndex < list.Count()) {
        const KvSNMPVar& variable = list[record.variableIndex];
        std::string text = variable.value;
        if (variable.options)
            text = variable.options->LabelToValue(text);
        octets = ParseValueText(text, static_cast<int>(variable.syntax));
    }
    const KvLedState state = record.colourMap->Decode(octets, record.byteIndex);
    record.colour = state.colour;
    record.blinking = state.blinking;
}

void KvSNMPRequest2Leds::BlinkStep()
{
    bool anyBlinking = false;
    for (auto& record : records_) {
        int32_t colour = record->colour;
        if (record->blinking) {
            anyBlinking = true;
            const int32_t dark = record->colourMap->defaultColour;
            const bool isDark = ShapeAlive(*record) && record->shape->FillColour() == dark;
            if (!isDark && blinkCount_ <= blinkLimit_)
                colour = dark;
        }
        PaintShape(*record, colour);
    }
    // Past the limit the count no longer matters; it stops there.
    if (anyBlinking && blinkCount_ <= blinkLimit_)
        ++blinkCount_;
}

void KvSNMPRequest2Leds::ShowRow()
{
    blinkCount_ = 0;
    try {
        CheckValues();
        for (auto& record : records_)
            UpdateLed(*record);
    } catch (...) {
        ResetLeds();
        throw;
    }
    BlinkStep();
    if (blinking_ && !blinkTimer_.isActive())
        blinkTimer_.start();
    if (ledsChanged)
        ledsChanged();
}

bool KvSNMPRequest2Leds::AnyBlinking() const
{
    for (const auto& record : records_) {
        if (record->blinking)
            return true;
    }
    return false;
}

void KvSNMPRequest2Leds::ReportGetError(const KvSNMPError& result)
{
    AfterRefresh();
    ResetLeds();
    lastOperation = kLastGet;
    ReportStatus(result.message);
}

void KvSNMPRequest2Leds::Poll()
{
    try {
        Refresh();
    } catch (const std::exception& error) {
        ResetLeds();
        ReportStatus(error.what());
    }
}

#pragma once
#include <QFrame>
#include <QList>

class QLabel;
class QPushButton;

// The vertical button bar on the right of every generic page and row dialog.
// It holds, in stacking and tab order: the row counter (a sunken static text,
// "0"), the "Samples" label and the buttons Refresh, Set, Set Check, Add,
// Delete, Check All, Clear Checks, Stop and Close. Arrange stacks the visible
// controls from the top, 96 pixels wide at a left margin of 10, five pixels
// apart; a hidden control takes no room.
//
// A button whose glyph file ("Get.bmp", "Set.bmp", ...) exists in the current
// working directory shows the picture instead of its caption.
class TCtrlBtnPanel : public QFrame {
public:
    // The eleven controls, in order.
    enum Control {
        RowCounter,
        SamplesLabel,
        Refresh,
        Set,
        SetCheck,
        Add,
        Delete,
        CheckAll,
        ClearChecks,
        Stop,
        Close,
        ControlCount
    };
    // Which of Set Check, Check All and Clear Checks are shown.
    enum class CheckButtons { None, All, SetCheckOnly };

    static constexpr int kMargin = 10; // left and top margin
    static constexpr int kButtonWidth = 96;
    static constexpr int kGap = 5;                            // between stacked controls
    static constexpr int kWidth = 2 * kMargin + kButtonWidth; // 116
    static constexpr int kButtonHeight = 25;
    static constexpr int kCounterHeight = 21;

    explicit TCtrlBtnPanel(QWidget* parent);

    QLabel* ST_Count = nullptr; // row counter
    QLabel* SamplesLbl = nullptr;
    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr;
    QPushButton* SetCheckBtn = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* CheckAllBtn = nullptr;
    QPushButton* ClearChecksBtn = nullptr;
    QPushButton* StopBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    // The controls in stacking order.
    QList<QWidget*> Controls() const;
    QWidget* ControlAt(Control which) const;

    // Hide one control (any but Close), or show Stop; each re-stacks the bar.
    void HideControl(Control which);
    void ShowStop();
    void SetCheckButtons(CheckButtons set);

    // Re-stacks the bar and gives the controls their tab order.
    void Arrange();

    // Replaces the captions of the buttons whose glyph file exists in
    // `directory` by the pictures. A file that cannot be read as a picture
    // leaves its caption.
    void LoadGlyphs(const QString& directory);

private:
    QList<QWidget*> controls_;
};

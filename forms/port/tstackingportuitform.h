#pragma once
#include <QList>
#include <QSize>
#include <QWidget>

#include <string>

class QCheckBox;
class QScrollArea;
class QTabWidget;

// The port grid: a borderless child form of numbered port check boxes that
// the trunk, mirror, segmentation and VLAN pages embed to show and edit a
// port bitmap. Check box k shows bit k of the bound port list (port k + 1),
// so a page binds CheckBoxes() with the bit-index text "0,1,2,...".
//
// Build(text, first, count, perRow) places `count` boxes in rows of `perRow`:
// box i is captioned i + 1, sits in column i mod perRow and row i div perRow,
// left = font size x column x 5 + 20, width = caption length x font size +
// 3 x font size, top = row x box height + 4. Boxes from the 27th on exist but
// stay hidden: the switch has 26 ports.
class TStackingPortUitForm : public QWidget {
public:
    static constexpr int kClientWidth = 543;
    static constexpr int kClientHeight = 252;
    static constexpr int kFontPointSize = 8;
    static constexpr int kVisiblePorts = 26;

    explicit TStackingPortUitForm(QWidget* parent = nullptr);
    ~TStackingPortUitForm() override;

    // Creates the grid as a child of `panel`, filling its client area, shown.
    static TStackingPortUitForm* HostIn(QWidget* panel);
    // HostIn and Build in one: a grid of `count` boxes, `perRow` to a row.
    static TStackingPortUitForm* BuildIn(QWidget* panel, const std::string& text, int count, int perRow);

    // The unit's text and first port number are kept for stacked units; the
    // boxes are always numbered from 1. A second Build replaces the boxes.
    void Build(const std::string& text, int firstNumber, int count, int perRow);
    // Clears every check box.
    void Clear();
    // The check boxes in creation order, ready for BindControlList.
    const QList<QWidget*>& CheckBoxes() const { return checkBoxes_; }
    // The check boxes of `grid`; none without a grid.
    static QList<QWidget*> CheckBoxesOf(const TStackingPortUitForm* grid);
    QCheckBox* CheckBox(int i) const;
    // The grid shows a value that cannot be written: its boxes take no click
    // and no focus, look like a read-only text and tell screen readers so.
    // The boxes of a later Build are the same.
    void SetDisplayOnly();
    bool DisplayOnly() const { return displayOnly_; }
    // How many boxes are ticked.
    int CheckedCount() const;
    // "0,1,...,count-1": the bit-index text of a grid of `count` boxes.
    static std::string BitIndexText(int count);

    // Once built, the grid asks for the room its visible boxes take, so that
    // a layout never clips them.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QTabWidget* UnitPageControl = nullptr; // kept hidden

private:
    void FormCreate();

    QScrollArea* scrollBox_ = nullptr;
    QWidget* content_ = nullptr;
    QList<QWidget*> checkBoxes_;
    std::string unitText_;
    int firstNumber_ = 1;
    bool displayOnly_ = false;
};

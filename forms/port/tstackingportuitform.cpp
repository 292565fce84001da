#include "forms/port/tstackingportuitform.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

TStackingPortUitForm::TStackingPortUitForm(QWidget* parent) : QWidget(parent)
{
    setObjectName("StackingPortUitForm");
    setWindowFlags(Qt::Widget); // a child without a border
    QFont gridFont = font();
    gridFont.setPointSize(kFontPointSize);
    setFont(gridFont);
    resize(kClientWidth, kClientHeight);
    FormCreate();
}

TStackingPortUitForm::~TStackingPortUitForm() = default;

void TStackingPortUitForm::FormCreate()
{
    UnitPageControl = new QTabWidget(this);
    UnitPageControl->setObjectName("UnitPageControl");
    UnitPageControl->hide();
}

TStackingPortUitForm* TStackingPortUitForm::HostIn(QWidget* panel)
{
    auto* grid = new TStackingPortUitForm(panel);
    auto* layout = qobject_cast<QBoxLayout*>(panel->layout());
    if (!layout) {
        delete panel->layout();
        layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(grid);
    grid->show();
    return grid;
}

TStackingPortUitForm* TStackingPortUitForm::BuildIn(QWidget* panel, const std::string& text, int count, int perRow)
{
    TStackingPortUitForm* grid = HostIn(panel);
    grid->Build(text, 1, count, perRow);
    return grid;
}

void TStackingPortUitForm::SetDisplayOnly()
{
    // The palette of a read-only text: the ticks read as clearly as before,
    // on the window's colour rather than an editor's.
    QPalette shown = palette();
    shown.setColor(QPalette::Base, shown.color(QPalette::Window));
    for (QWidget* box : checkBoxes_) {
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setFocusPolicy(Qt::NoFocus);
        box->setPalette(shown);
        box->setAccessibleDescription(QStringLiteral("display only"));
    }
    displayOnly_ = true;
}

QList<QWidget*> TStackingPortUitForm::CheckBoxesOf(const TStackingPortUitForm* grid)
{
    return grid ? grid->CheckBoxes() : QList<QWidget*>();
}

void TStackingPortUitForm::Build(const std::string& text, int firstNumber, int count, int perRow)
{
    unitText_ = text;
    firstNumber_ = firstNumber;
    delete scrollBox_;
    checkBoxes_.clear();

    scrollBox_ = new QScrollArea(this);
    scrollBox_->setObjectName("ScrollBox");
    scrollBox_->setFrameShape(QFrame::NoFrame);
    scrollBox_->setWidgetResizable(false);
    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    if (!layout) {
        layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(scrollBox_);

    content_ = new QWidget;
    content_->setObjectName("ScrollBoxContents");
    const int fontSize = font().pointSize() > 0 ? font().pointSize() : kFontPointSize;
    perRow = std::max(perRow, 1);
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < std::max(count, 0); ++i) {
        const QString caption = QString::number(i + 1);
        auto* box = new QCheckBox(caption, content_);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        const int column = i % perRow;
        const int row = i / perRow;
        const int height = std::max(17, box->sizeHint().height());
        const int width = std::max(int(caption.size()) * fontSize + 3 * fontSize, box->sizeHint().width());
        box->setGeometry(fontSize * column * 5 + 20, row * height + 4, width, height);
        if (i >= kVisiblePorts) {
            box->hide();
        } else {
            right = std::max(right, box->geometry().right() + 1);
            bottom = std::max(bottom, box->geometry().bottom() + 1);
        }
        checkBoxes_.append(box);
    }
    content_->resize(right + 4, bottom + 4);
    scrollBox_->setWidget(content_);
    if (displayOnly_)
        SetDisplayOnly();
    updateGeometry();
}

QSize TStackingPortUitForm::sizeHint() const
{
    return content_ ? content_->size() : QWidget::sizeHint();
}

QSize TStackingPortUitForm::minimumSizeHint() const
{
    return content_ ? content_->size() : QWidget::minimumSizeHint();
}

void TStackingPortUitForm::Clear()
{
    for (QWidget* w : checkBoxes_) {
        if (auto* box = qobject_cast<QCheckBox*>(w))
            box->setChecked(false);
    }
}

QCheckBox* TStackingPortUitForm::CheckBox(int i) const
{
    return i >= 0 && i < checkBoxes_.size() ? qobject_cast<QCheckBox*>(checkBoxes_[i]) : nullptr;
}

int TStackingPortUitForm::CheckedCount() const
{
    int n = 0;
    for (QWidget* w : checkBoxes_) {
        if (auto* box = qobject_cast<QCheckBox*>(w); box && box->isChecked())
            ++n;
    }
    return n;
}

std::string TStackingPortUitForm::BitIndexText(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += ',';
        text += std::to_string(i);
    }
    return text;
}

#include "pages/tctrlbtnpanel.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "platform/kvpath.h"

namespace {

struct GlyphFile {
    TCtrlBtnPanel::Control button;
    const char* file; // appended to the working directory
};

constexpr GlyphFile kGlyphFiles[] = {
    {TCtrlBtnPanel::Refresh, "\\Get.bmp"},
    {TCtrlBtnPanel::Set, "\\Set.bmp"},
    {TCtrlBtnPanel::SetCheck, "\\SetCheck.bmp"},
    {TCtrlBtnPanel::Add, "\\Add.bmp"},
    {TCtrlBtnPanel::Delete, "\\Delete.bmp"},
    {TCtrlBtnPanel::CheckAll, "\\SelectAll.bmp"},
    {TCtrlBtnPanel::ClearChecks, "\\SelectNone.bmp"},
    {TCtrlBtnPanel::Close, "\\Close.bmp"},
};

// Tallest glyph shown inside a button.
constexpr int kMaxGlyphHeight = TCtrlBtnPanel::kButtonHeight - 6;

} // namespace

TCtrlBtnPanel::TCtrlBtnPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName("CtrlBtnPanel");
    setMinimumWidth(kWidth);
    resize(kWidth, height());

    ST_Count = new QLabel("0", this);
    ST_Count->setObjectName("ST_Count");
    ST_Count->setAlignment(Qt::AlignCenter);
    ST_Count->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ST_Count->resize(kButtonWidth, kCounterHeight);

    SamplesLbl = new QLabel("Samples", this);
    SamplesLbl->setObjectName("SamplesLbl");
    SamplesLbl->setAlignment(Qt::AlignCenter);
    SamplesLbl->resize(kButtonWidth, SamplesLbl->sizeHint().height());

    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->resize(kButtonWidth, kButtonHeight);
        return b;
    };
    RefreshBtn = button("RefreshBtn", "Refresh");
    SetBtn = button("SetBtn", "Set");
    SetCheckBtn = button("SetCheckBtn", "Set Check");
    AddBtn = button("AddBtn", "Add");
    DeleteBtn = button("DeleteBtn", "Delete");
    CheckAllBtn = button("CheckAllBtn", "Check All");
    ClearChecksBtn = button("ClearChecksBtn", "Clear Checks");
    StopBtn = button("StopBtn", "Stop");
    CloseBtn = button("CloseBtn", "Close");

    controls_ = {ST_Count,  SamplesLbl,  RefreshBtn,     SetBtn,  SetCheckBtn, AddBtn,
                 DeleteBtn, CheckAllBtn, ClearChecksBtn, StopBtn, CloseBtn};

    LoadGlyphs(QDir::currentPath());
    Arrange();
}

QList<QWidget*> TCtrlBtnPanel::Controls() const
{
    return controls_;
}

QWidget* TCtrlBtnPanel::ControlAt(Control which) const
{
    return which >= 0 && which < ControlCount ? controls_[which] : nullptr;
}

void TCtrlBtnPanel::HideControl(Control which)
{
    if (which == Close || !ControlAt(which))
        return;
    controls_[which]->setVisible(false);
    Arrange();
}

void TCtrlBtnPanel::ShowStop()
{
    StopBtn->setVisible(true);
    Arrange();
}

void TCtrlBtnPanel::SetCheckButtons(CheckButtons set)
{
    SetCheckBtn->setVisible(set != CheckButtons::None);
    CheckAllBtn->setVisible(set == CheckButtons::All);
    ClearChecksBtn->setVisible(set == CheckButtons::All);
    Arrange();
}

void TCtrlBtnPanel::Arrange()
{
    int top = kMargin;
    QWidget* previousFocusable = nullptr;
    for (QWidget* control : controls_) {
        control->setGeometry(kMargin, top, kButtonWidth, control->height());
        if (control->focusPolicy() & Qt::TabFocus) {
            if (previousFocusable)
                QWidget::setTabOrder(previousFocusable, control);
            previousFocusable = control;
        }
        if (!control->isHidden())
            top = control->geometry().bottom() + 1 + kGap;
    }
}

void TCtrlBtnPanel::LoadGlyphs(const QString& directory)
{
    try {
        for (const GlyphFile& glyph : kGlyphFiles) {
            const QString path = directory + QString::fromStdString(KvNativePath(glyph.file));
            if (!QFile::exists(path))
                continue;
            QPixmap picture(path);
            if (picture.isNull())
                continue;
            if (picture.height() > kMaxGlyphHeight)
                picture = picture.scaledToHeight(kMaxGlyphHeight, Qt::SmoothTransformation);
            auto* b = static_cast<QPushButton*>(controls_[glyph.button]);
            b->setText(QString());
            b->setIcon(QIcon(picture));
            b->setIconSize(picture.size());
        }
    } catch (...) {
        // A glyph that cannot be loaded ends the glyph loading; the remaining
        // buttons keep their captions.
    }
}

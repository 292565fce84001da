#include "shell/panel/tfrontpanel.h"

#include "binding/kvsnmpledcolormaplist.h"
#include "binding/kvsnmprequest2leds.h"
#include "osprey_config.h"
#include "platform/kvapplication.h"
#include "platform/kvmessagebox.h"
#include "shell/panel/kvfrontpanelpicture.h"
#include "shell/panel/twaitingform.h"
#include "tables/pagecatalogue.h"
#include "snmp/kvsnmpvarlist.h"
#include "snmp/vardef.h"

#include <QAction>
#include <QColor>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace kvfrontpanel;

namespace {

// The switch's front-panel LED status: one byte per LED.
const VarDef ledStatusTable[] = {
    {OSPREY_ENT_OID ".11.36.2.5.1.5", "swUnitMgmtFrontPanelLedStatus", synOctets, accRO, nullptr, nullptr, nullptr,
     nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

// The model's LED colours (window colours 0x00BBGGRR) by the LED byte's low
// three bits: 0 and 1 white, 2 and 3 lime, 4 blue, 5 red; 6 and 7 have none.
const KvLedColorEntry ledColourTable[] = {
    {0, 0xFFFFFF}, {1, 0xFFFFFF}, {2, 0x00FF00}, {3, 0x00FF00}, {4, 0xFF0000}, {5, 0x0000FF}, {0, -1},
};

// The LED colours by name, for the port buttons' descriptions.
const struct {
    int32_t colour;
    const char* name;
} kLedColourNames[] = {
    {0x000000, "off"}, {0xFFFFFF, "white"}, {0x00FF00, "green"}, {0xFF0000, "blue"}, {0x0000FF, "red"},
};

constexpr uint8_t kLedValueMask = 7;
constexpr uint8_t kLedBlinkMask = 0x80;
constexpr int32_t kLedDefaultColour = 0x000000;
constexpr int32_t kLedOutOfRangeColour = 0xFFFFFF;

// Port buttons: the glyph on the face, raised look only under the mouse, a
// clear mark for the one that is down.
const char* const kSpeedButtonStyle =
    "QToolButton { border: 1px solid transparent; border-radius: 3px; background: transparent; padding: 0px; }"
    "QToolButton:hover { border-color: #4a7fc1; background: rgba(74, 127, 193, 45); }"
    "QToolButton:checked { border: 2px solid #1f5fbf; background: rgba(31, 95, 191, 95); }"
    "QToolButton:pressed { background: rgba(31, 95, 191, 130); }";
// A port the switch has just told about.
const char* const kMarkedButtonStyle =
    "QToolButton { border: 2px solid #ff8c00; border-radius: 3px; background: rgba(255, 140, 0, 90); padding: 0px; }";

} // namespace

TFrontPanel::TFrontPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrontPanel"));
    CreateLayout();
}

TFrontPanel::~TFrontPanel()
{
    // The LED shapes belong to the panels: the binding stops (and lets go of
    // them) before the panels go.
    LedRequest.reset();
}

const VarDef* TFrontPanel::LedStatusTable()
{
    return ledStatusTable;
}

const KvSNMPLedColorMapList& TFrontPanel::LedColourMap()
{
    static const KvSNMPLedColorMapList map(ledColourTable, kLedValueMask, kLedBlinkMask, kLedDefaultColour,
                                           kLedOutOfRangeColour);
    return map;
}

void TFrontPanel::CreateLayout()
{
    setFixedSize(kPictureWidth, kPictureHeight);

    Image1 = new KvFrontPanelPicture(this);
    Image1->setGeometry(0, 0, kPictureWidth, kPictureHeight);

    PortInfoPopupMenu = new QMenu(this);
    PortInfoPopupMenu->setObjectName(QStringLiteral("PortInfoPopupMenu"));
    PortInformation2 = PortInfoPopupMenu->addAction(QStringLiteral("Port Information"));
    PortInformation2->setObjectName(QStringLiteral("PortInformation2"));
    PortConfiguration1 = PortInfoPopupMenu->addAction(QStringLiteral("Port Configuration"));
    PortConfiguration1->setObjectName(QStringLiteral("PortConfiguration1"));
    // What a page raises is shown, not carried through the event loop.
    connect(PortInformation2, &QAction::triggered, this,
            [this] { KvApplication::runShowingErrors([this] { PortInformation2Click(); }); });
    connect(PortConfiguration1, &QAction::triggered, this,
            [this] { KvApplication::runShowingErrors([this] { PortConfiguration1Click(); }); });
    connect(PortInfoPopupMenu, &QMenu::aboutToShow, this, [this] { PortInfoPopupMenuPopup(); });

    const QIcon upperGlyph(KvFrontPanelPicture::CopperPortGlyph(true));
    const QIcon lowerGlyph(KvFrontPanelPicture::CopperPortGlyph(false));
    const QIcon uplinkGlyph(KvFrontPanelPicture::UplinkPortGlyph());
    for (const PortButtonDef& def : kPortButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(def.number));
        button->setProperty("tag", def.tag);
        button->setGeometry(def.left, def.top, def.width, def.height);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(QString::fromLatin1(kSpeedButtonStyle));
        const bool uplink = def.tag > 24;
        button->setIcon(uplink ? uplinkGlyph : (def.tag % 2 ? upperGlyph : lowerGlyph));
        button->setIconSize(uplink ? QSize(23, 20) : QSize(19, 17));
        button->setToolTip(QStringLiteral("Port %1").arg(def.tag));
        button->setAccessibleName(PortButtonName(def.number));
        button->setAccessibleDescription(LedDescription(kLedDefaultColour, false));
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QToolButton::toggled, this, [this, button](bool down) { SpeedButtonToggled(button, down); });
        connect(button, &QWidget::customContextMenuRequested, this,
                [this, button](const QPoint& pos) { PopupAt(button, button->mapToGlobal(pos)); });
        speedButtons_[static_cast<size_t>(def.number - 1)] = button;
    }

    QFrame** named[kLedPanelCount] = {&PowerPanel, &ConsolePanel, &LinkPanel, &SpeedPanel,  &FDXPanel,
                                      &LedPanel1,  &LedPanel2,    &LedPanel3, &Port25Panel, &Port26Panel};
    for (int id = 0; id < kLedPanelCount; ++id) {
        const LedPanelDef& def = kLedPanels[id];
        auto* panel = new QFrame(this);
        panel->setObjectName(QString::fromLatin1(def.name));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setGeometry(def.left, def.top, def.width, def.height);
        // LEDs are part of the picture: clicks go through to it.
        panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        ledPanels_[static_cast<size_t>(id)] = panel;
        *named[id] = panel;
    }

    // Components that are never shown.
    ST_StackNum = new QLabel(QStringLiteral("Number"), this);
    ST_StackNum->setObjectName(QStringLiteral("ST_StackNum"));
    ST_StackNum->hide();
    ST_RmonState = new QLabel(this);
    ST_RmonState->setObjectName(QStringLiteral("ST_RmonState"));
    ST_RmonState->hide();
    UnitListView = new QTreeWidget(this);
    UnitListView->setObjectName(QStringLiteral("UnitListView"));
    UnitListView->hide();
    PortInfoListView = new QTreeWidget(this);
    PortInfoListView->setObjectName(QStringLiteral("PortInfoListView"));
    PortInfoListView->hide();
    for (QTreeWidget* view : {UnitListView, PortInfoListView}) {
        const bool unit = view == UnitListView;
        auto changed = [this, unit] { unit ? UnitListViewChange() : PortInfoListViewChange(); };
        connect(view, &QTreeWidget::itemChanged, this, changed);
        connect(view->model(), &QAbstractItemModel::rowsInserted, this, changed);
        connect(view->model(), &QAbstractItemModel::rowsRemoved, this, changed);
    }
}

QToolButton* TFrontPanel::SpeedButton(int number) const
{
    if (number < 1 || number > kButtonCount)
        return nullptr;
    return speedButtons_[static_cast<size_t>(number - 1)];
}

QString TFrontPanel::PortButtonName(int number)
{
    if (number < 1 || number > kButtonCount)
        return QString();
    const PortButtonDef& def = kPortButtons[number - 1];
    const bool secondSocket = number > 1 && kPortButtons[number - 2].tag == def.tag;
    return secondSocket ? QStringLiteral("Port %1 (second socket)").arg(def.tag)
                        : QStringLiteral("Port %1").arg(def.tag);
}

QString TFrontPanel::LedDescription(int32_t colour, bool blinking)
{
    // Window colours are 0x00BBGGRR.
    const QColor rgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    QString name = QStringLiteral("colour ") + rgb.name().toUpper();
    for (const auto& entry : kLedColourNames)
        if (entry.colour == colour)
            name = QString::fromLatin1(entry.name);
    return QStringLiteral("LED ") + name + (blinking ? QStringLiteral(", blinking") : QString());
}

void TFrontPanel::DescribePortLeds()
{
    if (!LedRequest)
        return;
    for (const PortButtonDef& def : kPortButtons) {
        for (const auto& record : LedRequest->Records()) {
            if (record->byteIndex != PortLedByte(def.tag))
                continue;
            QString description = LedDescription(record->colour, record->blinking);
            const QString& what = marks_[static_cast<size_t>(def.tag - 1)].what;
            if (!what.isEmpty())
                description += QStringLiteral("; ") + what;
            speedButtons_[static_cast<size_t>(def.number - 1)]->setAccessibleDescription(description);
            break;
        }
    }
}

void TFrontPanel::MarkPort(int port, const QString& what)
{
    if (port < 1 || port > static_cast<int>(marks_.size()))
        return;
    Mark& mark = marks_[static_cast<size_t>(port - 1)];
    if (!mark.timer) {
        mark.timer = new QTimer(this);
        mark.timer->setSingleShot(true);
        connect(mark.timer, &QTimer::timeout, this, [this, port] { Unmark(port); });
    }
    mark.what = what;
    mark.timer->start(kMarkMs);
    ShowMark(port);
}

bool TFrontPanel::IsMarked(int port) const
{
    return port >= 1 && port <= static_cast<int>(marks_.size()) &&
           !marks_[static_cast<size_t>(port - 1)].what.isEmpty();
}

void TFrontPanel::Unmark(int port)
{
    marks_[static_cast<size_t>(port - 1)].what.clear();
    ShowMark(port);
}

void TFrontPanel::ShowMark(int port)
{
    const QString& what = marks_[static_cast<size_t>(port - 1)].what;
    for (const PortButtonDef& def : kPortButtons) {
        if (def.tag != port)
            continue;
        QToolButton* button = speedButtons_[static_cast<size_t>(def.number - 1)];
        button->setStyleSheet(QString::fromLatin1(what.isEmpty() ? kSpeedButtonStyle : kMarkedButtonStyle));
        QString description = button->accessibleDescription().section(QStringLiteral("; "), 0, 0);
        if (!what.isEmpty())
            description += QStringLiteral("; ") + what;
        button->setAccessibleDescription(description);
    }
}

void TFrontPanel::RereadLeds()
{
    if (LedRequest)
        LedRequest->PollNow();
}

void TFrontPanel::SpeedButtonToggled(QToolButton* button, bool down)
{
    if (!down)
        return;
    // One group: the button that goes down raises every other.
    for (QToolButton* other : speedButtons_) {
        if (other != button && other->isChecked())
            other->setChecked(false);
    }
}

void TFrontPanel::FormCreate(QLabel* statusPanel)
{
    if (LedRequest)
        return; // set up once
    try {
        LedRequest = std::make_unique<KvSNMPRequest2Leds>(window());
        KvSNMPVarList list(ledStatusTable, kvListScalars, 0);
        LedRequest->request.variables = list;
        LedRequest->request.timeout = kLedTimeout;
        const KvSNMPLedColorMapList& map = LedColourMap();
        for (const LedGroupDef& group : kLedGroups) {
            LedRequest->AddLedGroup(0, group.bytes, &map, ledPanels_[group.panel], group.left, group.gap, 0,
                                    group.width, group.height);
        }
        LedRequest->SetStatusTarget(statusPanel);
        LedRequest->ledsChanged = [this] { DescribePortLeds(); };
        LedRequest->request.variables.name = kLedListName;
        LedRequest->StartPolling(kLedPollPeriod);
    } catch (...) {
        // The window goes on without (live) LEDs; a failed first fetch has
        // reset the LEDs and left the poll running.
    }
}

void TFrontPanel::PopupAt(QToolButton* button, const QPoint& globalPos)
{
    popupButton_ = button;
    PortInfoPopupMenu->popup(globalPos);
}

void TFrontPanel::PortInfoPopupMenuPopup() {}

void TFrontPanel::PortInformation2Click()
{
    OpenPortPage("PortInformation2");
}

void TFrontPanel::PortConfiguration1Click()
{
    OpenPortPage("PortConfiguration1");
}

void TFrontPanel::OpenPortPage(const char* name)
{
    QToolButton* button = popupButton_;
    if (!button)
        return;
    // That button goes down; the group raises any other.
    button->setChecked(true);
    const PageCommand* command = kvtables::FindPageByName(name);
    if (command && openPortPage)
        openPortPage(*command, button->property("tag").toInt());
}

void TFrontPanel::RefreshPanel1Click()
{
    if (KvMessageBox::show(window(), QStringLiteral("Refresh panel will take a minute"), QStringLiteral("Confirm"),
                           QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    auto* form = new TWaitingForm(window());
    form->refreshSteps = [this] { RunPanelRefresh(); };
    WaitingForm = form;
    // The window may go while the waiting window runs (it is its owner).
    QPointer<TWaitingForm> guard(form);
    form->exec();
    delete guard.data();
}

void TFrontPanel::RunPanelRefresh()
{
    ResetUnitWindows();
    if (rereadRmonState)
        rereadRmonState();
}

void TFrontPanel::ResetUnitWindows()
{
    for (const QPointer<QWidget>& unitWindow : UnitWindows) {
        if (unitWindow)
            unitWindow->close();
    }
    UnitWindows.clear();
    // The refresh empties the list of port buttons before it gives the
    // buttons of that list their click handlers, so none is attached.
    PortButtons.clear();
    for (QToolButton* button : PortButtons) {
        connect(button, &QToolButton::clicked, this, [this, button] {
            for (QToolButton* other : PortButtons) {
                if (other != button)
                    other->setChecked(false);
            }
        });
    }
}

void TFrontPanel::UnitListViewChange()
{
    if (WaitingForm)
        WaitingForm->Advance();
}

void TFrontPanel::PortInfoListViewChange()
{
    if (WaitingForm)
        WaitingForm->Advance();
}

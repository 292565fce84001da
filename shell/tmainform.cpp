#include "shell/tmainform.h"

#include "platform/kvmessagebox.h"
#include "shell/changes/tchangesform.h"
#include "shell/events/kveventcentre.h"
#include "shell/kvstartup.h"
#include "shell/mainmenu.h"
#include "shell/menucommands.h"
#include "shell/panel/tfrontpanel.h"
#include "shell/viewmenu.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>

namespace {

TMainForm* mainFormInstance = nullptr;

std::vector<std::string> applicationParameters()
{
    std::vector<std::string> parameters;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        parameters.push_back(arguments[i].toStdString());
    return parameters;
}

KvStartupTexts TextsOf(const TMainForm& mainForm)
{
    KvStartupTexts texts;
    texts.AgentAddress = mainForm.AgentAddress;
    texts.ReadCommunity = mainForm.ReadCommunity;
    texts.WriteCommunity = mainForm.WriteCommunity;
    texts.IniVersion = mainForm.IniVersion;
    texts.IniFileFound = mainForm.IniFileFound;
    return texts;
}

} // namespace

TMainForm::TMainForm(QWidget* owner) : TMainForm(applicationParameters(), owner) {}

TMainForm::TMainForm(const std::vector<std::string>& parameters, QWidget* owner) : QMainWindow(owner)
{
    if (!mainFormInstance)
        mainFormInstance = this;
    try {
        CreateLayout();
        RunStartup(parameters);
    } catch (...) {
        // The destructor does not run for a window that failed to construct.
        if (mainFormInstance == this)
            mainFormInstance = nullptr;
        throw;
    }
    if (!terminateRequested_)
        FormCreate();
}

TMainForm::~TMainForm()
{
    if (mainFormInstance == this)
        mainFormInstance = nullptr;
}

TMainForm* TMainForm::Instance()
{
    return mainFormInstance;
}

void TMainForm::CreateLayout()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString());

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    // Ten menus in the window's fixed width: a little less room around each
    // caption, so that the last one ("Help") is never pushed into the bar's
    // overflow button.
    MainMenu1->setStyleSheet(QStringLiteral("QMenuBar::item { padding: 2px 3px; margin: 0px; }"));
    setMenuBar(MainMenu1);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setFixedSize(kClientWidth, kScrollBoxHeight);
    setCentralWidget(ScrollBox1);
    FrontPanel = new TFrontPanel;
    ScrollBox1->setWidget(FrontPanel);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(kStatusBarHeight);
    StatusBar->setSizeGripEnabled(false);
    // Without the grip the last panel would touch the window's edge.
    StatusBar->setContentsMargins(0, 0, 2, 0);
    StatusPanel0 = new QLabel(StatusBar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setMinimumWidth(kStatusPanel0Width);
    StatusPanel0->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar->addWidget(StatusPanel0, 1);
    setStatusBar(StatusBar);

    // Every command of the menu bar and of the front panel's pop-up menu.
    menucommands::MainWindowParts parts;
    parts.mainForm = this;
    parts.window = this;
    parts.bar = MainMenu1;
    parts.statusPanel = StatusPanel0;
    parts.frontPanel = FrontPanel;
    parts.texts = [this] { return TextsOf(*this); };
    parts.setPageTitle = [this](const char* title) { PageTitle = title; };
    parts.refreshPanel = [this] { RefreshPanel1Click(); };
    Menu = menucommands::Install(parts);
    Events = new KvEventCentre(this, StatusBar, FrontPanel);
    CreateViewMenu();

    // Single fixed border: the window is as large as its parts, so the client
    // area keeps 781 by 117 below the menu bar however high the menu bar gets.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TMainForm::CreateViewMenu()
{
    View = new ViewMenu(MainMenu1, Menu, this);
    QAction* events = View->Menu()->addAction(QStringLiteral("Events..."));
    events->setObjectName(QStringLiteral("Events1"));
    connect(events, &QAction::triggered, Events, &KvEventCentre::ShowEventsWindow);
    QAction* changes = View->Menu()->addAction(QStringLiteral("Changes..."));
    changes->setObjectName(QStringLiteral("Changes1"));
    connect(changes, &QAction::triggered, this, [this] { TChangesForm::ShowFor(this); });
}

void TMainForm::RunStartup(const std::vector<std::string>& parameters)
{
    KvStartup startup;
    const KvStartup::Result result = startup.Run(parameters);
    const KvStartupTexts& texts = startup.Texts();
    PageTitle.clear();
    AgentAddress = texts.AgentAddress;
    ReadCommunity = texts.ReadCommunity;
    WriteCommunity = texts.WriteCommunity;
    IniVersion = texts.IniVersion;
    IniFileFound = texts.IniFileFound;

    if (result == KvStartup::Result::NoParameter) {
        KvMessageBox::message(this, QStringLiteral("No parameter input"));
        terminateRequested_ = true;
        // Ends the message loop as soon as it runs.
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        return;
    }
    setWindowTitle(QString::fromStdString(KvSNMPDevice.address));
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

void TMainForm::FormCreate()
{
    // The LED binding of the front panel; errors are swallowed there.
    FrontPanel->FormCreate(StatusPanel0);
    Events->Start();
}

void TMainForm::RefreshPanel1Click()
{
    FrontPanel->RefreshPanel1Click();
}

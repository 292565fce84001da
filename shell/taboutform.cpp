#include "shell/taboutform.h"

#include "shell/tmainform.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

// The About window opened last (process-wide, like the main window's own
// reference to it).
QPointer<TAboutForm> currentAboutForm;

// The module's icon: the face of a small switch with a row of ports and two
// lit LEDs, 32 by 32.
QPixmap ModuleIcon()
{
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 48, 64), 1));
    painter.setBrush(QColor(72, 92, 124));
    painter.drawRoundedRect(QRectF(1.5, 8.5, 29, 16), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 24, 32));
    for (int port = 0; port < 5; ++port)
        painter.drawRect(QRect(5 + port * 5, 15, 4, 5));
    painter.setBrush(QColor(0, 220, 0));
    painter.drawEllipse(QRectF(5, 11, 2.5, 2.5));
    painter.setBrush(QColor(255, 190, 0));
    painter.drawEllipse(QRectF(10, 11, 2.5, 2.5));
    return icon;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

TAboutForm::TAboutForm(QWidget* owner) : QDialog(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Single fixed border with the system menu (close button) only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    CreateLayout();
    FormCreate();
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::CreateLayout()
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Osprey  Module"));
    setFixedSize(kClientWidth, kClientHeight);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ModuleIcon());
    Image1->setGeometry(9, 40, 32, 32);

    ABoutLabel = MakeLabel(this, "ABoutLabel", QStringLiteral("Korvan Osprey Management Module "), 65, 16);
    QFont bold = ABoutLabel->font();
    bold.setBold(true);
    bold.setPixelSize(12);
    ABoutLabel->setFont(bold);
    ABoutLabel->adjustSize();
    VersionLabel =
        MakeLabel(this, "VersionLabel", QStringLiteral("Release Version 0.00.B013(Build 2003/12/12)"), 65, 39);
    MakerLabel = MakeLabel(this, "MakerLabel", QStringLiteral("Copyright (C) Korvan. All rights reserved."), 65, 61);

    BT_Ok = new QPushButton(QStringLiteral("Ok"), this);
    BT_Ok->setObjectName(QStringLiteral("BT_Ok"));
    BT_Ok->setGeometry(153, 80, 51, 25);
    BT_Ok->setDefault(true);
    connect(BT_Ok, &QPushButton::clicked, this, &TAboutForm::BT_OkClick);

    // Centred on the main window (on the screen without one).
    QRect area;
    if (const TMainForm* mainForm = TMainForm::Instance())
        area = mainForm->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
}

void TAboutForm::FormCreate() {}

void TAboutForm::BT_OkClick()
{
    close();
}

TAboutForm* TAboutForm::ShowNew(QWidget* owner)
{
    auto* form = new TAboutForm(owner);
    currentAboutForm = form;
    form->show();
    return form;
}

TAboutForm* TAboutForm::Current()
{
    return currentAboutForm.data();
}

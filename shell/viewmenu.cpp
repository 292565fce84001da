#include "shell/viewmenu.h"

#include "shell/mainmenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>

ViewMenu::ViewMenu(QMenuBar* bar, MainMenu* menu, QWidget* window) : QObject(window), items_(menu)
{
    setObjectName(QStringLiteral("ViewMenu"));
    menu_ = new QMenu(QStringLiteral("View"), window);
    menu_->setObjectName(QStringLiteral("View1"));
    QAction* help = menu ? menu->Action("Help1") : nullptr;
    if (help)
        bar->insertMenu(help, menu_);
    else
        bar->addMenu(menu_);
    menu_->menuAction()->setObjectName(QStringLiteral("View1"));

    showHidden_ = menu_->addAction(QStringLiteral("Show Hidden Pages"));
    showHidden_->setObjectName(QStringLiteral("ShowHiddenPages1"));
    showHidden_->setCheckable(true);
    const QSettings settings(SettingsPath(), QSettings::IniFormat);
    const bool shown = settings.value(QString::fromLatin1(kShowHiddenKey), false).toBool();
    showHidden_->setChecked(shown);
    Apply(shown);
    connect(showHidden_, &QAction::toggled, this, [this](bool checked) {
        QSettings kept(SettingsPath(), QSettings::IniFormat);
        kept.setValue(QString::fromLatin1(kShowHiddenKey), checked);
        Apply(checked);
    });
}

QString ViewMenu::SettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/osprey/osprey.conf");
}

void ViewMenu::Apply(bool shown)
{
    if (items_)
        items_->ShowHiddenItems(shown);
}

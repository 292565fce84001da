#include "shell/mainmenu.h"

#include "platform/kvapplication.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <span>

namespace {

bool IsFormItem(const MenuItemDef& item)
{
    return item.action == MenuAction::appForm || item.action == MenuAction::mainForm;
}

} // namespace

MainMenu::MainMenu(QMenuBar* bar, QWidget* window, Commands commands)
    : QObject(window), bar_(bar), window_(window), commands_(std::move(commands))
{
    setObjectName(QString::fromLatin1(kObjectName));
    Build();
}

MainMenu::~MainMenu() = default;

void MainMenu::Build()
{
    const std::span<const MenuItemDef> items = kvtables::MainMenu();
    // The menu that receives the items of each level; level 0 goes into the bar.
    std::vector<QWidget*> parents{bar_};
    actions_.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItemDef& item = items[i];
        const QString name = QString::fromLatin1(item.name);
        const QString caption = QString::fromLatin1(item.caption);
        parents.resize(item.level + 1u);
        QWidget* parent = parents[item.level];
        const bool hasChildren = i + 1 < items.size() && items[i + 1].level > item.level;

        QAction* action = nullptr;
        if (item.action == MenuAction::separator) {
            action = new QAction(parent);
            action->setSeparator(true);
            parent->addAction(action);
        } else if (hasChildren) {
            auto* submenu = new QMenu(caption, parent);
            submenu->setObjectName(name);
            if (auto* parentBar = qobject_cast<QMenuBar*>(parent))
                parentBar->addMenu(submenu);
            else
                static_cast<QMenu*>(parent)->addMenu(submenu);
            submenus_.emplace(item.name, submenu);
            action = submenu->menuAction();
            parents.push_back(submenu);
        } else {
            action = new QAction(caption, parent);
            parent->addAction(action);
        }
        action->setObjectName(name);
        // A hand-made form's item waits for its form command.
        if (IsFormItem(item))
            action->setEnabled(false);
        if (item.hidden)
            action->setVisible(false);
        if (item.handler) {
            const MenuItemDef* def = &item;
            // Qt's event loop does not carry exceptions: what a command
            // raises is shown, as one escaping an event is.
            connect(action, &QAction::triggered, this,
                    [this, def] { KvApplication::runShowingErrors([this, def] { Run(*def); }); });
        }
        actions_.push_back(action);
    }
}

void MainMenu::Run(const MenuItemDef& item)
{
    switch (item.action) {
    case MenuAction::submenu:
    case MenuAction::separator:
    case MenuAction::nothing:
        // The item only opens its submenu.
        return;
    case MenuAction::page:
        if (commands_.openPage)
            commands_.openPage(item);
        return;
    case MenuAction::appForm:
    case MenuAction::mainForm: {
        const auto found = formCommands_.find(std::string_view(item.target));
        if (found == formCommands_.end() || !found->second)
            return;
        // The form's caption is built from the page title it finds set.
        if (item.title && commands_.setPageTitle)
            commands_.setPageTitle(item.title);
        // Forms of the application object, or of the main window.
        found->second(item.action == MenuAction::mainForm ? window_ : nullptr);
        return;
    }
    case MenuAction::browser:
        if (commands_.openBrowserPage)
            commands_.openBrowserPage(item.target);
        return;
    case MenuAction::help:
        if (commands_.help)
            commands_.help();
        return;
    case MenuAction::save:
        if (commands_.saveChanges)
            commands_.saveChanges();
        return;
    case MenuAction::about:
        if (commands_.about)
            commands_.about();
        return;
    case MenuAction::refreshPanel:
        if (commands_.refreshPanel)
            commands_.refreshPanel();
        return;
    }
}

QAction* MainMenu::Action(std::string_view name) const
{
    const std::span<const MenuItemDef> items = kvtables::MainMenu();
    for (size_t i = 0; i < items.size() && i < actions_.size(); ++i) {
        if (name == items[i].name)
            return actions_[i];
    }
    return nullptr;
}

QMenu* MainMenu::Submenu(std::string_view name) const
{
    const auto found = submenus_.find(name);
    return found == submenus_.end() ? nullptr : found->second;
}

const MenuItemDef* MainMenu::ItemOf(const QAction* action) const
{
    const std::span<const MenuItemDef> items = kvtables::MainMenu();
    for (size_t i = 0; i < items.size() && i < actions_.size(); ++i) {
        if (actions_[i] == action)
            return &items[i];
    }
    return nullptr;
}

void MainMenu::Click(std::string_view name)
{
    if (QAction* action = Action(name))
        action->trigger();
}

void MainMenu::SetFormCommand(std::string_view formClass, FormCommand command)
{
    const bool enabled = static_cast<bool>(command);
    formCommands_.insert_or_assign(std::string(formClass), std::move(command));
    const std::span<const MenuItemDef> items = kvtables::MainMenu();
    for (size_t i = 0; i < items.size() && i < actions_.size(); ++i) {
        if (IsFormItem(items[i]) && items[i].target && formClass == items[i].target)
            actions_[i]->setEnabled(enabled);
    }
}

bool MainMenu::HasFormCommand(std::string_view formClass) const
{
    const auto found = formCommands_.find(formClass);
    return found != formCommands_.end() && found->second;
}

void MainMenu::ShowHiddenItems(bool shown)
{
    const std::span<const MenuItemDef> items = kvtables::MainMenu();
    for (size_t i = 0; i < items.size() && i < actions_.size(); ++i) {
        if (items[i].hidden)
            actions_[i]->setVisible(shown);
    }
}

void MainMenu::SetRmonItemsEnabled(bool enabled)
{
    for (const char* name : kvtables::RmonStateItems()) {
        if (QAction* action = Action(name))
            action->setEnabled(enabled);
    }
}

MainMenu* MainMenu::Of(const QWidget* window)
{
    return window ? window->findChild<MainMenu*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

#include "shell/menucommands.h"

#include "shell/formcommands.h"
#include "shell/launcher.h"
#include "shell/mainmenu.h"
#include "shell/pagecommands.h"
#include "shell/panel/tfrontpanel.h"
#include "shell/taboutform.h"
#include "tables/menutree.h"

#include <string>
#include <utility>

namespace menucommands {

MainMenu* Install(const MainWindowParts& parts)
{
    TMainForm* form = parts.mainForm;
    QWidget* window = parts.window;
    MainMenu::Commands commands;
    commands.openPage = [form](const MenuItemDef& item) {
        if (const PageCommand* page = kvtables::PageOf(item))
            pagecommands::OpenPage(*form, *page);
    };
    commands.openBrowserPage = [texts = parts.texts, statusPanel = parts.statusPanel](const std::string& pageName) {
        launcher::LaunchBrowserPage(pageName, texts(), statusPanel);
    };
    commands.help = [window] { launcher::OpenHelp(window); };
    commands.saveChanges = [window] { launcher::SaveChanges(window); };
    commands.about = [] { TAboutForm::ShowNew(); };
    commands.refreshPanel = parts.refreshPanel;
    commands.setPageTitle = parts.setPageTitle;
    if (TFrontPanel* panel = parts.frontPanel) {
        // The port buttons' pop-up menu opens one row of a page; the panel
        // refresh re-reads the RMON state.
        panel->openPortPage = [form](const PageCommand& page, int port) {
            pagecommands::OpenPortPage(*form, page, port);
        };
        panel->rereadRmonState = [form] { pagecommands::RereadRmonState(*form); };
    }
    auto* menu = new MainMenu(parts.bar, window, std::move(commands));
    formcommands::Install(*menu, *form);
    return menu;
}

} // namespace menucommands

#pragma once

class MainMenu;
class TMainForm;
struct KvFormHost;

// The menu commands of the hand-made forms: each creates its form with the
// owner the menu gives (the application or the main window), centres it on
// the main window, shows it modally and frees it when it closes.
namespace formcommands {

// Gives `menu` the command of every hand-made form; their items become enabled.
void Install(MainMenu& menu, TMainForm& mainForm);

// What a form needs of the main window: address, window, unit-window reset,
// the auxiliary window's ready flags.
KvFormHost HostOf(TMainForm& mainForm);

} // namespace formcommands

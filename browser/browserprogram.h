#pragma once
#include <string>
#include <vector>

// The stand-in for the host's MIB browser programs: started by the module's
// launcher as MIB, IFMib, EthernetLike, Bridge, VLan or Rmon with the switch's
// settings and the page name ("/TMIB_Info"), it runs the module's start-up
// over that command line and opens the window of the named page. Runs the
// message loop until the window closes and gives 0.
//
// A command line that names no page, or a page no browser program has, gives
// a message (on standard error, and in a message box where a display can
// show one) and exit status 2; a start-up failure gives its message and 1.
int RunBrowser(const std::vector<std::string>& parameters);

namespace browserprogram {

constexpr int kOk = 0;
constexpr int kStartupFailed = 1;
constexpr int kNoSuchPage = 2;

// The message for a command line whose page `page` (without "/T") is not
// known; for an empty `page`, the message for a line that names none.
std::string UnknownPageMessage(const std::string& page);

} // namespace browserprogram

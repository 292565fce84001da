#pragma once
#include <string>
#include <vector>

// The program's run after its application object exists: creates the main
// window (whose construction is the start-up) and the invisible auxiliary
// window, then runs the message loop. A start-up failure is shown in a message
// box and gives exit status 1; an empty command line ends the program with 0
// after its message.
int RunOsprey(const std::vector<std::string>& parameters);

#pragma once
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

// What a hand-made form needs from the main window that opens it. The forms
// sit below the application shell and never reach into it; the shell fills
// this in when it opens a form.
struct KvFormHost {
    // The switch's address, as the main window's caption shows it.
    std::string agentAddress;
    // The main window: forms are centred on it.
    QPointer<QWidget> mainWindow;
    // Closes the main window's unit windows and resets its port buttons (the
    // first steps of its panel refresh).
    std::function<void()> resetUnitWindows;
    // The auxiliary window's ready flags and the completion handler that
    // raises both; null when there is no auxiliary window.
    bool* getReady = nullptr;
    bool* setReady = nullptr;
    std::function<void()> requestComplete;
};

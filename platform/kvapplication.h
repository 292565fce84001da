#pragma once
#include <QApplication>

#include <exception>

// The program's application object. An error that escapes an event handler is
// shown in a message box (captioned with the program file's name) and the
// program goes on, instead of ending it.
class KvApplication : public QApplication {
public:
    KvApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The application's exception display.
    static void showException(const std::exception& error);
    // The exception being handled, in the exception display; called from a
    // catch block (a slot's, so that no exception crosses a signal).
    static void showCurrentException();
    // Runs `handler` (a slot's body), showing what it raises.
    template <typename Handler>
    static void runShowingErrors(Handler&& handler)
    {
        try {
            handler();
        } catch (...) {
            showCurrentException();
        }
    }
};

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
};

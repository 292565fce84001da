#include "platform/kvapplication.h"

#include "platform/kvmessagebox.h"

KvApplication::KvApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KvApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showCurrentException();
    }
    return false;
}

void KvApplication::showException(const std::exception& error)
{
    KvMessageBox::error(activeWindow(), QString::fromStdString(error.what()));
}

void KvApplication::showCurrentException()
{
    try {
        throw;
    } catch (const std::exception& error) {
        showException(error);
    } catch (...) {
        KvMessageBox::error(activeWindow(), QStringLiteral("Unknown error"));
    }
}

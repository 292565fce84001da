#pragma once
#include <QString>
#include <QTextBrowser>

class QWidget;

// The program's own help window: shows an HTML or plain-text help document.
class KvHelpWindow : public QTextBrowser {
public:
    explicit KvHelpWindow(const QString& filePath, QWidget* parent = nullptr);

    // Opens a help window on the file (freed when closed). A missing file gives a
    // message box naming it, and no window (nullptr).
    static KvHelpWindow* open(const QString& filePath, QWidget* parent);
};

#include "platform/kvhelpwindow.h"

#include "platform/kvmessagebox.h"

#include <QFileInfo>
#include <QUrl>

KvHelpWindow::KvHelpWindow(const QString& filePath, QWidget* parent) : QTextBrowser(parent)
{
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QFileInfo(filePath).completeBaseName());
    setOpenExternalLinks(false);
    resize(640, 480);
    // setSource decides between HTML and plain text by the file's name, so a
    // document without an .htm(l) suffix is read explicitly as HTML.
    setSource(QUrl::fromLocalFile(QFileInfo(filePath).absoluteFilePath()), QTextDocument::HtmlResource);
}

KvHelpWindow* KvHelpWindow::open(const QString& filePath, QWidget* parent)
{
    const QFileInfo info(filePath);
    if (!info.isFile() || !info.isReadable()) {
        KvMessageBox::show(parent, QStringLiteral("The help file \"%1\" cannot be found.").arg(filePath), QString(),
                           QMessageBox::Ok, QMessageBox::Warning);
        return nullptr;
    }
    auto* window = new KvHelpWindow(filePath, parent);
    window->show();
    return window;
}

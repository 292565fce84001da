#include "platform/kvmessagebox.h"

#include "platform/kvprogram.h"

namespace {

// The innermost answerer; set only while a KvMessageBox::Answerer is alive.
KvMessageBox::Answerer* currentAnswerer = nullptr;

} // namespace

KvMessageBox::Answerer::Answerer(QMessageBox::StandardButton answer) : answer_(answer), previous_(currentAnswerer)
{
    currentAnswerer = this;
}

KvMessageBox::Answerer::~Answerer()
{
    currentAnswerer = previous_;
}

QString KvMessageBox::programCaption()
{
    return QString::fromStdString(KvProgram::fileName());
}

QMessageBox::StandardButton KvMessageBox::show(QWidget* parent, const QString& text, const QString& title,
                                               QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    const QString caption = title.isEmpty() ? programCaption() : title;
    if (currentAnswerer) {
        currentAnswerer->shown_.push_back(KvMessageBoxRequest{caption, text, icon, buttons});
        return currentAnswerer->answer_;
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setObjectName(QString::fromLatin1(kObjectName));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void KvMessageBox::message(QWidget* parent, const QString& text)
{
    show(parent, text);
}

void KvMessageBox::error(QWidget* parent, const QString& text)
{
    show(parent, text, QString(), QMessageBox::Ok, QMessageBox::Critical);
}

#include "binding/kvlineeditfield.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QValidator>
#include <QVariant>

#include <utility>

// The length limit of a field applies to what the operator types, never to the
// texts the program puts in (QLineEdit's own maximum length would cut "(NULL)"
// or "(NOTDONE)" in a one-character field). A text the program made longer than
// the limit may still be shortened.
class KvLineEditField::LengthLimit : public QValidator {
public:
    LengthLimit(QObject* parent, int maximum, int shown) : QValidator(parent), maximum_(maximum), shown_(shown) {}
    void SetMaximum(int maximum) { maximum_ = maximum; }
    int Maximum() const { return maximum_; }
    void SetShown(int length) { shown_ = length; }
    State validate(QString& input, int&) const override
    {
        return input.size() <= maximum_ || input.size() < shown_ ? Acceptable : Invalid;
    }

private:
    int maximum_;
    int shown_;
};

KvLineEditField::KvLineEditField(Events events, QLineEdit* edit) : events_(std::move(events)), edit_(edit)
{
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (limit_)
            limit_->SetShown(static_cast<int>(text.size()));
        events_.textChanged(*this);
    });
}

KvLineEditField::~KvLineEditField()
{
    if (edit_) {
        edit_->removeEventFilter(this);
        if (limit_ && edit_->validator() == limit_)
            edit_->setValidator(nullptr);
    }
    delete limit_.data();
}

std::string KvLineEditField::Text() const
{
    return edit_ ? edit_->text().toStdString() : std::string();
}

void KvLineEditField::SetText(const std::string& text)
{
    if (!edit_)
        return;
    const QString newText = QString::fromStdString(text);
    const QString oldText = edit_->text();
    const int cursor = edit_->cursorPosition();
    const bool outer = !settingText_;
    settingText_ = true;
    edit_->setText(newText);
    if (outer)
        settingText_ = false;
    // A removed keystroke leaves the cursor where the character was.
    if (edit_ && newText.size() + 1 == oldText.size() && cursor > 0)
        edit_->setCursorPosition(cursor - 1);
}

void KvLineEditField::SetMaxLength(int length)
{
    if (!edit_)
        return;
    if (length <= 0) {
        if (limit_ && edit_->validator() == limit_)
            edit_->setValidator(nullptr);
        return;
    }
    if (!limit_)
        limit_ = new LengthLimit(nullptr, length, static_cast<int>(edit_->text().size()));
    limit_->SetMaximum(length);
    edit_->setValidator(limit_);
}

int KvLineEditField::MaxLength() const
{
    return limit_ && edit_ && edit_->validator() == limit_ ? limit_->Maximum() : 0;
}

void KvLineEditField::SetWidth(int pixels)
{
    if (edit_)
        edit_->resize(pixels, edit_->height());
}

void KvLineEditField::SetFocus()
{
    if (edit_)
        edit_->setFocus(Qt::OtherFocusReason);
}

int KvLineEditField::Tag() const
{
    return edit_ ? edit_->property("tag").toInt() : 0;
}

bool KvLineEditField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_) {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Switching to another window or opening a menu does not leave the field.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                events_.left(*this);
        }
    }
    return QObject::eventFilter(watched, event);
}

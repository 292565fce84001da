#include "binding/kvlineeditfield.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QVariant>

#include "binding/kvlineeditconstraint.h"

namespace {
// QLineEdit's own "no limit".
constexpr int kNoLimit = 32767;
}  // namespace

KvLineEditField::KvLineEditField(KvLineEditConstraint& owner, QLineEdit* edit) : owner_(owner), edit_(edit) {
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this] { owner_.TextChanged(*this); });
}

KvLineEditField::~KvLineEditField() {
    if (edit_) edit_->removeEventFilter(this);
}

std::string KvLineEditField::Text() const { return edit_ ? edit_->text().toStdString() : std::string(); }

void KvLineEditField::SetText(const std::string& text) {
    if (!edit_) return;
    const QString newText = QString::fromStdString(text);
    const QString oldText = edit_->text();
    const int cursor = edit_->cursorPosition();
    const bool outer = !settingText_;
    settingText_ = true;
    edit_->setText(newText);
    if (outer) settingText_ = false;
    // A removed keystroke leaves the cursor where the character was.
    if (edit_ && newText.size() + 1 == oldText.size() && cursor > 0) edit_->setCursorPosition(cursor - 1);
}

void KvLineEditField::SetMaxLength(int length) {
    if (edit_) edit_->setMaxLength(length > 0 ? length : kNoLimit);
}

void KvLineEditField::SetWidth(int pixels) {
    if (edit_) edit_->resize(pixels, edit_->height());
}

void KvLineEditField::SetFocus() {
    if (edit_) edit_->setFocus(Qt::OtherFocusReason);
}

int KvLineEditField::Tag() const { return edit_ ? edit_->property("tag").toInt() : 0; }

bool KvLineEditField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Switching to another window or opening a menu does not leave the field.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) owner_.Left(*this);
        }
    }
    return QObject::eventFilter(watched, event);
}

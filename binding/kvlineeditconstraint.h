#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/kveditconstraint.h"

class QLineEdit;
class QWidget;
class KvLineEditField;

// Edit constraints on QLineEdit fields (see KvEditConstraint for the rules).
//
//   - keystrokes that break the constraint are removed with a beep;
//   - a field whose text breaks the constraint cannot be left: leaving it shows
//     the message in a box captioned with the program file's name, puts the
//     field's last valid text back and returns the focus to it;
//   - the advance character, and a full field with the auto-advance flag, move
//     the focus on to the next field of the owner window (queued);
//   - with `rememberValid`, a text the program puts into a field (not typed,
//     not set by the checks) becomes its last valid text when it passes, so a
//     rejected exit gives back the value the program showed rather than an
//     older or empty text.
//
// Leaving a field by switching windows or opening a pop-up menu is not an exit.
// Message boxes go through KvMessageBox (tests answer them with its Answerer)
// unless a message notifier is set; the beep likewise can be replaced.
class KvLineEditConstraint : public QObject, private KvEditConstraint::Host {
public:
    using Handler = std::function<void(QLineEdit*)>;
    using MessageNotifier = std::function<void(QWidget* owner, const QString& text)>;
    using Beeper = std::function<void()>;

    // `owner` is the window of the fields: parent of the message boxes and the
    // window in which the focus moves on.
    KvLineEditConstraint(QWidget* owner, bool rememberValid);
    ~KvLineEditConstraint() override;

    // Raises KvError -2 for a malformed constraint text (nothing is hooked).
    // `previousChange` and `previousExit` are the field's own handlers, run
    // after a passed keystroke check and a passed exit check.
    void Register(const QString& text, QLineEdit* edit, Handler previousChange = {}, Handler previousExit = {});
    // Piece k of `text` (cut before every '%' but the first) for edits[k].
    void RegisterMany(const QString& text, const QList<QLineEdit*>& edits);
    // A registered field's current text becomes its last valid text; any
    // other control is ignored.
    void RememberText(QWidget* control);

    bool IsRegistered(const QLineEdit* edit) const;
    // The message leaving the field with its current text would show, or
    // nothing when the text passes (or the field is not registered). Shows
    // nothing and changes nothing: a write runs it over every field it
    // collects, whether the field was ever left or not. `line` receives the
    // message's line of the common set.
    std::optional<std::string> Violation(const QLineEdit* edit, int* line = nullptr) const;
    QString LastValid(const QLineEdit* edit) const;
    // The field's length limit for typing (0 = none). It is kept by a
    // validator, not by QLineEdit::maxLength, so texts the program sets (such
    // as "(NOTDONE)" in a one-character field) are never cut.
    int MaxLength(const QLineEdit* edit) const;

    void SetMessageNotifier(MessageNotifier notifier) { notifier_ = std::move(notifier); }
    void SetBeeper(Beeper beeper) { beeper_ = std::move(beeper); }

    QWidget* Owner() const { return owner_; }
    KvEditConstraint& Core() { return core_; }

private:
    KvLineEditField* FieldOf(const QLineEdit* edit) const;
    KvLineEditField* FieldFor(QLineEdit* edit);
    void Forget(KvLineEditField* field);

    // Called by the fields.
    void TextChanged(KvLineEditField& field);
    void Left(KvLineEditField& field);

    // KvEditConstraint::Host
    void Beep() override;
    void PostNextField(KvEditConstraint::Field& from) override;
    void ShowMessage(const std::string& text, KvEditConstraint::Field& about) override;

    QPointer<QWidget> owner_;
    KvEditConstraint core_;
    std::vector<std::unique_ptr<KvLineEditField>> fields_;
    MessageNotifier notifier_;
    Beeper beeper_;
    // True while a rejected exit is reported and undone: focus moves it causes
    // are not exits of the other fields.
    bool reporting_ = false;
};

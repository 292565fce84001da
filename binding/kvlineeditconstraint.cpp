#include "binding/kvlineeditconstraint.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include "binding/kvlineeditfield.h"
#include "platform/kvbeep.h"
#include "platform/kvmessagebox.h"

namespace {

// Moves the focus from `from` to the next widget of its window that takes
// focus by Tab, as the Tab key would.
void FocusNextField(QWidget* from)
{
    QWidget* window = from->window();
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (w == window || !window->isAncestorOf(w))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus)
            continue;
        if (!w->isEnabled() || !w->isVisibleTo(window))
            continue;
        w->setFocus(Qt::TabFocusReason);
        return;
    }
}

} // namespace

KvLineEditConstraint::KvLineEditConstraint(QWidget* owner, bool rememberValid)
    : owner_(owner), core_(*this, rememberValid)
{
}

KvLineEditConstraint::~KvLineEditConstraint()
{
    // Fields go first: they unhook themselves from their edits.
    fields_.clear();
}

KvLineEditField* KvLineEditConstraint::FieldOf(const QLineEdit* edit) const
{
    for (const auto& field : fields_)
        if (field->Edit() == edit)
            return field.get();
    return nullptr;
}

KvLineEditField* KvLineEditConstraint::FieldFor(QLineEdit* edit)
{
    if (KvLineEditField* field = FieldOf(edit))
        return field;
    fields_.push_back(std::make_unique<KvLineEditField>(
        KvLineEditField::Events{[this](KvLineEditField& field) { TextChanged(field); },
                                [this](KvLineEditField& field) { Left(field); }},
        edit));
    KvLineEditField* field = fields_.back().get();
    connect(edit, &QObject::destroyed, this, [this, field] { Forget(field); });
    return field;
}

void KvLineEditConstraint::Forget(KvLineEditField* field)
{
    field->Detach();
    core_.Unregister(*field);
    fields_.erase(std::remove_if(fields_.begin(), fields_.end(),
                                 [field](const std::unique_ptr<KvLineEditField>& f) { return f.get() == field; }),
                  fields_.end());
}

void KvLineEditConstraint::Register(const QString& text, QLineEdit* edit, Handler previousChange, Handler previousExit)
{
    if (!edit)
        return;
    // Parse first: a malformed text hooks nothing.
    KvEditConstraint::Parse(text.toStdString());
    KvLineEditField* field = FieldFor(edit);
    KvEditConstraint::Handler change, exit;
    if (previousChange)
        change = [previousChange, edit](KvEditConstraint::Field&) { previousChange(edit); };
    if (previousExit)
        exit = [previousExit, edit](KvEditConstraint::Field&) { previousExit(edit); };
    core_.Register(text.toStdString(), *field, std::move(change), std::move(exit));
}

void KvLineEditConstraint::RegisterMany(const QString& text, const QList<QLineEdit*>& edits)
{
    const std::vector<std::string> pieces = KvEditConstraint::SplitMany(text.toStdString());
    for (size_t k = 0; k < pieces.size() && k < static_cast<size_t>(edits.size()); ++k)
        Register(QString::fromStdString(pieces[k]), edits[static_cast<qsizetype>(k)]);
}

void KvLineEditConstraint::RememberText(QWidget* control)
{
    if (KvLineEditField* field = FieldOf(qobject_cast<QLineEdit*>(control)))
        core_.RememberText(*field);
}

bool KvLineEditConstraint::IsRegistered(const QLineEdit* edit) const
{
    const KvLineEditField* field = FieldOf(edit);
    return field && core_.IsRegistered(*field);
}

std::optional<std::string> KvLineEditConstraint::Violation(const QLineEdit* edit, int* line) const
{
    const KvLineEditField* field = FieldOf(edit);
    const EditConstraint_s* constraint = field ? core_.ConstraintOf(*field) : nullptr;
    if (!constraint)
        return std::nullopt;
    const std::string text = field->Text();
    if (KvEditConstraint::IsPlaceholder(text))
        return std::nullopt;
    return KvEditConstraint::ExitViolation(*constraint, text, line);
}

int KvLineEditConstraint::MaxLength(const QLineEdit* edit) const
{
    const KvLineEditField* field = FieldOf(edit);
    return field ? field->MaxLength() : 0;
}

QString KvLineEditConstraint::LastValid(const QLineEdit* edit) const
{
    const KvLineEditField* field = FieldOf(edit);
    return field ? QString::fromStdString(core_.LastValid(*field)) : QString();
}

void KvLineEditConstraint::TextChanged(KvLineEditField& field)
{
    const bool byProgram = !field.SettingText() && field.Edit() && !field.Edit()->isModified();
    QPointer<KvLineEditField> alive(&field);
    core_.OnChangeCheck(field);
    if (alive && byProgram && core_.RememberValid())
        core_.RememberIfValid(field);
}

void KvLineEditConstraint::Left(KvLineEditField& field)
{
    if (reporting_)
        return;
    reporting_ = true;
    QPointer<KvLineEditConstraint> self(this);
    core_.OnExitCheck(field);
    if (self)
        reporting_ = false;
}

void KvLineEditConstraint::Beep()
{
    if (beeper_)
        beeper_();
    else
        KvBeep();
}

void KvLineEditConstraint::PostNextField(KvEditConstraint::Field& from)
{
    QPointer<QLineEdit> edit = static_cast<KvLineEditField&>(from).Edit();
    QPointer<QWidget> owner = owner_;
    QObject* context = owner ? static_cast<QObject*>(owner.data()) : static_cast<QObject*>(this);
    QTimer::singleShot(0, context, [edit, owner] {
        // Move on from wherever the focus is in the owner's window by now.
        QWidget* window = owner ? owner->window() : (edit ? edit->window() : nullptr);
        if (!window)
            return;
        QWidget* start = window->focusWidget();
        if (!start)
            start = edit;
        if (start)
            FocusNextField(start);
    });
}

void KvLineEditConstraint::ShowMessage(const std::string& text, KvEditConstraint::Field& about)
{
    const QString message = QString::fromStdString(text);
    QWidget* parent = owner_ ? owner_.data() : static_cast<KvLineEditField&>(about).Edit();
    if (notifier_)
        notifier_(parent, message);
    else
        KvMessageBox::message(parent, message);
}

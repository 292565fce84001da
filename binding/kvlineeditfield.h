#pragma once
#include <QObject>
#include <QPointer>

#include <functional>

#include "common/kveditconstraint.h"

class QLineEdit;

// One QLineEdit as the edit constraints see it: forwards its text changes to
// the change check, its focus changes to the exit check, and carries out what
// the checks ask of the field. Created and owned by KvLineEditConstraint,
// which hears of the field's changes and exits through `Events`.
//
// The field's tag is the QLineEdit's dynamic property "tag" (0 when unset); a
// previous handler sets it to -1 to veto.
class KvLineEditField : public QObject, public KvEditConstraint::Field {
public:
    struct Events {
        std::function<void(KvLineEditField&)> textChanged; // the text changed, by typing or not
        std::function<void(KvLineEditField&)> left;        // the focus left the field
    };
    KvLineEditField(Events events, QLineEdit* edit);
    ~KvLineEditField() override;

    QLineEdit* Edit() const { return edit_; }
    // The edit is being destroyed: let go of it without touching it.
    void Detach() { edit_ = nullptr; }
    // True while the constraints themselves set the field's text.
    bool SettingText() const { return settingText_; }

    // The length limit of the operator's typing (0 = none). Programmatic
    // texts are never cut to it.
    int MaxLength() const;

    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetMaxLength(int length) override;
    void SetWidth(int pixels) override;
    void SetFocus() override;
    int Tag() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Events events_;
    class LengthLimit;

    QPointer<QLineEdit> edit_;
    QPointer<LengthLimit> limit_;
    bool settingText_ = false;
};

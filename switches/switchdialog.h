#pragma once
#include <QDialog>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "shell/kvhandedsecrets.h"
#include "switches/switchprobe.h"
#include "switches/switchprotocols.h"
#include "switches/switchrecord.h"
#include "switches/switchvalidation.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Adds, edits or duplicates a switch, or (SecretsOnly) asks for the secrets
// of one whose secrets no keyring keeps. OK checks every field first: a field
// in error is marked and says why beneath it, and the dialog stays open;
// nothing is accepted until every field is valid, a host name included,
// which is looked up without blocking the window. Test reads sysName and
// sysUpTime once with the settings as typed.
class SwitchDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add, Edit, SecretsOnly };
    // `otherNames`: the names the switch may not take.
    SwitchDialog(Mode mode, const SwitchRecord& record, const KvHandedSecrets& secrets,
                 std::vector<std::string> otherNames, QWidget* parent = nullptr);

    SwitchRecord Record() const;
    // The names the switch may not take, as the list is now.
    void SetOtherNames(std::vector<std::string> names) { otherNames_ = std::move(names); }
    KvHandedSecrets Secrets() const;

    // Checks the fields as OK does, without the name lookup; the errors are
    // shown. True when they are valid (tests).
    bool CheckFields();
    // The message shown beneath a field; empty when it is valid.
    QString FieldMessage(SwitchField field) const;

public slots:
    void accept() override;

private:
    struct FieldRow {
        QWidget* editor;
        QLabel* message;
    };
    QLineEdit* AddLine(class QFormLayout* form, const QString& caption, SwitchField field, bool secret);
    QComboBox* AddChoices(class QFormLayout* form, const QString& caption, std::span<const SwitchChoice> choices,
                          int32_t current);
    void ShowErrors(const std::vector<SwitchFieldError>& errors);
    void UpdateVersionFields();
    void OnLookedUp(const class QHostInfo& info);
    void OnTest();
    void OnTested(const SwitchProbeResult& result);
    bool ReadPort(uint16_t& port, std::string& problem) const;

    Mode mode_;
    std::vector<std::string> otherNames_;
    std::map<SwitchField, FieldRow> rows_;
    QLineEdit* name_;
    QLineEdit* address_;
    QLineEdit* port_;
    QComboBox* version_;
    QLineEdit* read_;
    QLineEdit* write_;
    QGroupBox* v3Group_;
    QLineEdit* user_;
    QComboBox* level_;
    QComboBox* auth_;
    QLineEdit* authPassword_;
    QComboBox* priv_;
    QLineEdit* privPassword_;
    QLineEdit* contextName_;
    QLineEdit* contextEngineId_;
    QGroupBox* communityGroup_;
    QCheckBox* showSecrets_;
    QPushButton* okButton_;
    QPushButton* testButton_;
    QLabel* testResult_;
    SwitchProbe* probe_;
    int lookupId_ = -1;
};

#include "switches/switchdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kErrorStyle = "QLineEdit { border: 2px solid #c62828; }";

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

SwitchDialog::SwitchDialog(Mode mode, const SwitchRecord& record, const KvHandedSecrets& secrets,
                           std::vector<std::string> otherNames, QWidget* parent)
    : QDialog(parent), mode_(mode), otherNames_(std::move(otherNames)), probe_(new SwitchProbe(this))
{
    setWindowTitle(mode == Mode::Add    ? tr("Add Switch")
                   : mode == Mode::Edit ? tr("Edit Switch")
                                        : tr("Secrets of %1").arg(q(record.name)));
    auto* layout = new QVBoxLayout(this);

    auto* general = new QFormLayout;
    layout->addLayout(general);
    name_ = AddLine(general, tr("&Name:"), SwitchField::Name, false);
    address_ = AddLine(general, tr("&Address:"), SwitchField::Address, false);
    address_->setPlaceholderText(tr("IPv4 address or host name"));
    port_ = AddLine(general, tr("Agent &port:"), SwitchField::Port, false);
    version_ = AddChoices(general, tr("SNMP &version:"), SwitchProtocols::Versions(), record.version);

    communityGroup_ = new QGroupBox(tr("Communities (SNMPv1 and v2c)"), this);
    auto* communities = new QFormLayout(communityGroup_);
    read_ = AddLine(communities, tr("&Read community:"), SwitchField::ReadCommunity, true);
    write_ = AddLine(communities, tr("&Write community:"), SwitchField::WriteCommunity, true);
    layout->addWidget(communityGroup_);

    v3Group_ = new QGroupBox(tr("SNMPv3"), this);
    auto* v3 = new QFormLayout(v3Group_);
    user_ = AddLine(v3, tr("&User:"), SwitchField::User, false);
    level_ = AddChoices(v3, tr("Security &level:"), SwitchProtocols::SecurityLevels(), record.securityLevel);
    auth_ = AddChoices(v3, tr("Au&thentication:"), SwitchProtocols::AuthProtocols(), record.authProtocol);
    authPassword_ = AddLine(v3, tr("Authentication pa&ssword:"), SwitchField::AuthPassword, true);
    priv_ = AddChoices(v3, tr("Pri&vacy:"), SwitchProtocols::PrivProtocols(), record.privProtocol);
    privPassword_ = AddLine(v3, tr("Privacy passw&ord:"), SwitchField::PrivPassword, true);
    contextName_ = new QLineEdit(v3Group_);
    contextName_->setAccessibleName(tr("Context name"));
    v3->addRow(tr("&Context name:"), contextName_);
    contextEngineId_ = AddLine(v3, tr("Context &engine ID:"), SwitchField::ContextEngineId, false);
    contextEngineId_->setPlaceholderText(tr("hexadecimal, such as 800007e580"));
    contextEngineId_->setToolTip(tr("5 to 32 bytes in hexadecimal; empty for the agent's own engine ID"));
    layout->addWidget(v3Group_);

    showSecrets_ = new QCheckBox(tr("Show communities and passwords"), this);
    layout->addWidget(showSecrets_);
    connect(showSecrets_, &QCheckBox::toggled, this, [this](bool shown) {
        for (QLineEdit* e : {read_, write_, authPassword_, privPassword_})
            e->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });

    testResult_ = new QLabel(this);
    testResult_->setWordWrap(true);
    testResult_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    testResult_->setAccessibleName(tr("Test result"));
    layout->addWidget(testResult_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    testButton_ = buttons->addButton(tr("&Test"), QDialogButtonBox::ActionRole);
    testButton_->setToolTip(tr("Read sysName and sysUpTime once with the settings as typed"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &SwitchDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SwitchDialog::reject);
    connect(testButton_, &QPushButton::clicked, this, &SwitchDialog::OnTest);
    connect(probe_, &SwitchProbe::finished, this, &SwitchDialog::OnTested);
    connect(version_, &QComboBox::currentIndexChanged, this, &SwitchDialog::UpdateVersionFields);
    connect(level_, &QComboBox::currentIndexChanged, this, &SwitchDialog::UpdateVersionFields);

    name_->setText(q(record.name));
    address_->setText(q(record.address));
    port_->setText(QString::number(record.port));
    user_->setText(q(record.user));
    contextName_->setText(q(record.contextName));
    contextEngineId_->setText(q(record.contextEngineId));
    read_->setText(q(secrets.read.value_or("")));
    write_->setText(q(secrets.write.value_or("")));
    authPassword_->setText(q(secrets.auth.value_or("")));
    privPassword_->setText(q(secrets.priv.value_or("")));

    if (mode == Mode::SecretsOnly)
        for (QWidget* w : std::initializer_list<QWidget*>{name_, address_, port_, version_, user_, level_, auth_, priv_,
                                                          contextName_, contextEngineId_})
            w->setEnabled(false);
    UpdateVersionFields();
    setMinimumWidth(440);
}

QLineEdit* SwitchDialog::AddLine(QFormLayout* form, const QString& caption, SwitchField field, bool secret)
{
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* editor = new QLineEdit(box);
    QString plain = caption;
    editor->setAccessibleName(plain.remove('&').remove(':'));
    if (secret)
        editor->setEchoMode(QLineEdit::Password);
    auto* message = new QLabel(box);
    message->setStyleSheet("color: #c62828;");
    message->setWordWrap(true);
    message->hide();
    column->addWidget(editor);
    column->addWidget(message);
    form->addRow(caption, box);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(box)))
        label->setBuddy(editor);
    rows_[field] = {editor, message};
    return editor;
}

QComboBox* SwitchDialog::AddChoices(QFormLayout* form, const QString& caption, std::span<const SwitchChoice> choices,
                                    int32_t current)
{
    auto* combo = new QComboBox(this);
    QString plain = caption;
    combo->setAccessibleName(plain.remove('&').remove(':'));
    for (const SwitchChoice& choice : choices) {
        combo->addItem(choice.name, choice.number);
        if (choice.number == current)
            combo->setCurrentIndex(combo->count() - 1);
    }
    form->addRow(caption, combo);
    return combo;
}

void SwitchDialog::UpdateVersionFields()
{
    const SwitchRecord r = Record();
    communityGroup_->setVisible(!r.IsVersion3());
    v3Group_->setVisible(r.IsVersion3());
    auth_->setEnabled(mode_ != Mode::SecretsOnly && r.NeedsAuthPassword());
    authPassword_->setEnabled(r.NeedsAuthPassword());
    priv_->setEnabled(mode_ != Mode::SecretsOnly && r.NeedsPrivPassword());
    privPassword_->setEnabled(r.NeedsPrivPassword());
    adjustSize();
}

bool SwitchDialog::ReadPort(uint16_t& port, std::string& problem) const
{
    return SwitchValidation::ParsePort(port_->text().trimmed().toStdString(), port, problem);
}

SwitchRecord SwitchDialog::Record() const
{
    SwitchRecord r;
    r.name = name_->text().trimmed().toStdString();
    r.address = address_->text().trimmed().toStdString();
    std::string problem;
    if (!ReadPort(r.port, problem))
        r.port = 0;
    r.version = static_cast<int8_t>(version_->currentData().toInt());
    if (r.IsVersion3()) {
        r.user = user_->text().toStdString();
        r.securityLevel = level_->currentData().toInt();
        r.authProtocol = auth_->currentData().toInt();
        r.privProtocol = priv_->currentData().toInt();
        r.contextName = contextName_->text().toStdString();
        r.contextEngineId = contextEngineId_->text().trimmed().toStdString();
    }
    return r;
}

KvHandedSecrets SwitchDialog::Secrets() const
{
    KvHandedSecrets s;
    const SwitchRecord r = Record();
    if (!r.IsVersion3()) {
        s.read = read_->text().toStdString();
        s.write = write_->text().toStdString();
    }
    if (r.NeedsAuthPassword())
        s.auth = authPassword_->text().toStdString();
    if (r.NeedsPrivPassword())
        s.priv = privPassword_->text().toStdString();
    return s;
}

void SwitchDialog::ShowErrors(const std::vector<SwitchFieldError>& errors)
{
    for (auto& [field, row] : rows_) {
        QString text;
        for (const SwitchFieldError& e : errors)
            if (e.field == field)
                text = q(e.message);
        row.message->setText(text);
        row.message->setVisible(!text.isEmpty());
        row.editor->setStyleSheet(text.isEmpty() ? QString() : kErrorStyle);
        row.editor->setAccessibleDescription(text);
    }
    // Room for the messages just shown.
    layout()->activate();
    resize(width(), std::max(height(), sizeHint().height()));
    for (const SwitchFieldError& e : errors)
        if (rows_.at(e.field).editor->isVisibleTo(this) || rows_.at(e.field).editor->isVisible()) {
            rows_.at(e.field).editor->setFocus();
            break;
        }
}

QString SwitchDialog::FieldMessage(SwitchField field) const
{
    return rows_.at(field).message->text();
}

bool SwitchDialog::CheckFields()
{
    std::vector<SwitchFieldError> errors = SwitchValidation::Check(Record(), Secrets(), otherNames_);
    std::string problem;
    uint16_t port = 0;
    if (!ReadPort(port, problem)) {
        std::erase_if(errors, [](const SwitchFieldError& e) { return e.field == SwitchField::Port; });
        errors.push_back({SwitchField::Port, problem});
    }
    ShowErrors(errors);
    return errors.empty();
}

void SwitchDialog::accept()
{
    if (lookupId_ >= 0 || !CheckFields())
        return;
    const std::string address = Record().address;
    if (SwitchValidation::IsIpv4Address(address)) {
        QDialog::accept();
        return;
    }
    okButton_->setEnabled(false);
    testResult_->setText(tr("Looking up %1...").arg(q(address)));
    lookupId_ = QHostInfo::lookupHost(q(address), this, &SwitchDialog::OnLookedUp);
}

void SwitchDialog::OnLookedUp(const QHostInfo& info)
{
    lookupId_ = -1;
    okButton_->setEnabled(true);
    testResult_->clear();
    if (SwitchValidation::FoundIpv4(info)) {
        QDialog::accept();
        return;
    }
    ShowErrors({{SwitchField::Address, SwitchValidation::UnresolvedMessage(Record().address)}});
}

void SwitchDialog::OnTest()
{
    const SwitchRecord r = Record();
    std::vector<SwitchFieldError> errors = SwitchValidation::Check(r, Secrets(), {});
    std::erase_if(errors, [](const SwitchFieldError& e) { return e.field == SwitchField::Name; });
    ShowErrors(errors);
    if (!errors.empty()) {
        testResult_->setText(tr("Correct the marked fields first."));
        return;
    }
    testButton_->setEnabled(false);
    testResult_->setText(tr("Reading sysName and sysUpTime from %1:%2...").arg(q(r.address)).arg(r.port));
    probe_->Start(r, Secrets());
}

void SwitchDialog::OnTested(const SwitchProbeResult& result)
{
    testButton_->setEnabled(true);
    if (result.answered)
        testResult_->setText(tr("Answered in %1 ms: sysName \"%2\", sysUpTime %3.")
                                 .arg(result.roundTripMs)
                                 .arg(q(result.sysName), q(result.upTime)));
    else
        testResult_->setText(tr("No answer: %1").arg(q(result.error)));
}

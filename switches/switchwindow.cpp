#include "switches/switchwindow.h"

#include "switches/switchlist.h"
#include "switches/switchopener.h"
#include "switches/switchpaths.h"
#include "switches/switchprotocols.h"
#include "switches/switchsecretstore.h"
#include "switches/switchsimulator.h"

#include <QAction>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

// clang-format off
const char* const kColumnCaptions[SwitchWindow::ColumnCount] = {
    "Name", "Address", "Version", "State", "sysName", "sysDescr", "Uptime", "Last answer",
};
// clang-format on

} // namespace

SwitchWindow::SwitchWindow(SwitchList& list, const std::vector<std::string>& notes, QWidget* parent)
    : QMainWindow(parent), list_(list), probe_(new SwitchProbe(this)), simulator_(new SwitchSimulator(this))
{
    setWindowTitle(tr("Switches - Osprey Manager"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    banner_ = new QLabel(central);
    banner_->setWordWrap(true);
    banner_->setStyleSheet("QLabel { background: #fff4ce; border: 1px solid #e0c060; padding: 6px; }");
    banner_->setAccessibleName(tr("Notice"));
    banner_->hide();
    layout->addWidget(banner_);

    emptyOffer_ = new QWidget(central);
    auto* offer = new QHBoxLayout(emptyOffer_);
    offer->setContentsMargins(0, 0, 0, 0);
    auto* offerText = new QLabel(tr("The list is empty. Add a switch, or try the program with the bundled "
                                    "switch simulator."),
                                 emptyOffer_);
    offerText->setWordWrap(true);
    emptyTry_ = new QPushButton(tr("Try the &simulator"), emptyOffer_);
    offer->addWidget(offerText, 1);
    offer->addWidget(emptyTry_);
    layout->addWidget(emptyOffer_);

    tree_ = new QTreeWidget(central);
    tree_->setAccessibleName(tr("Switches"));
    tree_->setColumnCount(ColumnCount);
    QStringList captions;
    for (const char* caption : kColumnCaptions)
        captions << tr(caption);
    tree_->setHeaderLabels(captions);
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSortingEnabled(true);
    tree_->sortByColumn(Name, Qt::AscendingOrder);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(SysDescr, QHeaderView::Stretch);
    layout->addWidget(tree_, 1);
    setCentralWidget(central);

    QToolBar* bar = addToolBar(tr("Commands"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    openAction_ = bar->addAction(tr("&Open"), this, &SwitchWindow::OpenSwitch);
    openAction_->setToolTip(tr("Open the program for the switch (Enter)"));
    bar->addSeparator();
    QAction* add = bar->addAction(tr("&Add..."), this, &SwitchWindow::AddSwitch);
    add->setShortcut(QKeySequence::New);
    editAction_ = bar->addAction(tr("&Edit..."), this, &SwitchWindow::EditSwitch);
    editAction_->setShortcut(Qt::Key_F2);
    duplicateAction_ = bar->addAction(tr("&Duplicate..."), this, &SwitchWindow::DuplicateSwitch);
    removeAction_ = bar->addAction(tr("&Remove"), this, [this] { RemoveSwitch(true); });
    removeAction_->setToolTip(tr("Remove the switch from the list (Delete)"));
    bar->addSeparator();
    trySimulatorAction_ = bar->addAction(tr("&Try the simulator"), this, &SwitchWindow::TrySimulator);
    trySimulatorAction_->setToolTip(
        tr("Start the bundled switch simulator and add it to the list as \"%1\"").arg(kSimulatorName));
    connect(emptyTry_, &QPushButton::clicked, this, &SwitchWindow::TrySimulator);

    auto* remove = new QShortcut(QKeySequence::Delete, tree_);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] { RemoveSwitch(true); });
    connect(tree_, &QTreeWidget::itemActivated, this, [this] { OpenSwitch(); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, &SwitchWindow::UpdateActions);

    connect(probe_, &SwitchProbe::finished, this, &SwitchWindow::OnProbed);
    connect(simulator_, &SwitchSimulator::ready, this, &SwitchWindow::OnSimulatorReady);
    connect(simulator_, &SwitchSimulator::failed, this, [this](const QString& message) {
        trySimulatorAction_->setEnabled(true);
        emptyTry_->setEnabled(true);
        QMessageBox::warning(this, windowTitle(), message);
    });
    pollTimer_.setInterval(kPollTickMs);
    connect(&pollTimer_, &QTimer::timeout, this, &SwitchWindow::OnPollTick);
    openTimer_.setInterval(1000);
    connect(&openTimer_, &QTimer::timeout, this, &SwitchWindow::CheckOpened);
    // The folder, not the file: the file is replaced whole at every change.
    const QString folder = QString::fromStdString(std::filesystem::path(list_.FilePath()).parent_path().string());
    SwitchPaths::MakeDirectory(folder.toStdString());
    watcher_.addPath(folder);
    reloadTimer_.setSingleShot(true);
    reloadTimer_.setInterval(200);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &reloadTimer_, qOverload<>(&QTimer::start));
    connect(&reloadTimer_, &QTimer::timeout, this, &SwitchWindow::OnListFileChanged);

    QStringList noted;
    for (const std::string& note : notes)
        noted << q(note);
    if (!noted.isEmpty()) {
        banner_->setText(noted.join("\n"));
        banner_->show();
    }
    NoteKeyring();
    Refill();
    resize(980, 420);
    statusBar()->showMessage(tr("List: %1").arg(q(list_.FilePath())));
    pollTimer_.start();
    QTimer::singleShot(0, this, &SwitchWindow::OnPollTick);
}

SwitchWindow::~SwitchWindow() = default;

void SwitchWindow::Note(const QString& note)
{
    if (banner_->isVisible() && banner_->text().split('\n').contains(note))
        return;
    banner_->setText(banner_->isVisible() ? banner_->text() + "\n" + note : note);
    banner_->show();
}

void SwitchWindow::NoteKeyring()
{
    if (keyringNoted_ || list_.Secrets().KeyringAnswers())
        return;
    keyringNoted_ = true;
    Note(tr("No desktop keyring answers (%1): communities and passwords are kept for this session "
            "only and asked for when a switch is opened.")
             .arg(q(list_.Secrets().KeyringProblem())));
}

void SwitchWindow::OnListFileChanged()
{
    if (busy_) {
        reloadTimer_.start();
        return;
    }
    std::vector<std::string> notes;
    const bool changed = list_.Reload(notes);
    for (const std::string& note : notes)
        Note(q(note));
    if (changed) {
        Refill();
        statusBar()->showMessage(tr("The list was changed by another program; shown as it is now."), 5000);
    }
}

void SwitchWindow::FillRow(QTreeWidgetItem* item, const SwitchRecord& r)
{
    const Status& s = status_[r.name];
    item->setText(Name, q(r.name));
    item->setToolTip(Name, q(r.name));
    item->setText(Address, r.port == 161 ? q(r.address) : QString("%1:%2").arg(q(r.address)).arg(r.port));
    item->setText(Version, QString("v") + SwitchProtocols::NameOf(SwitchProtocols::Versions(), r.version));
    item->setText(State, s.pid ? tr("open") : QString());
    item->setText(SysName, q(s.last.sysName));
    item->setText(SysDescr, q(s.last.sysDescr));
    item->setText(UpTime, q(s.last.upTime));
    item->setText(LastAnswer, !s.polled         ? QString()
                              : s.last.answered ? s.when
                                                : tr("%1: %2").arg(s.when, q(s.last.error)));
    item->setToolTip(SysDescr, q(s.last.sysDescr));
    item->setToolTip(LastAnswer, item->text(LastAnswer));
    item->setForeground(LastAnswer, s.polled && !s.last.answered ? QColor(0xc6, 0x28, 0x28) : QColor());
}

void SwitchWindow::Refill()
{
    const std::string current = CurrentName();
    tree_->setSortingEnabled(false);
    tree_->clear();
    for (const SwitchRecord& r : list_.Records()) {
        auto* item = new QTreeWidgetItem(tree_);
        FillRow(item, r);
    }
    tree_->setSortingEnabled(true);
    for (int c = 0; c < ColumnCount; ++c)
        if (c != SysDescr)
            tree_->resizeColumnToContents(c);
    tree_->setColumnWidth(Name, std::clamp(tree_->columnWidth(Name), 120, kMaxNameColumnWidth));
    tree_->setColumnWidth(LastAnswer, std::max(tree_->columnWidth(LastAnswer), 140));
    emptyOffer_->setVisible(list_.Records().empty());
    if (!current.empty())
        Select(current);
    if (!tree_->currentItem() && tree_->topLevelItemCount() > 0)
        tree_->setCurrentItem(tree_->topLevelItem(0));
    UpdateActions();
}

void SwitchWindow::UpdateActions()
{
    const bool any = tree_->currentItem() != nullptr;
    for (QAction* a : {openAction_, editAction_, duplicateAction_, removeAction_})
        a->setEnabled(any);
}

std::string SwitchWindow::CurrentName() const
{
    const QTreeWidgetItem* item = tree_->currentItem();
    return item ? item->text(Name).toStdString() : std::string();
}

void SwitchWindow::Select(const std::string& name)
{
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
        if (tree_->topLevelItem(i)->text(Name).toStdString() == name) {
            tree_->setCurrentItem(tree_->topLevelItem(i));
            return;
        }
}

void SwitchWindow::EditDialog(SwitchDialog::Mode mode, const std::string& originalName, const SwitchRecord& start,
                              const std::string& secretsOf)
{
    KvHandedSecrets secrets;
    busy_ = true;
    if (!secretsOf.empty() && !list_.Secrets().Load(secretsOf, secrets) && !list_.Secrets().LastProblem().empty())
        Note(tr("The communities and passwords of \"%1\" could not be read: %2.")
                 .arg(q(secretsOf), q(list_.Secrets().LastProblem())));
    busy_ = false;
    SwitchDialog dialog(mode, start, secrets, list_.NamesExcept(originalName), this);
    SwitchRecord record;
    bool kept = false;
    while (true) {
        if (dialog.exec() != QDialog::Accepted)
            return;
        record = dialog.Record();
        std::string error;
        busy_ = true;
        const bool saved = list_.Put(originalName, record, dialog.Secrets(), false, kept, error);
        busy_ = false;
        if (saved)
            break;
        // What was typed stays in the dialog, for another try or Cancel.
        Refill();
        dialog.SetOtherNames(list_.NamesExcept(originalName));
        const QString again = list_.Secrets().KeyringTimedOut()
                                  ? tr("press OK to keep the switch with its communities and passwords for this "
                                       "session only, or Cancel")
                                  : tr("press OK to try again, or Cancel");
        QMessageBox::critical(
            this, windowTitle(),
            tr("The switch was not saved: %1.\n\nWhat you typed is kept in the dialog: %2.").arg(q(error), again));
    }
    if (!kept && !dialog.Secrets().empty() && list_.Secrets().KeyringAnswers())
        Note(tr("The communities and passwords of \"%1\" are kept for this session only: %2.")
                 .arg(q(record.name), q(list_.Secrets().LastProblem())));
    if (!originalName.empty() && originalName != record.name) {
        status_[record.name] = status_[originalName];
        status_.erase(originalName);
    }
    status_[record.name].polled = false;
    status_[record.name].polledAt = 0;
    NoteKeyring();
    Refill();
    Select(record.name);
    statusBar()->showMessage(tr("Saved \"%1\".").arg(q(record.name)), 5000);
}

void SwitchWindow::AddSwitch()
{
    if (busy_) // a change is waiting for the keyring or the list's lock
        return;
    EditDialog(SwitchDialog::Mode::Add, "", SwitchRecord(), "");
}

void SwitchWindow::EditSwitch()
{
    if (busy_) // a change is waiting for the keyring or the list's lock
        return;
    if (const SwitchRecord* found = list_.Find(CurrentName())) {
        const SwitchRecord r = *found; // the list may be read again while the dialog is open
        EditDialog(SwitchDialog::Mode::Edit, r.name, r, r.name);
    }
}

void SwitchWindow::DuplicateSwitch()
{
    if (busy_) // a change is waiting for the keyring or the list's lock
        return;
    const SwitchRecord* r = list_.Find(CurrentName());
    if (!r)
        return;
    SwitchRecord copy = *r;
    const std::string from = r->name;
    copy.name = from + " (copy)";
    EditDialog(SwitchDialog::Mode::Add, "", copy, from);
}

void SwitchWindow::RemoveSwitch(bool ask)
{
    if (busy_) // a change is waiting for the keyring or the list's lock
        return;
    const std::string name = CurrentName();
    if (name.empty())
        return;
    if (ask &&
        QMessageBox::question(this, windowTitle(),
                              tr("Remove \"%1\" from the list, with its communities and passwords?").arg(q(name)),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    std::string error;
    busy_ = true;
    const bool removed = list_.Remove(name, error);
    busy_ = false;
    if (!removed) {
        Refill();
        QMessageBox::critical(this, windowTitle(), tr("The switch was not removed: %1").arg(q(error)));
        return;
    }
    if (!list_.Secrets().LastProblem().empty())
        Note(tr("The communities and passwords of \"%1\" were left in the keyring: %2.")
                 .arg(q(name), q(list_.Secrets().LastProblem())));
    status_.erase(name);
    Refill();
}

bool SwitchWindow::SecretsFor(const SwitchRecord& record, KvHandedSecrets& secrets)
{
    busy_ = true;
    const bool known = list_.Secrets().Load(record.name, secrets);
    busy_ = false;
    if (known)
        return true;
    NoteKeyring();
    if (!list_.Secrets().LastProblem().empty())
        Note(tr("The communities and passwords of \"%1\" could not be read: %2.")
                 .arg(q(record.name), q(list_.Secrets().LastProblem())));
    SwitchDialog dialog(SwitchDialog::Mode::SecretsOnly, record, KvHandedSecrets(), {}, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    secrets = dialog.Secrets();
    bool kept = false;
    busy_ = true;
    list_.Secrets().Save(record.name, secrets, kept);
    busy_ = false;
    return true;
}

void SwitchWindow::OpenSwitch()
{
    if (busy_) // a change is waiting for the keyring or the list's lock
        return;
    const SwitchRecord* found = list_.Find(CurrentName());
    if (!found)
        return;
    const SwitchRecord record = *found;
    KvHandedSecrets secrets;
    if (!SecretsFor(record, secrets))
        return;
    long long pid = 0;
    std::string error;
    if (!SwitchOpener::Open(record, secrets, pid, error)) {
        QMessageBox::critical(this, windowTitle(), tr("\"%1\" could not be opened: %2").arg(q(record.name), q(error)));
        return;
    }
    status_[record.name].pid = pid;
    openTimer_.start();
    Refill();
    statusBar()->showMessage(tr("Opened \"%1\".").arg(q(record.name)), 5000);
}

void SwitchWindow::CheckOpened()
{
    bool changed = false;
    bool anyOpen = false;
    for (auto& [name, s] : status_) {
        if (s.pid && !SwitchOpener::IsRunning(s.pid)) {
            s.pid = 0;
            changed = true;
        }
        anyOpen = anyOpen || s.pid;
    }
    if (!anyOpen)
        openTimer_.stop();
    if (changed)
        Refill();
}

void SwitchWindow::TrySimulator()
{
    if (busy_) // a change is waiting for the keyring or the list's lock
        return;
    trySimulatorAction_->setEnabled(false);
    emptyTry_->setEnabled(false);
    statusBar()->showMessage(tr("Starting the switch simulator..."));
    simulator_->Start();
}

void SwitchWindow::OnSimulatorReady(quint16 port)
{
    trySimulatorAction_->setEnabled(true);
    emptyTry_->setEnabled(true);
    SwitchRecord record;
    record.name = kSimulatorName;
    record.address = "127.0.0.1";
    record.port = port;
    record.version = kvVersion2c;
    KvHandedSecrets secrets;
    secrets.read = SwitchSimulator::kReadCommunity;
    secrets.write = SwitchSimulator::kWriteCommunity;
    bool kept = false;
    std::string error;
    busy_ = true;
    const bool added = list_.Put(list_.Find(kSimulatorName) ? kSimulatorName : "", record, secrets, false, kept, error);
    busy_ = false;
    if (!added) {
        QMessageBox::critical(this, windowTitle(), tr("The simulator could not be added: %1").arg(q(error)));
        return;
    }
    status_[kSimulatorName].polled = false;
    status_[kSimulatorName].polledAt = 0;
    Refill();
    Select(kSimulatorName);
    tree_->setFocus();
    statusBar()->showMessage(tr("The simulator answers on udp:127.0.0.1:%1 until this window closes; Open "
                                "shows its front panel.")
                                 .arg(port));
}

void SwitchWindow::PollNow()
{
    for (auto& [name, s] : status_)
        s.polledAt = 0;
    OnPollTick();
}

void SwitchWindow::OnPollTick()
{
    if (probe_->Busy() || busy_)
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const SwitchRecord* due = nullptr;
    for (const SwitchRecord& r : list_.Records()) {
        const Status& s = status_[r.name];
        if (now - s.polledAt < kPollIntervalMs && s.polledAt != 0)
            continue;
        if (!due || s.polledAt < status_[due->name].polledAt)
            due = &r;
    }
    if (!due)
        return;
    const SwitchRecord record = *due; // the list may be read again while the keyring is asked
    status_[record.name].polledAt = now;
    KvHandedSecrets secrets;
    busy_ = true;
    const bool known = list_.Secrets().Load(record.name, secrets);
    busy_ = false;
    if (!known) {
        // Nothing to read it with until the secrets are given (at Open).
        Status& s = status_[record.name];
        s.polled = true;
        s.last = SwitchProbeResult();
        s.last.error = list_.Secrets().LastProblem().empty()
                           ? tr("communities or passwords not known in this session").toStdString()
                           : list_.Secrets().LastProblem();
        s.when = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
        NoteKeyring();
        Refill();
        return;
    }
    probing_ = record.name;
    probe_->Start(record, secrets);
}

void SwitchWindow::OnProbed(const SwitchProbeResult& result)
{
    const std::string name = probing_;
    probing_.clear();
    if (!list_.Find(name))
        return;
    Status& s = status_[name];
    s.polled = true;
    if (result.answered)
        s.last = result;
    else {
        // The last known values stay; the error is the news.
        s.last.answered = false;
        s.last.error = result.error;
    }
    s.when = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
        if (tree_->topLevelItem(i)->text(Name).toStdString() == name)
            FillRow(tree_->topLevelItem(i), *list_.Find(name));
}

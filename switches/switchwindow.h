#pragma once
#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QTimer>

#include <map>
#include <string>
#include <vector>

#include "switches/switchdialog.h"
#include "switches/switchprobe.h"
#include "switches/switchrecord.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class SwitchList;
class SwitchSimulator;

// The switch list's window: one row per switch with what a background read
// of its system group gave, and the commands Open, Add, Edit, Duplicate,
// Remove and Try the simulator. Enter opens the current switch, Delete
// removes it after asking.
//
// The list file is watched: what other programs change in it (a command
// run from a shell, another window) shows without a restart, and every change
// made here is applied to the file as it is then (see SwitchList).
//
// The background reads go one at a time, at most one every kPollTickMs, each
// switch at most every kPollIntervalMs, on the event loop: the window never
// waits for a switch.
class SwitchWindow : public QMainWindow {
    Q_OBJECT
public:
    // `notes`: what loading the list had to say (shown once in the window).
    SwitchWindow(SwitchList& list, const std::vector<std::string>& notes, QWidget* parent = nullptr);
    ~SwitchWindow() override;

    // Columns of the list.
    enum Column { Name, Address, Version, State, SysName, SysDescr, UpTime, LastAnswer, ColumnCount };

    QTreeWidget* List() const { return tree_; }
    // The commands, for the buttons, the keys and the tests.
    void AddSwitch();
    void EditSwitch();
    void DuplicateSwitch();
    void RemoveSwitch(bool ask = true);
    void OpenSwitch();
    void TrySimulator();
    // Selects the row of switch `name`.
    void Select(const std::string& name);
    // Reads every switch now (tests), and whether a read is outstanding.
    void PollNow();
    bool Polling() const { return probe_->Busy(); }

    static constexpr int kPollTickMs = 1000;
    static constexpr int kPollIntervalMs = 30000;
    static constexpr const char* kSimulatorName = "Simulator";
    // The widest the Name column is made to fit its names (longer ones are
    // elided, the whole name in the tooltip).
    static constexpr int kMaxNameColumnWidth = 260;

private:
    struct Status {
        SwitchProbeResult last;
        QString when;        // time of the last answer or error
        qint64 polledAt = 0; // ms since the epoch
        bool polled = false;
        long long pid = 0; // the module opened for it, while it runs
    };

    void Refill();
    void FillRow(QTreeWidgetItem* item, const SwitchRecord& record);
    std::string CurrentName() const;
    // `secretsOf`: the switch whose secrets the dialog starts with.
    void EditDialog(SwitchDialog::Mode mode, const std::string& originalName, const SwitchRecord& start,
                    const std::string& secretsOf);
    bool SecretsFor(const SwitchRecord& record, KvHandedSecrets& secrets);
    void NoteKeyring();
    void OnPollTick();
    void OnProbed(const SwitchProbeResult& result);
    void OnSimulatorReady(quint16 port);
    void CheckOpened();
    void UpdateActions();
    // Reads the list file again when another program changed it.
    void OnListFileChanged();
    // Adds `note` to the banner, once.
    void Note(const QString& note);

    SwitchList& list_;
    QTreeWidget* tree_;
    QLabel* banner_;
    QWidget* emptyOffer_;
    QPushButton* emptyTry_;
    QAction* openAction_;
    QAction* editAction_;
    QAction* duplicateAction_;
    QAction* removeAction_;
    QAction* trySimulatorAction_;
    SwitchProbe* probe_;
    SwitchSimulator* simulator_;
    QTimer pollTimer_;
    QTimer openTimer_;
    QFileSystemWatcher watcher_;
    QTimer reloadTimer_;
    // Set while a change or a keyring call runs (they wait in local event
    // loops): the list is then not read again under them.
    bool busy_ = false;
    std::string probing_;
    std::map<std::string, Status> status_;
    bool keyringNoted_ = false;
    bool openAfterSimulator_ = false;
};

// The fault matrix for the generic pages: an editor page ("Spanning Tree
// Control") and a list page ("Port Control Table") against an agent that is
// slow, lossy, failing, silent, killed, answers with values of the wrong type
// or size, or from another address. For every fault: the page does not
// freeze while it waits, its status line says what happened in the message
// sets' words, what the operator typed is still there after a failed write,
// and the next Refresh once the agent is back works.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>

#include "binding/kvfieldmarker.h"
#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "osprey_config.h"
#include "pages/tconfigform.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmplistviewpanel.h"
#include "pages/tsnmppanel.h"
#include "platform/kvmessagebox.h"
#include "tables/pagetables.h"
#include "snmp/kvsnmpsession.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/testsnmpengine.h"

#include "faultagent.h"
#include "faultexpect.h"
#include "freezemeter.h"

namespace {

using namespace kvtables;

const std::string kStp = "1.3.6.1.2.1.17.2";
const std::string kPortControl = std::string(OSPREY_ENT_OID) + ".11.36.2.6.2.1";
constexpr int kTimeoutMs = 1000; // a page's request: 1 s, one retry
constexpr int kIdleLimitMs = 20000;

std::string HexOf(const std::string& text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : text) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::string DigitsOf(const std::string& text)
{
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

class PageFaults : public ::testing::TestWithParam<Fault> {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvfaults", "/"); }
    static void TearDownTestSuite() { engine_.reset(); }

    void SetUp() override
    {
        KvResetMessageSets();
        KvSNMPSecurity.version = 1; // SNMPv2c: tables are walked with GETBULK
    }

    void TearDown() override
    {
        if (form) {
            form->close();
            form.reset();
        }
        EXPECT_TRUE(answerer.shown().empty()) << answerer.shown().front().text.toStdString();
    }

    Fault fault() const { return GetParam(); }

    void StartAgent(const std::string& target)
    {
        agent = std::make_unique<FaultAgent>(fault(), target);
        std::string error;
        ASSERT_TRUE(agent->Start(&error)) << error;
        KvSNMPDevice.address = "127.0.0.1";
        KvSNMPDevice.port = agent->Port();
    }

    void Recover()
    {
        std::string error;
        ASSERT_TRUE(agent->Recover(&error)) << error;
    }

    void Open(const VarDef* vars, uint8_t kind, int32_t keyCount, const UIEntryDef* layout, bool listView)
    {
        form = std::make_unique<TConfigForm>(nullptr, "Page", KvSNMPDevice.address);
        auto binding = std::make_unique<KvSNMPRequest2Edits>(form.get());
        binding->Variables() = KvSNMPVarList(vars, kind, keyCount);
        if (listView)
            form->SetListViewPage(std::move(binding), layout, {-1, nullptr, -1, nullptr, 0});
        else
            form->SetEditorPage(std::move(binding), layout);
        adapter = form->Adapter();
        bar = form->PagePanel()->BtnPanel;
        view = form->ListViewPanel() ? form->ListViewPanel()->ListView() : nullptr;
        meter.Start();
        form->show();
    }

    bool Idle() const { return adapter->getComplete && adapter->setComplete && !form->MainBinding()->busy; }

    // Waits until the page's flows are over; the window must not have frozen
    // meanwhile.
    void WaitIdle()
    {
        ASSERT_TRUE(kvtest::WaitFor([this] { return Idle(); }, kIdleLimitMs)) << "the page never became idle";
        meter.Stop();
        EXPECT_TRUE(meter.Freezes().empty()) << meter.Describe();
        kvtest::Settle(20);
    }

    void Press(QPushButton* button)
    {
        meter.Start();
        button->click();
        WaitIdle();
    }

    static QString LastLine(const QPlainTextEdit* memo, const QString& prefix = QString())
    {
        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (qsizetype i = lines.size() - 1; i >= 0; --i)
            if (lines[i].startsWith(prefix))
                return lines[i];
        return QString();
    }
    QPlainTextEdit* Memo() const { return form->PagePanel()->MsgPanel->Memo; }
    std::string LastGet() const { return LastLine(Memo(), "Get: ").toStdString(); }
    QLineEdit* Edit(int entry) { return qobject_cast<QLineEdit*>(form->Entries()[entry].editor); }
    QComboBox* Combo(int entry) { return qobject_cast<QComboBox*>(form->Entries()[entry].editor); }
    bool Marked(QWidget* control) { return form->MainBinding()->FieldMarker().IsMarked(control); }

    static inline std::unique_ptr<TestSnmpEngine> engine_;

    KvMessageBox::Answerer answerer;
    std::unique_ptr<FaultAgent> agent;
    std::unique_ptr<TConfigForm> form;
    TSNMPLayoutAdapter* adapter = nullptr;
    TCtrlBtnPanel* bar = nullptr;
    QTreeWidget* view = nullptr;
    FreezeMeter meter;
};

// --- an editor page ------------------------------------------------------------------

TEST_P(PageFaults, EditorPage)
{
    // The fault names the bridge priority ("Priority[0-61440]", entry 1).
    StartAgent(kStp + ".2");
    if (fault() == Fault::KilledInWalk)
        agent->KillOnRequest("GET ");
    Open(varsSpanningTreeControl, kvListScalars, 0, layoutSpanningTreeControl, false);
    WaitIdle();

    const std::string read = LastGet();
    EXPECT_TRUE(StatusSays(read, "Get", ReadOutcome(fault(), kTimeoutMs, false)));
    if (IsOk(read)) {
        if (fault() == Fault::WrongType) {
            // Shown as received (hexadecimal), as far as the field's
            // constraint, an integer, lets it in.
            EXPECT_EQ(Edit(1)->text().toStdString(), DigitsOf(HexOf("wrong type")));
        } else if (fault() == Fault::Oversize) {
            EXPECT_EQ(Edit(1)->text().toStdString(), HexOf(std::string(4000, 'A')));
        } else {
            EXPECT_EQ(Edit(1)->text(), "32768");
        }
        EXPECT_EQ(Edit(2)->text(), "2000") << "the other variables are read as ever";
    }

    // A write of the priority alone.
    if (fault() == Fault::KilledInWrite)
        agent->KillOnRequest("SET ");
    bar->ClearChecksBtn->click();
    form->Entries()[1].checkBox->setChecked(true);
    Edit(1)->setText("4096");
    agent->Sim().clearLog();
    Press(bar->SetCheckBtn);
    const std::string written = LastLine(Memo(), "Set: ").toStdString();
    EXPECT_TRUE(StatusSays(written, "Set", WriteOutcome(fault(), kTimeoutMs)));
    if (!IsOk(written)) {
        EXPECT_EQ(Edit(1)->text(), "4096") << "what was typed stays after a failed write";
        EXPECT_TRUE(form->Entries()[1].checkBox->isChecked());
    }
    if (fault() == Fault::ErrorStatus) {
        EXPECT_TRUE(Marked(Edit(1))) << "the agent's error index names the field";
    }

    // The agent comes back: the next Refresh shows the switch again.
    Recover();
    Press(bar->RefreshBtn);
    EXPECT_TRUE(StatusSays(LastGet(), "Get", Outcome::Ok));
    EXPECT_EQ(Edit(1)->text(), "32768");
    EXPECT_EQ(Edit(2)->text(), "2000");
    EXPECT_TRUE(NoCommunities(Memo()->toPlainText().toStdString()));
}

// --- a list page -----------------------------------------------------------------------

TEST_P(PageFaults, ListPage)
{
    // The fault names the "Administration State" column (list column 1);
    // the outsize value is the first row's only (25 rows of 4000 octets
    // would be more than a datagram can carry).
    StartAgent(kPortControl + (fault() == Fault::Oversize ? ".2.1" : ".2"));
    if (fault() == Fault::KilledInWalk)
        agent->KillOnRequest("GETBULK ", 2);
    Open(varsPortControl, kvListTable, 1, layoutPortControl, true);
    form->ShowStopButton();
    WaitIdle();

    const std::string read = LastGet();
    EXPECT_TRUE(StatusSays(read, "Get", ReadOutcome(fault(), kTimeoutMs, true)));
    const int rows = view->topLevelItemCount();
    if (IsOk(read)) {
        EXPECT_EQ(rows, 26);
        const QString first = rows > 0 ? view->topLevelItem(0)->text(1) : QString();
        if (fault() == Fault::WrongType) {
            EXPECT_EQ(first.toStdString(), HexOf("wrong type"));
        } else if (fault() == Fault::Oversize) {
            EXPECT_EQ(first.size(), 8000);
        } else {
            EXPECT_EQ(first, "enabled");
        }
    } else if (fault() == Fault::StopAfter || fault() == Fault::KilledInWalk) {
        // The rows that came before the agent went quiet stay.
        EXPECT_GT(rows, 0);
        EXPECT_LT(rows, 26);
    }
    EXPECT_TRUE(bar->RefreshBtn->isEnabled());

    // A write from the row dialog: the Nway State of the first row.
    if (rows > 0) {
        if (fault() == Fault::KilledInWrite)
            agent->KillOnRequest("SET ");
        view->setCurrentItem(view->topLevelItem(0));
        view->topLevelItem(0)->setSelected(true);
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QDialog* dialog = adapter->Dialog();
            ran = dialog != nullptr;
            if (!ran)
                return;
            TSNMPPanel* panel = adapter->DialogPanel();
            form->Entries()[1].checkBox->setChecked(false);
            form->Entries()[3].checkBox->setChecked(false);
            Combo(2)->setCurrentText("nway-disabled-100Mbps-Full");
            Press(panel->BtnPanel->SetCheckBtn);
            const std::string written = LastLine(panel->MsgPanel->Memo, "Set: ").toStdString();
            EXPECT_TRUE(StatusSays(written, "Set", WriteOutcome(fault(), kTimeoutMs)));
            if (!IsOk(written)) {
                EXPECT_EQ(Combo(2)->currentText(), "nway-disabled-100Mbps-Full")
                    << "what was chosen stays after a failed write";
            }
            EXPECT_TRUE(NoCommunities(panel->MsgPanel->Memo->toPlainText().toStdString()));
            dialog->close();
        });
        bar->SetBtn->click();
        EXPECT_TRUE(ran) << "no row dialog";
    }

    Recover();
    Press(bar->RefreshBtn);
    EXPECT_TRUE(StatusSays(LastGet(), "Get", Outcome::Ok));
    ASSERT_EQ(view->topLevelItemCount(), 26);
    EXPECT_EQ(view->topLevelItem(0)->text(1), "enabled");
    EXPECT_EQ(view->topLevelItem(22)->text(1), "disabled");
    EXPECT_TRUE(NoCommunities(Memo()->toPlainText().toStdString()));
}

INSTANTIATE_TEST_SUITE_P(Faults, PageFaults, ::testing::ValuesIn(AllFaults()),
                         [](const ::testing::TestParamInfo<Fault>& info) { return FaultParamName(info.param); });

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

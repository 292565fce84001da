// The fault matrix for two hand-made forms: "Port Trunk Table" (its binding
// works blocking, as the form is specified) and "VLAN Static Form" (two
// asynchronous bindings). For every fault: the status line says what
// happened in the message sets' words, what was typed is still there after a
// failed write, and the next Refresh once the agent is back works. The
// asynchronous form must not freeze; the blocking one holds the window for
// the length of each request by design, and the test only reports how long.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <iostream>
#include <memory>
#include <string>

#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "forms/kvformhost.h"
#include "forms/port/tporttrunkform.h"
#include "forms/vlan/tvlanstaticform.h"
#include "osprey_config.h"
#include "platform/kvmessagebox.h"
#include "snmp/kvsnmpsession.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/testsnmpengine.h"

#include "faultagent.h"
#include "faultexpect.h"
#include "freezemeter.h"

namespace {

const std::string kTrunk = std::string(OSPREY_ENT_OID) + ".12.2.1.3.1";
const std::string kStatic = "1.3.6.1.2.1.17.7.1.4.3.1";
constexpr int kTimeoutMs = 1000;

QTreeWidgetItem* RowOf(QTreeWidget* list, const QString& key)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == key)
            return list->topLevelItem(i);
    return nullptr;
}

QStringList LinesOf(const QPlainTextEdit* memo, const QString& prefix, qsizetype from = 0)
{
    QStringList found;
    const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = from; i < lines.size(); ++i)
        if (lines[i].startsWith(prefix))
            found.push_back(lines[i]);
    return found;
}

qsizetype LineCount(const QPlainTextEdit* memo)
{
    return memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts).size();
}

class FormFaults : public ::testing::TestWithParam<Fault> {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvformfaults"); }
    static void TearDownTestSuite() { engine_.reset(); }

    void SetUp() override
    {
        KvResetMessageSets();
        KvSNMPSecurity.version = 1;
        host.agentAddress = "127.0.0.1";
    }

    void TearDown() override { EXPECT_TRUE(answerer.shown().empty()) << answerer.shown().front().text.toStdString(); }

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

    void Report(const char* form, const FreezeMeter& meter)
    {
        // The blocking form's longest stall, for the fault matrix.
        std::cout << "[ measured ] " << form << ", " << FaultName(fault()) << ": " << meter.Describe() << "\n";
    }

    static inline std::unique_ptr<TestSnmpEngine> engine_;
    KvMessageBox::Answerer answerer;
    std::unique_ptr<FaultAgent> agent;
    KvFormHost host;
    FreezeMeter meter;
};

// --- the port trunk form (blocking) ---------------------------------------------------

TEST_P(FormFaults, PortTrunkForm)
{
    // The fault names the master port column; the outsize value is trunk
    // group 1's.
    StartAgent(kTrunk + (fault() == Fault::Oversize ? ".3.1" : ".3"));
    if (fault() == Fault::KilledInWalk)
        agent->KillOnRequest("GETBULK ");
    meter.Start();
    TPortTrunkForm form(nullptr, host); // its first walk is blocking
    form.show();
    meter.Stop();
    Report("Port Trunk Table, open", meter);

    // One request brings both groups and the end of the table.
    const std::string read = form.StatusPanel0->text().toStdString();
    EXPECT_TRUE(StatusSays(read, "Get", ReadOutcome(fault(), kTimeoutMs, false)));
    QTreeWidget* list = form.LV_PortTrunk;
    if (IsOk(read)) {
        ASSERT_EQ(list->topLevelItemCount(), 2);
        const QString master = RowOf(list, "1")->text(1);
        if (fault() == Fault::WrongType) {
            EXPECT_EQ(master, "77726F6E672074797065") << "shown as received";
        } else if (fault() == Fault::Oversize) {
            EXPECT_EQ(master.size(), 8000);
        } else {
            EXPECT_EQ(master, "25");
        }
    }

    // Group 2 gets another master port.
    if (fault() == Fault::KilledInWrite)
        agent->KillOnRequest("SET ");
    form.ED_Index->setText("2");
    form.ED_MasterPort->setText("4");
    form.Combo_State->setCurrentText("active");
    meter.Start();
    form.SetBtn->click();
    meter.Stop();
    Report("Port Trunk Table, Set", meter);
    const std::string written = form.StatusPanel0->text().toStdString();
    // A Set the agent took is followed by a walk of the table, whose line
    // replaces the Set's; under a delay that walk may itself time out.
    const bool walkedAgain = written.rfind("Get: ", 0) == 0;
    if (walkedAgain) {
        const Outcome write = WriteOutcome(fault(), kTimeoutMs);
        EXPECT_TRUE(write == Outcome::Ok || write == Outcome::OkOrTimeout) << "the Set should have failed: " << written;
        EXPECT_TRUE(StatusSays(written, "Get", ReadOutcome(fault(), kTimeoutMs, true)));
    } else {
        EXPECT_TRUE(StatusSays(written, "Set", WriteOutcome(fault(), kTimeoutMs)));
    }
    if (!walkedAgain && !IsOk(written)) {
        EXPECT_EQ(form.ED_Index->text(), "2") << "what was typed stays after a failed write";
        EXPECT_EQ(form.ED_MasterPort->text(), "4");
    }

    Recover();
    form.BT_Get->click();
    EXPECT_TRUE(StatusSays(form.StatusPanel0->text().toStdString(), "Get", Outcome::Ok));
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(RowOf(list, "1")->text(1), "25");
    EXPECT_EQ(RowOf(list, "2")->text(1), "3");
    EXPECT_TRUE(NoCommunities(form.StatusPanel0->text().toStdString()));
    form.close();
}

// --- the VLAN static form (asynchronous) --------------------------------------------------

TEST_P(FormFaults, VlanStaticForm)
{
    // The fault names the VLAN name column; the outsize value is VLAN 10's.
    StartAgent(kStatic + (fault() == Fault::Oversize ? ".1.10" : ".1"));
    if (fault() == Fault::KilledInWalk)
        agent->KillOnRequest("GETBULK ");
    meter.Start();
    auto form = std::make_unique<TVlanStaticForm>(nullptr, host);
    form->show();
    ASSERT_TRUE(kvtest::WaitFor([&] { return !form->AnyBusy(); }, 20000));
    meter.Stop();
    EXPECT_TRUE(meter.Freezes().empty()) << meter.Describe();

    // Two bindings, two status lines: the VLAN table's and the next free
    // index's (which the faults do not name).
    const Outcome expected = ReadOutcome(fault(), kTimeoutMs, false);
    const QStringList reads = LinesOf(form->Memo1, "Get: ");
    ASSERT_EQ(reads.size(), 2) << form->Memo1->toPlainText().toStdString();
    bool tableLine = false;
    for (const QString& line : reads) {
        const std::string text = line.toStdString();
        EXPECT_TRUE(StatusSays(text, "Get", Outcome::OkOrTimeout) || StatusSays(text, "Get", expected)) << text;
        tableLine = tableLine || StatusSays(text, "Get", expected);
    }
    EXPECT_TRUE(tableLine) << "no line says " << OutcomeName(expected);
    if (fault() == Fault::StopAfter) {
        // One request answered, the other not.
        EXPECT_NE(StatusSays(reads[0].toStdString(), "Get", Outcome::Timeout),
                  StatusSays(reads[1].toStdString(), "Get", Outcome::Timeout))
            << reads.join('\n').toStdString();
    }
    QTreeWidget* list = form->LV_dot1qVlanStaticEntry;
    const int rows = list->topLevelItemCount();
    if (rows > 0 && fault() == Fault::WrongType) {
        EXPECT_EQ(RowOf(list, "10")->text(1), "7") << "an INTEGER where a name was expected";
    } else if (rows > 0 && fault() == Fault::Oversize) {
        EXPECT_EQ(RowOf(list, "10")->text(1), QString(4000, QLatin1Char('A')));
    } else if (rows > 0) {
        EXPECT_EQ(RowOf(list, "10")->text(1), "sales");
    }

    // VLAN 10 gets another name.
    if (fault() == Fault::KilledInWrite)
        agent->KillOnRequest("SET ");
    form->ED_VLANID->setText("10");
    form->ED_VLANName->setText("lab");
    form->Status->setCurrentIndex(0);
    const qsizetype before = LineCount(form->Memo1);
    meter.Start();
    form->SetBtn->click();
    ASSERT_TRUE(kvtest::WaitFor([&] { return !form->AnyBusy(); }, 20000));
    meter.Stop();
    EXPECT_TRUE(meter.Freezes().empty()) << meter.Describe();
    const QStringList writes = LinesOf(form->Memo1, "Set: ", before);
    ASSERT_EQ(writes.size(), 1) << form->Memo1->toPlainText().toStdString();
    const std::string written = writes[0].toStdString();
    EXPECT_TRUE(StatusSays(written, "Set", WriteOutcome(fault(), kTimeoutMs)));
    if (IsOk(written)) {
        EXPECT_EQ(form->ED_VLANName->text(), "") << "emptied after a successful write";
    } else {
        EXPECT_EQ(form->ED_VLANID->text(), "10") << "what was typed stays after a failed write";
        EXPECT_EQ(form->ED_VLANName->text(), "lab");
        EXPECT_EQ(form->Status->currentIndex(), 0);
    }

    Recover();
    const qsizetype recovered = LineCount(form->Memo1);
    form->RefreshBtn->click();
    ASSERT_TRUE(kvtest::WaitFor([&] { return !form->AnyBusy(); }, 20000));
    const QStringList again = LinesOf(form->Memo1, "Get: ", recovered);
    ASSERT_EQ(again.size(), 2) << form->Memo1->toPlainText().toStdString();
    for (const QString& line : again)
        EXPECT_TRUE(StatusSays(line.toStdString(), "Get", Outcome::Ok));
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(RowOf(list, "10")->text(1), "sales");
    EXPECT_EQ(form->NextFreeLocalVlanIndex->text(), "4096");
    EXPECT_TRUE(NoCommunities(form->Memo1->toPlainText().toStdString()));
    form->close();
    ASSERT_TRUE(kvtest::WaitFor([&] { return !form->isVisible(); }, 10000));
}

INSTANTIATE_TEST_SUITE_P(Faults, FormFaults, ::testing::ValuesIn(AllFaults()),
                         [](const ::testing::TestParamInfo<Fault>& info) { return FaultParamName(info.param); });

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

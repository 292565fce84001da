// The MIB browser stand-in's windows, run as its program entry runs them with
// the launcher's own command lines: every page against the switch simulator,
// the values and rows the pages show, rates from the second refresh on,
// automatic refresh, the writable columns (interface administration state,
// system name, RMON alarm rows), closing; then against Net-SNMP's snmpd,
// which serves the machine's MIB-II and IF-MIB groups.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "browser/browserprogram.h"
#include "browser/kvratebinding.h"
#include "browser/tables/browsercatalogue.h"
#include "browser/tautorefreshcontrol.h"
#include "browser/tbrowserform.h"
#include "browser/tbrowserpage.h"
#include "browserrun.h"
#include "journal/kvjournal.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmppanel.h"
#include "platform/kvapplication.h"
#include "platform/kvmessagebox.h"
#include "snmp/snmpeventprocessor.h"
#include "snmpdfixture.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"

namespace {

using kvtest::WaitFor;

// --- looking at a page ---------------------------------------------------------------

QString Memo(TBrowserPage& page)
{
    return page.PagePanel()->MsgPanel->Memo->toPlainText();
}

int GetLines(TBrowserPage& page)
{
    return static_cast<int>(Memo(page).count(QStringLiteral("Get: ")));
}

QTreeWidget* List(TBrowserPage& page)
{
    return page.MainBinding() ? page.MainBinding()->ListView() : nullptr;
}

int Column(QTreeWidget* list, const QString& caption)
{
    for (int c = 0; c < list->columnCount(); ++c)
        if (list->headerItem()->text(c) == caption)
            return c;
    return -1;
}

// The cell of the row whose first shown cell (the index) is `index`.
QString Cell(QTreeWidget* list, const QString& index, const QString& caption)
{
    const int c = Column(list, caption);
    for (int r = 0; r < list->topLevelItemCount(); ++r)
        if (list->topLevelItem(r)->text(0) == index)
            return c < 0 ? QStringLiteral("(no column)") : list->topLevelItem(r)->text(c);
    return QStringLiteral("(no row)");
}

QString EditorText(TBrowserPage& page, const std::string& label)
{
    UIEntryTable& entries = page.Entries();
    for (int k = 0; k < CountEntries(entries); ++k) {
        if (entries[k].variable->label != label)
            continue;
        if (auto* edit = qobject_cast<QLineEdit*>(entries[k].editor))
            return edit->text();
        if (auto* combo = qobject_cast<QComboBox*>(entries[k].editor))
            return combo->currentText();
    }
    return QStringLiteral("(no editor)");
}

int EntryOf(TBrowserPage& page, const std::string& label)
{
    UIEntryTable& entries = page.Entries();
    for (int k = 0; k < CountEntries(entries); ++k)
        if (entries[k].variable->label == label)
            return k;
    return -1;
}

// Refreshes the page as its Refresh button does and waits for the answer.
bool RefreshAndWait(TBrowserPage& page)
{
    page.Adapter()->RefreshBtn->click();
    return WaitFor([&] { return page.Fetched(); }, 10000);
}

bool WaitIdle(TBrowserPage& page)
{
    return WaitFor([&] { return page.Fetched() && page.Adapter()->setComplete; }, 10000);
}

std::vector<std::string> LogLines(const SimFixture& sim, const std::string& operation)
{
    std::vector<std::string> found;
    for (const std::string& line : sim.logLines())
        if (line.rfind(operation + " ", 0) == 0)
            found.push_back(line);
    return found;
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Runs `inside` in the row dialog that `open` opens.
void InDialog(TBrowserPage& page, const std::function<void()>& open, const std::function<void()>& inside)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = page.Adapter()->Dialog() != nullptr;
        if (ran)
            inside();
        if (QDialog* dialog = page.Adapter()->Dialog())
            dialog->close();
    });
    open();
    EXPECT_TRUE(ran) << "no row dialog";
}

void SelectRow(QTreeWidget* list, const QString& index)
{
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        if (list->topLevelItem(r)->text(0) == index) {
            list->setCurrentItem(list->topLevelItem(r));
            list->topLevelItem(r)->setSelected(true);
            return;
        }
    }
    ADD_FAILURE() << "no row " << index.toStdString();
}

// --- against the simulator ---------------------------------------------------------------

class BrowserSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        run.WriteIni(sim.port());
    }

    // The page as the launcher starts it for a main window on SNMPv2c.
    int Open(const std::string& page, const std::function<void(TBrowserForm&)>& check)
    {
        const auto settings =
            BrowserRun::V2cSettings(sim.port(), SimFixture::readCommunity, SimFixture::writeCommunity);
        const int status = run.Run(BrowserRun::Parameters("/T" + page, settings), check);
        EXPECT_TRUE(run.Checked()) << page << ": no window";
        return status;
    }

    KvMessageBox::Answerer answerer;
    SimFixture sim;
    BrowserRun run;
};

class EveryPage : public BrowserSim, public ::testing::WithParamInterface<std::string> {};

TEST_P(EveryPage, OpensWithTheSwitchsValues)
{
    const std::string page = GetParam();
    const auto tables = kvbrowser::FindBrowserPage(page);
    ASSERT_FALSE(tables.empty());
    const int status = Open(page, [&](TBrowserForm& window) {
        EXPECT_TRUE(window.Fetched());

        EXPECT_EQ(window.windowTitle().toStdString(), std::string(tables.front().pageTitle) + " : 127.0.0.1");
        ASSERT_EQ(window.Pages().size(), tables.size());
        EXPECT_EQ(window.Tabs() != nullptr, tables.size() > 1);
        for (TBrowserPage* table : window.Pages()) {
            const std::string name = table->Table().command.name;
            EXPECT_TRUE(Memo(*table).startsWith("Get: (VoDADI++) Ok!")) << name << ": " << Memo(*table).toStdString();
            if (QTreeWidget* list = List(*table)) {
                EXPECT_GT(list->topLevelItemCount(), 0) << name;
                for (int r = 0; r < list->topLevelItemCount(); ++r)
                    EXPECT_FALSE(list->topLevelItem(r)->text(0).isEmpty()) << name << " row " << r;
            } else {
                UIEntryTable& entries = table->Entries();
                for (int k = 0; k < CountEntries(entries); ++k)
                    EXPECT_NE(EditorText(*table, entries[k].variable->label), "") << name << " " << k;
            }
        }
    });
    EXPECT_EQ(status, browserprogram::kOk);
    EXPECT_TRUE(answerer.shown().empty());
    // Read with the read community on SNMPv2c, as the main window would.
    const auto reads = sim.logLines();
    ASSERT_FALSE(reads.empty());
    for (const std::string& line : reads)
        EXPECT_TRUE(Has(line, " v2c read")) << line;
}

INSTANTIATE_TEST_SUITE_P(Browser, EveryPage, ::testing::ValuesIn(kvbrowser::BrowserPageNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

TEST_F(BrowserSim, IfTableShowsThePortsAndTheVlanInterface)
{
    Open("MIB_IFTable", [](TBrowserForm& window) {
        QTreeWidget* list = List(*window.Pages()[0]);
        ASSERT_EQ(list->topLevelItemCount(), 27);
        EXPECT_EQ(Cell(list, "1001", "ifType"), "l3ipvlan");
        EXPECT_EQ(Cell(list, "1001", "ifDescr"), "VLAN 1 (management)");
        EXPECT_EQ(Cell(list, "7", "ifOperStatus"), "down");
        EXPECT_EQ(Cell(list, "23", "ifAdminStatus"), "down");
        EXPECT_EQ(Cell(list, "25", "ifSpeed"), "1000000000");
        // Not a counter page.
        EXPECT_EQ(window.Pages()[0]->AutoRefresh(), nullptr);
        EXPECT_EQ(Column(list, "ifLastChange/s"), -1);
    });
}

TEST_F(BrowserSim, IfxCountersShowRatesFromTheSecondRefresh)
{
    Open("IFMib_ifXEntry", [](TBrowserForm& window) {
        TBrowserPage& page = *window.Pages()[0];
        QTreeWidget* list = List(page);
        ASSERT_EQ(list->topLevelItemCount(), 27);
        const int counter = Column(list, "ifHCInOctets");
        const int rate = Column(list, "ifHCInOctets/s");
        ASSERT_GE(rate, 0);
        // Beside its counter on the screen.
        EXPECT_EQ(list->header()->visualIndex(rate), list->header()->visualIndex(counter) + 1);
        EXPECT_GT(Cell(list, "25", "ifHCInOctets").toULongLong(), 0xFFFFFFFFull) << "64 bits";
        EXPECT_EQ(Cell(list, "25", "ifHCInOctets/s"), "") << "no rate from one reading";

        kvtest::Settle(1000);
        ASSERT_TRUE(RefreshAndWait(page));
        ASSERT_EQ(list->topLevelItemCount(), 27);
        // Port 25 takes 252500 octets a second; port 26 has no link.
        bool number = false;
        const double perSecond = Cell(list, "25", "ifHCInOctets/s").toDouble(&number);
        EXPECT_TRUE(number) << Cell(list, "25", "ifHCInOctets/s").toStdString();
        EXPECT_GT(perSecond, 100000.0);
        EXPECT_LT(perSecond, 600000.0);
        EXPECT_EQ(Cell(list, "26", "ifHCInOctets/s"), "0.0");
        EXPECT_EQ(Cell(list, "1", "ifInMulticastPkts/s").isEmpty(), false);
        EXPECT_EQ(Column(list, "ifName/s"), -1) << "only counters have rates";
    });
}

TEST_F(BrowserSim, ScalarCountersShowTheirRateBesideTheEditor)
{
    Open("MIB_IPCounters", [](TBrowserForm& window) {
        TBrowserPage& page = *window.Pages()[0];
        KvRateBinding* rates = page.RateBinding();
        ASSERT_NE(rates, nullptr);
        const int receives = EntryOf(page, "ipInReceives");
        QLabel* label = rates->RateLabel(receives);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(rates->RateLabel(EntryOf(page, "ipDefaultTTL")), nullptr);
        EXPECT_EQ(label->text(), "");
        QWidget* editor = page.Entries()[receives].editor;
        EXPECT_EQ(label->y(), editor->y());
        EXPECT_GT(label->x(), editor->x() + editor->width());

        kvtest::Settle(1000);
        ASSERT_TRUE(RefreshAndWait(page));
        ASSERT_TRUE(label->text().endsWith("/s")) << label->text().toStdString();
        const double perSecond = label->text().chopped(2).toDouble();
        EXPECT_GT(perSecond, 10.0); // 40 a second
        EXPECT_LT(perSecond, 200.0);
        EXPECT_EQ(rates->RateLabel(EntryOf(page, "ipInHdrErrors"))->text(), "0.0/s");
    });
}

TEST_F(BrowserSim, AutomaticRefreshIsOffUntilChosenAndWaitsForTheFetch)
{
    Open("MIB_IFCounters", [](TBrowserForm& window) {
        TBrowserPage& page = *window.Pages()[0];
        TAutoRefreshControl* automatic = page.AutoRefresh();
        ASSERT_NE(automatic, nullptr);
        EXPECT_EQ(automatic->Interval(), 0);
        EXPECT_FALSE(automatic->Timer().isActive());
        EXPECT_EQ(automatic->Choice()->currentText(), "Off");
        QStringList choices;
        for (int i = 0; i < automatic->Choice()->count(); ++i)
            choices << automatic->Choice()->itemText(i);
        EXPECT_EQ(choices, (QStringList{"Off", "2 s", "5 s", "10 s"}));
        // Below the buttons.
        EXPECT_GT(automatic->y(), page.Adapter()->CloseBtn->y() + page.Adapter()->CloseBtn->height());
        EXPECT_TRUE(automatic->isVisible());

        kvtest::Settle(2500);
        EXPECT_EQ(GetLines(page), 1) << "nothing without a choice";

        automatic->Choice()->setCurrentIndex(automatic->Choice()->findText("2 s"));
        EXPECT_EQ(automatic->Interval(), 2);
        ASSERT_TRUE(WaitFor([&] { return GetLines(page) >= 2 && page.Fetched(); }, 5000));
        QTreeWidget* list = List(page);
        EXPECT_FALSE(Cell(list, "25", "ifInOctets/s").isEmpty());

        // A tick while a fetch runs is left out.
        page.Adapter()->RefreshBtn->click();
        EXPECT_FALSE(automatic->Tick());
        ASSERT_TRUE(WaitFor([&] { return page.Fetched(); }, 5000));
        EXPECT_TRUE(automatic->Tick());
        ASSERT_TRUE(WaitFor([&] { return page.Fetched(); }, 5000));

        automatic->SetInterval(0);
        EXPECT_EQ(automatic->Choice()->currentText(), "Off");
        const int gets = GetLines(page);
        kvtest::Settle(2500);
        EXPECT_EQ(GetLines(page), gets);
    });
    EXPECT_TRUE(answerer.shown().empty()) << "no \"Get data not complete\"";
}

TEST_F(BrowserSim, HistorySamplesShowNoRates)
{
    Open("Rmon_History", [](TBrowserForm& window) {
        ASSERT_EQ(window.Pages().size(), 2u);
        EXPECT_EQ(window.Tabs()->tabText(0), "History Control Table");
        EXPECT_EQ(window.Tabs()->tabText(1), "Ethernet History Table");
        TBrowserPage& samples = *window.Pages()[1];
        EXPECT_EQ(samples.AutoRefresh(), nullptr);
        EXPECT_EQ(List(samples)->topLevelItemCount(), 8);
        EXPECT_EQ(Column(List(samples), "etherHistoryOctets/s"), -1);
    });
}

TEST_F(BrowserSim, AdministrationStateIsWrittenFromTheRowDialog)
{
    Open("MIB_IFTable", [this](TBrowserForm& window) {
        TBrowserPage& page = *window.Pages()[0];
        QTreeWidget* list = List(page);
        SelectRow(list, "5");
        sim.clearLog();
        InDialog(
            page, [&] { page.Adapter()->SetBtn->click(); },
            [&] {
                const int admin = EntryOf(page, "ifAdminStatus");
                auto* combo = qobject_cast<QComboBox*>(page.Entries()[admin].editor);
                ASSERT_NE(combo, nullptr);
                EXPECT_TRUE(page.Entries()[admin].checkBox->isChecked());
                combo->setCurrentText("down");
                page.Adapter()->DialogPanel()->BtnPanel->SetCheckBtn->click();
                ASSERT_TRUE(WaitIdle(page));
            });
        const auto sets = LogLines(sim, "SET");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_TRUE(Has(sets[0], "v2c write: 1.3.6.1.2.1.2.2.1.7.5 INTEGER 2")) << sets[0];
        EXPECT_FALSE(Has(sets[0], "|")) << "only the writable column: " << sets[0];
        EXPECT_EQ(Cell(list, "5", "ifAdminStatus"), "down");
    });
}

TEST_F(BrowserSim, SystemNameIsWrittenWithSetCheck)
{
    // The program journals the write in the folder the environment names.
    const std::string journalDir =
        (std::filesystem::temp_directory_path() / ("browserjournal-" + std::to_string(::getpid()))).string();
    std::filesystem::remove_all(journalDir);
    const char* outer = std::getenv("OSPREY_JOURNAL_DIR");
    const std::string saved = outer ? outer : "";
    ::setenv("OSPREY_JOURNAL_DIR", journalDir.c_str(), 1);
    std::string caption;
    Open("MIB_Info", [&](TBrowserForm& window) {
        caption = window.windowTitle().toStdString();
        TBrowserPage& page = *window.Pages()[0];
        page.Adapter()->ClearChecksBtn->click();
        const int name = EntryOf(page, "sysName");
        page.Entries()[name].checkBox->setChecked(true);
        qobject_cast<QLineEdit*>(page.Entries()[name].editor)->setText("osprey-east");
        sim.clearLog();
        page.Adapter()->SetCheckBtn->click();
        ASSERT_TRUE(WaitIdle(page));
        const auto sets = LogLines(sim, "SET");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_TRUE(Has(sets[0], "1.3.6.1.2.1.1.5.0 STRING \"osprey-east\"")) << sets[0];
        EXPECT_FALSE(Has(sets[0], "1.3.6.1.2.1.1.4.0")) << sets[0];
        EXPECT_EQ(EditorText(page, "sysName"), "osprey-east");
        // The window had read the name: nothing is read again before the set.
        ASSERT_FALSE(sim.logLines().empty());
        EXPECT_EQ(sim.logLines().front().rfind("SET", 0), 0u) << sim.logLines().front();
        // Read-only variables have no check box to tick.
        EXPECT_FALSE(page.Entries()[EntryOf(page, "sysDescr")].checkBox->isVisible());
    });
    if (outer)
        ::setenv("OSPREY_JOURNAL_DIR", saved.c_str(), 1);
    else
        ::unsetenv("OSPREY_JOURNAL_DIR");
    const KvJournalLog log = KvJournal(journalDir).Read("127.0.0.1", sim.port());
    EXPECT_TRUE(log.warnings.empty());
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].write.caption, caption);
    EXPECT_EQ(log.entries[0].result, "Ok");
    ASSERT_EQ(log.entries[0].write.variables.size(), 1u);
    const KvWriteRecordVariable& name = log.entries[0].write.variables[0];
    EXPECT_EQ(name.oid, "1.3.6.1.2.1.1.5.0");
    EXPECT_EQ(name.label, "sysName");
    EXPECT_EQ(name.before, "osprey-lab");
    EXPECT_EQ(name.written, "osprey-east");
    std::filesystem::remove_all(journalDir);
}

TEST_F(BrowserSim, AlarmRowsAreCreatedWithCreateRequestAndRemovedWithInvalid)
{
    Open("Rmon_AlarmEvent", [this](TBrowserForm& window) {
        ASSERT_EQ(window.Pages().size(), 2u);
        TBrowserPage& alarms = *window.Pages()[0];
        QTreeWidget* list = List(alarms);
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(List(*window.Pages()[1])->topLevelItemCount(), 2) << "events";
        EXPECT_EQ(Cell(list, "1", "alarmStatus"), "valid");

        sim.clearLog();
        InDialog(
            alarms, [&] { alarms.Adapter()->AddBtn->click(); },
            [&] {
                auto edit = [&](const std::string& label, const QString& text) {
                    qobject_cast<QLineEdit*>(alarms.Entries()[EntryOf(alarms, label)].editor)->setText(text);
                };
                auto choose = [&](const std::string& label, const QString& text) {
                    qobject_cast<QComboBox*>(alarms.Entries()[EntryOf(alarms, label)].editor)->setCurrentText(text);
                };
                edit("alarmIndex", "3");
                edit("alarmInterval", "15");
                edit("alarmVariable", "1.3.6.1.2.1.2.2.1.14.5");
                choose("alarmSampleType", "deltaValue");
                choose("alarmStartupAlarm", "risingAlarm");
                edit("alarmRisingThreshold", "20");
                edit("alarmFallingThreshold", "5");
                edit("alarmRisingEventIndex", "1");
                edit("alarmFallingEventIndex", "2");
                edit("alarmOwner", "noc");
                EXPECT_EQ(EditorText(alarms, "alarmStatus"), "createRequest");
                alarms.Adapter()->DialogPanel()->BtnPanel->SetCheckBtn->click();
                ASSERT_TRUE(WaitIdle(alarms));
            });
        auto sets = LogLines(sim, "SET");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_TRUE(Has(sets[0], "1.3.6.1.2.1.16.3.1.1.12.3 INTEGER 2")) << sets[0];
        EXPECT_TRUE(Has(sets[0], "1.3.6.1.2.1.16.3.1.1.3.3 OID 1.3.6.1.2.1.2.2.1.14.5")) << sets[0];
        EXPECT_FALSE(Has(sets[0], "1.3.6.1.2.1.16.3.1.1.5.3")) << "alarmValue is read-only: " << sets[0];
        ASSERT_EQ(list->topLevelItemCount(), 3);
        EXPECT_EQ(Cell(list, "3", "alarmRisingThreshold"), "20");

        SelectRow(list, "3");
        sim.clearLog();
        alarms.Adapter()->DeleteBtn->click();
        ASSERT_TRUE(WaitIdle(alarms));
        sets = LogLines(sim, "SET");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_TRUE(Has(sets[0], "1.3.6.1.2.1.16.3.1.1.12.3 INTEGER 4")) << sets[0];
        EXPECT_EQ(list->topLevelItemCount(), 2);
    });
    EXPECT_TRUE(answerer.shown().empty());
}

TEST_F(BrowserSim, CloseOnAnyTabClosesTheWindowAndEndsTheRun)
{
    bool closed = false;
    const int status = Open("Rmon_AlarmEvent", [&](TBrowserForm& window) {
        window.Tabs()->setCurrentIndex(1);
        window.Pages()[1]->PagePanel()->BtnPanel->CloseBtn->click();
        closed = !window.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(status, browserprogram::kOk);
}

TEST_F(BrowserSim, EscapeOnATableClosesTheWindow)
{
    bool closed = false;
    Open("MIB_UDPCounters", [&](TBrowserForm& window) {
        window.Pages()[0]->reject();
        closed = !window.isVisible();
    });
    EXPECT_TRUE(closed);
}

TEST_F(BrowserSim, LauncherSnmpv3CommandLineSetsThePortBeforeTheVersion)
{
    // No INI file: the main window had SNMPv3 from its own command line, and
    // the launcher writes /t<port> before /v3.
    std::filesystem::remove(run.Dir().file("Conf/127.0.0.1.cfg"));
    const auto settings = BrowserRun::V3Settings(sim.port(), SimFixture::shaUser, SimFixture::shaAuthPassword,
                                                 SimFixture::shaPrivPassword);
    const auto parameters = BrowserRun::Parameters("/TRmon_Statistics", settings);
    ASSERT_EQ(parameters[3], "/TRmon_Statistics");
    ASSERT_EQ(parameters[4], "/t" + std::to_string(sim.port()));
    ASSERT_EQ(parameters[5], "/v3");
    const int status = run.Run(parameters, [](TBrowserForm& window) {
        TBrowserPage& page = *window.Pages()[0];
        EXPECT_TRUE(Memo(page).startsWith("Get: (VoDADI++) Ok!")) << Memo(page).toStdString();
        EXPECT_EQ(List(page)->topLevelItemCount(), 26);
        EXPECT_EQ(Cell(List(page), "3", "etherStatsDataSource"), "1.3.6.1.2.1.2.2.1.1.3");
    });
    EXPECT_TRUE(run.Checked());
    EXPECT_EQ(status, browserprogram::kOk);
    const auto lines = sim.logLines();
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines)
        EXPECT_TRUE(Has(line, " v3 sha-user authPriv")) << line;
}

TEST_F(BrowserSim, UnknownOrMissingPageEndsWithStatusTwoAndNoWindow)
{
    EXPECT_EQ(run.Run({"/I127.0.0.1", "/Rravine", "/TMIB_Nowhere"}, [](TBrowserForm&) {}), browserprogram::kNoSuchPage);
    EXPECT_FALSE(run.Checked());
    EXPECT_EQ(run.Run({"/I127.0.0.1", "/Rravine"}, [](TBrowserForm&) {}), browserprogram::kNoSuchPage);
    EXPECT_FALSE(run.Checked());
    EXPECT_TRUE(sim.logLines().empty()) << "nothing sent";
}

// --- against Net-SNMP's snmpd ---------------------------------------------------------

class BrowserSnmpd : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!agent.Start())
            GTEST_SKIP() << agent.Error();
        run.WriteIni(agent.Port());
    }

    int OpenV2c(const std::string& page, const std::function<void(TBrowserForm&)>& check)
    {
        const auto settings = BrowserRun::V2cSettings(agent.Port(), "public", "private");
        const int status = run.Run(BrowserRun::Parameters("/T" + page, settings), check);
        EXPECT_TRUE(run.Checked()) << page;
        return status;
    }

    std::string Get(const std::string& oid) const
    {
        std::string value = SnmpdFixture::RunTool({"snmpget", "-v2c", "-c", "public", "-Oqv", agent.Endpoint(), oid});
        while (!value.empty() && (value.back() == '\n' || value.back() == ' '))
            value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return value;
    }

    KvMessageBox::Answerer answerer;
    SnmpdFixture agent;
    BrowserRun run;
};

class SnmpdPage : public BrowserSnmpd, public ::testing::WithParamInterface<std::string> {};

TEST_P(SnmpdPage, ShowsTheMachinesValues)
{
    OpenV2c(GetParam(), [&](TBrowserForm& window) {
        TBrowserPage& page = *window.Pages()[0];
        EXPECT_TRUE(Memo(page).startsWith("Get: (VoDADI++) Ok!")) << Memo(page).toStdString();
        if (QTreeWidget* list = List(page)) {
            EXPECT_GT(list->topLevelItemCount(), 0);
        }
    });
}

// The groups snmpd serves for this machine.
INSTANTIATE_TEST_SUITE_P(Browser, SnmpdPage,
                         ::testing::Values("MIB_Info", "MIB_IFTable", "MIB_IFCounters", "MIB_IPCounters",
                                           "MIB_IPRouting", "MIB_IPAddress", "MIB_ICMPCounters", "MIB_UDPCounters",
                                           "MIB_SNMPCounters", "IFMib_ifXEntry"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

TEST_F(BrowserSnmpd, SystemGroupAndInterfacesAreTheAgentsOwn)
{
    const std::string descr = Get("1.3.6.1.2.1.1.1.0");
    ASSERT_FALSE(descr.empty());
    OpenV2c("MIB_Info",
            [&](TBrowserForm& window) { EXPECT_EQ(EditorText(*window.Pages()[0], "sysDescr").toStdString(), descr); });
    OpenV2c("MIB_IFTable", [&](TBrowserForm& window) {
        EXPECT_EQ(Cell(List(*window.Pages()[0]), "1", "ifDescr"), "lo");
        EXPECT_EQ(Cell(List(*window.Pages()[0]), "1", "ifType"), "softwareLoopback");
    });
    OpenV2c("MIB_IPAddress", [&](TBrowserForm& window) {
        EXPECT_EQ(Cell(List(*window.Pages()[0]), "127.0.0.1", "ipAdEntNetMask"), "255.0.0.0");
    });
}

TEST_F(BrowserSnmpd, LauncherSnmpv3CommandLineReadsTheIfxTable)
{
    std::filesystem::remove(run.Dir().file("Conf/127.0.0.1.cfg"));
    const auto settings = BrowserRun::V3Settings(agent.Port(), "shauser", "shapassword", "shaprivacy");
    run.Run(BrowserRun::Parameters("/TIFMib_ifXEntry", settings), [](TBrowserForm& window) {
        TBrowserPage& page = *window.Pages()[0];
        EXPECT_TRUE(Memo(page).startsWith("Get: (VoDADI++) Ok!")) << Memo(page).toStdString();
        EXPECT_EQ(Cell(List(page), "1", "ifName"), "lo");
        ASSERT_TRUE(RefreshAndWait(page));
        EXPECT_FALSE(Cell(List(page), "1", "ifHCInOctets/s").isEmpty()) << "a rate from the second refresh";
    });
    EXPECT_TRUE(run.Checked());
}

} // namespace

int main(int argc, char** argv)
{
    kvtest::UseOffscreenPlatform();
    KvApplication application(argc, argv);
    SnmpEventProcessor eventProcessor;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

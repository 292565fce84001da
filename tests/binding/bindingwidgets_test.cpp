// The binding without an agent: the status line and its targets, the error
// reports, and values moved between a variable list and real widgets.
#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTime>
#include <QTreeWidget>

#include <ctime>

#include "binding/kvlineeditconstraint.h"
#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "common/kvoptionlist.h"
#include "export/kvstatusline.h"
#include "platform/kvmessagebox.h"

namespace {

const KvOptionDef kOffOnTable[] = {
    {2, nullptr, "Disabled"},
    {1, nullptr, "Enabled"},
    {0, nullptr, nullptr},
};
const KvOptionList kOffOn(KvOptionList::kIntegerValues, kOffOnTable);

const KvOptionDef kAdminTable[] = {
    {1, nullptr, "up"},
    {2, nullptr, "down"},
    {3, nullptr, "testing"},
    {0, nullptr, nullptr},
};
const KvOptionList kAdmin(KvOptionList::kIntegerValues, kAdminTable);

const KvOptionDef kArcTable[] = {
    {0, "1.3.6.1.2.1", "mib-2"},
    {0, "1.3.6.1.4.1", "enterprises"},
    {0, nullptr, nullptr},
};
const KvOptionList kArcs(KvOptionList::kTextPrefixes, kArcTable);

// One variable of every kind the tests bind, by position.
enum Var { vPorts, vState, vTruth, vNumber, vAddress, vMac, vTicks, vOid, vOctets, vName, vStamp, vLocal, vCount };
const VarDef kVars[] = {
    {"1.3.6.1.4.1.32473.1", "Ports", synBits, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.2", "State", synInteger, accRW, &kOffOn, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.3", "Truth", synTruthValue, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.4", "Number", synInteger, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.5", "Address", synIpAddress, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.6", "MAC", synMacAddress, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.7", "Uptime", synTimeTicks, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.8", "Object", synOid, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.9", "Octets", synOctets, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.10", "Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.11", "Stamp", synDateAndTime, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.12", "Local", synFloatDate, accRW, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        KvResetMessageSets();
        binding = std::make_unique<KvSNMPRequest2Edits>(&window);
        binding->Variables() = KvSNMPVarList(kVars, kvListScalars, 0);
    }

    std::string& Value(int i) { return binding->Variables()[i].value; }

    // The code of the KvError that `f` raises, or 0.
    template <typename F>
    static int CodeOf(F&& f)
    {
        try {
            f();
        } catch (const KvError& e) {
            return e.code();
        }
        return 0;
    }

    std::vector<QLineEdit*> Edits(int n)
    {
        std::vector<QLineEdit*> edits;
        for (int i = 0; i < n; ++i)
            edits.push_back(new QLineEdit(&window));
        return edits;
    }

    static QStringList Texts(const std::vector<QLineEdit*>& edits)
    {
        QStringList texts;
        for (QLineEdit* edit : edits)
            texts << edit->text();
        return texts;
    }

    QWidget window;
    std::unique_ptr<KvSNMPRequest2Edits> binding;
};

// --- status line ---------------------------------------------------------------

TEST_F(BindingTest, StatusLineFillsTheTemplateOfTheLastOperation)
{
    binding->Variables().name = " Led Status";
    EXPECT_EQ(binding->StatusLine("(VoDADI++) Ok!", QTime(14, 5, 9)),
              "Get: (VoDADI++) Ok! Request: Led Status. Receive at 02:05:09 PM.");
    binding->lastOperation = KvSNMPRequest2Controls::kLastSet;
    EXPECT_EQ(binding->StatusLine("x", QTime(0, 0, 1)), "Set: x Request: Led Status. Receive at 12:00:01 AM.");
    EXPECT_EQ(binding->StatusLine("x", QTime(12, 30, 0)), "Set: x Request: Led Status. Receive at 12:30:00 PM.");
}

TEST_F(BindingTest, StatusLineOfAnUnnamedListDropsTheRequestPart)
{
    EXPECT_EQ(binding->StatusLine("(VoDADI++) Ok!", QTime(9, 15, 2)), "Get: (VoDADI++) Ok!. Receive at 09:15:02 AM.");
    // Field names inside the message are the message's own text.
    EXPECT_EQ(binding->StatusLine("at [TIME]", QTime(9, 15, 2)), "Get: at [TIME]. Receive at 09:15:02 AM.");
}

TEST_F(BindingTest, StatusLineIsTheExportsLineInAnyLocale)
{
    binding->Variables().name = " Port Control Table";
    std::tm afternoon{};
    afternoon.tm_hour = 14, afternoon.tm_min = 5, afternoon.tm_sec = 9;
    std::tm morning{};
    morning.tm_hour = 9, morning.tm_min = 15, morning.tm_sec = 2;
    const QLocale before;
    for (const char* name : {"C", "en_US", "de_DE", "zh_CN", "ar_EG", "ko_KR"}) {
        QLocale::setDefault(QLocale(name));
        const std::string line = binding->StatusLine("(VoDADI++) Time out!", QTime(14, 5, 9));
        EXPECT_EQ(line, KvExportStatusLine("(VoDADI++) Time out!", " Port Control Table", afternoon)) << name;
        EXPECT_EQ(binding->StatusLine("", QTime(9, 15, 2)), KvExportStatusLine("", " Port Control Table", morning))
            << name;
        // The half of the day is the locale's word.
        EXPECT_NE(line.find(" " + QLocale().pmText().toStdString() + "."), std::string::npos) << name << line;
    }
    QLocale::setDefault(before);
}

TEST_F(BindingTest, StatusTargetsReceiveTheLine)
{
    QPlainTextEdit memo(&window);
    QStatusBar bar(&window);
    QLabel panel(&window);

    binding->ReportStatus("nowhere"); // no target: nothing happens, nothing breaks

    binding->SetStatusTarget(&memo);
    binding->ReportStatus("one");
    binding->ReportStatus("two");
    const QStringList lines = memo.toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("Get: one. Receive at "));
    EXPECT_TRUE(lines[1].startsWith("Get: two. Receive at "));

    binding->SetStatusTarget(&bar);
    binding->ReportStatus("bar");
    EXPECT_TRUE(bar.currentMessage().startsWith("Get: bar. Receive at "));

    binding->SetStatusTarget(&panel);
    binding->ReportStatus("panel");
    EXPECT_TRUE(panel.text().startsWith("Get: panel. Receive at "));
    EXPECT_EQ(memo.toPlainText().split('\n').size(), 2);
}

TEST_F(BindingTest, ErrorReportsUseAMessageBoxOnlyWithoutStatusTarget)
{
    KvMessageBox::Answerer answerer;
    KvSNMPError error;
    error.code = -405;
    error.message = "(Test) timed out";

    binding->lastOperation = KvSNMPRequest2Controls::kLastSet;
    binding->ReportGetError(error);
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].text.toStdString(), error.message);
    EXPECT_EQ(answerer.shown()[0].title, KvMessageBox::programCaption());
    EXPECT_EQ(binding->lastOperation, KvSNMPRequest2Controls::kLastGet);

    QPlainTextEdit memo(&window);
    binding->SetStatusTarget(&memo);
    binding->ReportSetError(error);
    binding->ReportGetError(error);
    EXPECT_EQ(answerer.shown().size(), 1u);
    const QStringList lines = memo.toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("Set: (Test) timed out. Receive at "));
    EXPECT_TRUE(lines[1].startsWith("Get: (Test) timed out. Receive at "));
}

// --- registration --------------------------------------------------------------

TEST_F(BindingTest, RegistrationRejectsWhatItCannotServe)
{
    QComboBox combo(&window);
    QGroupBox group(&window);
    QPushButton button(&window);
    QPlainTextEdit memo(&window);
    QLineEdit edit(&window);

    EXPECT_EQ(CodeOf([&] { binding->BindComboBox(vNumber, &combo); }), -520);
    EXPECT_EQ(CodeOf([&] { binding->BindControl(vNumber, &group); }), -520);
    EXPECT_EQ(CodeOf([&] { binding->BindControl(vNumber, &button); }), -521);
    EXPECT_EQ(CodeOf([&] { binding->BindControl(vNumber, &memo); }), -521);
    EXPECT_EQ(CodeOf([&] { binding->BindControl(vCount, &edit); }), -516);
    EXPECT_EQ(CodeOf([&] { binding->BindControl(vNumber, nullptr); }), -522);
    // A prefix option list needs the edit that holds the rest of the value.
    EXPECT_EQ(CodeOf([&] { binding->BindComboBox(vOid, &combo, 0, 0, &kArcs); }), -522);
    // Four items need four edits.
    EXPECT_EQ(CodeOf([&] { binding->BindEdits(vAddress, "%i%i%i%i", &edit, {}); }), -522);
    EXPECT_EQ(CodeOf([&] { binding->BindControlList(vPorts, "", {nullptr}); }), -522);
    EXPECT_EQ(CodeOf([&] { binding->BindControlList(vPorts, "0,1", {&edit, &edit}); }), -521);
    EXPECT_EQ(CodeOf([&] { binding->BindControlList(vPorts, "0,1", {}); }), -522);
    EXPECT_EQ(CodeOf([&] { binding->BindEdits(vNumber, "%q", &edit); }), 0); // no items: one edit, unchecked
    EXPECT_EQ(CodeOf([&] { binding->BindEdits(vNumber, "%i{n1", &edit); }), -2);
    // Only the successful registrations are kept.
    EXPECT_EQ(binding->Bindings().size(), 1u);
}

TEST_F(BindingTest, BindEditsRegistersTheConstraintOfEveryEdit)
{
    auto edits = Edits(4);
    binding->BindEdits(vAddress, "%i{n0x255}%i{n0x255}%i{n0x255}%i{n0x255}", edits[0], {edits[1], edits[2], edits[3]});
    for (QLineEdit* edit : edits)
        EXPECT_TRUE(binding->EditConstraint().IsRegistered(edit));
    QComboBox combo(&window);
    combo.setEditable(true);
    binding->BindComboBox(vState, &combo);
    EXPECT_FALSE(combo.isEditable());
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(1), "Enabled");
}

// --- port lists ------------------------------------------------------------------

TEST_F(BindingTest, PortListBitZeroIsTheHighBitOfTheFirstOctet)
{
    std::vector<QCheckBox*> boxes;
    for (int i = 0; i < 8; ++i)
        boxes.push_back(new QCheckBox(&window));
    binding->BindControlList(vPorts, "1,2,3,4,5,6,7,8",
                             {boxes[0], boxes[1], boxes[2], boxes[3], boxes[4], boxes[5], boxes[6], boxes[7]});

    Value(vPorts) = "40"; // bit 8 needs a second octet
    EXPECT_EQ(CodeOf([&] { binding->FillControls(vPorts); }), -519);

    Value(vPorts) = "4000";
    binding->FillControls(vPorts);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(boxes[i]->isChecked(), i == 0) << "bit " << i + 1;

    boxes[0]->setChecked(true);
    boxes[6]->setChecked(true); // bit 7
    binding->CollectControls(vPorts);
    EXPECT_EQ(Value(vPorts), "4100");
}

TEST_F(BindingTest, PortListCollectKeepsOctetsNoBoxCovers)
{
    QList<QWidget*> boxes;
    for (int i = 0; i < 10; ++i)
        boxes << new QCheckBox(&window);
    binding->BindControlList(vPorts, "0,1,2,3,4,5,6,7,8,9", boxes);

    Value(vPorts) = "FFBF00C0";
    binding->FillControls(-1);
    EXPECT_TRUE(static_cast<QCheckBox*>(boxes[0])->isChecked());
    EXPECT_TRUE(static_cast<QCheckBox*>(boxes[8])->isChecked());
    EXPECT_FALSE(static_cast<QCheckBox*>(boxes[9])->isChecked());

    static_cast<QCheckBox*>(boxes[0])->setChecked(false);
    static_cast<QCheckBox*>(boxes[9])->setChecked(true);
    binding->CollectControls(-1);
    // Bits 10 to 15 share the second octet with boxes but have none: they
    // end up 0. Octets 3 and 4 are beyond the boxes and keep their bits.
    EXPECT_EQ(Value(vPorts), "7FC000C0");

    // Collecting into an empty value extends it with zero bytes.
    Value(vPorts) = "";
    binding->CollectControls(-1);
    EXPECT_EQ(Value(vPorts), "7FC0");
}

// --- single check boxes, combo boxes, radio groups -------------------------------

TEST_F(BindingTest, SingleCheckBoxWithAnOptionList)
{
    QCheckBox box(&window);
    binding->BindControl(vState, &box);

    for (const char* on : {"Enabled", "1"}) {
        Value(vState) = on;
        binding->FillControls(vState);
        EXPECT_TRUE(box.isChecked()) << on;
    }
    for (const char* off : {"Disabled", "2", "(NULL)"}) {
        box.setChecked(true);
        Value(vState) = off;
        binding->FillControls(vState);
        EXPECT_FALSE(box.isChecked()) << off;
    }

    box.setChecked(true);
    binding->CollectControls(vState);
    EXPECT_EQ(Value(vState), "Enabled"); // the second entry (value 1)
    box.setChecked(false);
    binding->CollectControls(vState);
    EXPECT_EQ(Value(vState), "Disabled");
}

TEST_F(BindingTest, SingleCheckBoxWithoutOptionsNeedsATruthValue)
{
    QCheckBox truth(&window);
    QCheckBox number(&window);
    binding->BindControl(vTruth, &truth);
    binding->BindControl(vNumber, &number);

    Value(vTruth) = "true";
    binding->FillControls(vTruth);
    EXPECT_TRUE(truth.isChecked());
    truth.setChecked(false);
    binding->CollectControls(vTruth);
    EXPECT_EQ(Value(vTruth), "false");

    Value(vNumber) = "1";
    EXPECT_EQ(CodeOf([&] { binding->FillControls(vNumber); }), -517);
    EXPECT_EQ(CodeOf([&] { binding->CollectControls(vNumber); }), -517);
}

TEST_F(BindingTest, PrefixOptionListSplitsTheValueBetweenComboAndEdit)
{
    QComboBox combo(&window);
    QLineEdit rest(&window);
    binding->BindComboBox(vOid, &combo, 0, 0, &kArcs, &rest);
    ASSERT_EQ(combo.count(), 2);

    Value(vOid) = "1.3.6.1.4.1.32473.5";
    binding->FillControls(vOid);
    EXPECT_EQ(combo.currentText(), "enterprises");
    EXPECT_EQ(rest.text(), "32473.5"); // the dot after the prefix is dropped

    combo.setCurrentIndex(0);
    rest.setText("1.5.0");
    binding->CollectControls(vOid);
    EXPECT_EQ(Value(vOid), "1.3.6.1.2.1.1.5.0");

    // Nothing behind the prefix: no dangling dot.
    rest.clear();
    binding->CollectControls(vOid);
    EXPECT_EQ(Value(vOid), "1.3.6.1.2.1");
}

TEST_F(BindingTest, ComboAndRadioGroupSelectByLabelOrValue)
{
    binding->Variables()[vNumber].options = &kAdmin;
    QComboBox combo(&window);
    QGroupBox group(&window);
    binding->BindComboBox(vNumber, &combo);
    binding->BindControl(vNumber, &group);
    const QList<QRadioButton*> items = group.findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[2]->text(), "testing");

    Value(vNumber) = "down";
    binding->FillControls(vNumber);
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_TRUE(items[1]->isChecked());

    Value(vNumber) = "3";
    binding->FillControls(vNumber);
    EXPECT_EQ(combo.currentIndex(), 2);
    EXPECT_TRUE(items[2]->isChecked());

    // A value outside the list leaves nothing selected.
    Value(vNumber) = "(NULL)";
    binding->FillControls(vNumber);
    EXPECT_EQ(combo.currentIndex(), -1);
    for (QRadioButton* item : items)
        EXPECT_FALSE(item->isChecked());

    // Both bindings collect; the later one (the radio group) decides.
    combo.setCurrentIndex(0);
    items[1]->setChecked(true);
    binding->CollectControls(vNumber);
    EXPECT_EQ(Value(vNumber), "down");
}

// --- edits ---------------------------------------------------------------------------

TEST_F(BindingTest, IpAddressNeedsFourEdits)
{
    auto three = Edits(3);
    binding->BindEdits(vAddress, "%i%i%i", three[0], {three[1], three[2]});
    Value(vAddress) = "10.90.90.90";
    EXPECT_EQ(CodeOf([&] { binding->FillControls(vAddress); }), -522);
    EXPECT_EQ(CodeOf([&] { binding->CollectControls(vAddress); }), -522);
}

TEST_F(BindingTest, IpAddressInFourEdits)
{
    auto edits = Edits(4);
    binding->BindEdits(vAddress, "%i%i%i%i", edits[0], {edits[1], edits[2], edits[3]});
    Value(vAddress) = "10.90.90.90";
    binding->FillControls(-1);
    EXPECT_EQ(Texts(edits), QStringList({"10", "90", "90", "90"}));

    Value(vAddress) = "(NULL)"; // absent: the edits keep what they show
    binding->FillControls(-1);
    EXPECT_EQ(Texts(edits), QStringList({"10", "90", "90", "90"}));

    edits[0]->setText("192");
    edits[3]->setText("");
    binding->CollectControls(-1);
    EXPECT_EQ(Value(vAddress), "192.90.90.0");
}

TEST_F(BindingTest, MacAddressInSixEdits)
{
    auto edits = Edits(6);
    binding->BindEdits(vMac, "%h%h%h%h%h%h", edits[0], {edits[1], edits[2], edits[3], edits[4], edits[5]});
    Value(vMac) = "0080C8010203";
    binding->FillControls(vMac);
    EXPECT_EQ(Texts(edits), QStringList({"00", "80", "C8", "01", "02", "03"}));

    const QStringList typed{"0", "", "C8", "1", "2", "3"};
    for (int i = 0; i < 6; ++i)
        edits[i]->setText(typed[i]);
    binding->CollectControls(vMac);
    EXPECT_EQ(Value(vMac), "0000C8010203");
}

TEST_F(BindingTest, TimeTicksDatesAndObjectIdentifiersInSeveralEdits)
{
    auto ticks = Edits(5);
    binding->BindEdits(vTicks, "%u%u%u%u%u", ticks[0], {ticks[1], ticks[2], ticks[3], ticks[4]});
    Value(vTicks) = "2 days, 3:04:05.06";
    binding->FillControls(vTicks);
    EXPECT_EQ(Texts(ticks), QStringList({"2", "3", "4", "5", "6"}));
    ticks[0]->setText("0");
    ticks[2]->setText("59");
    binding->CollectControls(vTicks);
    EXPECT_EQ(Value(vTicks), "3:59:05.06");

    auto stamp = Edits(10);
    binding->BindEdits(vStamp, "%u%u%u%u%u%u%u%s%u%u", stamp[0],
                       {stamp[1], stamp[2], stamp[3], stamp[4], stamp[5], stamp[6], stamp[7], stamp[8], stamp[9]});
    Value(vStamp) = "2005-3-7,13:5:9.4,-5:30";
    binding->FillControls(vStamp);
    EXPECT_EQ(Texts(stamp), QStringList({"2005", "3", "7", "13", "5", "9", "4", "-", "5", "30"}));
    stamp[0]->setText("2006");
    binding->CollectControls(vStamp);
    EXPECT_EQ(Value(vStamp), "2006-3-7,13:5:9.4,-5:30");

    auto local = Edits(7);
    binding->BindEdits(vLocal, "%u%u%u%u%u%u%u", local[0],
                       {local[1], local[2], local[3], local[4], local[5], local[6]});
    Value(vLocal) = "2005/03/07 01:05:09 pm";
    binding->FillControls(vLocal);
    EXPECT_EQ(Texts(local), QStringList({"2005", "3", "7", "13", "5", "9", "0"}));
    local[3]->setText("9");
    binding->CollectControls(vLocal);
    EXPECT_EQ(Value(vLocal), "2005/03/07 09:05:09 am");

    auto arcs = Edits(3);
    binding->BindEdits(vOid, "%u%u%u", arcs[0], {arcs[1], arcs[2]});
    Value(vOid) = "1.3.6.1"; // four arcs, three edits
    EXPECT_EQ(CodeOf([&] { binding->FillControls(vOid); }), -522);
    Value(vOid) = "1.3.6";
    binding->FillControls(vOid);
    EXPECT_EQ(Texts(arcs), QStringList({"1", "3", "6"}));
}

TEST_F(BindingTest, PartialBindingsMoveOneFieldOfTheValue)
{
    QLineEdit second(&window);
    QLabel third(&window);
    binding->BindControl(vOctets, &second, 1, 195); // unsigned byte at offset 1
    binding->BindControl(vOctets, &third, 2, 195);

    Value(vOctets) = "0A141E";
    binding->FillControls(vOctets);
    EXPECT_EQ(second.text(), "20");
    EXPECT_EQ(third.text(), "30");

    second.setText("255");
    binding->CollectControls(vOctets);
    EXPECT_EQ(Value(vOctets), "0AFF1E");

    Value(vOctets) = "0A14"; // the byte at offset 2 is missing
    EXPECT_EQ(CodeOf([&] { binding->FillControls(vOctets); }), -519);
    EXPECT_EQ(second.text(), "20"); // handled before the failing binding
}

TEST_F(BindingTest, WholeValueEditReplacesTheValue)
{
    QLineEdit hex(&window);
    QLineEdit name(&window);
    QLineEdit oid(&window);
    binding->BindControl(vOctets, &hex);
    binding->BindControl(vName, &name);
    binding->BindControl(vOid, &oid);
    Value(vOctets) = "0102030405";
    Value(vName) = "a longer name";
    Value(vOid) = "1.3.6.1.4.1";
    binding->FillControls(-1);

    hex.setText("AABB");
    name.setText("short");
    oid.setText("1.3.6");
    binding->CollectControls(-1);
    EXPECT_EQ(Value(vOctets), "AABB");
    EXPECT_EQ(Value(vName), "short");
    EXPECT_EQ(Value(vOid), "1.3.6");
}

TEST_F(BindingTest, SkippedAndReadOnlyVariablesAreLeftAlone)
{
    QLineEdit edit(&window);
    QLabel label(&window);
    binding->BindControl(vNumber, &edit);
    binding->BindControl(vName, &label);
    Value(vNumber) = "7";
    Value(vName) = "<b>bold</b>";
    binding->Variables()[vNumber].access |= accSkip;
    binding->FillControls(-1);
    EXPECT_EQ(edit.text(), "");
    EXPECT_EQ(label.text(), "<b>bold</b>");
    EXPECT_EQ(label.textFormat(), Qt::PlainText); // texts from the switch are not markup

    binding->Variables()[vNumber].access = accRW;
    binding->Variables()[vName].access = accRO;
    edit.setText("12");
    label.setText("changed");
    binding->CollectControls(-1);
    EXPECT_EQ(Value(vNumber), "12");
    EXPECT_EQ(Value(vName), "<b>bold</b>");
}

TEST_F(BindingTest, EnableControlsReachesEveryBoundControl)
{
    QComboBox combo(&window);
    QLineEdit rest(&window);
    QCheckBox a(&window), b(&window);
    binding->BindComboBox(vOid, &combo, 0, 0, &kArcs, &rest);
    binding->BindControlList(vPorts, "0,1", {&a, &b});
    binding->EnableControls(false);
    EXPECT_FALSE(combo.isEnabled());
    EXPECT_FALSE(rest.isEnabled());
    EXPECT_FALSE(b.isEnabled());
    binding->EnableControls(true);
    EXPECT_TRUE(rest.isEnabled());
    EXPECT_TRUE(b.isEnabled());
}

// --- list view ---------------------------------------------------------------------------

const VarDef kTable[] = {
    {"1.3.6.1.4.1.32473.20.1.1", "Index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.20.1.2", "Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.20.1.3", "Secret", synDisplayString, accRW | accHidden, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.20.1.4", "Admin", synInteger, accRW, &kAdmin, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.20.1.5", "Key", synOctets, accWrite, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

class ListViewTest : public BindingTest {
protected:
    void SetUp() override
    {
        BindingTest::SetUp();
        binding->Variables() = KvSNMPVarList(kTable, kvListTable, 1);
        binding->BindControl(0, &index);
        binding->BindControl(1, &name);
        binding->BindComboBox(3, &admin);
    }

    void AddRow(const char* i, const char* n, const char* s, const char* a, const char* k)
    {
        Value(0) = i;
        Value(1) = n;
        Value(2) = s;
        Value(3) = a;
        Value(4) = k;
        binding->ShowRow();
    }

    QTreeWidget list{&window};
    QLineEdit index{&window};
    QLineEdit name{&window};
    QComboBox admin{&window};
};

TEST_F(ListViewTest, ColumnsPutHiddenVariablesFirstWithNoWidth)
{
    binding->AttachListView(&list);
    ASSERT_EQ(list.columnCount(), 5);
    QStringList captions;
    for (int c = 0; c < 5; ++c)
        captions << list.headerItem()->text(c);
    EXPECT_EQ(captions, QStringList({"Secret", "Key", "Index", "Name", "Admin"}));
    EXPECT_EQ(list.header()->sectionSize(0), 0);
    EXPECT_EQ(list.header()->sectionSize(1), 0);
    for (int c = 2; c < 5; ++c)
        EXPECT_GT(list.header()->sectionSize(c), 0) << c;
    EXPECT_EQ(binding->ColumnVariables(), std::vector<int>({2, 4, 0, 1, 3}));
}

TEST_F(ListViewTest, EnoughColumnsStayFewerAreRebuilt)
{
    QTreeWidget own(&window);
    own.setHeaderLabels({"a", "b", "c", "d", "e", "f"});
    binding->AttachListView(&own);
    EXPECT_EQ(own.headerItem()->text(0), "a");
    EXPECT_EQ(own.columnCount(), 6);

    QTreeWidget few(&window);
    few.setHeaderLabels({"a", "b"});
    binding->AttachListView(&few);
    EXPECT_EQ(few.columnCount(), 5);
    EXPECT_EQ(few.headerItem()->text(2), "Index");
}

TEST_F(ListViewTest, SelectingARowFillsTheEditorsWithItsValues)
{
    binding->AttachListView(&list);
    binding->BeforeRefresh();
    AddRow("1", "first", "s1", "up", "AA");
    AddRow("2", "second", "s2", "down", "BB");
    binding->AfterRefresh();
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(1)->text(0), "s2"); // the row caption is the first column's
    EXPECT_EQ(list.topLevelItem(1)->text(3), "second");
    // A kind-2 table keeps the editors disabled until a row is selected.
    EXPECT_FALSE(name.isEnabled());
    EXPECT_FALSE(admin.isEnabled());

    int previousCalls = 0;
    binding->previousSelectionHandler = [&](QTreeWidget*, QTreeWidgetItem*, bool) { ++previousCalls; };
    list.setCurrentItem(list.topLevelItem(1));
    EXPECT_EQ(previousCalls, 1);
    EXPECT_TRUE(name.isEnabled());
    EXPECT_EQ(index.text(), "2");
    EXPECT_EQ(name.text(), "second");
    EXPECT_EQ(admin.currentText(), "down");
    EXPECT_EQ(Value(2), "s2"); // hidden columns come back too
    EXPECT_EQ(Value(4), "BB");

    // Collecting starts from the selected row: the index column names the row.
    name.setText("renamed");
    Value(0) = Value(1) = "";
    binding->CollectValues();
    EXPECT_EQ(Value(0), "2");
    EXPECT_EQ(Value(1), "renamed");
    EXPECT_EQ(Value(4), "BB");

    // A new refresh empties the list and disables again.
    binding->BeforeRefresh();
    binding->AfterRefresh();
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_FALSE(name.isEnabled());
}

TEST_F(ListViewTest, TablesWithRowCreationKeepTheEditorsEnabled)
{
    binding->Variables().kind = kvListTableRows;
    binding->AttachListView(&list);
    binding->BeforeRefresh();
    binding->AfterRefresh();
    EXPECT_TRUE(name.isEnabled());
}

TEST_F(ListViewTest, AFillErrorOnSelectionIsReportedNotThrown)
{
    QPlainTextEdit memo(&window);
    binding->SetStatusTarget(&memo);
    QCheckBox wrong(&window);
    binding->BindControl(0, &wrong); // an INTEGER without value names in a check box
    binding->AttachListView(&list);
    AddRow("1", "first", "s1", "up", "AA");
    list.setCurrentItem(list.topLevelItem(0));
    EXPECT_TRUE(memo.toPlainText().contains(QString::fromStdString(KvErrorText(-517))));
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

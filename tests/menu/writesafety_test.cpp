// Writes from the generic pages, opened from the main menu against the
// simulator: values that are no value of their variable are refused before
// anything is sent (checked in the simulator's log), the failure names its
// field and is reported with the write's template; an empty write is never
// sent; an error index marks the failed editor or column; display strings
// that hold no text travel as hexadecimal; the USM protocol names; and the
// help says what the program does.
#include "binding/kvfieldmarker.h"
#include "binding/kvgridlinedelegate.h"
#include "binding/kvsnmprequest2edits.h"
#include "binding/kvsnmprequest2leds.h"
#include "common/kvmessages.h"
#include "osprey_config.h"
#include "pages/tconfigform.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmplistviewpanel.h"
#include "pages/tsnmppanel.h"
#include "platform/kvapplication.h"
#include "platform/kvmessagebox.h"
#include "platform/kvprogram.h"
#include "shell/mainmenu.h"
#include "shell/pagecommands.h"
#include "shell/panel/tfrontpanel.h"
#include "tables/pagecatalogue.h"
#include "shell/tmainform.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/snmpeventprocessor.h"
#include "snmp/usmprotocols.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"

#include "menutestwindow.h"
#include "pagevisit.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <map>

namespace {

using pagevisit::MemoOf;
using pagevisit::VisitPage;

const std::string kEnt = OSPREY_ENT_OID;
const QString kBadValue = QString::fromStdString(KvErrorText(-518));

class WriteTest : public ::testing::Test {
protected:
    void Start(std::vector<std::string> simArgs = {})
    {
        sim = std::make_unique<SimFixture>(SimFixture::Options{.extraArgs = std::move(simArgs)});
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        window = std::make_unique<MenuTestWindow>(sim->port());
        menu = MainMenu::Of(&window->Form());
        ASSERT_NE(menu, nullptr);
    }

    void SetUp() override
    {
        if (!::testing::Test::HasFatalFailure() && !customStart)
            Start();
    }

    TMainForm& Form() { return window->Form(); }

    // The writes that reached the switch (the front panel's reads go on).
    std::vector<std::string> Sets() const
    {
        std::vector<std::string> sets;
        for (const std::string& line : sim->logLines())
            if (line.rfind("SET ", 0) == 0)
                sets.push_back(line);
        return sets;
    }

    // Opens a page from its menu item and runs `inspect` once it has fetched.
    void Visit(const char* item, const pagevisit::Inspector& inspect)
    {
        EXPECT_TRUE(VisitPage([&] { menu->Click(item); }, inspect)) << item;
    }

    static bool Idle(TConfigForm& form)
    {
        TSNMPLayoutAdapter* a = form.Adapter();
        return a->getComplete && a->setComplete && !form.MainBinding()->busy;
    }

    // Presses a button and waits until the write (and the refresh after it)
    // are over.
    static void Press(TConfigForm& form, QPushButton* button)
    {
        button->click();
        ASSERT_TRUE(kvtest::WaitFor([&] { return Idle(form); }, 10000));
        kvtest::Settle(50);
    }

    static QString LastLine(QPlainTextEdit* memo)
    {
        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return lines.isEmpty() ? QString() : lines.last();
    }

    static QLineEdit* Edit(TConfigForm& form, int entry)
    {
        return qobject_cast<QLineEdit*>(form.Entries()[entry].editor);
    }
    static QComboBox* Combo(TConfigForm& form, int entry)
    {
        return qobject_cast<QComboBox*>(form.Entries()[entry].editor);
    }

    static void CheckOnly(TConfigForm& form, int entry)
    {
        for (int k = 0; k < CountEntries(form.Entries()); ++k)
            if (form.Entries()[k].checkBox)
                form.Entries()[k].checkBox->setChecked(k == entry);
    }

    static bool Marked(TConfigForm& form, QWidget* control)
    {
        return form.MainBinding()->FieldMarker().IsMarked(control);
    }

    // Runs `inside` in the row dialog that `open` opens.
    static void InDialog(TConfigForm& form, QPushButton* open, const std::function<void(TSNMPPanel&)>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            TSNMPLayoutAdapter* adapter = form.Adapter();
            ran = adapter->Dialog() != nullptr;
            if (!ran)
                return;
            inside(*adapter->DialogPanel());
            if (adapter->Dialog())
                adapter->Dialog()->close();
        });
        open->click();
        EXPECT_TRUE(ran) << "no row dialog";
    }

    static void SelectRow(QTreeWidget* list, int row)
    {
        list->setCurrentItem(list->topLevelItem(row));
        list->topLevelItem(row)->setSelected(true);
    }

    bool customStart = false;
    KvMessageBox::Answerer answerer;
    std::unique_ptr<SimFixture> sim;
    std::unique_ptr<MenuTestWindow> window;
    MainMenu* menu = nullptr;
};

class WriteTestWithErrors : public WriteTest {
protected:
    WriteTestWithErrors() { customStart = true; }
};

} // namespace

// 1: "Layer2 Control", System IP 192.168.1.300 was written as 192.168.1.44.
TEST_F(WriteTest, LayerTwoControlRefusesAddressesThatAreNoDottedQuad)
{
    Visit("DeviceControl1", [&](TConfigForm& form) {
        QPlainTextEdit* memo = MemoOf(form);
        TCtrlBtnPanel* bar = form.PagePanel()->BtnPanel;
        QLineEdit* ip = Edit(form, 1);
        ASSERT_EQ(ip->text(), "192.168.1.10");
        sim->clearLog();
        // As the operator did it: every box checked.
        for (const char* text : {"192.168.1.300", "192.168.1.10.5", "-192.168.1.10", "192.168. 1.10"}) {
            SCOPED_TRACE(text);
            ip->setText(text);
            Press(form, bar->SetCheckBtn);
            EXPECT_TRUE(Sets().empty()) << Sets().front();
            EXPECT_TRUE(LastLine(memo).startsWith("Set: System IP: " + kBadValue)) << LastLine(memo).toStdString();
            EXPECT_TRUE(Marked(form, ip));
            EXPECT_EQ(ip->text(), text) << "what was typed stays";
        }
        EXPECT_FALSE(memo->toPlainText().contains("Set: (VoDADI++) Ok!"));

        ip->setText("192.168.1.20");
        Press(form, bar->SetCheckBtn);
        ASSERT_EQ(Sets().size(), 1u);
        EXPECT_NE(Sets()[0].find(kEnt + ".11.36.2.5.2.2.0 IPADDRESS 192.168.1.20"), std::string::npos) << Sets()[0];
        EXPECT_FALSE(Marked(form, ip));
        EXPECT_EQ(ip->text(), "192.168.1.20");
    });
}

// 1, row dialogs: the IP parts of a new IP mask row.
TEST_F(WriteTest, RowDialogRefusesAnAddressPartAbove255BeforeCreatingTheRow)
{
    Visit("IPMaskInformation1", [&](TConfigForm& form) {
        sim->clearLog();
        InDialog(form, form.Adapter()->AddBtn, [&](TSNMPPanel& dialog) {
            Edit(form, 0)->setText("9");
            for (int k : {1, 2, 5, 6, 7, 8, 9, 10, 13, 15})
                Combo(form, k)->setCurrentIndex(0);
            Edit(form, 3)->setText("10.0.0.256");
            Edit(form, 4)->setText("10.0.0.1");
            for (int k : {11, 12, 14})
                Edit(form, k)->setText("0");
            Press(form, dialog.BtnPanel->SetCheckBtn);
            EXPECT_TRUE(Sets().empty()) << "neither the row nor its columns";
            EXPECT_TRUE(LastLine(dialog.MsgPanel->Memo).startsWith("Set: Ip Address Mask Source: " + kBadValue))
                << LastLine(dialog.MsgPanel->Memo).toStdString();
            EXPECT_TRUE(Marked(form, Edit(form, 3)));
        });
    });
}

// 2: "twelve" was sent as 0 and "15 minutes" as 15 (a Gauge in a "%s" editor).
TEST_F(WriteTest, RadiusDeadTimeRefusesTextThatIsNoWholeNumber)
{
    Visit("BasicConfiguration1", [&](TConfigForm& form) {
        QPlainTextEdit* memo = MemoOf(form);
        TCtrlBtnPanel* bar = form.PagePanel()->BtnPanel;
        QLineEdit* minutes = Edit(form, 0);
        sim->clearLog();
        for (const char* text : {"twelve", "15 minutes", "4294967296", "-3"}) {
            SCOPED_TRACE(text);
            minutes->setText(text);
            Press(form, bar->SetCheckBtn);
            EXPECT_TRUE(Sets().empty());
            // 5: a conversion failure of a write is a "Set:" line.
            EXPECT_TRUE(LastLine(memo).startsWith("Set: Dead Time Minutes: " + kBadValue))
                << LastLine(memo).toStdString();
        }
        minutes->setText("12");
        Press(form, bar->SetCheckBtn);
        ASSERT_EQ(Sets().size(), 1u);
        EXPECT_NE(Sets()[0].find(kEnt + ".12.3.2.1.0 GAUGE32 12"), std::string::npos) << Sets()[0];
    });
}

// 3: a mask "GGHHIIJJKKLL" was written as 000000000000.
TEST_F(WriteTest, MaskEditorRefusesBadHexOddCountsAndWrongLengths)
{
    Visit("EthernetMask1", [&](TConfigForm& form) {
        QTreeWidget* list = form.ListViewPanel()->ListView();
        ASSERT_GE(list->topLevelItemCount(), 2);
        SelectRow(list, 1);
        sim->clearLog();
        InDialog(form, form.Adapter()->SetBtn, [&](TSNMPPanel& dialog) {
            CheckOnly(form, 3);
            QLineEdit* mask = Edit(form, 3);
            for (const char* text : {"GGHHIIJJKKLL", "FFFFFF00000", "FFFFFF0000"}) {
                SCOPED_TRACE(text);
                mask->setText(text);
                Press(form, dialog.BtnPanel->SetCheckBtn);
                EXPECT_TRUE(Sets().empty());
                EXPECT_TRUE(LastLine(dialog.MsgPanel->Memo).startsWith("Set: Mac Address Mask Sourcc: " + kBadValue))
                    << LastLine(dialog.MsgPanel->Memo).toStdString();
            }
            mask->setText("FFFFFF000001");
            Press(form, dialog.BtnPanel->SetCheckBtn);
            ASSERT_EQ(Sets().size(), 1u);
            EXPECT_NE(Sets()[0].find(kEnt + ".11.5.1.1.1.4.2 STRING 0xFFFFFF000001"), std::string::npos) << Sets()[0];
        });
    });
}

// 4: Aging Time 5 (range 10-765) was sent when Set Check was pressed without
// the focus leaving the field.
TEST_F(WriteTest, AgingTimeOutOfRangeIsRefusedWithoutAFocusChange)
{
    Visit("Information1", [&](TConfigForm& form) {
        QPlainTextEdit* memo = MemoOf(form);
        QLineEdit* aging = Edit(form, 4);
        ASSERT_EQ(aging->text(), "300");
        sim->clearLog();
        aging->setText("5");             // no focus change: the field is never left
        form.Adapter()->DoSetSelected(); // as a keyboard shortcut would
        ASSERT_TRUE(kvtest::WaitFor([&] { return Idle(form); }, 5000));
        EXPECT_TRUE(Sets().empty());
        EXPECT_TRUE(LastLine(memo).startsWith(
            "Set: Aging Time[10-765]: (KvCommon) Please enter a number between 10 and 765!. Receive at "))
            << LastLine(memo).toStdString();
        EXPECT_TRUE(answerer.shown().empty());
        EXPECT_EQ(aging->text(), "5");
        EXPECT_TRUE(Marked(form, aging));

        aging->setText("765");
        Press(form, form.PagePanel()->BtnPanel->SetCheckBtn);
        ASSERT_EQ(Sets().size(), 1u);
        EXPECT_NE(Sets()[0].find("1.3.6.1.2.1.17.4.2.0 INTEGER 765"), std::string::npos) << Sets()[0];
    });
}

// 6: Add with a combo box left empty sent INTEGER 0 ("Wrong Value!", no field named).
TEST_F(WriteTest, AddWithAnEmptyChoiceIsRefusedNamingTheField)
{
    Visit("EthernetMask1", [&](TConfigForm& form) {
        sim->clearLog();
        InDialog(form, form.Adapter()->AddBtn, [&](TSNMPPanel& dialog) {
            Edit(form, 0)->setText("5");
            Combo(form, 1)->setCurrentText("enabled");
            // Entry 2, "Mac Address Mask State", stays empty.
            Edit(form, 3)->setText("FFFFFF000000");
            Edit(form, 4)->setText("000000000000");
            for (int k : {5, 6, 7})
                Combo(form, k)->setCurrentIndex(0);
            ASSERT_EQ(Combo(form, 2)->currentIndex(), -1);
            Press(form, dialog.BtnPanel->SetCheckBtn);
            EXPECT_TRUE(Sets().empty()) << "not even the row status";
            EXPECT_TRUE(LastLine(dialog.MsgPanel->Memo)
                            .startsWith("Set: Mac Address Mask State: (KvCommon) Empty value is not allowed!"))
                << LastLine(dialog.MsgPanel->Memo).toStdString();
            EXPECT_TRUE(Marked(form, Combo(form, 2)));
            EXPECT_TRUE(Combo(form, 2)->toolTip().startsWith("Mac Address Mask State: "));
        });
        EXPECT_EQ(form.ListViewPanel()->ListView()->topLevelItemCount(), 2);
    });
}

// 7: the per-port "Port Information" page offered Set Check and sent an empty SET.
TEST_F(WriteTest, PortInformationOffersNoWriteAndAnEmptyWriteIsNeverSent)
{
    const PageCommand& information = *kvtables::FindPageByName("PortInformation2");
    EXPECT_TRUE(VisitPage([&] { pagecommands::OpenPortPage(Form(), information, 7); },
                          [&](TConfigForm& form) {
                              TCtrlBtnPanel* bar = form.PagePanel()->BtnPanel;
                              EXPECT_TRUE(bar->SetCheckBtn->isHidden());
                              EXPECT_TRUE(bar->CheckAllBtn->isHidden());
                              EXPECT_TRUE(bar->ClearChecksBtn->isHidden());
                              sim->clearLog();
                              // Reached anyway (a shortcut): the engine refuses the empty list.
                              form.Adapter()->DoSetSelected();
                              ASSERT_TRUE(kvtest::WaitFor([&] { return Idle(form); }, 5000));
                              EXPECT_TRUE(Sets().empty());
                              const QString line = LastLine(MemoOf(form));
                              EXPECT_TRUE(line.startsWith(QString::fromStdString("Set: " + KvErrorText(-411))))
                                  << line.toStdString();
                              EXPECT_FALSE(line.contains("Ok!"));
                          }));
    // A page with something to write keeps its button.
    Visit("BasicConfiguration1",
          [&](TConfigForm& form) { EXPECT_FALSE(form.PagePanel()->BtnPanel->SetCheckBtn->isHidden()); });
}

// 8: an error status with an error index: the status line as the message set
// words it, and the failed editor marked.
TEST_F(WriteTest, AnErrorIndexMarksTheFailedEditorAndKeepsTheStatusLine)
{
    Visit("DeviceControl1", [&](TConfigForm& form) {
        QPlainTextEdit* memo = MemoOf(form);
        QLineEdit* vlan = Edit(form, 4);
        sim->clearLog();
        vlan->setText("5000"); // the editor takes any number; the switch 1..4094
        Press(form, form.PagePanel()->BtnPanel->SetCheckBtn);
        ASSERT_EQ(Sets().size(), 1u);
        const std::string wrongValue = KvErrorText(-110);
        bool reported = false;
        for (const QString& line : memo->toPlainText().split('\n'))
            reported = reported || line.startsWith(QString::fromStdString("Set: " + wrongValue + ". Receive at "));
        EXPECT_TRUE(reported) << memo->toPlainText().toStdString();
        EXPECT_TRUE(Marked(form, vlan));
        EXPECT_EQ(vlan->toolTip().toStdString(), "Management VLan Id: " + wrongValue);
        for (int k : {0, 1, 2, 3, 5, 6})
            EXPECT_FALSE(Marked(form, form.Entries()[k].editor)) << k;
        // What was typed stays (no read overwrites it after a failed write);
        // the mark stays until the operator changes the field or writes again.
        EXPECT_EQ(vlan->text(), "5000");
        EXPECT_TRUE(Marked(form, vlan));
        vlan->setText("2");
        Press(form, form.PagePanel()->BtnPanel->SetCheckBtn);
        EXPECT_FALSE(Marked(form, vlan));
        EXPECT_TRUE(LastLine(memo).contains("Ok!")) << LastLine(memo).toStdString();
    });
}

TEST_F(WriteTestWithErrors, AnErrorIndexOfAWalkMarksTheListColumn)
{
    Start({"--error-oid", "ENT.11.36.2.6.2.1.3=genErr"});
    Visit("PortControl1", [&](TConfigForm& form) {
        QTreeWidget* list = form.ListViewPanel()->ListView();
        const QString line = LastLine(MemoOf(form));
        EXPECT_TRUE(line.startsWith(QString::fromStdString("Get: " + KvErrorText(-105) + ". Receive at ")))
            << line.toStdString();
        int column = -1;
        for (int c = 0; c < list->columnCount(); ++c)
            if (list->headerItem()->text(c) == "Nway State")
                column = c;
        ASSERT_GE(column, 0);
        KvFieldMarker& marker = form.MainBinding()->FieldMarker();
        EXPECT_TRUE(marker.IsColumnMarked(list, column));
        EXPECT_EQ(list->headerItem()->toolTip(column).toStdString(), "Nway State: " + KvErrorText(-105));
        for (int c = 0; c < list->columnCount(); ++c) {
            if (c != column) {
                EXPECT_FALSE(marker.IsColumnMarked(list, c)) << c;
            }
        }
    });
}

// 10: a display string with bytes that are no text (the community's context
// engine ID) showed "\xEF\xBF\xBD"; it shows as hexadecimal and is written
// back as the same octets.
TEST_F(WriteTest, CommunityContextEngineIdShowsAndWritesItsOctetsInHex)
{
    Visit("CommunityStringTable1", [&](TConfigForm& form) {
        QTreeWidget* list = form.ListViewPanel()->ListView();
        int column = -1;
        for (int c = 0; c < list->columnCount(); ++c)
            if (list->headerItem()->text(c) == "Context Engine ID")
                column = c;
        ASSERT_GE(column, 0);
        ASSERT_GE(list->topLevelItemCount(), 1);
        const QString shown = list->topLevelItem(0)->text(column);
        EXPECT_TRUE(QRegularExpression("^0x80[0-9A-F]+$").match(shown).hasMatch()) << shown.toStdString();

        SelectRow(list, 0);
        sim->clearLog();
        InDialog(form, form.Adapter()->SetBtn, [&](TSNMPPanel& dialog) {
            EXPECT_EQ(Edit(form, 3)->text(), shown);
            CheckOnly(form, 3);
            Press(form, dialog.BtnPanel->SetCheckBtn);
        });
        ASSERT_EQ(Sets().size(), 1u);
        EXPECT_NE(Sets()[0].find(" STRING " + shown.toStdString()), std::string::npos) << Sets()[0];
        EXPECT_EQ(list->topLevelItem(0)->text(column), shown);
    });
}

// 11: the user table showed 1.3.6.1.6.3.10.1.2.4 for AES.
TEST_F(WriteTest, UserTableNamesTheAesAndShaProtocols)
{
    Visit("UserTable1", [&](TConfigForm& form) {
        QTreeWidget* list = form.ListViewPanel()->ListView();
        auto columnOf = [&](const char* caption) {
            for (int c = 0; c < list->columnCount(); ++c)
                if (list->headerItem()->text(c) == caption)
                    return c;
            return -1;
        };
        const int name = columnOf("User Name");
        const int auth = columnOf("Authentication Protocol");
        const int priv = columnOf("Privacy Protocol");
        ASSERT_TRUE(name >= 0 && auth >= 0 && priv >= 0);
        std::map<std::string, std::pair<std::string, std::string>> protocols;
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            QTreeWidgetItem* row = list->topLevelItem(r);
            protocols[row->text(name).toStdString()] = {row->text(auth).toStdString(), row->text(priv).toStdString()};
        }
        EXPECT_EQ(protocols["sha-user"], std::make_pair(std::string("SHA"), std::string("AES")));
        EXPECT_EQ(protocols["md5-user"], std::make_pair(std::string("MD5"), std::string("DES")));
    });
}

// 12: the help said the LEDs stay white when unreadable (they turn black)
// and listed only DES for /p although /p4 (AES) works.
TEST_F(WriteTest, HelpDescribesTheProtocolsAndLedsAsTheProgramHasThem)
{
    QFile file(QString::fromStdString(KvProgram::directory() + "Osprey 2.HLP"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QString help = QString::fromUtf8(file.readAll());
    const QRegularExpressionMatch row =
        QRegularExpression("<tt>/p</tt>, <tt>/P</tt></td><td>privacy protocol \\(([^)]*)\\)").match(help);
    ASSERT_TRUE(row.hasMatch());
    EXPECT_EQ(row.captured(1).toStdString(), UsmProtocols::Listing(UsmProtocols::Priv()));
    const QRegularExpressionMatch authRow =
        QRegularExpression("<tt>/a</tt>, <tt>/A</tt></td><td>authentication protocol \\(([^)]*)\\)").match(help);
    ASSERT_TRUE(authRow.hasMatch());
    EXPECT_EQ(authRow.captured(1).toStdString(), UsmProtocols::Listing(UsmProtocols::Auth()));

    // Every privacy protocol the help names works against the switch.
    struct User {
        int priv;
        const char* name;
        int auth;
        const char* authPassword;
        const char* privPassword;
    };
    for (const User& u :
         {User{2, SimFixture::md5User, 2, SimFixture::md5AuthPassword, SimFixture::md5PrivPassword},
          User{4, SimFixture::shaUser, 3, SimFixture::shaAuthPassword, SimFixture::shaPrivPassword},
          User{20, SimFixture::sha384User, 6, SimFixture::sha384AuthPassword, SimFixture::sha384PrivPassword},
          User{21, SimFixture::sha512User, 7, SimFixture::sha512AuthPassword, SimFixture::sha512PrivPassword}}) {
        SCOPED_TRACE(u.priv);
        EXPECT_TRUE(row.captured(1).contains(QString::number(u.priv) + " "));
        static const VarDef kSysName[] = {
            {"1.3.6.1.2.1.1.5", "Name", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
            {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
        };
        KvSNMPRequest request;
        request.variables = KvSNMPVarList(kSysName, kvListScalars, 0);
        request.address = "127.0.0.1";
        request.port = sim->port();
        request.version = 3;
        request.securityModel = 3;
        request.securityLevel = 3;
        request.securityName = u.name;
        request.authProtocol = u.auth;
        request.authPassword = u.authPassword;
        request.privProtocol = u.priv;
        request.privPassword = u.privPassword;
        EXPECT_NO_THROW(request.Fetch(true));
        EXPECT_FALSE(request.variables[0].value.empty());
    }

    // The LEDs of an unreadable switch, and what the help says of them.
    EXPECT_TRUE(help.contains("The front panel's LEDs turn black"));
    EXPECT_FALSE(help.contains("white"));
    KvSNMPRequest2Leds& leds = *Form().FrontPanel->LedRequest;
    ASSERT_TRUE(kvtest::WaitFor([&] { return leds.Records()[0]->colour != 0; }, 8000)) << "power lit first";
    sim->stop();
    leds.request.timeout = 20;
    leds.request.retries = 0;
    ASSERT_TRUE(kvtest::WaitFor([&] { return leds.Records()[0]->colour == 0; }, 10000));
    for (const auto& record : leds.Records())
        EXPECT_EQ(record->colour, 0x000000) << "black, byte " << record->byteIndex;
}

int main(int argc, char** argv)
{
    kvtest::UseOffscreenPlatform();
    KvApplication app(argc, argv);
    SnmpEventProcessor eventProcessor;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "common/kvmessages.h"

namespace {

// A private temporary directory per test, removed afterwards.
class MessageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KvResetMessageSets();
        char pattern[] = "/tmp/kvcommon-msg-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        KvResetMessageSets();
        for (const std::string& f : files_)
            unlink(f.c_str());
        rmdir(dir_.c_str());
    }
    std::string Write(const std::string& name, const std::string& bytes)
    {
        std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        files_.push_back(path);
        return path;
    }

    std::string dir_;
    std::vector<std::string> files_;
};

KvMessageSet& Common()
{
    return KvMessages(KvMessageSetId::Common);
}

// Descriptors this process has open.
int OpenDescriptors()
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}
KvMessageSet& Library()
{
    return KvMessages(KvMessageSetId::KvSnmp);
}

} // namespace

TEST(MessageSets, BuiltInTextsAndCodeMapping)
{
    KvResetMessageSets();
    const struct {
        KvMessageSetId id;
        int count;
    } counts[] = {{KvMessageSetId::Common, 19},    {KvMessageSetId::Snmp, 18},      {KvMessageSetId::SnmpV3, 17},
                  {KvMessageSetId::Usm, 14},       {KvMessageSetId::SnmpClass, 25}, {KvMessageSetId::KvSnmp, 29},
                  {KvMessageSetId::StatusLines, 2}};
    for (const auto& c : counts) {
        EXPECT_EQ(KvMessages(c.id).Count(), c.count) << KvMessageFileName(c.id);
        EXPECT_FALSE(KvMessages(c.id).IsLoaded());
    }

    // Ends of every code range, and the texts whose oddities are part of them.
    EXPECT_EQ(KvErrorText(0), "(VoDADI++) Ok!");
    EXPECT_EQ(KvErrorText(-1), "(KvCommon) Bad logic operand!");
    EXPECT_EQ(KvErrorText(-2), "(KvCommon) Bad format specifier of edit's constraint!");
    EXPECT_EQ(KvErrorText(-18), "(KvCommon) Fail to read option data from file([FILENAME])!");
    EXPECT_EQ(KvErrorText(-101), "(SNMP) Response PDU Too Big!");
    EXPECT_EQ(KvErrorText(-118), "(SNMP) Cannot create variable, Inconsistent Name!");
    EXPECT_EQ(KvErrorText(-201), "(SNMPv3) Unsupported Security Model!");
    EXPECT_EQ(KvErrorText(-217), "(SNMPv3) Report sent!");
    EXPECT_EQ(KvErrorText(-301), "(SNMPv3USM) error!");
    EXPECT_EQ(KvErrorText(-314), "(SNMPv3USM) Address error!");
    EXPECT_EQ(KvErrorText(-401), "(SNMPClass) Operation failed!");
    EXPECT_EQ(KvErrorText(-409), "(SNMPClass)Unknown error code!");
    EXPECT_EQ(KvErrorText(-420), "(SNMP Class) Transport is not supported!");
    EXPECT_EQ(KvErrorText(-423), "(SNMPClass) Blocked Mode Shutdown!");
    EXPECT_EQ(KvErrorText(-424), "(SNMPClass) Agent answered out of order, table walk stopped!");
    EXPECT_EQ(KvErrorText(-425), "(SNMPClass) Table walk stopped, the list may be incomplete!");
    EXPECT_EQ(KvErrorText(-501), "(VoDADI++) Fail to read SNMP variables from file([FILENAME])!");
    EXPECT_EQ(KvErrorText(-509), "(VoDADI++) Invalid IP Address or DNS name!");
    EXPECT_EQ(KvErrorText(-528), "(VoDADI++) Unknown error code!");
    EXPECT_EQ(KvMessageText(KvMessageSetId::Common, 14), "(KvCommon) The source to dncrypt is not encrypted!");
    EXPECT_EQ(KvMessageText(KvMessageSetId::Common, 9),
              "(KvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\n"
              "Here,the count of the number is less than [MAXCOUNT]!");
    EXPECT_EQ(KvStatusTemplate(false), "Get: [ERROR] Request:[VARLIST]. Receive at [TIME].");
    EXPECT_EQ(KvStatusTemplate(true), "Set: [ERROR] Request:[VARLIST]. Receive at [TIME].");

    // Codes between and beyond the ranges do not borrow a neighbour's text.
    for (int code : {-19, -100, -119, -200, -218, -315, -426, -500, -529, 1, -100000})
        EXPECT_EQ(KvErrorText(code), "(VoDADI++) Unknown error code!") << code;

    try {
        KvRaise(-107);
        FAIL() << "KvRaise returned";
    } catch (const KvError& e) {
        EXPECT_EQ(e.code(), -107);
        EXPECT_STREQ(e.what(), "(SNMP) Cannot create/modify variable, Wrong Type!");
    }
    EXPECT_EQ(KvMessageFileName(KvMessageSetId::Common), std::string("errmsg\\common.err"));
    EXPECT_EQ(KvMessageFileName(KvMessageSetId::StatusLines), std::string("errmsg\\snmp.msg"));
}

TEST_F(MessageFileTest, FilesThatLeaveTheBuiltInTextsInForce)
{
    EXPECT_FALSE(Common().Load(dir_ + "/missing.err"));
    EXPECT_FALSE(Common().Load(Write("empty.err", "")));
    EXPECT_FALSE(Common().Load(Write("blank.err", "\n   \n\t\r\n \x01 \n\r\n")));
    EXPECT_FALSE(Common().Load(dir_));
    EXPECT_FALSE(Common().Load("/dev/zero")); // would never end
    std::string fifo = dir_ + "/fifo.err";    // would block the open
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    files_.push_back(fifo);
    EXPECT_FALSE(Common().Load(fifo));
    EXPECT_FALSE(Common().IsLoaded());
    EXPECT_EQ(Common().Lookup(1), "(KvCommon) Bad logic operand!");
}

TEST(MessageSets, NamedCodesGiveTheTextsOfTheirLines)
{
    KvResetMessageSets();
    const struct {
        int code;
        const char* text;
    } named[] = {
        {kvErrOk, "(VoDADI++) Ok!"},
        {kvErrNoSuchName, "(SNMP) Variable does not exist!"},
        {kvErrTimeout, "(SNMPClass) SNMP request timed out!"},
        {kvErrVarFileRead, "(VoDADI++) Fail to read SNMP variables from file([FILENAME])!"},
        {kvErrVarFileAccess, "(VoDADI++) Bad access type at line([LINENO])in SNMP variables file([FILENAME])!"},
        {kvErrNoSession, "(VoDADI++) Cannot create the global VoDADI++ session!"},
        {kvErrBootCounterLoad, "(VoDADI++) Error when loading SNMP engine boots counter!"},
        {kvErrBootCounterSave, "(VoDADI++) Error when saving SNMP engine boots counter!"},
        {kvErrBadAddress, "(VoDADI++) Invalid IP Address or DNS name!"},
        {kvErrGetNextOnScalars, "(VoDADI++) Can't send get-next command for a SNMP variable list with single value!"},
        {kvErrBadSyntax, "(VoDADI++) Bad SNMP syntax!"},
        {kvErrNullInExpression, "(VoDADI++) Null value in the expression!"},
        {kvErrExpressionSyntax, "(VoDADI++) Bad SNMP syntax in the expression!"},
        {kvErrBadKeyCount, "(VoDADI++) Bad key count of SNMP variable list!"},
        {kvErrBadListKind, "(VoDADI++) Bad item type of SNMP variable list!"},
        {kvErrBadAssociatedList, "(VoDADI++) Bad item type of associated SNMP variable list!"},
        {kvErrBadPartSyntax, "(VoDADI++) Bad syntax of the associated SNMP variable's (partial) data!"},
        {kvErrBadValue, "(VoDADI++) Bad value of the associated SNMP variable's (partial) data!"},
        {kvErrOutOfRange,
         "(VoDADI++) Out of range for the bit(byte) index of the associated SNMP variable's (partial) data!"},
        {kvErrNoOptionList, "(VoDADI++) No reference option list for a SNMP variable's (partial) data associating with "
                            "a optional visual control!"},
        {kvErrBadControl, "(VoDADI++) Bad type of the associated visual control!"},
        {kvErrTooFewControls, "(VoDADI++) Count of the associated visual controls is not enough!"},
        {kvErrNoStartTime, "(VoDADI++) No system start time for the time whose data source is the SNMP variable's "
                           "(partial) data with syntax timeticks!"},
        {kvErrTooFewHistoryItems, "(VoDADI++) Count of the value items for the chart's history data is not enough!"},
        {kvErrLogNotConnected, "(VoDADI++) Log database is not connected!"},
        {kvErrLogFieldNotFound, "(VoDADI++) Log database field not found!"},
        {kvErrBadChartSyntax, "(VoDADI++) Bad syntax for the history chart of log!"},
        {kvErrUnknownCode, "(VoDADI++) Unknown error code!"},
    };
    for (const auto& n : named)
        EXPECT_EQ(KvErrorText(n.code), n.text) << n.code;
    // The range ends are the codes whose texts end each set.
    EXPECT_EQ(KvErrorText(kvErrCommonLast), "(KvCommon) Fail to read option data from file([FILENAME])!");
    EXPECT_EQ(KvErrorText(kvErrSnmpLast), "(SNMP) Cannot create variable, Inconsistent Name!");
    EXPECT_EQ(KvErrorText(kvErrSnmpV3Last), "(SNMPv3) Report sent!");
    EXPECT_EQ(KvErrorText(kvErrUsmLast), "(SNMPv3USM) Address error!");
    EXPECT_EQ(KvErrorText(kvErrSnmpClassLast), "(SNMPClass) Table walk stopped, the list may be incomplete!");
    EXPECT_EQ(KvErrorText(kvErrKvSnmpLast), "(VoDADI++) Unknown error code!");
}

TEST_F(MessageFileTest, EveryLoadClosesItsFile)
{
    const std::string good = Write("good.err", "zero\none\n");
    const std::string blank = Write("blank.err", "\n \n\t\n");
    const std::string empty = Write("empty.err", "");
    const int before = OpenDescriptors();
    for (int i = 0; i < 50; ++i) {
        EXPECT_TRUE(Common().Load(good));
        EXPECT_FALSE(Common().Load(blank));
        EXPECT_FALSE(Common().Load(empty));
        EXPECT_FALSE(Common().Load(dir_ + "/missing.err"));
        EXPECT_FALSE(Common().Load(dir_));
    }
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_EQ(Common().Lookup(1), "one");
}

TEST_F(MessageFileTest, LineRulesOfTheFileFormat)
{
    // Third line blank: the fourth becomes line 2. Spaces around a message and
    // CR LF line ends; no line end after the last line.
    ASSERT_TRUE(Common().Load(Write("c.err", "zero\r\none\n\t \r\n  two  \r\nthree\tx\rthree\n\nfour")));
    EXPECT_EQ(Common().Count(), 5);
    EXPECT_EQ(Common().Lookup(0), "zero");
    EXPECT_EQ(Common().Lookup(1), "one");
    EXPECT_EQ(Common().Lookup(2), "  two  ");
    EXPECT_EQ(Common().Lookup(3), "three\tx\rthree"); // a CR inside a line is kept
    EXPECT_EQ(Common().Lookup(4), "four");
    // Lines the file does not have fall back to the built-in texts.
    EXPECT_EQ(Common().Lookup(5), "(KvCommon) Please enter a string whose length is [LEN]!");
    EXPECT_EQ(Common().Lookup(7), Common().BuiltInText(7));
    EXPECT_EQ(Common().Lookup(19), "");
    EXPECT_EQ(Common().Lookup(-1), "");
}

TEST_F(MessageFileTest, LongLinesAreReadIn1023CharacterPieces)
{
    const std::string a(1023, 'a');
    const std::string b(977, 'b');
    const std::string c(1022, 'c');
    // 2000 characters give two messages; exactly 1023 and a line end give one;
    // 1022 and CR LF (the CR ending the first piece) give one without the CR.
    ASSERT_TRUE(Common().Load(Write("long.err", a + b + "\n" + a + "\n" + c + "\r\nlast\n")));
    ASSERT_EQ(Common().Count(), 5);
    EXPECT_EQ(Common().Lookup(0), a);
    EXPECT_EQ(Common().Lookup(1), b);
    EXPECT_EQ(Common().Lookup(2), a);
    EXPECT_EQ(Common().Lookup(3), c);
    EXPECT_EQ(Common().Lookup(4), "last");
}

TEST_F(MessageFileTest, LoadedLibrarySetDrivesRaisedErrors)
{
    std::string text;
    for (int i = 0; i < 29; ++i)
        text += "file line " + std::to_string(i) + "\n";
    ASSERT_TRUE(Library().Load(Write("kvsnmp.err", text)));
    try {
        KvRaise(-509);
        FAIL();
    } catch (const KvError& e) {
        EXPECT_EQ(e.code(), -509);
        EXPECT_EQ(e.message(), "file line 9");
    }
    EXPECT_EQ(KvErrorText(0), "file line 0");
    EXPECT_EQ(KvErrorText(-12345), "file line 28");

    // A second load replaces the whole set; a later blank file does not.
    ASSERT_TRUE(Library().Load(Write("short.err", "only\n")));
    EXPECT_EQ(KvErrorText(0), "only");
    EXPECT_EQ(KvErrorText(-509), "(VoDADI++) Invalid IP Address or DNS name!");
    EXPECT_FALSE(Library().Load(Write("blank.err", "\n\n")));
    EXPECT_EQ(KvErrorText(0), "only");

    KvResetMessageSets();
    EXPECT_EQ(KvErrorText(-509), "(VoDADI++) Invalid IP Address or DNS name!");
}

TEST_F(MessageFileTest, ShippedFilesHoldTheBuiltInTexts)
{
    for (int i = 0; i < kKvMessageSetCount; ++i) {
        const auto id = static_cast<KvMessageSetId>(i);
        std::string name = KvMessageFileName(id);
        std::string path = std::string(KV_SHIPPED_ERRMSG_DIR) + "/" + name.substr(name.find('\\') + 1);
        KvMessageSet& set = KvMessages(id);
        ASSERT_TRUE(set.Load(path)) << path;
        ASSERT_EQ(set.Count(), set.BuiltInCount()) << path;
        for (int line = 0; line < set.Count(); ++line) {
            std::string expected = set.BuiltInText(line);
            // A file line cannot hold a line break: the shipped files carry a
            // blank where three common texts break their line.
            if (id == KvMessageSetId::Common && (line >= 9 && line <= 11)) {
                ASSERT_NE(expected.find('\n'), std::string::npos);
                expected[expected.find('\n')] = ' ';
            }
            EXPECT_EQ(set.Lookup(line), expected) << path << " line " << line;
        }
    }
}

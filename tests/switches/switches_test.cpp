// The switch list without a keyring: its list file, the checks of a switch's
// fields, the start script's former file, the command line, the dialog, and
// the window and the command line changing one list at once. (The keyring
// itself and the command lines of the programs it opens are keyring_test.sh's;
// it also runs the window against a keyring that does not answer, the last
// test here.)
#include "switches/switchcommand.h"
#include "switches/switchdialog.h"
#include "switches/switchlist.h"
#include "switches/switchlistfile.h"
#include "switches/switchmigration.h"
#include "switches/switchopener.h"
#include "switches/switchsecretstore.h"
#include "switches/switchvalidation.h"
#include "switches/switchwindow.h"
#include "tempdir.h"
#include "tests/support/qttesthelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <csignal>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

SwitchRecord V3Switch()
{
    SwitchRecord r;
    r.name = "core-1";
    r.address = "192.0.2.10";
    r.port = 1161;
    r.version = kvVersion3;
    r.user = "admin";
    r.securityLevel = kvSecurityLevelAuthPriv;
    r.authProtocol = kvAuthMd5;
    r.privProtocol = kvPrivAes256;
    r.contextName = "ctx";
    r.contextEngineId = "800007e580";
    return r;
}

KvHandedSecrets Communities(const char* read, const char* write)
{
    KvHandedSecrets s;
    s.read = read;
    s.write = write;
    return s;
}

int Mode(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

TEST(SwitchListFile, KeepsEverySettingButNoSecretInAFileOnlyItsOwnerReads)
{
    TempDir dir;
    SwitchRecord v2c;
    v2c.name = "edge \"7\"";
    v2c.address = "edge-7.example.net";
    const std::vector<SwitchRecord> records = {V3Switch(), v2c};
    SwitchListFile file(dir.file("sub/list.json"));
    std::string error;
    ASSERT_TRUE(file.Save(records, error)) << error;
    EXPECT_EQ(Mode(file.Path()), 0600);
    EXPECT_EQ(fs::directory_iterator(dir.file("sub"))->path().filename(), "list.json") << "no temporary file left";

    std::vector<SwitchRecord> read;
    std::string message;
    ASSERT_EQ(SwitchListFile(file.Path()).Load(read, message), SwitchListFile::Loaded::Read);
    EXPECT_EQ(read, records);
    const std::string text = ReadWholeFile(file.Path());
    for (const char* key : {"password", "community", "secret"})
        EXPECT_EQ(text.find(key), std::string::npos) << key;
}

TEST(SwitchListFile, ADamagedFileIsKeptAsideAndNeverOverwritten)
{
    for (const char* damaged :
         {"{\"format\": 1, \"switches\": [", "not json at all",
          "{\"format\": 1, \"switches\": [{\"name\": \"a\", \"address\": \"h\", \"port\": 0, "
          "\"version\": \"2c\"}]}",
          "{\"format\": 1, \"switches\": [{\"name\": \"a\", \"address\": \"h\", \"port\": 161, "
          "\"version\": \"3\", \"level\": \"authPriv\", \"auth\": \"ROT13\", \"priv\": \"AES\"}]}"}) {
        TempDir dir;
        const std::string path = dir.write("list.json", damaged);
        SwitchListFile file(path);
        std::vector<SwitchRecord> records = {V3Switch()};
        std::string message;
        EXPECT_EQ(file.Load(records, message), SwitchListFile::Loaded::Damaged) << damaged;
        EXPECT_TRUE(records.empty());
        EXPECT_NE(message.find("damaged"), std::string::npos) << message;
        // The damaged text is kept, under the name the message gives.
        const size_t at = message.find("kept as ");
        ASSERT_NE(at, std::string::npos) << message;
        const std::string aside = message.substr(at + 8, message.find(';', at) - at - 8);
        EXPECT_EQ(ReadWholeFile(aside), damaged);
        std::string error;
        EXPECT_TRUE(file.Save({V3Switch()}, error));
        EXPECT_EQ(ReadWholeFile(aside), damaged);
    }
}

TEST(SwitchValidation, SaysWhichFieldIsWrongAndWhy)
{
    struct Case {
        const char* what;
        void (*change)(SwitchRecord&, KvHandedSecrets&);
        SwitchField field;
        const char* says;
    };
    const Case cases[] = {
        {"empty name", [](SwitchRecord& r, KvHandedSecrets&) { r.name = ""; }, SwitchField::Name, "name is empty"},
        {"taken name", [](SwitchRecord& r, KvHandedSecrets&) { r.name = "Taken"; }, SwitchField::Name,
         "already called"},
        {"tab in name", [](SwitchRecord& r, KvHandedSecrets&) { r.name = "a\tb"; }, SwitchField::Name, "tab"},
        {"65 characters", [](SwitchRecord& r, KvHandedSecrets&) { r.name = std::string(64, 'n') + "\xc3\xa9"; },
         SwitchField::Name, "65 characters; at most 64"},
        {"bad address", [](SwitchRecord& r, KvHandedSecrets&) { r.address = "192.0.2.300"; }, SwitchField::Address,
         "neither an IPv4 address"},
        {"blank in address", [](SwitchRecord& r, KvHandedSecrets&) { r.address = "a b"; }, SwitchField::Address,
         "neither"},
        {"port 0", [](SwitchRecord& r, KvHandedSecrets&) { r.port = 0; }, SwitchField::Port, "1 and 65535"},
        {"empty read community", [](SwitchRecord&, KvHandedSecrets& s) { s.read = ""; }, SwitchField::ReadCommunity,
         "read community is empty"},
        {"no write community", [](SwitchRecord&, KvHandedSecrets& s) { s.write.reset(); }, SwitchField::WriteCommunity,
         "write community is empty"},
        {"line break in community", [](SwitchRecord&, KvHandedSecrets& s) { s.read = "a\nwrite=b"; },
         SwitchField::ReadCommunity, "line break"},
        {"v3 without user",
         [](SwitchRecord& r, KvHandedSecrets& s) {
             r = V3Switch();
             s.auth = s.priv = "long-enough";
             r.user = "";
         },
         SwitchField::User, "user is empty"},
        {"v3 user of 33 bytes",
         [](SwitchRecord& r, KvHandedSecrets& s) {
             r = V3Switch();
             s.auth = s.priv = "long-enough";
             r.user = std::string(31, 'u') + "\xc3\xa9";
         },
         SwitchField::User, "33 bytes; SNMPv3 allows at most 32"},
        {"short auth password",
         [](SwitchRecord& r, KvHandedSecrets& s) {
             r = V3Switch();
             s.auth = "1234567";
             s.priv = "long-enough";
         },
         SwitchField::AuthPassword, "at least 8 characters"},
        {"short priv password",
         [](SwitchRecord& r, KvHandedSecrets& s) {
             r = V3Switch();
             s.auth = "long-enough";
             s.priv = "short";
         },
         SwitchField::PrivPassword, "at least 8 characters"},
    };
    // Context engine IDs: 5-32 bytes in hexadecimal, or none; a name of 64
    // characters and a user of 32 bytes are taken.
    SwitchRecord v3 = V3Switch();
    KvHandedSecrets v3Secrets;
    v3Secrets.auth = v3Secrets.priv = "long-enough";
    for (const std::string& bad : {std::string("zz"), std::string("800007e5"), std::string("800007e58"),
                                   std::string(66, 'a'), std::string("0x800007e580")}) {
        v3.contextEngineId = bad;
        const std::vector<SwitchFieldError> errors = SwitchValidation::Check(v3, v3Secrets, {});
        ASSERT_EQ(errors.size(), 1u) << bad;
        EXPECT_EQ(errors[0].field, SwitchField::ContextEngineId) << bad;
        EXPECT_NE(errors[0].message.find("hexadecimal"), std::string::npos) << errors[0].message;
    }
    v3.name = std::string(63, 'n') + "\xc3\xa9";
    v3.user = std::string(32, 'u');
    for (const std::string& good : {std::string(), std::string("80001f8880"), std::string(64, 'F')}) {
        v3.contextEngineId = good;
        EXPECT_TRUE(SwitchValidation::Check(v3, v3Secrets, {}).empty()) << good;
    }
    // Under authNoPriv the privacy password is not asked for, under noAuthNoPriv neither.
    SwitchRecord r = V3Switch();
    KvHandedSecrets s;
    s.auth = "long-enough";
    r.securityLevel = kvSecurityLevelAuthNoPriv;
    EXPECT_TRUE(SwitchValidation::Check(r, s, {}).empty());
    r.securityLevel = kvSecurityLevelNoAuthNoPriv;
    EXPECT_TRUE(SwitchValidation::Check(r, KvHandedSecrets(), {}).empty());

    uint16_t port = 0;
    std::string problem;
    for (const char* bad : {"0", "65536", "", "16 1", "-1", "0x10", "99999999"})
        EXPECT_FALSE(SwitchValidation::ParsePort(bad, port, problem)) << bad;
    EXPECT_TRUE(SwitchValidation::ParsePort("65535", port, problem));
    EXPECT_EQ(port, 65535);
    for (const char* bad : {"10.1", "010.1.1.1", "1.2.3.4.5", "1.2.3.", "256.1.1.1"})
        EXPECT_FALSE(SwitchValidation::IsIpv4Address(bad)) << bad;
}

TEST(SwitchMigration, ReadsTheOldLinesAndBlanksTheirSecrets)
{
    const std::string old = "# my switches\n"
                            "/I192.0.2.10 /Rpublic /Wprivate\n"
                            "\n"
                            "/I192.0.2.11 /v3 /t1161 /nadmin /l3 /a3 /Aauth-secret /p4 /Ppriv-secret\n"
                            "/I192.0.2.10 /Rother /Wother2\n";
    const std::vector<SwitchMigration::Entry> entries = SwitchMigration::Parse(old, {"192.0.2.11"});
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].record.name, "192.0.2.10");
    EXPECT_EQ(entries[0].record.version, kvVersion2c);
    EXPECT_EQ(entries[0].secrets.read, "public");
    EXPECT_EQ(entries[0].secrets.write, "private");
    EXPECT_EQ(entries[1].record.name, "192.0.2.11 (2)");
    EXPECT_EQ(entries[1].record.port, 1161);
    EXPECT_EQ(entries[1].record.user, "admin");
    EXPECT_EQ(entries[1].record.authProtocol, kvAuthSha);
    EXPECT_EQ(entries[1].record.privProtocol, kvPrivAes128);
    EXPECT_EQ(entries[1].secrets.priv, "priv-secret");
    EXPECT_EQ(entries[2].record.name, "192.0.2.10 (2)");

    const std::string blanked = SwitchMigration::Blanked(old);
    for (const char* secret : {"public", "private", "auth-secret", "priv-secret", "other"})
        EXPECT_EQ(blanked.find(secret), std::string::npos) << secret << " in " << blanked;
    EXPECT_NE(blanked.find("/I192.0.2.10 /R... /W..."), std::string::npos) << blanked;

    // Without a keyring the file stays where it is, for a later start.
    TempDir dir;
    const std::string file = dir.write("switches", old);
    SwitchSecretStore memory(false);
    std::vector<SwitchRecord> records;
    std::string message;
    EXPECT_FALSE(SwitchMigration::Run(file, records, memory, message));
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(ReadWholeFile(file), old);
    EXPECT_NE(message.find("no keyring"), std::string::npos) << message;
}

TEST(SwitchOpener, TheIniFileHoldsTheSettingsAndNoSecret)
{
    const std::string ini = SwitchOpener::IniText(V3Switch());
    for (const char* line : {"AgentPort=1161\n", "Version=3\n", "ContextName=ctx\n", "ContextEngineID=800007e580\n",
                             "SecurityModel=3\n", "SecurityLevel=2\n", "SecurityName=admin\n", "AuthProtocol=1\n",
                             "PrivProtocol=20\n", "AuthPassword=\n", "PrivPassword=\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in " << ini;
    SwitchRecord v1;
    v1.name = "old";
    v1.address = "192.0.2.1";
    v1.version = kvVersion1;
    EXPECT_NE(SwitchOpener::IniText(v1).find("SecurityLevel=0\nSecurityName=\nAuthProtocol=0\nPrivProtocol=0\n"),
              std::string::npos);
    EXPECT_EQ(SwitchOpener::Arguments(V3Switch()), (std::vector<std::string>{"/I192.0.2.10", "/v3"}));
}

struct Command {
    TempDir dir;
    SwitchSecretStore store{false};
    std::string out, err;
    int Run(std::vector<std::string> arguments, const std::string& input = "")
    {
        std::istringstream in(input);
        std::ostringstream o, e;
        const int status = SwitchCommand(dir.file("list.json"), store, in, o, e).Run(arguments);
        out = o.str();
        err = e.str();
        return status;
    }
    bool ListExists() const { return fs::exists(dir.file("list.json")); }
};

TEST(SwitchCommand, BadInputGetsAMessageAndSavesNothing)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* input;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"frobnicate"}, "", 2, "unknown command"},
        {{"list", "x"}, "", 2, "takes no argument"},
        {{"open"}, "", 2, "one NAME"},
        {{"add", "--address", "192.0.2.1"}, "", 2, "NAME of the switch comes first"},
        {{"add", "a", "--address", "192.0.2.1"}, "", 2, "--version 1, 2c or 3 is needed"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "4"}, "", 2, "is not 1, 2c or 3"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "2c", "--port", "0"},
         "read=r\nwrite=w\n",
         2,
         "between 1 and 65535"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "2c", "--read", "public"}, "", 2, "unknown option"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "2c", "--port"}, "", 2, "needs a value"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "2c", "--user", "u"}, "", 2, "for --version 3 only"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "3", "--user", "u", "--auth", "SHA-1024"},
         "",
         2,
         "is not one of MD5|SHA"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "3", "--user", "u", "--level", "4"},
         "",
         2,
         "--level \"4\""},
        {{"add", "a", "--address", "192.0.2.1", "--version", "2c"}, "read=r\npassword=x\n", 2, "line 2 is not"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "2c"}, "read=r\n", 2, "write community is empty"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "3", "--user", "u"},
         "auth=12345678\npriv=1234\n",
         2,
         "priv=: The privacy password must have at least 8"},
        {{"add", "a", "--address", "not an address", "--version", "2c"}, "read=r\nwrite=w\n", 2, "neither"},
        {{"add", std::string(5000, 'x'), "--address", "192.0.2.1", "--version", "2c"},
         "read=r\nwrite=w\n",
         2,
         "NAME: The name has 5000 characters"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "3", "--user", std::string(40, 'u'), "--level", "1"},
         "",
         2,
         "--user: The SNMPv3 user has 40 bytes"},
        {{"add", "a", "--address", "192.0.2.1", "--version", "3", "--user", "u", "--level", "1", "--context-engine-id",
          "zz"},
         "",
         2,
         "--context-engine-id: The context engine ID must be empty"},
        {{"add", "a", "--address", "no-such-host.invalid", "--version", "2c"},
         "read=r\nwrite=w\n",
         1,
         "does not resolve"},
        // Valid, but without a keyring the secrets cannot be kept.
        {{"add", "a", "--address", "192.0.2.1", "--version", "2c"}, "read=r\nwrite=w\n", 1, "no keyring answers"},
        {{"remove", "a"}, "", 1, "no switch is called \"a\""},
        {{"open", "a"}, "", 1, "no switch is called \"a\""},
    };
    for (const Case& c : cases) {
        Command command;
        EXPECT_EQ(command.Run(c.arguments, c.input), c.status) << c.says;
        EXPECT_NE(command.err.find(c.says), std::string::npos) << c.says << " in " << command.err;
        EXPECT_FALSE(command.ListExists()) << c.says;
        EXPECT_EQ(command.err.find("1234"), std::string::npos) << "a secret in the message: " << command.err;
    }
}

TEST(SwitchCommand, AddsListsAndRemoves)
{
    Command command;
    ASSERT_EQ(command.Run({"add", "lab", "--address", "127.0.0.1", "--port", "16161", "--version", "3", "--user",
                           "noauth-user", "--level", "1"}),
              0)
        << command.err;
    ASSERT_EQ(command.Run({"add", "LAB", "--address", "127.0.0.1", "--version", "3", "--user", "x", "--level", "1"}),
              2);
    EXPECT_NE(command.err.find("already called"), std::string::npos) << command.err;
    ASSERT_EQ(command.Run({"list"}), 0);
    EXPECT_EQ(command.out, "lab\t127.0.0.1\t16161\t3\n");
    EXPECT_EQ(Mode(command.dir.file("list.json")), 0600);
    ASSERT_EQ(command.Run({"remove", "lab"}), 0) << command.err;
    ASSERT_EQ(command.Run({"list"}), 0);
    EXPECT_EQ(command.out, "");
}

// Runs `dialog`'s OK and gives whether it closed accepted.
bool PressOk(SwitchDialog& dialog)
{
    dialog.show();
    dialog.accept();
    QApplication::processEvents();
    return dialog.result() == QDialog::Accepted;
}

TEST(SwitchDialog, MarksTheFieldsInErrorAndStaysOpenUntilAllAreValid)
{
    SwitchRecord start;
    SwitchDialog dialog(SwitchDialog::Mode::Add, start, KvHandedSecrets(), {"core-1"});
    auto* name = dialog.findChild<QLineEdit*>();
    ASSERT_NE(name, nullptr);
    auto line = [&](const char* accessible) {
        for (QLineEdit* e : dialog.findChildren<QLineEdit*>())
            if (e->accessibleName() == accessible)
                return e;
        ADD_FAILURE() << accessible;
        return name;
    };
    line("Name")->setText("core-1");
    line("Address")->setText("192.0.2");
    line("Agent port")->setText("65536");
    EXPECT_FALSE(PressOk(dialog));
    EXPECT_NE(dialog.FieldMessage(SwitchField::Name).indexOf("already called"), -1);
    EXPECT_NE(dialog.FieldMessage(SwitchField::Address).indexOf("neither"), -1);
    EXPECT_NE(dialog.FieldMessage(SwitchField::Port).indexOf("65536"), -1);
    EXPECT_NE(dialog.FieldMessage(SwitchField::ReadCommunity).indexOf("empty"), -1);
    EXPECT_FALSE(line("Address")->styleSheet().isEmpty()) << "the field is marked";
    EXPECT_EQ(line("Address")->accessibleDescription(), dialog.FieldMessage(SwitchField::Address));

    // SNMPv3: the communities are no longer asked for, the passwords are.
    auto* version = dialog.findChildren<QComboBox*>().front();
    version->setCurrentIndex(version->findText("3"));
    line("Name")->setText("core-2");
    line("Address")->setText("192.0.2.20");
    line("Agent port")->setText("161");
    line("User")->setText("admin");
    line("Authentication password")->setText("short");
    line("Privacy password")->setText("long-enough");
    EXPECT_FALSE(PressOk(dialog));
    EXPECT_TRUE(dialog.FieldMessage(SwitchField::ReadCommunity).isEmpty());
    EXPECT_NE(dialog.FieldMessage(SwitchField::AuthPassword).indexOf("at least 8"), -1);
    EXPECT_TRUE(dialog.FieldMessage(SwitchField::Address).isEmpty());

    line("Context engine ID")->setText("zz");
    EXPECT_FALSE(PressOk(dialog));
    EXPECT_NE(dialog.FieldMessage(SwitchField::ContextEngineId).indexOf("hexadecimal"), -1);

    line("Context engine ID")->setText("");
    line("Authentication password")->setText("long-enough-too");
    EXPECT_TRUE(PressOk(dialog));
    const SwitchRecord r = dialog.Record();
    EXPECT_EQ(r.name, "core-2");
    EXPECT_EQ(r.port, 161);
    EXPECT_EQ(r.version, kvVersion3);
    EXPECT_EQ(dialog.Secrets().auth, "long-enough-too");
    EXPECT_FALSE(dialog.Secrets().read) << "no community kept for an SNMPv3 switch";
}

SwitchRecord V2cSwitch(const std::string& name)
{
    SwitchRecord r;
    r.name = name;
    r.address = "192.0.2.1";
    return r;
}

std::vector<std::string> NamesIn(const std::string& listFile)
{
    std::vector<SwitchRecord> records;
    std::string message;
    SwitchListFile(listFile).Load(records, message);
    std::vector<std::string> names;
    for (const SwitchRecord& r : records)
        names.push_back(r.name);
    return names;
}

// Two programs on one list (the window and a command, say), each with the
// copy it read at its start: every change is made to the file as it is now.
TEST(SwitchList, ChangesOfTwoProgramsAreAppliedToTheFileAsItIsNow)
{
    TempDir dir;
    const std::string path = dir.file("list.json");
    SwitchSecretStore windowStore(false), shellStore(false);
    SwitchList window(path, windowStore), shell(path, shellStore);
    bool kept = false;
    std::string error;
    ASSERT_TRUE(window.Put("", V2cSwitch("a"), Communities("r", "w"), false, kept, error)) << error;
    ASSERT_TRUE(window.Put("", V2cSwitch("b"), Communities("r", "w"), false, kept, error)) << error;
    std::vector<std::string> notes;
    shell.Load(notes);
    ASSERT_TRUE(shell.Put("", V2cSwitch("from-shell"), Communities("r", "w"), false, kept, error)) << error;
    ASSERT_TRUE(shell.Remove("a", error)) << error;

    // The window's copy still has "a" and lacks "from-shell".
    ASSERT_TRUE(window.Find("a"));
    ASSERT_TRUE(window.Remove("b", error)) << error;
    EXPECT_EQ(NamesIn(path), (std::vector<std::string>{"from-shell"}));
    EXPECT_EQ(window.Records().size(), 1u) << "the window shows what it wrote";

    // A name added meanwhile is refused, whatever its case; so is editing or
    // removing a switch removed meanwhile.
    ASSERT_TRUE(shell.Put("", V2cSwitch("late"), Communities("r", "w"), false, kept, error)) << error;
    ASSERT_TRUE(window.Put("", V2cSwitch("x"), Communities("r", "w"), false, kept, error)) << error;
    EXPECT_FALSE(window.Put("", V2cSwitch("LATE"), Communities("r2", "w2"), false, kept, error));
    EXPECT_NE(error.find("already called \"late\""), std::string::npos) << error;
    KvHandedSecrets secrets;
    EXPECT_FALSE(windowStore.Load("LATE", secrets)) << "no secrets kept for a change not made";
    ASSERT_TRUE(shell.Remove("x", error)) << error;
    EXPECT_FALSE(window.Put("x", V2cSwitch("x"), Communities("r", "w"), false, kept, error));
    EXPECT_NE(error.find("no longer in the list"), std::string::npos) << error;
    EXPECT_FALSE(window.Remove("x", error));
    EXPECT_EQ(NamesIn(path), (std::vector<std::string>{"from-shell", "late"}));

    // Reload shows the other program's changes.
    ASSERT_TRUE(shell.Put("", V2cSwitch("newer"), Communities("r", "w"), false, kept, error)) << error;
    EXPECT_TRUE(window.Reload(notes));
    EXPECT_TRUE(window.Find("newer"));
    EXPECT_FALSE(window.Reload(notes));
}

TEST(SwitchList, ANameGivenTwiceInAHandEditedFileKeepsItsFirstSwitchAndTheFileAside)
{
    TempDir dir;
    const std::string text = R"({"format": 1, "switches": [
        {"name": "core", "address": "192.0.2.1", "port": 161, "version": "2c"},
        {"name": "edge", "address": "192.0.2.2", "port": 161, "version": "2c"},
        {"name": "CORE", "address": "192.0.2.3", "port": 161, "version": "2c"}]})";
    const std::string path = dir.write("list.json", text);
    SwitchSecretStore store(false);
    SwitchList list(path, store);
    std::vector<std::string> notes;
    list.Load(notes);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("gives the name \"CORE\" to more than one switch"), std::string::npos) << notes[0];
    ASSERT_EQ(list.Records().size(), 2u);
    EXPECT_EQ(list.Records()[0].address, "192.0.2.1");
    // The file as it was, aside under the name the note gives; the list without the second "core".
    const size_t at = notes[0].find("kept as ");
    ASSERT_NE(at, std::string::npos) << notes[0];
    EXPECT_EQ(ReadWholeFile(notes[0].substr(at + 8, notes[0].size() - at - 9)), text);
    EXPECT_EQ(NamesIn(path), (std::vector<std::string>{"core", "edge"}));
}

QLineEdit* Line(QWidget* dialog, const char* accessible)
{
    for (QLineEdit* e : dialog->findChildren<QLineEdit*>())
        if (e->accessibleName() == accessible)
            return e;
    ADD_FAILURE() << accessible;
    return nullptr;
}

// The window and a command on one list: the window shows what the command
// changed and never writes back its old copy; a long name is elided.
TEST(SwitchWindow, ShowsWhatOthersChangedAndKeepsItsColumnsInSight)
{
    TempDir dir;
    const std::string path = dir.file("list.json");
    SwitchSecretStore windowStore(false), shellStore(false);
    SwitchList shell(path, shellStore);
    bool kept = false;
    std::string error;
    const std::string longName(SwitchValidation::kMaxNameLength, 'L');
    ASSERT_TRUE(shell.Put("", V2cSwitch(longName), Communities("r", "w"), false, kept, error)) << error;
    ASSERT_TRUE(shell.Put("", V2cSwitch("gone"), Communities("r", "w"), false, kept, error)) << error;
    SwitchList list(path, windowStore);
    std::vector<std::string> notes;
    list.Load(notes);
    SwitchWindow window(list, notes);
    window.show();
    QTreeWidget* tree = window.List();
    EXPECT_LE(tree->columnWidth(SwitchWindow::Name), SwitchWindow::kMaxNameColumnWidth);
    EXPECT_LT(tree->header()->sectionViewportPosition(SwitchWindow::LastAnswer), tree->viewport()->width())
        << "the last column is in sight";

    ASSERT_TRUE(shell.Put("", V2cSwitch("cli-added"), Communities("r", "w"), false, kept, error)) << error;
    ASSERT_TRUE(shell.Remove("gone", error)) << error;
    ASSERT_TRUE(kvtest::WaitFor([&] { return tree->topLevelItemCount() == 2; }, 5000));
    window.Select(longName);
    window.RemoveSwitch(false);
    EXPECT_EQ(NamesIn(path), (std::vector<std::string>{"cli-added"}));
}

// Run by keyring_test.sh with the keyring stopped (SIGSTOP): Add waits for it
// in vain, says so, and keeps what was typed; the keyring, woken up, answers
// a request still alive, and the write it then makes is taken back.
TEST(SwitchWindow, AKeyringThatDoesNotAnswerLeavesTheWindowUpAndTheInputInTheDialog)
{
    const char* stopped = std::getenv("OSPREY_TEST_STOPPED_KEYRING_PID");
    if (!stopped)
        GTEST_SKIP() << "keyring_test.sh runs it, with a stopped keyring";
    TempDir dir;
    SwitchSecretStore store(true);
    store.SetTimeoutForTests(1500);
    SwitchList list(dir.file("list.json"), store);
    std::vector<std::string> notes;
    list.Load(notes);
    SwitchWindow window(list, notes);
    window.show();
    int dialogs = 0;
    QString said, nameKept, readKept;
    QTimer operatorHand;
    QObject::connect(&operatorHand, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            said = box->text();
            box->button(QMessageBox::Ok)->click();
        } else if (auto* dialog = qobject_cast<SwitchDialog*>(modal)) {
            if (dialogs++ == 0) {
                Line(dialog, "Name")->setText("stalled");
                Line(dialog, "Address")->setText("127.0.0.1");
                Line(dialog, "Read community")->setText("stalled-read");
                Line(dialog, "Write community")->setText("stalled-write");
                dialog->accept();
            } else {
                nameKept = Line(dialog, "Name")->text();
                readKept = Line(dialog, "Read community")->text();
                dialog->reject();
            }
        }
    });
    operatorHand.start(50);
    window.AddSwitch();
    operatorHand.stop();
    EXPECT_NE(said.indexOf("did not answer"), -1) << said.toStdString();
    EXPECT_EQ(nameKept, "stalled");
    EXPECT_EQ(readKept, "stalled-read");
    EXPECT_TRUE(list.Records().empty());
    EXPECT_TRUE(window.isVisible());

    ::kill(std::atoi(stopped), SIGCONT);
    kvtest::Settle(3000);
    EXPECT_TRUE(kvtest::WaitFor(
        [] {
            SwitchSecretStore awake(true);
            KvHandedSecrets secrets;
            return !awake.Load("stalled", secrets) && awake.LastProblem().empty();
        },
        10000))
        << "the late write is taken back";
    EXPECT_TRUE(window.isVisible());
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

// The switch list without a keyring: its list file, the checks of a switch's
// fields, the start script's former file, the command line and the dialog.
// (The keyring itself and the command lines of the programs it opens are
// keyring_test.sh's.)
#include "switches/switchcommand.h"
#include "switches/switchdialog.h"
#include "switches/switchlistfile.h"
#include "switches/switchmigration.h"
#include "switches/switchopener.h"
#include "switches/switchsecretstore.h"
#include "switches/switchvalidation.h"
#include "tempdir.h"
#include "tests/support/qttesthelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
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
    for (const Case& c : cases) {
        SwitchRecord r;
        r.name = "lab";
        r.address = "192.0.2.1";
        KvHandedSecrets s = Communities("public", "private");
        EXPECT_TRUE(SwitchValidation::Check(r, s, {"taken"}).empty());
        c.change(r, s);
        const std::vector<SwitchFieldError> errors = SwitchValidation::Check(r, s, {"taken"});
        ASSERT_EQ(errors.size(), 1u) << c.what;
        EXPECT_EQ(errors[0].field, c.field) << c.what;
        EXPECT_NE(errors[0].message.find(c.says), std::string::npos) << c.what << ": " << errors[0].message;
        for (const char* secret : {"1234567", "short", "a\nwrite"})
            EXPECT_EQ(errors[0].message.find(secret), std::string::npos) << c.what;
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

    line("Authentication password")->setText("long-enough-too");
    EXPECT_TRUE(PressOk(dialog));
    const SwitchRecord r = dialog.Record();
    EXPECT_EQ(r.name, "core-2");
    EXPECT_EQ(r.port, 161);
    EXPECT_EQ(r.version, kvVersion3);
    EXPECT_EQ(dialog.Secrets().auth, "long-enough-too");
    EXPECT_FALSE(dialog.Secrets().read) << "no community kept for an SNMPv3 switch";
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

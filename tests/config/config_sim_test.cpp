// osprey-config against the switch simulator, run as the operator runs it:
// the program's switches, a registry stand-in and the per-switch INI file that
// gives the simulator's port.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "osprey_config.h"
#include "tests/export/exportrun.h"
#include "tests/export/exportsetup.h"
#include "tests/support/simfixture.h"

namespace {

const std::string kEnt = OSPREY_ENT_OID;
const std::string kVlanName = "1.3.6.1.2.1.17.7.1.4.3.1.1";
const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kPortAdmin = kEnt + ".11.36.2.6.2.1.2";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

size_t CountSets(const SimFixture& sim)
{
    const auto lines = sim.logLines();
    return static_cast<size_t>(
        std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("SET", 0) == 0; }));
}

// The bundled switch set up differently: other VLAN names, an extra VLAN
// with port 21 in it, another port state.
std::string OtherSwitch()
{
    std::istringstream in(ReadFile(OSPREY_SIM_DATA));
    std::string out;
    for (std::string line; std::getline(in, line);) {
        auto starts = [&](const std::string& prefix) { return line.rfind(prefix, 0) == 0; };
        if (starts(kVlanName + ".10 ")) {
            out += kVlanName + ".10 string rc \"marketing\" size=0..32\n";
        } else if (starts("1.3.6.1.2.1.17.7.1.4.3.1.5.[1,10,20,30]")) {
            out += kVlanName + ".40 string rc \"lab\" size=0..32\n"
                               "1.3.6.1.2.1.17.7.1.4.3.1.2.40 hex rc 00000800 size=4\n"
                               "1.3.6.1.2.1.17.7.1.4.3.1.3.40 hex rc 00000000 size=4\n"
                               "1.3.6.1.2.1.17.7.1.4.3.1.4.40 hex rc 00000800 size=4\n"
                               "1.3.6.1.2.1.17.7.1.4.3.1.5.[1,10,20,30,40] integer rc 1 rowstatus\n";
        } else if (starts("1.3.6.1.2.1.17.7.1.4.5.1.1.[21..26]")) {
            out += "1.3.6.1.2.1.17.7.1.4.5.1.1.21 gauge32 rw 40 range=1..4094\n"
                   "1.3.6.1.2.1.17.7.1.4.5.1.1.[22..26] gauge32 rw 1 range=1..4094\n";
        } else if (starts("ENT.11.36.2.6.2.1.2.[1..22]")) {
            out += "ENT.11.36.2.6.2.1.2.[1..21] integer rw 3 enum=1,2,3\n"
                   "ENT.11.36.2.6.2.1.2.22 integer rw 2 enum=1,2,3\n";
        } else {
            out += line + "\n";
        }
    }
    return out;
}

class ConfigSim : public ::testing::Test {
protected:
    std::unique_ptr<SimFixture> Start(SimFixture::Options options = {})
    {
        auto sim = std::make_unique<SimFixture>(std::move(options));
        std::string error;
        EXPECT_TRUE(sim->start(&error)) << error;
        setup_.WriteIniFile("127.0.0.1", sim->port());
        return sim;
    }

    ExportResult Config(const std::vector<std::string>& options, int limitMs = 120000)
    {
        std::vector<std::string> arguments{"/I127.0.0.1", "/Rravine", "/Wlantern"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        ExportProcess process(setup_.Directory(), setup_.RegistryPath());
        process.program = OSPREY_CONFIG_PATH;
        process.environment.emplace_back("OSPREY_JOURNAL_DIR", journalDir_.empty() ? File("journal") : journalDir_);
        return process.Run(arguments, limitMs);
    }

    // A snapshot of the switch the INI file names, kept as `name`.
    std::string Snapshot(const std::string& name)
    {
        const ExportResult result = Config({"snapshot"});
        EXPECT_EQ(result.status, 0) << result.err;
        std::ofstream(File(name)) << result.out;
        return File(name);
    }

    int Set(const SimFixture& sim, const std::string& oid, const std::string& type, const std::string& value)
    {
        const std::string command =
            "snmpset -v2c -c lantern -t 2 " + sim.peer() + " " + oid + " " + type + " '" + value + "' > /dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string File(const std::string& name) const { return setup_.Directory() + "/" + name; }

    ExportSetup setup_;
    std::string journalDir_; // empty: "journal" in the test's folder
};

TEST_F(ConfigSim, SnapshotsOfAnIdleSwitchAreIdenticalAndDiffNamesExactlyTheOutsideWrites)
{
    auto sim = Start();
    const std::string a = Snapshot("a.json");
    const std::string text = ReadFile(a);
    // Settings only, and nothing secret.
    EXPECT_NE(text.find("\"VLAN Name\""), std::string::npos);
    EXPECT_NE(text.find("\"System IP\""), std::string::npos);
    for (const char* left : {"lantern", "ravine", "System Reboot State", "sysUpTime", "Counter32", "TimeTicks"})
        EXPECT_EQ(text.find(left), std::string::npos) << left;
    sleep(2); // counters, uptimes and the LEDs move
    const std::string b = Snapshot("b.json");
    EXPECT_EQ(ReadFile(b), text);
    const ExportResult same = Config({"diff", a, b});
    EXPECT_EQ(same.status, 0) << same.out << same.err;
    EXPECT_EQ(same.out, "");

    ASSERT_EQ(Set(*sim, kSysName, "s", "closet-7"), 0);
    ASSERT_EQ(Set(*sim, kPortAdmin + ".5", "i", "2"), 0);
    const ExportResult live = Config({"diff", a});
    EXPECT_EQ(live.status, 1) << live.err;
    const auto lines = live.OutLines();
    ASSERT_EQ(lines.size(), 2u) << live.out;
    EXPECT_NE(live.out.find(", row 5: Administration State: A \"enabled\", B \"disabled\"\n"), std::string::npos)
        << live.out;
    EXPECT_NE(live.out.find(": sysName: A \"osprey-lab\", B \"closet-7\"\n"), std::string::npos) << live.out;

    // The dry run sends nothing; --apply sends what differs and no more.
    sim->clearLog();
    const ExportResult plan = Config({"restore", a});
    EXPECT_EQ(plan.status, 0) << plan.err;
    EXPECT_NE(plan.out.find("2 write requests planned; nothing was sent"), std::string::npos) << plan.out;
    EXPECT_NE(plan.out.find(kSysName + "  "), std::string::npos) << plan.out;
    EXPECT_EQ(CountSets(*sim), 0u);
    const ExportResult applied = Config({"restore", a, "--apply"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(CountSets(*sim), 2u);
    const ExportResult after = Config({"diff", a});
    EXPECT_EQ(after.status, 0) << after.out << after.err;
}

TEST_F(ConfigSim, SwitchSetUpDifferentlyIsRestoredIntoADefaultOne)
{
    const std::string data = File("other.sim");
    std::ofstream(data) << OtherSwitch();
    auto other = Start({.dataFile = data});
    const std::string wanted = Snapshot("other.json");
    other->stop();

    auto sim = Start({.extraArgs = {"--strict-rowstatus"}});
    const std::string plain = Snapshot("default.json");
    const ExportResult before = Config({"diff", wanted});
    EXPECT_EQ(before.status, 1) << before.err;
    EXPECT_NE(before.out.find(", row 40: removed row"), std::string::npos) << before.out;
    const ExportResult plan = Config({"restore", wanted});
    ASSERT_EQ(plan.status, 0) << plan.err;
    // The VLAN exists before the ports are set.
    const size_t create = plan.out.find("create row \"VLAN Static Form\", row 40");
    const size_t port = plan.out.find(kPortAdmin + ".22  Administration State = \"disabled\" (now \"enabled\")");
    ASSERT_NE(create, std::string::npos) << plan.out;
    ASSERT_NE(port, std::string::npos) << plan.out;
    EXPECT_LT(create, port);
    const ExportResult applied = Config({"restore", wanted, "--apply"});
    EXPECT_EQ(applied.status, 0) << applied.out << applied.err;
    const ExportResult after = Config({"diff", wanted});
    EXPECT_EQ(after.status, 0) << after.out << after.err;
    EXPECT_EQ(after.out, "");

    // A row removed by a restore is journaled whole (its destroy request
    // holds only the row status: the other columns are read first), and its
    // undo adds it back with every value.
    const ExportResult removed = Config({"restore", plain, "--remove-rows", "--apply"});
    ASSERT_EQ(removed.status, 0) << removed.out << removed.err;
    const ExportResult listed = Config({"journal"});
    std::string id;
    for (const std::string& line : listed.OutLines())
        if (line.find("Delete row") != std::string::npos)
            id = line.substr(0, line.find(' '));
    ASSERT_FALSE(id.empty()) << listed.out;
    sim->clearLog();
    const ExportResult undone = Config({"undo", id});
    EXPECT_EQ(undone.status, 0) << undone.out << undone.err;
    const auto wire = sim->logLines();
    ASSERT_EQ(CountSets(*sim), 1u);
    const std::string undoSet =
        *std::find_if(wire.begin(), wire.end(), [](const std::string& line) { return line.rfind("SET", 0) == 0; });
    EXPECT_NE(undoSet.find(kVlanName + ".40 STRING \"lab\""), std::string::npos) << undoSet;
    const ExportResult back = Config({"diff", wanted});
    EXPECT_EQ(back.out.find("row 40"), std::string::npos) << back.out;
}

TEST_F(ConfigSim, DamagedFilesUnreachableSwitchesAndRefusedWritesEndWithTheReason)
{
    auto sim = Start();
    const std::string good = File("good.json");
    {
        const ExportResult result = Config({"snapshot", "--pages", "VLAN Static Form,IF Counters"});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.err.find("\"IF Counters\" holds no writable settings of its own"), std::string::npos)
            << result.err;
        std::ofstream(good) << result.out;
    }
    std::ofstream(File("cut.json")) << ReadFile(good).substr(0, 200);
    std::string foreign = ReadFile(good);
    foreign.replace(foreign.find(kEnt + ".10.26"), (kEnt + ".10.26").size(), "1.3.6.1.4.1.9.1.1");
    std::ofstream(File("foreign.json")) << foreign;
    sim->clearLog();
    const ExportResult cut = Config({"restore", File("cut.json"), "--apply"});
    EXPECT_EQ(cut.status, 2);
    EXPECT_NE(cut.err.find("refused: " + File("cut.json") + ": line "), std::string::npos) << cut.err;
    const ExportResult model = Config({"restore", File("foreign.json"), "--apply"});
    EXPECT_EQ(model.status, 2);
    EXPECT_NE(model.err.find("snapshot of another switch model"), std::string::npos) << model.err;
    // Edited by hand: a value the setting cannot take, a variable given twice.
    const std::string bits = "\"syntax\": \"BITS\", \"value\": \"";
    std::string odd = ReadFile(good);
    odd.replace(odd.find(bits), bits.size(), bits + "X");
    std::ofstream(File("odd.json")) << odd;
    const ExportResult value = Config({"restore", File("odd.json"), "--apply"});
    EXPECT_EQ(value.status, 2);
    EXPECT_NE(value.err.find(", row 1: Egress Ports (1.3.6.1.2.1.17.7.1.4.3.1.2.1) = \"X"), std::string::npos)
        << value.err;
    EXPECT_NE(value.err.find("not hexadecimal octets"), std::string::npos) << value.err;
    std::string twice = ReadFile(good);
    twice.replace(twice.find("1.3.6.1.2.1.17.7.1.4.3.1.3.1\""), 28, "1.3.6.1.2.1.17.7.1.4.3.1.2.1");
    std::ofstream(File("twice.json")) << twice;
    const ExportResult duplicate = Config({"restore", File("twice.json"), "--apply"});
    EXPECT_EQ(duplicate.status, 2);
    EXPECT_NE(duplicate.err.find("(\"Forbidden Egress Ports\"): 1.3.6.1.2.1.17.7.1.4.3.1.2.1 is given twice"),
              std::string::npos)
        << duplicate.err;
    EXPECT_EQ(CountSets(*sim), 0u);
    const ExportResult diff = Config({"diff", File("cut.json"), good});
    EXPECT_EQ(diff.status, 2);

    // A refused write (a name longer than the switch takes) stops the
    // restore and says where.
    std::string renamed = ReadFile(good);
    renamed.replace(renamed.find("\"sales\""), 7, "\"" + std::string(40, 'x') + "\"");
    std::ofstream(File("renamed.json")) << renamed;
    const ExportResult refused = Config({"restore", File("renamed.json"), "--apply"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("restore stopped at request 1 of 1 (\"VLAN Static Form\", row 10, VLAN Name): "),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("nothing was applied before it"), std::string::npos) << refused.err;

    // No answer: the snapshot fails with the status line, and writes nothing.
    sim->stop();
    const ExportResult silent = Config({"snapshot"});
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(silent.out, "");
    EXPECT_NE(silent.err.find("no answer from the switch"), std::string::npos) << silent.err;
    const ExportResult silentDiff = Config({"diff", good});
    EXPECT_EQ(silentDiff.status, 2);

    // A switch that answers the restore's reads, then nothing: the read of
    // what the write overwrites is not answered, so the write is not sent,
    // not journaled, and the message says so.
    auto counted = Start();
    counted->clearLog();
    ASSERT_EQ(Config({"restore", File("renamed.json")}).status, 0);
    const std::string reads = std::to_string(counted->logLines().size());
    counted->stop();
    auto mute = Start({.extraArgs = {"--stop-after", reads}});
    const ExportResult unsent = Config({"restore", File("renamed.json"), "--apply"});
    EXPECT_EQ(unsent.status, 1);
    EXPECT_NE(unsent.err.find("failed: this request was not sent\n  nothing was applied before it"), std::string::npos)
        << unsent.err;
    EXPECT_EQ(unsent.err.find("may have applied"), std::string::npos) << unsent.err;
    EXPECT_EQ(CountSets(*mute), 0u);
    EXPECT_EQ(ReadFile(File("journal") + "/127.0.0.1_" + std::to_string(mute->port()) + ".jsonl"), "");
}

// Every write of a restore is journaled with the value it overwrote (read
// first), before it goes out; undo puts that value back only while the
// switch still holds what was written, and is journaled in turn.
TEST_F(ConfigSim, RestoresAreJournaledAndUndoneOnlyWhileTheSwitchHoldsWhatTheyWrote)
{
    auto sim = Start();
    const std::string a = Snapshot("a.json");
    ASSERT_EQ(Set(*sim, kSysName, "s", "closet-7"), 0);
    sim->clearLog();
    const ExportResult applied = Config({"restore", a, "--apply"});
    ASSERT_EQ(applied.status, 0) << applied.err;
    // On the wire: the old value read, then the set.
    const auto wire = sim->logLines();
    const auto get = std::find(wire.begin(), wire.end(), "GET v2c read: " + kSysName + " NULL");
    const auto set = std::find(wire.begin(), wire.end(), "SET v2c write: " + kSysName + " STRING \"osprey-lab\"");
    ASSERT_NE(set, wire.end());
    EXPECT_LT(get, set);

    const std::string folder = File("journal");
    const std::string file = folder + "/127.0.0.1_" + std::to_string(sim->port()) + ".jsonl";
    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("\"before\":\"closet-7\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"written\":\"osprey-lab\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"outcomeOf\""), std::string::npos) << text;
    for (const char* secret : {"lantern", "ravine"})
        EXPECT_EQ(text.find(secret), std::string::npos) << secret;
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    ExportResult listed = Config({"journal"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    ASSERT_EQ(listed.OutLines().size(), 1u) << listed.out;
    EXPECT_NE(listed.out.find("sysName \"closet-7\" -> \"osprey-lab\";  Ok"), std::string::npos) << listed.out;
    const std::string id = listed.out.substr(0, listed.out.find(' '));

    // Changed by someone else since: refused, named, nothing sent.
    ASSERT_EQ(Set(*sim, kSysName, "s", "closet-9"), 0);
    sim->clearLog();
    const ExportResult refused = Config({"undo"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("sysName: before \"closet-7\", written \"osprey-lab\", now \"closet-9\""),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(CountSets(*sim), 0u);

    // Holding what the entry wrote again: the old value goes back.
    ASSERT_EQ(Set(*sim, kSysName, "s", "osprey-lab"), 0);
    sim->clearLog();
    const ExportResult undone = Config({"undo", id});
    EXPECT_EQ(undone.status, 0) << undone.err;
    const auto undoWire = sim->logLines();
    EXPECT_NE(std::find(undoWire.begin(), undoWire.end(), "SET v2c write: " + kSysName + " STRING \"closet-7\""),
              undoWire.end());
    EXPECT_EQ(CountSets(*sim), 1u);
    listed = Config({"journal"});
    ASSERT_EQ(listed.OutLines().size(), 2u) << listed.out;
    EXPECT_NE(listed.OutLines()[0].find("(undone by "), std::string::npos) << listed.out;
    EXPECT_NE(listed.OutLines()[1].find("Undo of " + id), std::string::npos) << listed.out;

    // Exit statuses: refused 1, usage 2.
    EXPECT_EQ(Config({"undo", id}).status, 1);
    const ExportResult none = Config({"undo"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("nothing to undo"), std::string::npos) << none.err;
    EXPECT_EQ(Config({"undo", "nosuchentry"}).status, 1);
    EXPECT_EQ(Config({"undo", "a", "b"}).status, 2);
    EXPECT_EQ(Config({"undo", ""}).status, 2) << "an empty ID is not the latest entry";
    EXPECT_EQ(Config({"journal", "x"}).status, 2);

    // A damaged line is skipped with a warning; an entry without its outcome
    // (the program ended between) reads "outcome unknown".
    std::string entry = text.substr(0, text.find('\n'));
    entry.replace(entry.find(id), id.size(), "crashed1");
    std::ofstream(file, std::ios::app) << "{\"id\": \"torn\n" << entry << "\n";
    listed = Config({"journal"});
    EXPECT_EQ(listed.status, 0);
    ASSERT_EQ(listed.OutLines().size(), 3u) << listed.out;
    EXPECT_NE(listed.OutLines()[2].find("crashed1"), std::string::npos);
    EXPECT_NE(listed.OutLines()[2].find("outcome unknown"), std::string::npos) << listed.out;
    EXPECT_NE(listed.err.find(file + ":5: damaged"), std::string::npos) << listed.err;

    // Sent without an answer and never applied (the switch holds the values
    // from before): nothing to undo, and said so.
    std::string lost = entry;
    lost.replace(lost.find("crashed1"), 8, "lost1");
    for (size_t at; (at = lost.find("osprey-lab")) != std::string::npos;)
        lost.replace(at, 10, "lost-name");
    std::ofstream(file, std::ios::app) << lost << "\n"
                                       << R"({"outcomeOf":"lost1","outcome":"no answer","result":"sent, no answer"})"
                                       << "\n";
    sim->clearLog();
    const ExportResult unapplied = Config({"undo", "lost1"});
    EXPECT_EQ(unapplied.status, 1);
    EXPECT_NE(unapplied.err.find("seems not to have applied it"), std::string::npos) << unapplied.err;
    EXPECT_EQ(CountSets(*sim), 0u);

    // Two undos of one entry at once: the journal's lock lets one through,
    // the other then finds the entry undone. Both are held at the lock until
    // each has checked the switch.
    ASSERT_EQ(Config({"restore", a, "--apply"}).status, 0);
    listed = Config({"journal"});
    const std::string again = listed.OutLines().back().substr(0, listed.OutLines().back().find(' '));
    const int held = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    sim->clearLog();
    std::vector<std::unique_ptr<ExportProcess>> undos;
    for (int n = 0; n < 2; ++n) {
        undos.push_back(std::make_unique<ExportProcess>(setup_.Directory(), setup_.RegistryPath()));
        undos.back()->program = OSPREY_CONFIG_PATH;
        undos.back()->environment.emplace_back("OSPREY_JOURNAL_DIR", folder);
        std::vector<std::string> received;
        EXPECT_TRUE(undos.back()->StartAndReadLines({"/I127.0.0.1", "/Rravine", "/Wlantern", "undo", again}, 2, 60000,
                                                    received));
    }
    ::close(held);
    const ExportResult one = undos[0]->Finish();
    const ExportResult other = undos[1]->Finish();
    EXPECT_EQ(one.status + other.status, 1) << one.err << other.err;
    EXPECT_NE((one.err + other.err).find("already undone"), std::string::npos) << one.err << other.err;
    EXPECT_EQ(CountSets(*sim), 1u);

    // A journal that cannot be read is an error, not an empty journal.
    std::filesystem::rename(file, file + ".kept");
    std::filesystem::create_directory(file);
    const ExportResult unreadable = Config({"journal"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("cannot be read"), std::string::npos) << unreadable.err;
    std::filesystem::remove(file);
    std::filesystem::rename(file + ".kept", file);

    // A journal that cannot be written stops the write before it goes out.
    ASSERT_EQ(Set(*sim, kSysName, "s", "closet-7"), 0);
    journalDir_ = a + "/journal"; // below a file
    sim->clearLog();
    const ExportResult stopped = Config({"restore", a, "--apply"});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.err.find("change journal " + journalDir_), std::string::npos) << stopped.err;
    EXPECT_NE(stopped.err.find("cannot be written"), std::string::npos) << stopped.err;
    EXPECT_NE(stopped.err.find("was not sent"), std::string::npos) << stopped.err;
    EXPECT_EQ(stopped.err.find("may have applied"), std::string::npos) << stopped.err;
    EXPECT_EQ(CountSets(*sim), 0u);
}

} // namespace

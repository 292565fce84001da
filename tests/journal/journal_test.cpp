// The change journal's file store and reader: what a line holds (and what
// it never holds), lines that cannot be read, which entries are undone, and
// a folder that cannot be written.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/kverror.h"
#include "journal/kvjournal.h"
#include "journal/kvjournalundo.h"
#include "snmp/kvsnmpsession.h"

namespace {

class JournalFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() / ("journal-unit-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    static KvWriteRecord Write(const std::string& oid, const std::string& before, const std::string& written,
                               const std::string& undoes = {})
    {
        KvWriteRecord record;
        record.address = "192.0.2.7";
        record.port = 161;
        record.caption = "System Information";
        record.undoes = undoes;
        KvWriteRecordVariable v;
        v.oid = oid;
        v.label = "name";
        v.syntax = 76;
        v.before = v.beforeWire = before;
        v.written = v.writtenWire = written;
        record.variables.push_back(v);
        return record;
    }

    std::string Text() const
    {
        std::ifstream in(KvJournal(folder_.string()).FileOf("192.0.2.7", 161));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void Ok(KvJournal& journal, const std::string& id) { journal.AfterOutcome(id, KvWriteOutcome{}); }

    std::filesystem::path folder_;
};

TEST_F(JournalFile, SecretsAreNeverWrittenAndTheFileIsNamedByTheSwitch)
{
    KvJournal journal(folder_.string());
    EXPECT_EQ(journal.FileOf("192.0.2.7", 161), folder_.string() + "/192.0.2.7.jsonl");
    EXPECT_EQ(journal.FileOf("192.0.2.7", 1161), folder_.string() + "/192.0.2.7_1161.jsonl");
    EXPECT_EQ(journal.FileOf("../x/y", 161), folder_.string() + "/_.._x_y.jsonl");

    KvWriteRecord record = Write("1.3.6.1.6.3.18.1.1.1.2.112.117.98", "lantern", "ravine");
    record.row.push_back(record.variables[0]); // a deleted community row
    const std::string id = journal.BeforeSend(record);
    journal.BeforeSend(Write("1.3.6.1.2.1.16.9.1.1.4.1", "old-trap-word", "new-trap-word"));
    const std::string text = Text();
    for (const char* secret : {"lantern", "ravine", "old-trap-word", "new-trap-word"})
        EXPECT_EQ(text.find(secret), std::string::npos) << secret;
    const KvJournalLog log = journal.Read("192.0.2.7", 161);
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].write.variables[0].written, kvJournalSecret);
    EXPECT_EQ(log.entries[0].result, "outcome unknown");
    // Such an entry is never undone (no session is needed to say so).
    const KvUndoPlan plan = KvJournalUndo::Plan(log, id);
    EXPECT_FALSE(plan.allowed);
    EXPECT_NE(plan.refusal.find("secret"), std::string::npos) << plan.refusal;
    EXPECT_FALSE(KvJournalIsSecret("1.3.6.1.2.1.16.9.1.1.40"));
    EXPECT_TRUE(KvJournalIsSecret("1.3.6.1.6.3.15.1.2.2.1.6.5.1"));
}

TEST_F(JournalFile, DamagedLinesAreSkippedOneByOneWithTheirLineNumbers)
{
    KvJournal journal(folder_.string());
    const std::string first = journal.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "a", "b"));
    Ok(journal, first);
    {
        std::ofstream out(journal.FileOf("192.0.2.7", 161), std::ios::app);
        out << "{\"id\":\"half\",\"variab\n"                                      // 3: torn
            << "[1,2]\n"                                                          // 4: no object
            << "{\"time\":\"x\",\"variables\":[{\"oid\":\"1.3\"}]}\n"             // 5: no ID
            << "{\"id\":\"" << first << "\",\"variables\":[{\"oid\":\"1.3\"}]}\n" // 6: repeated ID
            << "{\"id\":\"empty\",\"variables\":[]}\n"                            // 7: nothing written
            << "{\"outcomeOf\":\"nobody\",\"outcome\":\"ok\"}\n"                  // 8: outcome of nothing
            << "\n";
    }
    const std::string last = journal.BeforeSend(Write("1.3.6.1.2.1.1.6.0", "c", "d"));
    journal.AfterOutcome(last, KvWriteOutcome{KvWriteOutcome::Kind::NoAnswer, -405, "timed out", {}});
    const KvJournalLog log = journal.Read("192.0.2.7", 161);
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].result, "Ok");
    EXPECT_EQ(log.entries[1].result, "sent, no answer");
    ASSERT_EQ(log.warnings.size(), 6u);
    for (size_t i = 0; i < log.warnings.size(); ++i)
        EXPECT_NE(log.warnings[i].find(".jsonl:" + std::to_string(i + 3) + ": "), std::string::npos) << log.warnings[i];

    // A last line cut short (the outcome of `last`): the next entry starts
    // on a line of its own and is read, undoable.
    const std::string file = journal.FileOf("192.0.2.7", 161);
    std::filesystem::resize_file(file, std::filesystem::file_size(file) - 20);
    const std::string next = journal.BeforeSend(Write("1.3.6.1.2.1.1.4.0", "e", "f"));
    const KvJournalLog after = journal.Read("192.0.2.7", 161);
    ASSERT_NE(after.Find(next), nullptr) << Text();
    EXPECT_EQ(after.LatestUndoable()->id, next);
    EXPECT_EQ(after.warnings.size(), 7u);
    EXPECT_EQ(Text().back(), '\n');
}

TEST_F(JournalFile, AnUndoneUndoPutsItsEntryBackInForce)
{
    KvJournal journal(folder_.string());
    const std::string set = journal.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "a", "b"));
    Ok(journal, set);
    const std::string failed = journal.BeforeSend(Write("1.3.6.1.2.1.1.6.0", "x", "y"));
    journal.AfterOutcome(failed,
                         KvWriteOutcome{KvWriteOutcome::Kind::Failed, -110, "wrong value", "1.3.6.1.2.1.1.6.0"});
    KvJournalLog log = journal.Read("192.0.2.7", 161);
    ASSERT_NE(log.LatestUndoable(), nullptr);
    EXPECT_EQ(log.LatestUndoable()->id, set) << "a failed write is not undone";
    EXPECT_EQ(log.entries[1].result, "wrong value");

    const std::string undo = journal.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "b", "a", set));
    Ok(journal, undo);
    log = journal.Read("192.0.2.7", 161);
    EXPECT_EQ(log.Find(set)->undoneBy, undo);
    EXPECT_EQ(log.LatestUndoable(), nullptr) << "undos are undone only by their ID";
    EXPECT_NE(log.Find(undo)->Summary().find("Undo of " + set), std::string::npos);

    const std::string redo = journal.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "a", "b", undo));
    Ok(journal, redo);
    log = journal.Read("192.0.2.7", 161);
    EXPECT_EQ(log.Find(undo)->undoneBy, redo);
    EXPECT_FALSE(log.Find(set)->Undone());
    EXPECT_EQ(log.LatestUndoable()->id, set);
}

TEST_F(JournalFile, AFolderThatCannotBeMadeStopsTheWrite)
{
    std::filesystem::create_directories(folder_);
    std::ofstream((folder_ / "plain").string()) << "x";
    KvJournal journal((folder_ / "plain" / "journal").string());
    try {
        journal.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "a", "b"));
        ADD_FAILURE() << "no error";
    } catch (const KvError& e) {
        EXPECT_NE(e.message().find("cannot be written"), std::string::npos) << e.message();
        EXPECT_NE(e.message().find("not sent"), std::string::npos) << e.message();
    }
    // The folder is made with its parents, private.
    KvJournal deep((folder_ / "a" / "b").string());
    deep.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "a", "b"));
    EXPECT_EQ(std::filesystem::status(folder_ / "a" / "b").permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
}

// A journal anyone else could write to could hold forged entries that an
// undo would send: a loose folder or file of ours is closed, one of another
// user is refused, for writing and for reading alike.
TEST_F(JournalFile, LooseFoldersAndFilesAreClosedAndThoseOfOthersRefused)
{
    namespace fs = std::filesystem;
    fs::create_directories(folder_);
    fs::permissions(folder_, fs::perms::all);
    KvJournal journal(folder_.string());
    const std::string file = journal.FileOf("192.0.2.7", 161);
    std::ofstream(file) << "";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read | fs::perms::others_write);
    EXPECT_TRUE(journal.Read("192.0.2.7", 161).error.empty());
    EXPECT_EQ(fs::status(folder_).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(file, fs::perms::others_write, std::filesystem::perm_options::add);
    journal.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "a", "b"));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    if (::geteuid() != 0)
        return; // giving a file away needs root
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    EXPECT_NE(journal.Read("192.0.2.7", 161).error.find("belongs to another user"), std::string::npos);
    EXPECT_THROW(journal.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "b", "c")), KvError);
    ASSERT_EQ(::chown(file.c_str(), 0, 0), 0);
    ASSERT_EQ(::chown(folder_.c_str(), 65534, 65534), 0);
    try {
        journal.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "b", "c"));
        ADD_FAILURE() << "no error";
    } catch (const KvError& e) {
        EXPECT_NE(e.message().find(folder_.string() + " belongs to another user"), std::string::npos) << e.message();
    }
    EXPECT_FALSE(journal.Read("192.0.2.7", 161).error.empty());
    ASSERT_EQ(::chown(folder_.c_str(), 0, 0), 0);
}

// A journal that is there but cannot be read is an error, never "no
// entries"; one not written yet is empty.
TEST_F(JournalFile, AJournalThatCannotBeReadIsAnErrorAndAnAbsentOneEmpty)
{
    KvJournal journal(folder_.string());
    KvJournalLog log = journal.Read("192.0.2.7", 161);
    EXPECT_TRUE(log.error.empty() && log.entries.empty()) << log.error;
    std::filesystem::create_directories(journal.FileOf("192.0.2.7", 161));
    log = journal.Read("192.0.2.7", 161);
    EXPECT_NE(log.error.find("a folder, not a file"), std::string::npos) << log.error;
    std::filesystem::remove_all(folder_);
    std::ofstream(folder_.string()) << "x";
    log = journal.Read("192.0.2.7", 161);
    EXPECT_NE(log.error.find("not a folder"), std::string::npos) << log.error;
    std::filesystem::remove(folder_);
}

// Undos are serialised through a lock on the journal file, held across
// processes (and open file descriptions): a second waits, then gives up.
TEST_F(JournalFile, TheJournalLockIsExclusiveAndGivenUpWithItsHolder)
{
    KvJournal journal(folder_.string());
    std::string error;
    {
        const KvJournal::Lock held = journal.Exclusive("192.0.2.7", 161, error);
        ASSERT_TRUE(held.Held()) << error;
        const KvJournal::Lock second = KvJournal(folder_.string()).Exclusive("192.0.2.7", 161, error, 100);
        EXPECT_FALSE(second.Held());
        EXPECT_NE(error.find("another undo"), std::string::npos) << error;
        // Writes go on while it is held (the undo's own).
        journal.BeforeSend(Write("1.3.6.1.2.1.1.5.0", "a", "b"));
    }
    EXPECT_TRUE(journal.Exclusive("192.0.2.7", 161, error, 100).Held()) << error;
}

// A deleted row whose other columns were not recorded is never added back
// empty; an older entry that kept them is still undone.
TEST_F(JournalFile, ADeletedRowIsUndoneOnlyWhenItWasRecordedWhole)
{
    KvJournal journal(folder_.string());
    KvWriteRecord record = Write("1.3.6.1.2.1.17.7.1.4.3.1.5.77", "active", "destroy");
    record.kind = KvWriteRecord::Kind::DestroyRow;
    record.variables[0].rowStatus = true;
    record.row = record.variables;
    const std::string bare = journal.BeforeSend(record);
    Ok(journal, bare);
    KvWriteRecordVariable name = Write("1.3.6.1.2.1.17.7.1.4.3.1.1.77", "seventy", "").variables[0];
    record.row.push_back(name);
    record.rowWhole = true;
    const std::string whole = journal.BeforeSend(record);
    KvJournalLog log = journal.Read("192.0.2.7", 161);
    EXPECT_FALSE(log.Find(bare)->write.rowWhole);
    EXPECT_TRUE(log.Find(whole)->write.rowWhole);
    KvSNMPDevice.address = "192.0.2.7";
    KvSNMPDevice.port = 161;
    const KvUndoPlan plan = KvJournalUndo::Plan(log, bare);
    EXPECT_FALSE(plan.allowed);
    EXPECT_NE(plan.refusal.find("did not record the whole row"), std::string::npos) << plan.refusal;
    // Written before the flag existed: whole when more than the status was kept.
    std::string text = Text();
    for (size_t at; (at = text.find(",\"rowWhole\":true")) != std::string::npos;)
        text.erase(at, 16);
    std::ofstream(journal.FileOf("192.0.2.7", 161)) << text;
    log = journal.Read("192.0.2.7", 161);
    EXPECT_TRUE(log.Find(whole)->write.rowWhole) << text;
}

} // namespace

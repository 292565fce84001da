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

} // namespace

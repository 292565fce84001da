// The change journal's file store: entry and outcome lines appended and
// flushed, and read back line by line.
#include "journal/kvjournal.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>

#include "common/kverror.h"
#include "common/kvmessages.h"

namespace {

const char* const kKindSet = "set";
const char* const kKindCreate = "add row";
const char* const kKindDestroy = "delete row";

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string S(const QJsonValue& value)
{
    return value.toString().toStdString();
}

std::string NowText()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

// Short enough to type: the milliseconds since 1970 and two random digits,
// in base 36.
std::string NewId()
{
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    uint64_t n =
        static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch()) * 1296 + QRandomGenerator::global()->bounded(1296u);
    std::string id;
    do {
        id.insert(id.begin(), digits[n % 36]);
        n /= 36;
    } while (n != 0);
    return id;
}

QJsonArray VariablesJson(const std::vector<KvWriteRecordVariable>& variables, bool row)
{
    QJsonArray list;
    for (KvWriteRecordVariable v : variables) {
        if (KvJournalIsSecret(v.oid))
            v.before = v.beforeWire = v.written = v.writtenWire = kvJournalSecret;
        QJsonObject o;
        o["oid"] = Q(v.oid);
        o["label"] = Q(v.label);
        o["syntax"] = static_cast<qint64>(v.syntax);
        o["before"] = Q(v.before);
        o["beforeWire"] = Q(v.beforeWire);
        if (!row) {
            o["written"] = Q(v.written);
            o["writtenWire"] = Q(v.writtenWire);
        } else {
            o["writable"] = v.writable;
        }
        if (v.absent)
            o["absent"] = true;
        if (v.rowStatus)
            o["rowStatus"] = true;
        list.append(o);
    }
    return list;
}

std::vector<KvWriteRecordVariable> VariablesOf(const QJsonValue& value)
{
    std::vector<KvWriteRecordVariable> variables;
    for (const QJsonValue& item : value.toArray()) {
        const QJsonObject o = item.toObject();
        KvWriteRecordVariable v;
        v.oid = S(o["oid"]);
        v.label = S(o["label"]);
        v.syntax = static_cast<uint32_t>(o["syntax"].toInteger());
        v.before = S(o["before"]);
        v.beforeWire = S(o["beforeWire"]);
        v.written = S(o["written"]);
        v.writtenWire = S(o["writtenWire"]);
        v.absent = o["absent"].toBool();
        v.rowStatus = o["rowStatus"].toBool();
        v.writable = o["writable"].toBool(true);
        if (v.oid.empty())
            throw std::runtime_error("a variable without an OID");
        variables.push_back(std::move(v));
    }
    return variables;
}

std::string SafeFileName(const std::string& text)
{
    std::string name;
    for (char c : text)
        name += (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':') ? c : '_';
    if (name.empty() || name[0] == '.')
        name.insert(name.begin(), '_');
    return name;
}

// Makes `path` and its parents as needed; the last one 0700.
bool MakeFolder(const std::string& path, std::string& error)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        error = "not a folder";
        return false;
    }
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolder(path.substr(0, slash), error))
        return false;
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace

bool KvJournalIsSecret(const std::string& oid)
{
    static const char* const secrets[] = {
        "1.3.6.1.6.3.15.1.2.2.",  // SNMP users: keys and passwords
        "1.3.6.1.6.3.18.1.1.",    // SNMP communities: the community texts
        "1.3.6.1.2.1.16.9.1.1.4", // RMON eventCommunity: a trap community
    };
    for (const char* secret : secrets) {
        const std::string prefix = secret;
        if (oid.rfind(prefix, 0) == 0 &&
            (prefix.back() == '.' || oid.size() == prefix.size() || oid[prefix.size()] == '.'))
            return true;
    }
    return false;
}

std::string KvJournalDefaultDirectory()
{
    if (const char* dir = std::getenv("OSPREY_JOURNAL_DIR"); dir && *dir)
        return dir;
    std::string state;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg == '/') {
        state = xdg;
    } else {
        const char* home = std::getenv("HOME");
        state = std::string(home && *home ? home : ".") + "/.local/state";
    }
    return state + "/osprey/journal";
}

// ---------------------------------------------------------------------------
// Entries

std::string KvJournalEntry::KindText() const
{
    std::string kind = write.kind == KvWriteRecord::Kind::CreateRow    ? "Add row"
                       : write.kind == KvWriteRecord::Kind::DestroyRow ? "Delete row"
                                                                       : "Set";
    if (!write.undoes.empty())
        kind = "Undo of " + write.undoes + " (" + kind + ")";
    return kind;
}

std::string KvJournalEntry::Summary() const
{
    std::string line =
        id + "  " + time + "  " + (write.caption.empty() ? "-" : write.caption) + "  " + KindText() + ":";
    for (const KvWriteRecordVariable& v : write.variables)
        line += " " + v.label + " " + (v.absent ? std::string("(none)") : "\"" + v.before + "\"") + " -> \"" +
                v.written + "\";";
    line += "  " + result;
    if (Undone())
        line += " (undone by " + undoneBy + ")";
    return line;
}

const KvJournalEntry* KvJournalLog::Find(const std::string& id) const
{
    for (const KvJournalEntry& entry : entries)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

const KvJournalEntry* KvJournalLog::LatestUndoable() const
{
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->outcome != KvJournalEntry::Outcome::Failed && !it->Undone() && it->write.undoes.empty())
            return &*it;
    return nullptr;
}

// ---------------------------------------------------------------------------
// The file store

KvJournal::KvJournal(std::string directory) : directory_(std::move(directory)) {}

std::string KvJournal::FileOf(const std::string& address, uint16_t port) const
{
    std::string name = SafeFileName(address);
    if (port != 161)
        name += "_" + std::to_string(port);
    return directory_ + "/" + name + ".jsonl";
}

void KvJournal::Append(const std::string& file, const std::string& line, bool mustKeep)
{
    auto fail = [&](const std::string& why) {
        const std::string text = "The change journal " + file + " cannot be written (" + why +
                                 "): the write was not sent, so that none goes out without a record.";
        if (mustKeep)
            throw KvError(kvErrFileWrite, text);
        std::cerr << "osprey: "
                  << "the outcome could not be added to the change journal " << file << " (" << why << ")\n";
    };
    std::string error;
    if (!MakeFolder(directory_, error))
        return fail(directory_ + ": " + error);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(std::strerror(errno));
    const std::string text = line + "\n";
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int saved = errno;
            ::close(fd);
            return fail(std::strerror(saved));
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) {
        const int saved = errno;
        ::close(fd);
        return fail(std::strerror(saved));
    }
    ::close(fd);
}

std::string KvJournal::BeforeSend(const KvWriteRecord& record)
{
    const std::string id = NewId();
    QJsonObject o;
    o["id"] = Q(id);
    o["time"] = Q(NowText());
    o["switch"] = Q(record.address);
    o["port"] = record.port;
    o["caption"] = Q(record.caption);
    o["kind"] = record.kind == KvWriteRecord::Kind::CreateRow    ? kKindCreate
                : record.kind == KvWriteRecord::Kind::DestroyRow ? kKindDestroy
                                                                 : kKindSet;
    if (!record.undoes.empty())
        o["undoes"] = Q(record.undoes);
    o["variables"] = VariablesJson(record.variables, false);
    if (!record.row.empty())
        o["row"] = VariablesJson(record.row, true);
    const std::string file = FileOf(record.address, record.port);
    Append(file, QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(), true);
    open_.emplace_back(id, file);
    return id;
}

void KvJournal::AfterOutcome(const std::string& id, const KvWriteOutcome& outcome)
{
    std::string file;
    for (auto it = open_.begin(); it != open_.end(); ++it) {
        if (it->first == id) {
            file = it->second;
            open_.erase(it);
            break;
        }
    }
    if (file.empty())
        return;
    QJsonObject o;
    o["outcomeOf"] = Q(id);
    o["time"] = Q(NowText());
    o["outcome"] = outcome.kind == KvWriteOutcome::Kind::Ok         ? "ok"
                   : outcome.kind == KvWriteOutcome::Kind::NoAnswer ? "no answer"
                                                                    : "failed";
    o["result"] = Q(KvWriteOutcomeText(outcome));
    if (outcome.code != 0)
        o["code"] = outcome.code;
    if (!outcome.variable.empty())
        o["variable"] = Q(outcome.variable);
    try {
        Append(file, QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(), false);
    } catch (...) {
        // Never raised for an outcome (see Append).
    }
}

KvJournalLog KvJournal::Read(const std::string& address, uint16_t port) const
{
    KvJournalLog log;
    const std::string file = FileOf(address, port);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return log;
    std::map<std::string, size_t> byId;
    std::string line;
    int number = 0;
    auto warn = [&](const std::string& why) {
        log.warnings.push_back(file + ":" + std::to_string(number) + ": " + why + "; line skipped");
    };
    while (std::getline(in, line)) {
        ++number;
        if (line.empty())
            continue;
        QJsonParseError parseError{};
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &parseError);
        if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
            warn("damaged (not a JSON object)");
            continue;
        }
        const QJsonObject o = doc.object();
        if (o.contains("outcomeOf")) {
            auto at = byId.find(S(o["outcomeOf"]));
            if (at == byId.end()) {
                warn("an outcome of no entry");
                continue;
            }
            KvJournalEntry& entry = log.entries[at->second];
            const std::string outcome = S(o["outcome"]);
            entry.outcome = outcome == "ok"          ? KvJournalEntry::Outcome::Ok
                            : outcome == "no answer" ? KvJournalEntry::Outcome::NoAnswer
                                                     : KvJournalEntry::Outcome::Failed;
            entry.result = S(o["result"]);
            continue;
        }
        KvJournalEntry entry;
        try {
            entry.id = S(o["id"]);
            entry.time = S(o["time"]);
            if (entry.id.empty() || byId.count(entry.id))
                throw std::runtime_error(entry.id.empty() ? "an entry without an ID" : "a repeated ID");
            entry.write.address = S(o["switch"]);
            entry.write.port = static_cast<uint16_t>(o["port"].toInt(161));
            entry.write.caption = S(o["caption"]);
            entry.write.undoes = S(o["undoes"]);
            const std::string kind = S(o["kind"]);
            entry.write.kind = kind == kKindCreate    ? KvWriteRecord::Kind::CreateRow
                               : kind == kKindDestroy ? KvWriteRecord::Kind::DestroyRow
                                                      : KvWriteRecord::Kind::Set;
            entry.write.variables = VariablesOf(o["variables"]);
            entry.write.row = VariablesOf(o["row"]);
            if (entry.write.variables.empty())
                throw std::runtime_error("an entry without variables");
        } catch (const std::exception& e) {
            warn(std::string("damaged (") + e.what() + ")");
            continue;
        }
        entry.result = "outcome unknown";
        byId[entry.id] = log.entries.size();
        log.entries.push_back(std::move(entry));
    }
    // Undone: by an undo that went out Ok. An undo undone in turn puts the
    // entry it undid back in force.
    for (const KvJournalEntry& entry : log.entries) {
        if (entry.write.undoes.empty() || entry.outcome != KvJournalEntry::Outcome::Ok)
            continue;
        auto target = byId.find(entry.write.undoes);
        if (target == byId.end())
            continue;
        KvJournalEntry& undone = log.entries[target->second];
        if (!undone.undoneBy.empty())
            continue; // the first of an undo's writes names it
        undone.undoneBy = entry.id;
        if (!undone.write.undoes.empty()) {
            auto first = byId.find(undone.write.undoes);
            if (first != byId.end() && log.entries[first->second].undoneBy == undone.id)
                log.entries[first->second].undoneBy.clear();
        }
    }
    return log;
}

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


#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <sstream>

#include "common/kverror.h"
#include "common/kvmessages.h"
#include "platform/kvfilelock.h"

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

std::string Octal(mode_t mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// Whether a journal folder or file (`fd` open on it, or -1 for the folder at
// `path`) may be used: it must be ours, and closed to others. Loose modes of
// our own are tightened to `wanted`. Empty when usable, else why not.
std::string MakePrivate(const std::string& path, int fd, mode_t wanted)
{
    struct stat st {};
    if ((fd >= 0 ? ::fstat(fd, &st) : ::stat(path.c_str(), &st)) != 0)
        return path + ": " + std::strerror(errno);
    if (st.st_uid != ::geteuid())
        return path + " belongs to another user, who could add entries to it";
    if ((st.st_mode & 077) == 0)
        return {};
    if ((fd >= 0 ? ::fchmod(fd, wanted) : ::chmod(path.c_str(), wanted)) != 0) {
        const std::string why = std::strerror(errno);
        if ((st.st_mode & 022) != 0)
            return path + " is writable by other users (mode " + Octal(st.st_mode) +
                   ") and cannot be closed to them (" + why + ")";
        return {};
    }
    std::cerr << "osprey: the change journal " << path << " was open to other users (mode " << Octal(st.st_mode)
              << "); it is now " << Octal(wanted) << "\n";
    return {};
}

// Makes `path` and its parents as needed; the last one 0700. An existing
// folder must be private (see MakePrivate).
bool MakeFolder(const std::string& path, std::string& error)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) {
            error = path + ": not a folder";
            return false;
        }
        error = MakePrivate(path, -1, 0700);
        return error.empty();
    }
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        const std::string parent = path.substr(0, slash);
        struct stat up {};
        if (::stat(parent.c_str(), &up) != 0 && !MakeFolder(parent, error))
            return false;
    }
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    error = MakePrivate(path, -1, 0700);
    return error.empty();
}

// Opens a journal file that must be a private file of ours; -1 with `error`
// (empty when it does not exist and `flags` does not create it).
int OpenPrivate(const std::string& file, int flags, std::string& error)
{
    const int fd = ::open(file.c_str(), flags | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (errno != ENOENT || (flags & O_CREAT) != 0)
            error = file + ": " + std::strerror(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = file + ": " + (S_ISDIR(st.st_mode) ? "a folder, not a file" : "not a plain file");
        ::close(fd);
        return -1;
    }
    error = MakePrivate(file, fd, 0600);
    if (!error.empty()) {
        ::close(fd);
        return -1;
    }
    return fd;
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

std::vector<KvWriteRowColumn> KvJournal::RowColumns(const std::string& statusOid) const
{
    return rowColumns_ ? rowColumns_(statusOid) : std::vector<KvWriteRowColumn>{};
}

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
        return fail(error);
    const int fd = OpenPrivate(file, O_RDWR | O_CREAT | O_APPEND, error);
    if (fd < 0)
        return fail(error);
    std::string text = line + "\n";
    // A last line cut short (the program ended while writing it) is left
    // alone: the new line starts after it, never glued onto it.
    struct stat st {};
    char last = '\n';
    if (::fstat(fd, &st) == 0 && st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n')
        text.insert(text.begin(), '\n');
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
    if (!record.row.empty()) {
        o["row"] = VariablesJson(record.row, true);
        o["rowWhole"] = record.rowWhole;
    }
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

KvJournal::Lock::~Lock()
{
    if (fd_ >= 0)
        ::close(fd_); // releases the lock
}

KvJournal::Lock KvJournal::Exclusive(const std::string& address, uint16_t port, std::string& error, int waitMs) const
{
    Lock lock;
    if (!MakeFolder(directory_, error))
        return lock;
    const std::string file = FileOf(address, port);
    const int fd = OpenPrivate(file, O_RDWR | O_CREAT | O_APPEND, error);
    if (fd < 0)
        return lock;
    if (const int failed = KvLockExclusive(fd, waitMs)) {
        error = failed == EWOULDBLOCK ? file + " is held by another undo that has not ended"
                                      : file + ": " + std::strerror(failed);
        ::close(fd);
        return lock;
    }
    lock.fd_ = fd;
    return lock;
}

KvJournalLog KvJournal::Read(const std::string& address, uint16_t port) const
{
    KvJournalLog log;
    const std::string file = FileOf(address, port);
    struct stat st {};
    if (::stat(directory_.c_str(), &st) != 0) {
        if (errno != ENOENT)
            log.error = directory_ + ": " + std::strerror(errno);
        return log; // no folder yet: nothing written
    }
    if (!S_ISDIR(st.st_mode)) {
        log.error = directory_ + ": not a folder";
        return log;
    }
    if (log.error = MakePrivate(directory_, -1, 0700); !log.error.empty())
        return log;
    const int fd = OpenPrivate(file, O_RDONLY, log.error);
    if (fd < 0)
        return log;
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            log.error = file + ": " + std::strerror(errno);
            ::close(fd);
            return log;
        }
        if (n == 0)
            break;
        content.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    std::istringstream in(content);
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
            // Older entries: whole when more than the row status was kept.
            entry.write.rowWhole = o.contains("rowWhole")
                                       ? o["rowWhole"].toBool()
                                       : std::any_of(entry.write.row.begin(), entry.write.row.end(),
                                                     [](const KvWriteRecordVariable& v) { return !v.rowStatus; });
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

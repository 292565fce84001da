#include "switches/switchlist.h"

#include "switches/switchfiles.h"
#include "switches/switchmigration.h"
#include "switches/switchpaths.h"
#include "switches/switchsecretstore.h"
#include "platform/kvfilelock.h"

#include <QDateTime>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <strings.h>
#include <unistd.h>
#include <utility>

namespace {

// The exclusive lock of a change of the list, held while it lives.
class ListLock {
public:
    ListLock() = default;
    ListLock(const ListLock&) = delete;
    ListLock& operator=(const ListLock&) = delete;
    ~ListLock()
    {
        if (fd_ >= 0)
            ::close(fd_); // lets go of the lock
    }

    // Waits at most SwitchList::kLockWaitMs for another program's change to end.
    bool Take(const std::string& listFile, std::string& error)
    {
        const std::string directory = std::filesystem::path(listFile).parent_path().string();
        if (!directory.empty() && !SwitchPaths::MakeDirectory(directory)) {
            error = "cannot make the folder " + directory;
            return false;
        }
        const std::string path = listFile + ".lock";
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            error = "cannot open the lock file " + path + ": " + std::strerror(errno);
            return false;
        }
        if (const int failed = KvLockExclusive(fd_, SwitchList::kLockWaitMs)) {
            error = failed == EWOULDBLOCK
                        ? "another program has been changing the switch list for " +
                              std::to_string(SwitchList::kLockWaitMs / 1000) + " s (it holds " + path + ")"
                        : "cannot lock " + path + ": " + std::strerror(failed);
            return false;
        }
        return true;
    }

private:
    int fd_ = -1;
};

bool sameName(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// A name as a message quotes it: a long one (hand-edited) cut short.
std::string quoted(const std::string& name)
{
    constexpr size_t kShown = 40;
    if (name.size() <= kShown)
        return "\"" + name + "\"";
    size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xc0) == 0x80)
        --cut; // not inside a UTF-8 character
    return "\"" + name.substr(0, cut) + "...\"";
}

// Leaves out every switch whose name an earlier one has; gives their names.
std::vector<std::string> dropRepeatedNames(std::vector<SwitchRecord>& records)
{
    std::vector<SwitchRecord> first;
    std::vector<std::string> repeated;
    for (SwitchRecord& r : records) {
        if (std::any_of(first.begin(), first.end(), [&](const SwitchRecord& f) { return sameName(f.name, r.name); }))
            repeated.push_back(r.name);
        else
            first.push_back(std::move(r));
    }
    records = std::move(first);
    return repeated;
}

} // namespace

SwitchList::SwitchList(std::string listFile, SwitchSecretStore& store) : file_(std::move(listFile)), store_(store) {}

bool SwitchList::Read(std::vector<SwitchRecord>& records, bool locked, std::vector<std::string>& notes)
{
    std::string message;
    repeatedNames_ = false;
    if (file_.Load(records, message) == SwitchListFile::Loaded::Damaged) {
        notes.push_back(message);
        return false;
    }
    const std::vector<std::string> repeated = dropRepeatedNames(records);
    repeatedNames_ = !repeated.empty();
    if (repeated.empty())
        return true;
    std::string names;
    for (const std::string& name : repeated)
        names += (names.empty() ? "" : ", ") + quoted(name);
    std::string note = "The switch list " + file_.Path() + " gives the name " + names +
                       " to more than one switch (names are the same whatever their case): only the first "
                       "switch of each name is listed, so that no two share the communities and passwords kept "
                       "in the keyring under that name.";
    if (locked) {
        const std::string aside =
            file_.Path() + ".duplicates-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toStdString();
        std::string content;
        std::string error;
        if (!SwitchFiles::Read(file_.Path(), content) || !SwitchFiles::WriteAtomically(aside, content, error) ||
            !file_.Save(records, error)) {
            notes.push_back(note + " The file could not be kept aside (" + error + "), so the list was not changed.");
            return false;
        }
        note += " The file as it was has been kept as " + aside + ".";
    } else {
        note += " The file as it is will be kept aside at the next change of the list.";
    }
    notes.push_back(note);
    return true;
}

void SwitchList::Load(std::vector<std::string>& notes)
{
    std::vector<std::string> unlocked;
    const bool readable = Read(records_, false, unlocked);
    const std::string oldFile = (std::filesystem::path(file_.Path()).parent_path() /
                                 std::filesystem::path(SwitchPaths::OldSwitchFile()).filename())
                                    .string();
    std::error_code ignored;
    const bool migrate = std::filesystem::exists(oldFile, ignored);
    if (!migrate && !repeatedNames_) {
        notes.insert(notes.end(), unlocked.begin(), unlocked.end());
        return;
    }
    // Writing the list: under the lock, from the file as it is then.
    ListLock lock;
    std::string error;
    if (!lock.Take(file_.Path(), error)) {
        notes.insert(notes.end(), unlocked.begin(), unlocked.end());
        notes.push_back("The switch list was not changed: " + error + ".");
        return;
    }
    if (!readable) // kept aside: read again, the file is gone
        notes.insert(notes.end(), unlocked.begin(), unlocked.end());
    Read(records_, true, notes);
    if (!migrate)
        return;
    std::vector<SwitchRecord> merged = records_;
    std::string message;
    if (SwitchMigration::Run(oldFile, merged, store_, message)) {
        if (file_.Save(merged, error))
            records_ = std::move(merged);
        else
            message += " " + error;
    }
    if (!message.empty())
        notes.push_back(message);
}

bool SwitchList::Reload(std::vector<std::string>& notes)
{
    std::vector<SwitchRecord> now;
    Read(now, false, notes);
    if (now == records_)
        return false;
    records_ = std::move(now);
    return true;
}

const SwitchRecord* SwitchList::Find(const std::string& name) const
{
    const auto found =
        std::find_if(records_.begin(), records_.end(), [&](const SwitchRecord& r) { return r.name == name; });
    return found == records_.end() ? nullptr : &*found;
}

std::vector<std::string> SwitchList::NamesExcept(const std::string& name) const
{
    std::vector<std::string> names;
    for (const SwitchRecord& r : records_)
        if (r.name != name)
            names.push_back(r.name);
    return names;
}

template <typename Apply>
bool SwitchList::Change(std::string& error, Apply apply)
{
    ListLock lock;
    if (!lock.Take(file_.Path(), error))
        return false;
    std::vector<SwitchRecord> changed;
    std::vector<std::string> notes;
    if (!Read(changed, true, notes)) {
        error = notes.empty() ? "the switch list could not be read" : notes.back();
        return false;
    }
    records_ = changed; // the list as it is now, whatever the change does
    return apply(changed);
}

bool SwitchList::Put(const std::string& originalNameGiven, const SwitchRecord& recordGiven,
                     const KvHandedSecrets& secrets, bool requireKept, bool& secretsKept, std::string& error)
{
    // Copies: the caller's may be parts of records_, which is read again below.
    const std::string originalName = originalNameGiven;
    const SwitchRecord record = recordGiven;
    secretsKept = false;
    return Change(error, [&](std::vector<SwitchRecord>& changed) {
        return PutLocked(originalName, record, secrets, requireKept, secretsKept, changed, error);
    });
}

bool SwitchList::PutLocked(const std::string& originalName, const SwitchRecord& record, const KvHandedSecrets& secrets,
                           bool requireKept, bool& secretsKept, std::vector<SwitchRecord>& changed, std::string& error)
{
    const auto at = std::find_if(changed.begin(), changed.end(), [&](const SwitchRecord& r) {
        return !originalName.empty() && r.name == originalName;
    });
    if (!originalName.empty() && at == changed.end()) {
        error = "\"" + originalName + "\" is no longer in the list (another program removed it)";
        return false;
    }
    for (const SwitchRecord& r : changed)
        if (r.name != originalName && sameName(r.name, record.name)) {
            error = "another switch is already called \"" + r.name + "\"";
            return false;
        }
    if (at == changed.end())
        changed.push_back(record);
    else
        *at = record;
    // The secrets first: a keyring that refuses them leaves the list as it was.
    const bool keyringAnswered = store_.KeyringAnswers();
    KvHandedSecrets previous;
    const bool hadPrevious = record.name == originalName && store_.Load(record.name, previous);
    store_.Save(record.name, secrets, secretsKept);
    if (!secretsKept && !secrets.empty() && (requireKept || (keyringAnswered && store_.KeyringTimedOut()))) {
        error = "the keyring did not keep the secrets (" + store_.LastProblem() + ")";
        store_.Forget(record.name);
        if (hadPrevious) {
            bool ignored = false;
            store_.Save(record.name, previous, ignored);
        }
        return false;
    }
    if (!file_.Save(changed, error)) {
        bool ignored = false;
        if (hadPrevious)
            store_.Save(record.name, previous, ignored);
        else
            store_.Remove(record.name);
        return false;
    }
    records_ = std::move(changed);
    if (!originalName.empty() && originalName != record.name)
        store_.Remove(originalName);
    return true;
}

bool SwitchList::Remove(const std::string& nameGiven, std::string& error)
{
    const std::string name = nameGiven; // may be part of records_, read again below
    return Change(error, [&](std::vector<SwitchRecord>& changed) {
        if (std::erase_if(changed, [&](const SwitchRecord& r) { return r.name == name; }) == 0) {
            error = "no switch is called \"" + name + "\" (any more)";
            return false;
        }
        if (!file_.Save(changed, error))
            return false;
        records_ = std::move(changed);
        store_.Remove(name);
        return true;
    });
}

#include "switches/switchlist.h"

#include "switches/switchmigration.h"
#include "switches/switchpaths.h"
#include "switches/switchsecretstore.h"

#include <algorithm>
#include <filesystem>
#include <utility>

SwitchList::SwitchList(std::string listFile, SwitchSecretStore& store) : file_(std::move(listFile)), store_(store) {}

void SwitchList::Load(std::vector<std::string>& notes)
{
    std::string message;
    if (file_.Load(records_, message) == SwitchListFile::Loaded::Damaged)
        notes.push_back(message);
    const std::string oldFile = (std::filesystem::path(file_.Path()).parent_path() /
                                 std::filesystem::path(SwitchPaths::OldSwitchFile()).filename())
                                    .string();
    std::error_code ignored;
    if (!std::filesystem::exists(oldFile, ignored))
        return;
    std::vector<SwitchRecord> merged = records_;
    message.clear();
    if (SwitchMigration::Run(oldFile, merged, store_, message)) {
        std::string error;
        if (file_.Save(merged, error))
            records_ = std::move(merged);
        else
            message += " " + error;
    }
    if (!message.empty())
        notes.push_back(message);
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

bool SwitchList::Put(const std::string& originalName, const SwitchRecord& record, const KvHandedSecrets& secrets,
                     bool requireKept, bool& secretsKept, std::string& error)
{
    std::vector<SwitchRecord> changed = records_;
    const auto at = std::find_if(changed.begin(), changed.end(), [&](const SwitchRecord& r) {
        return !originalName.empty() && r.name == originalName;
    });
    if (at == changed.end())
        changed.push_back(record);
    else
        *at = record;
    // The secrets first: a keyring that refuses them leaves the list as it was.
    KvHandedSecrets previous;
    const bool hadPrevious = store_.Load(record.name, previous);
    store_.Save(record.name, secrets, secretsKept);
    if (requireKept && !secretsKept && !secrets.empty()) {
        error = "the keyring did not keep the secrets (" + store_.KeyringProblem() + ")";
        store_.Forget(record.name);
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

bool SwitchList::Remove(const std::string& name, std::string& error)
{
    std::vector<SwitchRecord> changed = records_;
    std::erase_if(changed, [&](const SwitchRecord& r) { return r.name == name; });
    if (!file_.Save(changed, error))
        return false;
    records_ = std::move(changed);
    store_.Remove(name);
    return true;
}

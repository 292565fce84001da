#include "switches/switchmigration.h"

#include "shell/kvstartup.h"
#include "switches/switchfiles.h"
#include "switches/switchsecretstore.h"

#include <QDateTime>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <strings.h>

namespace {

bool taken(const std::vector<std::string>& names, const std::string& name)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return strcasecmp(n.c_str(), name.c_str()) == 0; });
}

bool number(const std::string& text, int32_t& value)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return true;
}

} // namespace

std::vector<SwitchMigration::Entry> SwitchMigration::Parse(const std::string& text,
                                                           const std::vector<std::string>& takenNames)
{
    std::vector<Entry> entries;
    std::vector<std::string> names = takenNames;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == '#')
            continue;
        Entry e;
        int32_t value = 0;
        do {
            const std::string v = word.size() > 2 ? word.substr(2) : "";
            const std::string s = word.substr(0, 2);
            if (s == "/I")
                e.record.address = v;
            else if (s == "/R")
                e.secrets.read = v;
            else if (s == "/W")
                e.secrets.write = v;
            else if (s == "/A")
                e.secrets.auth = v;
            else if (s == "/P")
                e.secrets.priv = v;
            else if (s == "/n")
                e.record.user = v;
            else if (s == "/c")
                e.record.contextName = v;
            else if (s == "/d")
                e.record.contextEngineId = v;
            else if (s == "/v" && number(v, value))
                e.record.version = static_cast<int8_t>(value);
            else if (s == "/t" && number(v, value) && value >= 1 && value <= 65535)
                e.record.port = static_cast<uint16_t>(value);
            else if (s == "/l" && number(v, value))
                e.record.securityLevel = value;
            else if (s == "/a" && number(v, value))
                e.record.authProtocol = value;
            else if (s == "/p" && number(v, value))
                e.record.privProtocol = value;
        } while (words >> word);
        if (e.record.address.empty())
            continue;
        if (e.record.version != kvVersion1 && e.record.version != kvVersion3)
            e.record.version = kvVersion2c;
        if (e.record.version == kvVersion1 && !e.secrets.read)
            e.record.version = kvVersion2c;
        std::string name = e.record.address;
        for (int n = 2; taken(names, name); ++n)
            name = e.record.address + " (" + std::to_string(n) + ")";
        e.record.name = name;
        names.push_back(name);
        entries.push_back(std::move(e));
    }
    return entries;
}

std::string SwitchMigration::Blanked(const std::string& text)
{
    std::string out;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string word;
        std::string blanked;
        if (!line.empty() && line.find_first_not_of(" \t") != std::string::npos &&
            line[line.find_first_not_of(" \t")] == '#') {
            out += line + "\n";
            continue;
        }
        while (words >> word) {
            const size_t secret = KvStartup::SecretValueStart(word);
            if (secret != std::string::npos)
                word = word.substr(0, secret) + "...";
            blanked += (blanked.empty() ? "" : " ") + word;
        }
        out += blanked + "\n";
    }
    return out;
}

bool SwitchMigration::Run(const std::string& oldFile, std::vector<SwitchRecord>& records, SwitchSecretStore& store,
                          std::string& message)
{
    std::string text;
    if (!SwitchFiles::Read(oldFile, text))
        return false;
    if (!store.KeyringAnswers()) {
        message = "The old switch file " + oldFile + " was not moved into the list: no keyring answers (" +
                  store.KeyringProblem() + ").";
        return false;
    }
    std::vector<std::string> names;
    for (const SwitchRecord& r : records)
        names.push_back(r.name);
    const std::vector<Entry> entries = Parse(text, names);
    for (const Entry& e : entries) {
        bool kept = false;
        store.Save(e.record.name, e.secrets, kept);
        if (!kept) {
            message = "The old switch file " + oldFile +
                      " was not moved into the list: the keyring refused its "
                      "secrets (" +
                      store.KeyringProblem() + ").";
            return false;
        }
    }
    for (const Entry& e : entries)
        records.push_back(e.record);
    const std::string note =
        "# This was the start script's list of switches. On " +
        QDateTime::currentDateTime().toString(Qt::ISODate).toStdString() +
        " its switches were moved into the switch list\n# (osprey-switches) and their communities and passwords "
        "into the desktop keyring;\n# they are blanked below. Nothing reads this file any more: delete it when "
        "you like.\n";
    std::string error;
    const std::string migrated = oldFile + ".migrated";
    if (!SwitchFiles::WriteAtomically(migrated, note + Blanked(text), error) || std::remove(oldFile.c_str()) != 0) {
        message = "The switches of " + oldFile +
                  " were moved into the list, but the file could not be replaced: " + error +
                  " Delete it: it holds communities in clear.";
        return true;
    }
    message = std::to_string(entries.size()) + " switch(es) of " + oldFile + " moved into the list; the file is now " +
              migrated + ", without its secrets.";
    return true;
}

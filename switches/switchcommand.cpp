#include "switches/switchcommand.h"

#include "switches/switchlist.h"
#include "switches/switchopener.h"
#include "switches/switchprotocols.h"
#include "switches/switchsecretstore.h"
#include "switches/switchvalidation.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <map>
#include <unistd.h>
#include <utility>

namespace {

// The options of "add" that take a value.
const char* const kAddOptions[] = {"--address", "--port",    "--version",          "--user", "--level", "--auth",
                                   "--priv",    "--context", "--context-engine-id"};

const char* fieldName(SwitchField field)
{
    switch (field) {
    case SwitchField::Name:
        return "NAME";
    case SwitchField::Address:
        return "--address";
    case SwitchField::Port:
        return "--port";
    case SwitchField::User:
        return "--user";
    case SwitchField::ReadCommunity:
        return "read=";
    case SwitchField::WriteCommunity:
        return "write=";
    case SwitchField::AuthPassword:
        return "auth=";
    case SwitchField::PrivPassword:
        return "priv=";
    case SwitchField::ContextEngineId:
        return "--context-engine-id";
    }
    return "";
}

} // namespace

SwitchCommand::SwitchCommand(std::string listFile, SwitchSecretStore& store, std::istream& in, std::ostream& out,
                             std::ostream& err)
    : listFile_(std::move(listFile)), store_(store), in_(in), out_(out), err_(err)
{
}

const char* SwitchCommand::Usage()
{
    return "Usage: osprey-switches                     the switch list's window\n"
           "       osprey-switches list                 name, address, port and version of each switch\n"
           "       osprey-switches add NAME --address A [--port P] --version 1|2c|3\n"
           "                           [--user U --level 1|2|3 --auth MD5|SHA-1|SHA-224|SHA-256|SHA-384|SHA-512\n"
           "                            --priv DES|AES-128|AES-192|AES-256]\n"
           "                           [--context NAME] [--context-engine-id ID]\n"
           "                           secrets from standard input: read=..., write=..., auth=..., priv=...\n"
           "       osprey-switches remove NAME\n"
           "       osprey-switches open NAME            starts the program for the switch\n";
}

bool SwitchCommand::IsCommand(const std::vector<std::string>& arguments)
{
    return !arguments.empty();
}

int SwitchCommand::UsageError(const std::string& message)
{
    err_ << "osprey-switches: " << message << "\n" << Usage();
    return kUsage;
}

int SwitchCommand::Run(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return UsageError("no command");
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h") {
        out_ << Usage();
        return kOk;
    }
    if (command == "list" && arguments.size() == 1)
        return List();
    if (command == "add")
        return Add(arguments);
    if ((command == "remove" || command == "open") && arguments.size() == 2)
        return command == "remove" ? Remove(arguments[1]) : Open(arguments[1]);
    if (command == "list" || command == "remove" || command == "open")
        return UsageError("\"" + command + "\" takes " + (command == "list" ? "no argument" : "one NAME"));
    return UsageError("unknown command \"" + command + "\"");
}

int SwitchCommand::List()
{
    SwitchList list(listFile_, store_);
    std::vector<std::string> notes;
    list.Load(notes);
    for (const std::string& note : notes)
        err_ << "osprey-switches: " << note << "\n";
    for (const SwitchRecord& r : list.Records())
        out_ << r.name << "\t" << r.address << "\t" << r.port << "\t"
             << SwitchProtocols::NameOf(SwitchProtocols::Versions(), r.version) << "\n";
    return kOk;
}

int SwitchCommand::Add(const std::vector<std::string>& arguments)
{
    if (arguments.size() < 2 || arguments[1].rfind("--", 0) == 0)
        return UsageError("add: the NAME of the switch comes first");
    std::map<std::string, std::string> options;
    for (size_t i = 2; i < arguments.size(); i += 2) {
        const std::string& option = arguments[i];
        if (std::find(std::begin(kAddOptions), std::end(kAddOptions), option) == std::end(kAddOptions))
            return UsageError("add: unknown option \"" + option + "\" (secrets are read from standard input)");
        if (i + 1 >= arguments.size())
            return UsageError("add: " + option + " needs a value");
        if (!options.emplace(option, arguments[i + 1]).second)
            return UsageError("add: " + option + " is given twice");
    }
    auto option = [&](const char* name) { return options.count(name) ? options[name] : std::string(); };

    SwitchRecord record;
    record.name = arguments[1];
    record.address = option("--address");
    if (!options.count("--version"))
        return UsageError("add: --version 1, 2c or 3 is needed");
    int32_t number = 0;
    if (!SwitchProtocols::NumberOf(SwitchProtocols::Versions(), option("--version"), number))
        return UsageError("add: --version \"" + option("--version") + "\" is not 1, 2c or 3");
    record.version = static_cast<int8_t>(number);
    std::string problem;
    if (options.count("--port") && !SwitchValidation::ParsePort(option("--port"), record.port, problem))
        return UsageError("add: " + problem);
    if (record.IsVersion3()) {
        record.user = option("--user");
        record.contextName = option("--context");
        record.contextEngineId = option("--context-engine-id");
        const std::string level = option("--level").empty() ? "3" : option("--level");
        if (level != "1" && level != "2" && level != "3")
            return UsageError("add: --level \"" + level + "\" is not 1, 2 or 3");
        record.securityLevel = level[0] - '0';
        if (options.count("--auth") &&
            !SwitchProtocols::NumberOf(SwitchProtocols::AuthProtocols(), option("--auth"), record.authProtocol))
            return UsageError("add: --auth \"" + option("--auth") + "\" is not one of " +
                              SwitchProtocols::Names(SwitchProtocols::AuthProtocols()));
        if (options.count("--priv") &&
            !SwitchProtocols::NumberOf(SwitchProtocols::PrivProtocols(), option("--priv"), record.privProtocol))
            return UsageError("add: --priv \"" + option("--priv") + "\" is not one of " +
                              SwitchProtocols::Names(SwitchProtocols::PrivProtocols()));
    } else {
        for (const char* v3Only : {"--user", "--level", "--auth", "--priv", "--context", "--context-engine-id"})
            if (options.count(v3Only))
                return UsageError(std::string("add: ") + v3Only + " is for --version 3 only");
    }

    const std::string input((std::istreambuf_iterator<char>(in_)), std::istreambuf_iterator<char>());
    KvHandedSecrets secrets;
    if (!KvHandedSecrets::Parse(input, secrets, problem))
        return UsageError("add: standard input: " + problem);

    SwitchList list(listFile_, store_);
    std::vector<std::string> notes;
    list.Load(notes);
    for (const std::string& note : notes)
        err_ << "osprey-switches: " << note << "\n";
    const std::vector<SwitchFieldError> errors = SwitchValidation::Check(record, secrets, list.NamesExcept(""));
    if (!errors.empty()) {
        for (const SwitchFieldError& e : errors)
            err_ << "osprey-switches: add: " << fieldName(e.field) << ": " << e.message << "\n";
        err_ << "osprey-switches: nothing was saved.\n";
        return kUsage;
    }
    if (!SwitchValidation::AddressResolves(record.address)) {
        err_ << "osprey-switches: add: " << SwitchValidation::UnresolvedMessage(record.address)
             << "\nosprey-switches: nothing was saved.\n";
        return kFailed;
    }
    if (!store_.KeyringAnswers() && !secrets.empty()) {
        err_ << "osprey-switches: add: no keyring answers (" << store_.KeyringProblem()
             << "), so the secrets could not be kept; nothing was saved.\n";
        return kFailed;
    }
    bool kept = false;
    std::string error;
    if (!list.Put("", record, secrets, true, kept, error)) {
        err_ << "osprey-switches: add: " << error << "; nothing was saved.\n";
        return kFailed;
    }
    out_ << "Added \"" << record.name << "\".\n";
    return kOk;
}

int SwitchCommand::Remove(const std::string& name)
{
    SwitchList list(listFile_, store_);
    std::vector<std::string> notes;
    list.Load(notes);
    if (!list.Find(name)) {
        err_ << "osprey-switches: remove: no switch is called \"" << name << "\".\n";
        return kFailed;
    }
    std::string error;
    if (!list.Remove(name, error)) {
        err_ << "osprey-switches: remove: " << error << "\n";
        return kFailed;
    }
    out_ << "Removed \"" << name << "\".\n";
    if (!store_.LastProblem().empty())
        err_ << "osprey-switches: remove: the communities and passwords of \"" << name
             << "\" were left in the keyring: " << store_.LastProblem() << "\n";
    return kOk;
}

int SwitchCommand::Open(const std::string& name)
{
    SwitchList list(listFile_, store_);
    std::vector<std::string> notes;
    list.Load(notes);
    const SwitchRecord* record = list.Find(name);
    if (!record) {
        err_ << "osprey-switches: open: no switch is called \"" << name << "\".\n";
        return kFailed;
    }
    KvHandedSecrets secrets;
    if (!store_.Load(name, secrets)) {
        // No keyring, or nothing in it: the secrets may come from standard input.
        std::string problem;
        const std::string input =
            isatty(STDIN_FILENO) ? std::string()
                                 : std::string((std::istreambuf_iterator<char>(in_)), std::istreambuf_iterator<char>());
        if (input.empty() || !KvHandedSecrets::Parse(input, secrets, problem)) {
            err_ << "osprey-switches: open: ";
            if (store_.LastProblem().empty())
                err_ << "the secrets of \"" << name << "\" are not in the keyring";
            else
                err_ << "the secrets of \"" << name << "\" could not be read: " << store_.LastProblem();
            err_ << "; or give them on standard input as read=, write=, auth=, priv= lines.\n";
            return kFailed;
        }
    }
    long long pid = 0;
    std::string error;
    if (!SwitchOpener::Open(*record, secrets, pid, error)) {
        err_ << "osprey-switches: open: " << error << "\n";
        return kFailed;
    }
    out_ << "Opened \"" << name << "\" (process " << pid << ").\n";
    return kOk;
}

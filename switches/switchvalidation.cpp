#include "switches/switchvalidation.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QString>

#include <algorithm>
#include <cctype>
#include <strings.h>

namespace {

bool hasControlCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

// Letters, digits, hyphens and dots, labels of 1-63 characters; digits and
// dots alone are a mistyped address, not a name.
bool isHostName(const std::string& name)
{
    if (name.empty() || name.size() > 253 || name.find_first_not_of("0123456789.") == std::string::npos)
        return false;
    size_t label = 0;
    for (char c : name) {
        if (c == '.') {
            if (label == 0)
                return false;
            label = 0;
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '-') {
            if (++label > 63)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

// Characters of UTF-8 text (its bytes that do not continue a character).
size_t characters(const std::string& text)
{
    return std::count_if(text.begin(), text.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; });
}

struct Collector {
    std::vector<SwitchFieldError>& errors;
    void add(SwitchField field, std::string message) { errors.push_back({field, std::move(message)}); }
    // A community or password: present, not too short, one line.
    void secret(SwitchField field, const char* what, const std::optional<std::string>& value, size_t minimum)
    {
        if (!value || value->empty())
            add(field, std::string("The ") + what + " is empty.");
        else if (value->size() < minimum)
            add(field, std::string("The ") + what + " must have at least " + std::to_string(minimum) + " characters.");
        else if (hasControlCharacter(*value))
            add(field, std::string("The ") + what + " holds a line break or another control character.");
    }
};

} // namespace

std::vector<SwitchFieldError> SwitchValidation::Check(const SwitchRecord& record, const KvHandedSecrets& secrets,
                                                      const std::vector<std::string>& otherNames)
{
    std::vector<SwitchFieldError> errors;
    Collector c{errors};

    if (record.name.empty())
        c.add(SwitchField::Name, "The name is empty.");
    else if (hasControlCharacter(record.name))
        c.add(SwitchField::Name, "The name holds a tab, line break or another control character.");
    else if (record.name.front() == ' ' || record.name.back() == ' ')
        c.add(SwitchField::Name, "The name begins or ends with a blank.");
    else if (characters(record.name) > kMaxNameLength)
        c.add(SwitchField::Name, "The name has " + std::to_string(characters(record.name)) + " characters; at most " +
                                     std::to_string(kMaxNameLength) + " are allowed.");
    else if (std::any_of(otherNames.begin(), otherNames.end(),
                         [&](const std::string& n) { return strcasecmp(n.c_str(), record.name.c_str()) == 0; }))
        c.add(SwitchField::Name, "Another switch is already called \"" + record.name + "\".");

    if (record.address.empty())
        c.add(SwitchField::Address, "The address is empty.");
    else if (!IsIpv4Address(record.address) && !isHostName(record.address))
        c.add(SwitchField::Address,
              "\"" + record.address + "\" is neither an IPv4 address (such as 192.0.2.10) nor a host name.");

    if (record.port == 0)
        c.add(SwitchField::Port, "The agent port must lie between 1 and 65535.");

    if (!record.IsVersion3()) {
        c.secret(SwitchField::ReadCommunity, "read community", secrets.read, 1);
        c.secret(SwitchField::WriteCommunity, "write community", secrets.write, 1);
        return errors;
    }
    if (record.user.empty())
        c.add(SwitchField::User, "The SNMPv3 user is empty.");
    else if (hasControlCharacter(record.user))
        c.add(SwitchField::User, "The SNMPv3 user holds a control character.");
    else if (record.user.size() > kMaxUserOctets)
        c.add(SwitchField::User, "The SNMPv3 user has " + std::to_string(record.user.size()) +
                                     " bytes; SNMPv3 allows at most " + std::to_string(kMaxUserOctets) + ".");
    if (record.NeedsAuthPassword())
        c.secret(SwitchField::AuthPassword, "authentication password", secrets.auth, kMinPasswordLength);
    if (record.NeedsPrivPassword())
        c.secret(SwitchField::PrivPassword, "privacy password", secrets.priv, kMinPasswordLength);
    const std::string& id = record.contextEngineId;
    if (!id.empty() &&
        (!std::all_of(id.begin(), id.end(), [](char ch) { return std::isxdigit(static_cast<unsigned char>(ch)); }) ||
         id.size() % 2 != 0 || id.size() < 2 * kMinEngineIdOctets || id.size() > 2 * kMaxEngineIdOctets))
        c.add(SwitchField::ContextEngineId, "The context engine ID must be empty, or " +
                                                std::to_string(kMinEngineIdOctets) + " to " +
                                                std::to_string(kMaxEngineIdOctets) +
                                                " bytes written as an even number of hexadecimal digits "
                                                "(such as 800007e580).");
    return errors;
}

bool SwitchValidation::ParsePort(const std::string& text, uint16_t& port, std::string& problem)
{
    const bool digits = !text.empty() && text.size() <= 5 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const long value = digits ? std::stol(text) : 0;
    if (value < 1 || value > 65535) {
        problem = "The agent port \"" + text + "\" is not a number between 1 and 65535.";
        return false;
    }
    port = static_cast<uint16_t>(value);
    return true;
}

bool SwitchValidation::IsIpv4Address(const std::string& address)
{
    // Four dotted decimal parts only: QHostAddress would also take "10.1" or "010.1.1.1".
    int parts = 0;
    size_t start = 0;
    while (true) {
        const size_t dot = address.find('.', start);
        const std::string part = address.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), ::isdigit) ||
            (part.size() > 1 && part[0] == '0') || std::stoi(part) > 255)
            return false;
        ++parts;
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return parts == 4;
}

bool SwitchValidation::AddressResolves(const std::string& address)
{
    if (IsIpv4Address(address))
        return true;
    return FoundIpv4(QHostInfo::fromName(QString::fromStdString(address)));
}

bool SwitchValidation::FoundIpv4(const QHostInfo& info)
{
    const QList<QHostAddress> found = info.addresses();
    return info.error() == QHostInfo::NoError && std::any_of(found.begin(), found.end(), [](const QHostAddress& a) {
               return a.protocol() == QAbstractSocket::IPv4Protocol;
           });
}

std::string SwitchValidation::UnresolvedMessage(const std::string& address)
{
    return "The host name \"" + address + "\" does not resolve to an IPv4 address.";
}

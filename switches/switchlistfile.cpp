#include "switches/switchlistfile.h"

#include "switches/switchfiles.h"
#include "switches/switchpaths.h"
#include "switches/switchprotocols.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <filesystem>
#include <utility>

namespace {

constexpr int kFormat = 1;

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

bool choice(const QJsonObject& o, const char* key, std::span<const SwitchChoice> choices, int32_t& number)
{
    return SwitchProtocols::NumberOf(choices, o.value(key).toString().toStdString(), number);
}

} // namespace

SwitchListFile::SwitchListFile(std::string path) : path_(std::move(path)) {}

std::string SwitchListFile::Serialize(const std::vector<SwitchRecord>& records)
{
    QJsonArray list;
    for (const SwitchRecord& r : records) {
        QJsonObject o{
            {"name", text(r.name)},
            {"address", text(r.address)},
            {"port", r.port},
            {"version", SwitchProtocols::NameOf(SwitchProtocols::Versions(), r.version)},
        };
        if (r.IsVersion3()) {
            o["user"] = text(r.user);
            o["level"] = SwitchProtocols::NameOf(SwitchProtocols::SecurityLevels(), r.securityLevel);
            o["auth"] = SwitchProtocols::NameOf(SwitchProtocols::AuthProtocols(), r.authProtocol);
            o["priv"] = SwitchProtocols::NameOf(SwitchProtocols::PrivProtocols(), r.privProtocol);
            o["contextName"] = text(r.contextName);
            o["contextEngineId"] = text(r.contextEngineId);
        }
        list.append(o);
    }
    const QJsonObject top{{"format", kFormat}, {"switches", list}};
    return QJsonDocument(top).toJson(QJsonDocument::Indented).toStdString();
}

bool SwitchListFile::Parse(const std::string& content, std::vector<SwitchRecord>& records, std::string& problem)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(content), &error);
    if (document.isNull()) {
        problem = "not a JSON document (" + error.errorString().toStdString() + " at offset " +
                  std::to_string(error.offset) + ")";
        return false;
    }
    const QJsonObject top = document.object();
    if (top.value("format").toInt() != kFormat || !top.value("switches").isArray()) {
        problem = "not a switch list of format " + std::to_string(kFormat);
        return false;
    }
    records.clear();
    int index = 0;
    for (const QJsonValue& value : top.value("switches").toArray()) {
        ++index;
        const QJsonObject o = value.toObject();
        SwitchRecord r;
        r.name = o.value("name").toString().toStdString();
        r.address = o.value("address").toString().toStdString();
        const int port = o.value("port").toInt(-1);
        int32_t version = 0;
        bool ok = !r.name.empty() && !r.address.empty() && port >= 1 && port <= 65535 &&
                  choice(o, "version", SwitchProtocols::Versions(), version);
        r.port = static_cast<uint16_t>(port);
        r.version = static_cast<int8_t>(version);
        if (ok && r.IsVersion3()) {
            r.user = o.value("user").toString().toStdString();
            r.contextName = o.value("contextName").toString().toStdString();
            r.contextEngineId = o.value("contextEngineId").toString().toStdString();
            ok = choice(o, "level", SwitchProtocols::SecurityLevels(), r.securityLevel) &&
                 choice(o, "auth", SwitchProtocols::AuthProtocols(), r.authProtocol) &&
                 choice(o, "priv", SwitchProtocols::PrivProtocols(), r.privProtocol);
        }
        if (!ok) {
            problem = "switch " + std::to_string(index) +
                      " lacks its name, address, port or version, or names "
                      "a version, security level or protocol this program does not know";
            return false;
        }
        records.push_back(std::move(r));
    }
    return true;
}

SwitchListFile::Loaded SwitchListFile::Load(std::vector<SwitchRecord>& records, std::string& message)
{
    records.clear();
    std::error_code ignored;
    if (!std::filesystem::exists(path_, ignored))
        return Loaded::Missing;
    std::string content;
    std::string problem = "it cannot be read";
    if (SwitchFiles::Read(path_, content) && Parse(content, records, problem))
        return Loaded::Read;
    records.clear();
    const std::string aside =
        path_ + ".damaged-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toStdString();
    message = "The switch list " + path_ + " is damaged: " + problem + ".";
    if (std::rename(path_.c_str(), aside.c_str()) == 0) {
        message += " It has been kept as " + aside + "; the list starts empty.";
    } else {
        saveRefused_ = true;
        message += " It could not be renamed aside, so changes to the list will not be saved.";
    }
    return Loaded::Damaged;
}

bool SwitchListFile::Save(const std::vector<SwitchRecord>& records, std::string& error)
{
    if (saveRefused_) {
        error = "The switch list " + path_ + " is damaged and was not overwritten.";
        return false;
    }
    const std::string directory = std::filesystem::path(path_).parent_path().string();
    if (!directory.empty() && !SwitchPaths::MakeDirectory(directory)) {
        error = "cannot make the folder " + directory;
        return false;
    }
    return SwitchFiles::WriteAtomically(path_, Serialize(records), error);
}

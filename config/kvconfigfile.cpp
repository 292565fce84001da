#include "config/kvconfigfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

#include "common/kvvaluetext.h"
#include "export/kvjsonwriter.h"

namespace {

std::string Q(const std::string& text)
{
    return KvJsonWriter::Quote(text);
}

void WriteSettings(const std::vector<KvConfigSetting>& settings, const char* indent, std::ostream& out)
{
    out << "\"settings\": [";
    for (size_t i = 0; i < settings.size(); ++i) {
        const KvConfigSetting& s = settings[i];
        out << (i ? ",\n" : "\n") << indent << "{\"label\": " << Q(s.label) << ", \"oid\": " << Q(s.oid)
            << ", \"syntax\": " << Q(s.syntax) << ", \"value\": " << Q(s.value) << "}";
    }
    out << "]";
}

// Reading: every field is checked, and a failure names the page and row.
class Reader {
public:
    std::string error;

    bool Text(const QJsonObject& object, const char* field, std::string& value, const std::string& where)
    {
        const QJsonValue item = object.value(QLatin1String(field));
        if (!item.isString())
            return Fail(where + ": \"" + field + "\" is missing or not a text");
        value = item.toString().toStdString();
        return true;
    }

    bool Array(const QJsonObject& object, const char* field, QJsonArray& value, const std::string& where)
    {
        const QJsonValue item = object.value(QLatin1String(field));
        if (!item.isArray())
            return Fail(where + ": \"" + field + "\" is missing or not a list");
        value = item.toArray();
        return true;
    }

    bool Settings(const QJsonObject& object, std::vector<KvConfigSetting>& settings, const std::string& where)
    {
        QJsonArray list;
        if (!Array(object, "settings", list, where))
            return false;
        for (qsizetype i = 0; i < list.size(); ++i) {
            const std::string at = where + ", setting " + std::to_string(i + 1);
            if (!list[i].isObject())
                return Fail(at + ": not an object");
            const QJsonObject item = list[i].toObject();
            KvConfigSetting setting;
            if (!Text(item, "label", setting.label, at) || !Text(item, "oid", setting.oid, at) ||
                !Text(item, "syntax", setting.syntax, at) || !Text(item, "value", setting.value, at))
                return false;
            const std::string named = at + " (\"" + setting.label + "\")";
            std::vector<uint32_t> arcs;
            if (!ParseArcs(setting.oid, arcs) || arcs.size() < 2)
                return Fail(named + ": \"" + setting.oid + "\" is not an object identifier");
            // One request would carry both, and which of them the switch
            // keeps is anybody's guess.
            const auto [first, added] = oids_.emplace(setting.oid, named);
            if (!added)
                return Fail(named + ": " + setting.oid + " is given twice, also at " + first->second);
            settings.push_back(std::move(setting));
        }
        return true;
    }

    bool Page(const QJsonObject& object, KvConfigPage& page, const std::string& where)
    {
        if (!Text(object, "title", page.title, where) || !Text(object, "name", page.name, where))
            return false;
        const std::string at = where + " (\"" + page.title + "\")";
        page.absent = object.value(QLatin1String("absent")).toBool(false);
        if (page.absent)
            return true;
        std::string kind;
        if (!Text(object, "kind", kind, at))
            return false;
        if (kind == "scalars") {
            KvConfigRow row;
            if (!Settings(object, row.settings, at))
                return false;
            page.rows.push_back(std::move(row));
            return true;
        }
        if (kind != "table")
            return Fail(at + ": kind \"" + kind + "\" is neither \"scalars\" nor \"table\"");
        page.table = true;
        page.rowCreation = object.value(QLatin1String("rowCreation")).toBool(false);
        QJsonArray rows;
        if (!Array(object, "rows", rows, at))
            return false;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const std::string rowAt = at + ", row " + std::to_string(i + 1);
            if (!rows[i].isObject())
                return Fail(rowAt + ": not an object");
            const QJsonObject item = rows[i].toObject();
            KvConfigRow row;
            if (!Text(item, "key", row.key, rowAt) || !Text(item, "index", row.index, rowAt) ||
                !Settings(item, row.settings, rowAt))
                return false;
            std::vector<uint32_t> instance;
            if (row.key.empty() || page.Row(row.key))
                return Fail(rowAt + ": the row key \"" + row.key + "\" is empty or given twice");
            if (!ParseArcs(row.key, instance))
                return Fail(rowAt + ": the row key \"" + row.key + "\" is not an instance (numbers and dots)");
            page.rows.push_back(std::move(row));
        }
        return true;
    }

private:
    bool Fail(const std::string& message)
    {
        error = message;
        return false;
    }

    std::map<std::string, std::string> oids_; // every setting's object identifier, and where it is
};

} // namespace

void KvConfigFile::Write(const KvConfigSnapshot& snapshot, std::ostream& out)
{
    out << "{\"format\": " << Q(kFormat) << ",\n \"model\": " << Q(snapshot.model) << ",\n \"pages\": [";
    for (size_t p = 0; p < snapshot.pages.size(); ++p) {
        const KvConfigPage& page = snapshot.pages[p];
        out << (p ? ",\n" : "\n") << " {\"title\": " << Q(page.title) << ", \"name\": " << Q(page.name);
        if (page.absent) {
            out << ", \"absent\": true}";
            continue;
        }
        if (!page.table) {
            out << ", \"kind\": \"scalars\", ";
            WriteSettings(page.rows.empty() ? std::vector<KvConfigSetting>() : page.rows.front().settings, "  ", out);
            out << "}";
            continue;
        }
        out << ", \"kind\": \"table\"" << (page.rowCreation ? ", \"rowCreation\": true" : "") << ", \"rows\": [";
        for (size_t r = 0; r < page.rows.size(); ++r) {
            const KvConfigRow& row = page.rows[r];
            out << (r ? ",\n" : "\n") << "  {\"key\": " << Q(row.key) << ", \"index\": " << Q(row.index) << ", ";
            WriteSettings(row.settings, "   ", out);
            out << "}";
        }
        out << "]}";
    }
    out << "]}\n";
    out.flush();
}

bool KvConfigFile::Parse(const std::string& text, KvConfigSnapshot& snapshot, std::string& error)
{
    snapshot = KvConfigSnapshot();
    QJsonParseError parseError;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const size_t at = std::min(static_cast<size_t>(std::max(0, parseError.offset)), text.size());
        const long line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n');
        error = "line " + std::to_string(line) + ": not valid JSON (" + parseError.errorString().toStdString() + ")";
        return false;
    }
    if (!document.isObject()) {
        error = "not a snapshot (no JSON object)";
        return false;
    }
    const QJsonObject root = document.object();
    Reader reader;
    std::string format;
    if (!reader.Text(root, "format", format, "the file") || format != kFormat) {
        error = "not a snapshot of osprey-config (\"format\" is not \"" + std::string(kFormat) + "\")";
        return false;
    }
    QJsonArray pages;
    if (!reader.Text(root, "model", snapshot.model, "the file") || !reader.Array(root, "pages", pages, "the file")) {
        error = reader.error;
        return false;
    }
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const std::string where = "page " + std::to_string(i + 1);
        KvConfigPage page;
        if (!pages[i].isObject()) {
            error = where + ": not an object";
            return false;
        }
        if (!reader.Page(pages[i].toObject(), page, where)) {
            error = reader.error;
            return false;
        }
        if (snapshot.Page(page.name, page.title)) {
            error = where + " (\"" + page.title + "\"): given twice";
            return false;
        }
        snapshot.pages.push_back(std::move(page));
    }
    return true;
}

bool KvConfigFile::Load(const std::string& path, KvConfigSnapshot& snapshot, std::string& error)
{
    std::string text;
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            error = path + ": cannot be read";
            return false;
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!Parse(text, snapshot, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

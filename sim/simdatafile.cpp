#include "sim/simdatafile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "sim/simdataparser.h"

namespace {

const char* AccessName(SimAccess a)
{
    switch (a) {
    case SimAccess::ReadOnly:
        return "ro";
    case SimAccess::ReadWrite:
        return "rw";
    case SimAccess::ReadCreate:
        return "rc";
    }
    return "ro";
}

std::string SpecialText(const SimObject& o)
{
    switch (o.special) {
    case SimSpecial::Uptime:
        return "@uptime";
    case SimSpecial::FrontPanel:
        return "@frontpanel";
    case SimSpecial::EngineId:
        return "@engineid";
    case SimSpecial::Index:
        return o.indexArc == 1 ? std::string("@index") : "@index." + std::to_string(o.indexArc);
    case SimSpecial::None:
        break;
    }
    return "";
}

std::string AttributesText(const SimObject& o, unsigned ent)
{
    std::string s = SimValue::TypeName(o.type);
    s += ' ';
    s += AccessName(o.access);
    s += ' ';
    s += o.special == SimSpecial::None ? o.value.ToDataText(o.type, ent) : SpecialText(o);
    const std::string c = o.constraint.ToText();
    if (!c.empty())
        s += ' ' + c;
    return s;
}

} // namespace

bool SimDataFile::LoadText(const std::string& text, const std::string& name, SimStore& store, std::string& error)
{
    return LoadText(text, name, store, error, Limits());
}

bool SimDataFile::LoadText(const std::string& text, const std::string& name, SimStore& store, std::string& error,
                           const Limits& limits)
{
    SimDataParser parser(name, store, limits);
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.find('\0') != std::string::npos) {
            error = name + ":" + std::to_string(number) + ": the line holds a NUL character";
            return false;
        }
        if (!parser.Line(line, number, error))
            return false;
    }
    return true;
}

bool SimDataFile::Load(const std::string& path, SimStore& store, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open the data file (" + std::strerror(errno) + ")";
        return false;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    return LoadText(buf.str(), path, store, error);
}

std::string SimDataFile::ToText(const SimStore& store)
{
    const unsigned ent = store.EnterpriseNumber();
    std::string out = "# Simulated switch, written back by osprey-sim.\n";
    for (const SimTable& t : store.Tables()) {
        out += "table " + simoid::FormatWithEnt(t.entry, ent);
        if (t.createOnAnyColumn)
            out += " create";
        if (t.deleteColumn)
            out += " delete=" + std::to_string(t.deleteColumn) + ":" + std::to_string(t.deleteValue);
        if (!t.index.Empty())
            out += " index=" + t.index.ToText().substr(6); // "range=" dropped
        out += '\n';
        for (const auto& c : t.columns)
            out += "column " + simoid::FormatWithEnt(c.second.oid, ent) + " " + AttributesText(c.second, ent) + '\n';
    }
    for (const SimMirror& m : store.Mirrors()) {
        out += "mirror " + simoid::FormatWithEnt(m.source, ent) + " " + simoid::FormatWithEnt(m.target, ent);
        if (!m.prefix.empty())
            out += " prefix=" + simoid::Format(m.prefix);
        std::string copies;
        for (const auto& c : m.copies)
            copies += (copies.empty() ? "" : ",") + std::to_string(c.first) + ":" + std::to_string(c.second);
        if (!copies.empty())
            out += " copy=" + copies;
        out += '\n';
    }
    static const char* events[] = {"created", "deleted", "rows"};
    for (const SimRowCount& c : store.RowCounts())
        out += "count " + simoid::FormatWithEnt(c.counter, ent) + " " + events[static_cast<int>(c.event)] + " " +
               simoid::FormatWithEnt(c.table, ent) + '\n';
    for (const auto& o : store.Objects())
        out += simoid::FormatWithEnt(o.first, ent) + " " + AttributesText(o.second, ent) + '\n';
    for (const auto& o : store.Objects())
        if (o.second.movingRate)
            out += "moving " + simoid::FormatWithEnt(o.first, ent) + " " + std::to_string(o.second.movingRate) + '\n';
    return out;
}

bool SimDataFile::Save(const std::string& path, const SimStore& store, std::string& error)
{
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = tmp + ": cannot write (" + std::strerror(errno) + ")";
            return false;
        }
        out << ToText(store);
        out.flush();
        if (!out) {
            error = tmp + ": write failed";
            return false;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        error = path + ": cannot replace (" + std::strerror(errno) + ")";
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

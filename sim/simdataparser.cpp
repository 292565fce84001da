#include "sim/simdataparser.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "sim/simmovingcounter.h"
#include "sim/simoidpattern.h"

namespace {

bool ParseAccess(const std::string& t, SimAccess& a)
{
    if (t == "ro")
        a = SimAccess::ReadOnly;
    else if (t == "rw")
        a = SimAccess::ReadWrite;
    else if (t == "rc")
        a = SimAccess::ReadCreate;
    else
        return false;
    return true;
}

} // namespace

SimDataParser::SimDataParser(const std::string& name, SimStore& store, const SimDataFile::Limits& limits)
    : name_(name), store_(store), limits_(limits)
{
}

bool SimDataParser::Line(const std::string& text, int number, std::string& error)
{
    std::vector<SimDataToken> tokens;
    std::string why;
    if (!SimDataToken::Tokenize(text, tokens, why))
        return Fail(number, why, error);
    if (tokens.empty())
        return true;
    if (!tokens[0].quoted && tokens[0].text == "table")
        return Table(tokens, number, error);
    if (!tokens[0].quoted && tokens[0].text == "column")
        return Column(tokens, number, error);
    if (!tokens[0].quoted && tokens[0].text == "mirror")
        return Mirror(tokens, number, error);
    if (!tokens[0].quoted && tokens[0].text == "count")
        return Count(tokens, number, error);
    if (!tokens[0].quoted && tokens[0].text == "moving")
        return Moving(tokens, number, error);
    return Object(tokens, number, error);
}

bool SimDataParser::Fail(int number, const std::string& why, std::string& error)
{
    error = name_ + ":" + std::to_string(number) + ": " + why;
    return false;
}

bool SimDataParser::Table(const std::vector<SimDataToken>& tokens, int number, std::string& error)
{
    if (tokens.size() < 2)
        return Fail(number, "\"table\" needs the entry OID", error);
    SimTable t;
    if (!simoid::Parse(tokens[1].text, store_.EnterpriseNumber(), t.entry))
        return Fail(number, "\"" + tokens[1].text + "\" is not an object identifier", error);
    for (size_t i = 2; i < tokens.size(); ++i) {
        const std::string& opt = tokens[i].text;
        if (opt == "create") {
            t.createOnAnyColumn = true;
        } else if (opt.rfind("delete=", 0) == 0) {
            const std::string arg = opt.substr(7);
            const size_t colon = arg.find(':');
            char* end = nullptr;
            if (colon == std::string::npos || colon == 0)
                return Fail(number, "\"" + opt + "\" should read delete=COLUMN:VALUE", error);
            const std::string colText = arg.substr(0, colon);
            const std::string valueText = arg.substr(colon + 1);
            errno = 0;
            unsigned long col = std::strtoul(colText.c_str(), &end, 10);
            if (errno || *end || col == 0 || colText[0] == '-')
                return Fail(number, "\"" + opt + "\" should read delete=COLUMN:VALUE", error);
            long long v = std::strtoll(valueText.c_str(), &end, 10);
            if (errno || *end || valueText.empty())
                return Fail(number, "\"" + opt + "\" should read delete=COLUMN:VALUE", error);
            t.deleteColumn = col;
            t.deleteValue = v;
        } else if (opt.rfind("index=", 0) == 0) {
            std::string why;
            if (!t.index.ParseToken("range=" + opt.substr(6), why))
                return Fail(number, "\"" + opt + "\" should read index=LOW..HIGH", error);
        } else {
            return Fail(number,
                        "unknown table option \"" + opt + "\" (known: create, delete=COLUMN:VALUE, index=LOW..HIGH)",
                        error);
        }
    }
    std::string why;
    if (!store_.AddTable(t, why))
        return Fail(number, why, error);
    return true;
}

bool SimDataParser::Column(const std::vector<SimDataToken>& tokens, int number, std::string& error)
{
    if (tokens.size() < 5)
        return Fail(number, "a column line reads: column OID TYPE ACCESS DEFAULT [CONSTRAINT...]", error);
    SimOid colOid;
    if (!simoid::Parse(tokens[1].text, store_.EnterpriseNumber(), colOid))
        return Fail(number, "\"" + tokens[1].text + "\" is not an object identifier", error);
    SimOid entry(colOid.begin(), colOid.end() - 1);
    SimTable* t = store_.TableEntry(entry);
    if (!t)
        return Fail(number, "column " + tokens[1].text + " does not belong to a table declared above", error);
    SimObject o;
    o.oid = colOid;
    if (!Attributes(tokens, 2, number, true, {}, o, error))
        return false;
    if (t->columns.count(colOid.back()))
        return Fail(number, "column " + tokens[1].text + " is declared twice", error);
    t->columns.emplace(colOid.back(), o);
    return true;
}

bool SimDataParser::Arcs(const std::string& text, SimOid& out)
{
    out.clear();
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t dot = std::min(text.find('.', pos), text.size());
        const std::string arc = text.substr(pos, dot - pos);
        if (arc.empty() || arc.find_first_not_of("0123456789") != std::string::npos || arc.size() > 10)
            return false;
        const unsigned long long v = std::stoull(arc);
        if (v > 0xFFFFFFFFull)
            return false;
        out.push_back(static_cast<oid>(v));
        pos = dot + 1;
        if (dot + 1 == text.size())
            return false; // a trailing dot
    }
    return true;
}

bool SimDataParser::Entry(const SimDataToken& token, int number, SimOid& out, std::string& error)
{
    if (!simoid::Parse(token.text, store_.EnterpriseNumber(), out))
        return Fail(number, "\"" + token.text + "\" is not an object identifier", error);
    return true;
}

bool SimDataParser::Mirror(const std::vector<SimDataToken>& tokens, int number, std::string& error)
{
    static const char* usage = "a mirror line reads: mirror SOURCE TARGET [prefix=ARCS] [copy=S:T,...]";
    if (tokens.size() < 3)
        return Fail(number, usage, error);
    SimMirror m;
    if (!Entry(tokens[1], number, m.source, error) || !Entry(tokens[2], number, m.target, error))
        return false;
    for (size_t i = 3; i < tokens.size(); ++i) {
        const std::string& opt = tokens[i].text;
        if (opt.rfind("prefix=", 0) == 0) {
            if (!Arcs(opt.substr(7), m.prefix))
                return Fail(number, "\"" + opt + "\" should read prefix=ARCS", error);
        } else if (opt.rfind("copy=", 0) == 0) {
            std::istringstream pairs(opt.substr(5));
            std::string pair;
            while (std::getline(pairs, pair, ',')) {
                const size_t colon = pair.find(':');
                SimOid from, to;
                if (colon == std::string::npos || !Arcs(pair.substr(0, colon), from) ||
                    !Arcs(pair.substr(colon + 1), to) || from.size() != 1 || to.size() != 1)
                    return Fail(number, "\"" + opt + "\" should read copy=S:T,...", error);
                m.copies.emplace_back(from[0], to[0]);
            }
        } else {
            return Fail(number, usage, error);
        }
    }
    std::string why;
    if (!store_.AddMirror(m, why))
        return Fail(number, why, error);
    return true;
}

bool SimDataParser::Count(const std::vector<SimDataToken>& tokens, int number, std::string& error)
{
    if (tokens.size() != 4)
        return Fail(number, "a count line reads: count OBJECT created|deleted|rows TABLE", error);
    SimRowCount c;
    if (!Entry(tokens[1], number, c.counter, error) || !Entry(tokens[3], number, c.table, error))
        return false;
    if (tokens[2].text == "created")
        c.event = SimRowCount::Event::Created;
    else if (tokens[2].text == "deleted")
        c.event = SimRowCount::Event::Deleted;
    else if (tokens[2].text == "rows")
        c.event = SimRowCount::Event::Rows;
    else
        return Fail(number, "a count line reads: count OBJECT created|deleted|rows TABLE", error);
    std::string why;
    if (!store_.AddRowCount(c, why))
        return Fail(number, why, error);
    return true;
}

bool SimDataParser::ExpandOids(const std::string& text, int number, bool newObjects,
                               std::vector<std::pair<SimOid, std::vector<oid>>>& out, std::string& error)
{
    std::string why;
    SimOidPattern pattern;
    if (!SimOidPattern::Parse(text, limits_.objectsPerLine, pattern, why))
        return Fail(number, why, error);
    if (newObjects && objects_ + pattern.Count() > limits_.objectsPerFile)
        return Fail(number, "the file stands for more than " + std::to_string(limits_.objectsPerFile) + " objects",
                    error);
    std::vector<std::vector<oid>> combos;
    if (pattern.lists.empty()) {
        combos.push_back({});
    } else if (pattern.lists.size() == 1) {
        for (oid a : pattern.lists[0])
            combos.push_back({a});
    } else {
        for (oid a : pattern.lists[0])
            for (oid b : pattern.lists[1])
                combos.push_back({a, b});
    }
    if (newObjects)
        objects_ += combos.size();
    out.clear();
    for (const auto& arcs : combos) {
        SimOid o;
        if (!simoid::Parse(pattern.Text(arcs), store_.EnterpriseNumber(), o))
            return Fail(number, "\"" + text + "\" is not an object identifier", error);
        out.emplace_back(o, arcs);
    }
    return true;
}

bool SimDataParser::Object(const std::vector<SimDataToken>& tokens, int number, std::string& error)
{
    if (tokens.size() < 4)
        return Fail(number, "an object line reads: OID TYPE ACCESS VALUE [CONSTRAINT...]", error);
    if (tokens[0].quoted)
        return Fail(number, "an object line starts with an OID", error);
    std::vector<std::pair<SimOid, std::vector<oid>>> oids;
    if (!ExpandOids(tokens[0].text, number, true, oids, error))
        return false;
    std::string why;
    for (const auto& [objectOid, arcs] : oids) {
        SimObject o;
        o.oid = objectOid;
        if (!Attributes(tokens, 1, number, false, arcs, o, error))
            return false;
        if (!store_.AddObject(o, why))
            return Fail(number, why, error);
    }
    return true;
}

bool SimDataParser::Moving(const std::vector<SimDataToken>& tokens, int number, std::string& error)
{
    if (tokens.size() != 3 || tokens[1].quoted || tokens[2].quoted)
        return Fail(number, "a moving line reads: moving OID RATE (the counters' increase per second)", error);
    std::vector<std::pair<SimOid, std::vector<oid>>> oids;
    if (!ExpandOids(tokens[1].text, number, false, oids, error))
        return false;
    for (const auto& [objectOid, arcs] : oids) {
        SimObject* o = store_.Find(objectOid);
        const std::string name = simoid::FormatWithEnt(objectOid, store_.EnterpriseNumber());
        if (!o)
            return Fail(number, "moving " + name + ": no such object above", error);
        if (!SimMovingCounter::CanMove(o->type) || o->special != SimSpecial::None)
            return Fail(number, "moving " + name + ": only counter32 and counter64 objects move", error);
        const std::string rate = SimDataToken::Substitute(tokens[2].text, arcs);
        char* end = nullptr;
        errno = 0;
        const unsigned long long value = std::strtoull(rate.c_str(), &end, 10);
        if (rate.empty() || rate[0] == '-' || *end || errno)
            return Fail(number, "moving " + name + ": the rate \"" + rate + "\" is not a whole number", error);
        o->movingRate = value;
    }
    return true;
}

bool SimDataParser::Attributes(const std::vector<SimDataToken>& tokens, size_t first, int number, bool isColumn,
                               const std::vector<oid>& arcs, SimObject& o, std::string& error)
{
    const SimDataToken& typeTok = tokens[first];
    if (!SimValue::TypeFromName(typeTok.text, o.type))
        return Fail(number,
                    "unknown type \"" + typeTok.text +
                        "\" (known: integer, string, hex, oid, ipaddress, counter32, gauge32, "
                        "timeticks, counter64, unsigned32)",
                    error);
    if (!ParseAccess(tokens[first + 1].text, o.access))
        return Fail(number, "unknown access \"" + tokens[first + 1].text + "\" (known: ro, rw, rc)", error);
    std::string why;
    for (size_t i = first + 3; i < tokens.size(); ++i) {
        if (!o.constraint.ParseToken(tokens[i].text, why))
            return Fail(number, why, error);
    }
    if (o.constraint.IsRowStatus() && o.type != SimType::Integer)
        return Fail(number, "a RowStatus object is an integer", error);
    const SimDataToken& valueTok = tokens[first + 2];
    const std::string value = SimDataToken::Substitute(valueTok.text, arcs);
    if (!valueTok.quoted && !value.empty() && value[0] == '@')
        return Special(value, number, isColumn, o, error);
    if (!SimValue::Parse(o.type, value, valueTok.quoted, store_.EnterpriseNumber(), o.value, why))
        return Fail(number, why, error);
    if (o.constraint.Check(o.type, o.value) != 0)
        return Fail(number, "the value \"" + value + "\" lies outside the object's own constraint", error);
    if (o.constraint.IsRowStatus() && o.value.integer > 3)
        return Fail(number, "a row's status is active (1), notInService (2) or notReady (3)", error);
    return true;
}

bool SimDataParser::Special(const std::string& value, int number, bool isColumn, SimObject& o, std::string& error)
{
    auto needs = [&](SimType t, const char* what) {
        if (o.type != t)
            return Fail(number, value + " needs the type " + what, error);
        return true;
    };
    if (value == "@uptime") {
        o.special = SimSpecial::Uptime;
        return needs(SimType::TimeTicks, "timeticks");
    }
    if (value == "@frontpanel") {
        o.special = SimSpecial::FrontPanel;
        return needs(SimType::Hex, "hex");
    }
    if (value == "@engineid") {
        o.special = SimSpecial::EngineId;
        return needs(SimType::Hex, "hex");
    }
    if (value == "@index" || value.rfind("@index.", 0) == 0) {
        if (!isColumn)
            return Fail(number, "@index is only for column defaults", error);
        unsigned arc = 1;
        if (value.size() > 6) {
            char* end = nullptr;
            arc = static_cast<unsigned>(std::strtoul(value.c_str() + 7, &end, 10));
            if (*end || arc == 0 || value.size() == 7)
                return Fail(number, "\"" + value + "\" should read @index or @index.N", error);
        }
        if (o.type == SimType::String || o.type == SimType::Hex || o.type == SimType::ObjectId ||
            o.type == SimType::IpAddress)
            return Fail(number, "@index needs a numeric type", error);
        o.special = SimSpecial::Index;
        o.indexArc = arc;
        return true;
    }
    return Fail(number, "unknown special value \"" + value + "\" (known: @uptime, @frontpanel, @engineid, @index)",
                error);
}

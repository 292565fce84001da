#include "sim/simdatafile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "sim/simmovingcounter.h"

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Splits a line at blanks; "..." is one token with C-like escapes; '#'
// outside quotes starts a comment.
bool tokenize(const std::string &line, std::vector<Token> &out, std::string &error)
{
    out.clear();
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        Token t;
        if (c == '"') {
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                char d = line[i];
                if (d == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (d == '\\') {
                    if (i + 1 >= n) {
                        error = "a backslash ends the line";
                        return false;
                    }
                    char e = line[i + 1];
                    if (e == 'n') {
                        t.text += '\n';
                        i += 2;
                    } else if (e == 't') {
                        t.text += '\t';
                        i += 2;
                    } else if (e == 'x') {
                        int h = i + 2 < n ? hexDigit(line[i + 2]) : -1;
                        int l = i + 3 < n ? hexDigit(line[i + 3]) : -1;
                        if (h < 0 || l < 0) {
                            error = "\\x needs two hexadecimal digits";
                            return false;
                        }
                        t.text += static_cast<char>(h * 16 + l);
                        i += 4;
                    } else {
                        t.text += e;
                        i += 2;
                    }
                    continue;
                }
                t.text += d;
                ++i;
            }
            if (!closed) {
                error = "a quoted text is not closed";
                return false;
            }
            if (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                error = "a quoted text must be followed by a blank";
                return false;
            }
        } else {
            while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                t.text += line[i++];
        }
        out.push_back(t);
    }
    return true;
}

// An OID text with up to two "[...]" lists: the literal texts around the
// lists (one more than there are lists) and each list's values.
struct OidPattern {
    std::vector<std::string> pieces;
    std::vector<std::vector<oid>> lists;

    // How many objects the lists stand for.
    size_t count() const
    {
        size_t n = 1;
        for (const auto &values : lists)
            n *= values.size();
        return n;
    }

    // The OID text for one value of each list.
    std::string text(const std::vector<oid> &arcs) const
    {
        std::string out = pieces[0];
        for (size_t k = 0; k < arcs.size(); ++k)
            out += std::to_string(arcs[k]) + pieces[k + 1];
        return out;
    }
};

// The values of "a..b,c,..."; false for a malformed list. Stops with
// `tooMany` set once the list would hold more than `limit` values, before
// they are made.
bool expandList(const std::string &inside, size_t limit, std::vector<oid> &values, bool &tooMany)
{
    tooMany = false;
    size_t pos = 0;
    while (pos <= inside.size()) {
        size_t end = inside.find(',', pos);
        if (end == std::string::npos)
            end = inside.size();
        const std::string part = inside.substr(pos, end - pos);
        size_t dots = part.find("..");
        char *stop = nullptr;
        if (part.empty())
            return false;
        if (dots == std::string::npos) {
            errno = 0;
            unsigned long v = std::strtoul(part.c_str(), &stop, 10);
            if (errno || *stop || part[0] == '-' || v > 0xFFFFFFFFul)
                return false;
            if (values.size() >= limit) {
                tooMany = true;
                return false;
            }
            values.push_back(v);
        } else {
            const std::string a = part.substr(0, dots), b = part.substr(dots + 2);
            if (a.empty() || b.empty() || a[0] == '-' || b[0] == '-')
                return false;
            errno = 0;
            unsigned long lo = std::strtoul(a.c_str(), &stop, 10);
            if (errno || *stop)
                return false;
            unsigned long hi = std::strtoul(b.c_str(), &stop, 10);
            if (errno || *stop || lo > hi || hi - lo > 100000 || hi > 0xFFFFFFFFul)
                return false;
            if (hi - lo + 1 > limit - values.size()) {
                tooMany = true;
                return false;
            }
            for (unsigned long v = lo; v <= hi; ++v)
                values.push_back(v);
        }
        pos = end + 1;
    }
    return !values.empty();
}

// Splits an OID text with optional "[...]" lists into literal texts and the
// lists' values. At most two lists, together standing for at most `limit`
// objects.
bool parseOidPattern(const std::string &text, size_t limit, OidPattern &pattern, std::string &error)
{
    pattern = OidPattern();
    pattern.pieces.emplace_back();
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '[') {
            pattern.pieces.back() += text[i++];
            continue;
        }
        size_t close = text.find(']', i);
        if (close == std::string::npos) {
            error = "\"[\" without \"]\" in \"" + text + "\"";
            return false;
        }
        if (pattern.lists.size() == 2) {
            error = "at most two ranges in one OID";
            return false;
        }
        // What the lists before leave of the limit for this one.
        const size_t left = limit / pattern.count();
        std::vector<oid> values;
        bool tooMany = false;
        if (!expandList(text.substr(i + 1, close - i - 1), left, values, tooMany)) {
            error = tooMany ? "the ranges expand to too many objects"
                            : "bad range \"" + text.substr(i, close - i + 1) + "\" (expected for example [1..26] or [1..8,25])";
            return false;
        }
        pattern.lists.push_back(std::move(values));
        pattern.pieces.emplace_back();
        i = close + 1;
    }
    return true;
}

std::string substitute(const std::string &text, const std::vector<oid> &arcs)
{
    if (arcs.empty())
        return text;
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '$' && i + 1 < text.size()) {
            const char c = text[i + 1];
            if (c == 'i') {
                out += std::to_string(arcs[0]);
                ++i;
                continue;
            }
            if (c == 'j' && arcs.size() > 1) {
                out += std::to_string(arcs[1]);
                ++i;
                continue;
            }
            if (c == 'h') {
                out += digits[(arcs[0] >> 4) & 15];
                out += digits[arcs[0] & 15];
                ++i;
                continue;
            }
            if (c == '$') {
                out += '$';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool parseAccess(const std::string &t, SimAccess &a)
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

const char *accessName(SimAccess a)
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

class Parser {
public:
    Parser(const std::string &name, SimStore &store, const SimDataFile::Limits &limits)
        : name_(name), store_(store), limits_(limits)
    {
    }

    bool line(const std::string &text, int number, std::string &error)
    {
        std::vector<Token> tokens;
        std::string why;
        if (!tokenize(text, tokens, why))
            return fail(number, why, error);
        if (tokens.empty())
            return true;
        if (!tokens[0].quoted && tokens[0].text == "table")
            return table(tokens, number, error);
        if (!tokens[0].quoted && tokens[0].text == "column")
            return column(tokens, number, error);
        if (!tokens[0].quoted && tokens[0].text == "mirror")
            return mirror(tokens, number, error);
        if (!tokens[0].quoted && tokens[0].text == "count")
            return count(tokens, number, error);
        if (!tokens[0].quoted && tokens[0].text == "moving")
            return moving(tokens, number, error);
        return object(tokens, number, error);
    }

private:
    bool fail(int number, const std::string &why, std::string &error)
    {
        error = name_ + ":" + std::to_string(number) + ": " + why;
        return false;
    }

    bool table(const std::vector<Token> &tokens, int number, std::string &error)
    {
        if (tokens.size() < 2)
            return fail(number, "\"table\" needs the entry OID", error);
        SimTable t;
        if (!simoid::parse(tokens[1].text, store_.enterpriseNumber(), t.entry))
            return fail(number, "\"" + tokens[1].text + "\" is not an object identifier", error);
        for (size_t i = 2; i < tokens.size(); ++i) {
            const std::string &opt = tokens[i].text;
            if (opt == "create") {
                t.createOnAnyColumn = true;
            } else if (opt.rfind("delete=", 0) == 0) {
                const std::string arg = opt.substr(7);
                const size_t colon = arg.find(':');
                char *end = nullptr;
                if (colon == std::string::npos || colon == 0)
                    return fail(number, "\"" + opt + "\" should read delete=COLUMN:VALUE", error);
                const std::string colText = arg.substr(0, colon);
                const std::string valueText = arg.substr(colon + 1);
                errno = 0;
                unsigned long col = std::strtoul(colText.c_str(), &end, 10);
                if (errno || *end || col == 0 || colText[0] == '-')
                    return fail(number, "\"" + opt + "\" should read delete=COLUMN:VALUE", error);
                long long v = std::strtoll(valueText.c_str(), &end, 10);
                if (errno || *end || valueText.empty())
                    return fail(number, "\"" + opt + "\" should read delete=COLUMN:VALUE", error);
                t.deleteColumn = col;
                t.deleteValue = v;
            } else if (opt.rfind("index=", 0) == 0) {
                std::string why;
                if (!t.index.parseToken("range=" + opt.substr(6), why))
                    return fail(number, "\"" + opt + "\" should read index=LOW..HIGH", error);
            } else {
                return fail(number,
                            "unknown table option \"" + opt + "\" (known: create, delete=COLUMN:VALUE, index=LOW..HIGH)",
                            error);
            }
        }
        std::string why;
        if (!store_.addTable(t, why))
            return fail(number, why, error);
        return true;
    }

    bool column(const std::vector<Token> &tokens, int number, std::string &error)
    {
        if (tokens.size() < 5)
            return fail(number, "a column line reads: column OID TYPE ACCESS DEFAULT [CONSTRAINT...]", error);
        SimOid colOid;
        if (!simoid::parse(tokens[1].text, store_.enterpriseNumber(), colOid))
            return fail(number, "\"" + tokens[1].text + "\" is not an object identifier", error);
        SimOid entry(colOid.begin(), colOid.end() - 1);
        SimTable *t = store_.tableEntry(entry);
        if (!t)
            return fail(number, "column " + tokens[1].text + " does not belong to a table declared above", error);
        SimObject o;
        o.oid = colOid;
        if (!attributes(tokens, 2, number, true, {}, o, error))
            return false;
        if (t->columns.count(colOid.back()))
            return fail(number, "column " + tokens[1].text + " is declared twice", error);
        t->columns.emplace(colOid.back(), o);
        return true;
    }

    // "1.2.3" (or an empty text) as arcs; false when an arc is not a number.
    static bool arcs(const std::string &text, SimOid &out)
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

    bool entry(const Token &token, int number, SimOid &out, std::string &error)
    {
        if (!simoid::parse(token.text, store_.enterpriseNumber(), out))
            return fail(number, "\"" + token.text + "\" is not an object identifier", error);
        return true;
    }

    bool mirror(const std::vector<Token> &tokens, int number, std::string &error)
    {
        static const char *usage = "a mirror line reads: mirror SOURCE TARGET [prefix=ARCS] [copy=S:T,...]";
        if (tokens.size() < 3)
            return fail(number, usage, error);
        SimMirror m;
        if (!entry(tokens[1], number, m.source, error) || !entry(tokens[2], number, m.target, error))
            return false;
        for (size_t i = 3; i < tokens.size(); ++i) {
            const std::string &opt = tokens[i].text;
            if (opt.rfind("prefix=", 0) == 0) {
                if (!arcs(opt.substr(7), m.prefix))
                    return fail(number, "\"" + opt + "\" should read prefix=ARCS", error);
            } else if (opt.rfind("copy=", 0) == 0) {
                std::istringstream pairs(opt.substr(5));
                std::string pair;
                while (std::getline(pairs, pair, ',')) {
                    const size_t colon = pair.find(':');
                    SimOid from, to;
                    if (colon == std::string::npos || !arcs(pair.substr(0, colon), from)
                        || !arcs(pair.substr(colon + 1), to) || from.size() != 1 || to.size() != 1)
                        return fail(number, "\"" + opt + "\" should read copy=S:T,...", error);
                    m.copies.emplace_back(from[0], to[0]);
                }
            } else {
                return fail(number, usage, error);
            }
        }
        std::string why;
        if (!store_.addMirror(m, why))
            return fail(number, why, error);
        return true;
    }

    bool count(const std::vector<Token> &tokens, int number, std::string &error)
    {
        if (tokens.size() != 4)
            return fail(number, "a count line reads: count OBJECT created|deleted|rows TABLE", error);
        SimRowCount c;
        if (!entry(tokens[1], number, c.counter, error) || !entry(tokens[3], number, c.table, error))
            return false;
        if (tokens[2].text == "created")
            c.event = SimRowCount::Event::Created;
        else if (tokens[2].text == "deleted")
            c.event = SimRowCount::Event::Deleted;
        else if (tokens[2].text == "rows")
            c.event = SimRowCount::Event::Rows;
        else
            return fail(number, "a count line reads: count OBJECT created|deleted|rows TABLE", error);
        std::string why;
        if (!store_.addRowCount(c, why))
            return fail(number, why, error);
        return true;
    }

    // The OIDs an OID pattern with "[...]" lists stands for, each with the
    // values of its lists. With `newObjects` they count against the file's
    // limit, which is checked before anything is expanded.
    bool expandOids(const std::string &text, int number, bool newObjects,
                    std::vector<std::pair<SimOid, std::vector<oid>>> &out, std::string &error)
    {
        std::string why;
        OidPattern pattern;
        if (!parseOidPattern(text, limits_.objectsPerLine, pattern, why))
            return fail(number, why, error);
        if (newObjects && objects_ + pattern.count() > limits_.objectsPerFile)
            return fail(number,
                        "the file stands for more than " + std::to_string(limits_.objectsPerFile) + " objects", error);
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
        for (const auto &arcs : combos) {
            SimOid o;
            if (!simoid::parse(pattern.text(arcs), store_.enterpriseNumber(), o))
                return fail(number, "\"" + text + "\" is not an object identifier", error);
            out.emplace_back(o, arcs);
        }
        return true;
    }

    bool object(const std::vector<Token> &tokens, int number, std::string &error)
    {
        if (tokens.size() < 4)
            return fail(number, "an object line reads: OID TYPE ACCESS VALUE [CONSTRAINT...]", error);
        if (tokens[0].quoted)
            return fail(number, "an object line starts with an OID", error);
        std::vector<std::pair<SimOid, std::vector<oid>>> oids;
        if (!expandOids(tokens[0].text, number, true, oids, error))
            return false;
        std::string why;
        for (const auto &[objectOid, arcs] : oids) {
            SimObject o;
            o.oid = objectOid;
            if (!attributes(tokens, 1, number, false, arcs, o, error))
                return false;
            if (!store_.addObject(o, why))
                return fail(number, why, error);
        }
        return true;
    }

    // moving OID RATE: the counters named (declared above) grow by RATE per
    // second; RATE may use $i and $j like a value.
    bool moving(const std::vector<Token> &tokens, int number, std::string &error)
    {
        if (tokens.size() != 3 || tokens[1].quoted || tokens[2].quoted)
            return fail(number, "a moving line reads: moving OID RATE (the counters' increase per second)", error);
        std::vector<std::pair<SimOid, std::vector<oid>>> oids;
        if (!expandOids(tokens[1].text, number, false, oids, error))
            return false;
        for (const auto &[objectOid, arcs] : oids) {
            SimObject *o = store_.find(objectOid);
            const std::string name = simoid::formatWithEnt(objectOid, store_.enterpriseNumber());
            if (!o)
                return fail(number, "moving " + name + ": no such object above", error);
            if (!SimMovingCounter::canMove(o->type) || o->special != SimSpecial::None)
                return fail(number, "moving " + name + ": only counter32 and counter64 objects move", error);
            const std::string rate = substitute(tokens[2].text, arcs);
            char *end = nullptr;
            errno = 0;
            const unsigned long long value = std::strtoull(rate.c_str(), &end, 10);
            if (rate.empty() || rate[0] == '-' || *end || errno)
                return fail(number, "moving " + name + ": the rate \"" + rate + "\" is not a whole number", error);
            o->movingRate = value;
        }
        return true;
    }

    // TYPE ACCESS VALUE [CONSTRAINT...] starting at tokens[first].
    bool attributes(const std::vector<Token> &tokens, size_t first, int number, bool isColumn,
                    const std::vector<oid> &arcs, SimObject &o, std::string &error)
    {
        const Token &typeTok = tokens[first];
        if (!SimValue::typeFromName(typeTok.text, o.type))
            return fail(number,
                        "unknown type \"" + typeTok.text
                            + "\" (known: integer, string, hex, oid, ipaddress, counter32, gauge32, "
                              "timeticks, counter64, unsigned32)",
                        error);
        if (!parseAccess(tokens[first + 1].text, o.access))
            return fail(number, "unknown access \"" + tokens[first + 1].text + "\" (known: ro, rw, rc)", error);
        std::string why;
        for (size_t i = first + 3; i < tokens.size(); ++i) {
            if (!o.constraint.parseToken(tokens[i].text, why))
                return fail(number, why, error);
        }
        if (o.constraint.isRowStatus() && o.type != SimType::Integer)
            return fail(number, "a RowStatus object is an integer", error);
        const Token &valueTok = tokens[first + 2];
        const std::string value = substitute(valueTok.text, arcs);
        if (!valueTok.quoted && !value.empty() && value[0] == '@')
            return special(value, number, isColumn, o, error);
        if (!SimValue::parse(o.type, value, valueTok.quoted, store_.enterpriseNumber(), o.value, why))
            return fail(number, why, error);
        if (o.constraint.check(o.type, o.value) != 0)
            return fail(number, "the value \"" + value + "\" lies outside the object's own constraint", error);
        if (o.constraint.isRowStatus() && o.value.integer > 3)
            return fail(number, "a row's status is active (1), notInService (2) or notReady (3)", error);
        return true;
    }

    bool special(const std::string &value, int number, bool isColumn, SimObject &o, std::string &error)
    {
        auto needs = [&](SimType t, const char *what) {
            if (o.type != t)
                return fail(number, value + " needs the type " + what, error);
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
                return fail(number, "@index is only for column defaults", error);
            unsigned arc = 1;
            if (value.size() > 6) {
                char *end = nullptr;
                arc = static_cast<unsigned>(std::strtoul(value.c_str() + 7, &end, 10));
                if (*end || arc == 0 || value.size() == 7)
                    return fail(number, "\"" + value + "\" should read @index or @index.N", error);
            }
            if (o.type == SimType::String || o.type == SimType::Hex || o.type == SimType::ObjectId
                || o.type == SimType::IpAddress)
                return fail(number, "@index needs a numeric type", error);
            o.special = SimSpecial::Index;
            o.indexArc = arc;
            return true;
        }
        return fail(number, "unknown special value \"" + value + "\" (known: @uptime, @frontpanel, @engineid, @index)", error);
    }

    std::string name_;
    SimStore &store_;
    SimDataFile::Limits limits_;
    size_t objects_ = 0;   // objects of the lines so far, ranges expanded
};

std::string specialText(const SimObject &o)
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

std::string attributesText(const SimObject &o, unsigned ent)
{
    std::string s = SimValue::typeName(o.type);
    s += ' ';
    s += accessName(o.access);
    s += ' ';
    s += o.special == SimSpecial::None ? o.value.toDataText(o.type, ent) : specialText(o);
    const std::string c = o.constraint.toText();
    if (!c.empty())
        s += ' ' + c;
    return s;
}

} // namespace

bool SimDataFile::loadText(const std::string &text, const std::string &name, SimStore &store,
                           std::string &error)
{
    return loadText(text, name, store, error, Limits());
}

bool SimDataFile::loadText(const std::string &text, const std::string &name, SimStore &store,
                           std::string &error, const Limits &limits)
{
    Parser parser(name, store, limits);
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.find('\0') != std::string::npos) {
            error = name + ":" + std::to_string(number) + ": the line holds a NUL character";
            return false;
        }
        if (!parser.line(line, number, error))
            return false;
    }
    return true;
}

bool SimDataFile::load(const std::string &path, SimStore &store, std::string &error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open the data file (" + std::strerror(errno) + ")";
        return false;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    return loadText(buf.str(), path, store, error);
}

std::string SimDataFile::toText(const SimStore &store)
{
    const unsigned ent = store.enterpriseNumber();
    std::string out = "# Simulated switch, written back by osprey-sim.\n";
    for (const SimTable &t : store.tables()) {
        out += "table " + simoid::formatWithEnt(t.entry, ent);
        if (t.createOnAnyColumn)
            out += " create";
        if (t.deleteColumn)
            out += " delete=" + std::to_string(t.deleteColumn) + ":" + std::to_string(t.deleteValue);
        if (!t.index.empty())
            out += " index=" + t.index.toText().substr(6); // "range=" dropped
        out += '\n';
        for (const auto &c : t.columns)
            out += "column " + simoid::formatWithEnt(c.second.oid, ent) + " " + attributesText(c.second, ent) + '\n';
    }
    for (const SimMirror &m : store.mirrors()) {
        out += "mirror " + simoid::formatWithEnt(m.source, ent) + " " + simoid::formatWithEnt(m.target, ent);
        if (!m.prefix.empty())
            out += " prefix=" + simoid::format(m.prefix);
        std::string copies;
        for (const auto &c : m.copies)
            copies += (copies.empty() ? "" : ",") + std::to_string(c.first) + ":" + std::to_string(c.second);
        if (!copies.empty())
            out += " copy=" + copies;
        out += '\n';
    }
    static const char *events[] = {"created", "deleted", "rows"};
    for (const SimRowCount &c : store.rowCounts())
        out += "count " + simoid::formatWithEnt(c.counter, ent) + " " + events[static_cast<int>(c.event)] + " "
               + simoid::formatWithEnt(c.table, ent) + '\n';
    for (const auto &o : store.objects())
        out += simoid::formatWithEnt(o.first, ent) + " " + attributesText(o.second, ent) + '\n';
    for (const auto &o : store.objects())
        if (o.second.movingRate)
            out += "moving " + simoid::formatWithEnt(o.first, ent) + " " + std::to_string(o.second.movingRate) + '\n';
    return out;
}

bool SimDataFile::save(const std::string &path, const SimStore &store, std::string &error)
{
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = tmp + ": cannot write (" + std::strerror(errno) + ")";
            return false;
        }
        out << toText(store);
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

// Checks of the static page tables and value-name lists: every table is held to
// the rules the request engine, the page framework and the bindings rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "osprey_config.h"
#include "tables/optionlists.h"
#include "tables/pagecatalogue.h"
#include "tables/pagetables.h"

using namespace kvtables;

namespace {

// Every page of the main menu and of the port pop-up menu.
std::vector<const PageCommand*> AllPages()
{
    std::vector<const PageCommand*> pages;
    for (const PageCommand& p : PageCatalogue())
        pages.push_back(&p);
    for (const PageCommand& p : PortPages())
        pages.push_back(&p);
    return pages;
}

// Every distinct variable table: the pages' tables and the save-changes variable.
std::vector<const VarDef*> AllVarTables()
{
    std::vector<const VarDef*> tables;
    for (const PageCommand* p : AllPages())
        if (std::find(tables.begin(), tables.end(), p->variables) == tables.end())
            tables.push_back(p->variables);
    tables.push_back(varsSaveChanges);
    return tables;
}

std::string Where(const PageCommand& p, int row = -1)
{
    std::string s = std::string(p.name) + " \"" + p.title + "\"";
    if (row >= 0)
        s += " row " + std::to_string(row);
    return s;
}

// Dotted decimal: at least two arcs, no empty arc, no leading zero, each arc
// within 32 bits, the first arc 0, 1 or 2.
bool IsDottedOid(const std::string& oid)
{
    if (oid.empty() || oid.front() == '.' || oid.back() == '.')
        return false;
    int arcs = 0;
    size_t start = 0;
    while (start <= oid.size()) {
        size_t end = oid.find('.', start);
        if (end == std::string::npos)
            end = oid.size();
        std::string arc = oid.substr(start, end - start);
        if (arc.empty() || arc.size() > 10 || (arc.size() > 1 && arc[0] == '0'))
            return false;
        for (char c : arc)
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return false;
        if (std::stoull(arc) > 0xFFFFFFFFull)
            return false;
        if (arcs == 0 && std::stoull(arc) > 2)
            return false;
        ++arcs;
        start = end + 1;
    }
    return arcs >= 2;
}

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

const std::set<uint32_t> kSyntaxCodes = {synTruthValue, synInteger,     synBits,      synOctets,       synNull,
                                         synOid,        synIpAddress,   synCounter32, synGauge32,      synTimeTicks,
                                         synOpaque,     synNetAddress,  synCounter64, synUInteger32,   synFloat,
                                         synMacAddress, synDateAndTime, synFloatDate, synDisplayString};

// Syntaxes whose value an integer constraint ("%i...") can describe.
const std::set<uint32_t> kNumericSyntax = {synInteger, synCounter32, synGauge32, synCounter64, synUInteger32};

// The longest text of a syntax whose text has a fixed greatest length: a dotted
// IP address, and a MAC address as twelve hexadecimal digits.
const std::map<uint32_t, int> kLongestText = {{synIpAddress, 15}, {synMacAddress, 12}};

// Syntaxes an implied-length index may have.
const std::set<uint32_t> kImpliedSyntax = {synBits, synOctets, synOid, synOpaque, synDisplayString};

// The constraint grammar of the edit constraints: "%" type, an optional
// "{...}" of options e<char>, l<digits>[a|f|n]*, n<number>, x<number>, w<digits>.
bool IsConstraint(const std::string& text)
{
    if (text.size() < 2 || text[0] != '%')
        return false;
    size_t i = 2;
    switch (text[1]) {
    case 'f':
    case 'h':
    case 'i':
    case 's':
    case 'u':
        break;
    case 'n':
        if (text.size() < 3)
            return false;
        i = 3;
        break;
    default:
        return false;
    }
    if (i == text.size())
        return true;
    if (text[i] != '{' || text.back() != '}')
        return false;
    const std::string opts = text.substr(i + 1, text.size() - i - 2);
    auto isNum = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.'; };
    auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    size_t k = 0;
    while (k < opts.size()) {
        const char letter = opts[k++];
        size_t start = k;
        switch (letter) {
        case 'e':
            if (k >= opts.size())
                return false;
            ++k;
            break;
        case 'l':
            while (k < opts.size() && isDigit(opts[k]))
                ++k;
            if (k == start)
                return false;
            for (int flags = 0; flags < 3 && k < opts.size() && std::strchr("afn", opts[k]); ++flags)
                ++k;
            break;
        case 'n':
        case 'x':
            while (k < opts.size() && isNum(opts[k]))
                ++k;
            if (k == start)
                return false;
            break;
        case 'w':
            while (k < opts.size() && isDigit(opts[k]))
                ++k;
            if (k == start)
                return false;
            break;
        default:
            return false;
        }
    }
    return true;
}

// The "l" option of a constraint (maximum length), 0 when absent.
int ConstraintLength(const std::string& text)
{
    size_t brace = text.find('{');
    if (brace == std::string::npos)
        return 0;
    size_t l = text.find('l', brace);
    return l == std::string::npos ? 0 : std::atoi(text.c_str() + l + 1);
}

const OptionListInfo* InfoOf(const KvOptionList* list)
{
    for (const OptionListInfo& info : OptionLists())
        if (info.list == list)
            return &info;
    return nullptr;
}

int CountDefs(const KvOptionDef* table)
{
    int n = 0;
    while (table[n].label)
        ++n;
    return n;
}

} // namespace

TEST(ConstraintGrammar, AcceptsTheTextsInUseAndRejectsMalformedOnes)
{
    for (const char* ok : {"%s", "%i", "%i{}", "%i{n0x7l1}", "%s{l12}", "%i{n-779x839}", "%n,{l4an}", "%s{e.w80}"})
        EXPECT_TRUE(IsConstraint(ok)) << ok;
    for (const char* bad : {"", "%", "i", "%q", "%n", "%i{n1x4094", "%i{z1}", "%i{l}", "%s{e}", "%i n1"})
        EXPECT_FALSE(IsConstraint(bad)) << bad;
    EXPECT_EQ(ConstraintLength("%s{l12}"), 12);
    EXPECT_EQ(ConstraintLength("%i{n0x7l1}"), 1);
    EXPECT_EQ(ConstraintLength("%i"), 0);
}

TEST(ObjectIdentifiers, AreDottedDecimalUnderAKnownArcAndUniqueWithinATable)
{
    const std::string ent = std::string(OSPREY_ENT_OID) + ".";
    ASSERT_TRUE(IsDottedOid(OSPREY_ENT_OID));
    ASSERT_TRUE(StartsWith(ent, "1.3.6.1.4.1."));
    for (const VarDef* table : AllVarTables()) {
        std::set<std::string> seen;
        for (int i = 0; table[i].oid; ++i) {
            const std::string oid = table[i].oid;
            EXPECT_TRUE(IsDottedOid(oid)) << oid;
            // Standard groups, or the maker's arc with the configured enterprise number.
            EXPECT_TRUE(StartsWith(oid, "1.3.6.1.2.1.") || StartsWith(oid, "1.3.6.1.6.3.") ||
                        StartsWith(oid, "1.0.8802.1.1.") || StartsWith(oid, ent))
                << oid;
            if (StartsWith(oid, "1.3.6.1.4.1.")) {
                EXPECT_TRUE(StartsWith(oid, ent)) << oid << " is not under " << OSPREY_ENT_OID;
            }
            EXPECT_TRUE(seen.insert(oid).second) << "duplicate row " << oid << " in " << table[0].oid;
        }
    }
}

TEST(VariableRows, UseKnownSyntaxAndAccessAndLeaveExpressionsEmpty)
{
    for (const VarDef* table : AllVarTables()) {
        for (int i = 0; table[i].oid; ++i) {
            const VarDef& v = table[i];
            ASSERT_NE(v.label, nullptr) << v.oid;
            EXPECT_GT(std::strlen(v.label), 0u) << v.oid;
            EXPECT_TRUE(kSyntaxCodes.count(v.syntax)) << v.oid << " syntax " << v.syntax;
            EXPECT_TRUE(v.access == accIdx || v.access == accRO || v.access == accRW || v.access == accIdxImplied)
                << v.oid << " access " << v.access;
            EXPECT_EQ(v.getExpression, nullptr) << v.oid;
            EXPECT_EQ(v.setExpression, nullptr) << v.oid;
            EXPECT_EQ(v.spareText, nullptr) << v.oid;
        }
        // The end row is empty.
        const VarDef& end = table[CountRows(table)];
        EXPECT_EQ(end.label, nullptr);
        EXPECT_EQ(end.options, nullptr);
    }
}

TEST(VariableRows, ValueNamesFitTheSyntax)
{
    // Integer-valued names on INTEGER rows, object-identifier-valued names on
    // OBJECT IDENTIFIER rows; every list is one of the shared lists.
    for (const VarDef* table : AllVarTables()) {
        for (int i = 0; table[i].oid; ++i) {
            const VarDef& v = table[i];
            if (!v.options)
                continue;
            const OptionListInfo* info = InfoOf(v.options);
            ASSERT_NE(info, nullptr) << v.oid << " refers to a list that is not shared";
            if (info->kind == 1) {
                EXPECT_EQ(v.syntax, synInteger) << v.oid;
            } else {
                EXPECT_EQ(v.syntax, synOid) << v.oid;
            }
        }
    }
}

TEST(OptionLists, AreDefinedOnceAndWellFormed)
{
    std::set<std::vector<std::pair<std::string, std::string>>> contents;
    std::set<std::string> names;
    for (const OptionListInfo& info : OptionLists()) {
        SCOPED_TRACE(info.name);
        EXPECT_TRUE(names.insert(info.name).second) << "name used twice";
        ASSERT_NE(info.list, nullptr);
        EXPECT_EQ(info.list->Kind(), info.kind);
        EXPECT_FALSE(info.list->CaseSensitive());
        EXPECT_TRUE(info.kind == 1 || info.kind == 2);
        const int n = CountDefs(info.table);
        EXPECT_GE(n, 2) << "a list of names needs at least two values";
        std::set<std::string> labels, values;
        std::vector<std::pair<std::string, std::string>> content;
        for (int i = 0; i < n; ++i) {
            const KvOptionDef& d = info.table[i];
            std::string value = info.kind == 1 ? std::to_string(d.value) : std::string(d.text ? d.text : "");
            if (info.kind == 2) {
                ASSERT_NE(d.text, nullptr);
                EXPECT_TRUE(IsDottedOid(d.text)) << d.text;
            } else {
                EXPECT_EQ(d.text, nullptr);
            }
            EXPECT_GT(std::strlen(d.label), 0u);
            // Names are looked up ignoring case, so they must differ beyond case.
            std::string folded = d.label;
            for (char& c : folded)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_TRUE(labels.insert(folded).second) << "label " << d.label << " twice";
            EXPECT_TRUE(values.insert(value).second) << "value " << value << " twice";
            content.emplace_back(value, d.label);
        }
        EXPECT_TRUE(contents.insert(content).second) << "same names as another list";
    }
}

TEST(OptionLists, EveryListServesARow)
{
    std::set<const KvOptionList*> used;
    for (const VarDef* table : AllVarTables())
        for (int i = 0; table[i].oid; ++i)
            if (table[i].options)
                used.insert(table[i].options);
    for (const OptionListInfo& info : OptionLists())
        EXPECT_TRUE(used.count(info.list)) << info.name << " is used by no row";
    EXPECT_EQ(used.size(), OptionLists().size());
}

TEST(LayoutTables, EntryKPointsAtRowKOfItsOwnTable)
{
    for (const PageCommand* p : AllPages()) {
        const bool fromList =
            p->builder == PageBuilder::SetEditorPageFromList || p->builder == PageBuilder::SetListViewPageFromList;
        if (fromList) {
            EXPECT_EQ(p->layout, nullptr) << Where(*p);
            continue;
        }
        ASSERT_NE(p->layout, nullptr) << Where(*p);
        const int rows = CountRows(p->variables);
        EXPECT_EQ(CountEntries(p->layout), rows) << Where(*p);
        for (int k = 0; k < rows && p->layout[k].variable; ++k)
            EXPECT_EQ(p->layout[k].variable, &p->variables[k]) << Where(*p, k);
        EXPECT_EQ(p->layout[rows].kind, 0) << Where(*p);
    }
}

TEST(LayoutTables, EditorKindsFitTheirVariables)
{
    for (const PageCommand* p : AllPages()) {
        if (!p->layout)
            continue;
        const int n = CountEntries(p->layout);
        for (int k = 0; k < n; ++k) {
            const UIEntryDef& e = p->layout[k];
            const VarDef& v = *e.variable;
            SCOPED_TRACE(Where(*p, k));
            ASSERT_TRUE(e.kind >= uiEdit && e.kind <= uiListView) << e.kind;
            if (e.kind == uiMemo || e.kind == uiListView) {
                EXPECT_EQ(n, 1) << "a memo or list view is only the sole entry of its table";
            }
            if (e.kind == uiCombo) {
                EXPECT_NE(v.options, nullptr) << "a combo box needs value names";
                if (e.format) {
                    EXPECT_TRUE(IsConstraint(e.format)) << e.format;
                }
                continue;
            }
            // Edit fields hand their format to the edit binding.
            ASSERT_NE(e.format, nullptr);
            EXPECT_TRUE(IsConstraint(e.format)) << e.format;
            // A length limit leaves room for every value of the syntax.
            const int limit = ConstraintLength(e.format);
            if (limit > 0 && kLongestText.count(v.syntax)) {
                EXPECT_GE(limit, kLongestText.at(v.syntax)) << e.format << " on syntax " << v.syntax;
            }
            if (e.format[1] == 'i') {
                EXPECT_TRUE(kNumericSyntax.count(v.syntax)) << e.format << " on syntax " << v.syntax;
            }
        }
    }
}

TEST(VariableTables, IndexColumnsAgreeWithKindAndKeyCount)
{
    for (const PageCommand* p : AllPages()) {
        SCOPED_TRACE(Where(*p));
        const int rows = CountRows(p->variables);
        ASSERT_GT(rows, 0);
        ASSERT_LE(p->kind, 3);
        if (p->kind <= 1) {
            EXPECT_EQ(p->keyCount, 0);
        } else {
            EXPECT_GE(p->keyCount, 1);
            EXPECT_LE(p->keyCount, 4);
            EXPECT_LE(p->keyCount, rows);
        }
        for (int i = 0; i < rows; ++i) {
            const VarDef& v = p->variables[i];
            if (p->kind == 0) {
                EXPECT_FALSE(v.access & accIndex) << "index column in a group of scalars, row " << i;
            }
            if (v.access & accImplied) {
                // Implied length only for the last index, of a variable-length syntax.
                EXPECT_TRUE(v.access & accIndex) << "row " << i;
                EXPECT_EQ(i, p->keyCount - 1) << "row " << i;
                EXPECT_TRUE(kImpliedSyntax.count(v.syntax)) << "row " << i;
            }
        }
        // In a table, the leading index columns are key columns: an index
        // column's value comes only from the row instance, which gives values to
        // the first keyCount columns.
        if (p->kind >= 2) {
            for (int i = 0; i < rows && (p->variables[i].access & accIndex); ++i)
                EXPECT_LT(i, p->keyCount) << "leading index column " << i << " beyond the key count";
        }
    }
}

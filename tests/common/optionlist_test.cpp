#include <gtest/gtest.h>

#include "common/kverror.h"
#include "common/kvoptionlist.h"

namespace {

const KvOptionDef kStpVersionRows[] = {
    {0, nullptr, "STP Compatibility"},
    {2, nullptr, "RSTP"},
    {0, nullptr, nullptr},
};
const KvOptionDef kRowStatusRows[] = {
    {1, nullptr, "active"},        {2, nullptr, "notInService"}, {3, nullptr, "notReady"}, {4, nullptr, "createAndGo"},
    {5, nullptr, "createAndWait"}, {6, nullptr, "destroy"},      {0, nullptr, nullptr},
};
const KvOptionDef kAuthProtocolRows[] = {
    {0, "1.3.6.1.6.3.10.1.1.1", "None"},
    {0, "1.3.6.1.6.3.10.1.1.2", "MD5"},
    {0, "1.3.6.1.6.3.10.1.1.3", "SHA"},
    {0, nullptr, nullptr},
};
const KvOptionDef kPrefixRows[] = {
    {0, "ab", "Alpha"},
    {0, "a", "A"},
    {0, "x", "Ex"},
    {0, nullptr, nullptr},
};

// Lists defined the way the page tables define them: namespace-scope objects
// that other static tables point at. constinit proves they are built at
// compile time, so no initialisation order can observe them half-built.
constinit const KvOptionList kStpVersionNames(1, kStpVersionRows);
constinit const KvOptionList kRowStatusNames(1, kRowStatusRows);
constinit const KvOptionList kAuthProtocolNames(2, kAuthProtocolRows);
constinit const KvOptionList kPrefixNames(3, kPrefixRows);

struct RowReferringToList {
    const char* name;
    const KvOptionList* names;
};
const RowReferringToList kRows[] = {
    {"stpVersion", &kStpVersionNames},
    {"rowStatus", &kRowStatusNames},
};

int ErrorCode(auto&& f)
{
    try {
        f();
    } catch (const KvError& e) {
        return e.code();
    }
    return 0;
}

} // namespace

TEST(OptionList, IntegerValues)
{
    const KvOptionList& list = *kRows[0].names;
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.ValueToLabel("2"), "RSTP");
    EXPECT_EQ(list.ValueToLabel("0"), "STP Compatibility");
    // Nothing found: the text comes back unchanged.
    for (const char* text : {"abc", "(NULL)", "1", "", "2x", "99999999999"}) {
        EXPECT_EQ(list.IndexOfValue(text), -1) << text;
        EXPECT_EQ(list.ValueToLabel(text), text);
    }
    // Labels compare without regard to case.
    EXPECT_EQ(list.LabelToValue("rstp"), "2");
    EXPECT_EQ(list.LabelToValue("stp compatibility"), "0");
    EXPECT_EQ(list.LabelToValue("RSTP "), "RSTP ");
    EXPECT_EQ(kRowStatusNames.LabelToValue("CreateAndGo"), "4");
    EXPECT_EQ(kRowStatusNames.ValueToLabel("-6"), "-6");
    EXPECT_EQ(kRowStatusNames.ValueToLabel("6"), "destroy");
}

TEST(OptionList, TextValuesAndPrefixes)
{
    EXPECT_EQ(kAuthProtocolNames.ValueToLabel("1.3.6.1.6.3.10.1.1.2"), "MD5");
    EXPECT_EQ(kAuthProtocolNames.ValueToLabel("1.3.6.1.6.3.10.1.1.22"), "1.3.6.1.6.3.10.1.1.22");
    EXPECT_EQ(kAuthProtocolNames.LabelToValue("sha"), "1.3.6.1.6.3.10.1.1.3");
    EXPECT_EQ(kAuthProtocolNames.ValueText(0), "1.3.6.1.6.3.10.1.1.1");

    // Kind 3: first row whose value (or label) is a prefix wins; the rest stays.
    EXPECT_EQ(kPrefixNames.ValueToLabel("abc"), "Alphac");
    EXPECT_EQ(kPrefixNames.ValueToLabel("ABc"), "Alphac");
    EXPECT_EQ(kPrefixNames.ValueToLabel("az"), "Az");
    EXPECT_EQ(kPrefixNames.ValueToLabel("zz"), "zz");
    EXPECT_EQ(kPrefixNames.LabelToValue("Alpha-1"), "ab-1");
    EXPECT_EQ(kPrefixNames.LabelToValue("Al"), "al"); // "A" is a prefix too
    EXPECT_EQ(kPrefixNames.LabelToValue("Zeta"), "Zeta");
    EXPECT_EQ(kPrefixNames.IndexOfLabel("Ex"), 2);

    const KvOptionList exact(2, kAuthProtocolRows, true);
    EXPECT_EQ(exact.LabelToValue("sha"), "sha");
    EXPECT_EQ(exact.LabelToValue("SHA"), "1.3.6.1.6.3.10.1.1.3");
}

TEST(OptionList, SelectionControlsAndRowAccess)
{
    EXPECT_EQ(kRowStatusNames.Labels(), (std::vector<std::string>{"active", "notInService", "notReady", "createAndGo",
                                                                  "createAndWait", "destroy"}));
    // A label selects its row; failing that a value does; else nothing.
    EXPECT_EQ(kRowStatusNames.SelectionIndex("notReady"), 2);
    EXPECT_EQ(kRowStatusNames.SelectionIndex("5"), 4);
    EXPECT_EQ(kRowStatusNames.SelectionIndex("(NULL)"), -1);
    EXPECT_EQ(kRowStatusNames.Label(5), "destroy");
    EXPECT_EQ(kRowStatusNames.ValueText(5), "6");
    EXPECT_EQ(kRowStatusNames.Item(0).value, 1);
    EXPECT_EQ(ErrorCode([] { kRowStatusNames.Item(6); }), -12);
    EXPECT_EQ(ErrorCode([] { kRowStatusNames.Label(-1); }), -12);

    const KvOptionList none(1, nullptr);
    EXPECT_EQ(none.Count(), 0);
    EXPECT_TRUE(none.Labels().empty());
    EXPECT_EQ(none.ValueToLabel("1"), "1");
}

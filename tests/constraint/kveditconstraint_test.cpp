#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/kveditconstraint.h"
#include "common/kverror.h"

namespace {

// A field that records what the constraints did to it; setting its text runs
// the change check again, as a real edit's change event does.
class FakeField : public KvEditConstraint::Field {
public:
    KvEditConstraint* constraints = nullptr;
    std::string text;
    int maxLength = -1;
    int width = -1;
    int focusCount = 0;
    int tag = 0;
    int depth = 0; // change checks running inside one another
    int deepest = 0;

    std::string Text() const override { return text; }
    void SetText(const std::string& t) override
    {
        if (t == text)
            return;
        text = t;
        ++depth;
        deepest = std::max(deepest, depth);
        if (constraints)
            constraints->OnChangeCheck(*this);
        --depth;
    }
    void SetMaxLength(int length) override { maxLength = length; }
    void SetWidth(int pixels) override { width = pixels; }
    void SetFocus() override { ++focusCount; }
    int Tag() const override { return tag; }

    // Types one character at the end, as a keystroke does.
    void Type(const std::string& characters)
    {
        for (char c : characters)
            SetText(text + c);
    }
};

class FakeHost : public KvEditConstraint::Host {
public:
    int beeps = 0;
    int advances = 0;
    std::vector<std::string> messages;

    void Beep() override { ++beeps; }
    void PostNextField(KvEditConstraint::Field&) override { ++advances; }
    void ShowMessage(const std::string& text, KvEditConstraint::Field&) override { messages.push_back(text); }
};

int ParseError(const std::string& text)
{
    try {
        KvEditConstraint::Parse(text);
    } catch (const KvError& e) {
        EXPECT_STREQ(e.what(), "(KvCommon) Bad format specifier of edit's constraint!");
        return e.code();
    }
    return 0;
}

class ConstraintFieldTest : public ::testing::Test {
protected:
    FakeHost host;
    KvEditConstraint constraints{host, true};
    FakeField field;

    void Register(const std::string& text)
    {
        field.constraints = &constraints;
        constraints.Register(text, field);
    }
};

} // namespace

TEST(ConstraintGrammar, TextsInUseParse)
{
    for (const char* text : {"%i",
                             "%s",
                             "%i{}",
                             "%i{n0x1}",
                             "%i{n0x7}",
                             "%i{n0x7l1}",
                             "%i{n0x8l1}",
                             "%i{n0x255}",
                             "%i{n0x1000}",
                             "%i{n0x61440}",
                             "%i{n0x2147483647l10}",
                             "%i{n1x7}",
                             "%i{n1x10}",
                             "%i{n1x16}",
                             "%i{n1x25}",
                             "%i{n1x255}",
                             "%i{n1x500}",
                             "%i{n1x4094}",
                             "%i{n1x65535}",
                             "%i{n1x208l3}",
                             "%i{n1x2147483647}",
                             "%i{n10x765}",
                             "%i{n30x99999}",
                             "%i{n100x1000}",
                             "%i{n400x3000}",
                             "%i{n600x4000}",
                             "%s{l12}",
                             "%s{n1x208l3}"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseError(text), 0);
    }
}

TEST(ConstraintGrammar, FieldsAndDefaults)
{
    EditConstraint_s c = KvEditConstraint::Parse("%i{n1x4094}");
    EXPECT_EQ(c.type, 'i');
    EXPECT_EQ(c.minimum, 1);
    EXPECT_EQ(c.maximum, 4094);
    EXPECT_EQ(c.maxLength, 0);

    c = KvEditConstraint::Parse("%i");
    EXPECT_EQ(c.minimum, -2147483648.0);
    EXPECT_EQ(c.maximum, 2147483647.0);
    c = KvEditConstraint::Parse("%u");
    EXPECT_EQ(c.minimum, 0);
    EXPECT_EQ(c.maximum, 4294967295.0);
    // Floating-point fields admit zero and negative numbers by default.
    c = KvEditConstraint::Parse("%f");
    EXPECT_LT(c.minimum, -1e300);

    c = KvEditConstraint::Parse("%s{l12afn}");
    EXPECT_EQ(c.maxLength, 12);
    EXPECT_EQ(c.lengthFlags, 7);
    // An "n" straight after the length digits is the flag, not the minimum.
    c = KvEditConstraint::Parse("%s{l3nx5}");
    EXPECT_EQ(c.lengthFlags, EditConstraint_s::kNotEmpty);
    EXPECT_EQ(c.maximum, 5);
    EXPECT_EQ(c.minimum, 0);

    c = KvEditConstraint::Parse("%n,{l3fx-1.5n2}");
    EXPECT_EQ(c.type, 'n');
    EXPECT_EQ(c.delimiter, ',');
    EXPECT_EQ(c.lengthFlags, EditConstraint_s::kExactLength);
    EXPECT_EQ(c.minimum, 2);
    EXPECT_EQ(c.maximum, -1.5);

    c = KvEditConstraint::Parse("%i{e.w80}");
    EXPECT_EQ(c.advanceChar, '.');
    EXPECT_EQ(c.width, 80);
    c = KvEditConstraint::Parse("%s{e}}"); // the advance character may be a brace
    EXPECT_EQ(c.advanceChar, '}');
}

TEST(ConstraintGrammar, MalformedTextsRaiseMinus2)
{
    for (const char* text :
         {"",        "%",          "i",          "x%i",        "%z",         "%I",    "%n",      "%ix",   "%i{",
          "%i}",     "%i{n1x4094", "%i{}x",      "%i{n}",      "%i{x}",      "%i{e}", "%i{l}",   "%i{w}", "%i{q1}",
          "%i{n1 }", "%i{n-}",     "%i{n1.2.3}", "%i{l3aaaa}", "%n,{l3fn2}", "%n,{",  "%s{l12}}"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseError(text), -2);
    }
}

TEST(ConstraintGrammar, SplitMany)
{
    EXPECT_EQ(KvEditConstraint::SplitMany("%i{n0x255}%i{n0x255}"),
              (std::vector<std::string>{"%i{n0x255}", "%i{n0x255}"}));
    EXPECT_EQ(KvEditConstraint::SplitMany("%i%s{l3}%h"), (std::vector<std::string>{"%i", "%s{l3}", "%h"}));
    EXPECT_TRUE(KvEditConstraint::SplitMany("").empty());
    EXPECT_EQ(KvEditConstraint::CountItems("%i{n0x255}%i{n0x255}%x%"), 2);
}

TEST(ConstraintRules, KeystrokesByType)
{
    auto rejected = [](const char* constraint, const std::string& text) {
        return KvEditConstraint::RejectedCharacter(KvEditConstraint::Parse(constraint), text);
    };
    EXPECT_EQ(rejected("%i", "-12"), -1);
    EXPECT_EQ(rejected("%i", "1-2"), 1);
    EXPECT_EQ(rejected("%i", "12a"), 2);
    EXPECT_EQ(rejected("%u", "-1"), 0);
    EXPECT_EQ(rejected("%f", "-1.5"), -1);
    EXPECT_EQ(rejected("%f", "1.5."), 3);
    EXPECT_EQ(rejected("%h", "09afAF"), -1);
    EXPECT_EQ(rejected("%h", "0g"), 1);
    EXPECT_EQ(rejected("%n,", "1,2,3"), -1);
    EXPECT_EQ(rejected("%n,", ",1"), 0);
    EXPECT_EQ(rejected("%n,", "1,,"), 2);
    EXPECT_EQ(rejected("%n,", "1;"), 1);
    EXPECT_EQ(rejected("%s", "any {text} é"), -1);
    // Positions count characters, not bytes.
    EXPECT_EQ(rejected("%i", "1é2"), 1);
}

TEST(ConstraintRules, ExitMessages)
{
    auto violation = [](const char* constraint, const std::string& text) {
        return KvEditConstraint::ExitViolation(KvEditConstraint::Parse(constraint), text).value_or("passes");
    };
    EXPECT_EQ(violation("%i{n1x4094}", "0"), "(KvCommon) Please enter a number between 1 and 4094!");
    EXPECT_EQ(violation("%i{n1x4094}", "4095"), "(KvCommon) Please enter a number between 1 and 4094!");
    EXPECT_EQ(violation("%i{n1x4094}", "4094"), "passes");
    EXPECT_EQ(violation("%i{n1x4094}", "-"), "(KvCommon) Please enter a number between 1 and 4094!");
    EXPECT_EQ(violation("%i", "2147483648"), "(KvCommon) Please enter a number between -2147483648 and 2147483647!");
    EXPECT_EQ(violation("%f{n0.5x1.25}", "1.3"), "(KvCommon) Please enter a number between 0.5 and 1.25!");

    EXPECT_EQ(violation("%s{l12f}", "abcde"), "(KvCommon) Please enter a string whose length is 12!");
    EXPECT_EQ(violation("%s{l3}", "abcd"), "(KvCommon) Please enter a string whose length is less than 3!");
    EXPECT_EQ(violation("%s{l3}", "äöü"), "passes");
    EXPECT_EQ(violation("%h{l4f}", "ABC"), "(KvCommon) Please enter a hex string whose length is 4!");
    EXPECT_EQ(violation("%h{l4}", "ABCDE"), "(KvCommon) Please enter a hex string whose length is less than 4!");

    EXPECT_EQ(violation("%n,{l3f}", "1,2"), "(KvCommon) Please enter a delimited number string with delimiter ','.\n"
                                            "Here,the count of the number is equal to 3!");
    EXPECT_EQ(violation("%n,{l2}", "1,2,3"), "(KvCommon) Please enter a delimited number string with delimiter ','.\n"
                                             "Here,the count of the number is less than 2!");
    EXPECT_EQ(violation("%n.{n1x8}", "1.9"), "(KvCommon) Please enter a delimited number string with delimiter '.'.\n"
                                             "Here,each number is between 1 and 8!");
    EXPECT_EQ(violation("%n.{n1x8}", "1.8"), "passes");

    EXPECT_EQ(violation("%i{n1x5}", ""), "passes");
    EXPECT_EQ(violation("%i{n1x5l1n}", ""), "(KvCommon) Empty value is not allowed!");
}

TEST_F(ConstraintFieldTest, RegistrationAppliesLengthAndWidth)
{
    Register("%s{l12w90}");
    EXPECT_EQ(field.maxLength, 12);
    EXPECT_EQ(field.width, 90);
    // A number list's count does not limit its characters.
    Register("%n,{l3}");
    EXPECT_EQ(field.maxLength, 0);

    FakeField other;
    EXPECT_THROW(constraints.Register("%i{", other), KvError);
    EXPECT_FALSE(constraints.IsRegistered(other));
    EXPECT_EQ(other.maxLength, -1);
}

TEST_F(ConstraintFieldTest, TypingRejectsWithBeep)
{
    Register("%i{n1x4094}");
    field.Type("12a");
    EXPECT_EQ(field.text, "12");
    EXPECT_EQ(host.beeps, 1);
    field.text.clear();
    field.Type("1-");
    EXPECT_EQ(field.text, "1");
    EXPECT_EQ(host.beeps, 2);
    // A pasted text loses every bad character, one beep each.
    field.SetText("1x2y3");
    EXPECT_EQ(field.text, "123");
    EXPECT_EQ(host.beeps, 4);
}

TEST_F(ConstraintFieldTest, LeavingWithBadTextRestoresLastValid)
{
    Register("%i{n1x4094}");
    field.Type("100");
    EXPECT_TRUE(constraints.OnExitCheck(field));
    EXPECT_EQ(constraints.LastValid(field), "100");
    field.SetText("0");
    EXPECT_FALSE(constraints.OnExitCheck(field));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "(KvCommon) Please enter a number between 1 and 4094!");
    EXPECT_EQ(field.text, "100");
    EXPECT_EQ(field.focusCount, 1);
    // An empty field passes and is not remembered.
    field.SetText("");
    EXPECT_TRUE(constraints.OnExitCheck(field));
    EXPECT_EQ(constraints.LastValid(field), "100");
}

TEST_F(ConstraintFieldTest, PlaceholdersAreLeftAlone)
{
    Register("%i{n1x4094}");
    for (const char* placeholder : {"(NOTDONE)", "(NULL)"}) {
        field.SetText(placeholder);
        EXPECT_EQ(field.text, placeholder);
        EXPECT_TRUE(constraints.OnExitCheck(field));
    }
    EXPECT_EQ(host.beeps, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ConstraintFieldTest, AdvanceCharacterAndFullField)
{
    Register("%i{e.}");
    field.Type("12.");
    EXPECT_EQ(field.text, "12");
    EXPECT_EQ(host.advances, 1);
    EXPECT_EQ(host.beeps, 0);

    field.text.clear();
    Register("%i{n0x7l1a}");
    field.Type("5");
    EXPECT_EQ(host.advances, 2);
    // Without the flag a full field stays.
    field.text.clear();
    Register("%i{n0x7l1}");
    field.Type("5");
    EXPECT_EQ(host.advances, 2);
}

TEST_F(ConstraintFieldTest, PreviousHandlersAndTheVeto)
{
    int changes = 0, exits = 0;
    field.constraints = &constraints;
    constraints.Register(
        "%i{n1x10}", field, [&](KvEditConstraint::Field&) { ++changes; },
        [&](KvEditConstraint::Field& f) {
            ++exits;
            if (f.Text() == "7")
                field.tag = -1;
        });
    field.Type("5x");
    // "5", then the text without the rejected "x" (setting it checks again);
    // "5x" itself never reaches the handler.
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(constraints.OnExitCheck(field));
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(constraints.LastValid(field), "5");
    // The handler vetoes 7: the last valid text comes back without a message.
    field.SetText("7");
    EXPECT_TRUE(constraints.OnExitCheck(field));
    EXPECT_EQ(field.text, "5");
    EXPECT_TRUE(host.messages.empty());
}

TEST(ConstraintRemember, WithoutRememberValidOnlyRememberTextStores)
{
    FakeHost host;
    KvEditConstraint constraints(host, false);
    FakeField field, stranger;
    field.constraints = &constraints;
    constraints.Register("%i{n1x9}", field);
    field.SetText("3");
    EXPECT_TRUE(constraints.OnExitCheck(field));
    EXPECT_EQ(constraints.LastValid(field), "");
    constraints.RememberText(field);
    EXPECT_EQ(constraints.LastValid(field), "3");
    field.SetText("0");
    constraints.RememberIfValid(field); // fails the check: not remembered
    EXPECT_EQ(constraints.LastValid(field), "3");
    constraints.RememberText(stranger); // not registered: nothing happens
    EXPECT_FALSE(constraints.OnExitCheck(field));
    EXPECT_EQ(field.text, "3");
}

TEST(ConstraintRemember, RegisterManyPairsPiecesWithFields)
{
    FakeHost host;
    KvEditConstraint constraints(host, true);
    FakeField a, b, c;
    constraints.RegisterMany("%i{n0x255}%i{n0x255}", {&a, &b, &c});
    EXPECT_TRUE(constraints.IsRegistered(a));
    EXPECT_TRUE(constraints.IsRegistered(b));
    EXPECT_FALSE(constraints.IsRegistered(c));
    EXPECT_EQ(constraints.ConstraintOf(b)->maximum, 255);
}

// The one-pass filter leaves exactly what removing the first rejected
// character again and again leaves.
TEST(ConstraintRules, FilterTextMatchesRemovingOneCharacterAtATime)
{
    std::mt19937 random(18);
    const std::string alphabet = "0123456789-.,;aFgx";
    for (const char* constraint : {"%i", "%u", "%f", "%h", "%n,", "%n.", "%s"}) {
        const EditConstraint_s c = KvEditConstraint::Parse(constraint);
        for (int round = 0; round < 300; ++round) {
            std::string text;
            const int length = static_cast<int>(random() % 12);
            for (int k = 0; k < length; ++k)
                text += alphabet[random() % alphabet.size()];
            std::string slow = text;
            for (int at; (at = KvEditConstraint::RejectedCharacter(c, slow)) >= 0;)
                slow.erase(static_cast<size_t>(at), 1);
            EXPECT_EQ(KvEditConstraint::FilterText(c, text), slow) << constraint << " " << text;
        }
    }
}

// A long rejected text (pasted, or a switch's 4,000-octet answer shown in an
// integer field) is cleaned in one step: the checks do not nest once per
// character.
TEST_F(ConstraintFieldTest, LongRejectedTextsDoNotNestTheCheck)
{
    Register("%i{n1x4094}");
    field.SetText(std::string(8000, 'A'));
    EXPECT_EQ(field.text, "");
    EXPECT_LE(field.deepest, 2);
    EXPECT_EQ(host.beeps, 5); // one per character, not thousands

    FakeField other;
    other.constraints = &constraints;
    constraints.Register("%u{l5}", other);
    other.SetText(std::string(7000, 'F') + "12" + std::string(7000, '-'));
    EXPECT_EQ(other.text, "12");
    EXPECT_LE(other.deepest, 2);

    FakeField advancing;
    advancing.constraints = &constraints;
    constraints.Register("%i{n0x255e.}", advancing);
    advancing.SetText("1" + std::string(8000, '.') + "2");
    EXPECT_EQ(advancing.text, "12");
    EXPECT_LE(advancing.deepest, 2);
    EXPECT_EQ(host.advances, 1);
}

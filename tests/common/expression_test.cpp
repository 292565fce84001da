#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <random>

#include "common/kverror.h"
#include "common/kvexpression.h"
#include "common/kvtext.h"
#include "expressionrules.h"

namespace {

int LogicErrorCode(const std::string& text)
{
    try {
        EvaluateLogic(text);
    } catch (const KvError& e) {
        EXPECT_EQ(e.message(), "(KvCommon) Bad logic operand!");
        return e.code();
    }
    return 0;
}

} // namespace

TEST(TextFunctions, UnquoteSpanReplace)
{
    EXPECT_EQ(Unquote("\"abc\""), "abc");
    EXPECT_EQ(Unquote("\""), "");
    EXPECT_EQ(Unquote("\"\""), "");
    EXPECT_EQ(Unquote(""), "");
    EXPECT_EQ(Unquote("\"abc"), "\"abc");
    EXPECT_EQ(Unquote("a\"b\""), "a\"b\"");

    EXPECT_EQ(SpanOf("ab123x", 3, "0123456789"), 5);
    EXPECT_EQ(SpanOf("ab123", 3, "0123456789"), 5);
    EXPECT_EQ(SpanOf("ab123", 1, "0123456789"), 0);
    EXPECT_EQ(SpanOf("ab123", 6, "0123456789"), 0);
    EXPECT_EQ(SpanOf("ab123", 0, "ab"), 0);
    EXPECT_EQ(SpanOf("", 1, "ab"), 0);

    EXPECT_EQ(ReplaceAll("[MIN] to [MAX], [MIN]", "[MIN]", "1"), "1 to [MAX], 1");
    // Replacements are not scanned again; the pattern inside them stays.
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(TextFunctions, SplitAtOperatorAndNumbers)
{
    const std::vector<std::string> ops = {"<>", ">=", "<=", ">", "<", "="};
    std::string left;
    std::string right;
    EXPECT_EQ(SplitAtOperator(ops, "a<=b", left, right), 2);
    EXPECT_EQ(left, "a");
    EXPECT_EQ(right, "b");
    // List order decides, not position: "=" comes last even when it is first.
    EXPECT_EQ(SplitAtOperator(ops, "a=b<c", left, right), 4);
    EXPECT_EQ(left, "a=b");
    EXPECT_EQ(right, "c");
    EXPECT_EQ(SplitAtOperator(ops, "abc", left, right), -1);
    EXPECT_EQ(left, "abc");
    EXPECT_EQ(right, "");

    EXPECT_EQ(ReadNumber("  -1.5e2xyz"), -150.0);
    EXPECT_EQ(ReadNumber("+.5"), 0.5);
    EXPECT_EQ(ReadNumber("7."), 7.0);
    EXPECT_EQ(ReadNumber("1e"), 1.0);
    EXPECT_EQ(ReadNumber("abc"), 0.0);
    EXPECT_EQ(ReadNumber("."), 0.0);
    EXPECT_EQ(ReadNumber("inf"), 0.0);
    EXPECT_EQ(ReadNumber("1e999"), INFINITY);
    EXPECT_EQ(ReadNumber("-1e999"), -INFINITY);
    EXPECT_EQ(ReadNumber("0.0001e-400"), 0.0);
    EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_GT(ReadNumber("now"), 36526.0); // after 2000-01-01

    EXPECT_EQ(FormatNumber(1), "1");
    EXPECT_EQ(FormatNumber(4094), "4094");
    EXPECT_EQ(FormatNumber(0.5), "0.5");
    EXPECT_EQ(FormatNumber(-2), "-2");
    EXPECT_EQ(FormatNumber(1.0 / 3), "0.333333333333333");
}

TEST(EvaluateNumber, OperatorsAndGrouping)
{
    EXPECT_EQ(EvaluateNumber("2*(3+4)"), 14);
    EXPECT_EQ(EvaluateNumber("-5"), -5);
    EXPECT_EQ(EvaluateNumber(""), 0);
    EXPECT_EQ(EvaluateNumber("NOW-NOW"), 0);
    EXPECT_EQ(EvaluateNumber("abc"), 0);
    // Each operator groups to the right.
    EXPECT_EQ(EvaluateNumber("10-3-2"), 9);
    EXPECT_EQ(EvaluateNumber("8/4/2"), 4);
    EXPECT_EQ(EvaluateNumber("8/2*3"), 24);
    EXPECT_EQ(EvaluateNumber("1+2*3"), 7);
    EXPECT_EQ(EvaluateNumber("((1+2))*(4-1)"), 3 * 3); // left of '*' read as a number after substitution
    EXPECT_EQ(EvaluateNumber("100*3/2"), 150);
    EXPECT_EQ(EvaluateNumber("2-(3-5)"), 4);
    // A parenthesised result goes back into the text with 15 significant digits.
    EXPECT_NEAR(EvaluateNumber("(1/3)*3"), 0.999999999999999, 1e-15);
    EXPECT_NE(EvaluateNumber("(1/3)*3"), 1.0);
    // Unmatched parentheses are left as they are and read as text.
    EXPECT_EQ(EvaluateNumber("(1+(2)"), 2);
    EXPECT_EQ(EvaluateNumber("5)"), 5);
    EXPECT_TRUE(std::isinf(EvaluateNumber("1/0")));
}

TEST(EvaluateNumber, HostileTextsDoNotCrash)
{
    // Deep nesting beyond what any expression uses reads as 0 instead of
    // running out of stack; long operator chains are fine.
    EXPECT_EQ(EvaluateNumber(std::string(100000, '(') + "1" + std::string(100000, ')')), 0);
    EXPECT_EQ(EvaluateNumber(std::string(50, '(') + "1" + std::string(50, ')')), 1);
    std::string chain = "1";
    for (int i = 0; i < 20000; ++i)
        chain += "+1";
    EXPECT_EQ(EvaluateNumber(chain), 20001);
    EXPECT_EQ(EvaluateNumber(std::string(20001, '-') + "1"), -1); // 0-(0-(...-1))
    EXPECT_EQ(EvaluateNumber(std::string(5000, '(')), 0);
}

TEST(EvaluateLogic, ComparisonsAndWords)
{
    EXPECT_TRUE(EvaluateLogic("1=1"));
    EXPECT_TRUE(EvaluateLogic("10<9")); // texts, not numbers
    EXPECT_TRUE(EvaluateLogic("\"abc\"=abc"));
    EXPECT_TRUE(EvaluateLogic(" abc = \"abc\" "));
    EXPECT_TRUE(EvaluateLogic("TRUE"));
    EXPECT_FALSE(EvaluateLogic("False"));
    EXPECT_TRUE(EvaluateLogic("a<>b"));
    EXPECT_FALSE(EvaluateLogic("a<>a"));
    EXPECT_TRUE(EvaluateLogic("b>=a"));
    EXPECT_TRUE(EvaluateLogic("a>=a"));
    EXPECT_FALSE(EvaluateLogic("b<=a"));
    EXPECT_TRUE(EvaluateLogic("b>a"));
    EXPECT_TRUE(EvaluateLogic("\xe9>z"));  // character codes are unsigned
    EXPECT_TRUE(EvaluateLogic("now=NOW")); // one instant per evaluation
    EXPECT_EQ(LogicErrorCode("yes"), -1);
    EXPECT_EQ(LogicErrorCode(""), -1);
    EXPECT_EQ(LogicErrorCode("(maybe)"), -1);
}

TEST(EvaluateLogic, ConnectivesParenthesesAndQuotes)
{
    EXPECT_TRUE(EvaluateLogic("true|x")); // x is never read
    EXPECT_FALSE(EvaluateLogic("false&x"));
    EXPECT_EQ(LogicErrorCode("false|x"), -1);
    EXPECT_EQ(LogicErrorCode("true&x"), -1);
    EXPECT_TRUE(EvaluateLogic("1=2|2=2"));
    EXPECT_FALSE(EvaluateLogic("1=1&2=3"));
    EXPECT_TRUE(EvaluateLogic("!1=2"));
    EXPECT_FALSE(EvaluateLogic("!!1=2"));
    EXPECT_FALSE(EvaluateLogic("!(1=1|x)"));
    EXPECT_TRUE(EvaluateLogic("(1=2|2=2)&(3=3)"));
    EXPECT_TRUE(EvaluateLogic("(1=1) & (2=2)"));
    EXPECT_TRUE(EvaluateLogic("!false&!(a=b)"));
    // Operators inside the first quoted text do not count.
    EXPECT_FALSE(EvaluateLogic("\"a|b\"=x"));
    EXPECT_FALSE(EvaluateLogic("\"x&(y)\"=z"));
    EXPECT_TRUE(EvaluateLogic("\"(y)\"=\"(y)\""));
    EXPECT_FALSE(EvaluateLogic("\"!x\"=y"));
    // Only the first quoted text is protected.
    EXPECT_EQ(LogicErrorCode("\"a|b\"=\"a|b\""), -1);
}

TEST(EvaluateLogic, HostileTextsDoNotCrash)
{
    EXPECT_EQ(LogicErrorCode(std::string(100000, '(') + "true" + std::string(100000, ')')), -1);
    EXPECT_TRUE(EvaluateLogic(std::string(10001, '!') + "false"));
    std::string chain;
    for (int i = 0; i < 20000; ++i)
        chain += "a=b|";
    EXPECT_TRUE(EvaluateLogic(chain + "c=c"));
    EXPECT_EQ(LogicErrorCode(std::string(5000, '"')), -1);
}

// Long texts with an operand every few characters, as a value read from the
// switch can make a condition: each is worked through in one pass. (Looking
// for the next operator through the whole rest, or copying the rest for every
// parenthesis rule, took minutes for these; the test's time limit catches a
// return to that.)
TEST(EvaluateLogic, LongTextsOfManyOperandsAreWorkedThroughInOnePass)
{
    const size_t n = 100000;
    std::string quoted;
    std::string alternatives;
    std::string blocked = "\"(1)\"=\"(1)\"";
    std::string negated;
    for (size_t i = 0; i < n; ++i) {
        quoted += "\"a\"=\"a\"&";
        alternatives += "\"a\"=\"b\"|";
        // A parenthesised operand after a quoted "(" that holds the rule up.
        blocked += "&(2=2)&\"(3)\"=\"(3)\"";
        negated += "x!";
    }
    EXPECT_TRUE(EvaluateLogic(quoted + "\"a\"=\"a\""));
    EXPECT_FALSE(EvaluateLogic(alternatives + "\"a\"=\"b\""));
    EXPECT_TRUE(EvaluateLogic(blocked));
    EXPECT_EQ(LogicErrorCode(negated), -1);
    EXPECT_EQ(LogicErrorCode(blocked + "&(x)"), -1);
}

TEST(EvaluateNumber, LongTextsOfManyOperandsAreWorkedThroughInOnePass)
{
    std::string product;
    std::string quotients;
    std::string groups;
    for (size_t i = 0; i < 200000; ++i) {
        product += "1*";
        quotients += "8/";
        groups += "(+(1)";
    }
    EXPECT_EQ(EvaluateNumber(product + "2"), 2.0);
    EXPECT_EQ(EvaluateNumber(quotients + "1"), 1.0); // 8/(8/(...(8/1))): 8 and 1 by turns
    EXPECT_EQ(EvaluateNumber(groups + "+1"), 200001.0);
}

// The evaluators against the straightforward rules on many short random texts.
namespace {

using expressionrules::RulesLogic;
using expressionrules::RulesNumber;

std::string RandomText(std::mt19937& random, const std::string& alphabet, size_t maxLength)
{
    std::string t(random() % (maxLength + 1), ' ');
    for (char& c : t)
        c = alphabet[random() % alphabet.size()];
    return t;
}

} // namespace

TEST(EvaluateNumber, AgreesWithTheRulesOnRandomTexts)
{
    std::mt19937 random(20240601);
    for (int i = 0; i < 20000; ++i) {
        std::string t = RandomText(random, "0123456789.+-*/()(() e", 16);
        double expected = RulesNumber(t);
        double actual = EvaluateNumber(t);
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(actual)) << t;
        else
            EXPECT_EQ(actual, expected) << t;
    }
}

TEST(EvaluateLogic, AgreesWithTheRulesOnRandomTexts)
{
    std::mt19937 random(20240602);
    const std::vector<std::string> pieces = {"a", "b", "1", "\"", "(",    ")",     "=",   "<",  ">",
                                             "!", "|", "&", " ",  "true", "false", "a=a", "a<b"};
    for (int i = 0; i < 20000; ++i) {
        std::string t;
        for (size_t n = random() % 9; n > 0; --n)
            t += pieces[random() % pieces.size()];
        int expected = -1;
        int actual = -1;
        try {
            expected = RulesLogic(t);
        } catch (const KvError&) {
        }
        try {
            actual = EvaluateLogic(t);
        } catch (const KvError& e) {
            EXPECT_EQ(e.code(), -1);
        }
        EXPECT_EQ(actual, expected) << t;
    }
}

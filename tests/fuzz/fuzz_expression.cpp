// Expressions and text functions: any text as an arithmetic expression and as
// a condition (values read from the switch end up in both). The arithmetic
// evaluator never throws; the logic evaluator gives a truth value or raises
// -1 ("(KvCommon) Bad logic operand!"), and neither runs away on a long or
// deeply nested text.
//
// Input: EXPRESSION NUL TEXT NUL PATTERN NUL REPLACEMENT
#include <cmath>

#include "common/kverror.h"
#include "common/kvexpression.h"
#include "common/kvnumlist.h"
#include "common/kvoptionlist.h"
#include "common/kvtext.h"
#include "common/kvtextcompare.h"
#include "fuzzsupport.h"
#include "tests/common/expressionrules.h"

namespace {

const KvOptionDef kIntegerNames[] = {{1, nullptr, "enabled"}, {2, nullptr, "disabled"}, {0, nullptr, nullptr}};
const KvOptionDef kTextNames[] = {{0, "ab", "Alpha"}, {0, "a", "A"}, {0, "", "Empty"}, {0, nullptr, nullptr}};
const KvOptionList kIntegers(KvOptionList::kIntegerValues, kIntegerNames);
const KvOptionList kTexts(KvOptionList::kTextValues, kTextNames);
const KvOptionList kPrefixes(KvOptionList::kTextPrefixes, kTextNames);

bool ContainsNow(const std::string& text)
{
    for (size_t i = 0; i + 3 <= text.size(); ++i)
        if (kvtext::Equal(std::string_view(text).substr(i, 3), "now", false))
            return true;
    return false;
}

void CheckTextFunctions(const std::string& text, const std::string& pattern, const std::string& replacement)
{
    const std::string trimmed = TrimText(text);
    fuzz::Check(TrimText(trimmed) == trimmed, "trimming twice trims nothing more");
    const std::string unquoted = Unquote(text);
    fuzz::Check(unquoted.size() <= text.size(), "unquoting does not lengthen");

    const std::string replaced = ReplaceAll(text, pattern, replacement);
    if (pattern.empty())
        fuzz::Check(replaced == text, "an empty pattern changes nothing");
    if (pattern == replacement)
        fuzz::Check(replaced == text, "replacing a text by itself changes nothing");

    std::string left;
    std::string right;
    const std::vector<std::string> operators = {pattern, "<>", "=", ""};
    const int op = SplitAtOperator(operators, text, left, right);
    if (op >= 0)
        fuzz::Check(left + operators[static_cast<size_t>(op)] + right == text, "a split text joins again");
    else
        fuzz::Check(left == text && right.empty(), "an unsplit text stays whole");

    const int start = text.empty() ? 0 : static_cast<unsigned char>(text[0]) % (text.size() + 2);
    const int end = SpanOf(text, start, pattern);
    fuzz::Check(end == 0 || (end >= start && static_cast<size_t>(end) <= text.size()), "a span lies in the text");

    const double number = ReadNumber(text);
    if (std::isfinite(number)) {
        const std::string formatted = FormatNumber(number);
        fuzz::Check(FormatNumber(ReadNumber(formatted)) == formatted, "a formatted number reads back", formatted);
    }
    int value = 0;
    if (kvtext::ParseInt32(text, value))
        fuzz::Check(ReadNumber(text) == value, "a whole number reads as itself", text);

    for (char delimiter : {',', '.', '-'}) {
        KvNumList<uint32_t> numbers(delimiter);
        numbers.Parse(text);
        fuzz::Check(numbers.Count() <= text.size() + 1, "no more numbers than delimiters and one");
        KvNumList<int32_t> signedNumbers(delimiter);
        signedNumbers.Parse(text);
        (void)signedNumbers.AllInRange(-5, 5);
    }
    for (const KvOptionList* list : {&kIntegers, &kTexts, &kPrefixes}) {
        (void)list->ValueToLabel(text);
        (void)list->LabelToValue(text);
        (void)list->SelectionIndex(text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Parts parts(data, size, 4);
    const std::string& expression = parts[0];

    const double number = EvaluateNumber(expression);
    int truth = -1;
    try {
        truth = EvaluateLogic(expression);
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -1, "a bad condition raises -1");
    }

    // Short texts against the straightforward rules ("NOW" reads the clock).
    if (expression.size() <= 64 && !ContainsNow(expression)) {
        const double expected = expressionrules::RulesNumber(expression);
        fuzz::Check(number == expected || (std::isnan(number) && std::isnan(expected)), "arithmetic follows the rules",
                    expression);
        int expectedTruth = -1;
        try {
            expectedTruth = expressionrules::RulesLogic(expression);
        } catch (const KvError&) {
        }
        fuzz::Check(truth == expectedTruth, "logic follows the rules", expression);
    }
    CheckTextFunctions(parts[1].empty() ? expression : parts[1], parts[2], parts[3]);
    return 0;
}

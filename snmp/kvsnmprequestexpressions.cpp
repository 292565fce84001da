// Expressions and conditions of KvSNMPRequest: values substituted into an
// expression's text, and the results written back by syntax.
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmprequestsupport.h"

#include <cmath>
#include <limits>

#include "common/kvexpression.h"
#include "common/kvmessages.h"
#include "common/kvoptionlist.h"
#include "common/kvtext.h"
#include "common/kvvaluetext.h"

using kvrequest::kNull;

namespace {

// Truncation toward zero that never overflows.
int64_t Truncate(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 9.2e18)
        return std::numeric_limits<int64_t>::max();
    if (value <= -9.2e18)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(value);
}

} // namespace

// ---------------------------------------------------------------------------
// Expressions and conditions

std::string KvSNMPRequest::SubstituteVariables(const std::string& expression, bool quote, const std::string& marker)
{
    if (marker.empty())
        return expression;
    std::string text = expression;
    size_t from = 0;
    while (true) {
        size_t at = text.find(marker, from);
        if (at == std::string::npos)
            break;
        size_t digitsEnd = at + marker.size();
        while (digitsEnd < text.size() && text[digitsEnd] >= '0' && text[digitsEnd] <= '9')
            ++digitsEnd;
        const std::string digits = text.substr(at + marker.size(), digitsEnd - at - marker.size());
        if (digits.empty() || digits.size() > 9)
            KvRaise(kvErrBadSyntax);
        const int32_t n = std::stoi(digits);
        if (n >= variables.Count())
            KvRaise(kvErrBadSyntax);
        const KvSNMPVar& var = variables[n];
        const std::string value = var.options ? var.options->LabelToValue(var.value) : var.value;
        if (value == kNull)
            KvRaise(kvErrNullInExpression);
        std::string replacement;
        switch (var.syntax) {
        case synTruthValue:
        case 193:
        case 196:
            replacement = value == "true" ? "1" : "0";
            break;
        case synInteger:
        case synCounter32:
        case synGauge32:
        case synCounter64:
        case synUInteger32:
        case synFloat:
        case 194:
        case 195:
        case 197:
        case 198:
            replacement = value;
            break;
        case synTimeTicks:
            replacement = std::to_string(ParseTimeTicks(value));
            break;
        case synFloatDate:
            replacement = FormatNumber(ParseDayCount(value));
            break;
        default:
            if (!quote)
                KvRaise(kvErrExpressionSyntax);
            replacement = "\"" + value + "\"";
            break;
        }
        text.replace(at, digitsEnd - at, replacement);
        // Go on after the value: a value may itself contain the marker.
        from = at + replacement.size();
    }
    return text;
}

void KvSNMPRequest::ApplyExpression(int32_t i, bool afterRead)
{
    KvSNMPVar& var = variables[i];
    const std::string& expression = afterRead ? var.getExpression : var.setExpression;
    if (expression.empty())
        return;
    const double number = EvaluateNumber(SubstituteVariables(expression, false, "$"));
    std::string text;
    switch (var.syntax) {
    case synTruthValue:
        text = number != 0 ? "true" : "false";
        break;
    case synInteger:
        text = std::to_string(static_cast<int32_t>(Truncate(number)));
        break;
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        text = std::to_string(static_cast<uint32_t>(Truncate(number)));
        break;
    case synTimeTicks:
        text = FormatTimeTicks(static_cast<uint32_t>(Truncate(number)));
        break;
    case synCounter64:
        text = std::to_string(number <= 0 ? 0 : static_cast<uint64_t>(Truncate(number)));
        break;
    case synFloat:
        text = FormatReal(number);
        break;
    case synFloatDate:
        text = FormatDayCount(number);
        break;
    default:
        KvRaise(kvErrExpressionSyntax);
    }
    if (var.options)
        text = var.options->ValueToLabel(text);
    var.value = text;
}

bool KvSNMPRequest::EvaluateCondition(const std::string& condition)
{
    if (condition.empty())
        return true;
    return EvaluateLogic(SubstituteVariables(condition, true, "$"));
}

bool KvSNMPRequest::CheckRowCondition()
{
    return EvaluateCondition(rowCondition);
}

bool KvSNMPRequest::CheckCondition(const std::string& condition)
{
    return EvaluateCondition(condition);
}

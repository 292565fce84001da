#include "config/kvconfigvalue.h"

#include <optional>

#include "binding/kvvaluecodec.h"
#include "common/kveditconstraint.h"
#include "common/kverror.h"
#include "common/kvoptionlist.h"
#include "common/kvtext.h"
#include "pages/uientrydef.h"
#include "tables/pagecatalogue.h"

namespace {

// What a text of the syntax must be, for the refusal of one that is not.
std::string Expected(uint32_t syntax)
{
    switch (syntax) {
    case synTruthValue:
    case synTruthByte:
    case synTruthWord:
        return "neither \"true\" nor \"false\"";
    case synInteger:
        return "not a whole number from -2147483648 to 2147483647";
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        return "not a whole number from 0 to 4294967295";
    case synSignedByte:
        return "not a whole number from -128 to 127";
    case synUnsignedByte:
        return "not a whole number from 0 to 255";
    case synUnsignedWord:
    case synUnsignedWordAlt:
        return "not a whole number from 0 to 65535";
    case synCounter64:
        return "not a whole number from 0 to 18446744073709551615";
    case synBits:
    case synOctets:
    case synOpaque:
        return "not hexadecimal octets (two hex digits a byte)";
    case synMacAddress:
        return "not a MAC address (six bytes, twelve hex digits)";
    case synOid:
        return "not an object identifier";
    case synIpAddress:
    case synNetAddress:
        return "not an IPv4 address (four numbers from 0 to 255)";
    case synTimeTicks:
        return "not a time in ticks";
    case synFloat:
        return "not a number";
    case synDateAndTime:
        return "not a date and time";
    case synFloatDate:
        return "not a date";
    default:
        return "not a value of its syntax";
    }
}

std::string Choices(const KvOptionList& options)
{
    std::string text;
    for (const std::string& label : options.Labels())
        text += (text.empty() ? "" : ", ") + label;
    return "not one of its choices (" + text + ")";
}

// The edit constraint of the column's editor on its page ("%i{n30x99999}"),
// when the page has a layout and the editor is one edit field for the whole
// value; null otherwise (combo boxes, derived layouts, split edits).
const char* EditorFormat(const KvConfigCatalogue::Page& page, const KvConfigCatalogue::Column& column)
{
    const UIEntryDef* layout = page.command->layout;
    if (!layout || column.def->options || column.position >= kvtables::CountEntries(layout))
        return nullptr;
    const UIEntryDef& entry = layout[column.position];
    if (entry.variable != column.def || (entry.kind != uiEdit && entry.kind != uiEditUnselected) || !entry.format)
        return nullptr;
    return KvEditConstraint::CountItems(entry.format) == 1 ? entry.format : nullptr;
}

// Why the editor's constraint refuses `value`; empty when it takes it.
std::string ConstraintRefusal(const char* format, const std::string& value)
{
    EditConstraint_s constraint;
    try {
        constraint = KvEditConstraint::Parse(format);
    } catch (const KvError&) {
        return {}; // a malformed table text constrains nothing (the tables' tests refuse it)
    }
    const std::optional<std::string> violation = KvEditConstraint::ExitViolation(constraint, value);
    if (KvEditConstraint::IsPlaceholder(value) || !violation)
        return {};
    const bool exact = constraint.lengthFlags & EditConstraint_s::kExactLength;
    switch (constraint.type) {
    case 'f':
    case 'i':
    case 'u':
        return "not a number from " + FormatNumber(constraint.minimum) + " to " + FormatNumber(constraint.maximum);
    case 'h':
    case 's':
        if (value.empty())
            return "empty";
        return (exact ? "not exactly " : "longer than ") + std::to_string(constraint.maxLength) + " characters";
    default: { // a list of numbers: the window's own words, without their source
        const size_t source = violation->find(") ");
        return source == std::string::npos ? *violation : violation->substr(source + 2);
    }
    }
}

} // namespace

namespace KvConfigValue {

std::string Refusal(const KvConfigCatalogue::Page& page, const KvConfigCatalogue::Column& column,
                    const std::string& value)
{
    const VarDef& def = *column.def;
    const KvOptionList* options = def.options;
    const bool named = options && options->IndexOfLabel(value) >= 0;
    // A value name, or a value of the list; a number the list has no name
    // for is a value the switch may hold all the same.
    if (options && !named && options->IndexOfValue(value) < 0 && options->Kind() != KvOptionList::kIntegerValues)
        return Choices(*options);
    try {
        ParseEnteredText(options ? options->LabelToValue(value) : value, static_cast<int>(def.syntax));
    } catch (const KvError&) {
        return options && !named ? Choices(*options) : Expected(def.syntax);
    }
    if (const char* format = EditorFormat(page, column))
        return ConstraintRefusal(format, value);
    return {};
}

} // namespace KvConfigValue

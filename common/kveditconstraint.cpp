#include "common/kveditconstraint.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/kvmessages.h"
#include "common/kvnumlist.h"
#include "common/kvscan.h"
#include "common/kvtext.h"

namespace {

// Lines of the common message set.
constexpr int kLineBadFormat = -kvErrBadConstraintFormat;
constexpr int kLineEmpty = -kvErrEmptyValue;
constexpr int kLineStringMax = -kvErrStringMax;
constexpr int kLineStringExact = -kvErrStringExact;
constexpr int kLineHexMax = -kvErrHexMax;
constexpr int kLineHexExact = -kvErrHexExact;
constexpr int kLineNumberRange = -kvErrNumberRange;
constexpr int kLineListMax = -kvErrListMax;
constexpr int kLineListExact = -kvErrListExact;
constexpr int kLineListRange = -kvErrListRange;

constexpr const char* kNumberChars = "-0123456789.";

// Beeps for the characters one change removes, at most.
constexpr int kMaxBeeps = 5;

[[noreturn]] void Malformed()
{
    KvRaise(-kLineBadFormat);
}

using kvscan::IsDigit;
using kvscan::IsHexDigit;

// Byte offsets of the characters of a UTF-8 text (a stray byte counts as one
// character), plus the text's size as the final entry.
std::vector<size_t> CharacterStarts(const std::string& text)
{
    std::vector<size_t> starts;
    size_t i = 0;
    while (i < text.size()) {
        starts.push_back(i);
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
        if (i + length > text.size())
            length = 1;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                length = 1;
                break;
            }
        i += length;
    }
    starts.push_back(text.size());
    return starts;
}

int CharacterCount(const std::string& text)
{
    return static_cast<int>(CharacterStarts(text).size()) - 1;
}

// Reads the run of digits at `pos`; at least one digit is required. The value
// saturates at the largest 32-bit signed number.
int32_t ReadDigits(const std::string& text, size_t& pos, size_t end)
{
    const size_t start = pos;
    int64_t value = 0;
    while (pos < end && IsDigit(text[pos])) {
        value = std::min<int64_t>(value * 10 + (text[pos] - '0'), std::numeric_limits<int32_t>::max());
        ++pos;
    }
    if (pos == start)
        Malformed();
    return static_cast<int32_t>(value);
}

// Reads the run of number characters at `pos` as a floating-point number.
double ReadBound(const std::string& text, size_t& pos, size_t end)
{
    const size_t start = pos;
    while (pos < end && std::string_view(kNumberChars).find(text[pos]) != std::string_view::npos)
        ++pos;
    if (pos == start)
        Malformed();
    double value = 0;
    auto result = std::from_chars(text.data() + start, text.data() + pos, value, std::chars_format::fixed);
    // A run that is not one number ("1.2.3", "-", "5-") is as malformed as a
    // missing one.
    if (result.ec != std::errc() || result.ptr != text.data() + pos)
        Malformed();
    return value;
}

// Whole text as a floating-point number (surrounding blanks allowed).
std::optional<double> ConvertNumber(const std::string& text)
{
    const std::string trimmed = TrimText(text);
    if (trimmed.empty())
        return std::nullopt;
    const char* first = trimmed.data();
    const char* last = trimmed.data() + trimmed.size();
    if (*first == '+')
        ++first;
    double value = 0;
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != last)
        return std::nullopt;
    return value;
}

// A bound truncated toward zero into the unsigned 32-bit range.
uint32_t UnsignedBound(double value)
{
    if (!(value > 0))
        return 0;
    if (value >= 4294967295.0)
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(value);
}

std::string CommonLine(int line)
{
    return KvMessageText(KvMessageSetId::Common, line);
}

std::string Fill(std::string text, const std::vector<std::pair<std::string, std::string>>& fields)
{
    for (const auto& [name, value] : fields)
        text = ReplaceAll(text, name, value);
    return text;
}

} // namespace

struct KvEditConstraint::Record {
    Field* field;
    EditConstraint_s constraint;
    std::string lastValid;
    Handler previousChange;
    Handler previousExit;
};

KvEditConstraint::KvEditConstraint(Host& host, bool rememberValid) : host_(host), rememberValid_(rememberValid) {}

KvEditConstraint::~KvEditConstraint() = default;

// --- grammar ------------------------------------------------------------------------

EditConstraint_s KvEditConstraint::Parse(const std::string& text)
{
    if (text.size() < 2 || text[0] != '%')
        Malformed();
    EditConstraint_s c;
    c.type = text[1];
    size_t pos = 2;
    switch (c.type) {
    case 'f':
        // Zero and negative numbers are admitted unless a minimum says otherwise.
        c.minimum = -std::numeric_limits<double>::max();
        c.maximum = std::numeric_limits<double>::max();
        break;
    case 'i':
        c.minimum = -2147483648.0;
        c.maximum = 2147483647.0;
        break;
    case 'u':
        c.minimum = 0;
        c.maximum = 4294967295.0;
        break;
    case 'n':
        if (text.size() < 3)
            Malformed();
        c.delimiter = text[2];
        c.minimum = 0;
        c.maximum = 4294967295.0;
        pos = 3;
        break;
    case 'h':
    case 's':
        break;
    default:
        Malformed();
    }
    if (pos == text.size())
        return c;
    if (text[pos] != '{' || text.size() < pos + 2 || text.back() != '}')
        Malformed();
    const size_t end = text.size() - 1; // the closing brace
    ++pos;
    while (pos < end) {
        const char option = text[pos++];
        switch (option) {
        case 'e':
            if (pos >= end)
                Malformed();
            c.advanceChar = text[pos++];
            break;
        case 'l': {
            c.maxLength = ReadDigits(text, pos, end);
            for (int flags = 0; flags < 3 && pos < end; ++flags) {
                const char flag = text[pos];
                if (flag == 'a')
                    c.lengthFlags |= EditConstraint_s::kAutoAdvance;
                else if (flag == 'f')
                    c.lengthFlags |= EditConstraint_s::kExactLength;
                else if (flag == 'n')
                    c.lengthFlags |= EditConstraint_s::kNotEmpty;
                else
                    break;
                ++pos;
            }
            break;
        }
        case 'n':
            c.minimum = ReadBound(text, pos, end);
            break;
        case 'x':
            c.maximum = ReadBound(text, pos, end);
            break;
        case 'w':
            c.width = ReadDigits(text, pos, end);
            break;
        default:
            Malformed();
        }
    }
    return c;
}

std::vector<std::string> KvEditConstraint::SplitMany(const std::string& text)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] == '%') {
            pieces.push_back(text.substr(start, i - start));
            start = i;
        }
    if (!text.empty())
        pieces.push_back(text.substr(start));
    return pieces;
}

int KvEditConstraint::CountItems(const std::string& text)
{
    int count = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%' && std::string_view("shiufn").find(text[i + 1]) != std::string_view::npos)
            ++count;
    return count;
}

bool KvEditConstraint::IsPlaceholder(const std::string& text)
{
    return text == "(NOTDONE)" || text == "(NULL)";
}

// --- the two checks as rules -----------------------------------------------------------

int KvEditConstraint::RejectedCharacter(const EditConstraint_s& c, const std::string& text)
{
    if (c.type == 's')
        return -1;
    const std::vector<size_t> starts = CharacterStarts(text);
    bool seenDot = false;
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        // Every character but 's' types is ASCII; a longer one always fails.
        const bool single = starts[k + 1] - starts[k] == 1;
        const char ch = text[starts[k]];
        bool ok = false;
        if (single) {
            switch (c.type) {
            case 'f':
                if (ch == '-')
                    ok = k == 0;
                else if (ch == '.') {
                    ok = !seenDot;
                    seenDot = true;
                } else
                    ok = IsDigit(ch);
                break;
            case 'h':
                ok = IsHexDigit(ch);
                break;
            case 'i':
                ok = ch == '-' ? k == 0 : IsDigit(ch);
                break;
            case 'u':
                ok = IsDigit(ch);
                break;
            case 'n':
                if (IsDigit(ch))
                    ok = true;
                else if (ch == c.delimiter)
                    ok = k > 0 && text[starts[k - 1]] != c.delimiter;
                break;
            }
        }
        if (!ok)
            return static_cast<int>(k);
    }
    return -1;
}

std::string KvEditConstraint::FilterText(const EditConstraint_s& c, const std::string& text)
{
    if (c.type == 's')
        return text;
    const std::vector<size_t> starts = CharacterStarts(text);
    std::string kept;
    kept.reserve(text.size());
    bool seenDot = false;
    char last = 0; // the last character kept
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        // Every character but 's' types is ASCII; a longer one always fails.
        if (starts[k + 1] - starts[k] != 1)
            continue;
        const char ch = text[starts[k]];
        const bool first = kept.empty();
        bool ok = false;
        switch (c.type) {
        case 'f':
            if (ch == '-')
                ok = first;
            else if (ch == '.')
                ok = !seenDot;
            else
                ok = IsDigit(ch);
            break;
        case 'h':
            ok = IsHexDigit(ch);
            break;
        case 'i':
            ok = ch == '-' ? first : IsDigit(ch);
            break;
        case 'u':
            ok = IsDigit(ch);
            break;
        case 'n':
            if (IsDigit(ch))
                ok = true;
            else if (ch == c.delimiter)
                ok = !first && last != c.delimiter;
            break;
        }
        if (!ok)
            continue;
        if (ch == '.')
            seenDot = true;
        kept.push_back(ch);
        last = ch;
    }
    return kept;
}

std::optional<std::string> KvEditConstraint::ExitViolation(const EditConstraint_s& c, const std::string& text,
                                                           int* lineOut)
{
    using Fields = std::vector<std::pair<std::string, std::string>>;
    auto say = [lineOut](int line, const Fields& fields) {
        if (lineOut)
            *lineOut = line;
        return Fill(CommonLine(line), fields);
    };
    if (text.empty()) {
        if (c.lengthFlags & EditConstraint_s::kNotEmpty)
            return say(kLineEmpty, {});
        return std::nullopt;
    }
    switch (c.type) {
    case 'f':
    case 'i':
    case 'u': {
        // A text that is no number at all ("-", "." ) is out of range too.
        const std::optional<double> value = ConvertNumber(text);
        if (!value || *value < c.minimum || *value > c.maximum)
            return say(kLineNumberRange, {{"[MIN]", FormatNumber(c.minimum)}, {"[MAX]", FormatNumber(c.maximum)}});
        break;
    }
    case 'h':
    case 's':
        if (c.maxLength > 0) {
            const int length = CharacterCount(text);
            const std::string limit = std::to_string(c.maxLength);
            if (c.lengthFlags & EditConstraint_s::kExactLength) {
                if (length != c.maxLength)
                    return say(c.type == 'h' ? kLineHexExact : kLineStringExact, {{"[LEN]", limit}});
            } else if (length > c.maxLength) {
                return say(c.type == 'h' ? kLineHexMax : kLineStringMax, {{"[MAXLEN]", limit}});
            }
        }
        break;
    case 'n': {
        KvNumList<uint32_t> numbers(c.delimiter);
        numbers.Parse(text);
        const std::string delimiter(1, c.delimiter);
        const int64_t count = numbers.Count();
        if (c.maxLength > 0) {
            const std::string limit = std::to_string(c.maxLength);
            if (c.lengthFlags & EditConstraint_s::kExactLength) {
                if (count != c.maxLength)
                    return say(kLineListExact, {{"[DELIMITER]", delimiter}, {"[COUNT]", limit}});
            } else if (count > c.maxLength) {
                return say(kLineListMax, {{"[DELIMITER]", delimiter}, {"[MAXCOUNT]", limit}});
            }
        }
        const uint32_t low = UnsignedBound(c.minimum);
        const uint32_t high = UnsignedBound(c.maximum);
        if (!numbers.AllInRange(low, high))
            return say(kLineListRange,
                       {{"[DELIMITER]", delimiter}, {"[MIN]", std::to_string(low)}, {"[MAX]", std::to_string(high)}});
        break;
    }
    }
    return std::nullopt;
}

// --- registration ---------------------------------------------------------------------

KvEditConstraint::Record* KvEditConstraint::Find(const Field& field) const
{
    for (const auto& record : records_)
        if (record->field == &field)
            return record.get();
    return nullptr;
}

bool KvEditConstraint::IsRegistered(const Field& field) const
{
    return Find(field) != nullptr;
}

const EditConstraint_s* KvEditConstraint::ConstraintOf(const Field& field) const
{
    const Record* record = Find(field);
    return record ? &record->constraint : nullptr;
}

std::string KvEditConstraint::LastValid(const Field& field) const
{
    const Record* record = Find(field);
    return record ? record->lastValid : std::string();
}

void KvEditConstraint::Register(const std::string& text, Field& field, Handler previousChange, Handler previousExit)
{
    const EditConstraint_s constraint = Parse(text);
    Record* record = Find(field);
    if (!record) {
        records_.push_back(std::make_unique<Record>());
        record = records_.back().get();
        record->field = &field;
    }
    record->constraint = constraint;
    record->previousChange = std::move(previousChange);
    record->previousExit = std::move(previousExit);
    if (constraint.width > 0)
        field.SetWidth(constraint.width);
    // For a number list the length option counts numbers, not characters, so
    // it does not limit the text.
    field.SetMaxLength(constraint.type == 'n' ? 0 : constraint.maxLength);
}

void KvEditConstraint::RegisterMany(const std::string& text, const std::vector<Field*>& fields)
{
    const std::vector<std::string> pieces = SplitMany(text);
    for (size_t k = 0; k < pieces.size() && k < fields.size(); ++k)
        if (fields[k])
            Register(pieces[k], *fields[k]);
}

void KvEditConstraint::RememberText(Field& field)
{
    if (Record* record = Find(field))
        record->lastValid = field.Text();
}

void KvEditConstraint::RememberIfValid(Field& field)
{
    Record* record = Find(field);
    if (!record)
        return;
    const std::string text = field.Text();
    if (IsPlaceholder(text) || !ExitViolation(record->constraint, text))
        record->lastValid = text;
}

void KvEditConstraint::Unregister(const Field& field)
{
    records_.erase(std::remove_if(records_.begin(), records_.end(),
                                  [&](const std::unique_ptr<Record>& r) { return r->field == &field; }),
                   records_.end());
}

// --- the checks on a field --------------------------------------------------------------

void KvEditConstraint::OnChangeCheck(Field& field)
{
    Record* record = Find(field);
    if (!record)
        return;
    const std::string text = field.Text();
    if (text.empty() || IsPlaceholder(text))
        return;
    const EditConstraint_s& c = record->constraint;

    // A pasted text may hold any number of advance characters and rejected
    // characters: all of them go at once, and the text is set once (setting
    // it runs this check again, which then passes), so that a long text never
    // nests one check per character.
    if (c.advanceChar != 0 && text.find(c.advanceChar) != std::string::npos) {
        std::string shorter = text;
        shorter.erase(std::remove(shorter.begin(), shorter.end(), c.advanceChar), shorter.end());
        field.SetText(shorter);
        host_.PostNextField(field);
        return;
    }

    if (RejectedCharacter(c, text) >= 0) {
        const std::string kept = FilterText(c, text);
        const int removed = CharacterCount(text) - CharacterCount(kept);
        field.SetText(kept);
        // One beep per removed character, but a long pasted text does not
        // queue minutes of them.
        for (int i = 0; i < std::min(removed, kMaxBeeps); ++i)
            host_.Beep();
        return;
    }

    if (record->previousChange) {
        record->previousChange(field);
        // The handler may have unregistered the field.
        record = Find(field);
        if (!record || field.Tag() == -1)
            return;
    }

    if ((c.lengthFlags & EditConstraint_s::kAutoAdvance) && c.maxLength > 0 &&
        CharacterCount(field.Text()) == c.maxLength)
        host_.PostNextField(field);
}

bool KvEditConstraint::OnExitCheck(Field& field)
{
    Record* record = Find(field);
    if (!record)
        return true;
    const std::string text = field.Text();
    if (IsPlaceholder(text))
        return true;

    if (const std::optional<std::string> message = ExitViolation(record->constraint, text)) {
        host_.ShowMessage(*message, field);
        // The message box runs an event loop: the field may be gone by now.
        if ((record = Find(field)) == nullptr)
            return false;
        field.SetText(record->lastValid);
        field.SetFocus();
        return false;
    }
    // An empty text passes without calling the field's own handler.
    if (text.empty())
        return true;

    if (record->previousExit) {
        record->previousExit(field);
        if ((record = Find(field)) == nullptr)
            return true;
        if (field.Tag() == -1) {
            field.SetText(record->lastValid);
            return true;
        }
    }
    if (rememberValid_)
        record->lastValid = text;
    return true;
}

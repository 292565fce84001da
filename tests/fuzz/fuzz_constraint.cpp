// Edit constraints: any constraint text and any typed or pasted text. A text
// that does not parse raises -2 and nothing else; the change check leaves a
// text every character of which may stay, without nesting one check per
// character; the exit check either passes or restores the last valid text.
//
// Input: CONSTRAINT NUL TYPED NUL PASTED
#include <algorithm>

#include "common/kveditconstraint.h"
#include "common/kverror.h"
#include "fuzzsupport.h"

namespace {

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, size_t count)
{
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == count)
            return text.substr(0, i);
    return text;
}

// A line edit as Qt has it: setting a different text signals the change
// synchronously (which runs the change check again), and the length limit
// cuts what is set.
class Field : public KvEditConstraint::Field {
public:
    explicit Field(KvEditConstraint& constraints) : constraints_(constraints) {}

    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override
    {
        std::string cut = text;
        if (maxLength_ > 0)
            cut = FirstCharacters(text, static_cast<size_t>(maxLength_));
        if (cut == text_)
            return;
        text_ = cut;
        ++depth_;
        deepest_ = std::max(deepest_, depth_);
        constraints_.OnChangeCheck(*this);
        --depth_;
    }
    void SetMaxLength(int length) override { maxLength_ = length; }
    void SetWidth(int) override {}
    void SetFocus() override {}
    int Tag() const override { return 0; }

    int Deepest() const { return deepest_; }

private:
    KvEditConstraint& constraints_;
    std::string text_;
    int maxLength_ = 0;
    int depth_ = 0;
    int deepest_ = 0;
};

class Host : public KvEditConstraint::Host {
public:
    void Beep() override { ++beeps; }
    void PostNextField(KvEditConstraint::Field&) override {}
    void ShowMessage(const std::string& text, KvEditConstraint::Field&) override { messages.push_back(text); }
    int beeps = 0;
    std::vector<std::string> messages;
};

// What removing the first rejected character again and again leaves (for
// ASCII texts, where characters are bytes).
std::string RemoveOneByOne(const EditConstraint_s& c, std::string text)
{
    for (int k; (k = KvEditConstraint::RejectedCharacter(c, text)) >= 0;)
        text.erase(static_cast<size_t>(k), 1);
    return text;
}

void CheckRules(const EditConstraint_s& c, const std::string& text)
{
    const std::string kept = KvEditConstraint::FilterText(c, text);
    fuzz::Check(KvEditConstraint::RejectedCharacter(c, kept) < 0, "a filtered text keeps no rejected character", kept);
    // The one-pass filter against its definition, on texts short enough.
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
    if (ascii && text.size() <= 256)
        fuzz::Check(RemoveOneByOne(c, text) == kept, "the filter removes what one-by-one removal would", text);
    int line = 0;
    if (const std::optional<std::string> message = KvEditConstraint::ExitViolation(c, text, &line)) {
        fuzz::Check(line >= 3 && line <= 11, "an exit violation names a line of its messages");
        for (const char* placeholder : {"[MIN]", "[MAX]", "[LEN]", "[MAXLEN]", "[COUNT]", "[MAXCOUNT]", "[DELIMITER]"})
            fuzz::Check(message->find(placeholder) == std::string::npos || c.delimiter == '[',
                        "an exit message has its placeholders filled in", *message);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Parts parts(data, size, 3);
    const std::string& constraintText = parts[0];
    const std::string& typed = parts[1];
    const std::string& pasted = parts[2];

    (void)KvEditConstraint::SplitMany(constraintText);
    (void)KvEditConstraint::CountItems(constraintText);

    EditConstraint_s c;
    try {
        c = KvEditConstraint::Parse(constraintText);
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -2, "a malformed constraint raises -2");
        return 0;
    }
    CheckRules(c, typed);
    CheckRules(c, pasted);

    // A field with the constraint: typing, pasting, leaving.
    Host host;
    KvEditConstraint constraints(host, true);
    Field field(constraints);
    constraints.Register(constraintText, field);
    for (const std::string& text : {typed, pasted}) {
        field.SetText(text);
        fuzz::Check(field.Deepest() <= 3, "a change check does not nest once per character");
        const std::string now = field.Text();
        if (!KvEditConstraint::IsPlaceholder(now)) {
            fuzz::Check(KvEditConstraint::RejectedCharacter(c, now) < 0, "a checked text keeps no rejected character",
                        now);
            fuzz::Check(c.advanceChar == 0 || now.find(c.advanceChar) == std::string::npos,
                        "an advance character does not stay", now);
        }
        const size_t shown = host.messages.size();
        const std::string before = constraints.LastValid(field);
        if (!constraints.OnExitCheck(field)) {
            fuzz::Check(host.messages.size() == shown + 1, "a rejected exit shows one message");
            fuzz::Check(field.Text() == before, "a rejected exit restores the last valid text", field.Text());
        } else {
            fuzz::Check(host.messages.size() == shown, "a passed exit shows nothing");
        }
    }
    constraints.RememberIfValid(field);
    constraints.Unregister(field);
    fuzz::Check(!constraints.IsRegistered(field), "an unregistered field is forgotten");

    std::vector<KvEditConstraint::Field*> fields = {&field, nullptr, &field};
    try {
        constraints.RegisterMany(constraintText + constraintText, fields);
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -2, "a malformed piece raises -2");
    }
    return 0;
}

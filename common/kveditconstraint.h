#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The parsed form of one constraint text such as "%i{n1x4094}" or "%s{l12}".
struct EditConstraint_s {
    char type = 's';    // f float, h hex text, i signed, s any text, u unsigned, n number list
    char delimiter = 0; // list delimiter of type n, else 0
    double minimum = 0; // bounds of types f, i, u, n
    double maximum = 0;
    int32_t maxLength = 0;   // characters (h, s) or numbers (n); 0 = no limit
    uint8_t lengthFlags = 0; // kAutoAdvance | kExactLength | kNotEmpty
    char advanceChar = 0;    // typing it moves on to the next field; 0 = none
    int32_t width = 0;       // field width in pixels; 0 = leave it

    static constexpr uint8_t kAutoAdvance = 1;
    static constexpr uint8_t kExactLength = 2;
    static constexpr uint8_t kNotEmpty = 4;
};

// Edit constraints: each registered edit field accepts only what its
// constraint text allows. Keystrokes that break the constraint are removed
// with a beep as they are typed (OnChangeCheck); the complete value is checked
// when the field is left (OnExitCheck), and a violation is reported with a
// text of the common message set, after which the field gets its last valid
// text and the focus back.
//
// This class knows no widget toolkit: the field and the window around it are
// reached through the two small interfaces below, which the toolkit glue
// implements (see binding/kvlineeditconstraint.h for QLineEdit).
class KvEditConstraint {
public:
    // One edit field as the constraints see it. Texts are UTF-8; lengths and
    // positions count characters.
    class Field {
    public:
        virtual ~Field() = default;
        virtual std::string Text() const = 0;
        // Setting the text runs OnChangeCheck again (like every change).
        virtual void SetText(const std::string& text) = 0;
        virtual void SetMaxLength(int length) = 0; // 0 removes the limit
        virtual void SetWidth(int pixels) = 0;
        virtual void SetFocus() = 0;
        // The field's tag; a previous handler sets it to -1 to veto.
        virtual int Tag() const = 0;
    };

    // The window that owns the fields.
    class Host {
    public:
        virtual ~Host() = default;
        // The short warning tone for a removed keystroke.
        virtual void Beep() = 0;
        // Move the focus on to the next field, later (a queued request).
        virtual void PostNextField(Field& from) = 0;
        // Show a message in a box with an OK button; returns when it is closed.
        virtual void ShowMessage(const std::string& text, Field& about) = 0;
    };

    using Handler = std::function<void(Field&)>;

    // `host` must outlive the constraints. With `rememberValid` every passed
    // exit check keeps the field's text as its last valid text.
    KvEditConstraint(Host& host, bool rememberValid);
    ~KvEditConstraint();
    KvEditConstraint(const KvEditConstraint&) = delete;
    KvEditConstraint& operator=(const KvEditConstraint&) = delete;

    // Parses `text`, applies its width and length limit to the field and
    // starts checking it. `previousChange` and `previousExit` (either may be
    // empty) are the field's own handlers: they run after a passed check.
    // A malformed text raises KvError -2 and registers nothing. Registering a
    // field again replaces its constraint (its last valid text is kept).
    void Register(const std::string& text, Field& field, Handler previousChange = {}, Handler previousExit = {});

    // Registers piece k of `text` (cut before every '%' but the first) for
    // fields[k]; pieces without a field and fields without a piece are left.
    void RegisterMany(const std::string& text, const std::vector<Field*>& fields);

    // A registered field's current text becomes its last valid text.
    void RememberText(Field& field);

    // When the field's current text passes the exit check (silently), it
    // becomes its last valid text. The glue calls this when the program puts
    // a text into the field, so that a rejected exit restores the value the
    // program showed rather than an older or empty text.
    void RememberIfValid(Field& field);

    bool IsRegistered(const Field& field) const;
    // The parsed constraint of a registered field (null when not registered).
    const EditConstraint_s* ConstraintOf(const Field& field) const;
    std::string LastValid(const Field& field) const;
    bool RememberValid() const { return rememberValid_; }

    // The field's text changed (by typing or by the program).
    void OnChangeCheck(Field& field);
    // The field is being left. Returns false when the text was rejected (the
    // message was shown and the field has its last valid text and the focus).
    bool OnExitCheck(Field& field);

    // Forgets a field (the glue calls this when the widget goes away).
    void Unregister(const Field& field);

    // --- the rules themselves, without any field -----------------------------

    // Parses a constraint text; raises KvError -2 for a malformed one.
    static EditConstraint_s Parse(const std::string& text);
    // Cuts a text with several constraints before every '%' but the first.
    static std::vector<std::string> SplitMany(const std::string& text);
    // The number of conversion items: every '%' followed by one of s h i u f n.
    static int CountItems(const std::string& text);
    // Character position (0-based, in characters) of the first character that
    // may not be typed, or -1 when every character may stay.
    static int RejectedCharacter(const EditConstraint_s& constraint, const std::string& text);
    // The text with every character removed that may not be typed, as
    // removing the first such character again and again would leave it, in
    // one pass over the text.
    static std::string FilterText(const EditConstraint_s& constraint, const std::string& text);
    // The message (placeholders filled in) that leaving a field with `text`
    // gives, or nothing when the text passes; `line` receives the message's
    // line of the common set (its code is minus the line).
    static std::optional<std::string> ExitViolation(const EditConstraint_s& constraint, const std::string& text,
                                                    int* line = nullptr);
    // The texts that both checks leave alone.
    static bool IsPlaceholder(const std::string& text);

private:
    struct Record;
    Record* Find(const Field& field) const;

    Host& host_;
    bool rememberValid_;
    std::vector<std::unique_ptr<Record>> records_;
};

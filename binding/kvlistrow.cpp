#include "binding/kvlistrow.h"

#include <QByteArray>
#include <QTreeWidget>
#include <QVariant>

#include "common/kvutf8.h"

namespace {

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsHexLetter(QChar c)
{
    return (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool IsGroupSeparator(QChar c)
{
    return c == u' ' || c == u':' || c == u'-' || c == u'.';
}

int Sign(qsizetype difference)
{
    return difference < 0 ? -1 : difference > 0 ? 1 : 0;
}

// Two runs of digits (of any base) as the numbers they write: fewer
// significant digits first, then digit by digit, letters regardless of case.
int CompareDigitRuns(QStringView a, QStringView b)
{
    auto significant = [](QStringView run) {
        qsizetype zeros = 0;
        while (zeros + 1 < run.size() && run[zeros] == u'0')
            ++zeros;
        return run.mid(zeros);
    };
    a = significant(a);
    b = significant(b);
    if (a.size() != b.size())
        return Sign(a.size() - b.size());
    return Sign(a.compare(b, Qt::CaseInsensitive));
}

// "-12", "7", "+3.25": an optional sign, digits, an optional fraction.
bool IsDecimal(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    const qsizetype digits = i;
    while (i < text.size() && IsAsciiDigit(text[i]))
        ++i;
    if (i == digits)
        return false;
    if (i == text.size())
        return true;
    if (text[i] != u'.')
        return false;
    const qsizetype fraction = ++i;
    while (i < text.size() && IsAsciiDigit(text[i]))
        ++i;
    return i > fraction && i == text.size();
}

struct Decimal {
    bool negative = false;
    QStringView whole;
    QStringView fraction; // without trailing zeros
};

Decimal ReadDecimal(QStringView text)
{
    Decimal d;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        d.negative = text[0] == u'-';
        text = text.mid(1);
    }
    const qsizetype point = text.indexOf(u'.');
    d.whole = point < 0 ? text : text.left(point);
    d.fraction = point < 0 ? QStringView() : text.mid(point + 1);
    while (!d.fraction.isEmpty() && d.fraction.back() == u'0')
        d.fraction.chop(1);
    bool zero = d.fraction.isEmpty();
    for (QChar c : d.whole)
        zero = zero && c == u'0';
    if (zero)
        d.negative = false; // -0 is 0
    return d;
}

int CompareDecimals(QStringView a, QStringView b)
{
    const Decimal x = ReadDecimal(a);
    const Decimal y = ReadDecimal(b);
    if (x.negative != y.negative)
        return x.negative ? -1 : 1;
    int magnitude = CompareDigitRuns(x.whole, y.whole);
    if (magnitude == 0)
        magnitude = Sign(x.fraction.compare(y.fraction));
    return x.negative ? -magnitude : magnitude;
}

// Hexadecimal digits in groups between blanks, colons, hyphens or dots.
bool IsHexGroups(QStringView text)
{
    bool digit = false;
    for (QChar c : text) {
        if (IsAsciiDigit(c) || IsHexLetter(c))
            digit = true;
        else if (!IsGroupSeparator(c))
            return false;
    }
    return digit;
}

bool HasHexLetter(QStringView text)
{
    for (QChar c : text)
        if (IsHexLetter(c))
            return true;
    return false;
}

int CompareHexGroups(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    auto nextGroup = [](QStringView text, qsizetype& at) {
        while (at < text.size() && IsGroupSeparator(text[at]))
            ++at;
        const qsizetype start = at;
        while (at < text.size() && !IsGroupSeparator(text[at]))
            ++at;
        return text.mid(start, at - start);
    };
    for (;;) {
        const QStringView x = nextGroup(a, i);
        const QStringView y = nextGroup(b, j);
        if (x.isEmpty() || y.isEmpty())
            return Sign(qsizetype(!x.isEmpty()) - qsizetype(!y.isEmpty()));
        if (const int c = CompareDigitRuns(x, y))
            return c;
    }
}

// Text with its digit runs read as numbers; other characters compare
// regardless of case, a digit run as the character '0' does.
int CompareNaturally(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitA = IsAsciiDigit(a[i]);
        const bool digitB = IsAsciiDigit(b[j]);
        if (digitA && digitB) {
            const qsizetype startA = i;
            const qsizetype startB = j;
            while (i < a.size() && IsAsciiDigit(a[i]))
                ++i;
            while (j < b.size() && IsAsciiDigit(b[j]))
                ++j;
            if (const int c = CompareDigitRuns(a.mid(startA, i - startA), b.mid(startB, j - startB)))
                return c;
            continue;
        }
        const char16_t keyA = digitA ? u'0' : a[i].toCaseFolded().unicode();
        const char16_t keyB = digitB ? u'0' : b[j].toCaseFolded().unicode();
        if (keyA != keyB)
            return keyA < keyB ? -1 : 1;
        ++i;
        ++j;
    }
    return Sign((a.size() - i) - (b.size() - j));
}

bool IsUtf8(const std::string& value)
{
    for (size_t at = 0; at < value.size();) {
        const size_t length = KvUtf8::SequenceLength(value, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

} // namespace

bool KvListRow::operator<(const QTreeWidgetItem& other) const
{
    const QTreeWidget* view = treeWidget();
    const int column = view ? view->sortColumn() : 0;
    return Compare(order_, text(column), other.text(column)) < 0;
}

KvListRow::Order KvListRow::ColumnOrder(const QList<QString>& texts)
{
    bool numbers = true;
    bool hex = true;
    bool letter = false;
    for (const QString& text : texts) {
        const QStringView cell = QStringView(text).trimmed();
        if (cell.isEmpty())
            continue;
        numbers = numbers && IsDecimal(cell);
        if (hex && IsHexGroups(cell))
            letter = letter || HasHexLetter(cell);
        else
            hex = false;
    }
    if (numbers)
        return Order::Number;
    return hex && letter ? Order::Hex : Order::Text;
}

int KvListRow::Compare(Order order, QStringView a, QStringView b)
{
    a = a.trimmed();
    b = b.trimmed();
    if (a.isEmpty() || b.isEmpty())
        return Sign(qsizetype(!a.isEmpty()) - qsizetype(!b.isEmpty()));
    int c = 0;
    switch (order) {
    case Order::Number:
        c = IsDecimal(a) && IsDecimal(b) ? CompareDecimals(a, b) : CompareNaturally(a, b);
        break;
    case Order::Hex:
        c = IsHexGroups(a) && IsHexGroups(b) ? CompareHexGroups(a, b) : CompareNaturally(a, b);
        break;
    case Order::Text:
        c = CompareNaturally(a, b);
        break;
    }
    // Texts that read the same still have one order.
    return c != 0 ? c : Sign(a.compare(b));
}

void KvListRow::SetCell(QTreeWidgetItem& item, int column, const std::string& value)
{
    if (IsUtf8(value)) {
        item.setText(column, QString::fromStdString(value));
        if (item.data(column, kBytesRole).isValid())
            item.setData(column, kBytesRole, QVariant());
        return;
    }
    item.setText(column, QString::fromStdString(KvUtf8::Repair(value)));
    item.setData(column, kBytesRole, QByteArray::fromStdString(value));
}

std::string KvListRow::Cell(const QTreeWidgetItem& item, int column)
{
    const QVariant bytes = item.data(column, kBytesRole);
    if (bytes.isValid())
        return bytes.toByteArray().toStdString();
    return item.text(column).toStdString();
}

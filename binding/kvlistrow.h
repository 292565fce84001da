#pragma once
#include <QList>
#include <QString>
#include <QStringView>
#include <QTreeWidgetItem>

#include <string>

// A row of a report list view (the binding puts one in per table row).
//
// Its cells show the value texts; a value whose bytes are not UTF-8 is shown
// with every stray byte as the Latin-1 character of the same number (as the
// export writes it), and its bytes are kept beside the text so that the row
// goes back into the values unchanged.
//
// Sorting compares the cells of the sort column in the way the whole column
// reads (ColumnOrder): as numbers when every cell is a decimal number; as
// hexadecimal groups when every cell is hexadecimal digits between
// separators and some cell has a digit A to F (MAC addresses, port lists);
// otherwise as text whose digit runs compare as numbers, so that dotted
// addresses and object identifiers compare part by part ("10.0.0.9" before
// "10.0.0.10") and "Port 2" comes before "Port 10". Letter case counts only
// between otherwise equal texts; empty cells come first.
class KvListRow : public QTreeWidgetItem {
public:
    enum class Order { Text, Number, Hex };

    KvListRow() : QTreeWidgetItem(UserType) {}

    // The order to sort by before the next sort (the same for every row).
    void SetOrder(Order order) { order_ = order; }
    bool operator<(const QTreeWidgetItem& other) const override;

    // The order that fits every text of a column.
    static Order ColumnOrder(const QList<QString>& texts);
    // < 0, 0 or > 0 as `a` goes before, with or after `b` in ascending order.
    static int Compare(Order order, QStringView a, QStringView b);

    // A cell of any list item: shows `value`, keeping its bytes when the text
    // cannot hold them.
    static void SetCell(QTreeWidgetItem& item, int column, const std::string& value);
    // The value a cell holds: its kept bytes, else its text.
    static std::string Cell(const QTreeWidgetItem& item, int column);

    // Where SetCell keeps the bytes of a value that is not UTF-8.
    static constexpr int kBytesRole = Qt::UserRole + 1;

private:
    Order order_ = Order::Text;
};

#include "common/kvoptionlist.h"

#include "common/kvmessages.h"
#include "common/kvtextcompare.h"

namespace {

const char* OrEmpty(const char* text)
{
    return text ? text : "";
}

} // namespace

int KvOptionList::Count() const
{
    int count = 0;
    if (table_) {
        while (table_[count].label)
            ++count;
    }
    return count;
}

const KvOptionDef& KvOptionList::Item(int index) const
{
    if (index < 0 || index >= Count())
        KvRaise(kvErrIndexOutOfRange);
    return table_[index];
}

std::string KvOptionList::Label(int index) const
{
    return OrEmpty(Item(index).label);
}

std::string KvOptionList::ValueText(int index) const
{
    const KvOptionDef& row = Item(index);
    if (kind_ == kIntegerValues)
        return std::to_string(row.value);
    return OrEmpty(row.text);
}

int KvOptionList::IndexOfLabel(const std::string& text) const
{
    if (!table_)
        return -1;
    for (int i = 0; table_[i].label; ++i) {
        const char* label = table_[i].label;
        bool found = kind_ == kTextPrefixes ? kvtext::StartsWith(text, label, caseSensitive_)
                                            : kvtext::Equal(text, label, caseSensitive_);
        if (found)
            return i;
    }
    return -1;
}

int KvOptionList::IndexOfValue(const std::string& text) const
{
    if (!table_)
        return -1;
    if (kind_ == kIntegerValues) {
        int value = 0;
        if (text == "(NULL)" || !kvtext::ParseInt32(text, value))
            return -1;
        for (int i = 0; table_[i].label; ++i) {
            if (table_[i].value == value)
                return i;
        }
        return -1;
    }
    for (int i = 0; table_[i].label; ++i) {
        const char* value = OrEmpty(table_[i].text);
        bool found = kind_ == kTextPrefixes ? kvtext::StartsWith(text, value, caseSensitive_)
                                            : kvtext::Equal(text, value, caseSensitive_);
        if (found)
            return i;
    }
    return -1;
}

std::string KvOptionList::ValueToLabel(const std::string& text) const
{
    int i = IndexOfValue(text);
    if (i < 0)
        return text;
    std::string label = OrEmpty(table_[i].label);
    if (kind_ == kTextPrefixes)
        return label + text.substr(std::string_view(OrEmpty(table_[i].text)).size());
    return label;
}

std::string KvOptionList::LabelToValue(const std::string& text) const
{
    int i = IndexOfLabel(text);
    if (i < 0)
        return text;
    if (kind_ == kIntegerValues)
        return std::to_string(table_[i].value);
    std::string value = OrEmpty(table_[i].text);
    if (kind_ == kTextPrefixes)
        return value + text.substr(std::string_view(table_[i].label).size());
    return value;
}

std::vector<std::string> KvOptionList::Labels() const
{
    std::vector<std::string> labels;
    if (table_) {
        for (int i = 0; table_[i].label; ++i)
            labels.emplace_back(table_[i].label);
    }
    return labels;
}

int KvOptionList::SelectionIndex(const std::string& text) const
{
    int i = IndexOfLabel(text);
    return i >= 0 ? i : IndexOfValue(text);
}

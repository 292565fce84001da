#include "export/kvpagelookup.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <tuple>

#include "export/kvexportcatalogue.h"
#include "forms/vlan/vlanformtables.h"
#include "tables/pagecatalogue.h"

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Edits (insert, delete, replace) that turn a into b.
size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<size_t> previous(b.size() + 1), current(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t replace = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, replace});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

} // namespace

std::string KvPageLookup::Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return "";
    const size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

KvPageLookup::Found KvPageLookup::Find(std::string_view query)
{
    // Several pages share a title: the first in catalogue order wins.
    const auto pages = kvexportcatalogue::Pages();
    for (const PageCommand& page : pages)
        if (std::string_view(page.title) == query)
            return {&page, Match::Exact};

    const std::string trimmed = Trim(query);
    for (const PageCommand& page : pages)
        if (Trim(page.title) == trimmed)
            return {&page, Match::Trimmed};

    const std::string lower = Lower(trimmed);
    for (const PageCommand& page : pages)
        if (Lower(Trim(page.title)) == lower)
            return {&page, Match::IgnoringCase};

    for (const PageCommand& page : pages)
        if (page.name == trimmed)
            return {&page, Match::Name};
    return {};
}

std::vector<const PageCommand*> KvPageLookup::FindWindow(std::string_view query)
{
    const std::string lower = Lower(Trim(query));
    std::vector<const PageCommand*> sections;
    for (const FormWindowDef& window : kvforms::VlanFormWindows()) {
        if (Lower(window.caption) != lower)
            continue;
        for (const PageCommand& page : kvexportcatalogue::Pages())
            if (std::string_view(page.name) == window.formClass)
                sections.push_back(&page);
        break;
    }
    return sections;
}

bool KvPageLookup::IsPortPageTitle(std::string_view query)
{
    const std::string lower = Lower(Trim(query));
    for (const PageCommand& page : kvtables::PortPages())
        if (Lower(Trim(page.title)) == lower && !Find(query).page)
            return true;
    return false;
}

std::vector<std::string> KvPageLookup::Suggest(std::string_view query, size_t limit)
{
    const std::string wanted = Lower(Trim(query));
    // (not containing, distance, menu position, title)
    std::vector<std::tuple<bool, size_t, size_t, std::string>> candidates;
    std::set<std::string> seen;
    const auto pages = kvexportcatalogue::Pages();
    for (size_t position = 0; position < pages.size(); ++position) {
        const std::string title = Trim(pages[position].title);
        if (!seen.insert(title).second)
            continue;
        const std::string lower = Lower(title);
        const bool containing =
            !wanted.empty() && (lower.find(wanted) != std::string::npos || wanted.find(lower) != std::string::npos);
        const size_t distance = EditDistance(wanted, lower);
        const size_t allowed = std::max<size_t>(2, wanted.size() / 3);
        if (containing || distance <= allowed)
            candidates.emplace_back(!containing, distance, position, pages[position].title);
    }
    std::sort(candidates.begin(), candidates.end());
    std::vector<std::string> titles;
    for (const auto& candidate : candidates) {
        if (titles.size() >= limit)
            break;
        titles.push_back(std::get<3>(candidate));
    }
    return titles;
}

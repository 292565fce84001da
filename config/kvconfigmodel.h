#pragma once
#include <string>
#include <vector>

// A switch's configuration as osprey-config keeps it: per page, per row, the
// writable persistent settings in the texts the window shows.

// One setting: a variable of a row.
struct KvConfigSetting {
    std::string label;  // column label, as the page shows it
    std::string oid;    // the variable's full object identifier (with its instance)
    std::string syntax; // syntax name (KvConfigSyntax)
    std::string value;  // value text, as the window shows it
};

// One row of a table page; a scalar page has one row with an empty key.
struct KvConfigRow {
    std::string key;   // the row's instance (the object identifier's index arcs)
    std::string index; // the index columns' values as the window shows them
    std::vector<KvConfigSetting> settings;
};

struct KvConfigPage {
    std::string title;        // as the catalogue has it (trailing blanks kept)
    std::string name;         // component name, form class or browser page
    bool table = false;       // walked row by row
    bool absent = false;      // the switch does not have it
    bool rowCreation = false; // rows are created and removed through a RowStatus column
    std::vector<KvConfigRow> rows;

    const KvConfigRow* Row(const std::string& key) const
    {
        for (const KvConfigRow& row : rows)
            if (row.key == key)
                return &row;
        return nullptr;
    }
};

struct KvConfigSnapshot {
    std::string model; // the switch's sysObjectID
    std::vector<KvConfigPage> pages;

    const KvConfigPage* Page(const std::string& name, const std::string& title) const
    {
        for (const KvConfigPage& page : pages)
            if (page.name == name && page.title == title)
                return &page;
        return nullptr;
    }
};

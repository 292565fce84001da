#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct PageCommand;
struct VarDef;

// Which variables of which pages make a switch's configuration: of every page
// of the export's catalogue, the readable and writable columns (the index
// columns of a table are its row key), without
//   - counters and time stamps, whatever their access;
//   - write-only actions and triggers (reboot, save, re-authenticate, file
//     transfer start, spin locks) and status columns that only report;
//   - the SNMP user and community tables, whose rows hold passwords;
//   - a table's RowStatus column, which creates and removes its rows.
// A variable on several pages belongs to the first of them in catalogue order,
// so that a snapshot holds each setting once.
class KvConfigCatalogue {
public:
    struct Column {
        int32_t position; // in the page's variable table
        const VarDef* def;
        bool reach; // changes how the switch is reached (address, mask, gateway, management VLAN)
    };
    struct Page {
        const PageCommand* command;
        std::vector<Column> columns; // the settings, in table order
        int32_t rowStatus = -1;      // position of the RowStatus column, -1 for none
        int32_t rank = 1;            // 0: tables whose rows others refer to (VLANs)

        bool Table() const;
        // The column whose object is `oid` in the row `key`; null for none.
        const Column* Find(const std::string& oid, const std::string& key) const;
        // The full object identifier of a column in the row `key`.
        std::string Oid(const Column& column, const std::string& key) const;
    };

    // The pages of `pages` that hold settings, in their order.
    explicit KvConfigCatalogue(std::span<const PageCommand* const> pages);
    // Every page of the export's catalogue.
    static KvConfigCatalogue All();

    const std::vector<Page>& Pages() const { return pages_; }
    const Page* Find(const std::string& name, const std::string& title) const;

    // Syntax codes and their names in snapshot files ("INTEGER", "IpAddress").
    static std::string SyntaxName(uint32_t syntax);

private:
    std::vector<Page> pages_;
};

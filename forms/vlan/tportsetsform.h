#pragma once
#include <array>

#include "forms/vlan/tbridgeform.h"

class QLabel;
class QPushButton;
class QTabWidget;

// The frame of the two per-VLAN port-set windows (forward-all and
// forward-unregistered): a kind-2 list of VLANs with three port lists, each
// shown in a port grid on its own tab, a row counter, Refresh and Set. The
// grids stay disabled after every refresh until a VLAN is selected.
class TPortSetsForm : public TBridgeForm {
public:
    struct Shape {
        const char* objectName;
        const char* caption;
        const VarDef* variables; // key, then the three port lists
        std::array<const char*, 3> tabs;
        int boxes; // check boxes per grid
        int perRow;
        int boundPorts; // boxes bound to the port lists (bits 0..n-1)
    };

    QLabel* ST_Count = nullptr;
    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr;
    QTreeWidget* LV_dot1qForwardUnregisteredEntry = nullptr;
    QTabWidget* PageControl1 = nullptr;
    std::array<TStackingPortUitForm*, 3> Grids{};

    KvSNMPRequest2Edits* Binding() const { return binding_; }

    void FormCreate();
    virtual void RefreshBtnClick();
    virtual void SetBtnClick();
    // The number of list rows into ST_Count, whenever rows come or go (also
    // while an asynchronous walk brings them in).
    void ShowRowCount();

protected:
    TPortSetsForm(QWidget* owner, const KvFormHost& host, const Shape& shape);

    KvSNMPRequest2Edits* binding_ = nullptr;

private:
    void BuildWindow();

    Shape shape_;
};

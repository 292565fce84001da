#pragma once
#include <QFrame>

#include <memory>

#include "pages/uientry.h"

class KvSNMPRequest2Edits;
class TFlowLayoutManger;
class TSNMPLayoutAdapter;
class TUIGenerator;

// The content of a generic page: the controls of a layout table, laid out
// directly in this panel. Construction creates the generator (and with it
// the controls), the layout manager over its control list with this panel as
// the parent of the laid-out controls, and the adapter, which registers the
// editors with the binding; the binding's completion handlers then go to the
// adapter.
class TPanelContainer : public QFrame {
public:
    TPanelContainer(QWidget* owner, KvSNMPRequest2Edits* binding, UIEntry* table);
    ~TPanelContainer() override;

    TUIGenerator* Generator() const { return generator_.get(); }
    TFlowLayoutManger* LayoutManager() const { return layout_.get(); }
    TSNMPLayoutAdapter* Adapter() const { return adapter_; }
    KvSNMPRequest2Edits* Binding() const { return binding_; }

    // Before the binding is destroyed: clears its completion handlers and
    // detaches the adapter from it.
    void DetachBinding();

private:
    KvSNMPRequest2Edits* binding_;
    std::unique_ptr<TUIGenerator> generator_;
    std::unique_ptr<TFlowLayoutManger> layout_;
    TSNMPLayoutAdapter* adapter_ = nullptr; // child object
};

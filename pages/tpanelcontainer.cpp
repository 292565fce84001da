#include "pages/tpanelcontainer.h"

#include <QPointer>

#include "binding/kvsnmprequest2edits.h"
#include "pages/tflowlayoutmanger.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tuigenerator.h"

TPanelContainer::TPanelContainer(QWidget* owner, KvSNMPRequest2Edits* binding, UIEntry* table)
    : QFrame(owner), binding_(binding)
{
    setObjectName("PanelContainer");
    generator_ = std::make_unique<TUIGenerator>(table, this);
    layout_ = std::make_unique<TFlowLayoutManger>(this, this, &generator_->Controls());
    adapter_ = new TSNMPLayoutAdapter(table, binding, this);
    if (binding_) {
        QPointer<TSNMPLayoutAdapter> adapter(adapter_);
        binding_->OnGetComplete = [adapter](KvSNMPRequest2Controls&, const KvSNMPError&) {
            if (adapter)
                adapter->OnGetComplete();
        };
        binding_->OnSetComplete = [adapter](KvSNMPRequest2Controls&, const KvSNMPError& result) {
            if (adapter)
                adapter->OnSetComplete(result.code == 0);
        };
    }
}

// The binding's handlers hold the adapter by a guarded pointer, so the
// container may go before or after the binding.
TPanelContainer::~TPanelContainer() = default;

void TPanelContainer::DetachBinding()
{
    if (binding_) {
        binding_->OnGetComplete = nullptr;
        binding_->OnSetComplete = nullptr;
        binding_ = nullptr;
    }
    if (adapter_)
        adapter_->DetachBinding();
}

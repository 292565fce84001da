#pragma once
#include "forms/vlan/tportsetsform.h"

// "MulticastForwardingInformationForm": the forward-all port sets per VLAN
// (all forwarded, static and forbidden ports), the static and forbidden
// ones writable with Set.
class TMulticastForwardingInformationForm : public TPortSetsForm {
public:
    TMulticastForwardingInformationForm(QWidget* owner, const KvFormHost& host);
};

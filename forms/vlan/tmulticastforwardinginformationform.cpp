#include "forms/vlan/tmulticastforwardinginformationform.h"

#include "forms/vlan/vlanformtables.h"

namespace {

// 26 boxes, one per port, 13 to a row.
const TPortSetsForm::Shape kShape = {
    "MulticastForwardingInformationForm",
    "MulticastForwardingInformationForm",
    kvforms::varsForwardAll,
    {"All Forwarded Ports", "All Static Ports", "All Forbiden Ports"},
    26,
    13,
    26,
};

} // namespace

TMulticastForwardingInformationForm::TMulticastForwardingInformationForm(QWidget* owner, const KvFormHost& host)
    : TPortSetsForm(owner, host, kShape)
{
}

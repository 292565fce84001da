#include "binding/controlbinding.h"

#include <QCheckBox>
#include <QLineEdit>

#include "common/kvmessages.h"

QWidget* ControlBinding::ControlAt(size_t i) const
{
    QWidget* control = i < controls.size() ? controls[i].data() : nullptr;
    if (!control)
        KvRaise(kvErrTooFewControls); // destroyed since it was bound
    return control;
}

QCheckBox* ControlBinding::CheckBoxAt(size_t i) const
{
    auto* box = qobject_cast<QCheckBox*>(ControlAt(i));
    if (!box)
        KvRaise(kvErrBadControl);
    return box;
}

QLineEdit* ControlBinding::SecondEdit() const
{
    auto* rest = qobject_cast<QLineEdit*>(second.data());
    if (!rest)
        KvRaise(kvErrBadControl);
    return rest;
}

std::vector<QLineEdit*> ControlBinding::Edits() const
{
    std::vector<QLineEdit*> edits;
    for (size_t i = 0; i < controls.size(); ++i) {
        auto* edit = qobject_cast<QLineEdit*>(ControlAt(i));
        if (!edit)
            KvRaise(kvErrBadControl);
        edits.push_back(edit);
    }
    return edits;
}

void ControlBinding::NeedControls(size_t n) const
{
    if (controls.size() < n)
        KvRaise(kvErrTooFewControls);
}

void ControlBinding::ShowBits(const KvOctets& octets) const
{
    for (size_t i = 0; i < bitIndices.size(); ++i) {
        QCheckBox* box = CheckBoxAt(i);
        const int bit = bitIndices[i];
        const size_t byte = static_cast<size_t>(bit / 8);
        if (byte >= octets.size())
            KvRaise(kvErrOutOfRange);
        box->setChecked((octets[byte] & (0x80u >> (bit % 8))) != 0);
    }
}

KvOctets ControlBinding::CollectBits() const
{
    KvOctets part;
    for (size_t i = 0; i < bitIndices.size(); ++i) {
        QCheckBox* box = CheckBoxAt(i);
        const int bit = bitIndices[i];
        const size_t byte = static_cast<size_t>(bit / 8);
        if (part.size() <= byte)
            part.resize(byte + 1, 0);
        const uint8_t mask = static_cast<uint8_t>(0x80u >> (bit % 8));
        if (box->isChecked())
            part[byte] |= mask;
        else
            part[byte] &= static_cast<uint8_t>(~mask);
    }
    return part;
}

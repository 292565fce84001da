#pragma once
#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <vector>

#include "binding/kvvaluecodec.h"

class KvOptionList;
class QCheckBox;
class QLineEdit;

// One registration of KvSNMPRequest2Edits: which part of which variable feeds
// which controls.
//
// The accessors raise what a binding raises for controls it cannot serve:
// -522 for a control that is missing (destroyed since it was bound), -521 for
// one of another kind.
struct ControlBinding {
    int variableIndex = 0;                   // element of the request's variable list
    int byteOffset = 0;                      // where the part starts in the octet form
    int syntax = 0;                          // syntax code of the part
    const KvOptionList* options = nullptr;   // the binding's own value names, or null
    std::vector<int> bitIndices;             // bit bindings only: one bit per control
    std::vector<QPointer<QWidget>> controls; // not owned
    QPointer<QWidget> second;                // combo box: edit holding the rest of the value

    bool IsBitBinding() const { return !bitIndices.empty(); }

    // Control i.
    QWidget* ControlAt(size_t i) const;
    // Control i as a check box.
    QCheckBox* CheckBoxAt(size_t i) const;
    // The line edit beside a prefix combo box (-521 when missing).
    QLineEdit* SecondEdit() const;
    // Every control as a line edit.
    std::vector<QLineEdit*> Edits() const;
    // Raises -522 when there are fewer than n controls.
    void NeedControls(size_t n) const;

    // Bit bindings: each box shows its bit of `octets` (bit 0 is the high bit
    // of the first octet); a bit beyond the value raises -519.
    void ShowBits(const KvOctets& octets) const;
    // Bit bindings: the boxes' bits in the bytes they reach (the bits of those
    // bytes that no box covers are clear).
    KvOctets CollectBits() const;
};

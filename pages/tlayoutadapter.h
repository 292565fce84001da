#pragma once
#include <QObject>

// Base of the objects that connect laid-out controls to a binding.
class TLayoutAdapter : public QObject {
public:
    explicit TLayoutAdapter(QObject* parent = nullptr) : QObject(parent) {}
    ~TLayoutAdapter() override = default;
};

#pragma once

// Base of the page layout managers.
class TLayoutManger {
public:
    virtual ~TLayoutManger() = default;
};

#pragma once
#include <string>

#include "common/kverror.h"

// A value the operator entered that the binding will not write: an editor's
// constraint fails, its text is not a value of the variable's syntax, or a
// choice was left empty. The message names the field before the text of the
// message set ("System IP: (VoDADI++) Bad value of ..."); the variable is the
// element of the variable list the field edits.
class KvFieldError : public KvError {
public:
    KvFieldError(int code, const std::string& message, int variableIndex)
        : KvError(code, message), variableIndex_(variableIndex)
    {
    }
    int variableIndex() const noexcept { return variableIndex_; }

private:
    int variableIndex_;
};

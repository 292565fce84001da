#pragma once
#include <string>

// The two expression languages evaluated over texts whose variable references
// have already been replaced by values.

// Arithmetic: parentheses first; then the first '+', '-', '*', '/' found (in
// that order) splits the text, each operator grouping to the right: "10-3-2"
// is 9, "8/4/2" is 4. The left part of '*' and '/' is read as a plain number,
// so "8/2*3" is 24. Unreadable text reads 0; never throws.
double EvaluateNumber(const std::string& text);

// Logic: parentheses, '|', '&', '!', then a comparison with one of "<>", ">=",
// "<=", ">", "<", "=" of the two trimmed, unquoted texts by character codes
// ("10<9" is true), or "true"/"false" in any case. Operator characters inside
// the first double-quoted region do not count. '|' and '&' do not evaluate
// their right part when the left part decides. Raises KvError -1 ("(KvCommon)
// Bad logic operand!") for an operand that is none of these.
bool EvaluateLogic(const std::string& text);

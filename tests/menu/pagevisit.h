#pragma once
// Opening a modal page and looking at it from inside its own event loop.
#include <functional>

class QPlainTextEdit;
class TConfigForm;

namespace pagevisit {

// What a test sees of an open page once its first fetch is over.
using Inspector = std::function<void(TConfigForm&)>;

// Runs `open` (which shows a page modally and returns when it is closed);
// as soon as the page's first fetch is over, `inspect` sees the page, which
// is then closed. Gives false when no page came up or its fetch did not end
// within `limitMs`.
bool VisitPage(const std::function<void()>& open, const Inspector& inspect, int limitMs = 20000);

// The page's message memo (null when the page has no panel).
QPlainTextEdit* MemoOf(TConfigForm& form);

} // namespace pagevisit

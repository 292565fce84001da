#include "pagevisit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "binding/kvsnmprequest2edits.h"
#include "pages/tconfigform.h"
#include "pages/tmsgpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmppanel.h"

namespace pagevisit {

bool VisitPage(const std::function<void()>& open, const Inspector& inspect, int limitMs)
{
    bool visited = false;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* form = dynamic_cast<TConfigForm*>(QApplication::activeModalWidget());
        if (!form || visited)
            return;
        TSNMPLayoutAdapter* adapter = form->Adapter();
        KvSNMPRequest2Edits* binding = form->MainBinding();
        const bool fetched = adapter && binding && adapter->getComplete && !binding->busy;
        if (!fetched && waited.elapsed() < limitMs)
            return;
        visited = fetched;
        if (fetched)
            inspect(*form);
        form->close();
    });
    poll.start();
    open();
    poll.stop();
    return visited;
}

QPlainTextEdit* MemoOf(TConfigForm& form)
{
    return form.PagePanel() ? form.PagePanel()->MsgPanel->Memo : nullptr;
}

} // namespace pagevisit

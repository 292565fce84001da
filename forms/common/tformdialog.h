#pragma once
#include <QDialog>

#include "forms/kvformhost.h"

class KvSNMPRequest;

// The window every hand-made form is: a modal dialog with the form's caption
// in the pages' 8-point font, holding what its main window handed it.
class TFormDialog : public QDialog {
public:
    static constexpr int kFontPointSize = 8;

    const KvFormHost& Host() const { return host_; }

    // How long `request` may take to complete with all its retries (its
    // timeout is in hundredths of a second), in milliseconds.
    static int RequestTimeMs(const KvSNMPRequest& request);

protected:
    TFormDialog(QWidget* owner, const KvFormHost& host, const QString& caption);

    KvFormHost host_;
};

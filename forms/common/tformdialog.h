#pragma once
#include <QDialog>

#include <functional>
#include <string>

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

    // Runs `step`; the message of an error it raises goes to `report`. True
    // when it ran through. The handlers' guards are made of it: no error
    // leaves a handler, each is shown where the window shows its status.
    static bool Reporting(const std::function<void()>& step, const std::function<void(const std::string&)>& report);

protected:
    TFormDialog(QWidget* owner, const KvFormHost& host, const QString& caption);

    KvFormHost host_;
};

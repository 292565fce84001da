#include "forms/common/tformdialog.h"

#include <QFont>

#include <algorithm>
#include <exception>

#include "snmp/kvsnmprequest.h"

TFormDialog::TFormDialog(QWidget* owner, const KvFormHost& host, const QString& caption) : QDialog(owner), host_(host)
{
    setWindowTitle(caption);
    QFont formFont = font();
    formFont.setPointSize(kFontPointSize);
    setFont(formFont);
}

int TFormDialog::RequestTimeMs(const KvSNMPRequest& request)
{
    return request.RequestTimeMs();
}

bool TFormDialog::Reporting(const std::function<void()>& step, const std::function<void(const std::string&)>& report)
{
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        report(e.what());
        return false;
    }
}

#include "forms/common/tformdialog.h"

#include <QFont>

#include <algorithm>

#include "snmp/kvsnmprequest.h"

TFormDialog::TFormDialog(QWidget* owner, const KvFormHost& host, const QString& caption)
    : QDialog(owner), host_(host)
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

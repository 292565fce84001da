#include "shell/events/kveventcentre.h"

#include <QDateTime>
#include <QLabel>
#include <QStatusBar>

#include "shell/events/kveventreceiver.h"
#include "shell/events/kveventtext.h"
#include "shell/events/teventsform.h"
#include "shell/panel/tfrontpanel.h"
#include "snmp/kvsnmpsession.h"

KvEventCentre::KvEventCentre(QWidget* window, QStatusBar* statusBar, TFrontPanel* panel)
    : QObject(window), window_(window), panel_(panel)
{
    setObjectName(QStringLiteral("EventCentre"));
    receiver_ = new KvEventReceiver(this);
    receiver_->received = [this](std::vector<SnmpNotification>& batch) { Take(batch); };
    line_ = new QLabel(statusBar);
    line_->setObjectName(QStringLiteral("EventLine"));
    line_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    line_->setAccessibleName(QStringLiteral("Latest event"));
    // Never narrower than its text: the LED status line beside it gives way.
    line_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    statusBar->addPermanentWidget(line_);
}

KvEventCentre::~KvEventCentre() = default;

TEventsForm* KvEventCentre::EventsWindow() const
{
    return form_;
}

void KvEventCentre::Start()
{
    const QString address = KvEventReceiver::ListenAddress();
    if (address.isEmpty()) {
        line_->setText(QStringLiteral("Events: off"));
        return;
    }
    std::string userName;
    SnmpEngine::UsmUser user;
    int32_t level = kvSecurityLevelNoAuthNoPriv;
    if (KvSNMPSecurity.version == kvVersion3) {
        userName = KvSNMPSecurity.securityName;
        level = KvSNMPSecurity.securityLevel;
        user.authProtocol = level >= kvSecurityLevelAuthNoPriv ? KvSNMPSecurity.authProtocol : kvAuthNone;
        user.privProtocol = level >= kvSecurityLevelAuthPriv ? KvSNMPSecurity.privProtocol : kvPrivNone;
        user.authPassword = KvSNMPSecurity.authPassword;
        user.privPassword = KvSNMPSecurity.privPassword;
    }
    if (receiver_->Start(address, KvSNMPDevice.address, userName, user, level)) {
        line_->setText(QStringLiteral("Events: none yet"));
        line_->setToolTip(QStringLiteral("Listening on %1").arg(receiver_->BoundAddress()));
    } else {
        line_->setText(QStringLiteral("Events: not received"));
        line_->setToolTip(receiver_->Error());
    }
}

void KvEventCentre::Take(std::vector<SnmpNotification>& batch)
{
    const QDateTime now = QDateTime::currentDateTime();
    bool reread = false;
    for (const SnmpNotification& n : batch) {
        KvEvent event = kveventtext::Describe(n, now);
        if (panel_ && event.port && kveventtext::IsLinkEvent(event)) {
            panel_->MarkPort(event.port, kveventtext::PortDescription(event));
            reread = true;
        }
        log_.Add(std::move(event));
    }
    if (log_.Events().empty())
        return;
    // One re-read of the panel for the whole batch.
    if (reread)
        panel_->RereadLeds();
    line_->setText(kveventtext::ShortLine(log_.Events().back()));
    line_->setToolTip(StatusText());
    if (form_)
        form_->EventsAdded();
}

QString KvEventCentre::StatusText() const
{
    if (!receiver_->IsListening())
        return receiver_->Error().isEmpty() ? QStringLiteral("Not listening.")
                                            : QStringLiteral("Not listening: %1.").arg(receiver_->Error());
    const auto& s = receiver_->Stats();
    QString text = QStringLiteral("Listening on %1. Received %2; dropped: %3 from other addresses, %4 failed "
                                  "authentication, %5 malformed, %6 over the rate of %7 a second.")
                       .arg(receiver_->BoundAddress())
                       .arg(s.accepted)
                       .arg(s.otherSource)
                       .arg(s.authFailures)
                       .arg(s.malformed)
                       .arg(receiver_->OverRate())
                       .arg(KvEventReceiver::kMaxPerSecond);
    if (log_.Discarded())
        text += QStringLiteral(" The oldest %1 events went to keep the list to %2.")
                    .arg(log_.Discarded())
                    .arg(log_.Capacity());
    return text;
}

void KvEventCentre::ShowEventsWindow()
{
    if (!form_) {
        form_ = new TEventsForm(
            log_, [this] { return StatusText(); }, window_);
        form_->setAttribute(Qt::WA_DeleteOnClose);
        const QString address = QString::fromStdString(KvSNMPDevice.address);
        if (!address.isEmpty())
            form_->setWindowTitle(QStringLiteral("%1 : %2").arg(QLatin1String(TEventsForm::kCaption), address));
    }
    form_->Flush();
    form_->show();
    form_->raise();
    form_->activateWindow();
}

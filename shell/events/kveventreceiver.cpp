#include "shell/events/kveventreceiver.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cstdlib>

#include "snmp/snmpstatus.h"

KvEventReceiver::KvEventReceiver(QObject* parent) : QObject(parent)
{
    next_.setSingleShot(true);
    next_.setInterval(0);
    connect(&next_, &QTimer::timeout, this, &KvEventReceiver::ReadBatch);
    refilled_ = std::chrono::steady_clock::now();
}

KvEventReceiver::~KvEventReceiver() = default;

QString KvEventReceiver::ListenAddress()
{
    const char* value = std::getenv(kListenVariable);
    const QString address =
        value && *value ? QString::fromLocal8Bit(value).trimmed() : QString::fromLatin1(kDefaultListen);
    return address.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0 ? QString() : address;
}

bool KvEventReceiver::Start(const QString& address, const std::string& switchAddress, const std::string& userName,
                            const SnmpEngine::UsmUser& user, int32_t securityLevel)
{
    notifier_.reset();
    std::string reason;
    if (receiver_.Open(address.toStdString(), reason) != snmpOk) {
        error_ = QString::fromStdString(reason);
        return false;
    }
    if (!receiver_.AcceptFrom(switchAddress)) {
        error_ = QStringLiteral("cannot resolve the switch's address %1").arg(QString::fromStdString(switchAddress));
        return false;
    }
    receiver_.SetUser(userName, user, securityLevel);
    notifier_ = std::make_unique<QSocketNotifier>(receiver_.Descriptor(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &KvEventReceiver::ReadBatch);
    error_.clear();
    return true;
}

bool KvEventReceiver::TakeToken()
{
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - refilled_).count();
    refilled_ = now;
    tokens_ = std::min<double>(kMaxPerSecond, tokens_ + seconds * kMaxPerSecond);
    if (tokens_ < 1.0)
        return false;
    tokens_ -= 1.0;
    return true;
}

void KvEventReceiver::ReadBatch()
{
    if (!notifier_)
        return;
    // The notifier rests while batches are read turn by turn.
    notifier_->setEnabled(false);
    std::vector<SnmpNotification> batch;
    const int read = receiver_.Read(kBatch, batch);
    auto over = std::remove_if(batch.begin(), batch.end(), [this](const SnmpNotification&) { return !TakeToken(); });
    overRate_ += static_cast<uint64_t>(batch.end() - over);
    batch.erase(over, batch.end());
    if (!batch.empty() && received)
        received(batch);
    if (read >= kBatch)
        next_.start();
    else
        notifier_->setEnabled(true);
}

#include "switches/switchsecretstore.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QEventLoop>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace {

// What a keychain job answered, copied out in its finished signal: the job
// deletes itself once it has emitted it.
struct Answer {
    bool finished = false;
    QKeychain::Error error = QKeychain::NoError;
    QString errorText;
    QString text;
};

// Takes back a write its caller gave up waiting for: once the keyring has
// made it, the item is deleted, unless it no longer holds what was written
// (another program wrote the switch's secrets since).
void takeBackLateWrite(QKeychain::Job* write, const QString& key, const QString& data)
{
    QObject::connect(write, &QKeychain::Job::finished, write, [key, data](QKeychain::Job* late) {
        if (late->error() != QKeychain::NoError)
            return;
        auto* check = new QKeychain::ReadPasswordJob(SwitchSecretStore::kService);
        check->setKey(key);
        check->setAutoDelete(true);
        check->setInsecureFallback(false);
        QObject::connect(check, &QKeychain::Job::finished, check, [key, data](QKeychain::Job* read) {
            if (read->error() != QKeychain::NoError ||
                static_cast<QKeychain::ReadPasswordJob*>(read)->textData() != data)
                return;
            auto* undo = new QKeychain::DeletePasswordJob(SwitchSecretStore::kService);
            undo->setKey(key);
            undo->setAutoDelete(true);
            undo->setInsecureFallback(false);
            undo->start();
        });
        check->start();
    });
}

// Runs `job` (on the heap, deleting itself once finished) to its end or the
// time-out. A job still waiting at the time-out stays alive until the
// keyring answers it, with nothing of this call connected to it: the keyring
// may still call back into it.
Answer runJob(QKeychain::Job* job, int timeoutMs)
{
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    Answer answer;
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&answer, &loop](QKeychain::Job* done) {
        answer.finished = true;
        answer.error = done->error();
        answer.errorText = done->errorString();
        if (auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(done))
            answer.text = read->textData();
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    job->start();
    if (!answer.finished)
        loop.exec();
    return answer;
}

// The Secret Service does not show the items of a locked collection: QtKeychain
// then answers "not found" for a read and nothing for a delete. These ask
// the service whether the switch's item, or the default collection, is
// locked; false when it cannot tell.
constexpr int kAskMs = 3000;

bool itemLocked(const QString& key)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    qDBusRegisterMetaType<QMap<QString, QString>>();
    QDBusMessage search = QDBusMessage::createMethodCall("org.freedesktop.secrets", "/org/freedesktop/secrets",
                                                         "org.freedesktop.Secret.Service", "SearchItems");
    search << QVariant::fromValue(QMap<QString, QString>{{"user", key}, {"server", SwitchSecretStore::kService}});
    const QDBusMessage found = bus.call(search, QDBus::Block, kAskMs);
    return found.type() == QDBusMessage::ReplyMessage && found.arguments().size() == 2 &&
           !qdbus_cast<QList<QDBusObjectPath>>(found.arguments().at(1)).isEmpty();
}

bool defaultCollectionLocked()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage get =
        QDBusMessage::createMethodCall("org.freedesktop.secrets", "/org/freedesktop/secrets/aliases/default",
                                       "org.freedesktop.DBus.Properties", "Get");
    get << QString("org.freedesktop.Secret.Collection") << QString("Locked");
    const QDBusMessage locked = bus.call(get, QDBus::Block, kAskMs);
    return locked.type() == QDBusMessage::ReplyMessage && !locked.arguments().isEmpty() &&
           qdbus_cast<QDBusVariant>(locked.arguments().at(0)).variant().toBool();
}

bool saysLocked(const Answer& answer)
{
    // QtKeychain reports the Secret Service's "is locked" error as AccessDenied.
    return answer.error == QKeychain::AccessDenied || answer.errorText.contains("locked", Qt::CaseInsensitive);
}

} // namespace

SwitchSecretStore::SwitchSecretStore(bool useKeyring)
{
    if (!useKeyring)
        keyringProblem_ = "the keyring is not used";
}

std::string SwitchSecretStore::LockedMessage()
{
    return "the keyring is locked; unlock it (with the desktop's passwords and keys program, or by logging in "
           "again) and try again";
}

std::string SwitchSecretStore::TimedOutMessage()
{
    return "the keyring did not answer within " + std::to_string(kTimeoutMs / 1000) + " s";
}

SwitchSecretStore::Outcome SwitchSecretStore::Failure(Outcome outcome, const std::string& text, const char* fallback)
{
    timedOut_ = timedOut_ || outcome == Outcome::TimedOut;
    if (outcome == Outcome::Locked) {
        lastProblem_ = LockedMessage();
        return outcome;
    }
    lastProblem_ = outcome == Outcome::TimedOut ? TimedOutMessage() : text.empty() ? fallback : text;
    keyringProblem_ = lastProblem_;
    return outcome;
}

SwitchSecretStore::Outcome SwitchSecretStore::Write(const std::string& name, const std::string& data)
{
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setKey(QString::fromStdString(name));
    job->setTextData(QString::fromStdString(data));
    const Answer answer = runJob(job, timeoutMs_);
    if (!answer.finished) {
        takeBackLateWrite(job, QString::fromStdString(name), QString::fromStdString(data));
        return Failure(Outcome::TimedOut, "", "");
    }
    if (answer.error == QKeychain::NoError)
        return Outcome::Done;
    return Failure(saysLocked(answer) ? Outcome::Locked : Outcome::Failed, answer.errorText.toStdString(),
                   "the keyring refused the secrets");
}

SwitchSecretStore::Outcome SwitchSecretStore::Read(const std::string& name, std::string& data)
{
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(QString::fromStdString(name));
    const Answer answer = runJob(job, timeoutMs_);
    if (!answer.finished)
        return Failure(Outcome::TimedOut, "", "");
    if (answer.error == QKeychain::NoError) {
        data = answer.text.toStdString();
        return Outcome::Done;
    }
    if (saysLocked(answer) || (answer.error == QKeychain::EntryNotFound &&
                               (itemLocked(QString::fromStdString(name)) || defaultCollectionLocked())))
        return Failure(Outcome::Locked, "", "");
    if (answer.error == QKeychain::EntryNotFound)
        return Outcome::NotFound;
    return Failure(Outcome::Failed, answer.errorText.toStdString(), "the keyring refused to give the secrets");
}

SwitchSecretStore::Outcome SwitchSecretStore::Delete(const std::string& name)
{
    auto* job = new QKeychain::DeletePasswordJob(kService);
    job->setKey(QString::fromStdString(name));
    const Answer answer = runJob(job, timeoutMs_);
    if (!answer.finished)
        return Failure(Outcome::TimedOut, "", "");
    if (answer.error == QKeychain::NoError)
        return itemLocked(QString::fromStdString(name)) ? Failure(Outcome::Locked, "", "") : Outcome::Done;
    if (answer.error == QKeychain::EntryNotFound || answer.error == QKeychain::CouldNotDeleteEntry)
        return Outcome::NotFound;
    return Failure(saysLocked(answer) ? Outcome::Locked : Outcome::Failed, answer.errorText.toStdString(),
                   "the keyring refused to delete the secrets");
}

void SwitchSecretStore::Save(const std::string& name, const KvHandedSecrets& secrets, bool& kept)
{
    lastProblem_.clear();
    memory_[name] = secrets;
    kept = KeyringAnswers() && Write(name, secrets.Format()) == Outcome::Done;
    if (!kept && lastProblem_.empty())
        lastProblem_ = keyringProblem_;
}

bool SwitchSecretStore::Load(const std::string& name, KvHandedSecrets& secrets)
{
    lastProblem_.clear();
    const auto known = memory_.find(name);
    if (known != memory_.end()) {
        secrets = known->second;
        return true;
    }
    if (!KeyringAnswers()) {
        lastProblem_ = keyringProblem_;
        return false;
    }
    std::string data;
    std::string problem;
    if (Read(name, data) != Outcome::Done)
        return false;
    if (!KvHandedSecrets::Parse(data, secrets, problem)) {
        lastProblem_ = "the keyring's item for \"" + name + "\" is not readable: " + problem;
        return false;
    }
    memory_[name] = secrets;
    return true;
}

void SwitchSecretStore::Remove(const std::string& name)
{
    lastProblem_.clear();
    memory_.erase(name);
    if (KeyringAnswers())
        Delete(name);
}

void SwitchSecretStore::Rename(const std::string& from, const std::string& to)
{
    KvHandedSecrets secrets;
    if (from == to || !Load(from, secrets))
        return;
    bool kept = false;
    Save(to, secrets, kept);
    Remove(from);
}

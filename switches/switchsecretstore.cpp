#include "switches/switchsecretstore.h"

#include <QEventLoop>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace {

// Runs a keychain job to its end (or the time-out).
QKeychain::Error runJob(QKeychain::Job& job, QString& errorText)
{
    job.setAutoDelete(false);
    job.setInsecureFallback(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(SwitchSecretStore::kTimeoutMs, &loop, &QEventLoop::quit);
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&finished] { finished = true; });
    job.start();
    if (!finished)
        loop.exec();
    if (!finished) {
        errorText = "the keyring did not answer within " + QString::number(SwitchSecretStore::kTimeoutMs / 1000) + " s";
        return QKeychain::OtherError;
    }
    errorText = job.errorString();
    return job.error();
}

} // namespace

SwitchSecretStore::SwitchSecretStore(bool useKeyring)
{
    if (!useKeyring)
        keyringProblem_ = "the keyring is not used";
}

SwitchSecretStore::Outcome SwitchSecretStore::Write(const std::string& name, const std::string& data)
{
    QKeychain::WritePasswordJob job(kService);
    job.setKey(QString::fromStdString(name));
    job.setTextData(QString::fromStdString(data));
    QString errorText;
    const QKeychain::Error error = runJob(job, errorText);
    if (error == QKeychain::NoError)
        return Outcome::Done;
    keyringProblem_ = errorText.isEmpty() ? "the keyring refused the secrets" : errorText.toStdString();
    return Outcome::Failed;
}

SwitchSecretStore::Outcome SwitchSecretStore::Read(const std::string& name, std::string& data)
{
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(QString::fromStdString(name));
    QString errorText;
    const QKeychain::Error error = runJob(job, errorText);
    if (error == QKeychain::NoError) {
        data = job.textData().toStdString();
        return Outcome::Done;
    }
    if (error == QKeychain::EntryNotFound)
        return Outcome::NotFound;
    keyringProblem_ = errorText.isEmpty() ? "the keyring refused to give the secrets" : errorText.toStdString();
    return Outcome::Failed;
}

SwitchSecretStore::Outcome SwitchSecretStore::Delete(const std::string& name)
{
    QKeychain::DeletePasswordJob job(kService);
    job.setKey(QString::fromStdString(name));
    QString errorText;
    const QKeychain::Error error = runJob(job, errorText);
    if (error == QKeychain::NoError)
        return Outcome::Done;
    if (error == QKeychain::EntryNotFound || error == QKeychain::CouldNotDeleteEntry)
        return Outcome::NotFound;
    keyringProblem_ = errorText.toStdString();
    return Outcome::Failed;
}

void SwitchSecretStore::Save(const std::string& name, const KvHandedSecrets& secrets, bool& kept)
{
    memory_[name] = secrets;
    kept = KeyringAnswers() && Write(name, secrets.Format()) == Outcome::Done;
}

bool SwitchSecretStore::Load(const std::string& name, KvHandedSecrets& secrets)
{
    const auto known = memory_.find(name);
    if (known != memory_.end()) {
        secrets = known->second;
        return true;
    }
    std::string data;
    std::string problem;
    if (!KeyringAnswers() || Read(name, data) != Outcome::Done || !KvHandedSecrets::Parse(data, secrets, problem))
        return false;
    memory_[name] = secrets;
    return true;
}

void SwitchSecretStore::Remove(const std::string& name)
{
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

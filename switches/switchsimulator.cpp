#include "switches/switchsimulator.h"

#include "platform/kvprogram.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {

constexpr int kPollMs = 100;
constexpr int kMaxPolls = 100;

} // namespace

SwitchSimulator::SwitchSimulator(QObject* parent) : QObject(parent)
{
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &SwitchSimulator::CheckReady);
}

SwitchSimulator::~SwitchSimulator()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000))
            process_->kill();
        process_->waitForFinished(1000);
    }
}

QString SwitchSimulator::ProgramFile()
{
    return QString::fromStdString(KvProgram::directory()) + "osprey-sim";
}

bool SwitchSimulator::Running() const
{
    return process_ && process_->state() == QProcess::Running && port_ != 0;
}

void SwitchSimulator::Start()
{
    if (Running()) {
        emit ready(port_);
        return;
    }
    if (process_ && process_->state() != QProcess::NotRunning)
        return;
    if (!directory_.isValid() || !QFileInfo(ProgramFile()).isExecutable()) {
        emit failed(tr("The simulator %1 cannot be started.").arg(ProgramFile()));
        return;
    }
    delete process_;
    process_ = new QProcess(this);
    process_->setProgram(ProgramFile());
    process_->setArguments({"--listen", "udp:127.0.0.1:0", "--ready-file", directory_.filePath("sim.ready"), "--log",
                            directory_.filePath("sim.log"), "--exit-with-parent"});
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setStandardOutputFile(directory_.filePath("sim.out"));
    process_->setWorkingDirectory(directory_.path());
    process_->start();
    polls_ = 0;
    port_ = 0;
    poll_.start();
}

void SwitchSimulator::CheckReady()
{
    QFile file(directory_.filePath("sim.ready"));
    if (file.open(QIODevice::ReadOnly)) {
        const QRegularExpressionMatch m =
            QRegularExpression("^udp:127\\.0\\.0\\.1:(\\d+)").match(QString::fromUtf8(file.readAll()));
        if (m.hasMatch()) {
            poll_.stop();
            port_ = static_cast<quint16>(m.captured(1).toUInt());
            emit ready(port_);
            return;
        }
    }
    if (process_->state() == QProcess::NotRunning || ++polls_ >= kMaxPolls) {
        poll_.stop();
        QFile out(directory_.filePath("sim.out"));
        out.open(QIODevice::ReadOnly);
        emit failed(tr("The simulator did not start: %1").arg(QString::fromUtf8(out.readAll()).trimmed()));
    }
}

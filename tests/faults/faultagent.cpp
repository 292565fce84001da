#include "faultagent.h"

#include <signal.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> FaultArgs(Fault fault, const std::string& target)
{
    switch (fault) {
    case Fault::Delay:
        return {"--delay", "2000"};
    case Fault::DropEveryThird:
        return {"--drop-every", "3"};
    case Fault::ErrorStatus:
        return {"--error-oid", target + "=genErr"};
    case Fault::StopAfter:
        return {"--stop-after", "1"};
    case Fault::KilledInWalk:
    case Fault::KilledInWrite:
        return {"--delay", "300"};
    case Fault::WrongType:
        return {"--wrong-type", target};
    case Fault::Oversize:
        return {"--oversize", target + "=4000"};
    case Fault::OtherAddress:
        return {};
    }
    return {};
}

int CountLines(const std::string& path, const std::string& prefix)
{
    std::ifstream in(path);
    std::string line;
    int n = 0;
    while (std::getline(in, line))
        n += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

} // namespace

const char* FaultName(Fault fault)
{
    switch (fault) {
    case Fault::Delay:
        return "2 s delay";
    case Fault::DropEveryThird:
        return "every third request dropped";
    case Fault::ErrorStatus:
        return "genErr on one OID";
    case Fault::StopAfter:
        return "silent after 1 answer";
    case Fault::KilledInWalk:
        return "killed during a read";
    case Fault::KilledInWrite:
        return "killed during a write";
    case Fault::WrongType:
        return "value of the wrong type";
    case Fault::Oversize:
        return "4000-octet value";
    case Fault::OtherAddress:
        return "answers from 127.0.0.2";
    }
    return "?";
}

std::string FaultParamName(Fault fault)
{
    switch (fault) {
    case Fault::Delay:
        return "Delay";
    case Fault::DropEveryThird:
        return "DropEveryThird";
    case Fault::ErrorStatus:
        return "ErrorStatus";
    case Fault::StopAfter:
        return "StopAfter";
    case Fault::KilledInWalk:
        return "KilledInWalk";
    case Fault::KilledInWrite:
        return "KilledInWrite";
    case Fault::WrongType:
        return "WrongType";
    case Fault::Oversize:
        return "Oversize";
    case Fault::OtherAddress:
        return "OtherAddress";
    }
    return "Unknown";
}

void PrintTo(Fault fault, std::ostream* out)
{
    *out << FaultParamName(fault);
}

std::vector<Fault> AllFaults()
{
    return {Fault::Delay,         Fault::DropEveryThird, Fault::ErrorStatus, Fault::StopAfter,   Fault::KilledInWalk,
            Fault::KilledInWrite, Fault::WrongType,      Fault::Oversize,    Fault::OtherAddress};
}

FaultAgent::FaultAgent(Fault fault, std::string targetOid, SimFixture::Options base)
    : fault_(fault), target_(std::move(targetOid)), sim_([&] {
          base.extraArgs = FaultArgs(fault, target_);
          return base;
      }())
{
}

FaultAgent::~FaultAgent()
{
    StopWatching();
    if (relay_)
        relay_->stop();
}

bool FaultAgent::Start(std::string* error)
{
    if (!sim_.start(error))
        return false;
    if (fault_ == Fault::OtherAddress) {
        relay_ = std::make_unique<UdpRelay>(sim_.port(), UdpRelay::Options{.answerFrom = "127.0.0.2"});
        if (!relay_->start(error))
            return false;
    }
    return true;
}

unsigned short FaultAgent::Port() const
{
    return relay_ ? relay_->port() : sim_.port();
}

void FaultAgent::KillOnRequest(const std::string& prefix, int nth)
{
    StopWatching();
    const pid_t pid = sim_.pid();
    const std::string log = sim_.logPath();
    watching_ = true;
    watcher_ = std::thread([this, pid, log, prefix, nth] {
        while (watching_) {
            if (CountLines(log, prefix) >= nth) {
                ::kill(pid, SIGKILL);
                killed_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
}

void FaultAgent::StopWatching()
{
    watching_ = false;
    if (watcher_.joinable())
        watcher_.join();
}

bool FaultAgent::Recover(std::string* error)
{
    StopWatching();
    if (relay_) {
        // The relay goes; the agent answers at the relay's port itself. The
        // relay's port is freed first, and the simulator takes it.
        const unsigned short port = relay_->port();
        relay_->stop();
        relay_.reset();
        sim_.stop();
        sim_.setExtraArgs({});
        sim_.setPort(port);
        return sim_.start(error);
    }
    if (killed_)
        sim_.kill(); // reaps it
    else
        sim_.stop();
    sim_.setExtraArgs({});
    return sim_.start(error);
}

#include "faultexpect.h"

#include "common/kvmessages.h"
#include "tests/support/simfixture.h"

namespace {

std::string MessageOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Ok:
        return KvErrorText(0);
    case Outcome::Timeout:
        return KvErrorText(-405);
    case Outcome::GenErr:
        return KvErrorText(-105);
    case Outcome::BadValue:
        return KvErrorText(kvErrBadValue);
    case Outcome::OkOrTimeout:
        break;
    }
    return std::string();
}

bool Says(const std::string& line, const std::string& operation, Outcome outcome)
{
    return line.rfind(operation + ": " + MessageOf(outcome), 0) == 0;
}

} // namespace

const char* OutcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Ok:
        return "Ok";
    case Outcome::OkOrTimeout:
        return "Ok or timeout";
    case Outcome::Timeout:
        return "timeout";
    case Outcome::GenErr:
        return "genErr";
    case Outcome::BadValue:
        return "bad value";
    }
    return "?";
}

Outcome ReadOutcome(Fault fault, int timeoutMs, bool walk)
{
    switch (fault) {
    case Fault::Delay:
        return timeoutMs * 2 > 2500 ? Outcome::Ok : Outcome::OkOrTimeout;
    case Fault::StopAfter:
        return walk ? Outcome::Timeout : Outcome::Ok;
    case Fault::ErrorStatus:
        return Outcome::GenErr;
    case Fault::KilledInWalk:
    case Fault::OtherAddress:
        return Outcome::Timeout;
    case Fault::DropEveryThird:
    case Fault::KilledInWrite:
    case Fault::WrongType:
    case Fault::Oversize:
        return Outcome::Ok;
    }
    return Outcome::Ok;
}

Outcome WriteOutcome(Fault fault, int timeoutMs)
{
    switch (fault) {
    case Fault::Delay:
        return timeoutMs * 2 > 2500 ? Outcome::Ok : Outcome::OkOrTimeout;
    case Fault::ErrorStatus:
        return Outcome::GenErr;
    case Fault::StopAfter:
    case Fault::KilledInWalk:
    case Fault::KilledInWrite:
    case Fault::OtherAddress:
        return Outcome::Timeout;
    case Fault::DropEveryThird:
    case Fault::WrongType:
    case Fault::Oversize:
        return Outcome::Ok;
    }
    return Outcome::Ok;
}

::testing::AssertionResult StatusSays(const std::string& line, const std::string& operation, Outcome outcome)
{
    const bool ok = outcome == Outcome::OkOrTimeout
                        ? Says(line, operation, Outcome::Ok) || Says(line, operation, Outcome::Timeout)
                        : Says(line, operation, outcome);
    if (ok)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected the " << operation << " line to say " << OutcomeName(outcome)
                                         << ", it reads \"" << line << "\"";
}

bool IsOk(const std::string& line)
{
    return line.find(": " + KvErrorText(0)) != std::string::npos;
}

::testing::AssertionResult NoCommunities(const std::string& text)
{
    for (const char* community : {SimFixture::readCommunity, SimFixture::writeCommunity})
        if (text.find(community) != std::string::npos)
            return ::testing::AssertionFailure() << "\"" << community << "\" shows in \"" << text << "\"";
    return ::testing::AssertionSuccess();
}

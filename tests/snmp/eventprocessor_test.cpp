// The Qt event pump: started by the engine start-up, and walks driven by the
// real event loop give what the blocking form gives.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"
#include "snmpdfixture.h"
#include "walkrows.h"

namespace {

const VarDef kUsmUsers[] = {
    {"1.3.6.1.6.3.15.1.2.2.1.1", "Engine ID", synOctets, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.2", "User Name", synDisplayString, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.3", "Security Name", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.5", "Auth Protocol", synOid, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.13", "Status", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

using walktest::Row;
using walktest::Snapshot;

struct Walk {
    KvSNMPRequest* request = nullptr;
    QEventLoop* loop = nullptr;
    std::vector<Row> rows;
    KvSNMPError last;
};

void OnStep(void* context, KvSNMPError& error, KvSNMPVarList& list)
{
    auto* walk = static_cast<Walk*>(context);
    walk->last = error;
    if (error.code != 0 || error.finished) {
        walk->loop->quit();
        return;
    }
    walk->rows.push_back(Snapshot(list));
    walk->request->FetchAsync(&OnStep, walk, false);
}

// A v1 request for the USM user table (which snmpd answers to "public").
void AskForUsers(KvSNMPRequest& r, uint16_t port, int timeout = 0)
{
    r.variables = KvSNMPVarList(kUsmUsers, kvListTable, 2);
    r.address = "127.0.0.1";
    r.port = port;
    r.version = 1;
    r.readCommunity = "public";
    if (timeout > 0) {
        r.timeout = timeout;
        r.retries = 0;
    }
}

// Walks `r` to its end with the event loop driving it (at most `limitMs`).
// `started` runs once the first request is out.
Walk WalkByEventLoop(KvSNMPRequest& r, int limitMs, const std::function<void()>& started = {})
{
    QEventLoop loop;
    Walk walk;
    walk.request = &r;
    walk.loop = &loop;
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    r.FetchAsync(&OnStep, &walk, true);
    if (started)
        started();
    loop.exec();
    walk.loop = nullptr;
    return walk;
}

class Pump : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "snmp_pump_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QCoreApplication(argc, argv);
        processor_ = new SnmpEventProcessor();
        engineDir_ = walktest::StartEngineInTemporaryDirectory("kvpump");
        agent_ = new SnmpdFixture();
        if (!agent_->Start())
            error_ = agent_->Error();
    }

    static void TearDownTestSuite()
    {
        delete agent_;
        delete processor_;
        delete app_;
        if (!engineDir_.empty())
            walktest::RemoveDirectory(engineDir_);
    }

    static QCoreApplication* app_;
    static SnmpEventProcessor* processor_;
    static SnmpdFixture* agent_;
    static std::string error_;
    static std::string engineDir_;
};

QCoreApplication* Pump::app_ = nullptr;
SnmpEventProcessor* Pump::processor_ = nullptr;
SnmpdFixture* Pump::agent_ = nullptr;
std::string Pump::error_;
std::string Pump::engineDir_;

} // namespace

TEST_F(Pump, EngineStartStartsTheInstalledProcessor)
{
    EXPECT_EQ(InstalledSnmpEventPump(), processor_);
    EXPECT_TRUE(processor_->IsRunning());
}

TEST_F(Pump, WalkDrivenByTheEventLoopMatchesTheBlockingWalk)
{
    ASSERT_TRUE(error_.empty()) << error_;
    KvSNMPRequest r;
    r.variables = KvSNMPVarList(kUsmUsers, kvListTable, 2);
    r.address = "127.0.0.1";
    r.port = agent_->Port();
    r.version = 3;
    r.securityModel = 3;
    r.securityName = "shauser";
    r.authProtocol = 3;
    r.authPassword = "shapassword";
    r.privProtocol = 4;
    r.privPassword = "shaprivacy";
    r.securityLevel = 3;

    std::vector<Row> blocking;
    for (bool more = r.Fetch(true); more; more = r.Fetch(false))
        blocking.push_back(Snapshot(r.variables));
    ASSERT_EQ(blocking.size(), 9u); // snmpd's users (snmpdfixture.h)

    const Walk walk = WalkByEventLoop(r, 20000);
    EXPECT_EQ(walk.last.code, 0);
    EXPECT_TRUE(walk.last.finished);
    EXPECT_EQ(walk.rows, blocking);
    EXPECT_EQ(r.pending, 0);
}

TEST_F(Pump, StopAndStart)
{
    processor_->Stop();
    EXPECT_FALSE(processor_->IsRunning());
    processor_->Start();
    EXPECT_TRUE(processor_->IsRunning());
}

// Nothing outstanding: the timer rests. A request wakes it, so that a silent
// agent's request still times out, and an answered one completes.
TEST_F(Pump, ThePumpRestsWhileNothingIsOutstanding)
{
    ASSERT_TRUE(error_.empty()) << error_;
    auto settle = [](int ms) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    settle(100);
    EXPECT_FALSE(processor_->IsTicking());

    SilentPort silent;
    for (const uint16_t port : {agent_->Port(), silent.Port()}) {
        KvSNMPRequest r;
        AskForUsers(r, port, 30);
        const Walk walk = WalkByEventLoop(r, 10000, [] { EXPECT_TRUE(processor_->IsTicking()); });
        EXPECT_TRUE(walk.last.finished);
        if (port == silent.Port())
            EXPECT_EQ(walk.last.code, -405) << walk.last.message;
        else
            EXPECT_EQ(walk.last.code, 0) << walk.last.message;
        settle(100);
        EXPECT_FALSE(processor_->IsTicking());
    }
}

namespace {

std::vector<std::string> reported;

void Capture(const std::exception& error)
{
    reported.push_back(error.what());
}

std::vector<std::string> logged;

void CaptureLog(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg)
        logged.push_back(text.toStdString());
}

struct Throwing {
    int calls = 0;
    bool stdError = true;
};

void ThrowFromCallback(void* context, KvSNMPError&, KvSNMPVarList&)
{
    auto* t = static_cast<Throwing*>(context);
    ++t->calls;
    if (t->stdError)
        throw std::runtime_error("callback failed");
    throw 42;
}

// Processes events until `done` or `ms` have passed.
template <typename Done>
bool ProcessUntil(Done done, int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace

// A completion callback that lets an error escape: the error is reported (to
// the report set, else as a warning), never swallowed, and the pump goes on
// driving requests, whether the completion came from a socket (an answer) or
// from the timer (a timeout).
TEST_F(Pump, ErrorsEscapingCallbacksAreReportedAndThePumpGoesOn)
{
    ASSERT_TRUE(error_.empty()) << error_;
    reported.clear();
    processor_->SetErrorReport(&Capture);
    SilentPort silent;
    for (const uint16_t port : {agent_->Port(), silent.Port()}) {
        for (const bool stdError : {true, false}) {
            KvSNMPRequest r;
            AskForUsers(r, port, 20);
            Throwing t;
            t.stdError = stdError;
            const size_t before = reported.size();
            r.FetchAsync(&ThrowFromCallback, &t, true);
            ASSERT_TRUE(ProcessUntil([&] { return reported.size() > before; }, 5000)) << port;
            EXPECT_EQ(t.calls, 1);
            EXPECT_EQ(r.pending, 0);
            EXPECT_EQ(reported.back(), stdError ? "callback failed" : "Unknown error");
        }
    }
    EXPECT_EQ(reported.size(), 4u);

    // The pump still drives a walk to its end.
    KvSNMPRequest r;
    AskForUsers(r, agent_->Port());
    const Walk walk = WalkByEventLoop(r, 10000);
    EXPECT_TRUE(walk.last.finished);
    EXPECT_EQ(walk.last.code, 0) << walk.last.message;
    EXPECT_EQ(reported.size(), 4u);

    // Without a report of its own the error goes to the log as a warning.
    processor_->SetErrorReport(nullptr);
    logged.clear();
    QtMessageHandler previous = qInstallMessageHandler(&CaptureLog);
    KvSNMPRequest silentRequest;
    AskForUsers(silentRequest, silent.Port(), 20);
    Throwing t;
    silentRequest.FetchAsync(&ThrowFromCallback, &t, true);
    const bool warned = ProcessUntil([] { return !logged.empty(); }, 5000);
    qInstallMessageHandler(previous);
    ASSERT_TRUE(warned);
    EXPECT_NE(logged.front().find("callback failed"), std::string::npos) << logged.front();
    EXPECT_EQ(reported.size(), 4u);
}

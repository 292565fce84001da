// The Qt event pump: started by the engine start-up, and walks driven by the
// real event loop give what the blocking form gives.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <filesystem>

#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"
#include "snmpdfixture.h"
#include "walkrows.h"

namespace {

const VarDef kUsmUsers[] = {
    {"1.3.6.1.6.3.15.1.2.2.1.1",  "Engine ID",     synOctets,        accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.2",  "User Name",     synDisplayString, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.3",  "Security Name", synDisplayString, accRO,  nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.5",  "Auth Protocol", synOid,           accRO,  nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.13", "Status",        synInteger,       accRO,  nullptr, nullptr, nullptr, nullptr},
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
    ASSERT_EQ(blocking.size(), 3u);

    QEventLoop loop;
    Walk walk;
    walk.request = &r;
    walk.loop = &loop;
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    r.FetchAsync(&OnStep, &walk, true);
    loop.exec();
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
        r.variables = KvSNMPVarList(kUsmUsers, kvListTable, 2);
        r.address = "127.0.0.1";
        r.port = port;
        r.version = 1;
        r.readCommunity = "public";
        r.timeout = 30;
        r.retries = 0;
        QEventLoop loop;
        Walk walk;
        walk.request = &r;
        walk.loop = &loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        r.FetchAsync(&OnStep, &walk, true);
        EXPECT_TRUE(processor_->IsTicking());
        loop.exec();
        EXPECT_TRUE(walk.last.finished);
        if (port == silent.Port())
            EXPECT_EQ(walk.last.code, -405) << walk.last.message;
        else
            EXPECT_EQ(walk.last.code, 0) << walk.last.message;
        settle(100);
        EXPECT_FALSE(processor_->IsTicking());
    }
}

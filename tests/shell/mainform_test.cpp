#include "platform/kvapplication.h"
#include "platform/kvmessagebox.h"
#include "shell/programentry.h"
#include "shell/tform1.h"
#include "shell/tmainform.h"
#include "snmp/kvsnmpsession.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace {

// Runs each test in a working directory of its own, with a registry of its own.
class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() : previous(std::filesystem::current_path())
    {
        registry = dir.write("registry.ini", "");
        setenv("KORVAN_REGISTRY", registry.c_str(), 1);
        std::filesystem::create_directories(dir.file("work"));
        std::filesystem::current_path(dir.file("work"));
    }
    ~MainFormTest() override
    {
        std::filesystem::current_path(previous);
        unsetenv("KORVAN_REGISTRY");
    }

    std::filesystem::path previous;
    TempDir dir;
    std::string registry;
};

} // namespace

TEST_F(MainFormTest, StartUpSetsCaptionAndWritesTheBootCounter)
{
    KvMessageBox::Answerer answerer;
    TMainForm form({"/I10.1.1.1", "/Rpublic"});
    EXPECT_TRUE(answerer.shown().empty());
    EXPECT_FALSE(form.TerminateRequested());
    EXPECT_EQ(form.windowTitle(), "10.1.1.1");
    EXPECT_EQ(TMainForm::Instance(), &form);
    EXPECT_EQ(form.AgentAddress, "10.1.1.1");
    EXPECT_EQ(form.ReadCommunity, "public");
    EXPECT_EQ(form.PageTitle, "");
    EXPECT_EQ(KvSNMPSecurity.readCommunity, "public");
    EXPECT_EQ(KvSNMPSecurity.writeCommunity, "lantern") << "engine default";
    EXPECT_EQ(KvSNMPSecurity.version, 0);
    EXPECT_EQ(KvSNMPDevice.port, 161);
    // The engine keeps its boot counter in the working directory, started at 1.
    const std::string counter = ReadWholeFile(dir.file("work/KvSNMP_PP_BootCounter"));
    EXPECT_NE(counter.find(" 1"), std::string::npos) << counter;
}

TEST_F(MainFormTest, WindowKeepsTheFrontPanelGeometry)
{
    KvMessageBox::Answerer answerer;
    TMainForm form({"/I10.1.1.1"});
    form.show();
    ASSERT_NE(form.menuBar(), nullptr);
    EXPECT_EQ(form.menuBar(), form.MainMenu1);
    EXPECT_EQ(form.ScrollBox1->size(), QSize(781, 95));
    EXPECT_EQ(form.StatusBar->height(), 22);
    EXPECT_EQ(form.width(), 781);
    EXPECT_EQ(form.height(), form.menuBar()->height() + 117);
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "single fixed border";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);

    // A menu added later keeps the client area as it is.
    form.MainMenu1->addMenu("Configuration");
    QCoreApplication::processEvents();
    EXPECT_GT(form.menuBar()->height(), 0);
    EXPECT_EQ(form.height(), form.menuBar()->height() + 117);
    EXPECT_EQ(form.ScrollBox1->size(), QSize(781, 95));
}

TEST_F(MainFormTest, NoParameterShowsTheMessageAndEndsTheProgram)
{
    KvMessageBox::Answerer answerer;
    EXPECT_EQ(RunOsprey({}), 0);
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].text, "No parameter input");
    EXPECT_EQ(answerer.shown()[0].title, "test_mainform");

    // The window itself: caption left empty, termination asked for.
    TMainForm form(std::vector<std::string>{});
    EXPECT_TRUE(form.TerminateRequested());
    EXPECT_EQ(form.windowTitle(), "");
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, BadNumberIsShownAndEndsWithFailure)
{
    KvMessageBox::Answerer answerer;
    EXPECT_EQ(RunOsprey({"/I10.1.1.1", "/vabc"}), 1);
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].text, "'abc' is not a valid integer value");
    EXPECT_EQ(answerer.shown()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(TMainForm::Instance(), nullptr) << "a window that failed to start is gone";
}

TEST_F(MainFormTest, UnwritableWorkingDirectoryEndsStartUpWithTheBootCounterError)
{
    // Removing the working directory makes it unwritable even for root.
    std::filesystem::create_directories(dir.file("gone"));
    std::filesystem::current_path(dir.file("gone"));
    std::filesystem::remove(dir.file("gone"));
    KvMessageBox::Answerer answerer;
    EXPECT_EQ(RunOsprey({"/I10.1.1.1"}), 1);
    ASSERT_EQ(answerer.shown().size(), 1u);
    const std::string text = answerer.shown()[0].text.toStdString();
    EXPECT_EQ(text.rfind("(VoDADI++) Error when saving SNMP engine boots counter!", 0), 0u) << text;
    EXPECT_NE(text.find("KvSNMP_PP_BootCounter"), std::string::npos) << text;
}

TEST_F(MainFormTest, ClosingTheMainWindowEndsTheProgramWhileOtherWindowsAreOpen)
{
    KvMessageBox::Answerer answerer;
    TMainForm form({"/I10.1.1.1"});
    form.show();
    QWidget about;
    about.show();
    QTimer::singleShot(0, &form, &QWidget::close);
    // Fails by timeout when the loop goes on.
    QTimer::singleShot(5000, [] { QCoreApplication::exit(2); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

TEST(TForm1, CompletionRaisesBothFlags)
{
    TForm1 form;
    EXPECT_EQ(TForm1::Instance(), &form);
    EXPECT_FALSE(form.GetReady || form.SetReady);
    form.RequestComplete();
    EXPECT_TRUE(form.GetReady && form.SetReady);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Form1");
}

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<KvApplication>(argc, argv);
}

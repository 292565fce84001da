#include "platform/kvapplication.h"
#include "platform/kvhelpwindow.h"
#include "platform/kvmessagebox.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <stdexcept>

namespace {

// Closes the first message box that becomes modal, noting its caption and text.
struct ModalCloser {
    QString title;
    QString text;
    void arm(QMessageBox::StandardButton press)
    {
        QTimer::singleShot(0, [this, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                arm(press);
                return;
            }
            title = box->windowTitle();
            text = box->text();
            EXPECT_EQ(box->objectName(), KvMessageBox::kObjectName);
            box->button(press)->click();
        });
    }
};

} // namespace

TEST(KvMessageBox, CaptionIsTheProgramFileName)
{
    EXPECT_EQ(KvMessageBox::programCaption(), "test_platform_ui");
    ModalCloser closer;
    closer.arm(QMessageBox::Cancel);
    EXPECT_EQ(KvMessageBox::show(nullptr, "Refresh panel will take a minute", QString(),
                                 QMessageBox::Ok | QMessageBox::Cancel),
              QMessageBox::Cancel);
    EXPECT_EQ(closer.title, "test_platform_ui");
    EXPECT_EQ(closer.text, "Refresh panel will take a minute");

    closer.arm(QMessageBox::Ok);
    EXPECT_EQ(
        KvMessageBox::show(nullptr, "Are you sure?", "Device Save Changes", QMessageBox::Ok | QMessageBox::Cancel),
        QMessageBox::Ok);
    EXPECT_EQ(closer.title, "Device Save Changes");
}

TEST(KvMessageBox, AnswerersRecordInsteadOfShowingAndNest)
{
    KvMessageBox::Answerer outer;
    KvMessageBox::message(nullptr, "No parameter input");
    {
        KvMessageBox::Answerer inner(QMessageBox::Cancel);
        EXPECT_EQ(KvMessageBox::show(nullptr, "Are you sure?", "Confirm", QMessageBox::Ok | QMessageBox::Cancel),
                  QMessageBox::Cancel);
        ASSERT_EQ(inner.shown().size(), 1u);
        EXPECT_EQ(inner.shown()[0].title, "Confirm");
    }
    KvMessageBox::error(nullptr, "bad");
    ASSERT_EQ(outer.shown().size(), 2u);
    EXPECT_EQ(outer.shown()[0].title, "test_platform_ui");
    EXPECT_EQ(outer.shown()[0].text, "No parameter input");
    EXPECT_EQ(outer.shown()[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(outer.shown()[1].icon, QMessageBox::Critical);
}

TEST(KvApplication, ErrorEscapingAnEventHandlerIsShownAndTheProgramGoesOn)
{
    KvMessageBox::Answerer answerer;
    bool after = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("'abc' is not a valid integer value"); });
    QTimer::singleShot(5, [&] {
        after = true;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_TRUE(after);
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].text, "'abc' is not a valid integer value");
}

TEST(KvHelpWindow, MissingFileGivesAMessageAndNoWindow)
{
    TempDir dir;
    KvMessageBox::Answerer answerer;
    EXPECT_EQ(KvHelpWindow::open(QString::fromStdString(dir.file("Osprey 2.HLP")), nullptr), nullptr);
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_TRUE(answerer.shown()[0].text.contains("Osprey 2.HLP"));

    dir.write("Osprey 2.HLP", "<html><body><h1>Osprey</h1><p>Contents</p></body></html>");
    KvHelpWindow* window = KvHelpWindow::open(QString::fromStdString(dir.file("Osprey 2.HLP")), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->toPlainText().contains("Contents"));
    EXPECT_FALSE(window->toPlainText().contains("<h1>")) << "the document is shown as HTML, not as its source";
    window->close();
}

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<KvApplication>(argc, argv);
}

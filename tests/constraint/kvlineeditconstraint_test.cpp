// Edit constraints on real QLineEdit fields (offscreen).
#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#include "binding/kvlineeditconstraint.h"
#include "common/kverror.h"
#include "platform/kvmessagebox.h"

namespace {

class LineEditConstraintTest : public ::testing::Test {
protected:
    QDialog window;
    QLineEdit* first = new QLineEdit(&window);
    QLineEdit* second = new QLineEdit(&window);
    QLineEdit* third = new QLineEdit(&window);
    std::unique_ptr<KvLineEditConstraint> constraints = std::make_unique<KvLineEditConstraint>(&window, true);
    int beeps = 0;
    QStringList messages;

    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        for (QLineEdit* edit : {first, second, third})
            layout->addWidget(edit);
        constraints->SetBeeper([this] { ++beeps; });
        constraints->SetMessageNotifier([this](QWidget* owner, const QString& text) {
            EXPECT_EQ(owner, &window);
            messages << text;
        });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Gives `edit` the focus the way a click or Tab would.
    void Enter(QLineEdit* edit)
    {
        edit->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(LineEditConstraintTest, RejectedKeysBeepAndVanish)
{
    constraints->Register("%i{n1x4094}", first);
    Enter(first);
    QTest::keyClicks(first, "12a");
    EXPECT_EQ(first->text(), "12");
    EXPECT_EQ(beeps, 1);
    QTest::keyClicks(first, "-3");
    EXPECT_EQ(first->text(), "123");
    EXPECT_EQ(first->cursorPosition(), 3);
    EXPECT_EQ(beeps, 2);
}

TEST_F(LineEditConstraintTest, LengthLimitStopsTyping)
{
    constraints->Register("%s{l12}", first);
    Enter(first);
    QTest::keyClicks(first, "abcdefghijklm");
    EXPECT_EQ(first->text(), "abcdefghijkl");
    constraints->Register("%i{n0x7l1}", second);
    EXPECT_EQ(constraints->MaxLength(second), 1);
    constraints->Register("%i", third);
    EXPECT_EQ(constraints->MaxLength(third), 0);
}

TEST_F(LineEditConstraintTest, ProgramTextsAreNotCutToTheLimit)
{
    constraints->Register("%i{n0x7l1}", first);
    first->setText("(NOTDONE)");
    EXPECT_EQ(first->text(), "(NOTDONE)");
    EXPECT_EQ(beeps, 0);
    first->setText("5");
    Enter(first);
    first->end(false);
    QTest::keyClicks(first, "6");
    EXPECT_EQ(first->text(), "5");
    // An over-long text from the program can still be shortened.
    first->setText("123");
    first->end(false);
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_EQ(first->text(), "12");
}

TEST_F(LineEditConstraintTest, LeavingABadValueRestoresTextAndFocus)
{
    constraints->Register("%i{n1x4094}", first);
    constraints->Register("%i{n1x4094}", second);
    Enter(first);
    first->setText("100"); // filled by the program (a refresh) while the field has the focus
    first->selectAll();
    QTest::keyClicks(first, "0");
    EXPECT_EQ(first->text(), "0");
    QTest::keyClick(first, Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "(KvCommon) Please enter a number between 1 and 4094!");
    EXPECT_EQ(first->text(), "100");
    EXPECT_TRUE(first->hasFocus());
    // The second field was only passed through: it is not checked.
    EXPECT_EQ(messages.size(), 1);

    // A good value leaves and is kept.
    first->selectAll();
    QTest::keyClicks(first, "4094");
    QTest::keyClick(first, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(constraints->LastValid(first), "4094");
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(LineEditConstraintTest, MessageBoxIsCaptionedWithTheProgramName)
{
    KvLineEditConstraint plain(&window, true); // no notifier: the program's message box
    plain.Register("%s{l3f}", first);
    KvMessageBox::Answerer answerer;
    Enter(first);
    QTest::keyClicks(first, "ab");
    Enter(second);
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].text, "(KvCommon) Please enter a string whose length is 3!");
    EXPECT_EQ(answerer.shown()[0].title, KvMessageBox::programCaption());
    EXPECT_EQ(first->text(), "");
    EXPECT_TRUE(first->hasFocus());
}

TEST_F(LineEditConstraintTest, RealMessageBoxDuringTheFocusChange)
{
    KvLineEditConstraint plain(&window, true);
    plain.Register("%i{n1x5}", first);
    plain.Register("%i{n1x5}", second);
    Enter(first);
    first->setText("3");
    QTest::keyClicks(first, "9"); // "39"
    QString shownText;
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->text();
            box->accept();
        }
    });
    closer.start();
    QTest::keyClick(first, Qt::Key_Tab);
    closer.stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(shownText, "(KvCommon) Please enter a number between 1 and 5!");
    EXPECT_EQ(first->text(), "3");
    // Once the page is active again the rejected field has the focus.
    EXPECT_EQ(window.focusWidget(), first);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(first->hasFocus());
}

TEST_F(LineEditConstraintTest, SwitchingWindowsIsNotLeaving)
{
    constraints->Register("%i{n1x5}", first);
    Enter(first);
    QTest::keyClicks(first, "9");
    QDialog other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(first->text(), "9");
}

TEST_F(LineEditConstraintTest, AutoAdvanceAndAdvanceCharacter)
{
    constraints->RegisterMany("%i{n0x255e.}%i{n0x7l1a}%i", {first, second, third});
    Enter(first);
    QTest::keyClicks(first, "10.");
    EXPECT_EQ(first->text(), "10");
    QCoreApplication::processEvents();
    EXPECT_TRUE(second->hasFocus());
    QTest::keyClicks(second, "5");
    QCoreApplication::processEvents();
    EXPECT_TRUE(third->hasFocus());
    EXPECT_EQ(beeps, 0);
}

TEST_F(LineEditConstraintTest, AdvanceSkipsDisabledAndHiddenWidgets)
{
    auto* hidden = new QPushButton("hidden", &window);
    hidden->hide();
    QWidget::setTabOrder(first, hidden);
    QWidget::setTabOrder(hidden, second);
    QWidget::setTabOrder(second, third);
    second->setEnabled(false);
    constraints->Register("%i{n0x9l1a}", first);
    Enter(first);
    QTest::keyClicks(first, "4");
    QCoreApplication::processEvents();
    EXPECT_TRUE(third->hasFocus());
}

TEST_F(LineEditConstraintTest, PlaceholderValuesAreNotChecked)
{
    constraints->Register("%i{n1x4094}", first);
    first->setText("(NOTDONE)");
    Enter(first);
    Enter(second);
    EXPECT_EQ(first->text(), "(NOTDONE)");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(beeps, 0);
}

TEST_F(LineEditConstraintTest, RememberTextAndStrangers)
{
    constraints->Register("%i{n1x9}", first);
    first->setText("4");
    constraints->RememberText(first);
    constraints->RememberText(&window); // not a registered field: ignored
    EXPECT_EQ(constraints->LastValid(first), "4");
    EXPECT_FALSE(constraints->IsRegistered(second));
    EXPECT_THROW(constraints->Register("%q", second), KvError);
    EXPECT_FALSE(constraints->IsRegistered(second));
}

TEST_F(LineEditConstraintTest, FieldsAndConstraintsMayGoInEitherOrder)
{
    constraints->Register("%i", first);
    constraints->Register("%i", second);
    delete second; // the field goes first
    second = nullptr;
    QTest::keyClicks(first, "1");
    constraints.reset(); // then the constraints, before the other field
    first->setText("x"); // no longer checked
    EXPECT_EQ(first->text(), "x");
}

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

// 8,000 rejected characters set into a field used to crash the
// program (one nested check per character).
TEST_F(LineEditConstraintTest, PastingThousandsOfRejectedCharactersIsSafe)
{
    constraints->Register("%i{n1x4094}", first);
    constraints->Register("%u{l5}", second);
    first->setText(QString(8000, QLatin1Char('A')));
    EXPECT_EQ(first->text(), "");
    second->setText(QString(8000, QLatin1Char('F')) + "42");
    EXPECT_EQ(second->text(), "42");
    // A switch's long hexadecimal answer in an integer field keeps its digits.
    first->setText(QString("0A1B").repeated(2000));
    EXPECT_EQ(first->text(), QString("01").repeated(2000));
    EXPECT_LE(beeps, 15);
}

// What a write runs over every field it collects.
TEST_F(LineEditConstraintTest, ViolationChecksWithoutLeavingTheField)
{
    constraints->Register("%i{n10x765}", first);
    Enter(first);
    first->setText("5");
    int line = 0;
    const std::optional<std::string> message = constraints->Violation(first, &line);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, "(KvCommon) Please enter a number between 10 and 765!");
    EXPECT_EQ(line, 8);
    // Nothing was shown and the text stays as typed.
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(first->text(), "5");
    first->setText("(NOTDONE)");
    EXPECT_FALSE(constraints->Violation(first).has_value());
    EXPECT_FALSE(constraints->Violation(third).has_value()); // not registered
}

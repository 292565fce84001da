#pragma once
#include <QMessageBox>
#include <QString>

#include <vector>

class QWidget;

// One message box as the program asked for it.
struct KvMessageBoxRequest {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

// Message boxes captioned with the program file's name unless a title is given.
// Modal: they return the button the operator pressed.
class KvMessageBox {
public:
    static QString programCaption();

    static QMessageBox::StandardButton show(QWidget* parent, const QString& text, const QString& title = QString(),
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::Icon icon = QMessageBox::NoIcon);

    // A plain message with an OK button.
    static void message(QWidget* parent, const QString& text);
    // The application's display of an error that nothing else handled.
    static void error(QWidget* parent, const QString& text);

    // While an Answerer exists, message boxes are not shown: each is recorded
    // and answered at once with the answerer's button. For tests and for runs
    // that must not wait for an operator. Answerers nest; the newest answers.
    class Answerer {
    public:
        explicit Answerer(QMessageBox::StandardButton answer = QMessageBox::Ok);
        ~Answerer();
        Answerer(const Answerer&) = delete;
        Answerer& operator=(const Answerer&) = delete;

        void setAnswer(QMessageBox::StandardButton answer) { answer_ = answer; }
        const std::vector<KvMessageBoxRequest>& shown() const { return shown_; }
        void clear() { shown_.clear(); }

    private:
        friend class KvMessageBox;
        QMessageBox::StandardButton answer_;
        std::vector<KvMessageBoxRequest> shown_;
        Answerer* previous_;
    };

    // Object name of every box shown, for tests that find and close it.
    static constexpr const char* kObjectName = "KvMessageBox";
};

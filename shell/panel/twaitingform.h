#pragma once
#include <QDialog>

#include <functional>

class QProgressBar;

// The small window shown while the front panel is refreshed: a progress bar
// (0 to 658) under the caption "Refreshing panel". When it is first shown it
// runs the refresh steps it was given and then closes itself; an error of the
// steps closes it as well and is not reported.
class TWaitingForm : public QDialog {
public:
    static constexpr int kClientWidth = 396;
    static constexpr int kClientHeight = 24;
    static constexpr int kProgressMaximum = 658;

    explicit TWaitingForm(QWidget* owner);

    // The work of the refresh; runs once, on the first activation.
    std::function<void()> refreshSteps;

    // Whether the activation steps have started.
    bool Refreshed() const { return refreshed_; }

    // One step further on the progress bar.
    void Advance();

    QProgressBar* ProgressBar1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();

    bool refreshed_ = false;
};

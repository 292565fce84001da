#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

// The About window: program name, release and maker. Shown without waiting
// (the main window stays usable); every "About" command opens a new one, so
// several can be open at once. Closing it, by "Ok" or by the window's close
// button, frees it.
class TAboutForm : public QDialog {
public:
    // `owner` null: a top-level window of the application, centred on the
    // main window when there is one.
    explicit TAboutForm(QWidget* owner = nullptr);
    ~TAboutForm() override;

    // Creates a new About window, remembers it as the current one and shows
    // it without waiting.
    static TAboutForm* ShowNew(QWidget* owner = nullptr);
    // The About window opened last, while it exists (nullptr otherwise).
    static TAboutForm* Current();

    // Handlers.
    void FormCreate();
    void BT_OkClick();

    static constexpr int kClientWidth = 354;
    static constexpr int kClientHeight = 105;

    QLabel* Image1 = nullptr;
    QLabel* ABoutLabel = nullptr;
    QLabel* VersionLabel = nullptr;
    QLabel* MakerLabel = nullptr;
    QPushButton* BT_Ok = nullptr;

private:
    void CreateLayout();
};

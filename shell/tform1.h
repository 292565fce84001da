#pragma once
#include <QWidget>

// The invisible auxiliary window, created at program start and never shown. Its
// completion handler raises both ready flags; windows that wait for a binding's
// completion make it that binding's completion handler and read the flags.
class TForm1 : public QWidget {
public:
    explicit TForm1(QWidget* owner = nullptr);
    ~TForm1() override;

    // The one instance while it exists (nullptr otherwise).
    static TForm1* Instance();

    // Completion handler: sets both flags.
    void RequestComplete();

    bool GetReady = false;
    bool SetReady = false;
};

#pragma once
#include <QObject>
#include <QTemporaryDir>
#include <QTimer>

class QProcess;

// The bundled switch simulator (osprey-sim beside this program), started on a
// free loopback UDP port for trying the program without a switch. It is
// stopped when this object goes (and by itself should this program die).
class SwitchSimulator : public QObject {
    Q_OBJECT
public:
    explicit SwitchSimulator(QObject* parent = nullptr);
    ~SwitchSimulator() override;

    // Starts it (once); `ready` or `failed` follows.
    void Start();
    bool Running() const;
    quint16 Port() const { return port_; }
    static QString ProgramFile();

    static constexpr const char* kReadCommunity = "ravine";
    static constexpr const char* kWriteCommunity = "lantern";

signals:
    void ready(quint16 port);
    void failed(const QString& message);

private:
    void CheckReady();

    QProcess* process_ = nullptr;
    QTemporaryDir directory_;
    QTimer poll_;
    int polls_ = 0;
    quint16 port_ = 0;
};

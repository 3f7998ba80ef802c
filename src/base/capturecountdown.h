#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

namespace tarvello {

// Counts down the seconds before a capture, so that the status line and the tray can show them
// and the user can still call it off.
class CaptureCountdown : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CaptureCountdown)

public:
    // `step` is one second but for tests, which need not wait in real time.
    explicit CaptureCountdown(QObject *parent = nullptr,
                              std::chrono::milliseconds step = std::chrono::seconds(1));

    // Starts over from `seconds`: tick(seconds), then one tick a step later for each second
    // left, then finished(). Zero seconds finishes at once. Nothing is emitted from inside this
    // call, so a caller may connect afterwards and still see the first tick.
    void start(int seconds);
    // Nothing more is emitted for the countdown under way.
    void cancel();

    bool isRunning() const { return m_left >= 0; }
    int secondsLeft() const { return m_left; }

signals:
    void tick(int secondsLeft);
    void finished();

private:
    void advance();

    QTimer m_timer;
    std::chrono::milliseconds m_step;
    int m_left = -1; // -1 when not running
    bool m_announced = false;
};

} // namespace tarvello

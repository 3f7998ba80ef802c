#include "base/capturecountdown.h"

namespace tarvello {

CaptureCountdown::CaptureCountdown(QObject *parent, std::chrono::milliseconds step)
    : QObject(parent)
    , m_step(step)
{
    // Coarse timers may slip by 5 %, which adds up to half a second over ten.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CaptureCountdown::advance);
}

void CaptureCountdown::start(int seconds)
{
    m_left = qMax(0, seconds);
    m_announced = false;
    // The first tick comes from the event loop, as every later one does.
    m_timer.start(0);
}

void CaptureCountdown::cancel()
{
    m_timer.stop();
    m_left = -1;
}

void CaptureCountdown::advance()
{
    if (m_announced)
        --m_left;
    if (!m_announced && m_left > 0)
        m_timer.start(m_step);
    m_announced = true;
    if (m_left > 0) {
        emit tick(m_left);
        return;
    }
    m_timer.stop();
    m_left = -1;
    emit finished();
}

} // namespace tarvello

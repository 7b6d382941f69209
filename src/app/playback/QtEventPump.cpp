#include "app/playback/QtEventPump.h"

#include "playback/TickClock.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

#include <chrono>

namespace notaro::app {

void QtEventPump::operator()(int32_t deadlineMs) const {
    using namespace std::chrono;
    const auto left = playback::tickTimePoint(deadlineMs) - steady_clock::now();
    if (left <= nanoseconds::zero()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // Rounded up, so the wake-up never comes before the deadline's tick.
    const auto ms = duration_cast<milliseconds>(left + microseconds(999)).count();
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    wake.start(static_cast<int>(ms));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace notaro::app

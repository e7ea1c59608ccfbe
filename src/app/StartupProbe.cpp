#include "app/StartupProbe.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace StartupProbe {
namespace {
class FirstPaint final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Runs once the paint in progress (and its flush to the screen) is done.
            QTimer::singleShot(0, [] {
                Mark("painted");
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};
} // namespace

bool Enabled()
{
    static const bool enabled = std::getenv("RBX_STARTUP_PROBE") != nullptr;
    return enabled;
}

void Mark(const char* step)
{
    if (!Enabled()) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("%s %lld\n", step, static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
}

void ExitAfterFirstPaint(QWidget& window)
{
    if (Enabled()) {
        window.installEventFilter(new FirstPaint(&window));
    }
}
} // namespace StartupProbe

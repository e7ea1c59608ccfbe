#include "app/FirstPaint.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace {
class FirstPaintWatch final : public QObject
{
public:
    FirstPaintWatch(QWidget& window, std::function<void()> action)
        : QObject(&window), action_(std::move(action))
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && action_) {
            // Runs once the paint in progress is done; the watch then removes itself.
            QTimer::singleShot(0, parent(), std::move(action_));
            action_ = nullptr;
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};
} // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> action)
{
    window.installEventFilter(new FirstPaintWatch(window, std::move(action)));
}

#include "platform/HintHidePause.h"

#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace {

const char* const FilterName = "HintHidePause";

class HintHidePauseFilter final : public QObject
{
public:
    explicit HintHidePauseFilter(QObject* application) : QObject(application)
    {
        setObjectName(QString::fromLatin1(FilterName));
    }

    int pauseMs = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || pauseMs <= 0 || !watched->isWidgetType()) {
            return false;
        }
        auto* widget = static_cast<QWidget*>(watched);
        const QString text = widget->toolTip();
        if (text.isEmpty()) {
            // Qt passes the request on to the parent, which may have a tooltip of its own.
            return false;
        }
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, widget, QRect(), pauseMs);
        event->accept();
        return true;
    }
};

HintHidePauseFilter* Filter()
{
    QObject* application = QCoreApplication::instance();
    if (application == nullptr) {
        return nullptr;
    }
    auto* filter = dynamic_cast<HintHidePauseFilter*>(
        application->findChild<QObject*>(QString::fromLatin1(FilterName), Qt::FindDirectChildrenOnly));
    if (filter == nullptr) {
        filter = new HintHidePauseFilter(application);
        application->installEventFilter(filter);
    }
    return filter;
}

} // namespace

void SetHintHidePause(int ms)
{
    if (HintHidePauseFilter* filter = Filter()) {
        filter->pauseMs = ms;
    }
}

int HintHidePause()
{
    const HintHidePauseFilter* filter = Filter();
    return filter != nullptr ? filter->pauseMs : 0;
}

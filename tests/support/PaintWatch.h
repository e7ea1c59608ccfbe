#pragma once

// Records the paint events a widget receives (install it as the widget's event filter).

#include <QEvent>
#include <QList>
#include <QObject>
#include <QPaintEvent>
#include <QRect>

class PaintWatch : public QObject
{
public:
    QList<QRect> areas;
    int paints() const { return static_cast<int>(areas.size()); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            areas.append(static_cast<QPaintEvent*>(event)->rect());
        }
        return false;
    }
};

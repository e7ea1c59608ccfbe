#pragma once
// Holds a window's repaints and shows the hourglass cursor while the scaler moves its controls,
// so the window repaints once at the end; both are undone when the hold leaves scope, also when
// a step returns early.
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

class GTRepaintHold
{
public:
    explicit GTRepaintHold(QWidget* window) : window_(window)
    {
        wasEnabled_ = window_ && window_->updatesEnabled();
        if (wasEnabled_) {
            window_->setUpdatesEnabled(false);
        }
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~GTRepaintHold()
    {
        QGuiApplication::restoreOverrideCursor();
        if (wasEnabled_ && window_) {
            window_->setUpdatesEnabled(true);
        }
    }
    GTRepaintHold(const GTRepaintHold&) = delete;
    GTRepaintHold& operator=(const GTRepaintHold&) = delete;

private:
    QPointer<QWidget> window_;
    bool wasEnabled_ = false;
};

#pragma once
// Holds a window's repaints and shows the hourglass cursor while the scaler moves its controls,
// so the window repaints once at the end; both are undone when the hold leaves scope, also when
// a step returns early. A window not yet on the screen (hidden, or shown but not yet exposed) is
// left alone: it has no repaints to hold, and an hourglass would only flicker over the other
// windows (the tool windows are built and scaled while the board shows) or cost the cursor
// theme's load before the board's first paint (the window manager maximizes it in between).
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

class GTRepaintHold
{
public:
    explicit GTRepaintHold(QWidget* window) : window_(window), held_(OnScreen(window))
    {
        if (!held_) {
            return;
        }
        wasEnabled_ = window_->updatesEnabled();
        if (wasEnabled_) {
            window_->setUpdatesEnabled(false);
        }
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~GTRepaintHold()
    {
        if (!held_) {
            return;
        }
        QGuiApplication::restoreOverrideCursor();
        if (wasEnabled_ && window_) {
            window_->setUpdatesEnabled(true);
        }
    }
    GTRepaintHold(const GTRepaintHold&) = delete;
    GTRepaintHold& operator=(const GTRepaintHold&) = delete;

private:
    static bool OnScreen(const QWidget* window)
    {
        return window != nullptr && window->isVisible() && window->windowHandle() != nullptr &&
               window->windowHandle()->isExposed();
    }

    QPointer<QWidget> window_;
    bool held_;
    bool wasEnabled_ = false;
};

#pragma once

#include <QCursor>
#include <QGuiApplication>

// The hourglass cursor for the length of a set-file routine, restored on every way out. Without a
// GUI application (benchmarks, command-line tools) it does nothing.
class SetFileHourglass
{
public:
    SetFileHourglass() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (shown_) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        }
    }
    ~SetFileHourglass()
    {
        if (shown_) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    SetFileHourglass(const SetFileHourglass&) = delete;
    SetFileHourglass& operator=(const SetFileHourglass&) = delete;

private:
    bool shown_;
};

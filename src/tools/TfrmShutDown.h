#pragma once
// The progress window shown modally while the program shuts down: a bar that fills in 25 ticks
// of 30 ms and then closes the window on its own.
#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

class TfrmShutDown : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmShutDown(QWidget* parent = nullptr);

    // One tick of `ShutDownTimer`.
    void ShutDownTimerTimer();

    int ShutDownProgress = 0;
    QProgressBar* ShutDownBar = nullptr;
    QTimer* ShutDownTimer = nullptr;

protected:
    // The window's activation starts the timer.
    void showEvent(QShowEvent* event) override;

private:
    QLabel* label_ = nullptr;
};

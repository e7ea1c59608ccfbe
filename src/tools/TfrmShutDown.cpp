#include "tools/TfrmShutDown.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

TfrmShutDown::TfrmShutDown(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmShutDown"));
    setWindowTitle(QStringLiteral("Rallybox Shut Down Sequence"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(QStringLiteral("Rallybox is shutting down..."), this);
    ShutDownBar = new QProgressBar(this);
    ShutDownBar->setObjectName(QStringLiteral("ShutDownBar"));
    ShutDownBar->setRange(0, 100);
    ShutDownBar->setValue(0);
    layout->addWidget(label_);
    layout->addWidget(ShutDownBar);
    ShutDownTimer = new QTimer(this);
    ShutDownTimer->setObjectName(QStringLiteral("ShutDownTimer"));
    ShutDownTimer->setInterval(30);
    connect(ShutDownTimer, &QTimer::timeout, this, &TfrmShutDown::ShutDownTimerTimer);
    resize(320, 90);
}

void TfrmShutDown::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Each opening runs the bar from the start; a restore from minimised lets it run on.
    if (event->spontaneous()) {
        return;
    }
    ShutDownProgress = 0;
    ShutDownBar->setValue(0);
    ShutDownTimer->start();
}

void TfrmShutDown::ShutDownTimerTimer()
{
    ShutDownProgress += 4;
    ShutDownBar->setValue(ShutDownProgress);
    QCoreApplication::processEvents();
    // Reaching 100 exactly (25 ticks) ends the window; a later tick beyond it cannot occur
    // because the timer stops here.
    if (ShutDownProgress >= 100) {
        ShutDownTimer->stop();
        done(1);
    }
}

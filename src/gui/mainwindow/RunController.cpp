#include "mainwindow/RunController.h"

TRunController::TRunController(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("RunController"));
}

void TRunController::Events::TimerSwitched(bool on)
{
    c.timerOn = on;
    emit c.Timer1Switched(on);
}

void TRunController::Tick()
{
    if (!run.Tick() && timerOn)
        events.TimerSwitched(false);
}

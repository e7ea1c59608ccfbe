#pragma once

#include <QObject>

#include <functional>

class QPainter;

enum class TOrientation
{
    orVertical,
    orHorizontal
};
enum class TBarStyle
{
    bsLowered,
    bsRaised
};
enum class TzTickStyle
{
    tsNormal,
    tsOwnerDraw
};
enum class TBarTickStyle
{
    ttsLeft,
    ttsRight,
    ttsBoth
};
enum class TThumbStyle
{
    tsHorzHigh,
    tsVertHigh,
    tsHorzLow,
    tsVertLow,
    tsSquare,
    tsSquarehollow,
    tsLeft,
    tsRight,
    tsTop,
    tsBottom,
    tsRound,
    tsHorzRound,
    tsSquarehollowHorz,
    tsSquarehollowVert,
    tsSquarehollowHLine,
    tsSquarehollowVLine,
};

// Events are single handlers assigned by the owning window, as the controls' users expect.
using TNotifyEvent = std::function<void(QObject* sender)>;
using TMouseEvent =
    std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;
using TKeyEvent = std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)>;
// Draws one tick: the canvas is the bar's off-screen bitmap, (x, y) the tick's start point,
// leftSide is set for the left/top side, tickNumber counts from 0.
using TsSlideTickOwnerDraw =
    std::function<void(QPainter& canvas, int x, int y, bool leftSide, int tickNumber)>;

#pragma once

#include <functional>

class QWidget;

// Runs `action` once, right after the window's first paint has completed (and been flushed to
// the screen): for work that must not delay what the operator first sees.
void AfterFirstPaint(QWidget& window, std::function<void()> action);

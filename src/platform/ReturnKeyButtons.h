#pragma once
// Return and Enter on a window's push buttons: the button that has the focus is pressed, and in a
// field Return presses the window's named default button or nothing.
class QWidget;

void AimReturnAtFocusedButtons(QWidget& window);

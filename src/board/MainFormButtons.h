#pragma once
// The colour-button operations the board code of the main window needs, in one small header
// that keeps the button's drawing details out of the many files that only set faces and fonts.
#include "platform/Color.h"

#include <QString>

class QFont;
class QObject;
class QPushButton;
class QWidget;
class TBitBtnWithColor;

TBitBtnWithColor* NewColorButton(QWidget* parent);
// The colour button of that object name among the window's children, or nullptr.
TBitBtnWithColor* FindColorButton(QObject* window, const QString& name);
QPushButton* AsPushButton(TBitBtnWithColor* button);
TColor FaceOf(const TBitBtnWithColor* button);
void SetFace(TBitBtnWithColor* button, TColor color);
TColor FontColorOf(const TBitBtnWithColor* button);
void SetButtonFontColor(TBitBtnWithColor* button, TColor color);

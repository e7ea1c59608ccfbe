#pragma once
// Text forms the options file uses for font styles and the board-lock code.
#include "platform/FontStyle.h"
#include <QString>

// "fsBold ", "fsItalic ", "fsUnderline ", "fsStrikeOut " for the styles set, in that order.
QString FontStyleToString(TFontStyles styles);
// The styles whose words occur anywhere in the text; no style for an empty text.
TFontStyles StringToFontStyle(const QString& text);

// The board-lock code's stored form and back (the rule is its own inverse): each digit d
// from 1 to 9 becomes 10 - d, 0 stays 0, and the characters are put in reverse order.
// Characters other than digits are kept as they are.
QString SecurityCodeTransform(const QString& code);
// An eight-digit text: the only stored form the lock can be opened from.
bool IsEightDigitCode(const QString& code);

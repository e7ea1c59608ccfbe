#pragma once
// Colours and fonts of the board: custom colours of sound buttons and page buttons, Capture and
// Set to carry a colour from one button to another, the four bulk removals, and the fonts of the
// sound buttons and the page buttons (settings, written to the options file at once).
#include "platform/Color.h"

#include <QString>

#include <functional>

class Board;

class TForm1;

// The colours that show play states, which a sound button cannot take as its own; compared by
// their low 24 bits, so the cued colour's palette flag does not let it through.
bool IsReservedSoundColor(TColor color);

class BoardColors
{
public:
    explicit BoardColors(TForm1& form) : form_(form) {}

    inline static const QString ReservedColorText =
        QStringLiteral("This color selection is reserved for use by Rallybox.\rPlease Select another color.");

    void SetButtonColor1Click();
    void CaptureButtonColor1Click();
    void SetButtonColor2Click();
    void CaptureButtonColor2Click();
    void C1Click();
    void RemoveAllSoundButtonCustomColors1Click();
    void RemoveAllPageButtonCustomColors1Click();
    void RemoveSoundButtonCustomColorsforthisPageONLY1Click();
    void RemovePageButtonCustomColorsforthisGroupONLY1Click();
    void ChangeSoundFonts1Click();
    void PopupPageChangeFontClick();

private:
    struct RemovalTexts
    {
        QString question;
        QString trace;
        QString routine;
    };
    // Asks, writes the trace line, clears (given the group and page on display), marks the board
    // changed and repaints the slots or, for page colours, the group.
    void RemoveColors(const RemovalTexts& texts,
                      const std::function<void(Board&, int group, int page)>& clear, bool pageColors);
    void ShowErrorBox(const QString& routine);

    TForm1& form_;
};

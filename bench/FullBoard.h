#pragma once
// The full board the benchmarks and the start-up measurement use.
#include "board/Board.h"
#include "platform/Color.h"

#include <QString>

// A full board: 10 groups x 18 pages x 48 buttons with every field filled, and the cue page.
inline void FillFullBoard(Board& board)
{
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            const QString at = QString("%1-%2").arg(g).arg(p);
            board.PageName[g][p] = "Page " + at;
            board.PagePlay[g][p] = "T";
            board.RapidFire[g][p] = "F";
            board.PageShuffle[g][p] = "T";
            board.PageColor[g][p] = RgbToColor(g * 20, p * 10, 7);
            for (int b = 1; b <= ButtonCount; ++b) {
                const QString id = at + "-" + QString::number(b);
                TSoundButtonCell c;
                c.ButtonCaption = "Caption " + id + "\r\nsecond line";
                c.ButtonFile = "/home/operator/Sounds/Game day/" + id + ".mp3";
                c.ButtonState = bstPlayed;
                c.ButtonTime = "03:25";
                c.ButtonHotKey = "2F" + QString::number(1 + b % 12);
                c.ButtonHotKeyInfo = "Ctrl + F" + QString::number(1 + b % 12);
                c.ButtonNote = "Note for " + id;
                c.ButtonVolume = "80";
                c.ButtonLoop = "L";
                c.ButtonCustomCue = "Y";
                c.ButtonCueStart = 44100 * b;
                c.ButtonCueEnd = 441000 * b;
                c.ButtonCustomColor = RgbToColor(b, g, p);
                board.SetCell(g, p, b, c);
            }
        }
    }
}

#include "board/Board.h"

#include "platform/IniFile.h"

#include <utility>

namespace {

const QString kBlank = QStringLiteral(" ");
const QString kFalse = QStringLiteral("F");
const QString kNoCustomCue = QStringLiteral("N");

} // namespace

Board::Board()
    : ButtonCaption(GroupCount + 1), ButtonFile(GroupCount + 1), ButtonState(GroupCount + 1),
      ButtonTime(GroupCount + 1), ButtonHotKey(GroupCount + 1), ButtonHotKeyInfo(GroupCount + 1),
      ButtonNote(GroupCount + 1), ButtonVolume(GroupCount + 1), ButtonLoop(GroupCount + 1),
      ButtonCustomCue(GroupCount + 1), ButtonCueStart(GroupCount + 1), ButtonCueEnd(GroupCount + 1),
      ButtonCustomColor(GroupCount + 1)
{
    static const char* const letters = "ABCDEFGHIJ";
    for (int g = 1; g <= GroupCount; ++g) {
        GroupLetters[g] = QString(QLatin1Char(letters[g - 1]));
    }
    LastPageOfGroup.fill(1);
    ResetToLoadDefaults();
}

Board::~Board() = default;

bool Board::IsBlank(const QString& text)
{
    // Trimming removes blanks and control characters alike, so a caption of a lone line break is
    // as empty as one of spaces.
    for (const QChar c : text) {
        if (c.unicode() > u' ') {
            return false;
        }
    }
    return true;
}

bool Board::IsValidAddress(int group, int page, int button)
{
    return group >= 1 && group <= GroupCount && page >= 1 && page <= PageCount && button >= 1 &&
           button <= ButtonCount;
}

TSoundButtonCell Board::Cell(int group, int page, int button) const
{
    TSoundButtonCell c;
    c.ButtonCaption = ButtonCaption[group][page][button];
    c.ButtonFile = ButtonFile[group][page][button];
    c.ButtonState = ButtonState[group][page][button];
    c.ButtonTime = ButtonTime[group][page][button];
    c.ButtonHotKey = ButtonHotKey[group][page][button];
    c.ButtonHotKeyInfo = ButtonHotKeyInfo[group][page][button];
    c.ButtonNote = ButtonNote[group][page][button];
    c.ButtonVolume = ButtonVolume[group][page][button];
    c.ButtonLoop = ButtonLoop[group][page][button];
    c.ButtonCustomCue = ButtonCustomCue[group][page][button];
    c.ButtonCueStart = ButtonCueStart[group][page][button];
    c.ButtonCueEnd = ButtonCueEnd[group][page][button];
    c.ButtonCustomColor = ButtonCustomColor[group][page][button];
    return c;
}

void Board::ForgetCueOrigin(int group, int page, int button)
{
    if (group != CueGroup || page != CuePage || button < 1 || button > ButtonCount) {
        return;
    }
    const auto n = static_cast<std::size_t>(button);
    CueOriginGroup[n] = 0;
    CueOriginPage[n] = 0;
    CueOriginButton[n] = 0;
}

void Board::SetCell(int group, int page, int button, const TSoundButtonCell& c)
{
    ButtonCaption[group][page][button] = c.ButtonCaption;
    ButtonFile[group][page][button] = c.ButtonFile;
    ButtonState[group][page][button] = c.ButtonState;
    ButtonTime[group][page][button] = c.ButtonTime;
    ButtonHotKey[group][page][button] = c.ButtonHotKey;
    ButtonHotKeyInfo[group][page][button] = c.ButtonHotKeyInfo;
    ButtonNote[group][page][button] = c.ButtonNote;
    ButtonVolume[group][page][button] = c.ButtonVolume;
    ButtonLoop[group][page][button] = c.ButtonLoop;
    ButtonCustomCue[group][page][button] = c.ButtonCustomCue;
    ButtonCueStart[group][page][button] = c.ButtonCueStart;
    ButtonCueEnd[group][page][button] = c.ButtonCueEnd;
    ButtonCustomColor[group][page][button] = c.ButtonCustomColor;
}

void Board::SwapCells(int groupA, int pageA, int buttonA, int groupB, int pageB, int buttonB)
{
    const TSoundButtonCell a = Cell(groupA, pageA, buttonA);
    SetCell(groupA, pageA, buttonA, Cell(groupB, pageB, buttonB));
    SetCell(groupB, pageB, buttonB, a);
}

void Board::TakePages(Board& other)
{
    ButtonCaption.swap(other.ButtonCaption);
    ButtonFile.swap(other.ButtonFile);
    ButtonState.swap(other.ButtonState);
    ButtonTime.swap(other.ButtonTime);
    ButtonHotKey.swap(other.ButtonHotKey);
    ButtonHotKeyInfo.swap(other.ButtonHotKeyInfo);
    ButtonNote.swap(other.ButtonNote);
    ButtonVolume.swap(other.ButtonVolume);
    ButtonLoop.swap(other.ButtonLoop);
    ButtonCustomCue.swap(other.ButtonCustomCue);
    ButtonCueStart.swap(other.ButtonCueStart);
    ButtonCueEnd.swap(other.ButtonCueEnd);
    ButtonCustomColor.swap(other.ButtonCustomColor);
    PageName.swap(other.PageName);
    PageColor.swap(other.PageColor);
    PagePlay.swap(other.PagePlay);
    PageShuffle.swap(other.PageShuffle);
    RapidFire.swap(other.RapidFire);
}

void Board::ResetToLoadDefaults()
{
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageCount; ++p) {
            PageName[g][p] = kBlank;
            PageColor[g][p] = 0;
            PagePlay[g][p] = kFalse;
            PageShuffle[g][p] = kFalse;
            RapidFire[g][p] = kFalse;
            for (int b = 1; b <= ButtonCount; ++b) {
                ButtonCaption[g][p][b] = kBlank;
                ButtonFile[g][p][b] = kBlank;
                ButtonState[g][p][b] = bstUnplayed;
                ButtonTime[g][p][b] = kBlank;
                ButtonHotKey[g][p][b] = kBlank;
                ButtonHotKeyInfo[g][p][b] = kBlank;
                ButtonNote[g][p][b] = kBlank;
                ButtonVolume[g][p][b].clear();
                ButtonLoop[g][p][b].clear();
                ButtonCustomCue[g][p][b] = kNoCustomCue;
                ButtonCueStart[g][p][b] = 0;
                ButtonCueEnd[g][p][b] = 0;
                ButtonCustomColor[g][p][b] = 0;
            }
        }
    }
    CueOriginGroup.fill(0);
    CueOriginPage.fill(0);
    CueOriginButton.fill(0);
}

void Board::EraseBoard()
{
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageCount; ++p) {
            PageName[g][p].clear();
            PagePlay[g][p].clear();
            RapidFire[g][p].clear();
            PageShuffle[g][p].clear();
            for (int b = 1; b <= ButtonCount; ++b) {
                ButtonCaption[g][p][b].clear();
                ButtonFile[g][p][b].clear();
                ButtonTime[g][p][b].clear();
                ButtonHotKey[g][p][b].clear();
                ButtonHotKeyInfo[g][p][b].clear();
                ButtonNote[g][p][b].clear();
                ButtonCustomCue[g][p][b].clear();
                ButtonState[g][p][b] = bstUnplayed;
                ButtonCueStart[g][p][b] = 0;
                ButtonCueEnd[g][p][b] = 0;
            }
        }
    }
}

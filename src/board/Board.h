#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Color.h"

class IniFile;

// Board address bounds. Index 0 of every table exists but is never used, so a table is indexed by
// the group, page and button numbers exactly as the operator counts them.
constexpr int GroupCount = 10;
constexpr int PageCount = 19; // pages 1..18 have page buttons; page 19 of group D is the cue
constexpr int PageButtonCount = 18;
constexpr int ButtonCount = 48;
constexpr int CueGroup = 4;
constexpr int CuePage = 19;

// The play state codes held in `ButtonState`. The table holds plain integers, because a code read
// from a file that is not listed here (10, say) is kept as read.
enum TButtonState : int
{
    bstUnplayed = 1,
    bstPlayed = 2,
    bstPlaying = 3,
    bstLocked = 4,
    bstHighlighted = 5,
    bstNeutral = 6,
    bstPlaceMarker = 7,
    bstFileMissing = 8,
    bstCued = 9,
    bstHighlightedPlayed = 12,
    bstHighlightedPlaying = 13,
};

// [group][page][button], each from 1.
template <typename T>
using PerButtonTable = std::vector<std::array<std::array<T, ButtonCount + 1>, PageCount + 1>>;
// [group][page], each from 1.
template <typename T> using PerPageTable = std::array<std::array<T, PageCount + 1>, GroupCount + 1>;

// One sound button taken out of the thirteen tables, for the commands that copy, move or swap a
// button as a whole.
struct TSoundButtonCell
{
    QString ButtonCaption;
    QString ButtonFile;
    int ButtonState = bstUnplayed;
    QString ButtonTime;
    QString ButtonHotKey;
    QString ButtonHotKeyInfo;
    QString ButtonNote;
    QString ButtonVolume;
    QString ButtonLoop;
    QString ButtonCustomCue;
    std::int32_t ButtonCueStart = 0;
    std::int32_t ButtonCueEnd = 0;
    TColor ButtonCustomColor = 0;

    bool operator==(const TSoundButtonCell&) const = default;
};

// The whole content of one set file held in memory, plus the flags that go with the open file.
// One instance lives for the whole run; tests build their own.
class Board
{
public:
    // A fresh board reads as one loaded from an empty set file: blank texts (" "), flags "F",
    // custom-cue flag "N", state 1, numbers and colours 0.
    Board();
    ~Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // A text cell is empty when nothing but blanks (and control characters) is left after trimming.
    static bool IsBlank(const QString& text);
    static bool IsValidAddress(int group, int page, int button);

    TSoundButtonCell Cell(int group, int page, int button) const;
    void SetCell(int group, int page, int button, const TSoundButtonCell& cell);
    void SwapCells(int groupA, int pageA, int buttonA, int groupB, int pageB, int buttonB);
    // A cue cell that takes a sound from anywhere but Cue It no longer stands for a board button:
    // its origin becomes 0, so its end marks nothing played. Cells off the cue are left alone.
    void ForgetCueOrigin(int group, int page, int button);

    // Sets every cell of all groups and 19 pages, and every page, to the values a missing set file
    // gives (see the constructor). Cue origins become 0.
    void ResetToLoadDefaults();
    // Takes the page and button tables of `other` (a board the set file was read into), giving
    // it these; nothing else changes.
    void TakePages(Board& other);

    // The erase of the New commands and of the backup set-up: page names and flags empty, every
    // cell's caption, file, time, hot key, hot-key text, note and custom-cue flag empty, state 1,
    // cue start and end 0. Volume, loop, custom colour and page colour keep their values.
    void EraseBoard();

    // Per-button tables.
    PerButtonTable<QString> ButtonCaption;
    PerButtonTable<QString> ButtonFile;
    PerButtonTable<int> ButtonState;
    PerButtonTable<QString> ButtonTime;
    PerButtonTable<QString> ButtonHotKey;
    PerButtonTable<QString> ButtonHotKeyInfo;
    PerButtonTable<QString> ButtonNote;
    PerButtonTable<QString> ButtonVolume;
    PerButtonTable<QString> ButtonLoop;
    PerButtonTable<QString> ButtonCustomCue;
    PerButtonTable<std::int32_t> ButtonCueStart;
    PerButtonTable<std::int32_t> ButtonCueEnd;
    PerButtonTable<TColor> ButtonCustomColor;

    // Per-page tables.
    PerPageTable<QString> PageName;
    PerPageTable<TColor> PageColor;
    PerPageTable<QString> PagePlay;
    PerPageTable<QString> PageShuffle;
    PerPageTable<QString> RapidFire;

    // Origin of cue entry n (1..48): the board address the entry was cued from.
    std::array<int, ButtonCount + 1> CueOriginGroup{};
    std::array<int, ButtonCount + 1> CueOriginPage{};
    std::array<int, ButtonCount + 1> CueOriginButton{};

    // "A".."J" at 1..10.
    std::array<QString, GroupCount + 1> GroupLetters;

    // The page last chosen in each group, restored when the group is chosen again.
    std::array<int, GroupCount + 1> LastPageOfGroup{};

    bool BoardChanged = false;
    bool EditMode = false;

    // Full path of the current set file and its in-memory INI object (kept until exit).
    QString SetFileName;
    std::unique_ptr<IniFile> SetIniFile;

    // Audio paths of the 48 buttons of the page on display, filled when the page is painted.
    std::array<QString, ButtonCount + 1> PageFiles;
    // Sounds and their total seconds of the page last totalled.
    int PageSoundCount = 0;
    int PageSoundSeconds = 0;
};

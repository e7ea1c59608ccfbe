#pragma once
// The board scans behind Find and its Cue It: matches of a text in captions and notes, and the
// copy of a found button into the cue.
#include <QString>

#include <vector>

class Board;

struct BoardAddress
{
    int group = 0;
    int page = 0;
    int button = 0;
    bool operator==(const BoardAddress&) const = default;
};

// `FindScope`: 1 captions ("Buttons"), 2 notes ("Notes"), 3 both.
enum FindScopeKind
{
    FindButtons = 1,
    FindNotes = 2,
    FindButtonsAndNotes = 3
};

// Every cell of groups 1..10, pages 1..18, buttons 1..48, in that order, whose caption (scopes 1
// and 3) or note (scopes 2 and 3) holds the text; without matchCase letters compare in any case.
// An empty text matches nothing. The cue is not searched.
std::vector<BoardAddress> FindMatches(const Board& board, const QString& text, int scope, bool matchCase);

enum class CueItResult
{
    Added,       // copied into the first free cue entry; the origin is marked cued
    Full,        // no free cue entry; nothing changed
    PlaceMarker, // a place marker has nothing to play; nothing changed
    NoCaption,   // a slot without a caption; nothing changed
    Refused      // no button of pages 1..18; nothing changed
};

// Copies the cell into the first free cue entry (state 1, no hot key) with the cell as the
// entry's origin, and marks the cell cued. The free entry is looked for before the origin is
// marked, so a full cue leaves the board as it was.
CueItResult CueFoundButton(Board& board, const BoardAddress& origin);

// The message shown when the cue has no free entry.
inline const char* const CueFullText =
    "The Cue is full.\rEither delete some buttons in the cue or clear the cue";
// The messages of a refused Cue It.
inline const char* const CuePlaceMarkerText = "A Place Marker has no sound and cannot be added to the Cue";
inline const char* const CueNoCaptionText = "A button without a caption cannot be added to the Cue";

#pragma once
// The game-day windows on a main window of their own, with the lineups and a playback state, as
// the program gives them.
#include "board/MainFormFixture.h"
#include "playback/PlaybackState.h"
#include "tools/GameDayContext.h"
#include "tools/LineupData.h"

#include <memory>

class GameDayFixture : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        Start();
        ASSERT_TRUE(form);
        ctx = std::make_unique<GameDayContext>(
            GameDayContext{*form, board, settings, playback, lineups, dialogs, clock});
    }

    PlaybackState playback;
    LineupData lineups;
    std::unique_ptr<GameDayContext> ctx;
};

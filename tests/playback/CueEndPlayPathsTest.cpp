// Every way a sound can end tells the cue, so an origin turns played (and, with Cue Delete,
// the entry leaves the cue) however the operator moved on.
#include "ProgressionFixture.h"

#include <algorithm>

using namespace PlaybackTest;

namespace {

enum class EndPath
{
    NaturalEnd,
    StopButton,
    AutoFadeOut,
    AutoCrossFade,
    ManualCrossFade,
    MultiPlayStop,
};

struct EndCase
{
    const char* label;
    EndPath path;
    bool nextFollows;
};

const EndCase kPaths[] = {
    {"NaturalEnd", EndPath::NaturalEnd, false},          {"StopButton", EndPath::StopButton, false},
    {"AutoFadeOut", EndPath::AutoFadeOut, true},         {"AutoCrossFade", EndPath::AutoCrossFade, true},
    {"ManualCrossFade", EndPath::ManualCrossFade, true}, {"MultiPlayStop", EndPath::MultiPlayStop, false},
};

class CueEndPlayPaths : public ProgressionFixture, public ::testing::WithParamInterface<EndCase>
{
protected:
    // Plays button 1 and ends it the way the parameter names; button 2 is the sound that follows.
    void PlayAndEnd(EndPath path)
    {
        AddSound(1, 0.5, 3.0);
        AddSound(2, 0.25, 10.0);
        switch (path) {
        case EndPath::AutoFadeOut:
            UsePlayListPage();
            settings_.AutoFade = settings_.FadeOut = settings_.FadeOutSaved = true;
            settings_.FadeOutSec = 1;
            settings_.FadeOutStartSec = 2;
            onPump_ = [this](int) { progression_->ProgressionTimerAdvance(); };
            break;
        case EndPath::AutoCrossFade:
            UsePlayListPage();
            settings_.AutoFade = settings_.CrossFade = true;
            settings_.CrossFadeSec = 1;
            settings_.CrossFadeStartSec = 2;
            break;
        case EndPath::ManualCrossFade:
            settings_.CrossFade = true;
            settings_.CrossFadeSec = 1;
            break;
        case EndPath::MultiPlayStop:
            settings_.MultiPlay = true;
            break;
        default:
            break;
        }
        play_->ProcessSoundButton(1);
        RunTimers(500);
        switch (path) {
        case EndPath::StopButton:
            play_->StopPlayButtonClick();
            break;
        case EndPath::ManualCrossFade:
            play_->ProcessSoundButton(2);
            break;
        case EndPath::MultiPlayStop:
            play_->ProcessSoundButton(1);
            break;
        default:
            break;
        }
        RunTimers(4000, [this] { return !Holds(1) && !state_.lCrossFadingOut; });
    }

    bool Holds(int button) const
    {
        for (int n = 1; n <= ChannelSlots; ++n) {
            if (state_.ChannelArray[n] != 0 && state_.ChannelButton[n] == button) {
                return true;
            }
        }
        return false;
    }

    long EndsOf(int button) const
    {
        const std::array<int, 3> address{1, 1, button};
        return std::count(window_.CueEnds.begin(), window_.CueEnds.end(), address);
    }
};

} // namespace

TEST_P(CueEndPlayPaths, TheEndedSoundTellsTheCue)
{
    PlayAndEnd(GetParam().path);
    EXPECT_FALSE(Holds(1));
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_GE(EndsOf(1), 1);
    // The sound that follows, when one does, is still playing and has not ended.
    EXPECT_EQ(Holds(2), GetParam().nextFollows);
    EXPECT_EQ(EndsOf(2), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryPath, CueEndPlayPaths, ::testing::ValuesIn(kPaths),
                         [](const auto& param) { return std::string(param.param.label); });

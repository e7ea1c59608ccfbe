#include "PlaybackFixture.h"

using namespace PlaybackTest;

// A click starts a long file before its scan has measured it; the times shown follow the exact
// length when it arrives.
class Duration : public PlaybackFixture
{
};

TEST_F(Duration, ExactLengthArrivingLaterUpdatesTheTimes)
{
    AddSound(1, 0.5, 3.0);
    selection_.CurrentButton = 1;
    play_->ProcessSoundButton(1);
    EXPECT_EQ(state_.SoundSeconds, 3);
    EXPECT_EQ(window_.TotalTime, QStringLiteral("00:03"));
    // As if the estimate had been 3 s and the scan now says 65 s.
    play_->RefineDuration(1, 1, 1, 4LL * kRate * 65);
    EXPECT_EQ(state_.SoundSeconds, 65);
    EXPECT_EQ(state_.TotalSeconds, 65);
    EXPECT_EQ(window_.TotalTime, QStringLiteral("01:05"));
    EXPECT_EQ(board_.ButtonTime[1][1][1], QStringLiteral("01:05"));
    EXPECT_EQ(window_.TimeLabels[1], QStringLiteral("01:05"));
}

TEST_F(Duration, SameOrMissingLengthChangesNothing)
{
    AddSound(1, 0.5, 3.0);
    play_->ProcessSoundButton(1);
    const std::int64_t bytes = state_.LengthBytes;
    board_.ButtonTime[1][1][1] = QStringLiteral("marker");
    play_->RefineDuration(1, 1, 1, bytes);
    play_->RefineDuration(1, 1, 1, -1);
    play_->RefineDuration(1, 1, 1, 0);
    EXPECT_EQ(board_.ButtonTime[1][1][1], QStringLiteral("marker"));
    EXPECT_EQ(state_.LengthBytes, bytes);
    // A length that rounds to the same second keeps the times as they are.
    play_->RefineDuration(1, 1, 1, bytes + 400);
    EXPECT_EQ(board_.ButtonTime[1][1][1], QStringLiteral("marker"));
}

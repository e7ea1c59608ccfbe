#include "PlaybackFixture.h"

#include <QFile>

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

// The file's second open (the stream kept only for measuring) can be refused while the first
// succeeded; the sound is then measured by the stream that plays it, with no error box, and that
// stream is left open.
TEST_F(Duration, ASoundWhoseMeasuringOpenFailedIsMeasuredByItsDecodingStream)
{
    const QString path = AddSound(1, 0.5, 3.0);
    const QByteArray name = QFile::encodeName(path);
    state_.DecodeStream = BASS_StreamCreateFile(false, name.constData(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(state_.DecodeStream, 0u);
    state_.LengthStream = 0;
    play_->DetermineDuration(1, 1, 1);
    EXPECT_TRUE(dialogs_.Texts().isEmpty()) << dialogs_.Texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(state_.LengthBytes, 4LL * kRate * 3);
    EXPECT_DOUBLE_EQ(state_.LengthSeconds, 3.0);
    EXPECT_EQ(window_.TotalTime, QStringLiteral("00:03"));
    EXPECT_EQ(BASS_ChannelGetLength(state_.DecodeStream), 4LL * kRate * 3);
    BASS_StreamFree(state_.DecodeStream);
    state_.DecodeStream = 0;
}

// The editor's own texts: the audio error table, the default caption of a file and the caption
// rules.
#include "editing/ChangeSoundButtonText.h"

#include <gtest/gtest.h>

TEST(ChangeSoundButtonTextTest, TheErrorTableHasItsOwnTextsAndAnUnknownFallback)
{
    EXPECT_EQ(ChangeSoundButtonErrorText(2), QStringLiteral("can not open the file"));
    EXPECT_EQ(ChangeSoundButtonErrorText(27),
              QStringLiteral("the stream is not a file stream (WAV/MP3/MP2/MP1/OGG)"));
    EXPECT_EQ(ChangeSoundButtonErrorText(38), QStringLiteral("the channel is a \"decoding channel\""));
    EXPECT_EQ(ChangeSoundButtonErrorText(40), QStringLiteral("connection timedout"));
    EXPECT_EQ(ChangeSoundButtonErrorText(1000), QStringLiteral("the file is protected"));
    EXPECT_EQ(ChangeSoundButtonErrorText(-1), QStringLiteral("some other mystery error"));
    EXPECT_EQ(ChangeSoundButtonErrorText(41), QStringLiteral("Unknown error (41)"));
    EXPECT_EQ(ChangeSoundButtonErrorText(26), QStringLiteral("Unknown error (26)"));
    EXPECT_EQ(ChangeSoundButtonErrorMessage(6), QStringLiteral("BASS Error (6):  unsupported format"));
}

TEST(ChangeSoundButtonTextTest, TheDefaultCaptionDropsFoldersAndTheWholeExtension)
{
    EXPECT_EQ(DefaultCaptionOfFile(QStringLiteral("/home/ops/Goal Horn.flac")), QStringLiteral("Goal Horn"));
    EXPECT_EQ(DefaultCaptionOfFile(QStringLiteral("C:\\Sounds\\Charge.mp3")), QStringLiteral("Charge"));
    EXPECT_EQ(DefaultCaptionOfFile(QStringLiteral("D:Organ.wav")), QStringLiteral("Organ"));
    EXPECT_EQ(DefaultCaptionOfFile(QStringLiteral("/x/Take 5.v2.ogg")), QStringLiteral("Take 5.v2"));
    EXPECT_EQ(DefaultCaptionOfFile(QStringLiteral("/x/NoExtension")), QStringLiteral("NoExtension"));
    EXPECT_EQ(DefaultCaptionOfFile(QStringLiteral("/x/Salt & Pepa & Co.wav")),
              QStringLiteral("Salt  Pepa & Co"));
}

TEST(ChangeSoundButtonTextTest, CaptionsKeepOneLineBreakAndLoseTheirFirstAmpersand)
{
    EXPECT_EQ(RemoveFirstAmpersand(QStringLiteral("Rock & Roll")), QStringLiteral("Rock  Roll"));
    EXPECT_EQ(RemoveFirstAmpersand(QStringLiteral("&") + QString(150, u'x')), QString(100, u'x'));
    EXPECT_EQ(BoardCaptionOfMemo(QStringLiteral("One")), QStringLiteral("One"));
    EXPECT_EQ(BoardCaptionOfMemo(QStringLiteral("A\nB")), QStringLiteral("A\r\nB"));
    EXPECT_EQ(BoardCaptionOfMemo(QStringLiteral("A\r\nB\r\nC\nD")), QStringLiteral("A\r\nB C D"));
    EXPECT_EQ(MemoTextOfCaption(QStringLiteral("A\r\nB")), QStringLiteral("A\nB"));
}

// An options file whose device or sample rate the output refuses: the program starts on the
// defaults and says so; only when the defaults fail too does it end.
#include "MainFormFixture.h"

namespace {
class OutputFallbackTest : public MainFormFixture
{
protected:
    static QString Message(int device, int rate, int usedDevice, int usedRate)
    {
        return QStringLiteral(
                   "The sound output refused Device %1 at Sample Rate %2 from the options file.\r \r"
                   "Rallybox uses Device %3 at Sample Rate %4.")
            .arg(device)
            .arg(rate)
            .arg(usedDevice)
            .arg(usedRate);
    }
};
} // namespace

TEST_F(OutputFallbackTest, ASampleRateOfOneFallsBackToTheDefaultRateWithAMessage)
{
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nSampleRaten=1\r\n");
    Start();
    EXPECT_EQ(haltCode, -1);
    EXPECT_EQ(devicesTried, (std::vector<int>{1, 1}));
    EXPECT_EQ(ratesTried, (std::vector<int>{1, 48000}));
    EXPECT_EQ(settings.SampleRate, 48000);
    EXPECT_TRUE(dialogs.Texts().contains(Message(1, 1, 1, 48000))) << dialogs.Texts().join("|").toStdString();
    EXPECT_FALSE(
        dialogs.Texts().contains(QStringLiteral("BASS Initialization failed...Rallybox is Aborting")));
}

TEST_F(OutputFallbackTest, ARefusedRateKeepsADeviceThatTakesTheDefaultRate)
{
    // Device 3 exists but not at 1 Hz; device 1 is tried at the asked rate first, as always.
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nOutputDevice=3\r\nSampleRaten=1\r\n");
    Start();
    EXPECT_EQ(haltCode, -1);
    EXPECT_EQ(devicesTried, (std::vector<int>{3, 1, 3}));
    EXPECT_EQ(ratesTried, (std::vector<int>{1, 1, 48000}));
    EXPECT_EQ(settings.OutputDevice, 3);
    EXPECT_EQ(settings.SampleRate, 48000);
    EXPECT_TRUE(dialogs.Texts().contains(Message(3, 1, 3, 48000)));
}

TEST_F(OutputFallbackTest, AMissingDeviceAtABadRateEndsOnBothDefaults)
{
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nOutputDevice=7\r\nSampleRaten=500000\r\n");
    failingDevices = {7};
    Start();
    EXPECT_EQ(haltCode, -1);
    EXPECT_EQ(devicesTried, (std::vector<int>{7, 1, 7, 1}));
    EXPECT_EQ(settings.OutputDevice, 1);
    EXPECT_EQ(settings.SampleRate, 48000);
    EXPECT_TRUE(dialogs.Texts().contains(Message(7, 500000, 1, 48000)));
}

TEST_F(OutputFallbackTest, WhenTheDefaultsFailTooTheStartEndsWithItsMessage)
{
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nSampleRaten=22050\r\n");
    failingDevices = {1};
    Start();
    EXPECT_EQ(haltCode, 1);
    EXPECT_EQ(devicesTried, (std::vector<int>{1, 1}));
    EXPECT_TRUE(
        dialogs.Texts().contains(QStringLiteral("BASS Initialization failed...Rallybox is Aborting")));
}

#include "RealWindowFixture.h"

#include "audio/EngineManual.h"

#include <QFile>

#include <vector>

namespace PlaybackTest {
void RealWindowFixture::BuildWindow(const QByteArray& setText, bool pumpRenders)
{
    ASSERT_TRUE(dir.isValid());
    folder = dir.path() + QStringLiteral("/");
    const QString setPath = folder + QStringLiteral("Game.set");
    QFile file(setPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(setText);
    file.close();

    BuildContext({setPath});
    if (pumpRenders) {
        pump.OnPump = [this](int) {
            std::vector<float> out(static_cast<std::size_t>(2 * kPumpFrames));
            EngineRenderManual(out.data(), kPumpFrames);
            clock.Advance(10);
        };
    }
    form = std::make_unique<PlaybackMainForm>(*context, PlaybackServices{state, pump, clock});
    form->SetWindows(&windows);
    settings.Delay = 0;
    settings.IndividualVolume = 100;
}

void RealWindowFixture::TearDown()
{
    form.reset();
    BASS_Free();
}
} // namespace PlaybackTest

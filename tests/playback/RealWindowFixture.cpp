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

    tracer = std::make_unique<Tracer>(folder, settings, clock, dialogs);
    playLog = std::make_unique<PlayLog>(folder, settings, *tracer, dialogs);
    optionsFile = std::make_unique<OptionsFile>(folder, settings, *tracer, dialogs);
    setFile = std::make_unique<SetFile>(board, settings, dialogs, *tracer, folder);
    backups = std::make_unique<Backups>(folder, clock, *tracer, dialogs);
    context = std::make_unique<MainFormContext>(
        MainFormContext{folder,     {setPath},    board,    selection, settings, *setFile, *optionsFile,
                        *backups,   *tracer,      *playLog, dialogs,   clock,    pump,     random,
                        clipboards, scalerShared, {},       {},        {},       {},       {}});
    context->InitOutput = [](int, std::uint32_t freq, std::uint32_t flags) {
        BASS_Free();
        return EngineInitManual(freq, flags);
    };
    context->Halt = [](int) {};
    context->ShowShutDown = [] {};
    context->Terminate = [] {};
    context->ShellExecute = [](const QString&, const QString&) { return true; };
    if (pumpRenders) {
        pump.OnPump = [this](int) {
            std::vector<float> out(static_cast<std::size_t>(2 * kPumpFrames));
            EngineRenderManual(out.data(), kPumpFrames);
            clock.Advance(10);
        };
    }
    form = std::make_unique<PlaybackMainForm>(*context, PlaybackServices{state, pump, clock});
    settings.Delay = 0;
    settings.IndividualVolume = 100;
}

void RealWindowFixture::TearDown()
{
    form.reset();
    BASS_Free();
}
} // namespace PlaybackTest

#include "PlaybackFixture.h"

#include "audio/EngineManual.h"

#include <QDataStream>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace PlaybackTest {

void WriteWavSamples(const QString& path, int channels, const std::vector<std::int16_t>& samples)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto dataBytes = static_cast<quint32>(samples.size() * 2);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(channels) << quint32(kRate)
        << quint32(kRate * channels * 2) << quint16(channels * 2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (std::int16_t s : samples) {
        out << qint16(s);
    }
}

void WriteWav(const QString& path, int channels, int frames, const std::function<double(int, int)>& sample)
{
    std::vector<std::int16_t> samples;
    samples.reserve(static_cast<std::size_t>(frames * channels));
    for (int f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(sample(f, c), -1.0, 1.0) * 32767)));
        }
    }
    WriteWavSamples(path, channels, samples);
}

void PlaybackFixture::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    settings_.Tracer = true;
    settings_.LogFile = true;
    settings_.Delay = 0;
    settings_.InstantPlay = false;
    settings_.IndividualVolume = 100;
    tracer_ = std::make_unique<Tracer>(dir_.path(), settings_, clock_, dialogs_, QLocale::c());
    log_ = std::make_unique<PlayLog>(dir_.path(), settings_, *tracer_, dialogs_);
    board_.PageName[1][1] = QStringLiteral("Warm Up");
    BASS_Free();
    ASSERT_TRUE(EngineInitManual(kRate, 0));
    pump_.OnPump = [this](int n) {
        const auto out = Render(kPumpFrames);
        pumped_.insert(pumped_.end(), out.begin(), out.end());
        clock_.Advance(10);
        if (onPump_) {
            onPump_(n);
        }
    };
    play_ = std::make_unique<Playback>(
        PlaybackContext{state_, board_, selection_, settings_, *tracer_, *log_, dialogs_, pump_, clock_, window_});
}

void PlaybackFixture::TearDown()
{
    onPump_ = nullptr;
    BASS_Free();
}

void PlaybackFixture::UseMonoOutput()
{
    settings_.StereoMode = false;
    BASS_Free();
    ASSERT_TRUE(EngineInitManual(kRate, BASS_DEVICE_MONO));
}

void PlaybackFixture::AssignFile(int button, const QString& path)
{
    board_.ButtonFile[1][1][button] = path;
    board_.ButtonCaption[1][1][button] = QStringLiteral("Sound %1").arg(button);
    board_.PageFiles[static_cast<std::size_t>(button)] = path;
    window_.Captions[static_cast<std::size_t>(button)] = board_.ButtonCaption[1][1][button];
}

QString PlaybackFixture::AddSound(int button, double level, double seconds, const QString& name)
{
    const QString path = dir_.filePath(name.isEmpty() ? QStringLiteral("sound%1.wav").arg(button) : name);
    WriteWav(path, 2, static_cast<int>(seconds * kRate), [level](int, int) { return level; });
    AssignFile(button, path);
    return path;
}

std::vector<float> PlaybackFixture::Render(int frames)
{
    const int channels = EngineOutputChannels();
    std::vector<float> out(static_cast<std::size_t>(frames * channels));
    EXPECT_TRUE(EngineRenderManual(out.data(), frames));
    return out;
}

float PlaybackFixture::LevelAfter(int frames)
{
    const auto out = Render(frames);
    return out[out.size() - static_cast<std::size_t>(EngineOutputChannels())];
}

QString PlaybackFixture::TraceText() const
{
    QFile file(tracer_->FilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString PlaybackFixture::LogText() const
{
    QFile file(log_->FilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int PlaybackFixture::OccupiedSlots() const
{
    return static_cast<int>(std::count_if(state_.ChannelArray.begin() + 1, state_.ChannelArray.end(),
                                          [](BassHandle h) { return h != 0; }));
}

} // namespace PlaybackTest

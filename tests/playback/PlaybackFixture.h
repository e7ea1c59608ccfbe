#pragma once
// A fresh playback world per test: board, settings, trace and log in a temporary program folder,
// scripted dialogs, a manual clock, and the audio engine in its manual-clock mode. Each pump of a
// busy wait renders 10 ms of audio and moves the clock by 10 ms, so fades run in step with it.
#include "FakePlaybackWindow.h"

#include "audio/Bass.h"
#include "board/Board.h"
#include "board/PlayLog.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/Pump.h"
#include "platform/ScriptedDialogs.h"
#include "playback/Playback.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace PlaybackTest {
inline constexpr int kRate = 44100;
inline constexpr int kPumpFrames = kRate / 100;

// Writes a 16-bit PCM WAV file at kRate; sample(frame, channel) gives -1..1.
void WriteWav(const QString& path, int channels, int frames, const std::function<double(int, int)>& sample);
// Raw 16-bit sample values, written as they are.
void WriteWavSamples(const QString& path, int channels, const std::vector<std::int16_t>& samples);

class PlaybackFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Restarts the engine with mono output (StereoMode off).
    void UseMonoOutput();

    // A constant-level sound file of `seconds` on button n of group 1, page 1 (the shown page).
    QString AddSound(int button, double level = 0.5, double seconds = 3.0, const QString& name = QString());
    // Puts an existing path on button n with a caption.
    void AssignFile(int button, const QString& path);

    // Renders frames of the mixed output (interleaved, two channels under stereo output).
    std::vector<float> Render(int frames);
    // Left-channel sample of the output `frames` from now, rendering up to it.
    float LevelAfter(int frames);
    QString TraceText() const;
    QString LogText() const;
    int OccupiedSlots() const;

    QTemporaryDir dir_;
    Settings settings_;
    ManualClock clock_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<Tracer> tracer_;
    std::unique_ptr<PlayLog> log_;
    Board board_;
    Selection selection_;
    PlaybackState state_;
    CountingEventPump pump_;
    FakePlaybackWindow window_;
    std::unique_ptr<Playback> play_;
    // Runs at each pump (after the audio step), for scripting clicks inside busy waits.
    std::function<void(int pumpNumber)> onPump_;
    std::vector<float> pumped_;
};
} // namespace PlaybackTest

#pragma once
// Lengths of files just placed on buttons, measured without holding the window: a file whose
// container states no length (a stream written through a pipe, as streaming recorders write it)
// is counted by the engine on a helper thread, which for hours of sound takes seconds. Its time
// shows the estimate at once; the stream is kept and asked again on a timer, and the time follows
// the measured length when it arrives, as a playing sound's does. GUI thread.
#include "audio/Bass.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

class SoundLengthFollower : public QObject
{
public:
    // Called with the stream and its length in bytes (-1 when the engine has none, with
    // BASS_ErrorGetCode telling why): at once, and once more (later true) with the measured
    // length when the first figure was the estimate.
    using Measured = std::function<void(BassHandle stream, std::int64_t lengthBytes, bool later)>;
    // How long one measurement may hold the window's thread.
    static constexpr std::uint32_t kWaitMs = 20;
    static constexpr int kPollMs = 250;

    explicit SoundLengthFollower(QObject* parent = nullptr);
    ~SoundLengthFollower() override;
    SoundLengthFollower(const SoundLengthFollower&) = delete;
    SoundLengthFollower& operator=(const SoundLengthFollower&) = delete;

    // Takes the stream (a decoding stream on the file) and frees it after the last call.
    void Measure(BassHandle stream, Measured measured);
    // Streams whose measured length has not arrived yet.
    std::size_t Pending() const { return pending_.size(); }
    // Asks every followed stream again (the timer's handler).
    void Poll();

private:
    struct Followed
    {
        BassHandle stream = 0;
        Measured measured;
    };
    std::vector<Followed> pending_;
    QTimer timer_;
};

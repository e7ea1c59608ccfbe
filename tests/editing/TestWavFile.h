#pragma once
// 16-bit stereo 44100 Hz WAV files written by the tests that measure lengths and play cues.
#include <QByteArray>
#include <QFile>
#include <QString>

// Every sample of every frame holds `value`.
inline bool WriteSteadyWav(const QString& path, int frames, qint16 value)
{
    const quint32 dataBytes = static_cast<quint32>(frames) * 4u;
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(dataBytes) + 44);
    auto put = [&bytes](quint32 field, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.append(static_cast<char>((field >> (8 * i)) & 0xFF));
        }
    };
    bytes.append("RIFF");
    put(36 + dataBytes, 4);
    bytes.append("WAVEfmt ");
    put(16, 4);
    put(1, 2); // PCM
    put(2, 2);
    put(44100, 4);
    put(44100 * 4, 4);
    put(4, 2);
    put(16, 2);
    bytes.append("data");
    put(dataBytes, 4);
    for (int i = 0; i < frames * 2; ++i) {
        put(static_cast<quint16>(value), 2);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline bool WriteSilentWav(const QString& path, int frames)
{
    return WriteSteadyWav(path, frames, 0);
}

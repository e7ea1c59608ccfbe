#pragma once
// A 16-bit stereo 44100 Hz WAV of silent frames, written by the tests that measure lengths.
#include <QByteArray>
#include <QFile>
#include <QString>

inline bool WriteSilentWav(const QString& path, int frames)
{
    const quint32 dataBytes = static_cast<quint32>(frames) * 4u;
    QByteArray bytes;
    auto put = [&bytes](quint32 value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
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
    bytes.append(QByteArray(static_cast<qsizetype>(dataBytes), '\0'));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

#include "board/SoundFileStream.h"

BassHandle OpenStreamForLength(const QString& path)
{
    const QByteArray name = path.toUtf8();
    // Decoding only: measuring must not take an output channel from the board.
    const QString type = path.right(3).toUpper();
    if (type == QLatin1String("WMA")) {
        return BASS_WMA_StreamCreateFile(false, name.constData(), 0, 0, BASS_STREAM_DECODE);
    }
    if (type == QLatin1String("LAC")) {
        return BASS_FLAC_StreamCreateFile(false, name.constData(), 0, 0, BASS_STREAM_DECODE);
    }
    return BASS_StreamCreateFile(false, name.constData(), 0, 0, BASS_STREAM_DECODE);
}

#include "board/SoundFileStream.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace {
BassHandle CreateByType(const QByteArray& name, const QString& type, std::uint32_t flags)
{
    if (type == QLatin1String("WMA")) {
        return BASS_WMA_StreamCreateFile(false, name.constData(), 0, 0, flags);
    }
    if (type == QLatin1String("LAC")) {
        return BASS_FLAC_StreamCreateFile(false, name.constData(), 0, 0, flags);
    }
    return BASS_StreamCreateFile(false, name.constData(), 0, 0, flags);
}
} // namespace

BassHandle OpenFileStreamWaiting(const QString& path, std::uint32_t flags)
{
    const QByteArray name = QFile::encodeName(path);
    const QString type = path.right(3).toUpper();
    BassHandle stream = CreateByType(name, type, flags);
    while (stream == 0 && BASS_ErrorGetCode() == BassError::Busy) {
        // The open goes on in the background (slow storage): the window answers meanwhile, and
        // the engine ends every open within its bounds.
        constexpr int kLookMs = 5;
        while (BassFileOpening(name.constData())) {
            QEventLoop pause;
            QTimer::singleShot(kLookMs, &pause, &QEventLoop::quit);
            pause.exec();
        }
        stream = CreateByType(name, type, flags);
    }
    return stream;
}

BassHandle OpenStreamForLength(const QString& path)
{
    // Decoding only: measuring must not take an output channel from the board.
    return OpenFileStreamWaiting(path, BASS_STREAM_DECODE);
}

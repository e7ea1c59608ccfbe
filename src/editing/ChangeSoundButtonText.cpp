#include "editing/ChangeSoundButtonText.h"

#include <QStringList>

#include <map>

namespace {

// The part of a caption after a removed "&" keeps at most this many characters.
constexpr int kTailLength = 100;

const std::map<int, const char*>& ErrorTexts()
{
    static const std::map<int, const char*> texts = {
        {1, "memory error"},
        {2, "can not open the file"},
        {3, "can not find a free sound driver"},
        {4, "the sample buffer was lost - please report this!"},
        {5, "invalid handle"},
        {6, "unsupported format"},
        {7, "invalid playback position"},
        {8, "BASS_Init has not been successfully called"},
        {9, "BASS_Start has not been successfully called"},
        {14, "already initialized"},
        {16, "not paused"},
        {18, "can not get a free channel"},
        {19, "an illegal type was specified"},
        {20, "an illegal parameter was specified"},
        {21, "no 3D support"},
        {22, "no EAX support"},
        {23, "illegal device number"},
        {24, "not playing"},
        {25, "illegal sample rate"},
        {27, "the stream is not a file stream (WAV/MP3/MP2/MP1/OGG)"},
        {29, "no hardware voices available"},
        {31, "the MOD music has no sequence data"},
        {32, "no internet connection could be opened"},
        {33, "could not create the file"},
        {34, "effects are not enabled"},
        {35, "the channel is playing"},
        {37, "requested data is not available"},
        {38, "the channel is a \"decoding channel\""},
        {39, "a sufficient DirectX version is not installed"},
        {40, "connection timedout"},
        {1000, "the file is protected"},
        {-1, "some other mystery error"},
    };
    return texts;
}

} // namespace

QString ChangeSoundButtonErrorText(int code)
{
    const auto& texts = ErrorTexts();
    const auto found = texts.find(code);
    if (found == texts.end()) {
        return QStringLiteral("Unknown error (") + QString::number(code) + QStringLiteral(")");
    }
    return QString::fromLatin1(found->second);
}

QString ChangeSoundButtonErrorMessage(int code)
{
    return QStringLiteral("BASS Error (") + QString::number(code) + QStringLiteral("):  ") +
           ChangeSoundButtonErrorText(code);
}

QString SoundFileFilter()
{
    return QStringLiteral("Music Files (*.mp3, *.wav, *.wma, *.flac, *.ogg)|*.mp3;*.wav;*.wma;*.flac;*.ogg|"
                          "FLAC Files (*.flac)|*.flac|"
                          "MP3 Files (*.mp3)|*.mp3|"
                          "OGG Files (*.ogg)|*.ogg|"
                          "Wav Files (*.wav)|*.wav|"
                          "WMA Files (*.wma)|*.wma|"
                          "All Files (*.*)|*.*");
}

QString RemoveFirstAmpersand(const QString& caption)
{
    const qsizetype at = caption.indexOf(u'&');
    if (at < 0) {
        return caption;
    }
    return caption.left(at) + caption.mid(at + 1, kTailLength);
}

QString DefaultCaptionOfFile(const QString& path)
{
    qsizetype nameStart = 0;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == u'/' || c == u'\\' || c == u':') {
            nameStart = i + 1;
            break;
        }
    }
    QString name = path.mid(nameStart);
    const qsizetype dot = name.lastIndexOf(u'.');
    // A leading dot is a hidden file's name, not an extension.
    if (dot > 0) {
        name.truncate(dot);
    }
    return RemoveFirstAmpersand(name);
}

QString BoardCaptionOfMemo(const QString& memoText)
{
    QString text = memoText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    const qsizetype firstBreak = text.indexOf(u'\n');
    if (firstBreak < 0) {
        return text;
    }
    QString tail = text.mid(firstBreak + 1);
    tail.replace(u'\n', u' ');
    return text.left(firstBreak) + QStringLiteral("\r\n") + tail;
}

QString MemoTextOfCaption(const QString& caption)
{
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

#include "gif/GifIo.h"

#include "gif/GifError.h"

namespace GifIo {

void ReadExact(QIODevice& stream, void* buffer, qint64 n)
{
    if (n <= 0)
        return;
    if (stream.read(static_cast<char*>(buffer), n) != n)
        RaiseGifError(QStringLiteral("Premature end of data"));
}

QByteArray ReadExact(QIODevice& stream, qint64 n)
{
    QByteArray bytes(static_cast<qsizetype>(n), '\0');
    ReadExact(stream, bytes.data(), n);
    return bytes;
}

bool ReadByte(QIODevice& stream, std::uint8_t& value)
{
    char c = 0;
    if (!stream.getChar(&c))
        return false;
    value = static_cast<std::uint8_t>(c);
    return true;
}

void StepBack(QIODevice& stream)
{
    stream.seek(stream.pos() - 1);
}

void SkipSubBlocks(QIODevice& stream)
{
    std::uint8_t length = 0;
    while (ReadByte(stream, length) && length != 0) {
        // A sub-block that claims more than remains ends at the end of the data.
        const qint64 remaining = stream.size() - stream.pos();
        stream.seek(stream.pos() + std::min<qint64>(length, remaining));
    }
}

void WriteStrings(QIODevice& stream, const QList<QByteArray>& strings)
{
    for (const QByteArray& s : strings) {
        for (qsizetype at = 0; at < s.size(); at += 255) {
            const qsizetype piece = std::min<qsizetype>(255, s.size() - at);
            WriteByte(stream, static_cast<std::uint8_t>(piece));
            Write(stream, s.constData() + at, piece);
        }
    }
    WriteByte(stream, 0);
}

QList<QByteArray> ReadStrings(QIODevice& stream)
{
    QList<QByteArray> strings;
    std::uint8_t length = 0;
    while (ReadByte(stream, length) && length != 0)
        strings.append(ReadExact(stream, length));
    return strings;
}

std::uint16_t Get16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void Put16(std::uint8_t* p, std::uint16_t value)
{
    p[0] = static_cast<std::uint8_t>(value & 0xFF);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

void Write(QIODevice& stream, const void* data, qint64 n)
{
    if (n > 0 && stream.write(static_cast<const char*>(data), n) != n)
        RaiseGifError(QStringLiteral("Failed to write GIF data"));
}

void WriteByte(QIODevice& stream, std::uint8_t value)
{
    Write(stream, &value, 1);
}

void OpenFile(QFile& file, bool forWriting)
{
    if (forWriting) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            RaiseGifError(QStringLiteral("Cannot create file \"%1\"").arg(file.fileName()));
    } else if (!file.open(QIODevice::ReadOnly)) {
        RaiseGifError(QStringLiteral("Cannot open file \"%1\"").arg(file.fileName()));
    }
}

} // namespace GifIo

#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QList>

#include <cstdint>

// Byte-level helpers shared by every block reader and writer. All multi-byte values of the
// stream are little-endian.
namespace GifIo {

// Reads exactly n bytes or raises "Premature end of data".
void ReadExact(QIODevice& stream, void* buffer, qint64 n);
QByteArray ReadExact(QIODevice& stream, qint64 n);
// One byte; false at the end of the data (nothing is consumed then).
bool ReadByte(QIODevice& stream, std::uint8_t& value);
// Moves back one byte; only called after a byte was really read.
void StepBack(QIODevice& stream);
// Reads and drops data sub-blocks up to and including the 0-length terminator, or to the end
// of the data, whichever comes first.
void SkipSubBlocks(QIODevice& stream);
// Text sub-blocks: one string per sub-block, ended by a 0 length byte.
void WriteStrings(QIODevice& stream, const QList<QByteArray>& strings);
QList<QByteArray> ReadStrings(QIODevice& stream);

std::uint16_t Get16(const std::uint8_t* p);
std::uint32_t Get32(const std::uint8_t* p);
void Put16(std::uint8_t* p, std::uint16_t value);
void Put32(std::uint8_t* p, std::uint32_t value);
void Write(QIODevice& stream, const void* data, qint64 n);
void WriteByte(QIODevice& stream, std::uint8_t value);
// Opens a file for reading, or creates it for writing; raises with the file's name on failure.
void OpenFile(QFile& file, bool forWriting);

} // namespace GifIo

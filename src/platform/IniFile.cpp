#include "platform/IniFile.h"

#include "platform/FileReplace.h"
#include <QFile>
#include <QStringDecoder>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned codes map to
// the C1 controls of the same value, as the operating system's conversion does.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

// Line breaks inside a value cannot be stored in a line-based file; they would cut the
// value and could start a false key or section. They are written as blanks.
QString OneLine(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) {
        return text;
    }
    QString flat = text;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return flat;
}

// The case-folded character at data[i], taking a surrogate pair whole; i moves past it.
// Folding never moves a character between the basic plane and the supplementary planes, so a
// folded name has as many UTF-16 units as the name.
char32_t FoldedAt(const QChar* data, qsizetype size, qsizetype& i)
{
    const char16_t unit = data[i++].unicode();
    if (unit < 0x80) {
        return unit >= u'A' && unit <= u'Z' ? char32_t(unit + (u'a' - u'A')) : char32_t(unit);
    }
    if (QChar::isHighSurrogate(unit) && i < size && data[i].isLowSurrogate()) {
        return QChar::toCaseFolded(QChar::surrogateToUcs4(unit, data[i++].unicode()));
    }
    return QChar::toCaseFolded(char32_t(unit)); // a lone surrogate stays as it is
}

// The case-folded UTF-16 unit at data[i]. A surrogate pair is folded as one character and each
// half answers for its own place, so a name can be taken in blocks of any size.
char16_t FoldedUnitAt(const char16_t* data, qsizetype size, qsizetype i)
{
    const char16_t unit = data[i];
    if (unit < 0x80) {
        return unit >= u'A' && unit <= u'Z' ? char16_t(unit + (u'a' - u'A')) : unit;
    }
    if (QChar::isHighSurrogate(unit)) {
        return i + 1 < size && QChar::isLowSurrogate(data[i + 1])
                   ? QChar::highSurrogate(QChar::toCaseFolded(QChar::surrogateToUcs4(unit, data[i + 1])))
                   : unit;
    }
    if (QChar::isLowSurrogate(unit)) {
        return i > 0 && QChar::isHighSurrogate(data[i - 1])
                   ? QChar::lowSurrogate(QChar::toCaseFolded(QChar::surrogateToUcs4(data[i - 1], unit)))
                   : unit;
    }
    return QChar::toCaseFolded(unit);
}

std::uint64_t Mix(std::uint64_t h)
{
    h *= 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 32);
}

} // namespace

IniFile::IniFile(const QString& fileName) : fileName_(fileName)
{
    if (QFile::exists(fileName)) {
        LoadFromFile(fileName);
        fileName_ = fileName;
    }
}

void IniFile::Rename(const QString& fileName, bool reload)
{
    fileName_ = fileName;
    if (reload) {
        LoadFromFile(fileName);
        fileName_ = fileName;
    }
}

bool IniFile::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Clear();
        return false;
    }
    LoadFromBytes(file.readAll());
    return true;
}

QString IniFile::DecodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        return DecodeWindows1252(bytes);
    }
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    return text;
}

void IniFile::LoadFromBytes(const QByteArray& bytes)
{
    Clear();
    const QString text = DecodeText(bytes);
    const char16_t* data = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype n = text.size();
    Reading reading;
    qsizetype start = 0;
    qsizetype eq = -1; // the line's first "=", noted on the one pass over the text
    // CR LF, a lone CR and a lone LF each end a line.
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i];
        if (c > u'=') {
            continue; // letters and most text: nothing to note
        }
        if (c == u'=') {
            if (eq < 0) {
                eq = i - start;
            }
        } else if (c == u'\r' || c == u'\n') {
            AddLine(QStringView(data + start, i - start), eq, reading);
            if (c == u'\r' && i + 1 < n && data[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
            eq = -1;
        }
    }
    if (start < n) {
        AddLine(QStringView(data + start, n - start), eq, reading);
    }
    IndexAllSections();
}

void IniFile::SetStrings(const QStringList& lines)
{
    Clear();
    Reading reading;
    for (const QString& line : lines) {
        AddLine(line, line.indexOf(u'='), reading);
    }
    IndexAllSections();
}

void IniFile::AddLine(QStringView line, qsizetype eq, Reading& reading)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.front() == u';') {
        return;
    }
    if (trimmed.size() >= 2 && trimmed.front() == u'[' && trimmed.back() == u']') {
        reading.current = &AddSection(trimmed.sliced(1, trimmed.size() - 2).trimmed().toString());
        return;
    }
    if (reading.current == nullptr) {
        return; // lines before the first section belong to none and are dropped
    }
    if (eq < 0) {
        reading.current->entries.push_back(Entry{trimmed.toString(), QString(), false});
        return;
    }
    const QStringView spelled = line.first(eq).trimmed();
    auto known = reading.keys.constFind(spelled);
    if (known == reading.keys.constEnd()) {
        known = reading.keys.insert(spelled, spelled.toString());
    }
    // The value is kept exactly, blanks included.
    reading.current->entries.push_back(Entry{known.value(), line.sliced(eq + 1).toString(), true});
}

void IniFile::IndexAllSections()
{
    for (Section& section : sections_) {
        Reindex(section);
    }
}

QStringList IniFile::GetStrings() const
{
    QStringList lines;
    for (const Section& section : sections_) {
        lines.append(QLatin1Char('[') + section.name + QLatin1Char(']'));
        for (const Entry& entry : section.entries) {
            lines.append(entry.hasSeparator ? entry.key + QLatin1Char('=') + OneLine(entry.value)
                                            : entry.key);
        }
        lines.append(QString());
    }
    return lines;
}

QByteArray IniFile::ToBytes() const
{
    // The whole text is laid down in one buffer and converted once; a full set file holds
    // over a hundred thousand lines.
    qsizetype size = 0;
    for (const Section& section : sections_) {
        size += section.name.size() + 6; // "[", "]" and two line ends
        for (const Entry& entry : section.entries) {
            size += entry.key.size() + entry.value.size() + 3; // "=" and a line end
        }
    }
    QString text(size, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto put = [&out](QStringView part) {
        if (!part.isEmpty()) { // a null string has no data to copy from
            std::memcpy(out, part.utf16(), static_cast<size_t>(part.size()) * sizeof(char16_t));
            out += part.size();
        }
    };
    const auto endLine = [&out] {
        *out++ = u'\r';
        *out++ = u'\n';
    };
    for (const Section& section : sections_) {
        *out++ = u'[';
        put(section.name);
        *out++ = u']';
        endLine();
        for (const Entry& entry : section.entries) {
            put(entry.key);
            if (entry.hasSeparator) {
                *out++ = u'=';
                char16_t* const value = out;
                put(entry.value);
                // A plain loop, so that the compiler can do it many characters at a time.
                for (char16_t* c = value; c != out; ++c) {
                    *c = (*c == u'\r' || *c == u'\n') ? u' ' : *c;
                }
            }
            endLine();
        }
        endLine();
    }
    text.truncate(out - reinterpret_cast<const char16_t*>(text.constData()));
    return text.toUtf8();
}

bool IniFile::UpdateFile() const
{
    return !fileName_.isEmpty() && ReplaceFile(fileName_, ToBytes());
}

void IniFile::Clear()
{
    lastSection_.index.store(-1, std::memory_order_relaxed);
    sections_.clear();
    sectionIndex_.clear();
}

bool IniFile::Name::Same(QStringView a, QStringView b) noexcept
{
    if (a.size() != b.size()) {
        return false;
    }
    if (a == b) {
        return true;
    }
    const qsizetype n = a.size();
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < n) {
        if (FoldedAt(a.data(), n, i) != FoldedAt(b.data(), n, j)) {
            return false;
        }
    }
    return true;
}

size_t IniFile::Name::Hash(QStringView name, size_t seed) noexcept
{
    // Taken four folded units at a time; a block of four ASCII characters is folded at once.
    const char16_t* data = name.utf16();
    const qsizetype n = name.size();
    std::uint64_t h = Mix(seed ^ static_cast<std::uint64_t>(n));
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t block = 0;
        std::memcpy(&block, data + i, sizeof block);
        if (std::endian::native == std::endian::little && (block & 0xFF80FF80FF80FF80ull) == 0) {
            // Bit 7 of a lane is set where 'A' <= unit <= 'Z'; no lane carries into the next.
            const std::uint64_t capitals =
                (block + 0x003F003F003F003Full) & ~(block + 0x0025002500250025ull) & 0x0080008000800080ull;
            block |= capitals >> 2;
        } else {
            block = std::uint64_t(FoldedUnitAt(data, n, i)) |
                    std::uint64_t(FoldedUnitAt(data, n, i + 1)) << 16 |
                    std::uint64_t(FoldedUnitAt(data, n, i + 2)) << 32 |
                    std::uint64_t(FoldedUnitAt(data, n, i + 3)) << 48;
        }
        h = Mix(h ^ block);
    }
    std::uint64_t tail = 0;
    for (; i < n; ++i) {
        tail = tail << 16 | FoldedUnitAt(data, n, i);
    }
    return static_cast<size_t>(Mix(Mix(h ^ tail)));
}

const IniFile::Section* IniFile::FindSection(const QString& section) const
{
    // The hint is always the first section of its name, so an exact match with it answers.
    const int hint = lastSection_.index.load(std::memory_order_relaxed);
    if (hint >= 0 && static_cast<size_t>(hint) < sections_.size() &&
        sections_[static_cast<size_t>(hint)].name == section) {
        return &sections_[static_cast<size_t>(hint)];
    }
    const auto it = sectionIndex_.constFind(Name{section});
    if (it == sectionIndex_.constEnd()) {
        return nullptr;
    }
    lastSection_.index.store(it.value(), std::memory_order_relaxed);
    return &sections_[static_cast<size_t>(it.value())];
}

IniFile::Section* IniFile::FindSection(const QString& section)
{
    return const_cast<Section*>(std::as_const(*this).FindSection(section));
}

IniFile::Section& IniFile::AddSection(const QString& name)
{
    // Sections follow one another mostly alike (the pages of a set file), so the new one is
    // given room for as many keys as the one before instead of growing key by key.
    const size_t alike = sections_.empty() ? 0 : sections_.back().entries.size();
    sections_.push_back(Section{name, {}, {}});
    sections_.back().entries.reserve(alike);
    // One look-up: the slot is new only for the first section of that name, which answers.
    const qsizetype before = sectionIndex_.size();
    int& slot = sectionIndex_[Name{name}];
    if (sectionIndex_.size() != before) {
        slot = static_cast<int>(sections_.size() - 1);
    }
    return sections_.back();
}

const IniFile::Entry* IniFile::FindEntry(const Section& section, const QString& key)
{
    const auto it = section.index.constFind(Name{key});
    return it == section.index.constEnd() ? nullptr : &section.entries[static_cast<size_t>(it.value())];
}

void IniFile::Reindex(Section& section)
{
    section.index.clear();
    section.index.reserve(static_cast<qsizetype>(section.entries.size()));
    for (size_t i = 0; i < section.entries.size(); ++i) {
        const Entry& entry = section.entries[i];
        if (!entry.hasSeparator) {
            continue;
        }
        const qsizetype before = section.index.size();
        int& slot = section.index[Name{entry.key}];
        if (section.index.size() != before) {
            slot = static_cast<int>(i); // the first of duplicate keys answers
        }
    }
}

void IniFile::ReindexSections()
{
    sectionIndex_.clear();
    sectionIndex_.reserve(static_cast<qsizetype>(sections_.size()));
    for (size_t i = 0; i < sections_.size(); ++i) {
        const qsizetype before = sectionIndex_.size();
        int& slot = sectionIndex_[Name{sections_[i].name}];
        if (sectionIndex_.size() != before) {
            slot = static_cast<int>(i);
        }
    }
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Section* s = FindSection(section);
    if (s == nullptr) {
        return defaultValue;
    }
    const Entry* e = FindEntry(*s, key);
    return e == nullptr ? defaultValue : e->value;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    Section* s = FindSection(section);
    if (s == nullptr) {
        s = &AddSection(section);
        s->index.reserve(static_cast<qsizetype>(s->entries.capacity()));
    }
    // One look-up: the slot is new exactly when the key is.
    const qsizetype before = s->index.size();
    int& slot = s->index[Name{key}];
    if (s->index.size() == before) {
        s->entries[static_cast<size_t>(slot)].value = value;
        return;
    }
    slot = static_cast<int>(s->entries.size());
    s->entries.push_back(Entry{key, value, true});
}

bool IniFile::TryParseInteger(const QString& text, int& value)
{
    QStringView t = text;
    // Leading blanks are skipped as the class library's conversion does; trailing ones are not.
    while (!t.isEmpty() && t.front() == u' ') {
        t = t.sliced(1);
    }
    bool negative = false;
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+')) {
        negative = t.front() == u'-';
        t = t.sliced(1);
    }
    unsigned base = 10;
    if (t.startsWith(u'$')) {
        base = 16;
        t = t.sliced(1);
    } else if (t.size() > 1 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) {
        base = 16;
        t = t.sliced(2);
    }
    if (t.isEmpty() || t.size() > 20) {
        return false;
    }
    unsigned long long magnitude = 0;
    for (const QChar c : t) {
        const char16_t u = c.unicode();
        unsigned digit = 0;
        if (u >= u'0' && u <= u'9') {
            digit = u - u'0';
        } else if (base == 16 && ((u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F'))) {
            digit = (u | 0x20u) - u'a' + 10;
        } else {
            return false;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFull) {
            return false;
        }
    }
    if (base == 16) {
        const auto bits = static_cast<std::uint32_t>(magnitude);
        value = static_cast<int>(negative ? 0u - bits : bits);
        return true;
    }
    if ((!negative && magnitude > 0x7FFFFFFFull) || (negative && magnitude > 0x80000000ull)) {
        return false;
    }
    value =
        static_cast<int>(negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude));
    return true;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    int value = 0;
    return TryParseInteger(ReadString(section, key, QString()), value) ? value : defaultValue;
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

IniFile::SectionKeys IniFile::Keys(const QString& section) const
{
    const auto it = sectionIndex_.constFind(Name{section});
    return SectionKeys(it == sectionIndex_.constEnd() ? nullptr : &sections_[static_cast<size_t>(it.value())]);
}

QString IniFile::SectionKeys::ReadString(const QString& key, const QString& defaultValue) const
{
    if (section_ == nullptr) {
        return defaultValue;
    }
    const Entry* e = FindEntry(*section_, key);
    return e == nullptr ? defaultValue : e->value;
}

bool IniFile::SectionExists(const QString& section) const
{
    return FindSection(section) != nullptr;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    const Section* s = FindSection(section);
    return s != nullptr && FindEntry(*s, key) != nullptr;
}

QStringList IniFile::ReadSection(const QString& section) const
{
    QStringList keys;
    if (const Section* s = FindSection(section)) {
        for (const Entry& entry : s->entries) {
            if (entry.hasSeparator) {
                keys.append(entry.key);
            }
        }
    }
    return keys;
}

QStringList IniFile::ReadSections() const
{
    QStringList names;
    for (const Section& section : sections_) {
        names.append(section.name);
    }
    return names;
}

QStringList IniFile::ReadSectionValues(const QString& section) const
{
    QStringList lines;
    if (const Section* s = FindSection(section)) {
        for (const Entry& entry : s->entries) {
            lines.append(entry.hasSeparator ? entry.key + QLatin1Char('=') + entry.value : entry.key);
        }
    }
    return lines;
}

void IniFile::EraseSection(const QString& section)
{
    const auto it = sectionIndex_.constFind(Name{section});
    if (it == sectionIndex_.constEnd()) {
        return;
    }
    lastSection_.index.store(-1, std::memory_order_relaxed);
    sections_.erase(sections_.begin() + it.value());
    ReindexSections();
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    Section* s = FindSection(section);
    if (s == nullptr) {
        return;
    }
    const auto it = s->index.constFind(Name{key});
    if (it == s->index.constEnd()) {
        return;
    }
    s->entries.erase(s->entries.begin() + it.value());
    Reindex(*s);
}

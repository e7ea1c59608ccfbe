#include "platform/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>
#include <cstdint>

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

bool IsBlankOrComment(const QString& trimmed)
{
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'));
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
    const QString text = DecodeText(bytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines.append(text.mid(start));
    }
    SetStrings(lines);
}

void IniFile::SetStrings(const QStringList& lines)
{
    Clear();
    Section* current = nullptr;
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (IsBlankOrComment(trimmed)) {
            continue;
        }
        if (trimmed.size() >= 2 && trimmed.startsWith(QLatin1Char('[')) &&
            trimmed.endsWith(QLatin1Char(']'))) {
            current = &AddSection(trimmed.mid(1, trimmed.size() - 2).trimmed());
            continue;
        }
        if (current == nullptr) {
            continue; // lines before the first section belong to none and are dropped
        }
        Entry entry;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            entry.key = line.left(eq).trimmed();
            entry.value = line.mid(eq + 1); // kept exactly, blanks included
        } else {
            entry.key = trimmed;
            entry.hasSeparator = false;
        }
        current->entries.push_back(entry);
    }
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
    QByteArray bytes;
    for (const QString& line : GetStrings()) {
        bytes.append(line.toUtf8());
        bytes.append("\r\n", 2);
    }
    return bytes;
}

bool IniFile::UpdateFile() const
{
    if (fileName_.isEmpty()) {
        return false;
    }
    QSaveFile file(fileName_);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = ToBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void IniFile::Clear()
{
    sections_.clear();
    sectionIndex_.clear();
}

QString IniFile::Fold(const QString& name)
{
    return name.toCaseFolded();
}

const IniFile::Section* IniFile::FindSection(const QString& section) const
{
    const auto it = sectionIndex_.constFind(Fold(section));
    return it == sectionIndex_.constEnd() ? nullptr : &sections_[static_cast<size_t>(it.value())];
}

IniFile::Section* IniFile::FindSection(const QString& section)
{
    const auto it = sectionIndex_.constFind(Fold(section));
    return it == sectionIndex_.constEnd() ? nullptr : &sections_[static_cast<size_t>(it.value())];
}

IniFile::Section& IniFile::AddSection(const QString& name)
{
    sections_.push_back(Section{name, {}, {}});
    const QString folded = Fold(name);
    if (!sectionIndex_.contains(folded)) {
        sectionIndex_.insert(folded, static_cast<int>(sections_.size() - 1));
    }
    return sections_.back();
}

const IniFile::Entry* IniFile::FindEntry(const Section& section, const QString& key)
{
    const auto it = section.index.constFind(Fold(key));
    return it == section.index.constEnd() ? nullptr : &section.entries[static_cast<size_t>(it.value())];
}

void IniFile::Reindex(Section& section)
{
    section.index.clear();
    for (size_t i = 0; i < section.entries.size(); ++i) {
        const Entry& entry = section.entries[i];
        if (entry.hasSeparator) {
            const QString folded = Fold(entry.key);
            if (!section.index.contains(folded)) {
                section.index.insert(folded, static_cast<int>(i));
            }
        }
    }
}

void IniFile::ReindexSections()
{
    sectionIndex_.clear();
    for (size_t i = 0; i < sections_.size(); ++i) {
        const QString folded = Fold(sections_[i].name);
        if (!sectionIndex_.contains(folded)) {
            sectionIndex_.insert(folded, static_cast<int>(i));
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
    }
    const auto it = s->index.constFind(Fold(key));
    if (it != s->index.constEnd()) {
        s->entries[static_cast<size_t>(it.value())].value = value;
        return;
    }
    s->entries.push_back(Entry{key, value, true});
    s->index.insert(Fold(key), static_cast<int>(s->entries.size() - 1));
}

bool IniFile::TryParseInteger(const QString& text, int& value)
{
    QString t = text;
    // Leading blanks are skipped as the class library's conversion does; trailing ones are not.
    qsizetype pos = 0;
    while (pos < t.size() && t[pos] == QLatin1Char(' ')) {
        ++pos;
    }
    t = t.mid(pos);
    bool negative = false;
    if (!t.isEmpty() && (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+'))) {
        negative = t[0] == QLatin1Char('-');
        t.remove(0, 1);
    }
    int base = 10;
    if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t.remove(0, 1);
    } else if (t.size() > 1 && t[0] == QLatin1Char('0') &&
               (t[1] == QLatin1Char('x') || t[1] == QLatin1Char('X'))) {
        base = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty() || t.size() > 20) {
        return false;
    }
    unsigned long long magnitude = 0;
    for (const QChar c : t) {
        const int digit =
            c.isDigit() ? c.digitValue()
                        : (base == 16 && c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')
                               ? c.toLower().unicode() - 'a' + 10
                               : -1);
        if (digit < 0 || c.unicode() > 0x7F) {
            return false;
        }
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFull) {
            return false;
        }
    }
    if (base == 16) {
        auto bits = static_cast<std::uint32_t>(magnitude);
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
    const auto it = sectionIndex_.constFind(Fold(section));
    if (it == sectionIndex_.constEnd()) {
        return;
    }
    sections_.erase(sections_.begin() + it.value());
    ReindexSections();
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    Section* s = FindSection(section);
    if (s == nullptr) {
        return;
    }
    const auto it = s->index.constFind(Fold(key));
    if (it == s->index.constEnd()) {
        return;
    }
    s->entries.erase(s->entries.begin() + it.value());
    Reindex(*s);
}

#pragma once
// In-memory INI file with the class library's semantics: sections and keys stay in file
// order, section and key names compare case-insensitively, values are kept exactly as
// written (" " is not ""), the first of duplicate sections or keys answers.
// Reads UTF-8, or Windows-1252 where the bytes are not valid UTF-8; writes UTF-8 with
// CR LF line ends, atomically, and reports a failed write.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <atomic>
#include <cstddef>
#include <vector>

class IniFile
{
public:
    IniFile() = default;
    // Loads the file when it exists; a missing or unreadable file gives an empty object.
    explicit IniFile(const QString& fileName);

    const QString& FileName() const { return fileName_; }
    // Points the object at another file; with reload the contents are read from it.
    void Rename(const QString& fileName, bool reload);

    // Replaces the contents with the file's; false (contents emptied) when it cannot be read.
    bool LoadFromFile(const QString& fileName);
    // Replaces the contents with the given bytes (any bytes are accepted).
    void LoadFromBytes(const QByteArray& bytes);
    // Replaces the contents from text lines.
    void SetStrings(const QStringList& lines);
    // The lines the file would hold: "[Section]", "key=value" lines, a blank line after each section.
    QStringList GetStrings() const;
    // The bytes UpdateFile writes.
    QByteArray ToBytes() const;
    // Writes the file atomically. False when there is no file name or the write fails;
    // the previous file is then left as it was.
    bool UpdateFile() const;

    void Clear();

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Decimal, "$hex" or "0xhex" (32-bit, hex may wrap to negative); the default otherwise.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    void WriteInteger(const QString& section, const QString& key, int value);
    // An integer value: 0 is false, any other true; the default when not an integer.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    void WriteBool(const QString& section, const QString& key, bool value);

private:
    struct Section;

public:
    // The keys of one section, found once: a reader that takes many keys of a section (the set
    // file's pages) skips the section look-up of each ReadString, and readers on several threads
    // sharing one const object do not displace each other's last section. Valid while the object
    // is not changed.
    class SectionKeys
    {
    public:
        bool Exists() const { return section_ != nullptr; }
        // The key's value, or the default when the key or the section is not there.
        QString ReadString(const QString& key, const QString& defaultValue) const;

    private:
        friend class IniFile;
        explicit SectionKeys(const Section* section) : section_(section) {}
        const Section* section_;
    };
    SectionKeys Keys(const QString& section) const;

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // Key names of a section in file order (empty when the section is absent).
    QStringList ReadSection(const QString& section) const;
    // Section names in file order.
    QStringList ReadSections() const;
    // "key=value" lines of a section in file order.
    QStringList ReadSectionValues(const QString& section) const;
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

    // Text-to-integer conversion used by ReadInteger, exposed for other readers.
    static bool TryParseInteger(const QString& text, int& value);
    // Decodes file bytes: UTF-8 (a leading byte-order mark dropped), else Windows-1252.
    static QString DecodeText(const QByteArray& bytes);

private:
    // A section or key name as the indexes hold it: hashed and compared with each character's
    // case folded, as QString::toCaseFolded would, but without building a folded copy. Names
    // nearly always come back spelt as they were stored, so the exact match is tried first.
    struct Name
    {
        QString text;
        static bool Same(QStringView a, QStringView b) noexcept;
        static size_t Hash(QStringView name, size_t seed) noexcept;
        friend bool operator==(const Name& a, const Name& b) noexcept { return Same(a.text, b.text); }
        friend size_t qHash(const Name& name, size_t seed) noexcept { return Hash(name.text, seed); }
    };
    struct Entry
    {
        QString key;
        QString value;
        bool hasSeparator = true; // false for a line without "=", kept as it was
    };
    struct Section
    {
        QString name;
        std::vector<Entry> entries;
        QHash<Name, int> index; // key -> first entry
    };

    // Where the file's lines go while it is read: the section being filled, and the key
    // spellings met so far, shared instead of copied, since a set file repeats the same keys in
    // every page section.
    struct Reading
    {
        Section* current = nullptr;
        QHash<QStringView, QString> keys;
    };
    // The section found last, as an index into sections_: readers and writers take one
    // section's keys in a row, so it answers again without a look-up. Atomic so that readers
    // of a shared const object stay safe; copied with the object.
    struct SectionHint
    {
        std::atomic<int> index{-1};
        SectionHint() = default;
        SectionHint(const SectionHint& other) : index(other.index.load(std::memory_order_relaxed)) {}
        SectionHint& operator=(const SectionHint& other)
        {
            index.store(other.index.load(std::memory_order_relaxed), std::memory_order_relaxed);
            return *this;
        }
    };

    const Section* FindSection(const QString& section) const;
    Section* FindSection(const QString& section);
    Section& AddSection(const QString& name);
    // eq is the position of the line's first "=", or -1.
    void AddLine(QStringView line, qsizetype eq, Reading& reading);
    void IndexAllSections();
    static const Entry* FindEntry(const Section& section, const QString& key);
    static void Reindex(Section& section);
    void ReindexSections();

    QString fileName_;
    std::vector<Section> sections_;
    QHash<Name, int> sectionIndex_; // name -> first section
    mutable SectionHint lastSection_;
};

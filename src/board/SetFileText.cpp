#include "board/SetFileText.h"

#include <array>

namespace {

// The part of a caption after its line break (or after the "&") keeps at most this many characters.
constexpr int kTailLength = 100;

// Finds the first line break from `from`: returns its index and sets `length` to 2 for CR LF, else 1.
qsizetype FindLineBreak(const QString& text, qsizetype from, int& length)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            length = (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ? 2 : 1;
            return i;
        }
    }
    return -1;
}

} // namespace

QString PageSectionName(int group, int page)
{
    static const std::array<const char*, 11> prefixes = {"",      "Page",  "PageB", "PageC", "PageQ", "PageE",
                                                         "PageF", "PageG", "PageH", "PageI", "PageJ"};
    const char* prefix = (group >= 1 && group <= 10) ? prefixes[static_cast<std::size_t>(group)] : "Page";
    return QLatin1String(prefix) + QString::number(page);
}

QString SingleLineText(const QString& text)
{
    int length = 0;
    if (FindLineBreak(text, 0, length) < 0) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (qsizetype at = FindLineBreak(text, 0, length); at >= 0; at = FindLineBreak(text, from, length)) {
        out += QStringView(text).mid(from, at - from);
        out += u' ';
        from = at + length;
    }
    out += QStringView(text).mid(from);
    return out;
}

QString CaptionToStored(const QString& caption)
{
    int length = 0;
    const qsizetype at = FindLineBreak(caption, 0, length);
    if (at < 0) {
        return caption;
    }
    const QString head = caption.left(at);
    const QString tail = caption.mid(at + length, kTailLength);
    return SingleLineText(head) + QStringLiteral("%%") + SingleLineText(tail);
}

bool SetFileCanHoldPath(const QString& path)
{
    int length = 0;
    return FindLineBreak(path, 0, length) < 0;
}

QString PathWithLineBreakText(const QString& path)
{
    return QStringLiteral("This file's name holds a line break, which a set file cannot keep:\r\r") + path +
           QStringLiteral("\r\rRename the file and add it again.");
}

QString StoredToCaption(const QString& stored)
{
    QString caption = stored;
    const qsizetype breakAt = caption.indexOf(QStringLiteral("%%"));
    if (breakAt >= 0) {
        caption = caption.left(breakAt) + QStringLiteral("\r\n") + caption.mid(breakAt + 2, kTailLength);
    }
    const qsizetype ampAt = caption.indexOf(u'&');
    if (ampAt >= 0) {
        caption = caption.left(ampAt) + u' ' + caption.mid(ampAt + 1, kTailLength);
    }
    return caption;
}

const QString& ButtonKeyName(ButtonKey key, int button)
{
    // Built once: a full board reads and writes over a hundred thousand of these.
    static const auto names = [] {
        static const std::array<const char*, ButtonKeyCount> stems = {
            "c", "s", "t", "h", "i", "L", "n", "v", "activity", "ci", "cs", "ce", "co"};
        std::array<std::array<QString, 49>, ButtonKeyCount> table;
        for (std::size_t k = 0; k < stems.size(); ++k) {
            for (int b = 1; b <= 48; ++b) {
                table[k][static_cast<std::size_t>(b)] = QLatin1String(stems[k]) + QString::number(b);
            }
        }
        return table;
    }();
    return names[static_cast<std::size_t>(key)][static_cast<std::size_t>(button)];
}

#include "editing/SpreadsheetExport.h"

#include "board/Board.h"
#include "board/SetFileText.h"
#include "platform/FileReplace.h"

namespace {

QString QuotedField(const QString& text)
{
    QString field = SingleLineText(text);
    field.replace(u'"', QStringLiteral("\"\""));
    return u'"' + field + u'"';
}

} // namespace

QString SpreadsheetLine(const QString& pageName, const QString& caption)
{
    return QuotedField(pageName) + u',' + QuotedField(caption);
}

bool WriteSpreadsheetExport(const Board& board, const QString& fileName)
{
    QByteArray text;
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            if (Board::IsBlank(board.PageName[g][p])) {
                continue;
            }
            for (int b = 1; b <= ButtonCount; ++b) {
                if (!Board::IsBlank(board.ButtonCaption[g][p][b])) {
                    text += SpreadsheetLine(board.PageName[g][p], board.ButtonCaption[g][p][b]).toUtf8();
                    text += "\r\n";
                }
            }
        }
    }
    if (!text.isEmpty()) {
        // Spreadsheet programs take a file without a byte-order mark for the local code page and
        // garble every accent; an empty export stays empty.
        text.prepend("\xEF\xBB\xBF");
    }
    return ReplaceFile(fileName, text);
}

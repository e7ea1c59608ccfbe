#pragma once
// The list of every named sound button with its page name, as comma-separated text a spreadsheet
// program opens ("RBXExportToExcel.xls" in the program folder).
#include <QString>

class Board;

// One line without its line end: the page name and the caption, each in double quotes, quotes
// inside doubled and line breaks written as blanks, so that every reader parses it as two fields.
QString SpreadsheetLine(const QString& pageName, const QString& caption);

// Writes the file anew in UTF-8 after a byte-order mark: one line per captioned button of every
// named page 1..18 of every group, CR LF after each. The file is complete on disk when this
// returns true.
bool WriteSpreadsheetExport(const Board& board, const QString& fileName);

#pragma once
// The line printer of the list windows: Courier New 8 on a grid of 100 printer units per line
// (600 units to the inch), a header on line 1 with the date, the window caption and the page
// number, the rows from line 3 to the window's last line, then a new page.
#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

class QPrinter;

// One printed field: the grid column, its width in characters and whether a blank follows it.
struct PrintField
{
    int column = 0;
    int width = 0;
    bool blankAfter = false;
};

struct PrintLayout
{
    std::vector<PrintField> fields;
    int lastLine = 62; // rows per page = lastLine - 2
};

// Hot keys and custom-cued buttons: hot key 20, group 3, blank, page 20, blank, caption 50.
PrintLayout HotKeyPrintLayout();
// Sound buttons (nine grid columns): group 3, page 20, blank, caption 30, blank, file path 100;
// 58 rows a page in portrait, 40 in landscape.
PrintLayout SoundButtonPrintLayout(bool landscape);
// Missing files: the same fields from the eight-column grid.
PrintLayout MissingFilePrintLayout(bool landscape);
// Duplicates: as sound buttons, 60 rows a page.
PrintLayout DuplicatePrintLayout();

// The text of one printed line: each field padded with blanks and cut to its width.
QString PrintLine(const QStringList& cells, const PrintLayout& layout);
// The header line: date, " - Rallybox:  ", caption, 35 blanks, "Page " and the number.
QString PrintHeader(const QDate& date, const QString& caption, int page);

// Prints the rows as a document titled with the caption; returns the number of pages printed.
int PrintList(QPrinter& printer, const QString& caption, const std::vector<QStringList>& rows,
              const PrintLayout& layout, const QDate& date);

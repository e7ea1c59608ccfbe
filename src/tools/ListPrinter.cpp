#include "tools/ListPrinter.h"

#include <QFont>
#include <QLocale>
#include <QPainter>
#include <QtPrintSupport/QPrinter>

#include <algorithm>

namespace {

constexpr double kUnitsPerInch = 600.0;
constexpr int kLinePitch = 100;

std::vector<PrintField> SoundFields(int group, int page, int caption, int path)
{
    return {{group, 3, false}, {page, 20, true}, {caption, 30, true}, {path, 100, false}};
}

} // namespace

PrintLayout HotKeyPrintLayout()
{
    return {{{1, 20, false}, {2, 3, true}, {3, 20, true}, {4, 50, false}}, 62};
}

PrintLayout SoundButtonPrintLayout(bool landscape)
{
    return {SoundFields(2, 3, 4, 5), landscape ? 42 : 60};
}

PrintLayout MissingFilePrintLayout(bool landscape)
{
    return {SoundFields(1, 2, 3, 4), landscape ? 42 : 60};
}

PrintLayout DuplicatePrintLayout()
{
    return {SoundFields(2, 3, 4, 5), 62};
}

QString PrintLine(const QStringList& cells, const PrintLayout& layout)
{
    QString line;
    for (const PrintField& f : layout.fields) {
        const QString cell = f.column < cells.size() ? cells[f.column] : QString();
        line += cell.left(f.width).leftJustified(f.width, QLatin1Char(' '));
        if (f.blankAfter) {
            line += QLatin1Char(' ');
        }
    }
    return line;
}

QString PrintHeader(const QDate& date, const QString& caption, int page)
{
    return QLocale().toString(date, QLocale::ShortFormat) + QStringLiteral(" - Rallybox:  ") + caption +
           QString(35, QLatin1Char(' ')) + QStringLiteral("Page ") + QString::number(page);
}

int PrintList(QPrinter& printer, const QString& caption, const std::vector<QStringList>& rows,
              const PrintLayout& layout, const QDate& date)
{
    printer.setDocName(caption);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return 0;
    }
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    painter.setFont(font);
    // A unit is 1/600 inch as on the printers the layout was made for; on a shorter page the pitch
    // shrinks so that the last line still fits and no row falls off the page.
    const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    const double needed = (layout.lastLine + 1) * kLinePitch;
    const double unit = std::min(printer.resolution() / kUnitsPerInch, pageHeight / needed);
    const int rowsPerPage = std::max(1, layout.lastLine - 2);
    int page = 1;
    auto drawLine = [&](int line, const QString& text) {
        painter.drawText(QPointF(0, line * kLinePitch * unit), text);
    };
    drawLine(1, PrintHeader(date, caption, page));
    int line = 3;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (line - 2 > rowsPerPage) {
            printer.newPage();
            ++page;
            drawLine(1, PrintHeader(date, caption, page));
            line = 3;
        }
        drawLine(line, PrintLine(rows[r], layout));
        ++line;
    }
    painter.end();
    return page;
}

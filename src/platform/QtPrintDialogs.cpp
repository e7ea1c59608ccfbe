#include "platform/QtDialogs.h"

#include <QApplication>
#include <QtPrintSupport/QPageSetupDialog>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>

// The print dialogs need the print support library; kept in their own file so only
// programs that show them link it.
bool QtDialogs::PrinterSetupDialog(QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::PrintDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

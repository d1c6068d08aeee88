#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qor {

// Installed printers are the destinations of the CUPS server, in the order Qt lists them.
namespace Cups {

QStringList printers();
// The printer at `index`; raises UserError when the list has no such position.
QString printerAt(int index, const QString& what);
// Raises UserError when the queue does not exist, is stopped or rejects jobs.
void checkReady(const QString& printer, const QString& what);
// Submits a file (a PDF) as one job; raises UserError when CUPS refuses it.
int submitFile(const QString& printer, const QString& path, const QString& title, const QString& what);
// Sends bytes unchanged as one job of the raw format; raises UserError on failure.
int submitRaw(const QString& printer, const QByteArray& bytes, const QString& title, const QString& what);

} // namespace Cups
} // namespace qor

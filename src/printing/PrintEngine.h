#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qor {

struct TillContext;

// The print engine: a ticket text file and a destination ("TICKET", "PROD1".."PROD3",
// "VEST1") become ESC/POS bytes on the serial ticket printer or a drawn page on an
// installed printer, following the printer settings of the till context. A setting of
// another kind prints nothing. Every device failure raises UserError with a French
// message naming the device and what to check; nothing waits without end.

// The ticket printer: serial when IMPRIMANTETICKET is "COM...", installed otherwise.
void imprimesurticket(TillContext& ctx, const QString& file);
// Opens the ticket printer's serial port (nothing for an installed printer).
void ouvreportticket(TillContext& ctx);
// ESC/POS bytes of the file on the ticket serial port (the destination is not used).
void imprimeserie(TillContext& ctx, const QString& file,
                  const QString& destination = QStringLiteral("TICKET"));
// The file drawn on the installed printer of TICKET or PRODn, once per copy.
void imprimewindows(TillContext& ctx, const QString& file, const QString& destination);
// The cloakroom ticket: the file twice on one page, lines starting with U+00A0 large
// and white on black.
void imprimevestiaire(TillContext& ctx, const QString& file, const QString& destination);
// Bytes unchanged to an installed printer ("NAME on PORT" keeps NAME).
void imprimebrut(const QByteArray& bytes, const QString& printer);

// Prints a ticket text on any destination by the rule of that destination.
void imprime(TillContext& ctx, const QString& file, const QString& destination);

// The ESC/POS bytes of a ticket text for a serial printer with the given euro code.
QByteArray escposTicket(const QStringList& lines, quint8 euroCode);

} // namespace qor

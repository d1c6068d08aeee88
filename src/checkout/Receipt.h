#pragma once
#include <QString>
#include <QStringList>

namespace qor {

class Database;
struct TillContext;

// The receipt of a recorded ticket, composed from the tables as the ticket
// stands: header, customer, date, number, table, lines, discount, total, VAT
// breakdown, payments, user and footer. One item per line of the ticket text.
struct ReceiptOptions {
    bool clientok = false;      // customer name on the receipt
    bool impNoTicketOk = false; // ticket number on the receipt
    bool couvertsOk = false;    // covers on the receipt
    bool imprimepu = false;     // unit prices under lines of more than one
    int tailledes80 = 22;       // width of the designation column
    QString dataFolder;         // where "ligne-numero-ticket.txt" may be
    static ReceiptOptions from(const TillContext& ctx);
};

QStringList imprimeticket(Database& db, const ReceiptOptions& options, const QString& order,
                          bool duplicate = false);

} // namespace qor

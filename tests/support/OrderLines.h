#pragma once
#include "core/Database.h"

namespace qortest {

// One order line written straight into SAISIES, as order entry leaves it.
struct Line {
    QString label;
    double qty = 1;
    double price = 0;
    int vat = 2;      // VAT code
    double rate = 10; // VAT rate at entry
    int article = 1;
    double loyalty = 0;  // loyalty percentage
    bool hidden = false; // deleted line kept for the record
    int rg = 0;          // percentage applied to the line
    QString stamp = QStringLiteral("261211120000");
};

// Writes the lines as the order of room 1, table 3, customer idcli.
void writeOrder(qor::Database& db, const QString& order, const QList<Line>& lines, int idcli = 1);

} // namespace qortest

// A workstation that records tickets as fast as it can: for each order, writes
// three lines and a payment, then records the ticket.
// Usage: tool_recordworker TARGET WORKER COUNT
#include "support/OrderLines.h"

#include "checkout/Payments.h"
#include "checkout/TicketRecorder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 4) return 2;
    try {
        auto db = qor::Database::open(a.at(1));
        const int worker = a.at(2).toInt(), count = a.at(3).toInt();
        for (int i = 0; i < count; ++i) {
            const QString order =
                QStringLiteral("%1%2").arg(worker, 2, 10, QLatin1Char('0')).arg(i, 10, 10, QLatin1Char('0'));
            db->write([&] {
                qortest::writeOrder(*db, order,
                                    {{QStringLiteral("Café"), 2, 2.5},
                                     {QStringLiteral("Thé"), 1, 3},
                                     {QStringLiteral("Tarte"), 1, 7}});
                qor::Payments(*db, order).add(1, QStringLiteral("15.00"));
            });
            qor::TicketRequest r;
            r.order = order;
            r.total = 15;
            r.nosalle = 1;
            r.notable = 3;
            qor::TicketRecorder(*db).record(r, QDateTime::currentDateTime());
        }
    } catch (const qor::DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    } catch (const qor::UserError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}

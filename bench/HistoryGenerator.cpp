#include "HistoryGenerator.h"

#include "checkout/Payments.h"
#include "checkout/TicketRecorder.h"
#include "core/Clock.h"
#include "core/Digest.h"
#include "core/TillContext.h"
#include "order/EntryCatalog.h"
#include "order/NumberText.h"
#include "order/OrderStore.h"

#include <QRandomGenerator>
#include <cmath>

namespace qor {

namespace {

// Every column of an order line, in the order the copies below select them.
const QString lineColumns = QStringLiteral(
    "SA_NOSAISIE, SA_ROW, NOSALLE_SAISIE, NOTABLE_SAISIE, SA_ROOMNAME, SA_TABLENAME, FAMARTICLE_SAISIE, "
    "SA_ARTICLE_ID, DESARTICLE_SAISIE, QTEARTICLE_SAISIE, PRIXARTICLETTC_SAISIE, SA_PURCHASEPRICE, "
    "TOTALLIGNETTC_SAISIE, RG, SA_TOTALLIGNETTCRG, CODETVAARTICLE_SAISIE, SA_TAXRATE, SA_LOYALTY, COUVERTS, "
    "ID_CLI_SAISIE, SA_USER_ID, SA_INFO, SA_PRINTTICKET, SA_PRINTPROD1, SA_PRINTPROD2, SA_PRINTPROD3, "
    "SA_KITCHEN, SA_HIDE, SA_LOCK, SA_TIMECTRL) ");

struct Table {
    int room;
    int number;
    QString roomName;
    QString name;
};

// A deleted line: hidden, "~" in front, and its hidden cancelling copy.
void deleteLine(Database& db, qint64 key) {
    db.exec(QStringLiteral("insert into SAISIES (") + lineColumns +
                QStringLiteral(
                    "select SA_NOSAISIE, 0, NOSALLE_SAISIE, NOTABLE_SAISIE, SA_ROOMNAME, SA_TABLENAME, "
                    "FAMARTICLE_SAISIE, SA_ARTICLE_ID, '~' || DESARTICLE_SAISIE, -QTEARTICLE_SAISIE, "
                    "PRIXARTICLETTC_SAISIE, SA_PURCHASEPRICE, -TOTALLIGNETTC_SAISIE, RG, 0, "
                    "CODETVAARTICLE_SAISIE, SA_TAXRATE, SA_LOYALTY, COUVERTS, ID_CLI_SAISIE, SA_USER_ID, "
                    "SA_INFO, '0', SA_PRINTPROD1, SA_PRINTPROD2, SA_PRINTPROD3, SA_KITCHEN, '1', SA_LOCK, "
                    "SA_TIMECTRL from SAISIES where CLEAUTO_SAISIE = ?"),
            {key});
    db.exec(QStringLiteral("update SAISIES set SA_HIDE = '1', SA_ROW = 0, SA_PRINTTICKET = '0', "
                           "SA_TOTALLIGNETTCRG = 0, DESARTICLE_SAISIE = '~' || DESARTICLE_SAISIE "
                           "where CLEAUTO_SAISIE = ?"),
            {key});
}

// An offered line: its visible counter-line "¤" with the opposite quantity.
void offerLine(Database& db, qint64 key) {
    db.exec(
        QStringLiteral("insert into SAISIES (") + lineColumns +
            QStringLiteral(
                "select SA_NOSAISIE, (select max(SA_ROW) + 1 from SAISIES s where s.SA_NOSAISIE = "
                "SAISIES.SA_NOSAISIE), NOSALLE_SAISIE, NOTABLE_SAISIE, SA_ROOMNAME, SA_TABLENAME, "
                "FAMARTICLE_SAISIE, SA_ARTICLE_ID, '¤' || DESARTICLE_SAISIE, -QTEARTICLE_SAISIE, "
                "PRIXARTICLETTC_SAISIE, SA_PURCHASEPRICE, -TOTALLIGNETTC_SAISIE, RG, "
                "-SA_TOTALLIGNETTCRG, CODETVAARTICLE_SAISIE, SA_TAXRATE, SA_LOYALTY, COUVERTS, "
                "ID_CLI_SAISIE, SA_USER_ID, SA_INFO, SA_PRINTTICKET, 0, 0, 0, 0, '0', SA_LOCK, SA_TIMECTRL "
                "from SAISIES where CLEAUTO_SAISIE = ?"),
        {key});
}

} // namespace

HistoryStats generateHistory(TillContext& ctx, const HistoryOptions& o) {
    Database& db = *ctx.db;
    QRandomGenerator rnd(o.seed);
    QList<Table> tables;
    for (const QSqlRecord& r : db.select(QStringLiteral(
             "select NOSALLE_SALLE, NOTABLE_SALLE, NOMSALLE, NOMTABLE_SALLE from T_TABLE, T_ROOM where "
             "NOSALLE_SALLE = NOSALLE and SA_OLD <> '1' order by NOSALLE_SALLE, NOTABLE_SALLE")))
        tables.append({r.value(0).toInt(), r.value(1).toInt(), r.value(2).toString(), r.value(3).toString()});
    EntryCatalog catalog(db);
    QList<CurrentArticle> articles;
    for (const QSqlRecord& r : db.select(QStringLiteral("select IDTXT from ARTICLES where AR_OLD <> '1' and "
                                                        "PRIXARTICLETTC_ARTICLES > 0 order by IDTXT")))
        if (auto a = catalog.article(r.value(0).toInt())) articles.append(*a);
    QList<int> customers;
    for (const QSqlRecord& r :
         db.select(QStringLiteral("select IDTXT from CLIENTS where IDTXT > 1 and CL_OLD <> '1'")))
        customers.append(r.value(0).toInt());
    const QList<int> methods = {1, 1, 1, 2, 2, 2, 2, 3, 4};

    OrderStore store(ctx);
    TicketRecorder recorder(db);
    HistoryStats stats;
    const QDate first = QDate::currentDate().addDays(-o.days);
    double grandTotal = 0;
    for (int d = 0; d < o.days; ++d) {
        const QDate day = first.addDays(d);
        double dayTotal = 0;
        db.write([&] {
            // Service from 11:00 to 23:30, the last tickets after midnight.
            const int span = 13 * 3600;
            for (int t = 0; t < o.ticketsPerDay; ++t) {
                const QDateTime at = QDateTime(day, QTime(11, 0)).addSecs(qint64(t) * span / o.ticketsPerDay);
                Clock::set(at);
                const Table& table = tables.at(int(rnd.bounded(tables.size())));
                ctx.nosalle = quint8(table.room);
                ctx.nomsalle = u'\r' + table.roomName;
                ctx.notable = quint8(table.number);
                ctx.nomtable = table.name;
                ctx.couvert = 1 + int(rnd.bounded(6));
                ctx.idutilisateur = 1 + int(rnd.bounded(3));
                store.openOrder();
                const bool named = !customers.isEmpty() && rnd.bounded(10) == 0;
                store.loadCustomer(false);
                if (named) store.setCustomer(customers.at(int(rnd.bounded(customers.size()))));
                // 1 to 15 lines, most tickets short (a coffee, a lunch for two).
                const int lines = 1 + std::min(14, int(-std::log(1.0 - rnd.generateDouble()) * 2.2));
                for (int l = 0; l < lines; ++l) {
                    CurrentArticle a = articles.at(int(rnd.bounded(articles.size())));
                    a.selprixarticle = store.calculprix(a.selidarticle);
                    store.enregistresaisie(a, QStringLiteral("+"), QString::number(1 + rnd.bounded(3)));
                }
                store.litsaisie();
                if (!store.lines().isEmpty() && rnd.bounded(12) == 0)
                    deleteLine(db, store.lines().first().key);
                store.litsaisie();
                if (!store.lines().isEmpty() && rnd.bounded(15) == 0) offerLine(db, store.lines().last().key);
                if (rnd.bounded(20) == 0)
                    db.exec(QStringLiteral("update SAISIES set RG = -10 where SA_NOSAISIE = ?"),
                            {ctx.nosaisie});
                store.litsaisie();
                const OrderTotals totals = store.calculnet();
                if (store.lines().isEmpty()) {
                    db.exec(QStringLiteral("delete from SAISIES where SA_NOSAISIE = ?"), {ctx.nosaisie});
                    continue;
                }
                const double due = NumberText::round2(totals.s2);
                const bool draft = rnd.bounded(100) == 0;
                Payments pay(db, ctx.nosaisie);
                if (!draft) {
                    double rest = due;
                    if (named && ctx.fideliteok && rnd.bounded(3) == 0) {
                        const double balance =
                            db.scalar(QStringLiteral("select CL_RESIDUAL_LOYALTY from CLIENTS "
                                                     "where IDTXT = ?"),
                                      {ctx.idcli})
                                .toDouble();
                        const double used = std::min(std::floor(balance), std::floor(rest));
                        if (used > 0) {
                            pay.addLoyalty(money(used), balance);
                            rest -= used;
                        }
                    }
                    if (rest > 10 && rnd.bounded(4) == 0) {
                        const double part = std::floor(rest / 2);
                        pay.add(methods.at(int(rnd.bounded(methods.size()))), money(part));
                        rest -= part;
                    }
                    if (std::abs(rest) >= 0.005)
                        pay.add(methods.at(int(rnd.bounded(methods.size()))), money(rest));
                }
                const TicketRequest r = TicketRequest::from(ctx, ctx.nosaisie, due, draft);
                recorder.record(r, at);
                stats.tickets++;
                stats.journalLines +=
                    db.scalar(QStringLiteral("select count(*) from JNL where NOSAISIE_JNL = ?"), {r.order})
                        .toLongLong();
                if (!draft) dayTotal += due;
            }
            // The day's closing.
            grandTotal += dayTotal;
            const QString stamp = Clock::stamp(QDateTime(day.addDays(1), QTime(0, 30)));
            db.exec(
                QStringLiteral(
                    "insert into T_CLOSE_DATA (CD_DATE, CD_NOC, CD_USER, CD_SUMPERIOD, CD_SUMGLOBAL, "
                    "CD_TIMECTRL, CD_CTRL) values (?, 1, 1, ?, ?, ?, ?)"),
                {day, dayTotal, grandTotal, stamp, calculctrl(money(dayTotal) + money(grandTotal) + stamp)});
        });
        if (o.progress) o.progress(d + 1, stats.journalLines);
    }
    Clock::set({});
    return stats;
}

} // namespace qor

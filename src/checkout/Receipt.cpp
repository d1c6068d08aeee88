#include "checkout/Receipt.h"

#include "core/Database.h"
#include "core/Digest.h"
#include "core/TillContext.h"

#include <QFile>
#include <QStringDecoder>

namespace qor {

namespace {

QStringList textLines(const QString& text) {
    if (text.isEmpty()) return {};
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t.split(u'\n');
}

QString rightAligned(const QString& s, int width) {
    return s.rightJustified(width, u' ');
}

QString ticketNumberLabel(const QString& dataFolder) {
    QFile f(dataFolder + QStringLiteral("ligne-numero-ticket.txt"));
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("Ticket ");
    QStringDecoder decode("windows-1252");
    const QString text = decode(f.readLine());
    QString first = text;
    while (first.endsWith(u'\n') || first.endsWith(u'\r'))
        first.chop(1);
    return first;
}

} // namespace

ReceiptOptions ReceiptOptions::from(const TillContext& ctx) {
    return {ctx.clientok,  ctx.impNoTicketOk, ctx.couvertsOk,
            ctx.imprimepu, ctx.tailledes80,   ctx.DefaultAliasPath};
}

QStringList imprimeticket(Database& db, const ReceiptOptions& o, const QString& order, bool duplicate) {
    const Rows head =
        db.select(QStringLiteral("select HI_NOTICKET, HI_TIMECTRL, IDCLIENT, HI_SALLE, HI_TABLE, "
                                 "COUVERTS, RG, HI_TOTALTTC from HISTORIQUE where HI_NOSAISIE = ?"),
                  {order});
    if (head.isEmpty())
        throw UserError(QStringLiteral("Le ticket de la commande %1 est introuvable.").arg(order));
    const QSqlRecord& h = head.first();
    const int number = h.value(0).toInt();
    const QString stamp = h.value(1).toString();
    const Rows lines =
        db.select(QStringLiteral("select QTEARTICLE_JNL, DESARTICLE_JNL, TOTALLIGNETTC_JNL, "
                                 "PRIXARTICLETTC_JNL, CODETVAARTICLE_JNL, JN_PRINTTICKET, JN_USER_ID, "
                                 "NOMTABLE_JNL from JNL where NOSAISIE_JNL = ? order by JN_AUTOINC"),
                  {order});
    const QString company = QStringLiteral("select CI_HEADER, CI_COMMENT from T_COMPAGNY_INFO");
    const Rows info = db.select(company);

    QStringList out;
    if (!info.isEmpty()) out << textLines(info.first().value(0).toString());
    if (o.clientok)
        out << QStringLiteral("Client : ") +
                   db.scalar(QStringLiteral("select NOM from CLIENTS where IDTXT = ?"), {h.value(2).toInt()})
                       .toString();
    out << QStringLiteral("Le %1/%2/%3 - %4:%5")
               .arg(stamp.mid(4, 2), stamp.mid(2, 2), stamp.mid(0, 2), stamp.mid(6, 2), stamp.mid(8, 2));
    if (o.impNoTicketOk) out << ticketNumberLabel(o.dataFolder) + QString::number(number);
    if (number == 0) out << QStringLiteral("*** Ce document est un brouillon ***");

    // Room and table names as they are now; a table no longer on the plan (or
    // shop mode) keeps the name written in the journal.
    const QString room =
        db.scalar(QStringLiteral("select NOMSALLE from T_ROOM where NOSALLE = ?"), {h.value(3).toInt()})
            .toString();
    QString table = db.scalar(QStringLiteral("select NOMTABLE_SALLE from T_TABLE where NOSALLE_SALLE = ? and "
                                             "NOTABLE_SALLE = ?"),
                              {h.value(3).toInt(), h.value(4).toInt()})
                        .toString();
    if (table.isEmpty() && !lines.isEmpty()) table = lines.first().value(7).toString();
    out << room + QStringLiteral(" - ") + table;
    if (o.couvertsOk) out << QStringLiteral("Nb couvert(s) ") + QString::number(h.value(5).toInt());
    const QString rule(40, u'_');
    out << QStringLiteral(" ") << rule << QStringLiteral(" ");

    for (const QSqlRecord& l : lines) {
        if (l.value(5).toString() != u"1") continue;
        const double qty = l.value(0).toDouble();
        const QString label = l.value(1).toString();
        const double total = l.value(2).toDouble();
        const QString qtyText = numberText(qty);
        QString price;
        if (label.startsWith(u'*'))
            price = QStringLiteral("  OFFERT");
        else if (total == 0)
            price = QString(8, u' ');
        else
            price = rightAligned(money(total), 8);
        out << rightAligned(qtyText, 3) + u' ' +
                   label.left(o.tailledes80).leftJustified(o.tailledes80, u' ') + u' ' + price + u'(' +
                   QString::number(l.value(4).toInt()) + u')';
        if (o.imprimepu && qty > 1)
            out << QStringLiteral("    (") + money(l.value(3).toDouble()) + QStringLiteral("€/U)");
    }
    out << rule << QStringLiteral(" ");
    const int rg = h.value(6).toInt();
    if (rg != 0) out << QStringLiteral("Remise globale : %1%").arg(rg);
    out << QStringLiteral(" ")
        << QStringLiteral("Net à payer TTC : ") + money(h.value(7).toDouble()) + QStringLiteral("€&b")
        << QStringLiteral(" ");

    for (const QSqlRecord& v : db.select(
             QStringLiteral("select TAUXTVA, CODETVA, sum(JN_TOTALLIGNETTCRG) - sum(JN_TOTALLIGNETTCRG) / "
                            "(1 + TAUXTVA / 100) from JNL, T_TVA where NOSAISIE_JNL = ? and "
                            "CODETVAARTICLE_JNL = CODETVA group by TAUXTVA, CODETVA order by CODETVA"),
             {order}))
        out << QStringLiteral("Dont TVA %1% (%2) : %3€")
                   .arg(numberText(v.value(0).toDouble()), QString::number(v.value(1).toInt()),
                        rightAligned(money(v.value(2).toDouble()), 8));

    out << QStringLiteral(" ");
    for (const QSqlRecord& p :
         db.select(QStringLiteral("select PL_NAME, PA_VALUE from T_PAYMENT, T_PAYMENT_LIST "
                                  "where PA_PAYMENT_LIST_ID = PL_ID and PA_NOSAISIE = ? "
                                  "order by PA_AUTOINC"),
                   {order}))
        out << p.value(0).toString() + QStringLiteral(" : ") + money(p.value(1).toDouble()) +
                   QStringLiteral("€");
    out << QStringLiteral(" ")
        << QStringLiteral("Ticket créé par utilisateur ") +
               (lines.isEmpty() ? QStringLiteral("0") : QString::number(lines.first().value(6).toInt()))
        << QStringLiteral(" ");
    if (duplicate) out << QStringLiteral("Ce document est un duplicata.");
    if (!info.isEmpty()) out << textLines(info.first().value(1).toString());
    return out;
}

} // namespace qor

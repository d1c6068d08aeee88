#include "checkout/TicketRecorder.h"

#include "core/Database.h"
#include "core/Digest.h"
#include "core/TillContext.h"

namespace qor {

TicketRequest TicketRequest::from(const TillContext& ctx, const QString& order, double total, bool draft) {
    TicketRequest r;
    r.order = order;
    r.total = total;
    r.draft = draft;
    r.idcli = ctx.idcli;
    r.couvert = ctx.couvert;
    r.nosalle = ctx.nosalle;
    r.notable = ctx.notable;
    r.nomtable = ctx.nomtable;
    r.remiseglobale = ctx.remiseglobale;
    r.heurefinjour = ctx.heurefinjour;
    return r;
}

std::pair<QDate, QString> TicketRecorder::businessDate(const QDateTime& now, const QString& heurefinjour) {
    QTime end;
    if (!heurefinjour.trimmed().isEmpty()) {
        end = QTime::fromString(heurefinjour.trimmed(), QStringLiteral("HH:mm:ss"));
        if (!end.isValid()) end = QTime::fromString(heurefinjour.trimmed(), QStringLiteral("H:mm:ss"));
        if (!end.isValid()) end = QTime::fromString(heurefinjour.trimmed(), QStringLiteral("H:mm"));
        if (!end.isValid())
            throw UserError(
                QStringLiteral("L'heure de fin de journée « %1 » (réglage CO_HOURENDOFDAY) n'est pas "
                               "une heure valide : écrivez-la HH:MM:SS, par exemple 04:00:00.")
                    .arg(heurefinjour));
    } else {
        end = QTime(0, 0);
    }
    if (now.time() < end) return {now.date().addDays(-1), QStringLiteral("23:59:59")};
    return {now.date(), now.time().toString(QStringLiteral("HH:mm:ss"))};
}

RecordedTicket TicketRecorder::record(const TicketRequest& r, const QDateTime& now) {
    // Checked before anything is written.
    const auto [date, hour] = businessDate(now, r.heurefinjour);
    RecordedTicket t{r.order, 0, date, hour, now.toString(QStringLiteral("yyMMddHHmmss"))};

    m_db.write([&] {
        m_db.exec(QStringLiteral("update T_PAYMENT set PA_FLAG = '1' where PA_NOSAISIE = ?"), {r.order});
        step(Step::Payments);
        if (r.correction) {
            const Rows h =
                m_db.select(QStringLiteral("select HI_NOTICKET, DATEHISTO, HEURE, HI_TIMECTRL from "
                                           "HISTORIQUE where HI_NOSAISIE = ?"),
                            {r.order});
            if (!h.isEmpty()) {
                t.number = h.at(0).value(0).toInt();
                t.date = h.at(0).value(1).toDate();
                t.hour = h.at(0).value(2).toString();
                t.stamp = h.at(0).value(3).toString();
            }
            return;
        }
        const Rows lines =
            m_db.select(QStringLiteral("select * from SAISIES where SA_NOSAISIE = ? order by SA_ROW, "
                                       "CLEAUTO_SAISIE"),
                        {r.order});
        // Another workstation recorded this order a moment ago: its lines are gone.
        if (lines.isEmpty())
            throw UserError(QStringLiteral("La commande %1 n'a plus de lignes : elle a déjà été encaissée "
                                           "(peut-être sur un autre poste).")
                                .arg(r.order));

        const Rows existing = m_db.select(
            QStringLiteral("select HI_NOTICKET from HISTORIQUE where HI_NOSAISIE = ?"), {r.order});
        if (existing.size() == 1) {
            t.number = existing.at(0).value(0).toInt();
            m_db.exec(
                QStringLiteral("update HISTORIQUE set DATEHISTO = ?, HEURE = ?, IDCLIENT = ?, COUVERTS = ?, "
                               "HI_SALLE = ?, HI_TABLE = ?, HI_TOTALTTC = ?, RG = ?, HI_TIMECTRL = ? "
                               "where HI_NOSAISIE = ?"),
                {date, hour, r.idcli, r.couvert, r.nosalle, r.notable, r.total, r.remiseglobale, t.stamp,
                 r.order});
        } else {
            // The table stays locked until commit: no other workstation can take the same number.
            // Drafts carry 0: the numbered tickets alone give the largest number (and the
            // unique index on them answers at once, whatever the size of the history).
            t.number = r.draft ? 0
                               : int(m_db.nextKey(QStringLiteral("HISTORIQUE"), QStringLiteral("HI_NOTICKET"),
                                                  QStringLiteral("HI_NOTICKET > 0")));
            m_db.exec(
                QStringLiteral("insert into HISTORIQUE (HI_NOSAISIE, DATEHISTO, HEURE, IDCLIENT, COUVERTS, "
                               "HI_NOTICKET, HI_SALLE, HI_TABLE, HI_TOTALTTC, RG, HI_TIMECTRL) "
                               "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {r.order, date, hour, r.idcli, r.couvert, t.number, r.nosalle, r.notable, r.total,
                 r.remiseglobale, t.stamp});
        }
        step(Step::Header);

        const QString jnl = QStringLiteral(
            "insert into JNL (NOSAISIE_JNL, DATEJNL_JNL, HEUREJNL_JNL, NOSALLE_JNL, NOTABLE_JNL, "
            "NOMTABLE_JNL, "
            "DESARTICLE_JNL, QTEARTICLE_JNL, PRIXARTICLETTC_JNL, JN_PURCHASEPRICE, TOTALLIGNETTC_JNL, JN_RG, "
            "JN_TOTALLIGNETTCRG, CODETVAARTICLE_JNL, JN_TAXRATE, FAMARTICLE_JNL, JN_ARTICLE_ID, JN_USER_ID, "
            "JN_PRINTTICKET, JN_LOYALTY, JN_CTRL, JN_TIMECTRL) "
            "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        const QString stock =
            QStringLiteral("insert into T_STOCK (ST_IDARTICLE, ST_VARIANT, ST_DATE, "
                           "ST_PURCHASEPRICE, ST_INFO, ST_JNL_ID) values (?, ?, ?, ?, ?, ?)");
        double earned = 0;
        QList<const QSqlRecord*> moves;
        for (const QSqlRecord& l : lines) {
            const QString label = l.value(QStringLiteral("DESARTICLE_SAISIE")).toString();
            const double qty = l.value(QStringLiteral("QTEARTICLE_SAISIE")).toDouble();
            const double total = l.value(QStringLiteral("TOTALLIGNETTC_SAISIE")).toDouble();
            const double totalRg = l.value(QStringLiteral("SA_TOTALLIGNETTCRG")).toDouble();
            const QString lineStamp = l.value(QStringLiteral("SA_TIMECTRL")).toString();
            const double loyalty = l.value(QStringLiteral("SA_LOYALTY")).toDouble();
            earned += total * loyalty / 100;
            m_db.exec(jnl, {r.order,
                            date,
                            hour,
                            r.nosalle,
                            r.notable,
                            r.nomtable,
                            label,
                            qty,
                            l.value(QStringLiteral("PRIXARTICLETTC_SAISIE")).toDouble(),
                            l.value(QStringLiteral("SA_PURCHASEPRICE")).toDouble(),
                            total,
                            l.value(QStringLiteral("RG")).toInt(),
                            totalRg,
                            l.value(QStringLiteral("CODETVAARTICLE_SAISIE")).toInt(),
                            l.value(QStringLiteral("SA_TAXRATE")).toDouble(),
                            l.value(QStringLiteral("FAMARTICLE_SAISIE")).toInt(),
                            l.value(QStringLiteral("SA_ARTICLE_ID")).toInt(),
                            l.value(QStringLiteral("SA_USER_ID")).toInt(),
                            l.value(QStringLiteral("SA_PRINTTICKET")).toString(),
                            loyalty,
                            calculctrl(numberText(qty) + numberText(total) + numberText(totalRg) + lineStamp),
                            lineStamp});
            if (!r.draft && !label.startsWith(u'~') && !label.startsWith(u'¤')) moves.append(&l);
        }
        step(Step::Journal);
        for (const QSqlRecord* l : moves)
            m_db.exec(stock, {l->value(QStringLiteral("SA_ARTICLE_ID")).toInt(),
                              -l->value(QStringLiteral("QTEARTICLE_SAISIE")).toDouble(), now,
                              l->value(QStringLiteral("SA_PURCHASEPRICE")).toDouble(),
                              QStringLiteral("MVT VENTES"), r.order});
        step(Step::Stock);
        if (!r.draft) {
            // The credit used is what the order's loyalty payment holds.
            const double used = m_db.scalar(QStringLiteral("select sum(PA_VALUE) from T_PAYMENT where "
                                                           "PA_PAYMENT_LIST_ID = 0 and PA_NOSAISIE = ?"),
                                            {r.order})
                                    .toDouble();
            m_db.exec(
                QStringLiteral("update CLIENTS set CL_RESIDUAL_LOYALTY = coalesce(CL_RESIDUAL_LOYALTY, 0) "
                               "- ? + ? where IDTXT = ?"),
                {used, earned, r.idcli});
            if (r.countVisit)
                m_db.exec(
                    QStringLiteral("update CLIENTS set CL_MOVE = coalesce(CL_MOVE, 0) + 1 where IDTXT = ?"),
                    {r.idcli});
        }
        step(Step::Loyalty);
        m_db.exec(QStringLiteral("delete from SAISIES where SA_NOSAISIE = ?"), {r.order});
        step(Step::Lines);
    });
    return t;
}

} // namespace qor

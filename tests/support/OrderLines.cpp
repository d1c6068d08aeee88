#include "OrderLines.h"

namespace qortest {

void writeOrder(qor::Database& db, const QString& order, const QList<Line>& lines, int idcli) {
    int row = 0;
    for (const Line& l : lines) {
        const double total = l.qty * l.price;
        db.exec(QStringLiteral(
                    "insert into SAISIES (SA_NOSAISIE, SA_ROW, NOSALLE_SAISIE, NOTABLE_SAISIE, SA_ROOMNAME, "
                    "SA_TABLENAME, FAMARTICLE_SAISIE, SA_ARTICLE_ID, DESARTICLE_SAISIE, QTEARTICLE_SAISIE, "
                    "PRIXARTICLETTC_SAISIE, SA_PURCHASEPRICE, TOTALLIGNETTC_SAISIE, RG, SA_TOTALLIGNETTCRG, "
                    "CODETVAARTICLE_SAISIE, SA_TAXRATE, SA_LOYALTY, COUVERTS, ID_CLI_SAISIE, SA_USER_ID, "
                    "SA_INFO, "
                    "SA_PRINTTICKET, SA_PRINTPROD1, SA_PRINTPROD2, SA_PRINTPROD3, SA_KITCHEN, SA_HIDE, "
                    "SA_TIMECTRL) "
                    "values (?, ?, 1, 3, '\rSalle', '3', 3, ?, ?, ?, ?, 1.5, ?, ?, ?, ?, ?, ?, 2, ?, 2, 0, "
                    "?, 0, 0, "
                    "0, 0, ?, ?)"),
                {order, l.hidden ? 0 : ++row, l.article, l.label, l.qty, l.price, total, l.rg,
                 l.hidden ? 0.0 : total * (100 + l.rg) / 100, l.vat, l.rate, l.loyalty, idcli,
                 l.hidden ? "0" : "1", l.hidden ? "1" : "0", l.stamp});
    }
}

} // namespace qortest

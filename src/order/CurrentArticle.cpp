#include "order/CurrentArticle.h"

#include <QVariant>

namespace qor {

namespace {
// Catalogue flags are copied as the text of their numeric value, 0 or 1.
QString flagText(const QSqlRecord& r, const char* column) {
    return QString::number(r.value(QLatin1String(column)).toInt());
}
} // namespace

CurrentArticle CurrentArticle::fromRecord(const QSqlRecord& r) {
    CurrentArticle a;
    a.selidarticle = r.value(QStringLiteral("IDTXT")).toString();
    a.selidfamille = r.value(QStringLiteral("FAMARTICLE_ARTICLES")).toString();
    a.seldesarticle = r.value(QStringLiteral("DESARTICLE_ARTICLES")).toString();
    a.selprixarticle = r.value(QStringLiteral("PRIXARTICLETTC_ARTICLES")).toDouble();
    a.selprixachat = r.value(QStringLiteral("AR_PURCHASEPRICE")).toDouble();
    a.seltvaarticle = r.value(QStringLiteral("CODETVAARTICLE_ARTICLES")).toString();
    a.seltxtvaarticle = r.value(QStringLiteral("TAUXTVA")).toDouble();
    a.selimparticle = flagText(r, "AR_PRINTTICKET");
    a.selprod = {flagText(r, "CUISINEOK"), flagText(r, "AR_PRINTPROD1"), flagText(r, "AR_PRINTPROD2"),
                 flagText(r, "AR_PRINTPROD3")};
    a.selfidarticle = r.value(QStringLiteral("AR_LOYALTY")).toDouble();
    // An empty composition flag means "do not ask": the article stays sellable.
    const QString ask = r.value(QStringLiteral("AR_ASKGROUP")).toString().trimmed().toLower();
    a.askgroup =
        !(ask.isEmpty() || ask == u"0" || ask == u"false" || ask.toDouble() == 0.0) || ask == u"true";
    return a;
}

} // namespace qor

#include "order/EntryCatalog.h"

namespace qor {

Rows EntryCatalog::families(int parent) {
    return m_db.select(
        QStringLiteral("select * from FAMILLES where FA_PARENT = ? and coalesce(FA_OLD, '0') <> '1' "
                       "order by TRI_FAMILLES"),
        {parent});
}

bool EntryCatalog::hasChildren(int family) {
    return m_db.scalar(QStringLiteral("select count(*) from FAMILLES where coalesce(FA_OLD, '0') <> '1' and "
                                      "FA_PARENT = ?"),
                       {family})
               .toInt() > 0;
}

QString EntryCatalog::familyColor(int family) {
    return m_db.scalar(QStringLiteral("select FA_COLOR from FAMILLES where IDFAMILLE_FAMILLES = ?"), {family})
        .toString();
}

Rows EntryCatalog::articles(int family) {
    return m_db.select(
        QStringLiteral("select * from ARTICLES, T_TVA, FAMILLES where CODETVAARTICLE_ARTICLES = "
                       "CODETVA and FAMARTICLE_ARTICLES = IDFAMILLE_FAMILLES and FAMARTICLE_ARTICLES = "
                       "? and coalesce(AR_OLD, '0') <> '1' order by AR_ORDER, DESARTICLE_ARTICLES"),
        {family});
}

std::optional<CurrentArticle> EntryCatalog::article(int id) {
    const Rows rows =
        m_db.select(QStringLiteral("select * from ARTICLES, T_TVA where CODETVAARTICLE_ARTICLES = "
                                   "CODETVA and coalesce(AR_OLD, '0') <> '1' and IDTXT = ?"),
                    {id});
    if (rows.isEmpty()) return std::nullopt;
    return CurrentArticle::fromRecord(rows.first());
}

} // namespace qor

#include "order/OrderStore.h"

#include "core/Clock.h"
#include "order/NumberText.h"

#include <QVariant>

namespace qor {

namespace {

const QString visible = QStringLiteral("coalesce(SA_HIDE, '0') <> '1'");

bool walkIn(const TillContext& ctx, int idcli) {
    return idcli == 1 || idcli == ctx.idCliPassage;
}

// The family's "customers only" flag: 0, "F" or "False" (and no value) mean
// the discount is for everybody.
bool customersOnly(const QVariant& v) {
    const QString t = v.toString().trimmed().toLower();
    return !(t.isEmpty() || t == u"0" || t == u"f" || t == u"false");
}

} // namespace

bool OrderStore::openOrder() {
    const Rows rows = m_ctx.db->select(
        QStringLiteral("select SA_NOSAISIE, COUVERTS, SA_LOCK from SAISIES where NOSALLE_SAISIE = ? and "
                       "NOTABLE_SAISIE = ? order by SA_NOSAISIE desc, SA_ROW limit 1"),
        {m_ctx.nosalle, m_ctx.notable});
    m_lines.clear();
    m_totals = {};
    if (rows.isEmpty()) {
        m_ctx.nosaisie = Clock::stamp();
        m_provisoireok = false;
        return false;
    }
    const QSqlRecord& r = rows.first();
    m_ctx.nosaisie = r.value(QStringLiteral("SA_NOSAISIE")).toString();
    m_ctx.couvert = r.value(QStringLiteral("COUVERTS")).toInt();
    m_provisoireok = r.value(QStringLiteral("SA_LOCK")).toInt() == 1;
    return true;
}

void OrderStore::loadCustomer(bool hasLines) {
    int id = 1;
    if (hasLines) {
        const QVariant v = m_ctx.db->scalar(
            QStringLiteral("select ID_CLI_SAISIE from SAISIES where SA_NOSAISIE = ? order by SA_ROW limit 1"),
            {m_ctx.nosaisie});
        if (!v.isNull()) id = v.toInt();
    }
    if (!hasLines) {
        m_ctx.idcli = 1;
        m_ctx.nomclidetail = m_nomcli = QStringLiteral("PASSAGE");
        m_tarifclient = QStringLiteral("0");
        return;
    }
    setCustomer(id);
}

void OrderStore::setCustomer(int idcli) {
    m_ctx.idcli = idcli;
    const Rows rows = m_ctx.db->select(
        QStringLiteral("select CIVILITE, NOM, PRENOM, CL_CLIENTTYPE from CLIENTS where IDTXT = ?"), {idcli});
    if (rows.isEmpty()) {
        m_nomcli = m_ctx.nomclidetail = walkIn(m_ctx, idcli) ? QStringLiteral("PASSAGE") : QString();
        m_tarifclient = QStringLiteral("0");
        return;
    }
    const QSqlRecord& r = rows.first();
    m_nomcli = r.value(QStringLiteral("NOM")).toString();
    m_ctx.nomclidetail = (r.value(QStringLiteral("CIVILITE")).toString() + u' ' + m_nomcli + u' ' +
                          r.value(QStringLiteral("PRENOM")).toString())
                             .simplified();
    // The walk-in customer always pays the catalogue price; an empty type is an ordinary customer.
    const QString type = r.value(QStringLiteral("CL_CLIENTTYPE")).toString().trimmed();
    m_tarifclient = (walkIn(m_ctx, idcli) || type.isEmpty()) ? QStringLiteral("0") : type;
}

QString OrderStore::nextSecond(const QString& number) {
    const QDateTime t(
        QDate(2000 + number.left(2).toInt(), number.mid(2, 2).toInt(), number.mid(4, 2).toInt()),
        QTime(number.mid(6, 2).toInt(), number.mid(8, 2).toInt(), number.mid(10, 2).toInt()));
    if (number.size() != 12 || !t.isValid()) return Clock::stamp();
    return Clock::stamp(t.addSecs(1));
}

void OrderStore::claimOrderNumber() {
    Database& db = *m_ctx.db;
    const Rows own = db.select(QStringLiteral("select NOSALLE_SAISIE, NOTABLE_SAISIE from SAISIES where "
                                              "SA_NOSAISIE = ? limit 1"),
                               {m_ctx.nosaisie});
    if (!own.isEmpty()) {
        const QSqlRecord& r = own.first();
        if (r.value(0).toInt() == m_ctx.nosalle && r.value(1).toInt() == m_ctx.notable) return; // our order
    } else {
        // Another workstation may have opened this table since the screen was shown:
        // its lines and ours make one order.
        const QVariant other = db.scalar(QStringLiteral("select max(SA_NOSAISIE) from SAISIES where "
                                                        "NOSALLE_SAISIE = ? and NOTABLE_SAISIE = ?"),
                                         {m_ctx.nosalle, m_ctx.notable});
        if (!other.isNull() && !other.toString().isEmpty()) {
            m_ctx.nosaisie = other.toString();
            return;
        }
    }
    // A number already taken by another table or by a recorded ticket: the next free second.
    for (;;) {
        const bool used =
            db.scalar(QStringLiteral("select count(*) from SAISIES where SA_NOSAISIE = ?"), {m_ctx.nosaisie})
                    .toInt() > 0 ||
            db.scalar(QStringLiteral("select count(*) from HISTORIQUE where HI_NOSAISIE = ?"),
                      {m_ctx.nosaisie})
                    .toInt() > 0;
        if (!used) return;
        m_ctx.nosaisie = nextSecond(m_ctx.nosaisie);
    }
}

bool OrderStore::enregistresaisie(CurrentArticle a, const QString& sign, const QString& qty) {
    const bool minus = sign.trimmed() == u"-";
    bool ok = false;
    const double q = qty.trimmed().toDouble(&ok);
    if (!ok) throw UserError(QStringLiteral("La quantité « %1 » n'est pas un nombre.").arg(qty));
    const double quantity = minus ? -q : q;

    // Open price: the article's price is typed now.
    const QString priceText = NumberText::plain(a.selprixarticle);
    if (priceText == u"0.01" || priceText == u"-0.01") {
        if (!askPrice) return false;
        const std::optional<KeypadValue> v =
            askPrice(priceText.startsWith(u'-') ? QStringLiteral("-") : QStringLiteral("+"));
        if (!v) return false;
        a.selprixarticle = v->nb;
    }

    Database& db = *m_ctx.db;
    db.write([&] {
        const QString lock = db.dialect().lockTable(QStringLiteral("SAISIES"));
        if (!lock.isEmpty()) db.exec(lock);
        claimOrderNumber();
        const Rows last = db.select(
            QStringLiteral(
                "select CLEAUTO_SAISIE, SA_ROW, SA_ARTICLE_ID, PRIXARTICLETTC_SAISIE, "
                "DESARTICLE_SAISIE, SA_HIDE, SA_KITCHEN, SA_LOCK from SAISIES where SA_NOSAISIE = ? "
                "order by SA_ROW desc, CLEAUTO_SAISIE desc limit 1"),
            {m_ctx.nosaisie});
        int lastRow = 0;
        if (!last.isEmpty()) {
            const QSqlRecord& r = last.first();
            lastRow = r.value(QStringLiteral("SA_ROW")).toInt();
            // The same article at the same price on the last line adds to it, unless that
            // line is no longer a plain article line (renamed, offered, deleted) or is
            // already in the kitchen or on a provisional bill: the added units then go on
            // a new line, so that they are sent and billed.
            const bool merge =
                r.value(QStringLiteral("SA_ARTICLE_ID")).toString() == a.selidarticle &&
                r.value(QStringLiteral("PRIXARTICLETTC_SAISIE")).toDouble() == a.selprixarticle &&
                r.value(QStringLiteral("DESARTICLE_SAISIE")).toString() == a.seldesarticle &&
                r.value(QStringLiteral("SA_HIDE")).toString() != u"1" &&
                r.value(QStringLiteral("SA_KITCHEN")).toInt() != 3 &&
                r.value(QStringLiteral("SA_LOCK")).toInt() != 1;
            if (merge) {
                db.exec(
                    QStringLiteral("update SAISIES set QTEARTICLE_SAISIE = QTEARTICLE_SAISIE + ?, "
                                   "TOTALLIGNETTC_SAISIE = (QTEARTICLE_SAISIE + ?) * PRIXARTICLETTC_SAISIE, "
                                   "SA_TOTALLIGNETTCRG = (QTEARTICLE_SAISIE + ?) * PRIXARTICLETTC_SAISIE, "
                                   "SA_TIMECTRL = ? where CLEAUTO_SAISIE = ?"),
                    {quantity, quantity, quantity, Clock::stamp(),
                     r.value(QStringLiteral("CLEAUTO_SAISIE"))});
                return;
            }
        }
        const double total = quantity * a.selprixarticle;
        db.exec(
            QStringLiteral(
                "insert into SAISIES (SA_NOSAISIE, SA_ROW, NOSALLE_SAISIE, NOTABLE_SAISIE, "
                "FAMARTICLE_SAISIE, "
                "DESARTICLE_SAISIE, QTEARTICLE_SAISIE, PRIXARTICLETTC_SAISIE, SA_PURCHASEPRICE, "
                "TOTALLIGNETTC_SAISIE, SA_TOTALLIGNETTCRG, CODETVAARTICLE_SAISIE, SA_TAXRATE, COUVERTS, "
                "SA_USER_ID, ID_CLI_SAISIE, RG, SA_ARTICLE_ID, SA_PRINTTICKET, SA_KITCHEN, SA_PRINTPROD1, "
                "SA_PRINTPROD2, SA_PRINTPROD3, SA_LOYALTY, SA_TIMECTRL, SA_HIDE, SA_TABLENAME, SA_ROOMNAME) "
                "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '0', ?, "
                "?)"),
            {m_ctx.nosaisie,
             lastRow + 1,
             m_ctx.nosalle,
             m_ctx.notable,
             a.selidfamille.toInt(),
             a.seldesarticle,
             quantity,
             a.selprixarticle,
             a.selprixachat,
             total,
             total,
             a.seltvaarticle.toInt(),
             a.seltxtvaarticle,
             m_ctx.couvert,
             m_ctx.idutilisateur,
             m_ctx.idcli,
             m_ctx.remiseglobale,
             a.selidarticle.toInt(),
             a.selimparticle,
             a.selprod[0].toInt(),
             a.selprod[1].toInt(),
             a.selprod[2].toInt(),
             a.selprod[3].toInt(),
             a.selfidarticle,
             Clock::stamp(),
             m_ctx.nomtable,
             m_ctx.nomsalle});
    });
    return true;
}

const QList<OrderLine>& OrderStore::litsaisie() {
    const Rows rows = m_ctx.db->select(
        QStringLiteral(
            "select QTEARTICLE_SAISIE, DESARTICLE_SAISIE, PRIXARTICLETTC_SAISIE, QTEARTICLE_SAISIE * "
            "PRIXARTICLETTC_SAISIE as TOTAL, SA_USER_ID, CLEAUTO_SAISIE from SAISIES where ") +
            visible + QStringLiteral(" and SA_NOSAISIE = ? order by SA_ROW, CLEAUTO_SAISIE"),
        {m_ctx.nosaisie});
    m_lines.clear();
    m_lines.reserve(rows.size());
    for (const QSqlRecord& r : rows) {
        OrderLine l;
        l.quantity = r.value(0).toDouble();
        l.price = r.value(2).toDouble();
        l.lineTotal = r.value(3).toDouble();
        l.qte = NumberText::plain(l.quantity);
        l.designation = r.value(1).toString();
        l.total = NumberText::padLeft(NumberText::fixed2(l.lineTotal), 6);
        l.user = u'#' + r.value(4).toString().left(1);
        l.key = r.value(5).toLongLong();
        m_lines.append(l);
    }
    calculnet();
    return m_lines;
}

const OrderTotals& OrderStore::calculnet(int selectedRow) {
    Database& db = *m_ctx.db;
    // The global percentage in floating point: an integer division would drop it.
    // Only lines whose stored totals are out of date are written (one statement,
    // atomic on its own): a touch that changed one line writes nothing more here.
    db.exec(
        QStringLiteral("update SAISIES set TOTALLIGNETTC_SAISIE = QTEARTICLE_SAISIE * PRIXARTICLETTC_SAISIE, "
                       "SA_TOTALLIGNETTCRG = QTEARTICLE_SAISIE * PRIXARTICLETTC_SAISIE * "
                       "((100.0 + coalesce(RG, 0)) / 100.0) where ") +
            visible +
            QStringLiteral(" and SA_NOSAISIE = ? and (TOTALLIGNETTC_SAISIE is null or SA_TOTALLIGNETTCRG is "
                           "null or TOTALLIGNETTC_SAISIE <> QTEARTICLE_SAISIE * PRIXARTICLETTC_SAISIE or "
                           "SA_TOTALLIGNETTCRG <> QTEARTICLE_SAISIE * PRIXARTICLETTC_SAISIE * "
                           "((100.0 + coalesce(RG, 0)) / 100.0))"),
        {m_ctx.nosaisie});
    // The sums and the order's percentage (that of its first visible line) in one read.
    const Rows sums = db.select(
        QStringLiteral("select sum(TOTALLIGNETTC_SAISIE), sum(SA_TOTALLIGNETTCRG), (select RG from "
                       "SAISIES where ") +
            visible + QStringLiteral(" and SA_NOSAISIE = ? order by SA_ROW limit 1) from SAISIES where ") +
            visible + QStringLiteral(" and SA_NOSAISIE = ?"),
        {m_ctx.nosaisie, m_ctx.nosaisie});
    m_totals.rg = static_cast<qint16>(sums.isEmpty() ? 0 : sums.first().value(2).toInt());
    m_ctx.remiseglobale = m_totals.rg;
    m_totals.labelRg = QStringLiteral("RG (%1%) :").arg(m_totals.rg);
    m_totals.s1 = sums.isEmpty() ? 0 : sums.first().value(0).toDouble();
    m_totals.s2 = sums.isEmpty() ? 0 : sums.first().value(1).toDouble();
    m_totals.labelMrg = QStringLiteral("- ") + NumberText::fixed2(m_totals.s1 - m_totals.s2, 5);
    m_totals.labelTotal = NumberText::fixed2(m_totals.s2, 8);

    if (display && !m_ctx.affichageClient.isEmpty() && !m_ctx.affichageClient.startsWith(u"TXT") &&
        !m_lines.isEmpty()) {
        const OrderLine& l =
            m_lines.at(selectedRow >= 0 && selectedRow < m_lines.size() ? selectedRow : m_lines.size() - 1);
        display(l.qte + u' ' + l.designation.left(11) + l.total + u'E',
                QStringLiteral("Total ") + m_totals.labelTotal + u'E');
    }
    return m_totals;
}

double OrderStore::priceFor(const QSqlRecord& r, const QString& tarifclient, bool namedCustomer) {
    double price = r.value(QStringLiteral("PRIXARTICLETTC_ARTICLES")).toDouble();
    const double discount = r.value(QStringLiteral("FA_DISCOUNT")).toDouble();
    if (tarifclient != u"0") {
        // Customer types other than 0 buy at purchase price plus VAT.
        price = r.value(QStringLiteral("AR_PURCHASEPRICE")).toDouble() *
                (r.value(QStringLiteral("TAUXTVA")).toDouble() / 100 + 1);
    } else if (discount != 0 &&
               (!customersOnly(r.value(QStringLiteral("FA_DISCOUNTCLIENT"))) || namedCustomer)) {
        price = price * (discount / 100 + 1);
    }
    return NumberText::round2(price);
}

double OrderStore::priceOf(const QSqlRecord& article) const {
    return priceFor(article, m_tarifclient, !walkIn(m_ctx, m_ctx.idcli));
}

double OrderStore::calculprix(const QString& idarticle) {
    const Rows rows = m_ctx.db->select(
        QStringLiteral(
            "select * from ARTICLES, T_TVA, FAMILLES where CODETVAARTICLE_ARTICLES = CODETVA and "
            "FAMARTICLE_ARTICLES = IDFAMILLE_FAMILLES and coalesce(AR_OLD, '0') <> '1' and IDTXT = ?"),
        {idarticle.toInt()});
    if (rows.isEmpty()) return 0;
    return priceOf(rows.first());
}

QList<VatShare> OrderStore::vatContent() {
    // Deleted lines and their cancelling copies carry a discounted total of 0.
    const Rows rows = m_ctx.db->select(
        QStringLiteral(
            "select TAUXTVA, CODETVA, sum(SA_TOTALLIGNETTCRG - (SA_TOTALLIGNETTCRG / (1 + TAUXTVA / "
            "100.0))) from SAISIES, T_TVA where SA_NOSAISIE = ? and CODETVAARTICLE_SAISIE = CODETVA "
            "and ") +
            visible + QStringLiteral(" group by TAUXTVA, CODETVA order by CODETVA"),
        {m_ctx.nosaisie});
    QList<VatShare> result;
    for (const QSqlRecord& r : rows)
        result.append({r.value(0).toDouble(), r.value(1).toInt(), r.value(2).toDouble()});
    return result;
}

double OrderStore::loyaltyCredit() {
    return m_ctx.db
        ->scalar(QStringLiteral("select sum(TOTALLIGNETTC_SAISIE * SA_LOYALTY / 100.0) from SAISIES where "
                                "SA_NOSAISIE = ?"),
                 {m_ctx.nosaisie})
        .toDouble();
}

void OrderStore::setCovers(int couvert) {
    m_ctx.couvert = couvert;
    m_ctx.db->exec(QStringLiteral("update SAISIES set COUVERTS = ? where SA_NOSAISIE = ?"),
                   {couvert, m_ctx.nosaisie});
}

void OrderStore::setLineUser(qint64 key, int user) {
    m_ctx.db->exec(
        QStringLiteral("update SAISIES set SA_USER_ID = ?, SA_TIMECTRL = ? where CLEAUTO_SAISIE = ?"),
        {user, Clock::stamp(), key});
}

void OrderStore::setTableWaiting(bool waiting) {
    m_ctx.db->exec(
        QStringLiteral("update SAISIES set SA_INFO = ? where NOSALLE_SAISIE = ? and NOTABLE_SAISIE = ?"),
        {waiting ? 1 : 0, m_ctx.nosalle, m_ctx.notable});
}

bool OrderStore::hasLines() {
    return m_ctx.db
               ->scalar(QStringLiteral("select count(*) from SAISIES where SA_NOSAISIE = ?"),
                        {m_ctx.nosaisie})
               .toInt() > 0;
}

} // namespace qor

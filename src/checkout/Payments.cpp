#include "checkout/Payments.h"

#include "core/Clock.h"
#include "core/Database.h"
#include "core/Digest.h"

#include <cmath>

namespace qor {

namespace {

double parseAmount(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok) throw UserError(QStringLiteral("Montant incorrect : « %1 ».").arg(text));
    return v;
}

const QString insertPayment = QStringLiteral(
    "insert into T_PAYMENT (PA_NOSAISIE, PA_PAYMENT_LIST_ID, PA_VALUE, PA_FLAG, PA_CTRL, PA_TIMECTRL) "
    "values (?, ?, ?, '0', ?, ?)");

} // namespace

QList<Payments::Method> Payments::methods(Database& db) {
    QList<Method> list;
    for (const QSqlRecord& r : db.select(QStringLiteral(
             "select PL_ID, PL_NAME from T_PAYMENT_LIST where PL_ID <> 0 order by PL_ORDER, PL_ID")))
        list.append({r.value(0).toInt(), r.value(1).toString()});
    return list;
}

double Payments::paid() const {
    return m_db.scalar(QStringLiteral("select sum(PA_VALUE) from T_PAYMENT where PA_NOSAISIE = ?"), {m_order})
        .toDouble();
}

QList<Payments::Entry> Payments::open() const {
    QList<Entry> list;
    for (const QSqlRecord& r :
         m_db.select(QStringLiteral("select PA_AUTOINC, PL_NAME, PA_VALUE from T_PAYMENT, T_PAYMENT_LIST "
                                    "where PA_NOSAISIE = ? and PA_PAYMENT_LIST_ID = PL_ID and PA_FLAG = '0' "
                                    "order by PA_AUTOINC"),
                     {m_order}))
        list.append({r.value(0).toLongLong(), r.value(1).toString(), r.value(2).toDouble()});
    return list;
}

bool Payments::matches(double total, double paid) {
    return std::llround(total * 100) == std::llround(paid * 100);
}

void Payments::add(int method, const QString& amountText, int count) {
    const double value = parseAmount(amountText);
    if (value == 0) return;
    const QString ctrl = calculctrl(amountText), stamp = Clock::stamp();
    m_db.write([&] {
        for (int i = 0; i < std::max(1, count); ++i)
            m_db.exec(insertPayment, {m_order, method, value, ctrl, stamp});
    });
}

bool Payments::hasLoyalty() const {
    return m_db.scalar(QStringLiteral("select count(*) from T_PAYMENT where PA_PAYMENT_LIST_ID = 0 and "
                                      "PA_NOSAISIE = ?"),
                       {m_order})
               .toInt() > 0;
}

double Payments::loyaltyUsed() const {
    return m_db
        .scalar(QStringLiteral("select sum(PA_VALUE) from T_PAYMENT where PA_PAYMENT_LIST_ID = 0 and "
                               "PA_NOSAISIE = ?"),
                {m_order})
        .toDouble();
}

void Payments::addLoyalty(const QString& amountText, double balance) {
    if (hasLoyalty()) throw UserError(secondLoyaltyText());
    const double value = parseAmount(amountText);
    if (value == 0) return;
    if (value < 0) throw UserError(QStringLiteral("Le montant pris sur la fidélité doit être positif."));
    if (std::llround(value * 100) > std::llround(balance * 100)) throw UserError(loyaltyTooHighText());
    m_db.exec(insertPayment, {m_order, 0, value, calculctrl(amountText), Clock::stamp()});
}

void Payments::remove(qint64 id) {
    m_db.exec(QStringLiteral("delete from T_PAYMENT where PA_AUTOINC = ?"), {id});
}

void Payments::removeAll() {
    m_db.exec(QStringLiteral("delete from T_PAYMENT where PA_NOSAISIE = ?"), {m_order});
}

} // namespace qor

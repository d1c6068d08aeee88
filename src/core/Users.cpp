#include "core/Users.h"

#include "core/DbError.h"
#include "core/TillContext.h"

#include <QStringList>

namespace qor::Users {

QString menuRight(int menu) {
    return QStringLiteral("US_MENU%1").arg(menu);
}

bool userctrl(TillContext& ctx, const QString& pin, const QString& right) {
    // The right names a column, which cannot be a bound parameter: only the known
    // right columns ever reach the statement.
    static const QStringList rights = {input,        menuRight(1), menuRight(2),
                                       menuRight(3), menuRight(4), menuRight(5)};
    const QString column = right.toUpper();
    if (!rights.contains(column))
        throw UserError(QStringLiteral("Droit d'utilisateur inconnu : %1").arg(right));
    if (pin.isEmpty()) return false;
    const Rows rows = ctx.db->select(
        QStringLiteral(
            "select US_ID, US_NAME from T_USER where coalesce(US_OLD, '') <> '1' and US_PWD = ? and ") +
            column + QStringLiteral(" = 'X'"),
        {pin});
    if (rows.size() != 1) return false;
    ctx.idutilisateur = rows.first().value(QStringLiteral("US_ID")).toInt();
    ctx.nomutilisateur = rows.first().value(QStringLiteral("US_NAME")).toString();
    return true;
}

} // namespace qor::Users

#include "Legacy.h"

#include "core/Schema.h"
#include "core/Upgrade.h"

#include <QRegularExpression>

namespace qortest {

void createLegacyDatabase(qor::Database& db) {
    QList<qor::TableDef> tables = qor::Schema::tables();
    auto find = [&](const QString& name) -> qor::TableDef& {
        for (qor::TableDef& t : tables)
            if (t.name.compare(name, Qt::CaseInsensitive) == 0) return t;
        qFatal("unknown table");
    };
    static const QRegularExpression re(QStringLiteral("^alter table (\\w+) (add|drop) column (\\w+)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QStringList& lines = qor::Upgrade::lines();
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        const auto m = re.match(it->mid(7));
        if (!m.hasMatch()) continue;
        qor::TableDef& t = find(m.captured(1));
        if (m.captured(2).compare(u"add", Qt::CaseInsensitive) == 0)
            t.columns.removeIf([&](const qor::ColumnDef& c) {
                return c.name.compare(m.captured(3), Qt::CaseInsensitive) == 0;
            });
        else
            t.columns.append(qor::ColumnDef{m.captured(3), QStringLiteral("text")});
    }
    db.write([&] {
        for (const qor::TableDef& t : tables)
            db.exec(qor::Schema::createStatement(db, t));
        db.exec(QStringLiteral("insert into T_CONFIG (CO_ID, CO_UPDATECTRL, CO_USER, BOUTONEMPORTER) "
                               "values (1, NULL, '0', '1')"));
        db.exec(QStringLiteral("insert into ARTICLES (IDTXT, DESARTICLE_ARTICLES, AR_OLD) values "
                               "(1, 'Café', '0'), (2, 'Ancien', '1'), (3, 'Thé', '0')"));
        db.exec(QStringLiteral("insert into T_PAYMENT_LIST (PL_ID, PL_NAME) values (0, 'Fidélité'), "
                               "(1, 'Espèces'), (2, 'Carte')"));
    });
}

} // namespace qortest

#include "core/Dialect.h"

#include <QRegularExpression>

namespace qor {

namespace {

// Translations shared by both engines: the Jet type words of the upgrade list.
QString commonTypes(QString s) {
    static const QRegularExpression byteWord(QStringLiteral("\\bbyte\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression stringType(QStringLiteral("\\bstring\\s*\\("),
                                               QRegularExpression::CaseInsensitiveOption);
    s.replace(byteWord, QStringLiteral("smallint"));
    s.replace(stringType, QStringLiteral("varchar ("));
    return s;
}

const QRegularExpression& alterColumn() {
    static const QRegularExpression re(
        QStringLiteral("^\\s*alter\\s+table\\s+(\\w+)\\s+alter\\s+column\\s+(\\w+)\\s+(?!type\\b)(.+)$"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

class SqliteDialect final : public Dialect {
  public:
    Engine engine() const override { return Engine::SQLite; }
    QString type(const QString& l) const override {
        if (l == u"autoinc") return QStringLiteral("integer primary key autoincrement");
        if (l == u"int" || l == u"smallint" || l == u"byte") return QStringLiteral("integer");
        if (l == u"number") return QStringLiteral("real");
        if (l == u"decimal") return QStringLiteral("decimal(8,2)");
        if (l == u"date" || l == u"datetime") return QStringLiteral("text");
        return QStringLiteral("text");
    }
    QString translateUpgrade(const QString& statement) const override {
        // SQLite columns carry no enforced type: changing one is nothing to do.
        if (alterColumn().match(statement).hasMatch()) return {};
        return commonTypes(statement);
    }
    QString beginWrite() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString lockTable(const QString&) const override { return {}; }
    QString configOrder() const override { return QStringLiteral("rowid"); }
};

class PostgresDialect final : public Dialect {
  public:
    Engine engine() const override { return Engine::PostgreSQL; }
    QString type(const QString& l) const override {
        if (l == u"autoinc") return QStringLiteral("serial primary key");
        if (l == u"int") return QStringLiteral("integer");
        if (l == u"smallint" || l == u"byte") return QStringLiteral("smallint");
        if (l == u"number") return QStringLiteral("double precision");
        if (l == u"decimal") return QStringLiteral("numeric(8,2)");
        if (l == u"date") return QStringLiteral("date");
        if (l == u"datetime") return QStringLiteral("timestamp");
        if (l.startsWith(u"text(")) return QStringLiteral("varchar") + l.mid(4);
        return QStringLiteral("text");
    }
    QString translateUpgrade(const QString& statement) const override {
        QString s = commonTypes(statement);
        const auto m = alterColumn().match(s);
        if (m.hasMatch())
            return QStringLiteral("alter table %1 alter column %2 type %3")
                .arg(m.captured(1), m.captured(2), m.captured(3));
        return s;
    }
    QString beginWrite() const override { return QStringLiteral("BEGIN"); }
    QString lockTable(const QString& table) const override {
        return QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(table);
    }
    QString configOrder() const override { return QStringLiteral("CO_ID"); }
};

} // namespace

std::unique_ptr<Dialect> Dialect::create(Engine engine) {
    if (engine == Engine::PostgreSQL) return std::make_unique<PostgresDialect>();
    return std::make_unique<SqliteDialect>();
}

} // namespace qor

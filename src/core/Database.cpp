#include "core/Database.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>

namespace qor {

namespace {

QAtomicInt connectionCounter;

QString engineText(const QSqlError& e) {
    QString t = e.databaseText().trimmed();
    if (t.isEmpty()) t = e.text().trimmed();
    return t;
}

} // namespace

DbTarget DbTarget::parse(const QString& line) {
    DbTarget t;
    const QString s = line.trimmed();
    if (s.startsWith(u"postgresql://", Qt::CaseInsensitive) ||
        s.startsWith(u"postgres://", Qt::CaseInsensitive)) {
        t.engine = Engine::PostgreSQL;
        t.url = QUrl(s);
    } else {
        t.engine = Engine::SQLite;
        t.path = s;
    }
    return t;
}

QString DbTarget::describe() const {
    if (engine == Engine::SQLite) return path;
    QUrl u = url;
    u.setPassword({});
    return u.toString();
}

Database::Database(const DbTarget& target, std::unique_ptr<Dialect> dialect)
    : m_target(target), m_dialect(std::move(dialect)) {
    m_name = QStringLiteral("qor-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
}

Database::~Database() {
    m_cache.clear();
    if (m_db.isValid()) {
        if (m_depth > 0) m_db.exec(QStringLiteral("ROLLBACK"));
        m_db.close();
    }
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

std::unique_ptr<Database> Database::open(const DbTarget& target, Mode mode) {
    std::unique_ptr<Database> d(new Database(target, Dialect::create(target.engine)));
    if (target.engine == Engine::SQLite) {
        const QFileInfo fi(target.path);
        if (target.path.isEmpty())
            throw UserError(QStringLiteral("Aucun chemin de base de données n'est donné."));
        if (mode == Mode::OpenExisting) {
            if (!fi.exists() || !fi.isFile())
                throw UserError(QStringLiteral("Impossible d'acceder à la base de données.\r\r"
                                               "Verifier le dossier disque ou réseau.\r\r"
                                               "Fichier cherché : %1")
                                    .arg(target.path));
            const bool fileWritable =
                fi.isWritable() &&
                (fi.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
            const QFileInfo dir(fi.absolutePath());
            const bool dirWritable =
                dir.isWritable() &&
                (dir.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
            if (!fileWritable || !dirWritable)
                throw UserError(QStringLiteral("La base de données %1 n'est pas accessible en écriture.\r"
                                               "Vérifiez les droits sur le fichier et sur son dossier.")
                                    .arg(target.path));
        } else if (fi.exists()) {
            throw UserError(
                QStringLiteral("Le fichier %1 existe déjà : il n'est pas remplacé.").arg(target.path));
        }
        d->m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d->m_name);
        d->m_db.setDatabaseName(target.path);
        d->m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
        if (!d->m_db.open())
            throw UserError(QStringLiteral("Impossible d'ouvrir la base de données %1 : %2")
                                .arg(target.path, engineText(d->m_db.lastError())));
        try {
            // Checks that the file is a database before anything is written to it.
            d->scalar(QStringLiteral("select count(*) from sqlite_master"));
            d->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            d->exec(QStringLiteral("PRAGMA synchronous=FULL"));
        } catch (const DbError& e) {
            throw UserError(QStringLiteral("Le fichier %1 n'est pas une base de données de la caisse (%2).\r"
                                           "Vérifiez la première ligne de config.ini.")
                                .arg(target.path, e.text()));
        }
    } else {
        const QUrl& u = target.url;
        d->m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), d->m_name);
        d->m_db.setHostName(u.host().isEmpty() ? QStringLiteral("localhost") : u.host());
        d->m_db.setPort(u.port(5432));
        d->m_db.setUserName(u.userName());
        d->m_db.setPassword(u.password());
        QString dbname = u.path();
        if (dbname.startsWith(u'/')) dbname.remove(0, 1);
        d->m_db.setDatabaseName(dbname);
        d->m_db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        if (!d->m_db.open())
            throw UserError(
                QStringLiteral("Le serveur PostgreSQL %1 ne répond pas ou refuse la connexion :\r%2\r"
                               "Vérifiez que le serveur est démarré, ainsi que l'adresse, "
                               "l'utilisateur et le mot de passe de config.ini.")
                    .arg(target.describe(), engineText(d->m_db.lastError())));
        d->exec(QStringLiteral("SET client_min_messages TO WARNING"));
    }
    return d;
}

QSqlQuery& Database::prepared(const QString& sql) {
    auto it = m_cache.find(sql);
    if (it != m_cache.end()) return *it;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw DbError(engineText(q.lastError()), sql);
    return *m_cache.insert(sql, q);
}

void Database::run(QSqlQuery& q, const QString& sql, const QVariantList& params) {
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params.at(i));
    if (!q.exec()) {
        const QString text = engineText(q.lastError());
        q.finish();
        throw DbError(text, sql);
    }
}

int Database::exec(const QString& sql, const QVariantList& params) {
    if (params.isEmpty()) {
        // Statements without values (DDL, pragmas) are run as they stand.
        QSqlQuery q(m_db);
        if (!q.exec(sql)) throw DbError(engineText(q.lastError()), sql);
        return q.numRowsAffected();
    }
    QSqlQuery& q = prepared(sql);
    run(q, sql, params);
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

Rows Database::select(const QString& sql, const QVariantList& params) {
    QSqlQuery& q = prepared(sql);
    run(q, sql, params);
    Rows rows;
    while (q.next())
        rows.append(q.record());
    q.finish();
    return rows;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    QSqlQuery& q = prepared(sql);
    run(q, sql, params);
    QVariant v;
    if (q.next()) v = q.value(0);
    q.finish();
    return v;
}

QSqlQuery Database::stream(const QString& sql, const QVariantList& params) {
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw DbError(engineText(q.lastError()), sql);
    run(q, sql, params);
    return q;
}

void Database::begin() {
    QSqlQuery q(m_db);
    if (!q.exec(m_dialect->beginWrite())) throw DbError(engineText(q.lastError()));
    m_depth = 1;
}

void Database::commit() {
    QSqlQuery q(m_db);
    const bool ok = q.exec(QStringLiteral("COMMIT"));
    if (!ok) {
        const QString text = engineText(q.lastError());
        throw DbError(text); // the caller's catch rolls back
    }
    m_depth = 0;
}

void Database::rollback() {
    for (auto& q : m_cache)
        q.finish();
    QSqlQuery q(m_db);
    q.exec(QStringLiteral("ROLLBACK"));
    m_depth = 0;
}

qint64 Database::nextKey(const QString& table, const QString& column, const QString& where) {
    if (m_depth == 0) throw DbError(QStringLiteral("Clé %1.%2 demandée hors transaction").arg(table, column));
    const QString lock = m_dialect->lockTable(table);
    if (!lock.isEmpty()) exec(lock);
    const QVariant v =
        scalar(QStringLiteral("select max(%1) from %2%3")
                   .arg(column, table, where.isEmpty() ? QString() : QStringLiteral(" where ") + where));
    return v.isNull() ? 1 : v.toLongLong() + 1;
}

bool Database::hasTable(const QString& table) {
    const QStringList tables = m_db.tables();
    for (const QString& t : tables)
        if (t.compare(table, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QStringList Database::columns(const QString& table) {
    QStringList names;
    QString t = table;
    if (engine() == Engine::PostgreSQL) t = t.toLower();
    const QSqlRecord r = m_db.record(t);
    for (int i = 0; i < r.count(); ++i)
        names << r.fieldName(i);
    return names;
}

bool Database::hasColumn(const QString& table, const QString& column) {
    return columns(table).contains(column, Qt::CaseInsensitive);
}

} // namespace qor

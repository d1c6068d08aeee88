#pragma once
#include "core/DbError.h"
#include "core/Dialect.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QVariant>
#include <memory>

namespace qor {

using Rows = QList<QSqlRecord>;

// Where a database lives: a SQLite file path, or a postgresql:// URI.
struct DbTarget {
    Engine engine = Engine::SQLite;
    QString path; // SQLite file
    QUrl url;     // PostgreSQL server and database
    static DbTarget parse(const QString& line);
    QString describe() const; // for messages: the path, or the URI without its password
};

// One connection to the till's database. Every value goes in as a bound
// parameter; every failure is raised as a DbError with the engine's text.
class Database {
  public:
    enum class Mode { OpenExisting, CreateNew };
    // Opens the database, or raises a UserError whose French text says what is wrong
    // and what to check. OpenExisting never creates or changes a file.
    static std::unique_ptr<Database> open(const DbTarget& target, Mode mode = Mode::OpenExisting);
    static std::unique_ptr<Database> open(const QString& target, Mode mode = Mode::OpenExisting) {
        return open(DbTarget::parse(target), mode);
    }
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const Dialect& dialect() const { return *m_dialect; }
    Engine engine() const { return m_dialect->engine(); }
    const DbTarget& target() const { return m_target; }
    QSqlDatabase& handle() { return m_db; }

    // Runs a statement that returns no rows; gives the number of rows it touched.
    int exec(const QString& sql, const QVariantList& params = {});
    // Runs a select and reads every row at once.
    Rows select(const QString& sql, const QVariantList& params = {});
    // First column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // A statement whose rows the caller walks (large results); not cached.
    QSqlQuery stream(const QString& sql, const QVariantList& params = {});

    // Runs fn inside one write transaction: everything or nothing. Nested calls
    // join the outer transaction. A throw rolls back and is raised again.
    template <class F> auto write(F&& fn) -> decltype(fn()) {
        if (m_depth > 0) {
            ++m_depth;
            struct Leave {
                int& d;
                ~Leave() { --d; }
            } leave{m_depth};
            return fn();
        }
        begin();
        try {
            if constexpr (std::is_void_v<decltype(fn())>) {
                fn();
                commit();
            } else {
                auto result = fn();
                commit();
                return result;
            }
        } catch (...) {
            rollback();
            throw;
        }
    }
    bool inTransaction() const { return m_depth > 0; }

    // The largest value of column plus one (1 for an empty table), for keys the
    // program assigns. Must run inside write(): the table is locked until commit,
    // so two workstations never get the same key.
    qint64 nextKey(const QString& table, const QString& column, const QString& where = {});

    bool hasTable(const QString& table);
    bool hasColumn(const QString& table, const QString& column);
    QStringList columns(const QString& table);

    // Opens a second connection to the same database (another workstation in tests).
    std::unique_ptr<Database> clone() const { return open(m_target); }

  private:
    Database(const DbTarget& target, std::unique_ptr<Dialect> dialect);
    QSqlQuery& prepared(const QString& sql);
    void run(QSqlQuery& q, const QString& sql, const QVariantList& params);
    void begin();
    void commit();
    void rollback();

    DbTarget m_target;
    std::unique_ptr<Dialect> m_dialect;
    QSqlDatabase m_db;
    QString m_name;
    QHash<QString, QSqlQuery> m_cache;
    int m_depth = 0;
};

} // namespace qor

#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace qor {

class Database;

// The structure of the till's database at its latest version.
struct ColumnDef {
    QString name;
    QString type; // logical type, see Dialect::type
};
struct TableDef {
    QString name;
    QList<ColumnDef> columns;
};

namespace Schema {

// Stamp of the latest structure: the last line of the upgrade list.
inline constexpr const char* latestStamp = "180531";

const QList<TableDef>& tables();
const TableDef* table(const QString& name);
const QList<TableDef>& logTables();
// Indexes on the columns that hot statements filter by.
const QStringList& indexes();

QString createStatement(const Database& db, const TableDef& table);
// Creates every table and index of the main database (inside one transaction).
void create(Database& db);
// Creates the log table of log.db.
void createLog(Database& db);
// Creates the indexes that are missing (also used after an upgrade).
void createIndexes(Database& db);

} // namespace Schema
} // namespace qor

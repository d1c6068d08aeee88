#pragma once
#include <QString>
#include <memory>

namespace qor {

enum class Engine { SQLite, PostgreSQL };

// What differs between the two engines: type names, statements of the
// structure upgrade, transactions and locking for program-assigned keys.
class Dialect {
  public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;
    // Physical type for a logical one: "text", "text(12)", "int", "smallint",
    // "byte", "number", "decimal", "date", "datetime", "autoinc".
    virtual QString type(const QString& logical) const = 0;
    // The statement to run for one statement of the upgrade list; empty = nothing to run.
    virtual QString translateUpgrade(const QString& statement) const = 0;
    // Starts a transaction that holds the write lock from its first statement.
    virtual QString beginWrite() const = 0;
    // Statement that serialises key assignment on a table inside a write transaction
    // (empty when beginWrite already serialises writers).
    virtual QString lockTable(const QString& table) const = 0;
    // Order in which the settings rows are read ("/bo" reads the second one).
    virtual QString configOrder() const = 0;

    static std::unique_ptr<Dialect> create(Engine engine);
};

} // namespace qor

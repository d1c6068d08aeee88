#pragma once
#include <sqlite3.h>

#include <map>
#include <string>

// The reference floor of the benchmarks: the minimal SQL the same work needs,
// run through the SQLite library directly with prepared statements kept.
class Floor {
  public:
    explicit Floor(const std::string& path);
    ~Floor();
    Floor(const Floor&) = delete;
    Floor& operator=(const Floor&) = delete;

    // A touch: one line written in its own transaction, the order read back, its totals summed.
    double touch(const std::string& order, int row);
    void removeLine(const std::string& order, int row);
    // Ten lines and two payments, as order entry and the payment screen leave them.
    void prepareOrder(const std::string& order, int lines);
    // Recording: payments flagged, number taken, header, journal, stock, loyalty, lines removed.
    int record(const std::string& order);
    // The reads a receipt needs.
    int receipt(const std::string& order);
    // Opening the database and reading settings, VAT, business data, rooms, tables and their states.
    static int startup(const std::string& path);

  private:
    sqlite3_stmt* stmt(const char* sql);
    void exec(const char* sql);
    sqlite3* m_db = nullptr;
    std::map<std::string, sqlite3_stmt*> m_stmts;
};

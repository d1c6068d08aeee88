#pragma once
#include <QString>
#include <functional>

namespace qor {

struct TillContext;

// Fills a till's database with years of realistic sales through the till's own
// order and recording code: business days of a few hundred tickets, 1 to 15
// lines each, several payment methods, discounts, offered and deleted lines,
// drafts, stock movements, customers with loyalty, and a closing each day.
struct HistoryOptions {
    int days = 365;
    int ticketsPerDay = 100;
    quint32 seed = 20261211;
    // Called after each day with the days done and the journal lines written.
    std::function<void(int day, qint64 journalLines)> progress;
};

struct HistoryStats {
    qint64 tickets = 0;
    qint64 journalLines = 0;
};

// ctx must hold an open demo database (rooms, tables, articles, customers).
HistoryStats generateHistory(TillContext& ctx, const HistoryOptions& options);

} // namespace qor

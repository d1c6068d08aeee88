#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>

namespace qor {

class Database;
struct TillContext;

// What recording an order needs to know, taken from the payment screen and the
// till context when the operator records it.
struct TicketRequest {
    QString order;           // order number
    double total = 0;        // amount due, as the payment screen shows it
    bool correction = false; // payments of a recorded ticket were corrected: flags only
    bool draft = false;      // draft ticket: number 0, no stock, no loyalty
    int idcli = 1;
    int couvert = 0;
    int nosalle = 0;
    int notable = 0;
    QString nomtable;
    int remiseglobale = 0;
    bool countVisit = true; // the customer's visit counter goes up
    QString heurefinjour;   // end of the business day after midnight, "HH:MM:SS"

    // The request for the till context's current table, customer, covers and settings.
    static TicketRequest from(const TillContext& ctx, const QString& order, double total, bool draft = false);
};

struct RecordedTicket {
    QString order;
    int number = 0; // 0 for a draft
    QDate date;     // business date
    QString hour;   // "HH:MM:SS" (23:59:59 after midnight before the end-of-day hour)
    QString stamp;  // HI_TIMECTRL
};

// Records a paid order as a ticket, in one transaction: every payment flagged,
// the HISTORIQUE row, one JNL row per order line with its control digest, stock
// movements, loyalty credit and visit, and the order's lines removed. Either all
// of it is written or none of it, and ticket numbers stay one sequence without
// duplicates when several workstations record at once.
class TicketRecorder {
  public:
    explicit TicketRecorder(Database& db) : m_db(db) {}

    RecordedTicket record(const TicketRequest& request, const QDateTime& now);

    // Business date and hour of a ticket recorded at now.
    static std::pair<QDate, QString> businessDate(const QDateTime& now, const QString& heurefinjour);

    // Steps of the recording, named so that a test can make one fail.
    enum class Step { Payments, Header, Journal, Stock, Loyalty, Lines };
    // Called after each step inside the transaction (tests only).
    void setAfterStep(std::function<void(Step)> hook) { m_afterStep = std::move(hook); }

  private:
    void step(Step s) {
        if (m_afterStep) m_afterStep(s);
    }
    Database& m_db;
    std::function<void(Step)> m_afterStep;
};

} // namespace qor

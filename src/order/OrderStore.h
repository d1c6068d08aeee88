#pragma once
#include "core/TillContext.h"
#include "order/CurrentArticle.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace qor {

// One visible line of the open order, as the ticket grid shows it.
struct OrderLine {
    QString qte;         // cell 0: quantity as text ("2", "0.5", "-1")
    QString designation; // cell 1
    QString total;       // cell 2: line total, two decimals, padded to 6
    QString user;        // cell 3: "#" + first character of the user number
    qint64 key = 0;      // cell 4 (hidden): CLEAUTO_SAISIE
    double quantity = 0;
    double price = 0;
    double lineTotal = 0;
};

// Totals of the open order after calculnet.
struct OrderTotals {
    qint16 rg = 0;      // global percentage of the order (negative = discount)
    double s1 = 0;      // sum of the visible line totals
    double s2 = 0;      // the same after the global percentage: the amount due
    QString labelRg;    // "RG (-10%) :"
    QString labelMrg;   // "- 1.50"
    QString labelTotal; // "13.50"
};

// VAT included in the order, per rate.
struct VatShare {
    double rate = 0;
    int code = 0;
    double amount = 0;
};

// Result of the keypad used for an open price.
struct KeypadValue {
    double nb = 0;
    QString nbtxt;
};

// The open order of a table: the SAISIES rows of one order number. Writes go
// through one transaction each; every read is bound to the till context's order.
class OrderStore {
  public:
    explicit OrderStore(TillContext& ctx) : m_ctx(ctx) {}

    // Asks the price of an open-price article (0.01 or -0.01): sign is "+" or "-".
    // No value (keypad closed) writes no line.
    std::function<std::optional<KeypadValue>(const QString& sign)> askPrice;
    // Shows two lines on the customer display.
    std::function<void(const QString&, const QString&)> display;

    // Opens the table's order: its latest order number, covers and provisional
    // state; or, without rows, a new number from the clock (nothing written yet).
    // Returns true when the table had an order.
    bool openOrder();
    bool provisoireok() const { return m_provisoireok; }

    // Customer of the open order: from its first line, or the walk-in customer 1.
    // Sets idcli, nomclidetail and the customer type used by calculprix.
    void loadCustomer(bool hasLines);
    void setCustomer(int idcli);
    QString nomcli() const { return m_nomcli; }
    QString tarifclient() const { return m_tarifclient; }

    // Writes the article as a new line, or adds the quantity to the last line when
    // it is the same article, price and designation, still visible, not sent to
    // production and not on a provisional bill. sign is "+" or "-", qty the
    // quantity text. Returns false when nothing was written (open price cancelled).
    bool enregistresaisie(CurrentArticle article, const QString& sign, const QString& qty);

    // Reads the visible lines in order, then recomputes the totals.
    const QList<OrderLine>& litsaisie();
    const QList<OrderLine>& lines() const { return m_lines; }

    // Recomputes every visible line total and the global percentage, stores them,
    // and shows the selected line and the total on the customer display.
    const OrderTotals& calculnet(int selectedRow = -1);
    const OrderTotals& totals() const { return m_totals; }

    // Unit price of an article for the attached customer, rounded to cents.
    double calculprix(const QString& idarticle);
    // The same from a row of ARTICLES joined with T_TVA and FAMILLES.
    double priceOf(const QSqlRecord& article) const;
    static double priceFor(const QSqlRecord& article, const QString& tarifclient, bool namedCustomer);

    QList<VatShare> vatContent();
    double loyaltyCredit();

    // Order-level values repeated on every line.
    void setCovers(int couvert);
    void setLineUser(qint64 key, int user);
    // Leaving the screen: SA_INFO 1 (waiting) or 0 on every line of the table.
    void setTableWaiting(bool waiting);
    bool hasLines();

    // Order number "YYMMDDHHMMSS" one second after the given one.
    static QString nextSecond(const QString& number);

  private:
    // Before the first line of a new order: takes the table's order when another
    // workstation opened it meanwhile, else the next number free in SAISIES and
    // HISTORIQUE. Runs inside the write transaction.
    void claimOrderNumber();

    TillContext& m_ctx;
    bool m_provisoireok = false;
    QString m_tarifclient = QStringLiteral("0");
    QString m_nomcli;
    QList<OrderLine> m_lines;
    OrderTotals m_totals;
};

} // namespace qor

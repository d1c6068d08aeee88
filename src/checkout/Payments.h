#pragma once
#include <QList>
#include <QString>

namespace qor {

class Database;

// The payments of one order (T_PAYMENT): what the payment screen enters,
// lists and deletes before the order is recorded as a ticket.
class Payments {
  public:
    struct Method {
        int id;
        QString name;
    };
    struct Entry {
        qint64 id; // PA_AUTOINC
        QString method;
        double value;
    };

    Payments(Database& db, const QString& order) : m_db(db), m_order(order) {}

    // The payment methods offered as buttons (loyalty credit, method 0, is not one).
    static QList<Method> methods(Database& db);

    const QString& order() const { return m_order; }
    // Sum of every payment of the order, recorded ones included ("En cours").
    double paid() const;
    // The payments not yet recorded, in entry order (the payments grid).
    QList<Entry> open() const;
    // True when the payments match the total to the cent.
    static bool matches(double total, double paid);

    // Enters count rows of amountText in the method; a zero amount does nothing.
    void add(int method, const QString& amountText, int count = 1);
    // Enters the loyalty payment: refused when the order already has one
    // ("Il y a déjà une ligne de fidélité !") or when it exceeds the balance.
    void addLoyalty(const QString& amountText, double balance);
    bool hasLoyalty() const;
    // Loyalty credit used by the order (sum of its method-0 payments).
    double loyaltyUsed() const;

    void remove(qint64 id);
    void removeAll();

    static QString incompleteText() { return QStringLiteral("Le reglement est incomplet"); }
    static QString secondLoyaltyText() { return QStringLiteral("Il y a déjà une ligne de fidélité !"); }
    static QString loyaltyTooHighText() {
        return QStringLiteral("Vous ne pouvez pas dépasser le montant de la fidélité !");
    }

  private:
    Database& m_db;
    QString m_order;
};

} // namespace qor

#pragma once
#include <QSqlRecord>
#include <QString>
#include <array>

namespace qor {

// The article about to be written as an order line, filled by the entry screen
// from an article button (or by the barcode and group entries).
struct CurrentArticle {
    QString selidarticle;           // ARTICLES.IDTXT
    QString selidfamille;           // family number
    QString seldesarticle;          // designation
    double selprixarticle = 0;      // unit price including VAT
    double selprixachat = 0;        // purchase price
    QString seltvaarticle;          // VAT code
    double seltxtvaarticle = 0;     // VAT rate in percent
    QString selimparticle;          // printed on the customer ticket (AR_PRINTTICKET)
    std::array<QString, 4> selprod; // CUISINEOK, AR_PRINTPROD1..3
    double selfidarticle = 0;       // loyalty percentage
    bool askgroup = false;          // AR_ASKGROUP: ask the composition of a group

    // Fills every field but the price from a row of ARTICLES joined with T_TVA.
    static CurrentArticle fromRecord(const QSqlRecord& r);
};

} // namespace qor

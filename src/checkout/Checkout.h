#pragma once
#include "checkout/TicketRecorder.h"

#include <QString>
#include <functional>

namespace qor {

struct TillContext;

// What the payment screen hands over when the operator records an order.
struct CheckoutRequest {
    QString order;
    double total = 0;
    bool correction = false;
    bool draft = false;
    int impnum = 0; // 0 record only (the receipt file is still written), 1 print, 2 print two receipts
};

// The operator's choice of document when the settings ask for it: 1 receipt,
// 2 split bill by parts, 3 split bill by amounts.
using ReceiptChoice = std::function<int()>;

struct CheckoutResult {
    RecordedTicket ticket;
    QStringList problems; // printer or archive failures after the ticket was recorded
};

// Records the order as a ticket (everything or nothing), then writes the receipt,
// prints it as asked and archives it as HTML and PDF. Once the ticket is recorded
// nothing is lost: a printer or converter failure is reported in problems and the
// receipt can be printed again later.
CheckoutResult validerenregistrement(TillContext& ctx, const CheckoutRequest& request,
                                     const ReceiptChoice& choose = {});

// Writes the receipt of a recorded order to "impression_ticket.txt"; with print,
// sends it to the ticket printer. Returns the file.
QString writeReceipt(TillContext& ctx, const QString& order, bool print, bool duplicate = false);

// Converts "impression_ticket.txt" into ARCHIVES/impression_ticket.html and
// ARCHIVES/<YYMMDD>-<number>.pdf. Returns the PDF path.
QString archiveReceipt(TillContext& ctx, const RecordedTicket& ticket);

// The converter the archive calls (an HTML-to-PDF program taking the same options).
QString pdfConverter();

} // namespace qor

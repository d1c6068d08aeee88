#pragma once
#include <QString>

namespace qor {

struct TillContext;
class Tpaiementform;

// The pay button of order entry.
struct PayRequest {
    QString order;
    QString totalText;    // the amount due as order entry shows it ("25.00")
    double credit = 0;    // loyalty credit the order earns
    bool empty = false;   // the order has no visible line
    bool express = false; // an express method is chosen instead of the payment screen
    int method = 0;       // the express method (PL_ID)
    bool draft = false;   // record as a draft ticket
};

// Pays the order: the payment screen (normal), or one payment of the whole amount
// in the express method followed by the recording, the receipt as the direct-sale
// setting says, and the drawer. Returns true when a ticket was recorded.
bool payOrder(TillContext& ctx, Tpaiementform& payment, const PayRequest& request);

} // namespace qor

#include "checkout/ui/PayOperation.h"

#include "checkout/Checkout.h"
#include "checkout/Payments.h"
#include "checkout/ui/Tpaiementform.h"
#include "core/Prompt.h"
#include "core/TillContext.h"
#include "printing/CashDrawer.h"


namespace qor {

bool payOrder(TillContext& ctx, Tpaiementform& payment, const PayRequest& r) {
    if (r.empty) {
        Prompt::current().inform(QStringLiteral("Attention, votre ticket est vide !"));
        return false;
    }
    payment.prepareNormal(r.order, r.totalText.toDouble(), r.credit);
    payment.modifok = false;
    if (!r.express) {
        payment.exec();
        return payment.modifok;
    }

    if (!r.draft) Payments(*ctx.db, r.order).add(r.method, r.totalText);
    Prompt::current().inform(QStringLiteral("Le ticket a été enregistré."));
    // 1 prints one receipt; 0 and 2 record without printing; other values record nothing.
    if (ctx.encaissedirect <= 2) {
        const int impnum = ctx.encaissedirect == 1 ? 1 : 0;
        const CheckoutResult result = validerenregistrement(
            ctx, CheckoutRequest{r.order, r.totalText.toDouble(), false, r.draft, impnum});
        payment.modifok = true;
        for (const QString& p : result.problems)
            Prompt::current().inform(p);
    }
    try {
        ouvretiroir(ctx, false);
    } catch (const UserError& e) {
        Prompt::current().inform(e.text());
    }
    return payment.modifok;
}

} // namespace qor

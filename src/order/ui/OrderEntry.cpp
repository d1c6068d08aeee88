#include "order/ui/OrderEntry.h"

#include "order/ui/Tsaisiefmx.h"
#include "rooms/ui/Tmainform.h"

namespace qor {

// The order-entry screen is built once, on first use, and reused for every table.
OrderEntryExit showOrderEntry(Tmainform& main) {
    auto* screen = main.findChild<Tsaisiefmx*>(QStringLiteral("Tsaisiefmx"), Qt::FindDirectChildrenOnly);
    if (!screen) screen = new Tsaisiefmx(main);
    return screen->run() ? OrderEntryExit::Waiting : OrderEntryExit::Closed;
}

} // namespace qor

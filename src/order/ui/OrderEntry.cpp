#include "order/ui/OrderEntry.h"

#include "rooms/ui/Tmainform.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qor {

// Stand-in until the order entry screen is built: an empty modal window that says so.
OrderEntryExit showOrderEntry(Tmainform& main) {
    QDialog d(&main, Qt::Dialog | Qt::FramelessWindowHint);
    d.setObjectName(QStringLiteral("Tsaisiefmx"));
    d.setAccessibleName(QStringLiteral("Prise de commande"));
    d.setStyleSheet(QStringLiteral("#Tsaisiefmx { background: #222; border: 2px solid #888; }"
                                   "QLabel { color: white; font-size: 24px; }"
                                   "QPushButton { font-size: 22px; font-weight: bold; min-height: 64px; }"));
    auto* layout = new QVBoxLayout(&d);
    const TillContext& ctx = main.ctx();
    auto* text =
        new QLabel(QStringLiteral("Table %1 : la prise de commande arrive bientôt.").arg(ctx.nomtable), &d);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text, 1);
    auto* close = new QPushButton(QStringLiteral("Fermer"), &d);
    close->setObjectName(QStringLiteral("btnclose"));
    close->setAccessibleName(QStringLiteral("Fermer la prise de commande"));
    QObject::connect(close, &QPushButton::clicked, &d, &QDialog::accept);
    layout->addWidget(close);
    d.resize(600, 300);
    d.exec();
    return OrderEntryExit::Closed;
}

} // namespace qor

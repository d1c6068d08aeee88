#include "checkout/ui/Tticketfichefmx.h"

#include "core/TillContext.h"
#include "core/ui/TouchStyle.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace qor {

Tticketfichefmx::Tticketfichefmx(TillContext& ctx, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tticketfichefmx"));
    setAccessibleName(QStringLiteral("Choix du document à imprimer"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setStyleSheet(
        QStringLiteral("QDialog { background: %1; border: 3px solid %2; }"
                       "QPushButton { font-size: 22px; font-weight: bold; min-height: 110px; "
                       "min-width: 190px; background: white; border: 2px solid %2; border-radius: 10px; }")
            .arg(TouchStyle::css(ctx.couleurfond), TouchStyle::css(ctx.couleurbordure)));
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(20, 20, 20, 20);
    l->setSpacing(16);
    const QList<std::tuple<QString, QString, QString>> buttons = {
        {QStringLiteral("Ticket"), QStringLiteral("btnticket"), QStringLiteral("Imprimer le ticket")},
        {QStringLiteral("Fiche division"), QStringLiteral("btnfichediv"),
         QStringLiteral("Fiche de division par parts")},
        {QStringLiteral("Fiche montant"), QStringLiteral("btnfichemontant"),
         QStringLiteral("Fiche de division par montants")}};
    int answer = 1;
    for (const auto& [text, name, accessible] : buttons) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAccessibleName(accessible);
        connect(b, &QPushButton::clicked, this, [this, answer] {
            Reponse = answer;
            accept();
        });
        l->addWidget(b);
        ++answer;
    }
}

int Tticketfichefmx::choose() {
    Reponse = 0;
    exec();
    return Reponse;
}

} // namespace qor

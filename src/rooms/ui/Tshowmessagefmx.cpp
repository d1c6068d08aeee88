#include "rooms/ui/Tshowmessagefmx.h"

#include "core/TillContext.h"
#include "core/ui/DialogPrompt.h"
#include "core/ui/Skin.h"
#include "core/ui/TouchStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qor {

Tshowmessagefmx::Tshowmessagefmx(TillContext& ctx, const Skin* skin, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Tshowmessagefmx"));
    setAccessibleName(QStringLiteral("Message"));
    setModal(true);
    setFixedSize(500, 300);
    setStyleSheet(QStringLiteral("#Tshowmessagefmx { background: %1; border: 2px solid %2; }"
                                 "QLabel#labelmessage { color: %3; font-family: Arial; font-size: 22px; }"
                                 "QPushButton#btnok { color: white; background: #2e7d32; font-size: 24px;"
                                 " font-weight: bold; border-radius: 10px; }"
                                 "QPushButton#btnok:pressed { background: #555; }")
                      .arg(TouchStyle::css(ctx.couleurfond), TouchStyle::css(ctx.couleurbordure),
                           TouchStyle::readableOn(ctx.couleurfond, ctx.couleurecriture)));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(20, 20, 20, 20);
    labelmessage = new QLabel(this);
    labelmessage->setObjectName(QStringLiteral("labelmessage"));
    labelmessage->setAccessibleName(QStringLiteral("Texte du message"));
    labelmessage->setAlignment(Qt::AlignCenter);
    labelmessage->setWordWrap(false);
    root->addWidget(labelmessage, 1);
    btnok = new QPushButton(QStringLiteral("OK"), this);
    btnok->setObjectName(QStringLiteral("btnok"));
    btnok->setAccessibleName(QStringLiteral("Fermer le message"));
    btnok->setFixedSize(150, 72);
    btnok->setFocusPolicy(Qt::NoFocus);
    if (skin) TouchStyle::setPicture(btnok, skin->picture(QStringLiteral("skin/sok.png")));
    root->addWidget(btnok, 0, Qt::AlignHCenter);
    connect(btnok, &QPushButton::clicked, this, &QDialog::accept);
}

void Tshowmessagefmx::showMessage(const QString& message) {
    labelmessage->setText(message);
    exec();
}

void Tshowmessagefmx::showEvent(QShowEvent* e) {
    labelmessage->setText(DialogPrompt::display(labelmessage->text()));
    QDialog::showEvent(e);
}

} // namespace qor

#include "rooms/ui/Touinonfmx.h"

#include "core/TillContext.h"
#include "core/ui/DialogPrompt.h"
#include "core/ui/Skin.h"
#include "core/ui/TouchStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qor {

Touinonfmx::Touinonfmx(TillContext&, const Skin* skin, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Touinonfmx"));
    setAccessibleName(QStringLiteral("Question"));
    setModal(true);
    setFixedSize(500, 300);
    setStyleSheet(QStringLiteral(
        "#Touinonfmx { background: black; border: 2px dotted #d0d0d0; }"
        "QLabel#LabelMessage { color: white; font-family: Arial; font-size: 22px; }"
        "QPushButton { color: white; font-size: 24px; font-weight: bold; border-radius: 10px; min-height: "
        "72px;"
        " min-width: 150px; }"
        "QPushButton#btnoui { background: #2e7d32; } QPushButton#btnnon { background: #b71c1c; }"
        "QPushButton:pressed { background: #555; }"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(20, 20, 20, 20);
    LabelMessage = new QLabel(this);
    LabelMessage->setObjectName(QStringLiteral("LabelMessage"));
    LabelMessage->setAccessibleName(QStringLiteral("Question posée"));
    LabelMessage->setAlignment(Qt::AlignCenter);
    LabelMessage->setWordWrap(false);
    root->addWidget(LabelMessage, 1);
    auto* row = new QHBoxLayout;
    btnoui = new QPushButton(QStringLiteral("Oui"), this);
    btnoui->setObjectName(QStringLiteral("btnoui"));
    btnoui->setAccessibleName(QStringLiteral("Oui"));
    btnnon = new QPushButton(QStringLiteral("Non"), this);
    btnnon->setObjectName(QStringLiteral("btnnon"));
    btnnon->setAccessibleName(QStringLiteral("Non"));
    for (QPushButton* b : {btnoui, btnnon}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    if (skin) {
        btnoui->setFixedSize(150, 72);
        btnnon->setFixedSize(150, 72);
        TouchStyle::setPicture(btnoui, skin->picture(QStringLiteral("skin/yes.png")));
        TouchStyle::setPicture(btnnon, skin->picture(QStringLiteral("skin/no.png")));
    }
    row->addStretch();
    row->addWidget(btnoui);
    row->addSpacing(40);
    row->addWidget(btnnon);
    row->addStretch();
    root->addLayout(row);
    connect(btnoui, &QPushButton::clicked, this, [this] { answer(true); });
    connect(btnnon, &QPushButton::clicked, this, [this] { answer(false); });
}

bool Touinonfmx::ask(const QString& message) {
    LabelMessage->setText(message);
    exec();
    return reponse;
}

void Touinonfmx::showEvent(QShowEvent* e) {
    reponse = false;
    LabelMessage->setText(DialogPrompt::display(LabelMessage->text()));
    if (parentWidget()) {
        const QWidget* over = parentWidget()->window();
        move(over->geometry().center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(e);
}

void Touinonfmx::answer(bool yes) {
    reponse = yes;
    if (yes)
        accept();
    else
        QDialog::reject();
}

void Touinonfmx::reject() {}

} // namespace qor

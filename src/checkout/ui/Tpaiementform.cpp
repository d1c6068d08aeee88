#include "checkout/ui/Tpaiementform.h"

#include "checkout/Checkout.h"
#include "checkout/Payments.h"
#include "checkout/ui/Tticketfichefmx.h"
#include "core/DbError.h"
#include "core/Digest.h"
#include "core/Prompt.h"
#include "core/TillContext.h"
#include "core/ui/Skin.h"
#include "core/ui/TClavierNumForm.h"
#include "core/ui/TouchStyle.h"
#include "printing/CashDrawer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qor {

namespace {
const QString draftNo = QStringLiteral("Brouillon -> NON");
const QString draftYes = QStringLiteral("Brouillon -> OUI");
} // namespace

QPushButton* Tpaiementform::button(const QString& text, const QString& name, const QString& accessible) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAccessibleName(accessible);
    b->setMinimumSize(TouchStyle::fingerSize, TouchStyle::fingerSize);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

Tpaiementform::Tpaiementform(TillContext& ctx, const Skin* skin, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_skin(skin) {
    setObjectName(QStringLiteral("Tpaiementform"));
    setAccessibleName(QStringLiteral("Réglement"));
    setWindowTitle(QStringLiteral("Réglement"));
    setWindowFlag(Qt::FramelessWindowHint);
    setModal(true);
    const QString bg = TouchStyle::css(ctx.couleurfond), fg = TouchStyle::css(ctx.couleurecriture),
                  border = TouchStyle::css(ctx.couleurbordure),
                  title = TouchStyle::css(ctx.couleurecrituretitre);
    setStyleSheet(
        QStringLiteral("QDialog#Tpaiementform { background: %1; border: 3px solid %3; }"
                       "QLabel { color: %2; font-size: 20px; }"
                       "QPushButton { font-size: 18px; font-weight: bold; background: white; color: #222;"
                       " border: 2px solid %3; border-radius: 8px; padding: 4px; }"
                       "QPushButton:checked { background: %3; color: white; }"
                       "QPushButton:disabled { color: #aaa; border-color: #ccc; }"
                       "QTableWidget { font-size: 20px; }"
                       "#titlebar { background: %3; } #titlebar QLabel { color: %4; font-weight: bold; }")
            .arg(bg, fg, border, title));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 8);
    auto* titleBar = new QWidget(this);
    titleBar->setObjectName(QStringLiteral("titlebar"));
    auto* tl = new QHBoxLayout(titleBar);
    auto* caption = new QLabel(QStringLiteral(" Paiement"), titleBar);
    caption->setObjectName(QStringLiteral("LabelTitre"));
    tl->addWidget(caption, 1);
    auto* calc = button(QStringLiteral("Calc"), QStringLiteral("btncalc"), QStringLiteral("Calculatrice"));
    connect(calc, &QPushButton::clicked, this, [] { TouchStyle::startCalculator(); });
    tl->addWidget(calc);
    BtnClose = button(QStringLiteral("X"), QStringLiteral("BtnClose"), QStringLiteral("Fermer le paiement"));
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
    tl->addWidget(BtnClose);
    if (m_skin) {
        TouchStyle::setPicture(calc, m_skin->picture(QStringLiteral("SKIN/CALC.PNG")));
        TouchStyle::setPicture(BtnClose, m_skin->picture(QStringLiteral("SKIN/CLOSE.PNG")));
    }
    root->addWidget(titleBar);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 6, 10, 0);
    body->setSpacing(12);
    root->addLayout(body, 1);

    // Left: the method buttons in two columns, then the multiplier.
    auto* left = new QVBoxLayout;
    auto* methods = new QGridLayout;
    methods->setSpacing(6);
    for (int i = 0; i < 16; ++i) {
        LabelP[i] = button({}, QStringLiteral("LabelP%1").arg(i + 1),
                           QStringLiteral("Mode de paiement %1").arg(i + 1));
        LabelP[i]->setMinimumWidth(170);
        methods->addWidget(LabelP[i], i / 2, i % 2);
        connect(LabelP[i], &QPushButton::clicked, this, [this, i] { LabelP1Click(i); });
    }
    left->addLayout(methods);
    auto* qty = new QHBoxLayout;
    qty->setSpacing(4);
    for (int i = 0; i < 9; ++i) {
        Q[i] = button(QString::number(i + 1), QStringLiteral("Q%1").arg(i + 1),
                      QStringLiteral("Multiplier le paiement par %1").arg(i + 1));
        Q[i]->setCheckable(true);
        Q[i]->setAutoExclusive(true);
        Q[i]->setMinimumWidth(TouchStyle::fingerSize - 24);
        connect(Q[i], &QPushButton::clicked, this, [this, i] { nbreglement = i + 1; });
        qty->addWidget(Q[i]);
    }
    left->addLayout(qty);
    body->addLayout(left, 5);

    // Right: the payments grid, the totals, loyalty, draft and recording.
    auto* right = new QVBoxLayout;
    auto* gridRow = new QHBoxLayout;
    sgreglement = new QTableWidget(0, 3, this);
    sgreglement->setObjectName(QStringLiteral("sgreglement"));
    sgreglement->setAccessibleName(QStringLiteral("Règlements saisis"));
    sgreglement->setHorizontalHeaderLabels(
        {QStringLiteral("id"), QStringLiteral("Mode"), QStringLiteral("Montant")});
    sgreglement->hideColumn(0);
    sgreglement->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    sgreglement->verticalHeader()->hide();
    sgreglement->verticalHeader()->setDefaultSectionSize(40);
    sgreglement->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgreglement->setSelectionMode(QAbstractItemView::SingleSelection);
    sgreglement->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridRow->addWidget(sgreglement, 1);
    auto* gridTools = new QVBoxLayout;
    auto* up = button(QStringLiteral("▲"), QStringLiteral("btnhaut"), QStringLiteral("Règlement précédent"));
    auto* down = button(QStringLiteral("▼"), QStringLiteral("btnbas"), QStringLiteral("Règlement suivant"));
    btnsupligne = button(QStringLiteral("Suppr."), QStringLiteral("btnsupligne"),
                         QStringLiteral("Supprimer le règlement choisi"));
    Btnsuptout = button(QStringLiteral("Tout\nsuppr."), QStringLiteral("Btnsuptout"),
                        QStringLiteral("Supprimer tous les règlements"));
    connect(up, &QPushButton::clicked, this,
            [this] { sgreglement->selectRow(std::max(0, sgreglement->currentRow() - 1)); });
    connect(down, &QPushButton::clicked, this, [this] {
        sgreglement->selectRow(std::min(sgreglement->rowCount() - 1, sgreglement->currentRow() + 1));
    });
    connect(btnsupligne, &QPushButton::clicked, this, &Tpaiementform::deleteSelected);
    connect(Btnsuptout, &QPushButton::clicked, this, &Tpaiementform::deleteAll);
    if (m_skin) {
        TouchStyle::setPicture(btnsupligne, m_skin->picture(QStringLiteral("SKIN/deleteline.png")));
        TouchStyle::setPicture(Btnsuptout, m_skin->picture(QStringLiteral("SKIN/deleteline2.png")));
    }
    for (QPushButton* b : {up, down, btnsupligne, Btnsuptout})
        gridTools->addWidget(b);
    gridRow->addLayout(gridTools);
    right->addLayout(gridRow, 1);

    auto* totals = new QGridLayout;
    auto addTotal = [&](int row, const QString& text, const QString& name, const QString& accessible) {
        auto* l = new QLabel(text, this);
        auto* v = new QLabel(QStringLiteral("0.00"), this);
        v->setObjectName(name);
        v->setAccessibleName(accessible);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        v->setStyleSheet(QStringLiteral("font-size: 30px; font-weight: bold;"));
        totals->addWidget(l, row, 0);
        totals->addWidget(v, row, 1);
        totals->addWidget(new QLabel(QStringLiteral("€"), this), row, 2);
        return v;
    };
    labeltotal =
        addTotal(0, QStringLiteral("Total"), QStringLiteral("labeltotal"), QStringLiteral("Montant dû"));
    LabelFact =
        addTotal(1, QStringLiteral("En cours"), QStringLiteral("LabelFact"), QStringLiteral("Montant réglé"));
    LabelRendu =
        addTotal(2, QStringLiteral("Reste"), QStringLiteral("LabelRendu"), QStringLiteral("Reste à régler"));
    right->addLayout(totals);

    PanelFidelite = new QWidget(this);
    PanelFidelite->setObjectName(QStringLiteral("PanelFidelite"));
    auto* fl = new QHBoxLayout(PanelFidelite);
    fl->setContentsMargins(0, 0, 0, 0);
    LabelFideliteSolde = new QLabel(QStringLiteral("Fidelité : 0"), PanelFidelite);
    LabelFideliteSolde->setObjectName(QStringLiteral("LabelFideliteSolde"));
    LabelFidelite = button(QStringLiteral("Utiliser"), QStringLiteral("LabelFidelite"),
                           QStringLiteral("Payer avec le crédit fidélité"));
    connect(LabelFidelite, &QPushButton::clicked, this, &Tpaiementform::LabelFideliteClick);
    fl->addWidget(LabelFideliteSolde, 1);
    fl->addWidget(LabelFidelite);
    right->addWidget(PanelFidelite);

    btnbrouillon =
        button(draftNo, QStringLiteral("btnbrouillon"), QStringLiteral("Ticket brouillon oui ou non"));
    connect(btnbrouillon, &QPushButton::clicked, this, [this] { setDraft(!draft()); });
    right->addWidget(btnbrouillon);

    auto* rec = new QHBoxLayout;
    Imagesave = button(QStringLiteral("Enregistrer"), QStringLiteral("Imagesave"),
                       QStringLiteral("Enregistrer sans imprimer"));
    Imagesaveandprint =
        button(QStringLiteral("Enregistrer\net imprimer"), QStringLiteral("Imagesaveandprint"),
               QStringLiteral("Enregistrer et imprimer le ticket"));
    Imagesaveandprint2 =
        button(QStringLiteral("Enregistrer\n2 tickets"), QStringLiteral("Imagesaveandprint2"),
               QStringLiteral("Enregistrer et imprimer deux tickets"));
    const char* pictures[] = {"SKIN/save.png", "SKIN/saveandprint.png", "SKIN/saveandprint2.png"};
    int mode = 0;
    for (QPushButton* b : {Imagesave, Imagesaveandprint, Imagesaveandprint2}) {
        b->setMinimumHeight(80);
        if (m_skin) TouchStyle::setPicture(b, m_skin->picture(QLatin1String(pictures[mode])));
        connect(b, &QPushButton::clicked, this, [this, mode] { record(mode); });
        rec->addWidget(b);
        ++mode;
    }
    right->addLayout(rec);
    body->addLayout(right, 6);

    // Methods from the table, in button order; the loyalty method is not a button.
    const auto list = Payments::methods(*ctx.db);
    for (int i = 0; i < 16; ++i) {
        const bool used = i < list.size();
        LabelP[i]->setText(used ? list.at(i).name : QString());
        LabelP[i]->setAccessibleName(used ? QStringLiteral("Payer en ") + list.at(i).name
                                          : QStringLiteral("Mode de paiement libre"));
        m_methodIds[i] = used ? list.at(i).id : -1;
        LabelP[i]->setEnabled(used);
    }
    resize(1000, 680);
}

bool Tpaiementform::draft() const {
    return btnbrouillon->text() == draftYes;
}
void Tpaiementform::setDraft(bool d) {
    btnbrouillon->setText(d ? draftYes : draftNo);
}
double Tpaiementform::total() const {
    return labeltotal->text().toDouble();
}

void Tpaiementform::prepareNormal(const QString& order, double total, double credit) {
    paiementnosaisie = order;
    labeltotal->setText(money(total));
    mtcreditfidelite = credit;
    correctionok = false;
    for (QPushButton* b :
         {Imagesaveandprint, Imagesaveandprint2, BtnClose, btnsupligne, Btnsuptout, btnbrouillon})
        b->setVisible(true);
}

void Tpaiementform::prepareCorrection(const QString& order, double total) {
    paiementnosaisie = order;
    labeltotal->setText(money(total));
    mtcreditfidelite = 0;
    correctionok = true;
    for (QPushButton* b :
         {Imagesaveandprint, Imagesaveandprint2, BtnClose, btnsupligne, Btnsuptout, btnbrouillon})
        b->setVisible(false);
}

void Tpaiementform::showEvent(QShowEvent* e) {
    nbreglement = 1;
    Q[0]->setChecked(true);
    fidelite = 0;
    setDraft(false);
    modifok = false;
    const bool loyalty = m_ctx.fideliteok && m_ctx.idcli != 1;
    PanelFidelite->setVisible(loyalty);
    if (loyalty) {
        fidelite = m_ctx.db
                       ->scalar(QStringLiteral("select CL_RESIDUAL_LOYALTY from CLIENTS where IDTXT = ?"),
                                {m_ctx.idcli})
                       .toDouble();
        LabelFideliteSolde->setText(QStringLiteral("Fidelité : ") + numberText(fidelite));
    }
    CalculMontant();
    if (parentWidget()) move(parentWidget()->window()->geometry().center() - rect().center());
    QDialog::showEvent(e);
}

void Tpaiementform::CalculMontant() {
    Payments pay(*m_ctx.db, paiementnosaisie);
    const double paid = pay.paid();
    LabelFact->setText(money(paid));
    const auto rows = pay.open();
    sgreglement->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        sgreglement->setItem(i, 0, new QTableWidgetItem(QString::number(rows.at(i).id)));
        sgreglement->setItem(i, 1, new QTableWidgetItem(rows.at(i).method));
        auto* amount = new QTableWidgetItem(money(rows.at(i).value));
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sgreglement->setItem(i, 2, amount);
    }
    if (!rows.isEmpty()) sgreglement->selectRow(int(rows.size()) - 1);
    LabelRendu->setText(money(paid - total()));
}

QString Tpaiementform::askAmount(const QString& title, int maxLength, bool sign, const QString& preset) {
    TClavierNumForm keypad(m_ctx, m_skin, this);
    keypad.prepare(title, maxLength, sign, false, preset);
    keypad.exec();
    if (!keypad.egalok) return {};
    return keypad.nbtxt;
}

void Tpaiementform::setMultiplier(int n) {
    nbreglement = std::clamp(n, 1, 9);
    Q[nbreglement - 1]->setChecked(true);
}

void Tpaiementform::enterPayment(int method, const QString& amountText) {
    if (amountText.trimmed().isEmpty() || amountText.toDouble() == 0) return;
    Payments(*m_ctx.db, paiementnosaisie).add(method, amountText, nbreglement);
    CalculMontant();
    setMultiplier(1);
}

void Tpaiementform::LabelP1Click(int index) {
    if (LabelP[index]->text().isEmpty() || m_methodIds[index] < 0) return;
    const QString due = money(-LabelRendu->text().toDouble());
    enterPayment(m_methodIds[index], askAmount(QStringLiteral(" Reglement"), 7, true, due));
}

void Tpaiementform::enterLoyalty(const QString& amountText) {
    if (amountText.trimmed().isEmpty() || amountText.toDouble() == 0) return;
    Payments(*m_ctx.db, paiementnosaisie).addLoyalty(amountText, fidelite);
    fidelite = amountText.toDouble();
    CalculMontant();
}

void Tpaiementform::LabelFideliteClick() {
    Payments pay(*m_ctx.db, paiementnosaisie);
    if (pay.hasLoyalty()) {
        Prompt::current().inform(Payments::secondLoyaltyText());
        return;
    }
    try {
        enterLoyalty(askAmount(QStringLiteral(" Fidelité"), 5, false, numberText(fidelite)));
    } catch (const UserError& e) {
        Prompt::current().inform(e.text());
    }
}

void Tpaiementform::deleteSelected() {
    const int row = sgreglement->currentRow();
    if (row < 0 || !sgreglement->item(row, 0)) return;
    if (!Prompt::current().ask(QStringLiteral("Etes-vous sur de vouloir supprimer cette ligne ?"))) return;
    Payments(*m_ctx.db, paiementnosaisie).remove(sgreglement->item(row, 0)->text().toLongLong());
    CalculMontant();
}

void Tpaiementform::deleteAll() {
    if (!Prompt::current().ask(QStringLiteral("Etes-vous sur de vouloir supprimer les reglements ?"))) return;
    Payments(*m_ctx.db, paiementnosaisie).removeAll();
    CalculMontant();
}

bool Tpaiementform::record(int impnum) {
    if (!Payments::matches(total(), LabelFact->text().toDouble())) {
        Prompt::current().inform(Payments::incompleteText());
        return false;
    }
    // The question comes over the screen: hiding a modal screen would end it.
    if (impnum == 0 && !correctionok &&
        !Prompt::current().ask(QStringLiteral("Enregistrer le ticket sans imprimer ?")))
        return false;
    const CheckoutResult r = validerenregistrement(
        m_ctx, CheckoutRequest{paiementnosaisie, total(), correctionok, draft(), impnum}, [this] {
            Tticketfichefmx choice(m_ctx, this);
            return choice.choose();
        });
    modifok = true;
    for (const QString& p : r.problems)
        Prompt::current().inform(p);
    try {
        ouvretiroir(m_ctx, false);
    } catch (const UserError& e) {
        Prompt::current().inform(e.text());
    }
    m_ctx.vueimpression(QStringLiteral("PAIEMENT"));
    accept();
    return true;
}

} // namespace qor

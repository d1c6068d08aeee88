#include "order/ui/Tsaisiefmx.h"

#include "checkout/Payments.h"
#include "checkout/ui/PayOperation.h"
#include "checkout/ui/Tpaiementform.h"

#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/Users.h"
#include "core/ui/Tclaviernumfmx.h"
#include "core/ui/TouchStyle.h"
#include "order/NumberText.h"
#include "printing/CashDrawer.h"
#include "printing/CustomerDisplay.h"
#include "rooms/ui/Tmainform.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QScroller>
#include <QWindow>
#include <cmath>

namespace qor {

namespace {

const char* const designProp = "qorDesign";
const char* const fontProp = "qorFont";

// Windows colour value (red in the low byte) as a screen colour.
QColor winColor(int c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
// "RRGGBB" of the catalogue as a screen colour; grey when empty or wrong.
QColor hexColor(const QString& rrggbb) {
    const QColor c(QLatin1Char('#') + rrggbb.trimmed());
    return c.isValid() ? c : QColor(0xB0, 0xB0, 0xB0);
}
QString textOn(const QColor& bg) {
    return bg.lightness() < 120 ? QStringLiteral("white") : QStringLiteral("black");
}

void place(QWidget* w, QRectF design, qreal font = 0) {
    w->setProperty(designProp, design);
    if (font > 0) w->setProperty(fontProp, font);
}

QString buttonStyle(const QColor& bg, int radius = 5) {
    return QStringLiteral(
               "QPushButton { background: %1; color: %2; border: 1px solid %3; border-radius: %4px; "
               "font-weight: bold; } QPushButton:pressed { background: %5; } "
               "QPushButton:disabled { color: #888; }")
        .arg(bg.name(), textOn(bg), bg.darker(130).name())
        .arg(radius)
        .arg(bg.darker(120).name());
}

// Removes a button built for an earlier family; it is freed once its click has returned.
void retire(QWidget* w) {
    w->hide();
    w->setObjectName({});
    w->deleteLater();
}

} // namespace

Tsaisiefmx::Tsaisiefmx(Tmainform& main, QWidget* parent)
    : QDialog(parent ? parent : &main, Qt::FramelessWindowHint | Qt::Dialog), m_main(main), m_ctx(main.ctx()),
      m_store(m_ctx), m_catalog(*m_ctx.db) {
    setObjectName(QStringLiteral("Tsaisiefmx"));
    setAccessibleName(QStringLiteral("Saisie de la commande"));
    setModal(true);
    const QColor background = winColor(m_ctx.couleurfond);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
    setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(winColor(m_ctx.couleurecriture).name()));

    m_store.display = [this](const QString& a, const QString& b) {
        try {
            affichelcd(m_ctx, a, b);
        } catch (const UserError& e) {
            m_displayError = e.text();
        }
    };
    m_store.askPrice = [this](const QString& sign) {
        KeypadSetup s;
        s.title = QStringLiteral(" Prix");
        s.lgmax = 7;
        s.signVisible = s.signEnabled = true;
        s.sign = sign;
        return askKeypad(s);
    };

    // Top bar: move on the left; from the right close, hourglass, calculator, customer,
    // customer card, technical note, then merge, covers, production send and keyboard.
    btnbougefenetre =
        toolButton(this, "btnbougefenetre", "Déplacer la fenêtre", "✥", "move.png", {2, 2, 48, 46});
    btnbougefenetre->installEventFilter(this);
    auto* btnclose = toolButton(this, "btnclose", "Fermer la table", "✕", "close.png", {932, 2, 56, 46});
    auto* btnsablier =
        toolButton(this, "btnsablier", "Mettre la table en attente", "Attente", "wait.png", {872, 2, 56, 46});
    auto* btncalc = toolButton(this, "btncalc", "Calculatrice", "Calc", "calc.png", {812, 2, 56, 46});
    auto* btnclient =
        toolButton(this, "btnclient", "Choisir le client", "Client", "client.png", {752, 2, 56, 46});
    auto* btneanclient =
        toolButton(this, "btneanclient", "Carte du client", "Carte", "userid.png", {692, 2, 56, 46});
    auto* imagefichetechnique =
        toolButton(this, "imagefichetechnique", "Fiche technique", "Note", "technote.png", {632, 2, 56, 46});
    auto* imagesplit =
        toolButton(this, "imagesplit", "Fusionner des tables", "Fusion", "split.png", {556, 2, 56, 46});
    auto* btncouvert =
        toolButton(this, "btncouvert", "Nombre de couverts", "Couv.", "plate.png", {496, 2, 56, 46});
    auto* imageprod =
        toolButton(this, "imageprod", "Envoyer en production", "Prod", "prod.png", {436, 2, 56, 46});
    auto* btnkb = toolButton(this, "btnkb", "Clavier visuel", "Clavier", "keyboard.png", {376, 2, 56, 46});
    connect(btnclose, &QPushButton::clicked, this, [this] { btncloseClick(0); });
    connect(btnsablier, &QPushButton::clicked, this, [this] { btncloseClick(1); });
    connect(btncalc, &QPushButton::clicked, this, [] { TouchStyle::startCalculator(); });
    connect(btnkb, &QPushButton::clicked, this, [this] { m_ctx.freevk(); });
    connect(btncouvert, &QPushButton::clicked, this, [this] { btncouvertClick(); });
    for (QPushButton* b : {btnclient, btneanclient, imagefichetechnique, imagesplit, imageprod})
        later(b);
    imagesplit->setVisible(m_ctx.fusionOk);
    imagefichetechnique->setVisible(m_ctx.FTOk);
    btnclient->setVisible(m_ctx.clientok);
    btneanclient->setVisible(m_ctx.clientok);
    btncouvert->setVisible(m_ctx.couvertsOk);
    imageprod->setVisible(m_ctx.margevestiaire1.isEmpty());

    BarreTitre = new QLabel(this);
    BarreTitre->setObjectName(QStringLiteral("BarreTitre"));
    BarreTitre->setAccessibleName(QStringLiteral("Commande en cours"));
    BarreTitre->setStyleSheet(
        QStringLiteral("background: %1; color: %2; font-weight: bold; padding-left: 6px;")
            .arg(winColor(m_ctx.couleurbordure).name(), winColor(m_ctx.couleurecrituretitre).name()));
    place(BarreTitre, {0, 52, 992, 46}, 14);

    // Left: the ticket grid, the total block, the express strip and the payment buttons.
    sg1 = new QTableWidget(0, 5, this);
    sg1->setObjectName(QStringLiteral("sg1"));
    sg1->setAccessibleName(QStringLiteral("Lignes de la commande"));
    sg1->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg1->setSelectionMode(QAbstractItemView::SingleSelection);
    sg1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg1->horizontalHeader()->hide();
    sg1->verticalHeader()->hide();
    sg1->setColumnHidden(4, true);
    sg1->setShowGrid(false);
    sg1->setStyleSheet(QStringLiteral("QTableWidget { background: white; color: black; } "
                                      "QTableWidget::item:selected { background: #2f6db5; color: white; }"));
    QScroller::grabGesture(sg1->viewport(), QScroller::LeftMouseButtonGesture);
    place(sg1, {5, 102, 385, 378}, 15);

    LabelRg = new QLabel(QStringLiteral("RG(0%) :"), this);
    LabelRg->setObjectName(QStringLiteral("LabelRg"));
    LabelRg->setAccessibleName(QStringLiteral("Remise globale"));
    place(LabelRg, {5, 484, 110, 24}, 13);
    LabelMrg = new QLabel(this);
    LabelMrg->setObjectName(QStringLiteral("LabelMrg"));
    LabelMrg->setAccessibleName(QStringLiteral("Montant de la remise globale"));
    place(LabelMrg, {5, 508, 110, 24}, 13);
    LabelTotal = new QLabel(QStringLiteral("0.00"), this);
    LabelTotal->setObjectName(QStringLiteral("LabelTotal"));
    LabelTotal->setAccessibleName(QStringLiteral("Total à payer"));
    LabelTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelTotal->setStyleSheet(QStringLiteral("font-weight: bold;"));
    place(LabelTotal, {115, 482, 240, 54}, 40);
    auto* euro = new QLabel(QStringLiteral("€"), this);
    euro->setObjectName(QStringLiteral("LabelEuro"));
    euro->setAccessibleName(QStringLiteral("euros"));
    euro->setStyleSheet(QStringLiteral("font-weight: bold;"));
    place(euro, {358, 482, 32, 54}, 32);

    const bool express = m_ctx.encaissedirect != 0;
    RectangleExpress = new QWidget(this);
    RectangleExpress->setObjectName(QStringLiteral("RectangleExpress"));
    RectangleExpress->setAccessibleName(QStringLiteral("Paiement express"));
    place(RectangleExpress, {5, 540, 385, 52});
    RectangleExpress->setVisible(express);
    const QList<Payments::Method> methods =
        express ? Payments::methods(*m_ctx.db) : QList<Payments::Method>{};
    const char* names[] = {"btnexpress1", "btnexpress2", "btnexpress4"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(RectangleExpress);
        b->setObjectName(QLatin1String(names[i]));
        QString caption = i == 2 ? QStringLiteral("...") : QString::number(i + 1);
        int tag = 0;
        if (i < 2 && i < methods.size()) {
            caption = methods.at(i).name;
            tag = methods.at(i).id;
        }
        b->setText(caption);
        b->setProperty("tag", tag);
        b->setAccessibleName(i == 2 ? QStringLiteral("Écran de paiement")
                                    : QStringLiteral("Payer en ") + caption);
        b->setStyleSheet(buttonStyle(QColor(0xE8, 0xE8, 0xE8)));
        place(b, {i * 124.0, 0, 120, 42}, 11);
        m_express << b;
        if (i < 2)
            connect(b, &QPushButton::clicked, this, [this, b] { btnexpress1Click(b); });
        else
            connect(b, &QPushButton::clicked, this, [this] { btnexpress4Click(); });
    }
    Recrouge = new QWidget(RectangleExpress);
    Recrouge->setObjectName(QStringLiteral("Recrouge"));
    Recrouge->setAccessibleName(QStringLiteral("Mode de paiement choisi"));
    Recrouge->setStyleSheet(QStringLiteral("background: #d01010;"));
    place(Recrouge, {248 + 4, 44, 112, 7});

    const qreal payY = express ? 597 : 582;
    auto* btnimprime =
        toolButton(this, "btnimprime", "Imprimer l'addition", "Addition", "print.png", {5, payY, 118, 88});
    btnimprimantetxt = new QPushButton(this);
    btnimprimantetxt->setObjectName(QStringLiteral("btnimprimantetxt"));
    btnimprimantetxt->setAccessibleName(QStringLiteral("Couper l'imprimante de tickets"));
    btnimprimantetxt->setFlat(true);
    btnimprimantetxt->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    btnimprimantetxt->installEventFilter(this);
    place(btnimprimantetxt, {124, payY, 10, 88});
    auto* btntiroir = toolButton(this, "btntiroir", "Ouvrir le tiroir-caisse", "Tiroir", "cashdrawer.png",
                                 {136, payY, 110, 88});
    auto* btnpaiement =
        toolButton(this, "btnpaiement", "Encaisser la commande", "Payer", "pig.png", {250, payY, 140, 88});
    btnpaiement->setStyleSheet(buttonStyle(QColor(0x2E, 0x8B, 0x3E), 8));
    later(btnimprime);
    connect(btntiroir, &QPushButton::clicked, this, &Tsaisiefmx::btntiroirClick);
    connect(btnpaiement, &QPushButton::clicked, this, &Tsaisiefmx::btnpaiementClick);
    for (QPushButton* b : {btnimprime, btntiroir, btnpaiement})
        if (b->icon().isNull()) b->setProperty(fontProp, 15);

    // Middle: the line buttons.
    RectangleBtn = new QWidget(this);
    RectangleBtn->setObjectName(QStringLiteral("RectangleBtn"));
    RectangleBtn->setAccessibleName(QStringLiteral("Opérations sur la ligne"));
    place(RectangleBtn, {394, 102, 62, 560});
    const struct {
        const char* name;
        const char* accessible;
        const char* text;
        const char* skin;
    } lineButtons[] = {
        {"btnchangetexte", "Changer le texte de la ligne", "Texte", "abc.png"},
        {"btnchangeprix", "Supplément ou remise en euros", "± €", "euro.png"},
        {"btnremiseligne", "Remise en pourcentage sur la ligne", "Rem. %", "discount.png"},
        {"btnrg", "Remise ou majoration globale", "RG %", "globaldiscount.png"},
        {"btnoffrir", "Offrir la ligne", "Offrir", "gift.png"},
        {"btnsupligne", "Supprimer la ligne", "Suppr.", "deleteline.png"},
        {"btnutilisateur", "Changer l'utilisateur de la ligne", "Serveur", "user.png"},
    };
    for (int i = 0; i < 7; ++i) {
        QPushButton* b =
            toolButton(RectangleBtn, lineButtons[i].name, QString::fromUtf8(lineButtons[i].accessible),
                       QString::fromUtf8(lineButtons[i].text), lineButtons[i].skin, {2, i * 78.0, 58, 70});
        if (i < 6)
            later(b);
        else {
            connect(b, &QPushButton::clicked, this, [this] { btnutilisateurClick(); });
            b->setVisible(m_ctx.utilisateurok);
        }
    }

    // Right: families, then articles, each with its navigation row.
    auto makeArea = [this](const char* rect, const char* name, const char* accessible, QRectF design,
                           QWidget*& content) {
        auto* frame = new QWidget(this);
        frame->setObjectName(QLatin1String(rect));
        place(frame, design);
        auto* area = new QScrollArea(frame);
        area->setObjectName(QLatin1String(name));
        area->setAccessibleName(QString::fromUtf8(accessible));
        area->setFrameShape(QFrame::NoFrame);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setWidgetResizable(false);
        area->setStyleSheet(QStringLiteral("background: transparent;"));
        place(area, {0, 0, design.width(), design.height()});
        content = new QWidget();
        content->setObjectName(QLatin1String(name) + QStringLiteral("_contenu"));
        place(content, {0, 0, design.width(), design.height()});
        area->setWidget(content);
        QScroller::grabGesture(area->viewport(), QScroller::LeftMouseButtonGesture);
        return area;
    };
    vsbfamille = makeArea("Rectanglefamille", "vsbfamille", "Familles", {462, 102, 525, 146}, familyContent);
    vsbarticle = makeArea("RectangleArticle", "vsbarticle", "Articles", {462, 304, 525, 320}, articleContent);

    auto* home =
        toolButton(this, "imagefamille0", "Familles principales", "⌂", "first.png", {462, 252, 60, 48});
    auto* back =
        toolButton(this, "ImageReculfamille", "Famille précédente", "◀", "prior.png", {526, 252, 60, 48});
    auto* hf = toolButton(this, "ImageHF", "Familles précédentes", "▲", "up.png", {862, 252, 60, 48});
    auto* bf = toolButton(this, "ImageBF", "Familles suivantes", "▼", "down.png", {926, 252, 60, 48});
    connect(home, &QPushButton::clicked, this, [this] { imagefamille0Click(); });
    connect(back, &QPushButton::clicked, this, [this] { ImageReculfamilleClick(); });
    connect(hf, &QPushButton::clicked, this, [this] { scroll(vsbfamille, -72); });
    connect(bf, &QPushButton::clicked, this, [this] { scroll(vsbfamille, 72); });

    auto* ha = toolButton(this, "ImageHA", "Articles précédents", "▲", "up2.png", {462, 630, 60, 56});
    auto* ba = toolButton(this, "ImageBA", "Articles suivants", "▼", "down2.png", {526, 630, 60, 56});
    auto* search = toolButton(this, "btnrecherchearticle", "Rechercher un article", "Chercher", "search.png",
                              {600, 630, 80, 56});
    auto* eanArticle =
        toolButton(this, "btneanarticle", "Saisir un code-barres", "Code", "ean.png", {684, 630, 80, 56});
    connect(ha, &QPushButton::clicked, this, [this] { scroll(vsbarticle, -368); });
    connect(ba, &QPushButton::clicked, this, [this] { scroll(vsbarticle, 368); });
    later(search);
    later(eanArticle);
    eanArticle->setVisible(m_ctx.ean);

    btnpm = new QPushButton(QStringLiteral("+"), this);
    btnpm->setObjectName(QStringLiteral("btnpm"));
    btnpm->setAccessibleName(QStringLiteral("Signe de la quantité"));
    btnpm->setStyleSheet(buttonStyle(QColor(0xFF, 0xFF, 0xFF)));
    place(btnpm, {790, 630, 70, 56}, 30);
    connect(btnpm, &QPushButton::clicked, this, [this] { btnpmClick(); });
    Labelqte = new QPushButton(QStringLiteral("1"), this);
    Labelqte->setObjectName(QStringLiteral("Labelqte"));
    Labelqte->setAccessibleName(QStringLiteral("Quantité"));
    Labelqte->setStyleSheet(buttonStyle(QColor(0xFF, 0xFF, 0xFF)));
    place(Labelqte, {864, 630, 122, 56}, 26);
    connect(Labelqte, &QPushButton::clicked, this, [this] { LabelqteClick(); });

    // Height from the settings, width from the scale setting; the design is scaled to it.
    const int h = m_ctx.HauteurMaxi > 0 ? m_ctx.HauteurMaxi : designHeight;
    const int w = static_cast<int>(std::nearbyint(h * (m_ctx.EchelleLargeurMaxi / 100.0 + 1.43)));
    resize(w, h);
    applyScale(this);

    // The customer display is opened once; a port that cannot be opened is reported
    // once and the till goes on without it.
    try {
        ouvreafficheur(m_ctx);
    } catch (const UserError& e) {
        m_displayError = e.text() + QStringLiteral("\rVérifiez les paramétrages de l'afficheur clients");
    }
}

QPushButton* Tsaisiefmx::toolButton(QWidget* parent, const QString& name, const QString& accessible,
                                    const QString& text, const QString& skinFile, QRectF design) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAccessibleName(accessible);
    b->setToolTip(accessible);
    b->setFocusPolicy(Qt::NoFocus);
    const QString file = m_ctx.DefaultImagesPath + QStringLiteral("/skin/") + skinFile;
    if (!m_ctx.DefaultImagesPath.isEmpty() && QFileInfo::exists(file)) {
        b->setIcon(QIcon(file));
        b->setProperty("qorIcon", true);
        b->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    } else {
        b->setText(text);
        b->setStyleSheet(buttonStyle(QColor(0xF4, 0xF4, 0xF4), 8));
    }
    place(b, design, text.size() <= 2 ? 22 : 10);
    return b;
}

void Tsaisiefmx::later(QPushButton* b) {
    connect(b, &QPushButton::clicked, this, [b] {
        Prompt::current().inform(QStringLiteral("« %1 » : cette fonction arrive dans une prochaine version.")
                                     .arg(b->accessibleName()));
    });
}

void Tsaisiefmx::applyScale(QWidget* root) {
    const qreal sx = width() / qreal(designWidth), sy = height() / qreal(designHeight);
    const qreal sf = std::min(sx, sy);
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* w : all) {
        const QVariant d = w->property(designProp);
        if (!d.isValid()) continue;
        const QRectF r = d.toRectF();
        w->setGeometry(qRound(r.x() * sx), qRound(r.y() * sy), qRound(r.width() * sx),
                       qRound(r.height() * sy));
        const QVariant f = w->property(fontProp);
        if (f.isValid()) {
            QFont font = w->font();
            font.setPixelSize(std::max(8, qRound(f.toReal() * sf * 1.2)));
            w->setFont(font);
        }
        if (w->property("qorIcon").toBool())
            if (auto* b = qobject_cast<QPushButton*>(w)) b->setIconSize(b->size() - QSize(4, 4));
    }
    if (sg1) {
        const int widths[] = {50, 205, 65, 35};
        for (int c = 0; c < 4; ++c)
            sg1->setColumnWidth(c, qRound(widths[c] * sx));
        sg1->verticalHeader()->setDefaultSectionSize(qRound(31 * sy));
    }
}

void Tsaisiefmx::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    applyScale(this);
}

bool Tsaisiefmx::eventFilter(QObject* o, QEvent* e) {
    if (o == btnbougefenetre && e->type() == QEvent::MouseButtonPress) {
        if (windowHandle()) windowHandle()->startSystemMove();
        return true;
    }
    if (o == btnimprimantetxt && e->type() == QEvent::MouseButtonDblClick) {
        m_ctx.imprimanteticket = QStringLiteral("TXT"); // no ticket printing until the next start
        return true;
    }
    return QDialog::eventFilter(o, e);
}

std::optional<KeypadValue> Tsaisiefmx::askKeypad(const KeypadSetup& s) {
    if (keypad) return keypad(s);
    if (!m_keypad) m_keypad = new Tclaviernumfmx(m_ctx, this);
    m_keypad->prepare(s.title, s.lgmax, s.signVisible, s.masked, s.quickKeys, s.input);
    m_keypad->setSign(s.sign == u"-");
    m_keypad->btnneg->setEnabled(s.signEnabled);
    m_keypad->exec();
    if (!m_keypad->valide) return std::nullopt;
    return KeypadValue{m_keypad->nb, m_keypad->nbtxt};
}

void Tsaisiefmx::showError(const QString& text) {
    Prompt::current().inform(text);
}

bool Tsaisiefmx::run() {
    m_waiting = false;
    FormShow();
    exec();
    // The customer display goes back to its idle text.
    try {
        affichelcdpub(m_ctx);
    } catch (const UserError& e) {
        showError(e.text());
    }
    return m_waiting;
}

void Tsaisiefmx::FormShow() {
    if (QWidget* p = parentWidget()) move(p->geometry().center() - rect().center());
    const bool has = m_store.openOrder();
    litsaisie();
    m_store.loadCustomer(has && !m_store.lines().isEmpty());
    majbarretitre();
    initarticle();
    m_selidfamille = QStringLiteral("0");
    m_lbidfam.clear();
    affichefamille();
    familleClic(nullptr);
    m_reglementok = true;
    m_paiementexpress = 0;
    QWidget* marker = m_express.value(2);
    if (!m_ctx.margevestiaire1.isEmpty()) {
        marker = m_express.value(0);
        m_reglementok = false;
        m_paiementexpress = 1;
    }
    if (marker) place(Recrouge, {marker->property(designProp).toRectF().x() + 4, 44, 112, 7});
    btnpm->setText(QStringLiteral("+"));
    Labelqte->setText(QStringLiteral("1"));
    RectangleBtn->setEnabled(true);
    applyScale(this);
}

void Tsaisiefmx::majbarretitre() {
    QString t = m_ctx.nosaisie + m_ctx.nomsalle + QStringLiteral(" - ") + m_ctx.nomtable +
                QStringLiteral(" - Client : ") + m_ctx.nomclidetail;
    if (m_ctx.utilisateurok) t += QStringLiteral(" - Utilisateur ") + m_ctx.nomutilisateur;
    if (m_ctx.couvertsOk) t += QStringLiteral(" - Nb couverts ") + QString::number(m_ctx.couvert);
    // The room name starts with a carriage return: the order number sits on its own line.
    BarreTitre->setText(t.replace(u'\r', u'\n'));
}

void Tsaisiefmx::affichefamille() {
    for (QWidget* w : familyContent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->objectName().startsWith(u"btnf")) retire(w);
    const Rows rows = m_catalog.families(m_selidfamille.toInt());
    if (!rows.isEmpty()) {
        m_selidfamille = rows.first().value(QStringLiteral("IDFAMILLE_FAMILLES")).toString();
        m_couleur1 = rows.first().value(QStringLiteral("FA_COLOR")).toString();
    }
    qreal x = 5, y = 0;
    for (const QSqlRecord& r : rows) {
        const QString id = r.value(QStringLiteral("IDFAMILLE_FAMILLES")).toString();
        const QString name = r.value(QStringLiteral("DESFAMILLE_FAMILLES")).toString();
        const QColor c = hexColor(r.value(QStringLiteral("FA_COLOR")).toString());
        auto* b = new QPushButton(familyContent);
        b->setObjectName(QStringLiteral("btnf") + id);
        b->setProperty("tag", id.toInt());
        b->setAccessibleName(QStringLiteral("Famille ") + name);
        b->setFocusPolicy(Qt::NoFocus);
        b->setStyleSheet(buttonStyle(c));
        auto* label = new QLabel(QString(name).replace(u',', u'\n'), b);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setStyleSheet(
            QStringLiteral("color: %1; font-weight: bold; background: transparent;").arg(textOn(c)));
        place(b, {x, y, 82, 68});
        place(label, {0, 0, 82, 68}, 13);
        connect(b, &QPushButton::clicked, this, [this, b] { familleClic(b); });
        b->show();
        if (x >= 350) {
            x = 5;
            y += 72;
        } else {
            x += 85;
        }
    }
    const qreal contentHeight = std::max<qreal>(146, (x == 5 ? y : y + 72));
    place(familyContent, {0, 0, 525, contentHeight});
    applyScale(vsbfamille);
    vsbfamille->verticalScrollBar()->setValue(0);
}

void Tsaisiefmx::familleClic(QWidget* sender) {
    m_ctx.tic();
    if (sender) m_selidfamille = QString::number(sender->property("tag").toInt());
    m_couleur1 = m_catalog.familyColor(m_selidfamille.toInt());
    initarticle();
    const Rows rows = m_catalog.articles(m_selidfamille.toInt());
    if (!rows.isEmpty()) affichearticle(rows);
    if (m_catalog.hasChildren(m_selidfamille.toInt())) {
        if (m_lbidfam.isEmpty() || m_lbidfam.last() != m_selidfamille) m_lbidfam.append(m_selidfamille);
        affichefamille();
    }
}

void Tsaisiefmx::initarticle() {
    for (QWidget* w : articleContent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->objectName().startsWith(u"btna")) retire(w);
    m_articleCount = 0;
}

void Tsaisiefmx::affichearticle(const Rows& rows) {
    const int lg = m_ctx.lgbtnarticle > 0 ? m_ctx.lgbtnarticle : 130;
    const int limit = lg == 99 ? 400 : 270;
    const qreal fontSize = lg == 170 ? 16 : 13;
    qreal x = 5, y = 0;
    int n = 0;
    for (const QSqlRecord& r : rows) {
        const QString color = r.value(QStringLiteral("AR_COLOR")).toString().trimmed();
        const QColor c = hexColor(color.isEmpty() ? m_couleur1 : color);
        const QString name = r.value(QStringLiteral("DESARTICLE_ARTICLES")).toString();
        const double price = m_store.priceOf(r);
        auto* b = new QPushButton(articleContent);
        b->setObjectName(QStringLiteral("btna%1").arg(n));
        b->setProperty("tag", r.value(QStringLiteral("IDTXT")).toInt());
        b->setProperty("prix", price);
        b->setProperty("designation", name);
        b->setAccessibleName(name + QStringLiteral(", ") + NumberText::fixed2(price) +
                             QStringLiteral(" euros"));
        b->setFocusPolicy(Qt::NoFocus);
        b->setStyleSheet(buttonStyle(c));
        auto* label = new QLabel(
            name + u'\n' + NumberText::padLeft(NumberText::fixed2(price), 8) + QStringLiteral("€"), b);
        label->setObjectName(QStringLiteral("lbtna%1").arg(n));
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setStyleSheet(QStringLiteral("color: %1; font-family: Arial, 'Liberation Sans', sans-serif; "
                                            "font-weight: bold; background: transparent;")
                                 .arg(textOn(c)));
        place(b, {x, y, qreal(lg), 59});
        // A name that wraps takes a smaller font, so that the price stays inside the button.
        place(label, {0, 0, qreal(lg), 59}, name.size() * fontSize * 0.62 > lg ? fontSize - 2 : fontSize);
        connect(b, &QPushButton::clicked, this, [this, b] { Q2Click(b); });
        b->show();
        if (x < limit) {
            x += lg + 1;
        } else {
            x = 5;
            y += 61;
        }
        ++n;
    }
    m_articleCount = n;
    const qreal contentHeight = std::max<qreal>(320, x == 5 ? y : y + 61);
    place(articleContent, {0, 0, 525, contentHeight});
    applyScale(vsbarticle);
    vsbarticle->verticalScrollBar()->setValue(0);
}

void Tsaisiefmx::scroll(QScrollArea* area, int designUnits) {
    const qreal sy = height() / qreal(designHeight);
    QScrollBar* bar = area->verticalScrollBar();
    bar->setValue(bar->value() + qRound(designUnits * sy));
}

void Tsaisiefmx::Q2Click(QWidget* sender) {
    m_ctx.tic();
    const int id = sender->property("tag").toInt();
    const std::optional<CurrentArticle> a = m_catalog.article(id);
    if (!a) {
        showError(QStringLiteral("Cet article n'est plus en vente."));
        return;
    }
    m_current = *a;
    m_current.seldesarticle = sender->property("designation").toString();
    m_current.selprixarticle = sender->property("prix").toDouble();
    const QString sign = btnpm->text(), qty = Labelqte->text();
    btnpm->setText(QStringLiteral("+"));
    Labelqte->setText(QStringLiteral("1"));
    m_selidfamille = m_current.selidfamille;
    if (m_store.enregistresaisie(m_current, sign, qty)) litsaisie();
}

void Tsaisiefmx::litsaisie() {
    const QList<OrderLine>& lines = m_store.litsaisie();
    sg1->setRowCount(static_cast<int>(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
        const OrderLine& l = lines.at(i);
        const QString cells[] = {l.qte, l.designation, l.total, l.user, QString::number(l.key)};
        for (int c = 0; c < 5; ++c) {
            QTableWidgetItem* item = sg1->item(i, c);
            if (!item) {
                item = new QTableWidgetItem;
                sg1->setItem(i, c, item);
            }
            item->setText(cells[c]);
            item->setTextAlignment(c == 1 ? (Qt::AlignLeft | Qt::AlignVCenter)
                                          : (Qt::AlignRight | Qt::AlignVCenter));
        }
    }
    if (!lines.isEmpty()) {
        sg1->selectRow(static_cast<int>(lines.size()) - 1);
        sg1->scrollToBottom();
    }
    const OrderTotals& t = m_store.totals();
    LabelRg->setText(t.labelRg);
    LabelMrg->setText(t.labelMrg);
    LabelTotal->setText(t.labelTotal);
    if (!m_displayError.isEmpty()) {
        const QString e = m_displayError;
        m_displayError.clear();
        showError(e);
    }
}

void Tsaisiefmx::imagefamille0Click() {
    btnpm->setText(QStringLiteral("+"));
    initarticle();
    m_selidfamille = QStringLiteral("0");
    m_lbidfam.clear();
    affichefamille();
}

void Tsaisiefmx::ImageReculfamilleClick() {
    btnpm->setText(QStringLiteral("+"));
    if (m_lbidfam.size() < 2) {
        m_selidfamille = QStringLiteral("0");
        m_lbidfam.clear();
    } else {
        m_selidfamille = m_lbidfam.at(m_lbidfam.size() - 2);
        m_lbidfam.removeLast();
    }
    initarticle();
    affichefamille();
}

void Tsaisiefmx::LabelqteClick() {
    KeypadSetup s;
    s.title = QStringLiteral(" Quantité");
    s.input = QStringLiteral("0");
    s.lgmax = 7;
    // Closing the keypad keeps the quantity shown.
    if (const auto v = askKeypad(s)) Labelqte->setText(NumberText::plain(std::abs(v->nb)));
}

void Tsaisiefmx::btnpmClick() {
    btnpm->setText(btnpm->text() == u"+" ? QStringLiteral("-") : QStringLiteral("+"));
}

void Tsaisiefmx::btncouvertClick() {
    KeypadSetup s;
    s.title = QStringLiteral(" Nb couverts");
    s.lgmax = 2;
    s.input = QString::number(m_ctx.couvert);
    const auto v = askKeypad(s);
    if (!v) return; // closed: the covers stay as they were
    m_store.setCovers(static_cast<int>(std::trunc(std::abs(v->nb))));
    majbarretitre();
}

void Tsaisiefmx::btnutilisateurClick() {
    const int row = sg1->currentRow();
    KeypadSetup s;
    s.title = QStringLiteral(" Utilisateur");
    s.lgmax = 1;
    s.quickKeys = false;
    const auto v = askKeypad(s);
    if (row >= 0) sg1->selectRow(row);
    const bool known =
        userctrl ? userctrl(v ? v->nbtxt : QString()) : (v && Users::userctrl(m_ctx, v->nbtxt, Users::input));
    if (!v || !known) return; // a refused code changes nothing and says nothing
    majbarretitre();
    if (!Prompt::current().ask(QStringLiteral("Voulez-vous changer l'utilisateur\nde la ligne en cours ?")))
        return;
    if (row < 0 || row >= m_store.lines().size()) return;
    m_store.setLineUser(m_store.lines().at(row).key, m_ctx.idutilisateur);
    litsaisie();
    sg1->selectRow(row);
}

void Tsaisiefmx::btnexpress1Click(QWidget* sender) {
    m_paiementexpress = static_cast<qint16>(sender->property("tag").toInt());
    place(Recrouge, {sender->property(designProp).toRectF().x() + 4, 44, 112, 7});
    applyScale(RectangleExpress);
    m_reglementok = false;
}

void Tsaisiefmx::btnexpress4Click() {
    m_paiementexpress = 0;
    place(Recrouge, {m_express.value(2)->property(designProp).toRectF().x() + 4, 44, 112, 7});
    applyScale(RectangleExpress);
    m_reglementok = true;
}

Tpaiementform& Tsaisiefmx::paiementform() {
    if (!m_payment) m_payment = std::make_unique<Tpaiementform>(m_ctx, &m_main.skin(), this);
    return *m_payment;
}

void Tsaisiefmx::btnpaiementClick() {
    litsaisie();
    PayRequest r;
    r.order = m_ctx.nosaisie;
    r.totalText = LabelTotal->text().trimmed();
    r.credit = m_store.loyaltyCredit();
    r.empty = m_store.lines().isEmpty();
    r.express = !m_reglementok;
    r.method = m_paiementexpress;
    // The order screen narrows while the payment screen is up (it stays the modal
    // window underneath: hiding it would end it).
    if (!r.express) fermefenetre();
    const bool recorded = payOrder(m_ctx, paiementform(), r);
    if (!r.express) ouvrefenetre();
    if (m_ctx.margevestiaire1.isEmpty()) btnexpress4Click();
    litsaisie();
    if (!recorded) return;
    try {
        affichelcdpub(m_ctx);
    } catch (const UserError&) {
        // A failing display was reported when it was opened; the sale goes on.
    }
    if (m_ctx.encaissedirect != 0) {
        // Direct sale: the screen stays open on a new, empty order.
        m_store.openOrder();
        litsaisie();
        majbarretitre();
        return;
    }
    m_waiting = false;
    accept();
}

void Tsaisiefmx::btntiroirClick() {
    qor::btntiroirClick(m_ctx, [this] {
        auto v = askKeypad([] {
            KeypadSetup k;
            k.title = QStringLiteral(" Mot de passe");
            k.lgmax = 4;
            k.quickKeys = false;
            k.masked = true;
            return k;
        }());
        return v ? v->nbtxt : QString();
    });
}

void Tsaisiefmx::btncloseClick(int tag) {
    m_waiting = false;
    if (m_store.hasLines()) {
        // The table's state for every workstation: waiting (1) or occupied (0).
        m_store.setTableWaiting(tag == 1);
        m_waiting = tag == 1;
    }
    accept();
}

// Escape does not leave the table: the close and hourglass buttons set its state.
void Tsaisiefmx::reject() {}

void Tsaisiefmx::closeEvent(QCloseEvent* e) {
    // Leaving is done with the close or hourglass button, which set the table's state.
    e->ignore();
}

void Tsaisiefmx::fermefenetre() {
    m_largeur = width();
    resize(1, height());
}

void Tsaisiefmx::ouvrefenetre() {
    resize(m_largeur > 1 ? m_largeur : width(), height());
}

} // namespace qor

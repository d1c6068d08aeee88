#include "rooms/ui/Tmainform.h"

#include "core/Clock.h"
#include "core/DbError.h"
#include "core/Prompt.h"
#include "core/Users.h"
#include "core/ui/PinPrompt.h"
#include "core/ui/TClavierNumForm.h"
#include "core/ui/Tclaviernumfmx.h"
#include "core/ui/TouchStyle.h"
#include "rooms/ui/TableButton.h"
#include "rooms/ui/Tchoixcouleurfmx.h"
#include "rooms/ui/Touinonfmx.h"
#include "rooms/ui/Tshowmessagefmx.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace qor {

// The frame shown over a table being moved: pressing drags it, a double-click drops it.
class MoveFrame : public QFrame {
  public:
    explicit MoveFrame(QWidget* plan) : QFrame(plan) {
        setObjectName(QStringLiteral("framemove"));
        setAccessibleName(QStringLiteral("Table en déplacement (double-cliquez pour la poser)"));
        setStyleSheet(
            QStringLiteral("#framemove { border: 3px dashed #ffd54f; background: rgba(255, 213, 79, 70);"
                           " border-radius: 6px; }"));
        setCursor(Qt::SizeAllCursor);
        hide();
    }
    std::function<void(QPoint)> dropped;

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        m_grab = e->position().toPoint();
        e->accept();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton)) return;
        QPoint to = mapToParent(e->position().toPoint()) - m_grab;
        const QWidget* plan = parentWidget();
        to.setX(std::clamp(to.x(), 0, std::max(0, plan->width() - width())));
        to.setY(std::clamp(to.y(), 0, std::max(0, plan->height() - height())));
        move(to);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        e->accept();
        if (dropped) dropped(pos());
    }

  private:
    QPoint m_grab;
};

namespace {
const QString menuCss = QStringLiteral(
    "QPushButton { color: white; background: #333; border: 1px solid #666; border-radius: 6px;"
    " font-size: 15px; font-weight: bold; }"
    "QPushButton:pressed { background: #666; } QPushButton:disabled { color: #777; background: #222; }");
const QString roomCss = QStringLiteral(
    "QPushButton { color: white; font-size: 18px; font-weight: bold; border-radius: 8px; padding: 0 14px;"
    " border: 2px solid #555; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4a4a, stop:1 "
    "#262626);"
    " text-align: center; }"
    "QPushButton:checked { border: 3px solid #ffd54f; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    " stop:0 #7a1e26, stop:1 #4a0f16); }"
    "QPushButton:disabled { color: #888; }");
} // namespace

Tmainform::Tmainform(TillContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("Tmainform"));
    setAccessibleName(QStringLiteral("Plan de salle"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    // Menu bar
    m_menuBar = new QWidget(this);
    m_menuBar->setObjectName(QStringLiteral("menubar"));
    m_menuBar->setAccessibleName(QStringLiteral("Barre de menu"));
    m_menuBar->setFixedHeight(73);
    m_menuBar->setAttribute(Qt::WA_StyledBackground);
    m_menuBar->setStyleSheet(QStringLiteral("#menubar { background: black; }"));
    auto* bar = new QHBoxLayout(m_menuBar);
    bar->setContentsMargins(10, 2, 10, 2);
    bar->setSpacing(20);
    menuButton(1, QStringLiteral("Articles"), QStringLiteral("Catalogue des articles"));
    menuButton(2, QStringLiteral("Stats"), QStringLiteral("Statistiques"));
    menuButton(3, QStringLiteral("Historique"), QStringLiteral("Historique des tickets"));
    menuButton(4, QStringLiteral("Clients"), QStringLiteral("Fichier clients"))->setVisible(m_ctx.clientok);
    menuButton(5, QStringLiteral("Infos"), QStringLiteral("Informations sur le logiciel"));
    menuButton(6, QStringLiteral("Aide"), QStringLiteral("Aide"));
    QPushButton* quit = menuButton(0, QStringLiteral("Quitter"), QStringLiteral("Quitter la caisse"));
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    bar->addStretch();
    m_logo = new QLabel(m_menuBar);
    m_logo->setObjectName(QStringLiteral("logo"));
    m_logo->setAccessibleName(QStringLiteral("Logo"));
    m_logo->setFixedWidth(200);
    bar->addWidget(m_logo);
    m_date = new QLabel(m_menuBar);
    m_date->setObjectName(QStringLiteral("lbldate"));
    m_date->setAccessibleName(QStringLiteral("Date et heure (double-cliquez pour relever les tablettes)"));
    m_date->setStyleSheet(QStringLiteral("color: white; font-size: 20px; font-weight: bold;"));
    m_date->setAlignment(Qt::AlignCenter);
    m_date->setMinimumWidth(110);
    m_date->installEventFilter(this);
    bar->addWidget(m_date);
    root->addWidget(m_menuBar);

    // Room bar: one button per visible room, scrolling when they do not fit; the
    // move-tables button and its indicator at the right.
    m_roomBar = new QWidget(this);
    m_roomBar->setObjectName(QStringLiteral("roombar"));
    m_roomBar->setAccessibleName(QStringLiteral("Barre des salles"));
    m_roomBar->setFixedHeight(80);
    m_roomBar->setAttribute(Qt::WA_StyledBackground);
    m_roomBar->setStyleSheet(QStringLiteral("#roombar { background: black; }"));
    auto* rb = new QHBoxLayout(m_roomBar);
    rb->setContentsMargins(10, 4, 10, 4);
    rb->setSpacing(12);
    m_roomScroll = new QScrollArea(m_roomBar);
    m_roomScroll->setObjectName(QStringLiteral("roomscroll"));
    m_roomScroll->setAccessibleName(QStringLiteral("Salles"));
    m_roomScroll->setFrameShape(QFrame::NoFrame);
    m_roomScroll->setWidgetResizable(true);
    m_roomScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_roomScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_roomScroll->setStyleSheet(QStringLiteral("QScrollArea, #roomstrip { background: black; }"));
    m_roomStrip = new QWidget;
    m_roomStrip->setObjectName(QStringLiteral("roomstrip"));
    m_roomLayout = new QHBoxLayout(m_roomStrip);
    m_roomLayout->setContentsMargins(0, 0, 0, 0);
    m_roomLayout->setSpacing(20);
    m_roomScroll->setWidget(m_roomStrip);
    // When the rooms do not all fit, arrows at both ends scroll the bar a page at a time.
    // (No finger-drag scrolling: it would hold back the touches of the room buttons.)
    const auto arrow = [this](const QString& text, const QString& name, const QString& accessible,
                              int direction) {
        auto* b = new QPushButton(text, m_roomBar);
        b->setObjectName(name);
        b->setAccessibleName(accessible);
        b->setFixedSize(56, 70);
        b->setStyleSheet(menuCss + QStringLiteral("QPushButton { font-size: 26px; }"));
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, direction] {
            QScrollBar* bar = m_roomScroll->horizontalScrollBar();
            bar->setValue(bar->value() + direction * std::max(bar->pageStep() - 100, 100));
        });
        return b;
    };
    QPushButton* previous =
        arrow(QStringLiteral("◀"), QStringLiteral("btnsallesprec"), QStringLiteral("Salles précédentes"), -1);
    QPushButton* next =
        arrow(QStringLiteral("▶"), QStringLiteral("btnsallessuiv"), QStringLiteral("Salles suivantes"), 1);
    connect(m_roomScroll->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
            [previous, next](int, int max) {
                previous->setVisible(max > 0);
                next->setVisible(max > 0);
            });
    rb->addWidget(previous);
    rb->addWidget(m_roomScroll, 1);
    rb->addWidget(next);
    m_moveIndicator = new QLabel(QStringLiteral("Déplacement des tables"), m_roomBar);
    m_moveIndicator->setObjectName(QStringLiteral("lblmovetable"));
    m_moveIndicator->setAccessibleName(QStringLiteral("Modification du plan en cours"));
    m_moveIndicator->setStyleSheet(QStringLiteral("color: #ffd54f; font-size: 18px; font-weight: bold;"));
    m_moveIndicator->hide();
    rb->addWidget(m_moveIndicator);
    m_moveButton = new QPushButton(QStringLiteral("Déplacer\nles tables"), m_roomBar);
    m_moveButton->setObjectName(QStringLiteral("btnmovetable"));
    m_moveButton->setAccessibleName(QStringLiteral("Déplacer les tables"));
    m_moveButton->setCheckable(true);
    m_moveButton->setFixedSize(120, 70);
    m_moveButton->setStyleSheet(menuCss + QStringLiteral("QPushButton:checked { background: #7a1e26;"
                                                         " border: 3px solid #ffd54f; }"));
    connect(m_moveButton, &QPushButton::toggled, this, &Tmainform::setPlanEditing);
    rb->addWidget(m_moveButton);
    root->addWidget(m_roomBar);

    // Plan of the room, 170 pixels from the top, centred; it scrolls when the
    // window is smaller than the plan.
    root->addSpacing(17);
    m_planScroll = new QScrollArea(this);
    m_planScroll->setObjectName(QStringLiteral("planscroll"));
    m_planScroll->setAccessibleName(QStringLiteral("Plan de la salle"));
    m_planScroll->setFrameShape(QFrame::NoFrame);
    m_planScroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_planScroll->setStyleSheet(QStringLiteral(
        "QScrollArea { background: transparent; }"
        "QScrollArea > QWidget > QWidget#qt_scrollarea_viewport { background: transparent; }"
        "QScrollBar:vertical { background: #1c1c1c; width: 30px; margin: 0; }"
        "QScrollBar:horizontal { background: #1c1c1c; height: 30px; margin: 0; }"
        "QScrollBar::handle { background: #8a8a8a; border-radius: 8px; margin: 3px; }"
        "QScrollBar::handle:vertical { min-height: 60px; } QScrollBar::handle:horizontal { min-width: 60px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"));
    m_plan = new QWidget;
    m_plan->setObjectName(QStringLiteral("tableau"));
    m_plan->setAccessibleName(QStringLiteral("Tables de la salle"));
    m_plan->setAttribute(Qt::WA_StyledBackground);
    m_plan->setStyleSheet(
        QStringLiteral("#tableau { background: rgba(255, 255, 255, 18); border: 1px solid #4a4440;"
                       " border-radius: 10px; }"));
    m_plan->setFixedSize(std::max(m_ctx.largeurtableau, 200), std::max(m_ctx.hauteurtableau, 200));
    m_background = new QLabel(m_plan);
    m_background->setObjectName(QStringLiteral("imgroom"));
    m_background->setAccessibleName(QStringLiteral("Fond de la salle"));
    m_background->move(0, 0);
    m_background->hide();
    m_frame = new MoveFrame(m_plan);
    m_frame->dropped = [this](QPoint at) { endMove(at); };
    m_planScroll->setWidget(m_plan);
    m_planScroll->installEventFilter(this);
    root->addWidget(m_planScroll, 1);

    m_claviernumfmx = new Tclaviernumfmx(m_ctx, this);
    m_ClavierNumForm = new TClavierNumForm(m_ctx, &m_skin, this);
    m_ouinonfmx = new Touinonfmx(m_ctx, &m_skin, this);
    m_showmessagefmx = new Tshowmessagefmx(m_ctx, &m_skin, this);
    m_choixcouleurfmx = new Tchoixcouleurfmx(this);

    connect(&m_timer, &QTimer::timeout, this, [this] {
        maintitle();
        if (m_ctx.nbtablette != 0) recuptab();
    });
    m_timer.start(10000);
    maintitle();
}

Tmainform::~Tmainform() = default;

QPushButton* Tmainform::menuButton(int number, const QString& text, const QString& accessible) {
    auto* b = new QPushButton(text, m_menuBar);
    b->setObjectName(QStringLiteral("mainmenu%1").arg(number));
    b->setAccessibleName(accessible);
    b->setFixedSize(88, 66);
    b->setStyleSheet(menuCss);
    static_cast<QHBoxLayout*>(m_menuBar->layout())->addWidget(b);
    if (number >= 1 && number <= 6)
        connect(b, &QPushButton::clicked, this, [this, number] { menuClicked(number); });
    return b;
}

void Tmainform::loadSkin(bool noRoomPicture) {
    m_noRoomPicture = noRoomPicture;
    m_skin.load(m_ctx.DefaultImagesPath, noRoomPicture);
    for (int i = 0; i <= 6; ++i) {
        const QString name = QStringLiteral("SKIN/mainmenu%1.png").arg(i);
        if (!m_skin.has(name)) continue;
        if (auto* b = findChild<QPushButton*>(QStringLiteral("mainmenu%1").arg(i))) {
            b->setIcon(m_skin.picture(name));
            b->setIconSize(b->size() - QSize(6, 6));
            b->setText({});
        }
    }
    if (m_skin.has(QStringLiteral("logo.png")))
        m_logo->setPixmap(m_skin.picture(QStringLiteral("logo.png")).scaled(200, 69, Qt::KeepAspectRatio));
    if (m_skin.has(QStringLiteral("skin/move.png"))) {
        m_moveButton->setIcon(m_skin.picture(QStringLiteral("skin/move.png")));
        m_moveButton->setIconSize(m_moveButton->size() - QSize(8, 8));
        m_moveButton->setText({});
    }
    // The dialogs that copy skin pictures when they are made are made again with it.
    delete m_ClavierNumForm;
    m_ClavierNumForm = new TClavierNumForm(m_ctx, &m_skin, this);
    delete m_ouinonfmx;
    m_ouinonfmx = new Touinonfmx(m_ctx, &m_skin, this);
    delete m_showmessagefmx;
    m_showmessagefmx = new Tshowmessagefmx(m_ctx, &m_skin, this);
    for (int i = 0; i < m_roomButtons.size(); ++i) {
        const QString name = QStringLiteral("SKIN/room%1.png").arg(i + 1);
        if (m_skin.has(name)) m_roomButtons[i]->setIcon(m_skin.picture(name));
    }
    update();
}

void Tmainform::maintitle() {
    const QDateTime now = Clock::now();
    setWindowTitle(m_ctx.maintitle(now));
    m_date->setText(TillContext::dateLabel(now));
}

void Tmainform::recuptab() {
    // Tablet orders are picked up by the kitchen printing; nothing to do until it is in place.
}

// ---- showing the window and the room bar --------------------------------------

void Tmainform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    // At the top-left corner of the screen and over all of it, also where no window
    // manager maximizes windows.
    if (!isFullScreen() && screen() && !parentWidget()) setGeometry(screen()->availableGeometry());
    maintitle();
    layoutRooms();
    m_ctx.nosalle = 1;
    chooseRoom(m_rooms.isEmpty() ? 1 : m_rooms.first().nosalle);
    m_moveIndicator->hide();
    if (!m_ctx.gestionTableOk) {
        // Shop mode: no rooms; order entry opens at once, the plan stays behind it.
        m_roomBar->hide();
        m_ctx.idcli = m_ctx.idCliPassage;
        m_ctx.idutilisateur = -1;
        m_ctx.nbbt = 1;
        m_ctx.notable = 0;
        QTimer::singleShot(0, this, &Tmainform::openShop);
    }
}

void Tmainform::openShop() {
    m_ctx.notable = 0;
    m_ctx.nbbt = 1;
    orderEntry(*this);
}

void Tmainform::layoutRooms() {
    qDeleteAll(m_roomButtons);
    m_roomButtons.clear();
    m_rooms = RoomPlan::rooms(*m_ctx.db);
    while (QLayoutItem* item = m_roomLayout->takeAt(0))
        delete item;
    m_roomLayout->addStretch();
    for (int k = 0; k < m_rooms.size(); ++k) {
        const Room& room = m_rooms.at(k);
        auto* b = new QPushButton(room.nomsalle, m_roomStrip);
        b->setObjectName(QStringLiteral("btnsalle%1").arg(room.nosalle));
        b->setAccessibleName(QStringLiteral("Salle ") + room.nomsalle);
        b->setProperty("nosalle", room.nosalle);
        b->setCheckable(true);
        b->setMinimumSize(130, 68);
        b->setStyleSheet(roomCss);
        const QString picture = QStringLiteral("SKIN/room%1.png").arg(k + 1);
        if (m_skin.has(picture)) {
            b->setIcon(m_skin.picture(picture));
            b->setIconSize(QSize(40, 40));
        }
        const int nosalle = room.nosalle;
        connect(b, &QPushButton::clicked, this, [this, nosalle] { chooseRoom(nosalle); });
        m_roomLayout->addWidget(b);
        m_roomButtons.append(b);
    }
    m_roomLayout->addStretch();
    if (!m_rooms.isEmpty()) m_ctx.nomsalle = m_rooms.first().caption();
}

void Tmainform::chooseRoom(int nosalle) {
    m_ctx.tic();
    m_ctx.nosalle = quint8(nosalle);
    for (const Room& r : std::as_const(m_rooms))
        if (r.nosalle == nosalle) m_ctx.nomsalle = r.caption();
    for (QPushButton* b : std::as_const(m_roomButtons)) {
        b->setChecked(b->property("nosalle").toInt() == nosalle);
        if (b->isChecked()) m_roomScroll->ensureWidgetVisible(b);
    }
    // Background: BGROOM<n>.PNG of the images folder, at the plan's corner, not scaled.
    QPixmap background;
    if (!(m_noRoomPicture && nosalle == 1) && !m_ctx.DefaultImagesPath.isEmpty()) {
        const QString file =
            Skin::findFile(m_ctx.DefaultImagesPath, QStringLiteral("BGROOM%1.PNG").arg(nosalle));
        if (!file.isEmpty()) background.load(file);
    }
    m_backgroundPicture = background;
    m_background->setVisible(!background.isNull());
    Dessine();
}

// ---- drawing the room -----------------------------------------------------------

void Tmainform::Dessine() {
    m_frame->hide();
    qDeleteAll(m_tables);
    m_tables.clear();
    const QList<TablePlace> places = RoomPlan::tables(*m_ctx.db, m_ctx.nosalle);
    const QHash<int, TableStatus> statuses = RoomPlan::statuses(*m_ctx.db, m_ctx.nosalle);
    m_ctx.btmax = quint8(std::min<qsizetype>(places.size(), 255));

    // The plan is the configured size, larger when a table lies beyond it.
    int w = std::max(m_ctx.largeurtableau, 200), h = std::max(m_ctx.hauteurtableau, 200);
    for (const TablePlace& t : places) {
        w = std::max(w, t.x + t.width);
        h = std::max(h, t.y + t.height + TableButton::labelHeight);
    }
    if (!m_backgroundPicture.isNull()) {
        w = std::max(w, m_backgroundPicture.width());
        h = std::max(h, m_backgroundPicture.height());
    }
    m_planSize = QSize(w, h);

    for (int i = 0; i < places.size(); ++i) {
        const TablePlace& t = places.at(i);
        QPixmap picture;
        if (!t.image.isEmpty()) {
            QString file = t.image;
            if (!QFileInfo::exists(file) && !m_ctx.DefaultImagesPath.isEmpty())
                file = Skin::findFile(m_ctx.DefaultImagesPath, t.image);
            if (!file.isEmpty()) picture.load(file);
        }
        const int slot = i + 1;
        auto* b = new TableButton(t, slot, picture, m_plan);
        connect(b, &QAbstractButton::clicked, this, [this, slot] { openTable(slot); });
        m_tables.append(b);
        const TableStatus s = statuses.value(t.notable);
        b->setState(statuses.contains(t.notable) ? s.state : TableState::Free);
        if (statuses.contains(t.notable)) afficheNomCliBtn(s.idcli, slot);
    }
    m_scale = 0; // lay everything out again
    fitPlan();
    m_frame->raise();
}

void Tmainform::fitPlan() {
    if (m_planSize.isEmpty()) return;
    // A plan larger than the room left for it is shrunk to show every table at once;
    // below 60 % it scrolls instead, so that tables stay large enough to touch.
    const QSize room = m_planScroll->size() - QSize(4, 4);
    double scale = 1.0;
    if (room.width() > 0 && room.height() > 0)
        scale = std::min(
            {1.0, double(room.width()) / m_planSize.width(), double(room.height()) / m_planSize.height()});
    scale = std::max(scale, 0.6);
    if (qFuzzyCompare(scale, m_scale)) return;
    m_scale = scale;
    m_plan->setFixedSize(qRound(m_planSize.width() * scale), qRound(m_planSize.height() * scale));
    for (TableButton* b : std::as_const(m_tables))
        b->setScale(scale);
    if (!m_backgroundPicture.isNull()) {
        const QPixmap shown = qFuzzyCompare(scale, 1.0)
                                  ? m_backgroundPicture
                                  : m_backgroundPicture.scaled(m_backgroundPicture.size() * scale,
                                                               Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_background->setPixmap(shown);
        m_background->resize(shown.size());
    }
    if (m_frame->isVisible() && m_ctx.MoveTableTag >= 1 && m_ctx.MoveTableTag <= m_tables.size()) {
        const TableButton* b = m_tables.at(m_ctx.MoveTableTag - 1);
        m_frame->setGeometry(b->x() + 10, b->y() + 10, b->width(), b->height() - TableButton::labelHeight);
    }
}

TableButton* Tmainform::tableButton(int notable) const {
    for (TableButton* b : m_tables)
        if (b->place().notable == notable) return b;
    return nullptr;
}

void Tmainform::afficheNomCliBtn(int idcli, int slot) {
    if (slot < 1 || slot > m_tables.size()) return;
    const QString surname = RoomPlan::customerSurname(*m_ctx.db, idcli, m_ctx.idCliPassage);
    if (!surname.isEmpty()) m_tables.at(slot - 1)->setLabelText(surname);
}

void Tmainform::redrawTable(int slot) {
    if (slot < 1 || slot > m_tables.size()) return;
    TableButton* b = m_tables.at(slot - 1);
    const TableStatus s = RoomPlan::status(*m_ctx.db, b->place().nosalle, b->place().notable);
    b->setState(s.state);
    b->setLabelText(b->place().nom);
    if (s.state != TableState::Free) afficheNomCliBtn(s.idcli, slot);
}

void Tmainform::refreshStates() {
    if (m_tables.isEmpty()) return;
    const QHash<int, TableStatus> statuses = RoomPlan::statuses(*m_ctx.db, m_tables.first()->place().nosalle);
    for (TableButton* b : std::as_const(m_tables)) {
        const auto it = statuses.constFind(b->place().notable);
        b->setState(it == statuses.constEnd() ? TableState::Free : it->state);
        b->setLabelText(b->place().nom);
        if (it != statuses.constEnd()) afficheNomCliBtn(it->idcli, b->slot());
    }
}

// ---- opening a table ------------------------------------------------------------

const QString Tmainform::coversMessage = QStringLiteral("Le nombre de couverts doit être un nombre entier.");

void Tmainform::openTable(int slot) {
    if (slot < 1 || slot > m_tables.size()) return;
    TableButton* b = m_tables.at(slot - 1);
    m_ctx.tic();
    if (RoomPlan::dayClosed(*m_ctx.db, Clock::today())) {
        Prompt::current().inform(RoomPlan::closedDayMessage);
        return;
    }
    if (const auto day = RoomPlan::unclosedDay(*m_ctx.db, Clock::now(), m_ctx.heurefinjour))
        Prompt::current().inform(RoomPlan::unclosedDayMessage(*day));
    if (m_ctx.movetableok) {
        startMove(slot);
        return;
    }
    m_ctx.notable = quint8(b->place().notable);
    m_ctx.nomtable = b->place().nom;
    if (m_ctx.utilisateurok) {
        if (m_claviernumfmx->isVisible()) m_claviernumfmx->reject();
        if (!PinPrompt::askBackOffice(*m_ClavierNumForm, m_ctx, Users::input)) return;
        m_ctx.idcli = m_ctx.idCliPassage;
    }
    if (m_ctx.couvertsOk && b->state() == TableState::Free) {
        m_ClavierNumForm->nb = 0;
        m_ClavierNumForm->nbtxt.clear();
        m_ClavierNumForm->prepare(QStringLiteral(" Nb Couverts"), 3, false, false);
        m_ClavierNumForm->exec();
        if (!m_ClavierNumForm->egalok) return; // closed without validation: the table stays as it is
        bool whole = false;
        const int covers = m_ClavierNumForm->nbtxt.toInt(&whole);
        if (!whole || covers < 0) {
            Prompt::current().inform(coversMessage);
            return;
        }
        m_ctx.couvert = covers;
    }
    m_ctx.nbbt = slot;
    orderEntry(*this);
    // Order entry may also have pulled lines from other tables: every button of the
    // room is brought up to date, the opened one included.
    refreshStates();
}

// ---- plan editing ---------------------------------------------------------------

void Tmainform::setPlanEditing(bool on) {
    m_ctx.movetableok = on;
    if (m_moveButton->isChecked() != on) m_moveButton->setChecked(on);
    m_moveIndicator->setVisible(on);
    if (!on) {
        m_frame->hide();
        m_menuBar->setEnabled(true);
        m_roomScroll->setEnabled(true);
    }
    setMenusForEditing();
}

void Tmainform::setMenusForEditing() {
    for (int n : {1, 3, 4, 5, 6})
        if (auto* b = findChild<QPushButton*>(QStringLiteral("mainmenu%1").arg(n)))
            b->setEnabled(!m_ctx.movetableok);
}

QFrame* Tmainform::moveFrame() const {
    return m_frame;
}

void Tmainform::startMove(int slot) {
    TableButton* b = m_tables.at(slot - 1);
    m_ctx.MoveTableTag = slot;
    m_ctx.MoveTableName = b->place().nom;
    m_frame->setGeometry(b->x() + 10, b->y() + 10, b->width(), b->height() - TableButton::labelHeight);
    m_frame->show();
    m_frame->raise();
    // While a table is in the air, only the plan answers.
    m_menuBar->setEnabled(false);
    m_roomScroll->setEnabled(false);
}

void Tmainform::endMove(const QPoint& framePlace) {
    const int slot = m_ctx.MoveTableTag;
    m_frame->hide();
    m_menuBar->setEnabled(true);
    m_roomScroll->setEnabled(true);
    setMenusForEditing();
    if (slot < 1 || slot > m_tables.size()) return;
    TableButton* b = m_tables.at(slot - 1);
    // The frame's place on the plan as stored (the plan may be shown shrunk).
    const int x = RoomPlan::snap(qRound(framePlace.x() / m_scale));
    const int y = RoomPlan::snap(qRound(framePlace.y() / m_scale));
    RoomPlan::storePosition(*m_ctx.db, b->place().nosalle, b->place().notable, x, y);
    b->moveTo(x, y);
}

// ---- menu bar -------------------------------------------------------------------

void Tmainform::menuClicked(int number) {
    static const QStringList screens = {
        QString(),
        QStringLiteral("Le catalogue des articles"),
        QStringLiteral("Les statistiques"),
        QStringLiteral("L'historique des tickets"),
        QStringLiteral("Le fichier clients"),
        QStringLiteral("Les informations sur le logiciel"),
        QStringLiteral("L'aide"),
    };
    if (number <= 5) {
        m_ctx.tic();
        if (m_ctx.utilisateurok &&
            !PinPrompt::askTouch(*m_claviernumfmx, m_ctx, Users::menuRight(number), 4, true))
            return;
    }
    Prompt::current().inform(screens.at(number) +
                             QStringLiteral(" n'est pas encore disponible dans cette version."));
}

// ---- events ---------------------------------------------------------------------

bool Tmainform::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_planScroll && event->type() == QEvent::Resize) fitPlan();
    if (watched == m_date && event->type() == QEvent::MouseButtonDblClick) {
        recuptab();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Tmainform::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_skin.has(QStringLiteral("bg.jpg"))) {
        p.drawPixmap(rect(), m_skin.picture(QStringLiteral("bg.jpg")));
        return;
    }
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(58, 52, 48));
    g.setColorAt(1, QColor(30, 27, 25));
    p.fillRect(rect(), g);
}

void Tmainform::closeEvent(QCloseEvent* event) {
    if (m_ctx.repbackup.isEmpty()) {
        Prompt::current().inform(QStringLiteral("Pensez à faire vos sauvegardes régulierement."));
    } else if (Prompt::current().ask(QStringLiteral("Voulez-vous demarrer la sauvegarde maintenant ?"))) {
        QProcess::startDetached(m_ctx.repbackup, {});
    }
    event->accept();
}

} // namespace qor

#include "rooms/ui/Tmainform.h"

#include "core/Clock.h"
#include "core/Prompt.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QProcess>
#include <QVBoxLayout>

namespace qor {

Tmainform::Tmainform(TillContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("Tmainform"));
    setAccessibleName(QStringLiteral("Plan de salle"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    m_menuBar = new QWidget(this);
    m_menuBar->setObjectName(QStringLiteral("menubar"));
    m_menuBar->setFixedHeight(73);
    m_menuBar->setAutoFillBackground(true);
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
    m_logo->setFixedWidth(200);
    bar->addWidget(m_logo);
    m_date = new QLabel(m_menuBar);
    m_date->setObjectName(QStringLiteral("lbldate"));
    m_date->setAccessibleName(QStringLiteral("Date et heure"));
    m_date->setStyleSheet(QStringLiteral("color: white; font-size: 18px; font-weight: bold;"));
    m_date->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_date);
    root->addWidget(m_menuBar);

    m_plan = new QWidget(this);
    m_plan->setObjectName(QStringLiteral("tableau"));
    m_plan->setAccessibleName(QStringLiteral("Plan de la salle"));
    root->addWidget(m_plan, 1);

    connect(&m_timer, &QTimer::timeout, this, &Tmainform::maintitle);
    m_timer.start(10000);
    maintitle();
}

QPushButton* Tmainform::menuButton(int number, const QString& text, const QString& accessible)
{
    auto* b = new QPushButton(text, m_menuBar);
    b->setObjectName(QStringLiteral("mainmenu%1").arg(number));
    b->setAccessibleName(accessible);
    b->setFixedSize(70, 66);
    b->setStyleSheet(QStringLiteral("QPushButton { color: white; background: #333; border: 1px solid #666; "
                                    "border-radius: 6px; font-weight: bold; }"));
    static_cast<QHBoxLayout*>(m_menuBar->layout())->addWidget(b);
    return b;
}

void Tmainform::loadSkin(bool noRoomPicture)
{
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
}

void Tmainform::maintitle()
{
    const QDateTime now = Clock::now();
    setWindowTitle(m_ctx.maintitle(now));
    m_date->setText(TillContext::dateLabel(now));
}

void Tmainform::closeEvent(QCloseEvent* event)
{
    if (m_ctx.repbackup.isEmpty()) {
        Prompt::current().inform(QStringLiteral("Pensez à faire vos sauvegardes régulierement."));
    } else if (Prompt::current().ask(QStringLiteral("Voulez-vous demarrer la sauvegarde maintenant ?"))) {
        QProcess::startDetached(m_ctx.repbackup, {});
    }
    event->accept();
}

} // namespace qor

#include "core/ui/Tclaviernumfmx.h"

#include "core/DbError.h"
#include "core/Prompt.h"
#include "core/TillContext.h"
#include "core/ui/Skin.h"
#include "core/ui/TouchStyle.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace qor {

namespace {
QPixmap skinPicture(const TillContext& ctx, const QString& name) {
    if (ctx.DefaultImagesPath.isEmpty()) return {};
    const QString file = Skin::findFile(ctx.DefaultImagesPath, name);
    return file.isEmpty() ? QPixmap() : QPixmap(file);
}
} // namespace

Tclaviernumfmx::Tclaviernumfmx(TillContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_ctx(ctx) {
    setObjectName(QStringLiteral("Tclaviernumfmx"));
    setAccessibleName(QStringLiteral("Pavé numérique tactile"));
    setModal(true);
    setStyleSheet(
        QStringLiteral("#Tclaviernumfmx { background: %1; border: 3px solid %2; border-radius: 12px; }"
                       "QPushButton[tile=\"true\"] { font-weight: bold; color: #222;"
                       " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d4d4d4);"
                       " border: 1px solid #888; border-radius: 10px; }"
                       "QPushButton[tile=\"true\"]:pressed { background: #b8b8b8; }"
                       "QPushButton[tile=\"true\"]:disabled { color: #aaa; background: #e6e6e6; }"
                       "QPushButton#btnok { background: #2e7d32; color: white; }"
                       "QPushButton#btnc, QPushButton#btnc1 { background: #f3d9a4; }")
            .arg(TouchStyle::css(ctx.couleurfond), TouchStyle::css(ctx.couleurbordure)));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(14, 10, 14, 14);
    root->setSpacing(10);

    auto* top = new QHBoxLayout;
    LabelTitre = new QLabel(this);
    LabelTitre->setObjectName(QStringLiteral("LabelTitre"));
    LabelTitre->setAccessibleName(QStringLiteral("Titre de la saisie (touchez pour changer le signe)"));
    LabelTitre->setStyleSheet(
        QStringLiteral("color: %1; font-weight: bold;").arg(TouchStyle::css(ctx.couleurecriture)));
    LabelTitre->installEventFilter(this);
    top->addWidget(LabelTitre, 1);
    auto* close = new QPushButton(QStringLiteral("✕"), this);
    close->setObjectName(QStringLiteral("btnclose"));
    close->setAccessibleName(QStringLiteral("Fermer sans valider"));
    close->setProperty("tile", true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setFixedSize(TouchStyle::fingerSize, TouchStyle::fingerSize);
    TouchStyle::setPicture(close, skinPicture(ctx, QStringLiteral("skin/close.png")));
    connect(close, &QPushButton::clicked, this, &Tclaviernumfmx::reject);
    top->addWidget(close);
    root->addLayout(top);

    auto* line = new QHBoxLayout;
    m_signLabel = new QLabel(QStringLiteral("+"), this);
    m_signLabel->setObjectName(QStringLiteral("LabelSigne"));
    m_signLabel->setAccessibleName(QStringLiteral("Signe de la saisie"));
    m_signLabel->setStyleSheet(
        QStringLiteral("color: %1; font-weight: bold;").arg(TouchStyle::css(ctx.couleurecriture)));
    line->addWidget(m_signLabel);
    Editnum = new QLineEdit(this);
    Editnum->setObjectName(QStringLiteral("Editnum"));
    Editnum->setAccessibleName(QStringLiteral("Nombre saisi"));
    Editnum->setReadOnly(true);
    Editnum->setFocusPolicy(Qt::NoFocus);
    Editnum->setAlignment(Qt::AlignRight);
    Editnum->setStyleSheet(
        QStringLiteral("QLineEdit { background: white; color: #111; border: 2px solid #777;"
                       " border-radius: 8px; font-weight: bold; padding: 0 10px; }"));
    line->addWidget(Editnum, 1);
    root->addLayout(line);

    Layout1025 = new QWidget(this);
    Layout1025->setObjectName(QStringLiteral("Layout1025"));
    Layout1025->setAccessibleName(QStringLiteral("Montants rapides"));
    auto* quick = new QHBoxLayout(Layout1025);
    quick->setContentsMargins(0, 0, 0, 0);
    quick->setSpacing(10);
    for (int amount : {10, 15, 20, 25}) {
        QPushButton* b =
            tile(QString::number(amount), QStringLiteral("btn%1").arg(amount),
                 QStringLiteral("Montant rapide %1").arg(amount), QStringLiteral("skin/S%1.png").arg(amount));
        connect(b, &QPushButton::clicked, this, [this, amount] { quickAmount(amount); });
        quick->addWidget(b);
    }
    root->addWidget(Layout1025, 2);

    auto* grid = new QGridLayout;
    grid->setSpacing(10);
    const char* digits[3][3] = {{"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const QString t = QString::fromLatin1(digits[r][c]);
            QPushButton* b = tile(t, QStringLiteral("btn") + t, QStringLiteral("Chiffre ") + t,
                                  QStringLiteral("skin/S%1.png").arg(t));
            connect(b, &QPushButton::clicked, this, [this, t] { typeChar(t.at(0)); });
            grid->addWidget(b, r, c);
        }
    QPushButton* zero = tile(QStringLiteral("0"), QStringLiteral("btn0"), QStringLiteral("Chiffre 0"),
                             QStringLiteral("skin/S0.png"));
    connect(zero, &QPushButton::clicked, this, [this] { typeChar(u'0'); });
    grid->addWidget(zero, 3, 0, 1, 2);
    QPushButton* point = tile(QStringLiteral("."), QStringLiteral("btnpoint"), QStringLiteral("Virgule"),
                              QStringLiteral("skin/SDOT.png"));
    connect(point, &QPushButton::clicked, this, [this] { typeChar(u'.'); });
    grid->addWidget(point, 3, 2);
    QPushButton* clear = tile(QStringLiteral("C"), QStringLiteral("btnc"), QStringLiteral("Tout effacer"),
                              QStringLiteral("skin/bgnumc.png"));
    connect(clear, &QPushButton::clicked, this, [this] { Editnum->clear(); });
    grid->addWidget(clear, 0, 3);
    QPushButton* del = tile(QStringLiteral("⌫"), QStringLiteral("btnc1"),
                            QStringLiteral("Effacer le dernier chiffre"), QStringLiteral("skin/bgnumc1.png"));
    connect(del, &QPushButton::clicked, this, [this] {
        QString t = Editnum->text();
        t.chop(1);
        Editnum->setText(t);
    });
    grid->addWidget(del, 1, 3);
    btnneg = tile(QStringLiteral("+"), QStringLiteral("btnneg"), QStringLiteral("Changer le signe"),
                  QStringLiteral("skin/bgnum.png"));
    connect(btnneg, &QPushButton::clicked, this, [this] { setSign(!m_negative); });
    grid->addWidget(btnneg, 2, 3);
    QPushButton* ok = tile(QStringLiteral("OK"), QStringLiteral("btnok"), QStringLiteral("Valider"),
                           QStringLiteral("skin/SOK.png"));
    connect(ok, &QPushButton::clicked, this, &Tclaviernumfmx::validate);
    grid->addWidget(ok, 3, 3);
    for (int r = 0; r < 4; ++r)
        grid->setRowStretch(r, 1);
    root->addLayout(grid, 8);

    const int height = ctx.HauteurMaxi > 0 ? ctx.HauteurMaxi : 640;
    resize(int(std::lround(height * 0.85)), height);
}

QPushButton* Tclaviernumfmx::tile(const QString& text, const QString& name, const QString& accessible,
                                  const QString& picture) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAccessibleName(accessible);
    b->setProperty("tile", true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumSize(TouchStyle::fingerSize, TouchStyle::fingerSize);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    const QPixmap p = skinPicture(m_ctx, picture);
    if (!p.isNull()) {
        b->setIcon(p);
        b->setText({});
    }
    m_tiles << b;
    return b;
}

void Tclaviernumfmx::prepare(const QString& title, int maxLength, bool showSign, bool masked,
                             bool quickAmounts, const QString& preset) {
    LabelTitre->setText(title);
    lgmax = maxLength;
    btnneg->setVisible(showSign);
    setSign(false);
    setMasked(masked);
    Layout1025->setEnabled(quickAmounts);
    Editnum->setText(preset);
}

void Tclaviernumfmx::setMasked(bool masked) {
    Editnum->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void Tclaviernumfmx::setSign(bool negative) {
    m_negative = negative;
    btnneg->setText(negative ? QStringLiteral("−") : QStringLiteral("+"));
    m_signLabel->setText(negative ? QStringLiteral("-") : QString());
}

KeypadEntry Tclaviernumfmx::entry() const {
    KeypadEntry e;
    e.lgmax = lgmax;
    e.text = Editnum->text();
    e.negative = m_negative;
    return e;
}

void Tclaviernumfmx::showEvent(QShowEvent* e) {
    valide = false;
    m_closing = false;
    if (parentWidget()) {
        const QWidget* over = parentWidget()->window();
        move(over->geometry().center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(e);
    setFocus();
}

void Tclaviernumfmx::resizeEvent(QResizeEvent* e) {
    // The content scales with the window: fonts follow its height.
    const int h = height();
    QFont tileFont = font();
    tileFont.setPixelSize(std::max(20, h / 18));
    tileFont.setBold(true);
    for (QPushButton* b : m_tiles) {
        b->setFont(tileFont);
        if (!b->icon().isNull()) b->setIconSize(b->size() - QSize(6, 6));
    }
    QFont big = tileFont;
    big.setPixelSize(std::max(24, h / 15));
    Editnum->setFont(big);
    Editnum->setMinimumHeight(std::max(TouchStyle::fingerSize, h / 10));
    m_signLabel->setFont(big);
    QFont title = tileFont;
    title.setPixelSize(std::max(20, h / 22));
    LabelTitre->setFont(title);
    QDialog::resizeEvent(e);
}

void Tclaviernumfmx::typeChar(QChar c) {
    m_ctx.tic();
    KeypadEntry e = entry();
    if (!e.append(c)) return;
    Editnum->setText(e.text);
    if (lgmax == 1) validate();
}

void Tclaviernumfmx::quickAmount(int amount) {
    if (!Layout1025->isEnabled()) return;
    Editnum->setText(QString::number(amount));
    validate();
}

void Tclaviernumfmx::validate() {
    if (m_closing) return;
    KeypadEntry::Result r;
    try {
        r = entry().validate();
    } catch (const UserError& e) {
        Prompt::current().inform(e.text());
        return;
    }
    if (Editnum->text().isEmpty()) Editnum->setText(QStringLiteral("0"));
    nb = r.nb;
    nbtxt = r.nbtxt;
    valide = true;
    m_closing = true;
    accept();
}

void Tclaviernumfmx::reject() {
    // Closing keeps nb and nbtxt as they were.
    if (Editnum->text().isEmpty()) Editnum->setText(QStringLiteral("0"));
    valide = false;
    m_closing = true;
    QDialog::reject();
}

void Tclaviernumfmx::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        validate();
    } else if (key == Qt::Key_Escape) {
        reject();
    } else if (key == Qt::Key_Backspace) {
        QString t = Editnum->text();
        t.chop(1);
        Editnum->setText(t);
    } else if (e->text().size() == 1) {
        KeypadEntry en = entry();
        if (en.append(e->text().at(0))) {
            Editnum->setText(en.text);
            if (lgmax == 1) validate();
        }
    }
}

bool Tclaviernumfmx::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LabelTitre && event->type() == QEvent::MouseButtonRelease && !btnneg->isHidden()) {
        setSign(!m_negative);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qor

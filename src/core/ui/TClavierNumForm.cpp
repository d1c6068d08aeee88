#include "core/ui/TClavierNumForm.h"

#include "core/DbError.h"
#include "core/Prompt.h"
#include "core/TillContext.h"
#include "core/ui/Skin.h"
#include "core/ui/TouchStyle.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace qor {

TClavierNumForm::TClavierNumForm(TillContext& ctx, const Skin* skin, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_ctx(ctx) {
    setObjectName(QStringLiteral("TClavierNumForm"));
    setAccessibleName(QStringLiteral("Pavé numérique"));
    setModal(true);
    const QString fond = TouchStyle::css(ctx.couleurfond);
    const QString bordure = TouchStyle::css(ctx.couleurbordure);
    setStyleSheet(
        QStringLiteral("#TClavierNumForm { background: %1; border: 3px solid %2; }"
                       "QPushButton[tile=\"true\"] { font-size: 30px; font-weight: bold; color: #222;"
                       " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d8d8d8);"
                       " border: 1px solid #888; border-radius: 8px; }"
                       "QPushButton[tile=\"true\"]:pressed { background: #bbb; }")
            .arg(fond, bordure));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(3, 3, 3, 10);
    root->setSpacing(8);

    // Title bar: title text, calculator, close; dragging it moves the window.
    m_titleBar = new QWidget(this);
    m_titleBar->setObjectName(QStringLiteral("titlebar"));
    m_titleBar->setAttribute(Qt::WA_StyledBackground);
    m_titleBar->setStyleSheet(QStringLiteral("#titlebar { background: %1; }").arg(bordure));
    m_titleBar->setFixedHeight(56);
    m_titleBar->installEventFilter(this);
    auto* tb = new QHBoxLayout(m_titleBar);
    tb->setContentsMargins(10, 2, 4, 2);
    LabelTitre = new QLabel(m_titleBar);
    LabelTitre->setObjectName(QStringLiteral("LabelTitre"));
    LabelTitre->setAccessibleName(QStringLiteral("Titre de la saisie"));
    LabelTitre->setStyleSheet(QStringLiteral("color: %1; font-size: 22px; font-weight: bold;")
                                  .arg(TouchStyle::css(ctx.couleurecrituretitre)));
    LabelTitre->setAttribute(Qt::WA_TransparentForMouseEvents);
    tb->addWidget(LabelTitre, 1);
    const QString barButton = QStringLiteral("QPushButton { color: %1; background: transparent; border: none;"
                                             " font-size: 26px; font-weight: bold; }")
                                  .arg(TouchStyle::css(ctx.couleurecrituretitre));
    auto* calc = new QPushButton(QStringLiteral("⊞"), m_titleBar);
    calc->setObjectName(QStringLiteral("btncalc"));
    calc->setAccessibleName(QStringLiteral("Calculatrice"));
    calc->setFixedSize(52, 52);
    calc->setStyleSheet(barButton);
    calc->setFocusPolicy(Qt::NoFocus);
    connect(calc, &QPushButton::clicked, this, [] { TouchStyle::startCalculator(); });
    auto* close = new QPushButton(QStringLiteral("✕"), m_titleBar);
    close->setObjectName(QStringLiteral("btnclose"));
    close->setAccessibleName(QStringLiteral("Fermer sans valider"));
    close->setFixedSize(52, 52);
    close->setStyleSheet(barButton);
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QPushButton::clicked, this, &TClavierNumForm::closeWithoutValue);
    if (skin) {
        TouchStyle::setPicture(calc, skin->picture(QStringLiteral("SKIN/CALC.PNG")));
        TouchStyle::setPicture(close, skin->picture(QStringLiteral("SKIN/CLOSE.PNG")));
    }
    tb->addWidget(calc);
    tb->addWidget(close);
    root->addWidget(m_titleBar);

    // Display line: sign at the left, right-aligned entry, masking panel over it.
    auto* line = new QHBoxLayout;
    line->setContentsMargins(10, 0, 10, 0);
    btnneg = new QPushButton(QStringLiteral("+"), this);
    btnneg->setObjectName(QStringLiteral("btnneg"));
    btnneg->setAccessibleName(QStringLiteral("Signe"));
    btnneg->setFixedSize(TouchStyle::fingerSize, TouchStyle::fingerSize);
    btnneg->setFocusPolicy(Qt::NoFocus);
    btnneg->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; background: transparent; border: 1px solid #999;"
                       " border-radius: 8px; font-size: 34px; font-weight: bold; }")
            .arg(TouchStyle::css(ctx.couleurecriture)));
    connect(btnneg, &QPushButton::clicked, this, [this] { setSign(!m_entry.negative); });
    line->addWidget(btnneg);
    m_displayStack = new QStackedWidget(this);
    const QString displayCss = QStringLiteral("background: white; color: #111; border: 2px solid #777;"
                                              " border-radius: 6px; font-size: 34px; font-weight: bold;"
                                              " padding: 0 10px;");
    Editnum = new QLabel(m_displayStack);
    Editnum->setObjectName(QStringLiteral("Editnum"));
    Editnum->setAccessibleName(QStringLiteral("Nombre saisi"));
    Editnum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Editnum->setStyleSheet(displayCss);
    PanelMask = new QLabel(m_displayStack);
    PanelMask->setObjectName(QStringLiteral("PanelMask"));
    PanelMask->setAccessibleName(QStringLiteral("Code masqué"));
    PanelMask->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PanelMask->setStyleSheet(displayCss);
    m_displayStack->addWidget(Editnum);
    m_displayStack->addWidget(PanelMask);
    m_displayStack->setFixedHeight(TouchStyle::fingerSize);
    line->addWidget(m_displayStack, 1);
    root->addLayout(line);

    // Tiles: 7 8 9 / 4 5 6 / 1 2 3 / 0 . = with the correction tile beside the top row.
    auto* grid = new QGridLayout;
    grid->setContentsMargins(10, 0, 10, 0);
    grid->setSpacing(8);
    const char* rows[4][3] = {{"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}, {"0", ".", "="}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
            const QString t = QString::fromLatin1(rows[r][c]);
            QPushButton* b = nullptr;
            if (t == u"=") {
                b = tile(t, QStringLiteral("btnegal"), QStringLiteral("Valider"));
                connect(b, &QPushButton::clicked, this, &TClavierNumForm::validate);
            } else if (t == u".") {
                b = tile(t, QStringLiteral("btnpoint"), QStringLiteral("Virgule"));
                connect(b, &QPushButton::clicked, this, [this] { typeChar(u'.'); });
            } else {
                b = tile(t, QStringLiteral("btn") + t, QStringLiteral("Chiffre ") + t);
                connect(b, &QPushButton::clicked, this, [this, t] { typeChar(t.at(0)); });
            }
            grid->addWidget(b, r, c);
        }
    QPushButton* corr = tile(QStringLiteral("⌫"), QStringLiteral("btncorrection"),
                             QStringLiteral("Effacer le dernier chiffre"));
    connect(corr, &QPushButton::clicked, this, &TClavierNumForm::correction);
    grid->addWidget(corr, 0, 3, 4, 1);
    root->addLayout(grid);

    setFixedSize(420, 520);
    prepare(QString(), 10, true, false);
}

QPushButton* TClavierNumForm::tile(const QString& text, const QString& name, const QString& accessible) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setProperty("tile", true);
    b->setAccessibleName(accessible);
    b->setMinimumSize(80, 80);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void TClavierNumForm::prepare(const QString& title, int maxLength, bool showSign, bool masked,
                              const QString& preset) {
    LabelTitre->setText(title);
    lgmax = maxLength;
    btnneg->setVisible(showSign);
    m_entry.negative = false;
    m_entry.text = preset;
    setMasked(masked);
    refresh();
}

void TClavierNumForm::setMasked(bool masked) {
    m_displayStack->setCurrentWidget(masked ? PanelMask : Editnum);
}

bool TClavierNumForm::isMasked() const {
    return m_displayStack->currentWidget() == PanelMask;
}

void TClavierNumForm::setDisplay(const QString& text) {
    m_entry.text = text;
    refresh();
}

void TClavierNumForm::setSign(bool negative) {
    m_entry.negative = negative;
    refresh();
}

void TClavierNumForm::refresh() {
    m_entry.lgmax = lgmax;
    Editnum->setText(m_entry.text);
    PanelMask->setText(m_entry.masked());
    btnneg->setText(m_entry.sign());
}

void TClavierNumForm::showEvent(QShowEvent* e) {
    egalok = false;
    startok = true;
    m_closing = false;
    refresh();
    QDialog::showEvent(e);
    setFocus();
}

void TClavierNumForm::typeChar(QChar c) {
    m_ctx.tic();
    if (startok) m_entry.text.clear();
    startok = false;
    m_entry.lgmax = lgmax;
    m_entry.append(c);
    refresh();
    if (lgmax == 1 && !m_entry.text.isEmpty()) validate();
}

void TClavierNumForm::correction() {
    startok = false;
    m_entry.backspace();
    refresh();
}

void TClavierNumForm::validate() {
    if (m_closing) return;
    m_ctx.tic();
    KeypadEntry::Result r;
    try {
        r = m_entry.validate();
    } catch (const UserError& e) {
        Prompt::current().inform(e.text());
        return;
    }
    nb = r.nb;
    nbtxt = r.nbtxt;
    egalok = true;
    m_closing = true;
    accept();
}

void TClavierNumForm::closeWithoutValue() {
    reject();
}

void TClavierNumForm::reject() {
    nb = 0;
    nbtxt = QStringLiteral("0");
    egalok = false;
    m_closing = true;
    QDialog::reject();
}

void TClavierNumForm::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        validate();
        return;
    }
    if (key == Qt::Key_Escape) {
        reject();
        return;
    }
    if (startok) m_entry.text.clear();
    startok = false;
    if (key == Qt::Key_Backspace) {
        m_entry.backspace();
    } else {
        const QString t = e->text();
        if (t.size() == 1) {
            m_entry.lgmax = lgmax;
            if (m_entry.append(t.at(0)) && lgmax == 1) {
                refresh();
                validate();
                return;
            }
        }
    }
    refresh();
}

bool TClavierNumForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_titleBar) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* m = static_cast<QMouseEvent*>(event);
            m_dragFrom = m->globalPosition().toPoint() - frameGeometry().topLeft();
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            auto* m = static_cast<QMouseEvent*>(event);
            if (m->buttons() & Qt::LeftButton) move(m->globalPosition().toPoint() - m_dragFrom);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qor

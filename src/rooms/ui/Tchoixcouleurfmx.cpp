#include "rooms/ui/Tchoixcouleurfmx.h"

#include <QMouseEvent>
#include <QPushButton>

namespace qor {

const QStringList& Tchoixcouleurfmx::palette() {
    static const QStringList colours =
        QStringLiteral("F0FFFF F5F5DC FFE4C4 DEB887 5F9EA0 D2691E FF7F50 6495ED FFF8DC 008B8B BDB76B E9967A "
                       "8FBC8F 00CED1 "
                       "1E90FF FFFAF0 228B22 DCDCDC F8F8FF FFD700 DAA520 ADFF2F F0FFF0 FF69B4 CD5C5C F0E68C "
                       "FFF0F5 ADD8E6 "
                       "F08080 E0FFFF 90EE90 FFB6C1 FFA07A 87CEFA B0C4DE FFFFE0 C0C0C0 C0DCC0 F0CAA6 F0FBFF "
                       "32CD32 FAF0E6 "
                       "FF00FF 66CDAA 9370DB 3CB371 00FA9A 48D1CC F5FFFA FFE4E1 FFE4B5 808000 6B8E23 FFA500 "
                       "FF4500 EEE8AA "
                       "98FB98 AFEEEE DB7093 FFEFD5 CD853F FFC0CB B0E0E6 FF0000 BC8F8F FA8072 F4A460 2E8B57 "
                       "FFF5EE 708090 "
                       "FFFAFA 00FF7F D2B48C D8BFD8 40E0D0 EE82EE FFFFFF F5F5F5 FFFF00 9ACD32")
            .split(u' ');
    return colours;
}

Tchoixcouleurfmx::Tchoixcouleurfmx(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Tchoixcouleurfmx"));
    setAccessibleName(QStringLiteral("Choix de la couleur (touchez le fond pour aucune couleur)"));
    setModal(true);
    setFixedSize(650, 570);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#Tchoixcouleurfmx { background: black; }"));
    // Flow: squares of 60 with a gap of 4, ten to a row, centred in the window.
    const int step = 64, perRow = 10;
    const int rows = int((palette().size() + perRow - 1) / perRow);
    const int left = (width() - perRow * step + 4) / 2, top = (height() - rows * step + 4) / 2;
    for (int i = 0; i < palette().size(); ++i) {
        const QString digits = palette().at(i);
        auto* square = new QPushButton(this);
        square->setObjectName(QStringLiteral("btnc") + digits);
        square->setAccessibleName(QStringLiteral("Couleur ") + digits);
        square->setFocusPolicy(Qt::NoFocus);
        square->setGeometry(left + (i % perRow) * step, top + (i / perRow) * step, 60, 60);
        square->setStyleSheet(
            QStringLiteral("QPushButton { background: #%1; border: 1px solid #444; border-radius: 4px; }"
                           "QPushButton:pressed { border: 3px solid white; }")
                .arg(digits));
        connect(square, &QPushButton::clicked, this, [this, digits] { choose(digits); });
    }
}

void Tchoixcouleurfmx::choose(const QString& digits) {
    couleur = digits;
    accept();
}

void Tchoixcouleurfmx::showEvent(QShowEvent* e) {
    couleur.clear();
    if (parentWidget()) {
        const QWidget* over = parentWidget()->window();
        move(over->geometry().center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(e);
}

void Tchoixcouleurfmx::mouseReleaseEvent(QMouseEvent* e) {
    // A touch on the background, outside the squares: no colour of its own.
    couleur.clear();
    e->accept();
    reject();
}

} // namespace qor

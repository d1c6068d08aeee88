#include "rooms/ui/TableButton.h"

#include "core/ui/TouchStyle.h"

#include <QPainter>
#include <QPainterPath>

namespace qor {

TableButton::TableButton(const TablePlace& place, int slot, const QPixmap& picture, QWidget* parent)
    : QAbstractButton(parent), m_place(place), m_slot(slot), m_picture(picture), m_label(place.nom) {
    setObjectName(QStringLiteral("bt%1").arg(slot));
    setAccessibleName(place.nom);
    setToolTip(place.nom);
    setProperty("notable", place.notable);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    applyGeometry();
    setVisible(place.visible);
}

void TableButton::setState(TableState state) {
    m_state = state;
    setAccessibleDescription(state == TableState::Free      ? QStringLiteral("libre")
                             : state == TableState::Waiting ? QStringLiteral("en attente")
                                                            : QStringLiteral("occupée"));
    update();
}

void TableButton::setLabelText(const QString& text) {
    m_label = text;
    update();
}

void TableButton::moveTo(int x, int y) {
    m_place.x = x;
    m_place.y = y;
    applyGeometry();
}

void TableButton::setScale(double scale) {
    m_scale = scale;
    applyGeometry();
}

void TableButton::applyGeometry() {
    setGeometry(qRound(m_place.x * m_scale), qRound(m_place.y * m_scale),
                std::max(qRound(m_place.width * m_scale), 1),
                std::max(qRound(m_place.height * m_scale), 1) + labelHeight);
}

void TableButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect pictureArea(0, 0, width(), height() - labelHeight);
    if (!m_picture.isNull()) {
        const QPixmap scaled =
            m_picture.scaled(pictureArea.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawPixmap(pictureArea.center() - scaled.rect().center(), scaled);
    } else {
        drawBuiltInTable(p, pictureArea);
    }
    if (isDown()) p.fillRect(pictureArea, QColor(255, 255, 255, 70));

    const QRect label(0, height() - labelHeight, width(), labelHeight);
    p.setPen(Qt::NoPen);
    p.setBrush(TouchStyle::winColor(labelColor()));
    p.drawRoundedRect(label, 4, 4);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    const QString text = QFontMetrics(f).elidedText(m_label, Qt::ElideRight, label.width() - 4);
    p.drawText(label, Qt::AlignCenter, text);
}

void TableButton::drawBuiltInTable(QPainter& p, const QRect& area) const {
    // Chairs round a wooden table top; long tables get chairs along their long sides.
    const int chair = std::clamp(std::min(area.width(), area.height()) / 5, 8, 22);
    const QRectF top = QRectF(area).adjusted(chair * 0.8, chair * 0.8, -chair * 0.8, -chair * 0.8);
    p.setPen(QPen(QColor(60, 40, 25), 1.5));
    p.setBrush(QColor(92, 64, 44));
    const auto chairAt = [&](QPointF c) {
        p.drawRoundedRect(QRectF(c.x() - chair / 2.0, c.y() - chair / 2.0, chair, chair), 4, 4);
    };
    const bool wide = area.width() > area.height() * 1.6;
    const int alongWidth = std::max(1, int(top.width() / (chair * 2.2)));
    for (int i = 0; i < alongWidth; ++i) {
        const double x = top.left() + top.width() * (i + 0.5) / alongWidth;
        chairAt({x, top.top() - chair * 0.25});
        chairAt({x, top.bottom() + chair * 0.25});
    }
    if (!wide) {
        const int alongHeight = std::max(1, int(top.height() / (chair * 2.2)));
        for (int i = 0; i < alongHeight; ++i) {
            const double y = top.top() + top.height() * (i + 0.5) / alongHeight;
            chairAt({top.left() - chair * 0.25, y});
            chairAt({top.right() + chair * 0.25, y});
        }
    }
    QLinearGradient wood(top.topLeft(), top.bottomRight());
    wood.setColorAt(0, QColor(214, 170, 118));
    wood.setColorAt(1, QColor(168, 118, 70));
    p.setBrush(wood);
    p.setPen(QPen(QColor(110, 72, 40), 2));
    p.drawRoundedRect(top, 8, 8);
}

} // namespace qor

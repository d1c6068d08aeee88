#pragma once
#include "rooms/RoomPlan.h"

#include <QAbstractButton>
#include <QPixmap>

namespace qor {

// One table on the plan: its picture (the table's own file, or a drawn table) with
// the name label under it, coloured by the table's state.
class TableButton : public QAbstractButton {
    Q_OBJECT
  public:
    // Height of the name label under the picture.
    static constexpr int labelHeight = 26;

    TableButton(const TablePlace& place, int slot, const QPixmap& picture, QWidget* parent);

    const TablePlace& place() const { return m_place; }
    int slot() const { return m_slot; }
    TableState state() const { return m_state; }
    QString labelText() const { return m_label; }
    // The label's background colour as a Windows colour value.
    int labelColor() const { return RoomPlan::stateColor(m_state); }

    void setState(TableState state);
    void setLabelText(const QString& text);
    // Moves the table to a new place of the plan (picture at x, y; label under it).
    void moveTo(int x, int y);
    // Shows the plan at this scale (a plan larger than the screen is shrunk to fit);
    // the label keeps its height so that it stays readable.
    void setScale(double scale);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    void drawBuiltInTable(QPainter& p, const QRect& area) const;
    void applyGeometry();

    TablePlace m_place;
    int m_slot;
    QPixmap m_picture;
    TableState m_state = TableState::Free;
    double m_scale = 1.0;
    QString m_label;
};

} // namespace qor

#pragma once
#include <QDialog>
#include <QStringList>

namespace qor {

// The touch colour picker: a flow of 60 x 60 squares of the palette on a black
// background. exec() then couleur holds the touched colour as six hexadecimal digits
// red, green, blue, or an empty text when the background was touched.
class Tchoixcouleurfmx : public QDialog {
    Q_OBJECT
  public:
    explicit Tchoixcouleurfmx(QWidget* parent = nullptr);

    QString couleur;

    // The 80 colours offered, in their order.
    static const QStringList& palette();
    // The touched square, by its six digits (as a touch on it does).
    void choose(const QString& digits);

  protected:
    void showEvent(QShowEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

} // namespace qor

#pragma once
#include "core/KeypadEntry.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qor {

struct TillContext;

// The touch numeric keypad: a borderless modal window that stays on top, HauteurMaxi
// high and 85 % of that wide, centred over its parent. Digit tiles, point, OK, clear,
// delete, sign and a row of quick amounts 10 15 20 25. The caller empties or presets
// Editnum, runs exec() and reads nb / nbtxt when exec() returned Accepted. Closing
// without OK leaves nb and nbtxt as they were.
class Tclaviernumfmx : public QDialog {
    Q_OBJECT
  public:
    explicit Tclaviernumfmx(TillContext& ctx, QWidget* parent = nullptr);

    // Result fields
    int lgmax = 7;
    double nb = 0;
    QString nbtxt;
    bool valide = false; // the last showing ended with OK (or a quick amount)

    // Controls the callers set up
    QLabel* LabelTitre = nullptr;  // tapping it toggles the sign when the sign tile is shown
    QLineEdit* Editnum = nullptr;  // the entry; password display for PINs
    QPushButton* btnneg = nullptr; // sign tile: shows "+" or "-"
    QWidget* Layout1025 = nullptr; // row of the quick amounts 10, 15, 20, 25

    // Usual set-up in one call: title, length, sign tile shown or hidden (set to "+"),
    // masked or not, quick amounts enabled or not, and the preset entry.
    void prepare(const QString& title, int maxLength, bool showSign, bool masked, bool quickAmounts,
                 const QString& preset = {});
    void setMasked(bool masked);
    void setSign(bool negative);
    bool negative() const { return m_negative; }

    // Tiles and keys, as the operator uses them.
    void typeChar(QChar c);
    void quickAmount(int amount);
    void validate();

    // Closes without validating.
    void reject() override;

  protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPushButton* tile(const QString& text, const QString& name, const QString& accessible,
                      const QString& picture);
    KeypadEntry entry() const;

    TillContext& m_ctx;
    bool m_negative = false;
    bool m_closing = false;
    QLabel* m_signLabel = nullptr;
    QList<QPushButton*> m_tiles;
};

} // namespace qor

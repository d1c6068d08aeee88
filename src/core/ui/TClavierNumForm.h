#pragma once
#include "core/KeypadEntry.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace qor {

struct TillContext;
class Skin;

// The back-office numeric keypad: a borderless modal window with a title bar, a
// display line (sign, entry, masking panel) and digit tiles. The caller sets it up,
// runs exec() and reads nb / nbtxt; egalok says whether the entry was validated.
class TClavierNumForm : public QDialog {
    Q_OBJECT
  public:
    TClavierNumForm(TillContext& ctx, const Skin* skin, QWidget* parent = nullptr);

    // Result fields
    int lgmax = 10;
    double nb = 0;
    QString nbtxt;
    bool egalok = false;
    bool startok = true;

    // Controls the callers set up
    QLabel* LabelTitre = nullptr;
    QPushButton* btnneg = nullptr; // sign label: "+" or "-"
    QLabel* Editnum = nullptr;     // the display
    QLabel* PanelMask = nullptr;   // one "*" per character, over the display

    // Usual set-up in one call: title, length, sign button shown or hidden (set to
    // "+"), masked or not, and the preset display.
    void prepare(const QString& title, int maxLength, bool showSign, bool masked, const QString& preset = {});
    void setMasked(bool masked);
    bool isMasked() const;
    // The display as typed (without the sign).
    QString display() const { return m_entry.text; }
    void setDisplay(const QString& text);
    void setSign(bool negative);

    // Tiles and keys, as the operator uses them.
    void typeChar(QChar c);
    void correction();
    void validate();
    void closeWithoutValue();

    // Closes without validating.
    void reject() override;

  protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPushButton* tile(const QString& text, const QString& name, const QString& accessible);
    void refresh();

    TillContext& m_ctx;
    KeypadEntry m_entry;
    QWidget* m_titleBar = nullptr;
    QStackedWidget* m_displayStack = nullptr;
    QPoint m_dragFrom;
    bool m_closing = false;
};

} // namespace qor

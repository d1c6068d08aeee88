#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace qor {

struct TillContext;
class Skin;

// The touch message: the caller sets labelmessage's text (a carriage return starts a
// new line) and runs exec(); OK closes.
class Tshowmessagefmx : public QDialog {
    Q_OBJECT
  public:
    Tshowmessagefmx(TillContext& ctx, const Skin* skin, QWidget* parent = nullptr);

    QLabel* labelmessage = nullptr;
    QPushButton* btnok = nullptr;

    // Sets the message and shows it until OK.
    void showMessage(const QString& message);

  protected:
    void showEvent(QShowEvent* e) override;
};

} // namespace qor

#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace qor {

struct TillContext;
class Skin;

// The touch yes/no question: the caller sets LabelMessage's text (a carriage return
// starts a new line), runs exec() and reads reponse. Only Yes and No close it.
class Touinonfmx : public QDialog {
    Q_OBJECT
  public:
    Touinonfmx(TillContext& ctx, const Skin* skin, QWidget* parent = nullptr);

    QLabel* LabelMessage = nullptr;
    bool reponse = false;
    QPushButton* btnoui = nullptr;
    QPushButton* btnnon = nullptr;

    // Sets the message and shows the question; returns reponse.
    bool ask(const QString& message);

  protected:
    void showEvent(QShowEvent* e) override;
    void reject() override; // Escape and the window manager cannot close it

  private:
    void answer(bool yes);
};

} // namespace qor

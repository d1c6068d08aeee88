#pragma once
#include <QDialog>

namespace qor {

struct TillContext;

// The choice of document after a payment: "Ticket" (1), "Fiche division" (2) or
// "Fiche montant" (3); Reponse is 0 when the dialog is closed without a choice.
class Tticketfichefmx : public QDialog {
    Q_OBJECT
  public:
    explicit Tticketfichefmx(TillContext& ctx, QWidget* parent = nullptr);
    int Reponse = 0;
    // Shows the dialog and gives Reponse.
    int choose();
};

} // namespace qor

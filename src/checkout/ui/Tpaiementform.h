#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace qor {

struct TillContext;
class Skin;

// The payment screen: payments of one order in one or several methods, the
// customer's loyalty credit, and the three ways to record the ticket. The opener
// sets paiementnosaisie, labeltotal, mtcreditfidelite and correctionok, chooses
// the visible buttons, runs exec() and reads modifok.
class Tpaiementform : public QDialog {
    Q_OBJECT
  public:
    Tpaiementform(TillContext& ctx, const Skin* skin, QWidget* parent = nullptr);

    // Set by the opener
    QString paiementnosaisie;
    QLabel* labeltotal = nullptr; // amount due, two decimals
    double mtcreditfidelite = 0;
    bool correctionok = false;
    // Read by the opener: a ticket was recorded during this showing
    bool modifok = false;

    // State of the screen
    QLabel* LabelFact = nullptr;         // "En cours": sum of the payments
    QLabel* LabelRendu = nullptr;        // "Reste": paid - due
    int nbreglement = 1;                 // multiplier 1..9
    double fidelite = 0;                 // loyalty balance, then the amount used
    QPushButton* btnbrouillon = nullptr; // its caption is the draft state
    QPushButton* LabelP[16] = {};
    QPushButton* Q[9] = {};
    QTableWidget* sgreglement = nullptr;
    QWidget* PanelFidelite = nullptr;
    QLabel* LabelFideliteSolde = nullptr;
    QPushButton* LabelFidelite = nullptr; // "Utiliser"
    QPushButton* BtnClose = nullptr;
    QPushButton* btnsupligne = nullptr;
    QPushButton* Btnsuptout = nullptr;
    QPushButton* Imagesave = nullptr;
    QPushButton* Imagesaveandprint = nullptr;
    QPushButton* Imagesaveandprint2 = nullptr;

    bool draft() const;
    void setDraft(bool draft);
    double total() const;
    // Opens the screen in normal mode (close, delete and draft buttons shown).
    void prepareNormal(const QString& order, double total, double credit);
    // Opens the screen to correct the payments of a recorded ticket: only new
    // payments and "Enregistrer" remain; recording changes the payments alone.
    void prepareCorrection(const QString& order, double total);

    // Operations, as the buttons run them (tests call them too).
    void CalculMontant();
    void enterPayment(int method, const QString& amountText); // nbreglement rows, then back to 1
    void enterLoyalty(const QString& amountText);
    void setMultiplier(int n);
    void deleteSelected();
    void deleteAll();
    // Records with print mode 0, 1 or 2; false when the payments do not match or the
    // operator declined. Opens the drawer and closes the screen when recorded.
    bool record(int impnum);

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void LabelP1Click(int index);
    void LabelFideliteClick();
    QString askAmount(const QString& title, int maxLength, bool sign, const QString& preset);
    QPushButton* button(const QString& text, const QString& name, const QString& accessible);

    TillContext& m_ctx;
    const Skin* m_skin;
    int m_methodIds[16] = {};
    QLabel* m_totalLabel = nullptr;
};

} // namespace qor

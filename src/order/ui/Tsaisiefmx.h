#pragma once
#include "checkout/ui/Tpaiementform.h"
#include "order/EntryCatalog.h"
#include "order/OrderStore.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStringList>
#include <QTableWidget>
#include <functional>
#include <optional>

namespace qor {

class Tmainform;
class Tclaviernumfmx;

// How a keypad is set up before it is shown.
struct KeypadSetup {
    QString title;
    int lgmax = 7;
    QString input;
    bool signVisible = false;
    bool signEnabled = false;
    QString sign = QStringLiteral("+");
    bool quickKeys = true;
    bool masked = false;
};

// The touch order-entry screen: family and article buttons fill the open order of
// a table, the ticket grid shows its lines and the total block the amount due.
// Built once and shown modally for every table.
class Tsaisiefmx : public QDialog {
    Q_OBJECT
  public:
    explicit Tsaisiefmx(Tmainform& main, QWidget* parent = nullptr);

    // Opens the order of the table set in the till context and runs the screen
    // until it is left. Returns true when it was left with the hourglass.
    bool run();

    // The touch keypad; no value when it was closed without validation.
    std::function<std::optional<KeypadValue>(const KeypadSetup&)> keypad;
    // PIN check with the right US_INPUT: sets the current user when it succeeds
    // (Users::userctrl when not set).
    std::function<bool(const QString& pin)> userctrl;

    OrderStore& store() { return m_store; }
    const QStringList& lbidfam() const { return m_lbidfam; }
    QString selidfamille() const { return m_selidfamille; }
    qint16 paiementexpress() const { return m_paiementexpress; }
    bool reglementok() const { return m_reglementok; }

    // Handlers, named after their controls.
    void FormShow();
    void majbarretitre();
    void affichefamille();
    void familleClic(QWidget* sender);
    void initarticle();
    void Q2Click(QWidget* sender);
    void imagefamille0Click();
    void ImageReculfamilleClick();
    void LabelqteClick();
    void btnpmClick();
    void btncouvertClick();
    void btnutilisateurClick();
    void btnexpress1Click(QWidget* sender);
    void btnexpress4Click();
    void btncloseClick(int tag);
    void btnpaiementClick();
    void btntiroirClick();
    // The payment screen, built on first use and kept.
    Tpaiementform& paiementform();
    void fermefenetre();
    void ouvrefenetre();
    // Re-reads the lines into the grid and shows the totals.
    void litsaisie();

    // Design size of the screen; every control is placed in these units and scaled.
    static constexpr int designWidth = 992;
    static constexpr int designHeight = 692;

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    QPushButton* toolButton(QWidget* parent, const QString& name, const QString& accessible,
                            const QString& text, const QString& skinFile, QRectF design);
    void later(QPushButton* b);
    void affichearticle(const Rows& rows);
    void scroll(QScrollArea* area, int designUnits);
    void applyScale(QWidget* root);
    void showError(const QString& text);
    std::optional<KeypadValue> askKeypad(const KeypadSetup& s);

    Tmainform& m_main;
    TillContext& m_ctx;
    OrderStore m_store;
    EntryCatalog m_catalog;
    CurrentArticle m_current;
    QString m_selidfamille = QStringLiteral("0");
    QString m_couleur1;
    QStringList m_lbidfam;
    qint16 m_paiementexpress = 0;
    bool m_reglementok = true;
    int m_largeur = 0;
    bool m_waiting = false;
    QString m_displayError;
    int m_articleCount = 0;

    QLabel* BarreTitre = nullptr;
    QTableWidget* sg1 = nullptr;
    QLabel* LabelRg = nullptr;
    QLabel* LabelMrg = nullptr;
    QLabel* LabelTotal = nullptr;
    QWidget* RectangleExpress = nullptr;
    QWidget* Recrouge = nullptr;
    QWidget* RectangleBtn = nullptr;
    QScrollArea* vsbfamille = nullptr;
    QScrollArea* vsbarticle = nullptr;
    QWidget* familyContent = nullptr;
    QWidget* articleContent = nullptr;
    QPushButton* btnpm = nullptr;
    QPushButton* Labelqte = nullptr;
    QPushButton* btnbougefenetre = nullptr;
    QPushButton* btnimprimantetxt = nullptr;
    QList<QPushButton*> m_express;
    Tclaviernumfmx* m_keypad = nullptr;
    std::unique_ptr<Tpaiementform> m_payment;
};

} // namespace qor

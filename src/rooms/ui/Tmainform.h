#pragma once
#include "core/TillContext.h"
#include "core/ui/Skin.h"
#include "order/ui/OrderEntry.h"
#include "rooms/RoomPlan.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

class QFrame;
class QHBoxLayout;
class QScrollArea;

namespace qor {

class TableButton;
class MoveFrame;
class Tclaviernumfmx;
class TClavierNumForm;
class Touinonfmx;
class Tshowmessagefmx;
class Tchoixcouleurfmx;

// The main window: the room screen. Menu bar, room bar, and the plan of the chosen
// room with every table coloured by its state. It owns the till context and the
// keypads and touch dialogs every screen reuses.
class Tmainform : public QWidget {
    Q_OBJECT
  public:
    explicit Tmainform(TillContext& ctx, QWidget* parent = nullptr);
    ~Tmainform() override;

    TillContext& ctx() { return m_ctx; }
    const Skin& skin() const { return m_skin; }
    void loadSkin(bool noRoomPicture);

    // Keypads and touch dialogs, built once and reused by every screen.
    Tclaviernumfmx& claviernumfmx() { return *m_claviernumfmx; }
    TClavierNumForm& ClavierNumForm() { return *m_ClavierNumForm; }
    Touinonfmx& ouinonfmx() { return *m_ouinonfmx; }
    Tshowmessagefmx& showmessagefmx() { return *m_showmessagefmx; }
    Tchoixcouleurfmx& choixcouleurfmx() { return *m_choixcouleurfmx; }

    // Shows order entry for the till context's table; tests put a recorder here.
    std::function<OrderEntryExit(Tmainform&)> orderEntry = showOrderEntry;

    // Window title and date label, refreshed every 10 seconds.
    void maintitle();
    QLabel* dateLabel() const { return m_date; }

    // Rooms and tables
    QList<Room> roomList() const { return m_rooms; }
    void chooseRoom(int nosalle);
    void Dessine();
    QList<TableButton*> tableButtons() const { return m_tables; }
    TableButton* tableButton(int notable) const;
    void openTable(int slot);
    void afficheNomCliBtn(int idcli, int slot);
    // Redraws one table's button from the order lines (after order entry).
    void redrawTable(int slot);

    // Scale at which the plan is shown: 1, or less when the plan is larger than the window.
    double planScale() const { return m_scale; }

    // Plan editing
    void setPlanEditing(bool on);
    QFrame* moveFrame() const;
    // Ends the move of the table under the frame at this place of the plan.
    void endMove(const QPoint& framePlace);

    // Tablet orders: picks up orders entered on tablets and sends them to the kitchen.
    // Run by the 10-second timer when tablets are set up, and by a double-click on the
    // date label. Left empty until the kitchen printing is in place.
    void recuptab();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPushButton* menuButton(int number, const QString& text, const QString& accessible);
    void menuClicked(int number);
    void layoutRooms();
    void startMove(int slot);
    void openShop();
    void setMenusForEditing();
    void fitPlan();

    TillContext& m_ctx;
    Skin m_skin;
    bool m_noRoomPicture = false;
    bool m_shown = false;
    QWidget* m_menuBar = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_logo = nullptr;
    QWidget* m_roomBar = nullptr;
    QScrollArea* m_roomScroll = nullptr;
    QWidget* m_roomStrip = nullptr;
    QHBoxLayout* m_roomLayout = nullptr;
    QList<QPushButton*> m_roomButtons;
    QPushButton* m_moveButton = nullptr;
    QLabel* m_moveIndicator = nullptr;
    QScrollArea* m_planScroll = nullptr;
    QWidget* m_plan = nullptr;
    QLabel* m_background = nullptr;
    QPixmap m_backgroundPicture;
    QSize m_planSize;
    double m_scale = 1.0;
    MoveFrame* m_frame = nullptr;
    QList<Room> m_rooms;
    QList<TableButton*> m_tables;
    QTimer m_timer;
    Tclaviernumfmx* m_claviernumfmx = nullptr;
    TClavierNumForm* m_ClavierNumForm = nullptr;
    Touinonfmx* m_ouinonfmx = nullptr;
    Tshowmessagefmx* m_showmessagefmx = nullptr;
    Tchoixcouleurfmx* m_choixcouleurfmx = nullptr;
};

} // namespace qor

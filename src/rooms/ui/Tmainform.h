#pragma once
#include "core/TillContext.h"
#include "core/ui/Skin.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace qor {

// The main window: the room screen. It owns the till context that every
// screen reads and writes.
class Tmainform : public QWidget {
    Q_OBJECT
public:
    explicit Tmainform(TillContext& ctx, QWidget* parent = nullptr);

    TillContext& ctx() { return m_ctx; }
    const Skin& skin() const { return m_skin; }
    void loadSkin(bool noRoomPicture);

    // Window title and date label, refreshed every 10 seconds.
    void maintitle();
    QLabel* dateLabel() const { return m_date; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* menuButton(int number, const QString& text, const QString& accessible);

    TillContext& m_ctx;
    Skin m_skin;
    QWidget* m_menuBar = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_logo = nullptr;
    QWidget* m_plan = nullptr;
    QTimer m_timer;
};

} // namespace qor

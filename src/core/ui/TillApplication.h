#pragma once
#include <QApplication>

namespace qor {

// The till's application object: an error that reaches the event loop (database,
// device, bad input) is shown in a message box and the action stops there; the
// till keeps running.
class TillApplication : public QApplication {
  public:
    TillApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    static void showError(const QString& text);
};

} // namespace qor

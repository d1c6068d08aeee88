#include "core/ui/TillApplication.h"

#include "core/DbError.h"
#include "core/ui/DialogPrompt.h"

#include <QMessageBox>

namespace qor {

TillApplication::TillApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("qor"));
    setApplicationVersion(QStringLiteral(QOR_VERSION));
}

void TillApplication::showError(const QString& text) {
    QMessageBox::critical(activeWindow(), QStringLiteral("qor"), DialogPrompt::display(text));
}

bool TillApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& e) {
        showError(QStringLiteral("Erreur de la base de données :\n") + e.text());
    } catch (const UserError& e) {
        showError(e.text());
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace qor

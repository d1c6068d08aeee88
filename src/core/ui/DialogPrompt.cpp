#include "core/ui/DialogPrompt.h"

#include <QApplication>
#include <QMessageBox>

namespace qor {

QString DialogPrompt::display(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

bool DialogPrompt::ask(const QString& question) {
    return QMessageBox::question(QApplication::activeWindow(), QStringLiteral("qor"), display(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void DialogPrompt::inform(const QString& message) {
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("qor"), display(message));
}

} // namespace qor

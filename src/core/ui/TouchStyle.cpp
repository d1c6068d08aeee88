#include "core/ui/TouchStyle.h"

#include <QAbstractButton>
#include <QProcess>
#include <QStandardPaths>

namespace qor::TouchStyle {

void setPicture(QAbstractButton* button, const QPixmap& picture) {
    if (picture.isNull()) return;
    button->setIcon(picture);
    button->setIconSize(button->size().isValid() && !button->size().isEmpty()
                            ? button->size() - QSize(4, 4)
                            : QSize(fingerSize, fingerSize));
    button->setText({});
}

void startCalculator() {
    for (const char* name :
         {"gnome-calculator", "galculator", "kcalc", "mate-calc", "qalculate-gtk", "xcalc"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty()) {
            QProcess::startDetached(program, {});
            return;
        }
    }
}

} // namespace qor::TouchStyle

#include "order/NumberText.h"

#include <cmath>

namespace qor::NumberText {

QString plain(double v) {
    if (v == 0) return QStringLiteral("0"); // no "-0"
    return QString::number(v, 'g', 15);
}

QString fixed2(double v, int precision) {
    const QString f = QString::number(v, 'f', 2);
    const qsizetype digits = f.indexOf(u'.') - (f.startsWith(u'-') ? 1 : 0);
    if (digits > precision) return QString::number(v, 'E', precision - 1);
    if (f == u"-0.00") return QStringLiteral("0.00");
    return f;
}

double round2(double v) {
    return QString::number(v, 'f', 2).toDouble();
}

QString padLeft(const QString& text, int width) {
    return text.size() >= width ? text : QString(width - text.size(), u' ') + text;
}

} // namespace qor::NumberText

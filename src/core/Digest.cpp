#include "core/Digest.h"

#include <QCryptographicHash>

namespace qor {

QString calculctrl(const QString& text) {
    const QByteArray sha1 = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex();
    const QByteArray md5 = QCryptographicHash::hash(sha1, QCryptographicHash::Md5).toHex();
    return QString::fromLatin1(sha1 + md5.left(24));
}

QString numberText(double value) {
    if (value == 0) return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

} // namespace qor

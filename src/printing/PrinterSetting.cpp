#include "printing/PrinterSetting.h"

#include "core/DbError.h"

namespace qor::PrinterSetting {

namespace {

// Characters from..to (counted from 1) of a setting, blanks trimmed.
QString chars(const QString& s, int from, int to) {
    return s.mid(from - 1, to - from + 1).trimmed();
}

int number(const QString& setting, int from, int to, const QString& what, const QString& meaning) {
    const QString text = chars(setting, from, to);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        throw UserError(QStringLiteral("Le réglage %1 (« %2 ») est incorrect : les caractères %3 à %4 "
                                       "doivent donner %5 en chiffres, et non « %6 ».\r"
                                       "Corrigez ce réglage dans la configuration de la caisse.")
                            .arg(what, setting)
                            .arg(from)
                            .arg(to)
                            .arg(meaning, text));
    return value;
}

} // namespace

Kind kind(const QString& setting) {
    const QString k = setting.left(3);
    if (k == u"COM") return Kind::Serial;
    if (k == u"USB") return Kind::Installed;
    return Kind::None;
}

bool isSerial(const QString& setting) {
    return kind(setting) == Kind::Serial;
}
bool isInstalled(const QString& setting) {
    return kind(setting) == Kind::Installed;
}

QString serialName(const QString& setting) {
    return chars(setting, 1, 4);
}

int baudRate(const QString& setting, const QString& what) {
    if (chars(setting, 10, 14).isEmpty()) return 9600;
    const int rate = number(setting, 10, 14, what, QStringLiteral("la vitesse du port série (bauds)"));
    if (rate == 0)
        throw UserError(QStringLiteral("Le réglage %1 (« %2 ») donne une vitesse de port série nulle.\r"
                                       "Corrigez ce réglage dans la configuration de la caisse.")
                            .arg(what, setting));
    return rate;
}

quint8 euroCode(const QString& setting, const QString& what) {
    // An empty code means the plain letter E, as code 69 does.
    if (chars(setting, 6, 8).isEmpty()) return 69;
    return quint8(number(setting, 6, 8, what, QStringLiteral("le code du caractère euro")) & 0xFF);
}

int installedIndex(const QString& setting, const QString& what) {
    return number(setting, 4, 5, what, QStringLiteral("le numéro de l'imprimante installée"));
}

QString drawerPrinterName(const QString& setting) {
    return chars(setting, 9, 49);
}

QChar euroCharacter(quint8 code) {
    switch (code) {
    case 101:
        return u'e';
    case 128:
        return QChar(0x20AC);
    case 213:
        return QChar(0x00D5);
    default:
        return u'E';
    }
}

} // namespace qor::PrinterSetting

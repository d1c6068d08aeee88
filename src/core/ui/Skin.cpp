#include "core/ui/Skin.h"

#include <QDir>
#include <QFileInfo>

namespace qor {

const QStringList& Skin::names() {
    static const QStringList list = [] {
        QStringList n;
        for (int i = 0; i <= 6; ++i)
            n << QStringLiteral("SKIN/mainmenu%1.png").arg(i);
        for (int i = 1; i <= 8; ++i)
            n << QStringLiteral("SKIN/room%1.png").arg(i);
        n << "SKIN/CALC.PNG"
          << "SKIN/CLOSE.PNG"
          << "SKIN/UP.PNG"
          << "SKIN/DOWN.PNG"
          << "SKIN/PRINT.PNG"
          << "SKIN/FIND-SMALL.PNG"
          << "SKIN/UP2.PNG"
          << "SKIN/DOWN2.PNG"
          << "SKIN/BGNUMC.PNG"
          << "SKIN/BIGBGNUM.PNG"
          << "SKIN/DELETE.PNG"
          << "SKIN/CORRECT.PNG"
          << "SKIN/APPEND.PNG"
          << "SKIN/VALIDATE.PNG"
          << "SKIN/EXPORT.PNG"
          << "SKIN/FIND.PNG"
          << "SKIN/LEFT.PNG"
          << "SKIN/RIGHT.PNG"
          << "SKIN/PDF.PNG";
        for (int i = 0; i <= 9; ++i)
            n << QStringLiteral("SKIN/S%1.png").arg(i);
        n << "SKIN/deleteline.png"
          << "SKIN/deleteline2.png"
          << "SKIN/save.png"
          << "SKIN/saveandprint.png"
          << "SKIN/saveandprint2.png";
        n << "SKIN/SDOT.png"
          << "SKIN/SOK.png"
          << "BGROOM1.PNG"
          << "logo.png"
          << "skin/move.png"
          << "bg.jpg";
        return n;
    }();
    return list;
}

QString Skin::findFile(const QString& base, const QString& relative) {
    const QString direct = base + u'/' + relative;
    if (QFileInfo::exists(direct)) return direct;
    QDir dir(base);
    const QStringList parts = relative.split(u'/');
    for (int i = 0; i < parts.size(); ++i) {
        const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QString match;
        for (const QString& e : entries)
            if (e.compare(parts.at(i), Qt::CaseInsensitive) == 0) match = e;
        if (match.isEmpty()) return {};
        if (i == parts.size() - 1) return dir.filePath(match);
        if (!dir.cd(match)) return {};
    }
    return {};
}

void Skin::load(const QString& imagesPath, bool noRoomPicture) {
    m_pictures.clear();
    for (const QString& name : names()) {
        if (noRoomPicture && name == u"BGROOM1.PNG") continue;
        const QString file = findFile(imagesPath, name);
        if (file.isEmpty()) continue;
        QPixmap p(file);
        if (!p.isNull()) m_pictures.insert(name.toLower(), p);
    }
    // The three sign-tile names share one picture: the last present wins.
    for (const char* n : {"SKIN/BGNUM.PNG", "SKIN/BGNUM55.PNG", "SKIN/BGNUM45.PNG"}) {
        const QString file = findFile(imagesPath, QLatin1String(n));
        if (!file.isEmpty()) m_pictures.insert(QStringLiteral("skin/bgnum.png"), QPixmap(file));
    }
}

} // namespace qor

#pragma once
#include <QHash>
#include <QPixmap>
#include <QString>

namespace qor {

// Skin pictures: files of the images folder that replace the built-in look of
// buttons. A missing file is skipped; screens fall back to their own drawing.
class Skin {
  public:
    void load(const QString& imagesPath, bool noRoomPicture);
    // The picture for a name such as "skin/close.png", or a null pixmap.
    QPixmap picture(const QString& name) const { return m_pictures.value(name.toLower()); }
    bool has(const QString& name) const { return m_pictures.contains(name.toLower()); }
    static const QStringList& names();
    // The file base/relative whatever the case of its parts (skins come from Windows
    // tills), or an empty text when there is none.
    static QString findFile(const QString& base, const QString& relative);

  private:
    QHash<QString, QPixmap> m_pictures;
};

} // namespace qor

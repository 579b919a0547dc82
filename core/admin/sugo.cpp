#include "core/admin/sugo.h"
#include "core/common/keszito.h"

#include <QDir>
#include <QFileInfo>
#include <QUrlQuery>

#ifndef KZ_SUGO_TELEPITVE
#define KZ_SUGO_TELEPITVE "../share/kazettora"
#endif

namespace Sugo {

QString Fajl(const QString& programMappa, const QString& futtathatoMappa)
{
    const QString sajat = QDir(programMappa).filePath(QLatin1String(Kezdolap));
    const QString jeloltek[] = {
        sajat,
        QDir(futtathatoMappa).filePath(QLatin1String(Kezdolap)),
        QDir(QDir(futtathatoMappa).filePath(QStringLiteral(KZ_SUGO_TELEPITVE))).filePath(QLatin1String(Kezdolap)),
    };
    for (const QString& f : jeloltek)
        if (QFileInfo(f).isFile()) return QDir::cleanPath(QFileInfo(f).absoluteFilePath());
    return QDir::cleanPath(QFileInfo(sajat).absoluteFilePath());
}

QUrl LevelLink()
{
    QUrl u;
    u.setScheme(QStringLiteral("mailto"));
    u.setPath(QString::fromLatin1(Keszito::Level));
    QUrlQuery q;
    q.addQueryItem(QStringLiteral("subject"), QString::fromUtf8(Keszito::LevelTargy));
    u.setQuery(q);
    return u;
}

} // namespace Sugo

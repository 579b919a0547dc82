#include "core/rental/tortenet.h"

namespace Tortenet {

namespace {

// The fixed lines of the query, then the added one. Both history columns
// also exist in a joined table, so the added line names its table.
const char* const Alap =
    "SELECT\n"
    "ugyfel_video.ugyfel_video,\n"
    "ugyfel_video.ugyfel,\n"
    "ugyfel.ugyfel_nev,\n"
    "ugyfel_video.video,\n"
    "video.video_nev,\n"
    "ugyfel_video.datum\n"
    "FROM ugyfel_video\n"
    "LEFT OUTER JOIN ugyfel ON (ugyfel_video.ugyfel = ugyfel.ugyfel)\n"
    "LEFT OUTER JOIN video ON (ugyfel_video.video = video.video)\n";

QString oszlop(TortenetMod mod)
{
    return mod == TortenetMod::Ugyfel ? QStringLiteral("ugyfel") : QStringLiteral("video");
}

} // namespace

QString Lekerdezes(TortenetMod mod, qint64 kulcs)
{
    return QString::fromLatin1(Alap)
           + QStringLiteral("WHERE ugyfel_video.%1=%2 ORDER BY ugyfel_video.ugyfel_video;")
                 .arg(oszlop(mod))
                 .arg(kulcs);
}

KulcsosLista Lista(TortenetMod mod, qint64 kulcs)
{
    ListaDef d;
    d.tabla = QStringLiteral("ugyfel_video");
    d.alias = QStringLiteral("h");
    d.kulcs = QStringLiteral("ugyfel_video");
    d.mezok = {QStringLiteral("ugyfel_video"), QStringLiteral("ugyfel"), QStringLiteral("ugyfel_nev"),
               QStringLiteral("video"), QStringLiteral("video_nev"), QStringLiteral("datum")};
    using T = Sema::Tipus;
    d.tipusok = {T::AutoInc, T::Egesz, T::Szoveg, T::Egesz, T::Szoveg, T::Datum};
    d.select = QStringLiteral("h.ugyfel_video, h.ugyfel, u.ugyfel_nev, h.video, v.video_nev, h.datum");
    d.joinok = QStringLiteral("LEFT OUTER JOIN ugyfel u ON (h.ugyfel = u.ugyfel) "
                              "LEFT OUTER JOIN video v ON (h.video = v.video)");
    KulcsosLista l(d);
    // The key order is the list's own (the key is always its last tie-breaker).
    l.szures(QStringLiteral("h.%1 = ?").arg(oszlop(mod)), {kulcs});
    return l;
}

QString FejMezo(TortenetMod mod)
{
    return mod == TortenetMod::Ugyfel ? QStringLiteral("ugyfel_nev") : QStringLiteral("video_nev");
}

QString SorMezo(TortenetMod mod)
{
    return mod == TortenetMod::Ugyfel ? QStringLiteral("video_nev") : QStringLiteral("ugyfel_nev");
}

} // namespace Tortenet

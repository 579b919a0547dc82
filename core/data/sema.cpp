#include "core/data/sema.h"
#include "core/data/adatbazis.h"
#include "core/data/hufold.h"
#include "core/data/konverzio.h"

#include <QDate>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTime>
#include <functional>
#include <sqlite3.h>
#include <cmath>

namespace Sema {

namespace {

using T = Tipus;

std::vector<Tabla> keszit()
{
    std::vector<Tabla> t;
    t.push_back({"video",
                 {{"video", T::AutoInc}, {"azon", T::Egesz}, {"tipus", T::Egesz}, {"arkat", T::Egesz},
                  {"video_nev", T::Szoveg, 100}, {"szoveg", T::Szoveg, 255}, {"ugyfel", T::Egesz},
                  {"fiztip", T::Egesz}, {"dat_kiadva", T::Datum}, {"ido_kiadva", T::Ido},
                  {"dat_visszakell", T::Datum}, {"ido_visszakell", T::Ido}, {"dat_vissza", T::Datum},
                  {"ido_vissza", T::Ido}, {"ar", T::Valos}, {"kint", T::Szoveg, 1},
                  {"torolve", T::Szoveg, 1}, {"dat_besz", T::Datum}, {"dat_selejt", T::Datum},
                  {"kolcsid", T::Egesz}, {"kolcsonozve", T::Egesz}, {"mufaj", T::Egesz},
                  {"beszar", T::Valos}},
                 {"video"},
                 {"CREATE INDEX video_azon ON video(azon)",
                  // The title order folds case and Hungarian accents (collation HU).
                  "CREATE INDEX video_video_nev ON video(video_nev COLLATE HU)",
                  // The "only items out" filter and the return window must not scan the catalogue.
                  "CREATE INDEX video_kint_azon ON video(kint, azon)",
                  "CREATE INDEX video_kint_nev ON video(kint, video_nev COLLATE HU)",
                  // The item picker learns in a few probes whether every item's type
                  // still exists, instead of looking up the type of each item.
                  "CREATE INDEX video_tipus ON video(tipus)",
                  "CREATE INDEX video_ugyfel ON video(ugyfel)",
                  "CREATE INDEX video_kolcsid ON video(kolcsid)"}});
    t.push_back({"ugyfel",
                 {{"ugyfel", T::AutoInc}, {"azon", T::Egesz}, {"ugyfel_nev", T::Szoveg, 50},
                  {"telefon", T::Szoveg, 25}, {"fax", T::Szoveg, 25}, {"mobil", T::Szoveg, 25},
                  {"emil", T::Szoveg, 75}, {"cim_irsz", T::Szoveg, 5}, {"cim_varos", T::Szoveg, 25},
                  {"cim_cim", T::Szoveg, 50}, {"dijfizetve", T::Datum}, {"torolve", T::Szoveg, 1},
                  {"szigszam", T::Szoveg, 25}},
                 {"ugyfel"},
                 {"CREATE INDEX ugyfel_azon ON ugyfel(azon)",
                  "CREATE INDEX ugyfel_ugyfel_nev ON ugyfel(ugyfel_nev COLLATE HU)"}});
    t.push_back({"ugyfel_video",
                 {{"ugyfel_video", T::AutoInc}, {"ugyfel", T::Egesz}, {"video", T::Egesz}, {"datum", T::Datum}},
                 {"ugyfel_video"},
                 {"CREATE INDEX ugyfel_video_ugyfel ON ugyfel_video(ugyfel)",
                  "CREATE INDEX ugyfel_video_video ON ugyfel_video(video)"}});
    for (const char* n : {"tipus", "arkat", "mufaj"}) {
        const QString nev = QString::fromLatin1(n);
        t.push_back({nev, {{nev, T::AutoInc}, {nev + "_nev", T::Szoveg, 25}}, {nev},
                     {QStringLiteral("CREATE INDEX %1_nev_ix ON %1(%1_nev COLLATE HU)").arg(nev)}});
    }
    t.push_back({"fiztip", {{"fiztip", T::AutoInc}, {"fiztip_nev", T::Szoveg, 25}, {"ora", T::Egesz}}, {"fiztip"}, {}});
    t.push_back({"fiztip_arkat", {{"fiztip", T::Egesz}, {"arkat", T::Egesz}, {"ar", T::Valos}}, {"fiztip", "arkat"}, {}});
    t.push_back({"cassa",
                 {{"cassa", T::AutoInc}, {"cassatip", T::Szoveg, 1}, {"datum", T::Datum}, {"ugyfel", T::Egesz},
                  {"osszeg", T::Valos}, {"penzvan", T::Valos}, {"idoszak", T::Szoveg, 6}},
                 {"cassa"},
                 {"CREATE INDEX cassa_datum ON cassa(datum)",
                  // The month dialog lists the distinct month keys of millions of rows.
                  "CREATE INDEX cassa_idoszak ON cassa(idoszak)"}});
    t.push_back({"cassatip",
                 {{"cassatip", T::Szoveg, 1, true}, {"cassatip_nev", T::Szoveg, 25}, {"szorzo", T::Egesz}},
                 {"cassatip"}, {}});
    t.push_back({"beallit",
                 {{"beallit", T::AutoInc}, {"vanbelep", T::Szoveg, 1}, {"dijnegyed", T::Valos},
                  {"dijfel", T::Valos}, {"dijev", T::Valos}, {"autonyom", T::Szoveg, 1},
                  {"kolcsszoveg", T::Szoveg, 255}, {"elorefizet", T::Szoveg, 1},
                  // The fiztip a scanned card's rental starts with; empty: asked.
                  {"alapfiztip", T::Egesz, 0, false, 5}},
                 {"beallit"}, {}});
    t.push_back({"tulajdonos",
                 {{"tulajdonos", T::Szoveg, 50}, {"telefon", T::Szoveg, 25}, {"mobil", T::Szoveg, 25},
                  {"fax", T::Szoveg, 25}, {"irsz", T::Szoveg, 5}, {"varos", T::Szoveg, 25},
                  {"cim", T::Szoveg, 50}, {"adoszam", T::Szoveg, 11}, {"bankszamlaszam", T::Szoveg, 24}},
                 {},
                 {"CREATE INDEX tulajdonos_ix ON tulajdonos(tulajdonos)"}});
    t.push_back({"felhasznalo",
                 {{"felhasznalo", T::Szoveg, 20, true}, {"felhasznalo_nev", T::Szoveg, 20},
                  // A salted digest (crypto_pwhash_str), never the password itself.
                  {"jelszo", T::Szoveg, 128}, {"rendszergazda", T::Szoveg, 1}, {"torzsszerkeszt", T::Szoveg, 1}},
                 {"felhasznalo"}, {}});
    t.push_back({"irsz", {{"Id", T::AutoInc}, {"irsz", T::Szoveg, 10}, {"varos", T::Szoveg, 50}}, {"Id"},
                 {"CREATE INDEX irsz_irsz ON irsz(irsz)"}});
    t.push_back({"vkod", {{"vkod", T::AutoInc}, {"azon", T::Szoveg, 20}}, {"vkod"}, {}});
    // Late-fee rules per price category: hours of grace after the due
    // moment, a fee per started overdue day, and a cap per item (0: none).
    t.push_back({"kesedelem",
                 {{"arkat", T::Egesz}, {"turelem", T::Egesz}, {"napidij", T::Valos}, {"plafon", T::Valos}},
                 {"arkat"}, {}, 5});
    // The day closes: the cash book's balance against the counted cash.
    t.push_back({"zaras",
                 {{"zaras", T::AutoInc}, {"datum", T::Datum}, {"ido", T::Ido}, {"vart", T::Valos},
                  {"szamolt", T::Valos}, {"elteres", T::Valos}, {"felhasznalo", T::Szoveg, 20}},
                 {"zaras"},
                 {"CREATE INDEX zaras_datum ON zaras(datum)"}, 5});
    return t;
}

QString oszlopDef(const Tabla& t, const Mezo& m)
{
    const QString n = m.nev;
    QString d;
    switch (m.tipus) {
    case T::AutoInc: return n + " INTEGER PRIMARY KEY AUTOINCREMENT";
    case T::Egesz: d = n + " INTEGER"; break;
    case T::Valos: d = n + " REAL"; break;
    case T::Datum:
    case T::Ido: d = n + " TEXT"; break;
    case T::Szoveg:
        d = n + " TEXT";
        if (m.kotelezo) d += " NOT NULL";
        if (t.kulcs.size() == 1 && t.kulcs.first() == n) d += " PRIMARY KEY";
        break;
    }
    // Named constraints: the engine's refusal then reads as a Hungarian sentence.
    const Korlat k = korlat(m);
    return d + QStringLiteral(" CONSTRAINT \"%1\" CHECK (%2)").arg(k.nev, k.kifejezes);
}

} // namespace

Korlat korlat(const Mezo& m)
{
    const QString n = m.nev;
    switch (m.tipus) {
    case T::AutoInc: return {};
    case T::Egesz:
        return {QStringLiteral("a(z) %1 mező egész számot vár").arg(n),
                QStringLiteral("%1 IS NULL OR (typeof(%1)='integer' AND %1 BETWEEN -2147483648 AND 2147483647)").arg(n)};
    case T::Valos:
        // Infinity compares beyond any bound; NaN never arrives (it binds as NULL).
        return {QStringLiteral("a(z) %1 mező számot vár").arg(n),
                QStringLiteral("%1 IS NULL OR (typeof(%1) IN ('real','integer') AND %1 BETWEEN -1e308 AND 1e308)").arg(n)};
    case T::Datum:
        return {QStringLiteral("a(z) %1 mező dátumot vár").arg(n),
                QStringLiteral("%1 IS NULL OR %1 GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'").arg(n)};
    case T::Ido:
        return {QStringLiteral("a(z) %1 mező időpontot vár").arg(n),
                QStringLiteral("%1 IS NULL OR %1 GLOB '[0-2][0-9]:[0-5][0-9]:[0-5][0-9]'").arg(n)};
    case T::Szoveg:
        return {QStringLiteral("a(z) %1 mező legfeljebb %2 karakter lehet").arg(n).arg(m.hossz),
                QStringLiteral("%1 IS NULL OR length(%1) <= %2").arg(n).arg(m.hossz)};
    }
    return {};
}

const std::vector<Tabla>& tablak()
{
    static const std::vector<Tabla> t = keszit();
    return t;
}

QString indexNev(const QString& createIndex)
{
    // "CREATE INDEX name ON ..."
    return createIndex.section(u' ', 2, 2, QString::SectionSkipEmpty);
}

const Tabla* tabla(const QString& nev)
{
    for (const Tabla& t : tablak())
        if (t.nev.compare(nev, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

const Mezo* mezo(const QString& tablaNev, const QString& mezoNev)
{
    const Tabla* t = tabla(tablaNev);
    if (!t) return nullptr;
    for (const Mezo& m : t->mezok)
        if (m.nev.compare(mezoNev, Qt::CaseInsensitive) == 0) return &m;
    return nullptr;
}

QVariant ertekbe(Tipus t, const QVariant& v)
{
    if (v.isNull()) return {};
    switch (t) {
    case T::AutoInc:
    case T::Egesz: return v.toInt();
    case T::Valos: return v.toDouble();
    case T::Szoveg: return v.toString();
    case T::Datum: {
        const QDate d = QDate::fromString(v.toString(), DatumFormatum);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case T::Ido: {
        const QTime i = QTime::fromString(v.toString(), IdoFormatum);
        return i.isValid() ? QVariant(i) : QVariant();
    }
    }
    return v;
}

QVariant tarolt(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return QVariant();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        // The engine would keep an infinity and turn NaN into an empty field.
        if (!std::isfinite(v.toDouble())) throw AdatbazisHiba(QString::fromUtf8(NemMegfeleloErtek));
        return v;
    case QMetaType::QDate: return v.toDate().toString(DatumFormatum);
    case QMetaType::QTime: return v.toTime().toString(IdoFormatum);
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default: return v;
    }
}

namespace {

QString rendszerTablaDef()
{
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (nev TEXT PRIMARY KEY, ertek TEXT)")
        .arg(QString::fromLatin1(RendszerTabla));
}

QString tablaDef(const Tabla& t)
{
    QStringList oszlopok;
    for (const Mezo& m : t.mezok) oszlopok << oszlopDef(t, m);
    if (t.kulcs.size() > 1) oszlopok << QStringLiteral("PRIMARY KEY (%1)").arg(t.kulcs.join(", "));
    return QStringLiteral("CREATE TABLE %1 (\n  %2\n)").arg(t.nev, oszlopok.join(",\n  "));
}

// What each version adds beyond new tables, fields and indexes (which come
// from the table descriptions by their `verzio`).
struct Lepes {
    int verzio;
    std::function<QStringList()> utasitasok;
};

const std::vector<Lepes>& lepesek()
{
    static const std::vector<Lepes> l = {
        {1, [] { return QStringList{rendszerTablaDef()}; }},
        // A field's width is a CHECK of its table: the table is rebuilt with
        // the wider one, its rows copied over.
        {3, [] {
             const Tabla& t = *tabla(QStringLiteral("felhasznalo"));
             QStringList mezok;
             for (const Mezo& m : t.mezok) mezok << m.nev;
             return QStringList{QStringLiteral("ALTER TABLE felhasznalo RENAME TO felhasznalo_v2"), tablaDef(t),
                                QStringLiteral("INSERT INTO felhasznalo (%1) SELECT %1 FROM felhasznalo_v2")
                                    .arg(mezok.join(", ")),
                                QStringLiteral("DROP TABLE felhasznalo_v2")};
         }},
    };
    return l;
}

QString taroltRendezes(QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT ertek FROM %1 WHERE nev = '%2'")
                    .arg(QString::fromLatin1(RendszerTabla), QString::fromLatin1(RendezesKulcs))))
        return {};   // no such table yet: an older database
    return q.next() ? q.value(0).toString() : QString();
}

// The schema's CREATE INDEX statements whose index is not in the database
// (dropped by hand, or by an older program).
QStringList hianyzoIndexek(QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT lower(name) FROM sqlite_schema WHERE type = 'index'"))) throw Adatbazis::hiba(q);
    QSet<QString> van;
    while (q.next()) van.insert(q.value(0).toString());
    QStringList hiany;
    for (const Tabla& t : tablak())
        for (const QString& ix : t.indexek)
            if (!van.contains(indexNev(ix).toLower())) hiany << ix;
    return hiany;
}

// A field a version adds may be there already: a file whose version mark
// was set back by hand, or restored from a copy.
bool vanMezo(QSqlDatabase& db, const QString& tabla, const QString& mezo)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT 1 FROM pragma_table_info('%1') WHERE lower(name) = lower('%2')").arg(tabla, mezo)))
        throw Adatbazis::hiba(q);
    return q.next();
}

bool csakOlvashato(QSqlDatabase& db)
{
    sqlite3* h = Adatbazis::kezelo(db);
    return h && sqlite3_db_readonly(h, "main") == 1;
}

void rendezesTarol(QSqlDatabase& db)
{
    Adatbazis::vegrehajt(db, QStringLiteral("INSERT OR REPLACE INTO %1 (nev, ertek) VALUES (?, ?)")
                                 .arg(QString::fromLatin1(RendszerTabla)),
                         {QString::fromLatin1(RendezesKulcs), HuFold::rendVerzio()});
}

} // namespace

int semaVerzio(QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) throw Adatbazis::hiba(q);
    return q.value(0).toInt();
}

void letrehoz(QSqlDatabase& db)
{
    for (const Tabla& t : tablak()) {
        Adatbazis::vegrehajt(db, tablaDef(t));
        for (const QString& ix : t.indexek) Adatbazis::vegrehajt(db, ix);
    }
    Adatbazis::vegrehajt(db, rendszerTablaDef());
    rendezesTarol(db);
    Adatbazis::vegrehajt(db, QStringLiteral("PRAGMA user_version = %1").arg(Verzio));
}

QString ellenoriz(QSqlDatabase& db)
{
    int verzio = 0;
    try {
        verzio = semaVerzio(db);
    } catch (const AdatbazisHiba& e) {
        return QStringLiteral("Az adatbázis nem olvasható: %1").arg(e.uzenet());
    }
    if (verzio > Verzio || verzio < 0)
        return QStringLiteral("Az adatbázist a program egy újabb változata írta (%1. sémaváltozat); "
                              "ez a program legfeljebb a(z) %2. változatot ismeri.")
            .arg(verzio)
            .arg(Verzio);
    for (const Tabla& t : tablak()) {
        if (t.verzio > verzio) continue;   // added on opening
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(t.nev)))
            return QStringLiteral("Az adatbázis nem olvasható: %1").arg(Adatbazis::hibaSzoveg(q));
        QSet<QString> van;
        while (q.next()) van.insert(q.value(1).toString().toLower());
        if (van.isEmpty()) return QStringLiteral("Hiányzik a(z) „%1” tábla az adatbázisból.").arg(t.nev);
        for (const Mezo& m : t.mezok)
            if (m.verzio <= verzio && !van.contains(m.nev.toLower()))
                return QStringLiteral("Hiányzik a(z) „%1.%2” mező az adatbázisból.").arg(t.nev, m.nev);
    }
    return {};
}

void frissit(QSqlDatabase& db)
{
    const QString rendezes = HuFold::rendVerzio();
    if (semaVerzio(db) == Verzio && taroltRendezes(db) == rendezes) {
        // A missing index only slows the lists: a file that cannot be
        // written opens without it.
        if (hianyzoIndexek(db).isEmpty() || csakOlvashato(db)) return;
    }

    Adatbazis::Tranzakcio tr(db);
    // Read again under the write lock: another copy of the program may have done it meanwhile.
    const int regi = semaVerzio(db);
    if (regi < Verzio) {
        for (const Lepes& l : lepesek())
            if (l.verzio > regi)
                for (const QString& u : l.utasitasok()) Adatbazis::vegrehajt(db, u);
        for (const Tabla& t : tablak()) {
            if (t.verzio > regi) {
                // IF NOT EXISTS: a file whose version mark was set back keeps the table it has.
                Adatbazis::vegrehajt(db, tablaDef(t).replace(QStringLiteral("CREATE TABLE "), QStringLiteral("CREATE TABLE IF NOT EXISTS ")));
                continue;
            }
            for (const Mezo& m : t.mezok)
                if (m.verzio > regi && !vanMezo(db, t.nev, m.nev))
                    Adatbazis::vegrehajt(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(t.nev, oszlopDef(t, m)));
        }
        Adatbazis::vegrehajt(db, QStringLiteral("PRAGMA user_version = %1").arg(Verzio));
        const QString hiba = ellenoriz(db);
        if (!hiba.isEmpty()) throw AdatbazisHiba(hiba);
    }
    // Every index the lists need: the ones added later, and any dropped since.
    for (QString ix : hianyzoIndexek(db)) {
        ix.replace(QStringLiteral("CREATE INDEX "), QStringLiteral("CREATE INDEX IF NOT EXISTS "));
        Adatbazis::vegrehajt(db, ix);
    }
    if (taroltRendezes(db) != rendezes) {
        // Indexes built with another order would mislead every look-up by title or name.
        Adatbazis::vegrehajt(db, QStringLiteral("REINDEX HU"));
        rendezesTarol(db);
    }
    tr.jovahagy();
}

} // namespace Sema

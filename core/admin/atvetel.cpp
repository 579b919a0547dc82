#include "core/admin/atvetel.h"
#include "core/admin/felhasznalok.h"
#include "core/admin/telepites.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/fajliras.h"
#include "core/data/konverzio.h"
#include "core/data/motor.h"
#include "core/data/paradox.h"
#include "core/data/sema.h"
#include "core/data/utasitas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <optional>
#include <zip.h>

namespace Atvetel {

namespace {

using Sema::Tipus;

// Where the fields of one of our tables are in the earlier file.
struct Terv {
    const Sema::Tabla* tabla = nullptr;
    QString fajl;                 // full path
    std::vector<int> forras;      // per field of ours: the field's index in the file
};

QString fajlNev(const QString& utvonal) { return QFileInfo(utvonal).fileName(); }

bool tipusIlleszkedik(Tipus t, int px, const QString& tabla)
{
    using namespace Paradox;
    switch (t) {
    case Tipus::AutoInc:
    case Tipus::Egesz: return px == AutoInc || px == Long || px == Short;
    case Tipus::Valos: return px == Number || px == Currency || px == Long || px == Short;
    case Tipus::Datum: return px == Date;
    case Tipus::Ido: return px == Time;
    case Tipus::Szoveg:
        // Postal codes may have been kept as numbers.
        return px == Alpha || px == MemoBlob || px == FmtMemo
               || (tabla == QLatin1String("irsz") && (px == Long || px == Short || px == Number));
    }
    return false;
}

QString varTipus(Tipus t)
{
    switch (t) {
    case Tipus::AutoInc: return QStringLiteral("automatikus számláló (+) vagy egész (I)");
    case Tipus::Egesz: return QStringLiteral("egész (I vagy S)");
    case Tipus::Valos: return QStringLiteral("szám (N vagy $)");
    case Tipus::Datum: return QStringLiteral("dátum (D)");
    case Tipus::Ido: return QStringLiteral("idő (T)");
    case Tipus::Szoveg: return QStringLiteral("szöveg (A vagy M)");
    }
    return {};
}

QString penz(double x) { return QLocale(QLocale::Hungarian, QLocale::Hungary).toString(x, 'f', 2); }

// The files of the earlier folder, by lower-case name.
struct Mappa {
    QHash<QString, QString> fajlok;   // "video.db" -> path
    QStringList ketszeres;            // names that are there in two letter cases
};

Mappa mappaOlvas(const QString& mappa)
{
    Mappa m;
    for (const QFileInfo& f : QDir(mappa).entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString k = f.fileName().toLower();
        if (m.fajlok.contains(k)) m.ketszeres << f.fileName();
        m.fajlok.insert(k, f.absoluteFilePath());
    }
    return m;
}

// A zip archive of a data folder: its files at the root go into `ide`.
bool zipKibont(const QString& zipFajl, const QString& ide, QString* hiba)
{
    int kod = 0;
    zip_t* za = zip_open(QFile::encodeName(zipFajl).constData(), ZIP_RDONLY, &kod);
    if (!za) {
        *hiba = QStringLiteral("A(z) %1 zip fájl nem nyitható meg (%2).")
                    .arg(fajlNev(zipFajl),
                         kod == ZIP_ER_NOZIP || kod == ZIP_ER_INCONS ? QStringLiteral("nem zip fájl, vagy sérült")
                         : kod == ZIP_ER_NOENT                      ? QStringLiteral("nem található")
                                                                    : QStringLiteral("hibakód: %1").arg(kod));
        return false;
    }
    const zip_int64_t n = zip_get_num_entries(za, 0);
    QByteArray puffer(1 << 20, Qt::Uninitialized);
    bool rendben = true;
    for (zip_int64_t i = 0; i < n && rendben; ++i) {
        const QString nev = QString::fromUtf8(zip_get_name(za, zip_uint64_t(i), 0));
        // Only the files at the root; a name never reaches outside `ide`.
        if (nev.isEmpty() || nev.contains(u'/') || nev.contains(u'\\') || nev == QLatin1String("..")) continue;
        zip_file_t* zf = zip_fopen_index(za, zip_uint64_t(i), 0);
        QFile ki(QDir(ide).filePath(nev));
        if (!zf || !ki.open(QIODevice::WriteOnly)) {
            *hiba = QStringLiteral("A(z) %1 zip fájlból a(z) %2 nem bontható ki.").arg(fajlNev(zipFajl), nev);
            rendben = false;
        }
        while (rendben) {
            const zip_int64_t k = zip_fread(zf, puffer.data(), zip_uint64_t(puffer.size()));
            if (k < 0) {
                *hiba = QStringLiteral("A(z) %1 zip fájl sérült: a(z) %2 nem olvasható ki.").arg(fajlNev(zipFajl), nev);
                rendben = false;
            } else if (k == 0) {
                break;
            } else if (ki.write(puffer.constData(), k) != k) {
                *hiba = QStringLiteral("A(z) %1 nem írható ki: %2").arg(nev, ki.errorString());
                rendben = false;
            }
        }
        if (zf) zip_fclose(zf);
    }
    zip_discard(za);
    return rendben;
}

// One prepared INSERT for every row of a table: millions of rows.
class Beszuro {
public:
    Beszuro(const QSqlDatabase& db, const Sema::Tabla& t)
    {
        QStringList nevek, jelek;
        for (const Sema::Mezo& m : t.mezok) {
            nevek << m.nev;
            jelek << QStringLiteral("?");
        }
        m_u = Adatbazis::Utasitas(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(t.nev, nevek.join(", "), jelek.join(", ")));
    }
    void kot(int i, const QVariant& v, Tipus t)
    {
        const int p = i + 1;
        if (v.isNull()) {
            m_u.kotNull(p);
            return;
        }
        switch (t) {
        case Tipus::AutoInc:
        case Tipus::Egesz: m_u.kotEgesz(p, v.toLongLong()); return;
        case Tipus::Valos: m_u.kotValos(p, v.toDouble()); return;
        case Tipus::Datum: {
            const QDate d = v.toDate();
            char b[16];
            std::snprintf(b, sizeof b, "%04d-%02d-%02d", d.year(), d.month(), d.day());
            m_u.kotSzoveg(p, QByteArrayView(b, 10));
            return;
        }
        case Tipus::Ido: {
            const QTime t = v.toTime();
            char b[16];
            std::snprintf(b, sizeof b, "%02d:%02d:%02d", t.hour(), t.minute(), t.second());
            m_u.kotSzoveg(p, QByteArrayView(b, 8));
            return;
        }
        case Tipus::Szoveg: {
            const QString s = v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'f', 0) : v.toString();
            m_u.kotSzoveg(p, s.toUtf8());
            return;
        }
        }
    }
    // Empty when the row is in, else the engine's refusal in Hungarian (a
    // named CHECK says its own sentence). Only a refusal of the data is the
    // row's fault; a full disk stops the run as it is.
    QString futtat()
    {
        try {
            m_u.futtat();
            m_u.ujra();
            return {};
        } catch (const AdatbazisHiba& e) {
            m_u.ujra();
            if (e.fajta() != AdatbazisHiba::Fajta::Adat) throw;
            return e.uzenet();
        }
    }
private:
    Adatbazis::Utasitas m_u;
};

struct Forras {
    double cassaOsszeg = 0;
    qint64 cassaUtolsoKulcs = std::numeric_limits<qint64>::min();
    std::optional<double> utolsoPenzvan;
    qint64 kint = 0;
    std::optional<qint64> legnagyobbKolcsid;
    qint64 tortenet = 0;
};

struct IniAtvetel {
    QString fajl;
    IniFajl ini;
};

QDate iniDatum(const QString& s)
{
    QDate d = RovidDatumbol(s);
    for (const char* f : {"yyyy. MM. dd.", "yyyy.MM.dd.", "yyyy.MM.dd", "yyyy-MM-dd", "dd/MM/yyyy", "d/M/yyyy"})
        if (!d.isValid()) d = QDate::fromString(s.trimmed(), QString::fromLatin1(f));
    return d;
}

} // namespace

QStringList foTablak()
{
    QStringList l;
    for (const Sema::Tabla& t : Sema::tablak())
        if (Sema::regiMappaban(t) && !OpcionalisTablak.contains(t.nev)) l << t.nev;
    return l;
}

bool csakAlapadatok(const QSqlDatabase& db)
{
    for (const char* t : {"video", "ugyfel", "ugyfel_video", "cassa"}) {
        QSqlQuery q = Adatbazis::vegrehajt(db, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(QLatin1String(t)));
        if (q.next()) return false;
    }
    return true;
}

namespace {
const char* const FelajanlvaKulcs = "atvetel_felajanlva";
}

bool felajanlva(const QSqlDatabase& db)
{
    QSqlQuery q = Adatbazis::vegrehajt(db, QStringLiteral("SELECT 1 FROM %1 WHERE nev = ?")
                                               .arg(QString::fromLatin1(Sema::RendszerTabla)),
                                       {QString::fromLatin1(FelajanlvaKulcs)});
    return q.next();
}

void felajanlvaJelol(const QSqlDatabase& db)
{
    Adatbazis::vegrehajt(db, QStringLiteral("INSERT OR REPLACE INTO %1 (nev, ertek) VALUES (?, ?)")
                                 .arg(QString::fromLatin1(Sema::RendszerTabla)),
                         {QString::fromLatin1(FelajanlvaKulcs), QStringLiteral("I")});
}

QString jelentes(const Eredmeny& e)
{
    QStringList s;
    s << QStringLiteral("%1 %2 %3 %4")
             .arg(QStringLiteral("Tábla"), -14)
             .arg(QStringLiteral("Fájl"), -20)
             .arg(QStringLiteral("Olvasott"), 12)
             .arg(QStringLiteral("Írt"), 12);
    const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
    for (const TablaSzam& t : e.tablak) {
        const QString fajl = QStringLiteral("%1 %2").arg(t.tabla, -14).arg(t.fajl.isEmpty() ? QStringLiteral("–") : t.fajl, -20);
        if (t.tabla == QLatin1String("vkod"))
            s << fajl + QStringLiteral(" munkatábla, nem kerül át");
        else
            s << QStringLiteral("%1 %2 %3").arg(fajl).arg(hu.toString(t.olvasott), 12).arg(hu.toString(t.irt), 12);
    }
    if (!e.ellenorzesek.isEmpty()) {
        // The names' column as wide as the longest, so the figures stand in line.
        int szeles = 36;
        for (const Ellenorzes& c : e.ellenorzesek) szeles = std::max(szeles, int(c.nev.size()));
        s << QString() << QStringLiteral("%1 %2 %3").arg(QStringLiteral("Ellenőrző szám"), -szeles)
                              .arg(QStringLiteral("Régi"), 16)
                              .arg(QStringLiteral("Új"), 16);
        for (const Ellenorzes& c : e.ellenorzesek)
            s << QStringLiteral("%1 %2 %3 %4")
                     .arg(c.nev, -szeles)
                     .arg(c.regi, 16)
                     .arg(c.uj, 16)
                     .arg(c.egyezik ? QStringLiteral("egyezik") : QStringLiteral("ELTÉR"));
    }
    if (!e.megjegyzesek.isEmpty()) {
        s << QString();
        for (const QString& m : e.megjegyzesek) s << m;
    }
    return s.join(u'\n') + u'\n';
}

bool atvesz(const QString& programMappa, const Beallitasok& b, Eredmeny* eredmeny, QString* hiba, const Jelzes& jelzes)
{
    Eredmeny helyi;
    Eredmeny& e = eredmeny ? *eredmeny : helyi;
    e = Eredmeny{};
    auto hibas = [&](const QString& uzenet) {
        if (hiba) *hiba = uzenet;
        return false;
    };

    const QString adatMappa = QDir(programMappa).filePath(QStringLiteral("Data"));
    const QString cel = Adatbazis::fajlUtvonal(adatMappa);
    if (!b.proba) {
        if (b.csere) {
            // Only a database without the shop's own rows may be replaced, and
            // only while nobody has it open (its log would belong to the old one).
            if (QFileInfo::exists(cel + "-wal"))
                return hibas(QStringLiteral("Az adatbázis még nyitva van, nem cserélhető: %1").arg(cel));
            // Looked at here too: the file replaced is the program folder's,
            // which need not be the one the caller checked. Opened for
            // writing, so its close leaves no log files behind.
            if (QFileInfo::exists(cel)) {
                const QString nev = QStringLiteral("atvetel-csere-") + QUuid::createUuid().toString(QUuid::Id128);
                bool ures = false;
                {
                    QSqlDatabase d = QSqlDatabase::addDatabase(Adatbazis::motor().driver(), nev);
                    d.setDatabaseName(cel);
                    try {
                        ures = d.open() && csakAlapadatok(d);
                    } catch (const AdatbazisHiba&) {
                        ures = false;   // not a database of ours: not replaced either
                    }
                    d.close();
                }
                QSqlDatabase::removeDatabase(nev);
                if (!ures)
                    return hibas(QStringLiteral("Az adatbázisban már vannak az üzlet saját adatai, nem cserélem le: %1\n"
                                                "Régi adatokat csak egy még üres telepítésbe lehet átvenni.")
                                     .arg(QDir::toNativeSeparators(cel)));
            }
        } else if (QFileInfo::exists(cel) || QFileInfo::exists(cel + "-wal")) {
            return hibas(QStringLiteral("Már van adatbázis ezen a helyen, nem írom felül: %1\n"
                                        "Régi adatokat csak egy még üres telepítésbe lehet átvenni.")
                             .arg(QDir::toNativeSeparators(cel)));
        }
    }

    // The earlier folder: given, or unpacked from its zip archive.
    if (b.regi.trimmed().isEmpty()) return hibas(QStringLiteral("Nincs megadva a régi adatmappa (vagy a zip fájlja)."));
    const QFileInfo regiInfo(b.regi);
    if (!regiInfo.exists()) return hibas(QStringLiteral("A régi adatmappa nem található: %1").arg(b.regi));
    std::unique_ptr<QTemporaryDir> kibontott;
    QString regiMappa = regiInfo.absoluteFilePath();
    if (regiInfo.isFile()) {
        // A new installation's folder may not be there yet.
        if (!b.proba && !QDir().mkpath(programMappa))
            return hibas(QStringLiteral("A mappa nem hozható létre: %1").arg(programMappa));
        kibontott = std::make_unique<QTemporaryDir>(QDir(b.proba ? QDir::tempPath() : programMappa)
                                                        .filePath(QStringLiteral(".atvetel-XXXXXX")));
        if (!kibontott->isValid()) return hibas(QStringLiteral("Nem hozható létre átmeneti mappa a zip fájl kibontásához."));
        QString ok;
        if (!zipKibont(regiInfo.absoluteFilePath(), kibontott->path(), &ok)) return hibas(ok);
        regiMappa = kibontott->path();
    }
    const Mappa mappa = mappaOlvas(regiMappa);
    if (!mappa.ketszeres.isEmpty())
        return hibas(QStringLiteral("A régi adatmappában ugyanaz a fájl kétféle kis- és nagybetűvel is megvan: %1")
                         .arg(mappa.ketszeres.join(", ")));

    // Every table: where it is and where its fields are.
    std::vector<Terv> tervek;
    QSet<QString> ismert;
    for (const Sema::Tabla& t : Sema::tablak()) {
        if (!Sema::regiMappaban(t)) continue;   // this program's own: starts empty
        const QString kulcs = t.nev.toLower() + ".db";
        ismert.insert(kulcs);
        TablaSzam szam{t.nev, {}, 0, 0};
        if (!mappa.fajlok.contains(kulcs)) {
            if (!OpcionalisTablak.contains(t.nev))
                return hibas(QStringLiteral("Hiányzik a(z) %1 tábla (%1.DB) a régi adatmappából: %2")
                                 .arg(t.nev, QDir::toNativeSeparators(regiMappa)));
            e.megjegyzesek << (t.nev == QLatin1String("irsz")
                                   ? QStringLiteral("Figyelmeztetés: nincs irsz tábla; a program saját irányítószám-listája marad.")
                                   : QStringLiteral("Figyelmeztetés: nincs %1 tábla (munkatábla, nem kell átvenni).").arg(t.nev));
            e.tablak << szam;
            continue;
        }
        szam.fajl = fajlNev(mappa.fajlok.value(kulcs));
        e.tablak << szam;
        if (t.nev == QLatin1String("vkod")) continue;   // the label run's work table starts empty
        tervek.push_back({&t, mappa.fajlok.value(kulcs), {}});
    }
    for (auto it = mappa.fajlok.cbegin(); it != mappa.fajlok.cend(); ++it)
        if (it.key().endsWith(QLatin1String(".db")) && !ismert.contains(it.key()))
            return hibas(QStringLiteral("Ismeretlen tábla a régi adatmappában: %1\n"
                                        "Csak a program tizenöt táblája lehet a mappában; a többit tegye félre, majd próbálja újra.")
                             .arg(fajlNev(it.value())));

    // Headers and fields first, so a wrong table stops the run before any work.
    std::vector<std::unique_ptr<Paradox::Tabla>> tablak;
    for (Terv& t : tervek) {
        auto px = std::make_unique<Paradox::Tabla>();
        QString ok;
        if (!px->nyit(t.fajl, &ok)) return hibas(QStringLiteral("A(z) %1 tábla nem olvasható: %2").arg(fajlNev(t.fajl), ok));
        for (const Sema::Mezo& m : t.tabla->mezok) {
            if (!Sema::regiMappaban(m)) {
                t.forras.push_back(-1);   // this program's own field: starts empty
                continue;
            }
            const int i = px->mezoIndex(m.nev);
            if (i < 0)
                return hibas(QStringLiteral("A(z) %1 táblából hiányzik a(z) %2 mező.").arg(fajlNev(t.fajl), m.nev));
            const int pt = px->mezok()[size_t(i)].tipus;
            if (!tipusIlleszkedik(m.tipus, pt, t.tabla->nev))
                return hibas(QStringLiteral("A(z) %1 tábla %2 mezőjének típusa %3; a program %4 mezőt vár.")
                                 .arg(fajlNev(t.fajl), m.nev, Paradox::tipusNev(pt), varTipus(m.tipus)));
            t.forras.push_back(i);
        }
        for (const Paradox::Mezo& pm : px->mezok())
            if (!Sema::mezo(t.tabla->nev, pm.nev))
                return hibas(QStringLiteral("A(z) %1 táblában ismeretlen mező van: %2").arg(fajlNev(t.fajl), pm.nev));
        tablak.push_back(std::move(px));
    }

    // The settings file of the earlier installation.
    IniAtvetel ini;
    if (!b.ini.isEmpty()) {
        if (!QFileInfo(b.ini).isFile()) return hibas(QStringLiteral("A megadott beállításfájl nem található: %1").arg(b.ini));
        ini.fajl = b.ini;
    } else {
        const QString nev = QString::fromLatin1(BeallitasFajlNev).toLower();
        const QStringList helyek = {regiInfo.isFile() ? regiInfo.absolutePath() : QFileInfo(regiMappa).absolutePath(),
                                    regiMappa};
        for (const QString& h : helyek)
            for (const QFileInfo& f : QDir(h).entryInfoList(QDir::Files))
                if (ini.fajl.isEmpty() && f.fileName().toLower() == nev) ini.fajl = f.absoluteFilePath();
    }
    if (!ini.fajl.isEmpty()) {
        // Written by a Windows program: Windows-1250 unless it reads as UTF-8.
        QFile f(ini.fajl);
        if (!f.open(QIODevice::ReadOnly)) return hibas(QStringLiteral("A beállításfájl nem olvasható: %1").arg(ini.fajl));
        const QByteArray nyers = f.read(1 << 20);
        QString szoveg;
        QStringDecoder utf8(QStringDecoder::Utf8);
        szoveg = utf8.decode(nyers);
        if (utf8.hasError() && !Paradox::kodlaprol(1250, nyers, &szoveg))
            return hibas(QStringLiteral("A beállításfájl nem olvasható: %1").arg(ini.fajl));
        QTemporaryFile ideiglenesIni;
        if (!ideiglenesIni.open() || ideiglenesIni.write(szoveg.toUtf8()) < 0 || !ideiglenesIni.flush()
            || !ini.ini.beolvas(ideiglenesIni.fileName()))
            return hibas(QStringLiteral("A beállításfájl nem olvasható: %1").arg(ini.fajl));
    }

    // The new database, under a temporary name until it is whole.
    if (!b.proba && !QDir().mkpath(adatMappa))
        return hibas(QStringLiteral("A mappa nem hozható létre: %1").arg(adatMappa));
    if (!b.proba) Fajliras::Maradekok(adatMappa);
    const QString ideiglenes = b.proba ? QDir(QDir::tempPath()).filePath(QStringLiteral("kazettora-proba-%1.db")
                                                                             .arg(QUuid::createUuid().toString(QUuid::Id128)))
                                       : Fajliras::IdeiglenesNev(cel);
    const QString kapcsolat = QStringLiteral("atvetel-") + QUuid::createUuid().toString(QUuid::Id128);
    QString uzenet;
    Forras f;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Adatbazis::motor().driver(), kapcsolat);
        db.setDatabaseName(ideiglenes);
        try {
            if (!db.open()) throw AdatbazisHiba(db.lastError().text());
            if (!Adatbazis::beallit(db, &uzenet)) throw AdatbazisHiba(uzenet);
            // Nobody else sees this file before it is renamed into place:
            // no log of its own while it is built; made durable at the end.
            for (const char* p : {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF", "PRAGMA cache_size=-65536"})
                Adatbazis::vegrehajt(db, QString::fromLatin1(p));
            Adatbazis::vegrehajt(db, QStringLiteral("BEGIN"));
            Sema::letrehoz(db);
            // Indexes are built once the rows are in: sorting once beats
            // keeping millions of entries in order.
            for (const Sema::Tabla& t : Sema::tablak())
                for (const QString& ix : t.indexek)
                    Adatbazis::vegrehajt(db, QStringLiteral("DROP INDEX %1").arg(Sema::indexNev(ix)));
            for (size_t ti = 0; ti < tervek.size(); ++ti) {
                const Terv& t = tervek[ti];
                Paradox::Tabla& px = *tablak[ti];
                const QString nev = t.tabla->nev;
                TablaSzam* szam = nullptr;
                for (TablaSzam& s : e.tablak)
                    if (s.tabla == nev) szam = &s;
                Beszuro be(db, *t.tabla);
                const qint64 osszes = px.sorSzam();
                if (jelzes) jelzes(nev, 0, osszes);
                const bool felhasznalo = nev == QLatin1String("felhasznalo");
                const bool cassa = nev == QLatin1String("cassa");
                const bool video = nev == QLatin1String("video");
                // Our fields by name, for the check figures and the password.
                auto hely = [&](const char* mezo) {
                    for (size_t i = 0; i < t.tabla->mezok.size(); ++i)
                        if (t.tabla->mezok[i].nev == QLatin1String(mezo)) return int(i);
                    return -1;
                };
                const int jelszoMezo = felhasznalo ? hely("jelszo") : -1;
                const int cassaKulcs = hely("cassa"), osszegMezo = hely("osszeg"), penzvanMezo = hely("penzvan");
                const int kintMezo = hely("kint"), kolcsidMezo = hely("kolcsid");
                std::vector<QVariant> sor(t.forras.size());
                QString ok;
                while (px.kovetkezo()) {
                    for (size_t i = 0; i < t.forras.size(); ++i) {
                        QVariant& v = sor[i];
                        if (t.forras[i] < 0)
                            v = QVariant();
                        else if (!px.ertek(t.forras[i], &v, &ok))
                            throw AdatbazisHiba(QStringLiteral("A(z) %1 tábla %2. sora nem vehető át: %3")
                                                    .arg(fajlNev(t.fajl))
                                                    .arg(px.sor())
                                                    .arg(ok));
                        if (int(i) == jelszoMezo) {
                            // Kept as typed before; from now on only its digest.
                            v = Felhasznalok::Digest(v.toString());
                        }
                        be.kot(int(i), v, t.tabla->mezok[i].tipus);
                    }
                    if (cassa) {
                        f.cassaOsszeg += sor[size_t(osszegMezo)].toDouble();
                        const QVariant& kulcs = sor[size_t(cassaKulcs)];
                        if (!kulcs.isNull() && kulcs.toLongLong() > f.cassaUtolsoKulcs) {
                            f.cassaUtolsoKulcs = kulcs.toLongLong();
                            const QVariant& penzvan = sor[size_t(penzvanMezo)];
                            f.utolsoPenzvan = penzvan.isNull() ? std::optional<double>() : penzvan.toDouble();
                        }
                    } else if (video) {
                        if (sor[size_t(kintMezo)].toString() == QLatin1String("I")) ++f.kint;
                        const QVariant& kolcsid = sor[size_t(kolcsidMezo)];
                        if (!kolcsid.isNull() && (!f.legnagyobbKolcsid || kolcsid.toLongLong() > *f.legnagyobbKolcsid))
                            f.legnagyobbKolcsid = kolcsid.toLongLong();
                    }
                    const QString baj = be.futtat();
                    if (!baj.isEmpty())
                        throw AdatbazisHiba(QStringLiteral("A(z) %1 tábla %2. sora nem vehető át: %3")
                                                .arg(fajlNev(t.fajl))
                                                .arg(px.sor())
                                                .arg(baj));
                    ++szam->olvasott;
                    if (jelzes && (szam->olvasott & 0x3fff) == 0) jelzes(nev, szam->olvasott, osszes);
                }
                if (!px.hiba().isEmpty())
                    throw AdatbazisHiba(QStringLiteral("A(z) %1 tábla nem olvasható: %2").arg(fajlNev(t.fajl), px.hiba()));
                if (nev == QLatin1String("ugyfel_video")) f.tortenet = szam->olvasott;
                if (jelzes) jelzes(nev, szam->olvasott, osszes);
            }
            // Without postal codes of its own the shop keeps the delivered ones.
            bool vanIrsz = false;
            for (const Terv& t : tervek) vanIrsz = vanIrsz || t.tabla->nev == QLatin1String("irsz");
            if (!vanIrsz) Telepites::iranyitoszamok(db);
            if (jelzes) jelzes(QStringLiteral("indexek"), 0, 1);
            for (const Sema::Tabla& t : Sema::tablak())
                for (const QString& ix : t.indexek) Adatbazis::vegrehajt(db, ix);
            if (jelzes) jelzes(QStringLiteral("indexek"), 1, 1);

            // What is in the new database, counted there.
            for (TablaSzam& s : e.tablak) {
                QSqlQuery q = Adatbazis::vegrehajt(db, QStringLiteral("SELECT COUNT(*) FROM %1").arg(s.tabla));
                s.irt = q.next() ? q.value(0).toLongLong() : -1;
            }
            auto egy = [&](const QString& sql) {
                QSqlQuery q = Adatbazis::vegrehajt(db, sql);
                return q.next() ? q.value(0) : QVariant();
            };
            const QVariant osszeg = egy(QStringLiteral("SELECT TOTAL(osszeg) FROM cassa"));
            const QVariant penzvan = egy(QStringLiteral("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1"));
            const QVariant kint = egy(QStringLiteral("SELECT COUNT(*) FROM video WHERE kint = 'I'"));
            const QVariant kolcsid = egy(QStringLiteral("SELECT MAX(kolcsid) FROM video"));
            const QVariant tortenet = egy(QStringLiteral("SELECT COUNT(*) FROM ugyfel_video"));
            const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
            auto szamSzoveg = [&](const QVariant& x) { return x.isNull() ? QStringLiteral("–") : hu.toString(x.toLongLong()); };
            e.ellenorzesek << Ellenorzes{QStringLiteral("A pénztár összege (cassa.osszeg)"), penz(f.cassaOsszeg),
                                         penz(osszeg.toDouble()), penz(f.cassaOsszeg) == penz(osszeg.toDouble())};
            const QString regiPv = f.utolsoPenzvan ? penz(*f.utolsoPenzvan) : QStringLiteral("–");
            const QString ujPv = penzvan.isNull() ? QStringLiteral("–") : penz(penzvan.toDouble());
            e.ellenorzesek << Ellenorzes{QStringLiteral("Az utolsó pénzkészlet (cassa.penzvan)"), regiPv, ujPv, regiPv == ujPv};
            e.ellenorzesek << Ellenorzes{QStringLiteral("Kint levő tételek (kint = I)"), hu.toString(f.kint),
                                         szamSzoveg(kint), f.kint == kint.toLongLong()};
            const QString regiK = f.legnagyobbKolcsid ? hu.toString(*f.legnagyobbKolcsid) : QStringLiteral("–");
            e.ellenorzesek << Ellenorzes{QStringLiteral("A legnagyobb kölcsönzésszám (kolcsid)"), regiK,
                                         szamSzoveg(kolcsid), regiK == szamSzoveg(kolcsid)};
            e.ellenorzesek << Ellenorzes{QStringLiteral("Kölcsönzési előzmények sorai"), hu.toString(f.tortenet),
                                         szamSzoveg(tortenet), f.tortenet == tortenet.toLongLong()};
            for (const TablaSzam& s : e.tablak)
                if (s.olvasott != s.irt && !(s.fajl.isEmpty() || s.tabla == QLatin1String("vkod")))
                    throw AdatbazisHiba(QStringLiteral("A(z) %1 táblából %2 sort olvastam, de %3 került az új adatbázisba.")
                                            .arg(s.fajl)
                                            .arg(s.olvasott)
                                            .arg(s.irt));
            for (const Ellenorzes& c : e.ellenorzesek)
                if (!c.egyezik)
                    throw AdatbazisHiba(QStringLiteral("Az ellenőrző számok eltérnek (%1: régi %2, új %3); az átvétel elmaradt.")
                                            .arg(c.nev, c.regi, c.uj));
            // The earlier program let a shop switch login on with nobody able
            // to change settings; say so now rather than at the first start.
            if (egy(QStringLiteral("SELECT vanbelep FROM beallit ORDER BY beallit LIMIT 1")).toString() == QLatin1String("I")
                && egy(QStringLiteral("SELECT COUNT(*) FROM felhasznalo WHERE rendszergazda = 'I'")).toInt() == 0)
                e.megjegyzesek << QStringLiteral("Figyelmeztetés: a belépés be van kapcsolva, de a régi adatokban nincs "
                                                 "rendszergazda; a felhasználók és a beállítások nem lesznek módosíthatók.");
            Adatbazis::vegrehajt(db, QStringLiteral("COMMIT"));
            if (!b.proba) Adatbazis::vegrehajt(db, QStringLiteral("PRAGMA journal_mode=WAL"));
        } catch (const AdatbazisHiba& x) {
            uzenet = x.uzenet();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(kapcsolat);
    auto eltakarit = [&] {
        for (const char* v : {"", "-wal", "-shm", "-journal"}) QFile::remove(ideiglenes + QLatin1String(v));
    };
    if (!uzenet.isEmpty() || b.proba) {
        eltakarit();
        if (!uzenet.isEmpty()) return hibas(uzenet);
        e.megjegyzesek << QStringLiteral("Próbafuttatás: minden tábla olvasható és átvehető; semmi sem íródott ki.");
        return true;
    }

    // The settings: the earlier switches and sizes, our own folders.
    {
        const QString iniCel = QDir(programMappa).filePath(QString::fromLatin1(BeallitasFajlNev));
        IniFajl uj;
        uj.beolvas(iniCel);
        const QString nincs = QStringLiteral("\x01");
        QStringList atvett;
        if (!ini.fajl.isEmpty()) {
            for (const char* k : {"TeljesKep", "Bal", "Felul", "Magas", "Szeles", "Betumeret"}) {
                const QString v = ini.ini.szoveg("Alapertek", QString::fromLatin1(k), nincs);
                if (v == nincs) continue;
                uj.ir("Alapertek", QString::fromLatin1(k), ini.ini.egesz("Alapertek", QString::fromLatin1(k), 0));
                atvett << QString::fromLatin1(k);
            }
            const QString vk = ini.ini.szoveg("Vonalkod", "VK_Kazettora", nincs);
            if (vk != nincs) {
                uj.ir("Vonalkod", "VK_Kazettora", ini.ini.logikai("Vonalkod", "VK_Kazettora", true));
                atvett << QStringLiteral("VK_Kazettora");
            }
            const QString md = ini.ini.szoveg("Archiv", "MentesDatum", nincs);
            if (md != nincs) {
                const QDate d = iniDatum(md);
                if (d.isValid()) {
                    uj.ir("Archiv", "MentesDatum", d);
                    atvett << QStringLiteral("MentesDatum");
                } else {
                    e.megjegyzesek << QStringLiteral("Figyelmeztetés: a régi utolsó archiválás dátuma (%1) nem olvasható; "
                                                     "a program az alapértéket használja.").arg(md);
                }
            }
            e.megjegyzesek << QStringLiteral("Beállítások a régi %1 fájlból: %2.")
                                  .arg(QDir::toNativeSeparators(ini.fajl),
                                       atvett.isEmpty() ? QStringLiteral("nincs benne átvehető beállítás") : atvett.join(", "));
            const QString regiUt = ini.ini.szoveg("Adatbazis", "Utvonal", QString());
            const QString regiArchiv = ini.ini.szoveg("Archiv", "MentesUtvonal", QString());
            if (!regiUt.isEmpty())
                e.megjegyzesek << QStringLiteral("A régi adatmappa (%1) helyett az új telepítésé: %2").arg(regiUt, adatMappa);
            if (!regiArchiv.isEmpty())
                e.megjegyzesek << QStringLiteral("A régi archív mappa (%1) helyett az új telepítésé: %2")
                                      .arg(regiArchiv, QDir(programMappa).filePath(QStringLiteral("Archiv")));
        } else {
            e.megjegyzesek << QStringLiteral("Nem találtam régi beállításfájlt (%1); a beállítások alapértékűek.")
                                  .arg(QString::fromLatin1(BeallitasFajlNev));
        }
        uj.ir("Adatbazis", "Utvonal", adatMappa);
        uj.ir("Archiv", "MentesUtvonal", QDir(programMappa).filePath(QStringLiteral("Archiv")));
        QDir().mkpath(QDir(programMappa).filePath(QStringLiteral("Archiv")));
        QString ok;
        if (!uj.ment(iniCel, &ok)) {
            eltakarit();
            return hibas(QStringLiteral("A beállításfájl nem írható: %1").arg(ok));
        }
    }
    QString ok;
    if (!Fajliras::Helyere(ideiglenes, cel, &ok)) {
        eltakarit();
        return hibas(QStringLiteral("Az új adatbázis nem kerülhetett a helyére (%1): %2").arg(cel, ok));
    }
    e.adatbazis = cel;
    return true;
}

} // namespace Atvetel

#include "core/admin/telepites.h"
#include "core/admin/felhasznalok.h"
#include "core/data/adatbazis.h"
#include "core/data/motor.h"
#include "core/data/ora.h"
#include "core/data/sema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>

namespace Telepites {

namespace {

void sor(QSqlDatabase& db, const QString& sql, const QVariantList& p) { Adatbazis::vegrehajt(db, sql, p); }

const char* const Irszamok[][2] = {
    {"1011", "Budapest"}, {"1051", "Budapest"}, {"1061", "Budapest"}, {"1071", "Budapest"},
    {"1081", "Budapest"}, {"1091", "Budapest"}, {"1101", "Budapest"}, {"1111", "Budapest"},
    {"1117", "Budapest"}, {"1131", "Budapest"}, {"1141", "Budapest"}, {"1151", "Budapest"},
    {"1181", "Budapest"}, {"1191", "Budapest"}, {"1211", "Budapest"}, {"2030", "Érd"},
    {"2100", "Gödöllő"}, {"2400", "Dunaújváros"}, {"2500", "Esztergom"}, {"2600", "Vác"},
    {"2700", "Cegléd"}, {"2800", "Tatabánya"}, {"2900", "Komárom"}, {"3100", "Salgótarján"},
    {"3200", "Gyöngyös"}, {"3300", "Eger"}, {"3525", "Miskolc"}, {"3600", "Ózd"},
    {"3700", "Kazincbarcika"}, {"3900", "Szerencs"}, {"4024", "Debrecen"}, {"4025", "Debrecen"},
    {"4400", "Nyíregyháza"}, {"5000", "Szolnok"}, {"5600", "Békéscsaba"}, {"5700", "Gyula"},
    {"6000", "Kecskemét"}, {"6500", "Baja"}, {"6720", "Szeged"}, {"6800", "Hódmezővásárhely"},
    {"7100", "Szekszárd"}, {"7400", "Kaposvár"}, {"7621", "Pécs"}, {"8000", "Székesfehérvár"},
    {"8200", "Veszprém"}, {"8360", "Keszthely"}, {"8800", "Nagykanizsa"}, {"8900", "Zalaegerszeg"},
    {"9021", "Győr"}, {"9400", "Sopron"}, {"9700", "Szombathely"}, {"9200", "Mosonmagyaróvár"}};

const char* const Cimek[] = {
    "A keresztapa", "Ponyvaregény", "Mátrix", "Titanic", "Csillagok háborúja", "A Birodalom visszavág",
    "A Jedi visszatér", "Vissza a jövőbe", "Jurassic Park", "Forrest Gump", "A remény rabjai",
    "Schindler listája", "A bárányok hallgatnak", "Terminátor 2 – Az ítélet napja", "Az oroszlánkirály",
    "Toy Story – Játékháború", "Szárnyas fejvadász", "Indiana Jones és az elveszett frigyláda",
    "E.T., a földönkívüli", "Cápa", "Rocky", "Rambo", "Die Hard – Drágán add az életed", "Aliens – A bolygó neve: Halál",
    "A nyolcadik utas: a Halál", "Harcosok klubja", "Amerikai szépség", "Gladiátor", "Szellemirtók",
    "Reszkessetek, betörők!", "Micsoda nő!", "Dirty Dancing", "Top Gun", "Halálos fegyver",
    "A Gyűrűk Ura – A Gyűrű Szövetsége", "A Gyűrűk Ura – A két torony", "A Gyűrűk Ura – A király visszatér",
    "Harry Potter és a bölcsek köve", "Shrek", "Némó nyomában", "Szörny Rt.", "Az élet szép",
    "Amélie csodálatos élete", "Kontroll", "A tanú", "Macskafogó", "Vuk", "Üvegtigris", "Csinibaba",
    "Dögkeselyű", "Indul a bakterház", "Hídember", "Valami Amerika", "Hukkle", "Taxidermia",
    "Mindenki", "Saul fia", "Testről és lélekről", "Pál utcai fiúk", "Egri csillagok",
    "A kőszívű ember fiai", "Légy jó mindhalálig", "Kincskereső kisködmön", "Ludas Matyi",
    "A Pendragon legenda", "Szindbád", "Az ötödik elem", "Leon, a profi", "Életrevalók",
    "Titkos ügynökök", "Eredet", "A sötét lovag", "Csillagok között", "Avatar", "Kapj el, ha tudsz!",
    "Ocean's Eleven – Tripla vagy semmi", "Memento", "Halálos iramban", "Piszkos Harry",
    "Volt egyszer egy Vadnyugat", "Ragyogás", "Psycho", "Szédülés", "Casablanca", "Elfújta a szél",
    "Ben-Hur", "Az Óz, a csodák csodája", "Hófehérke és a hét törpe", "Dumbo", "Bambi", "Pinokkió",
    "Aladdin", "A szépség és a szörnyeteg", "A kis hableány", "Mulan", "Tarzan", "Verdák",
    "L'ecsó", "Fel!", "Jégvarázs", "Agymanók", "Kung Fu Panda", "Madagaszkár", "Jégkorszak",
    "Zöld Íjász visszatér", "Ördögűző", "Sikoly", "Fűrész", "Ördögi kör", "Öt könnyű darab",
    "Őrült nők ketrece", "Ősember", "Űrgolyhók", "Űrbalekok", "Ütközéspont", "Üldözési mánia"};

const char* const Vezeteknevek[] = {"Nagy", "Kovács", "Tóth", "Szabó", "Horváth", "Varga", "Kiss",
                                     "Molnár", "Németh", "Farkas", "Balogh", "Papp", "Takács",
                                     "Juhász", "Lakatos", "Mészáros", "Oláh", "Simon", "Rácz", "Fekete",
                                     "Szilágyi", "Török", "Fehér", "Balázs", "Gál", "Kis", "Szűcs", "Kocsis",
                                     "Orsós", "Pintér", "Fodor", "Szalai", "Sipos", "Magyar", "Lukács",
                                     "Gulyás", "Biró", "Király", "Katona", "László", "Jakab", "Bogdán",
                                     "Balog", "Sándor", "Boros", "Fazekas", "Kelemen", "Antal", "Orosz",
                                     "Somogyi", "Fülöp", "Veres", "Vincze", "Hegedűs", "Deák", "Budai",
                                     "Pap", "Bálint", "Pál", "Illés", "Vörös", "Vass", "Szőke", "Fenyő",
                                     "Bodnár", "Soós", "Hajdu", "Lengyel", "Major", "Szekeres", "Ördög",
                                     "Erdős", "Őri", "Üveges", "Ács"};
const char* const Keresztnevek[] = {"László", "István", "József", "János", "Zoltán", "Sándor", "Gábor",
                                     "Ferenc", "Attila", "Péter", "Tamás", "Zsolt", "Tibor", "András",
                                     "Csaba", "Imre", "Lajos", "György", "Balázs", "Gyula", "Mária",
                                     "Erzsébet", "Katalin", "Éva", "Ilona", "Anna", "Zsuzsanna", "Margit",
                                     "Judit", "Ágnes", "Andrea", "Erika", "Krisztina", "Ildikó", "Eszter",
                                     "Orsolya", "Réka", "Dóra", "Júlia", "Ödön", "Örs", "Ünige", "Őrsike"};
const char* const Utcak[] = {"Fő utca", "Petőfi Sándor utca", "Kossuth Lajos utca", "Rákóczi út",
                              "Ady Endre utca", "Arany János utca", "Dózsa György út", "Széchenyi tér",
                              "Béke utca", "Jókai Mór utca", "Bartók Béla út", "Szabadság tér"};

} // namespace

void alapadatok(QSqlDatabase& db, bool belepes, const TulajdonosAdat& tulajdonos)
{
    sor(db, "INSERT INTO beallit (vanbelep, dijnegyed, dijfel, dijev, autonyom, kolcsszoveg, elorefizet) "
            "VALUES (?, ?, ?, ?, ?, ?, ?)",
        {belepes ? "I" : "N", 1500.0, 2800.0, 5000.0, "N",
         "A kikölcsönzött tételeket a lejárat napján, zárásig kérjük visszahozni. "
         "Késés esetén pótdíjat számolunk fel. Köszönjük, hogy nálunk kölcsönzött!",
         "N"});
    {
        QStringList nevek, jelek;
        QVariantList ertekek;
        for (const Tulajdonos::Mezo& m : Tulajdonos::mezok()) {
            nevek << QLatin1String(m.nev);
            jelek << QStringLiteral("?");
            ertekek << Tulajdonos::tarolt(tulajdonos.*m.tag);
        }
        sor(db, QStringLiteral("INSERT INTO tulajdonos (%1) VALUES (%2)").arg(nevek.join(", "), jelek.join(", ")),
            ertekek);
    }
    sor(db, "INSERT INTO felhasznalo (felhasznalo, felhasznalo_nev, jelszo, rendszergazda, torzsszerkeszt) "
            "VALUES (?, ?, ?, ?, ?)",
        {"rendszergazda", "Rendszergazda", Felhasznalok::Digest(QStringLiteral("talpfak")), "I", "I"});
    const QVariantList tipusok[] = {{"B", "Kölcsönzési díj", 1}, {"T", "Tagdíj", 1}, {"E", "Egyéb bevétel", 1},
                                    {"K", "Kiadás", -1}, {"V", "Videó beszerzés", -1}};
    for (const QVariantList& t : tipusok)
        sor(db, "INSERT INTO cassatip (cassatip, cassatip_nev, szorzo) VALUES (?, ?, ?)", t);
    for (const char* t : {"VHS", "DVD", "Blu-ray", "4K UHD Blu-ray", "PlayStation játék", "Xbox játék", "PC játék"})
        sor(db, "INSERT INTO tipus (tipus_nev) VALUES (?)", {QString::fromUtf8(t)});
    for (const char* m : {"Akció", "Vígjáték", "Dráma", "Thriller", "Horror", "Sci-fi", "Fantasy", "Animáció",
                          "Családi", "Romantikus", "Krimi", "Western", "Dokumentum", "Magyar film", "Zenés"})
        sor(db, "INSERT INTO mufaj (mufaj_nev) VALUES (?)", {QString::fromUtf8(m)});
    const char* arkat[] = {"Újdonság", "Normál", "Régi", "Gyerek"};
    for (const char* a : arkat) sor(db, "INSERT INTO arkat (arkat_nev) VALUES (?)", {QString::fromUtf8(a)});
    const struct { const char* nev; int ora; } idok[] = {{"1 nap", 24}, {"2 nap", 48}, {"3 nap", 72}, {"1 hét", 168}};
    for (const auto& i : idok) sor(db, "INSERT INTO fiztip (fiztip_nev, ora) VALUES (?, ?)", {QString::fromUtf8(i.nev), i.ora});
    // Prices by period (rows) and price category (columns).
    const double arak[4][4] = {{600, 450, 300, 350}, {1000, 750, 500, 600}, {1300, 1000, 700, 800},
                               {2500, 1900, 1300, 1500}};
    for (int f = 0; f < 4; ++f)
        for (int a = 0; a < 4; ++a)
            sor(db, "INSERT INTO fiztip_arkat (fiztip, arkat, ar) VALUES (?, ?, ?)", {f + 1, a + 1, arak[f][a]});
    iranyitoszamok(db);
}

void iranyitoszamok(QSqlDatabase& db)
{
    for (const auto& i : Irszamok)
        sor(db, "INSERT INTO irsz (irsz, varos) VALUES (?, ?)", {QString::fromUtf8(i[0]), QString::fromUtf8(i[1])});
}

void mintaKatalogus(QSqlDatabase& db)
{
    QRandomGenerator rnd(20261209);
    const QDateTime most = Most();
    const QDate ma = most.date();

    const int ugyfelDb = 48;
    for (int i = 0; i < ugyfelDb; ++i) {
        const auto& irsz = Irszamok[rnd.bounded(int(std::size(Irszamok)))];
        const QString nev = QString::fromUtf8(Vezeteknevek[rnd.bounded(int(std::size(Vezeteknevek)))]) + ' '
                            + QString::fromUtf8(Keresztnevek[rnd.bounded(int(std::size(Keresztnevek)))]);
        const QString cim = QString::fromUtf8(Utcak[rnd.bounded(int(std::size(Utcak)))]) + ' '
                            + QString::number(rnd.bounded(1, 120)) + '.';
        // Some memberships expired, most still running.
        const QDate dij = ma.addDays(rnd.bounded(-120, 300));
        sor(db, "INSERT INTO ugyfel (azon, ugyfel_nev, telefon, mobil, emil, cim_irsz, cim_varos, cim_cim, "
                "dijfizetve, torolve, szigszam) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'N', ?)",
            {i + 1, nev, QStringLiteral("06-1-%1").arg(rnd.bounded(2000000, 9999999)),
             QStringLiteral("06-30-%1").arg(rnd.bounded(1000000, 9999999)),
             QStringLiteral("ugyfel%1@példa.hu").arg(i + 1), QString::fromUtf8(irsz[0]), QString::fromUtf8(irsz[1]),
             cim, dij, QStringLiteral("%1%2IA").arg(rnd.bounded(100000, 999999)).arg(QChar('A' + i % 26))});
    }

    const int cimDb = int(std::size(Cimek));
    int azon = 0;
    for (int c = 0; c < cimDb; ++c) {
        // Popular titles in several media and copies.
        const int peldany = 1 + rnd.bounded(4);
        for (int p = 0; p < peldany; ++p) {
            ++azon;
            const int tipus = 1 + (p % 3 == 0 ? rnd.bounded(3) : rnd.bounded(2));
            const int arkat = 1 + rnd.bounded(4);
            const int mufaj = 1 + rnd.bounded(15);
            sor(db, "INSERT INTO video (azon, tipus, arkat, video_nev, szoveg, ugyfel, kint, torolve, dat_besz, "
                    "kolcsid, kolcsonozve, mufaj, beszar) VALUES (?, ?, ?, ?, ?, 0, 'N', 'N', ?, 0, ?, ?, ?)",
                {azon, tipus, arkat, QString::fromUtf8(Cimek[c]), QStringLiteral("%1. példány").arg(p + 1),
                 ma.addDays(-rnd.bounded(30, 2000)), rnd.bounded(0, 60), mufaj, double(rnd.bounded(15, 80) * 100)});
        }
    }

    // Rentals in progress: some due later, some overdue. Each rental number
    // has its history rows, as a completed rental leaves them.
    int kolcsid = 0;
    for (int r = 0; r < 24; ++r) {
        ++kolcsid;
        const int ugyfel = 1 + rnd.bounded(ugyfelDb);
        const int fiztip = 1 + rnd.bounded(4);
        const int ora = QList<int>{24, 48, 72, 168}.at(fiztip - 1);
        // Lent between ten days and an hour ago.
        const QDateTime kiadva = most.addSecs(-qint64(rnd.bounded(3600, 10 * 24 * 3600)));
        const QDateTime vissza = kiadva.addSecs(qint64(ora) * 3600);
        const int tetelek = 1 + rnd.bounded(3);
        for (int t = 0; t < tetelek; ++t) {
            const int video = 1 + rnd.bounded(azon);
            QSqlQuery q = Adatbazis::vegrehajt(db, "SELECT kint, arkat FROM video WHERE video = ?", {video});
            if (!q.next() || q.value(0).toString() == "I") continue;
            QSqlQuery p = Adatbazis::vegrehajt(db, "SELECT ar FROM fiztip_arkat WHERE fiztip = ? AND arkat = ?",
                                               {fiztip, q.value(1)});
            const double arVal = p.next() ? p.value(0).toDouble() : 0.0;
            sor(db, "UPDATE video SET ugyfel = ?, fiztip = ?, dat_kiadva = ?, ido_kiadva = ?, dat_visszakell = ?, "
                    "ido_visszakell = ?, ar = ?, kint = 'I', kolcsid = ?, kolcsonozve = COALESCE(kolcsonozve, 0) + 1 "
                    "WHERE video = ?",
                {ugyfel, fiztip, kiadva.date(), kiadva.time(), vissza.date(), vissza.time(), arVal, kolcsid, video});
            sor(db, "INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (?, ?, ?)", {ugyfel, video, kiadva.date()});
        }
    }

    // A cash book with a few membership fees and a purchase, running balance kept.
    double penzvan = 0;
    const struct { const char* tip; double osszeg; int nap; int ugyfel; } cassa[] = {
        {"T", 1500, -40, 3}, {"T", 5000, -33, 7}, {"B", 1900, -20, 11}, {"V", -12000, -15, 0},
        {"T", 2800, -8, 15}, {"B", 750, -2, 21}};
    for (const auto& k : cassa) {
        penzvan += k.osszeg;
        const QDate d = ma.addDays(k.nap);
        sor(db, "INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) VALUES (?, ?, ?, ?, ?, ?)",
            {k.tip, d, k.ugyfel ? QVariant(k.ugyfel) : QVariant(), k.osszeg, penzvan,
             k.ugyfel ? QVariant(d.toString("yyyyMM")) : QVariant()});
    }
}

bool telepit(const QString& programMappa, bool mintaval, QString* hiba, const TulajdonosAdat* tulajdonos)
{
    if (tulajdonos) {
        const QString baj = Tulajdonos::ellenoriz(*tulajdonos);
        if (!baj.isEmpty()) {
            if (hiba) *hiba = baj;
            return false;
        }
    }
    const QString adat = QDir(programMappa).filePath("Data");
    const QString cel = Adatbazis::fajlUtvonal(adat);
    if (QFileInfo::exists(cel) || QFileInfo::exists(cel + "-wal")) {
        if (hiba) *hiba = QStringLiteral("Már van adatbázis ezen a helyen, nem írom felül: %1").arg(cel);
        return false;
    }
    if (!QDir().mkpath(adat) || !QDir().mkpath(QDir(programMappa).filePath("Archiv"))) {
        if (hiba) *hiba = QStringLiteral("A mappa nem hozható létre: %1").arg(adat);
        return false;
    }
    // Built under a temporary name and renamed at the end, so an interrupted
    // run leaves no half-made database.
    const QString ideiglenes = cel + ".uj-" + QUuid::createUuid().toString(QUuid::Id128);
    const QString kapcsolat = "telepites-" + QUuid::createUuid().toString(QUuid::Id128);
    QString uzenet;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Adatbazis::motor().driver(), kapcsolat);
        db.setDatabaseName(ideiglenes);
        if (!db.open()) {
            uzenet = db.lastError().text();
        } else {
            try {
                if (!Adatbazis::beallit(db, &uzenet)) throw AdatbazisHiba(uzenet);
                Adatbazis::vegrehajt(db, "PRAGMA journal_mode=DELETE");
                Adatbazis::Tranzakcio t(db);
                Adatbazis::motor().semaLetrehoz(db);
                // The sample shop is for a first look: it asks no password.
                alapadatok(db, !mintaval,
                           tulajdonos ? *tulajdonos : (mintaval ? Tulajdonos::Minta() : TulajdonosAdat{}));
                if (mintaval) mintaKatalogus(db);
                t.jovahagy();
                Adatbazis::vegrehajt(db, "PRAGMA journal_mode=WAL");
            } catch (const AdatbazisHiba& e) {
                uzenet = e.uzenet();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(kapcsolat);
    if (uzenet.isEmpty() && !QFile::rename(ideiglenes, cel))
        uzenet = QStringLiteral("Az adatbázis nem nevezhető át: %1").arg(cel);
    if (!uzenet.isEmpty()) {
        for (const char* v : {"", "-wal", "-shm", "-journal"}) QFile::remove(ideiglenes + v);
        if (hiba) *hiba = QStringLiteral("Az adatbázis nem hozható létre: %1").arg(uzenet);
        return false;
    }
    return true;
}

} // namespace Telepites

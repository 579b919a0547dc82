#include "bench/bench_adat.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/hufold.h"
#include "core/data/sema.h"
#include "core/admin/telepites.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <numeric>
#include <random>
#include <sqlite3.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace BenchAdat {

namespace {

constexpr const char* JelFajl = "bench-adat.txt";
constexpr const char* MunkaJelFajl = "bench-munkapeldany.txt";
constexpr int Valtozat = 1;   // raise when the generated data changes

const char* const Jelzok[] = {
    "Ördögi", "Őrült", "Éjféli", "Álmos", "Óriási", "Ünnepi", "Ősi", "Üres", "Égő", "Íves",
    "Vad", "Sötét", "Halálos", "Titkos", "Elveszett", "Utolsó", "Első", "Piszkos", "Csendes", "Néma",
    "Vörös", "Fekete", "Fehér", "Kék", "Arany", "Ezüst", "Hideg", "Forró", "Veszélyes", "Szerelmes",
    "Magányos", "Bátor", "Gyilkos", "Rejtélyes", "Boldog", "Szomorú", "Kegyetlen", "Furcsa", "Hosszú",
    "Tiltott", "Végzetes", "Nagy", "Kis", "Zöld", "Szürke", "Bűnös", "Ártatlan", "Gyönyörű",
    "Csodálatos", "Zord", "Mámoros", "Jeges", "Lángoló", "Vérző", "Repülő", "Száguldó", "Hazug",
    "Kóbor", "Szökött", "Űrbéli"};
const char* const Fonevek[] = {
    "kör", "kölyök", "éjszaka", "város", "folyó", "hajó", "vonat", "sziget", "tenger", "erdő",
    "ház", "kastély", "szoba", "utca", "híd", "hegy", "völgy", "út", "nyár", "tél", "ősz",
    "tavasz", "szív", "lélek", "álom", "árnyék", "tükör", "kulcs", "titok", "ügynök", "gyilkos",
    "detektív", "király", "királynő", "herceg", "lovag", "sárkány", "farkas", "sas", "kígyó",
    "oroszlán", "macska", "kutya", "lány", "fiú", "asszony", "férfi", "idegen", "szellem",
    "őrszem", "ütközet", "óra", "öböl", "üzenet", "ígéret", "élet", "halál", "bosszú", "szerelem",
    "háború", "béke", "fegyver", "zsaru", "cowboy"};
const char* const Vegek[] = {
    "", "", "", "", "", "", "", "", " 2", " 3", " II.", " – A visszatérés", " – Rendezői változat",
    " a ködben", " Budapesten", " éjjel", " nyomában", " és a többiek", " (felújított)",
    " – Új kezdet", " Texasban", " a Balatonon", " – Az ébredés", " öröksége"};
const char* const Leirasok[] = {
    "Magyar szinkronnal", "Eredeti nyelven, magyar felirattal", "Bővített kiadás", "Gyűjtői kiadás",
    "Két lemezes változat", "Karcos borító", "Ajándék poszterrel", "Rendezői kommentárral", ""};
const char* const Vezeteknevek[] = {
    "Nagy", "Kovács", "Tóth", "Szabó", "Horváth", "Varga", "Kiss", "Molnár", "Németh", "Farkas",
    "Balogh", "Papp", "Takács", "Juhász", "Lakatos", "Mészáros", "Oláh", "Simon", "Rácz", "Fekete",
    "Szilágyi", "Török", "Fehér", "Balázs", "Gál", "Szűcs", "Kocsis", "Pintér", "Fodor", "Szalai",
    "Sipos", "Magyar", "Lukács", "Gulyás", "Bíró", "Király", "Katona", "Jakab", "Sándor", "Boros",
    "Fazekas", "Kelemen", "Antal", "Orosz", "Somogyi", "Fülöp", "Vincze", "Hegedűs", "Deák", "Illés",
    "Vörös", "Szőke", "Bodnár", "Soós", "Hajdú", "Lengyel", "Ördög", "Erdős", "Őri", "Üveges", "Ács"};
const char* const Keresztnevek[] = {
    "László", "István", "József", "János", "Zoltán", "Sándor", "Gábor", "Ferenc", "Attila", "Péter",
    "Tamás", "Zsolt", "Tibor", "András", "Csaba", "Imre", "Lajos", "György", "Balázs", "Gyula",
    "Mária", "Erzsébet", "Katalin", "Éva", "Ilona", "Anna", "Zsuzsanna", "Margit", "Judit", "Ágnes",
    "Andrea", "Erika", "Krisztina", "Ildikó", "Eszter", "Orsolya", "Réka", "Dóra", "Júlia", "Ödön",
    "Örs", "Ünige", "Őzike", "Ákos", "Édua"};
const char* const Varosok[][2] = {
    {"1051", "Budapest"}, {"1071", "Budapest"}, {"1117", "Budapest"}, {"2030", "Érd"},
    {"2100", "Gödöllő"}, {"3300", "Eger"}, {"3525", "Miskolc"}, {"4024", "Debrecen"},
    {"4400", "Nyíregyháza"}, {"6000", "Kecskemét"}, {"6720", "Szeged"}, {"7621", "Pécs"},
    {"8000", "Székesfehérvár"}, {"8200", "Veszprém"}, {"9021", "Győr"}, {"9400", "Sopron"}};
const char* const Utcak[] = {"Fő utca", "Petőfi Sándor utca", "Kossuth Lajos utca", "Rákóczi út",
                              "Ady Endre utca", "Arany János utca", "Dózsa György út", "Széchenyi tér",
                              "Béke utca", "Jókai Mór utca", "Bartók Béla út", "Őz utca"};
// Rental periods of the delivered data (fiztip 1..4) and their hours.
const int PeriodusOra[] = {24, 48, 72, 168};
// Delivered price matrix: [fiztip-1][arkat-1].
const double Arak[4][4] = {{600, 450, 300, 350}, {1000, 750, 500, 600}, {1300, 1000, 700, 800},
                           {2500, 1900, 1300, 1500}};

template <typename T, size_t N>
constexpr int db(const T (&)[N]) { return int(N); }

quint64 keveres(quint64 x)
{
    // splitmix64: a title depends on its code only, not on the order of generation.
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

void naplo(const QString& s)
{
    std::fprintf(stderr, "[adat] %s\n", qPrintable(s));
    std::fflush(stderr);
}

class Hiba : public std::runtime_error {
public:
    explicit Hiba(const QString& s) : std::runtime_error(s.toStdString()), uzenet(s) {}
    QString uzenet;
};

// One prepared statement run many times, values bound by position.
class Utasitas {
public:
    Utasitas(sqlite3* h, const char* sql) : m_h(h)
    {
        if (sqlite3_prepare_v2(h, sql, -1, &m_st, nullptr) != SQLITE_OK) hiba();
    }
    ~Utasitas() { sqlite3_finalize(m_st); }
    Utasitas& i(int hol, qint64 v) { sqlite3_bind_int64(m_st, hol, v); return *this; }
    Utasitas& d(int hol, double v) { sqlite3_bind_double(m_st, hol, v); return *this; }
    Utasitas& n(int hol) { sqlite3_bind_null(m_st, hol); return *this; }
    Utasitas& s(int hol, const QByteArray& v)
    {
        sqlite3_bind_text(m_st, hol, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Utasitas& s(int hol, const QString& v) { return s(hol, v.toUtf8()); }
    void futtat()
    {
        if (sqlite3_step(m_st) != SQLITE_DONE) hiba();
        sqlite3_reset(m_st);
        sqlite3_clear_bindings(m_st);
    }
private:
    sqlite3* m_h;
    sqlite3_stmt* m_st = nullptr;
    [[noreturn]] void hiba() { throw Hiba(QString::fromUtf8(sqlite3_errmsg(m_h))); }
};

void sql(sqlite3* h, const QString& s)
{
    char* e = nullptr;
    if (sqlite3_exec(h, s.toUtf8().constData(), nullptr, nullptr, &e) != SQLITE_OK) {
        const QString u = QString::fromUtf8(e ? e : "?");
        sqlite3_free(e);
        throw Hiba(u + " — " + s);
    }
}

QString indexNev(const QString& letrehozo)
{
    static const QRegularExpression re(QStringLiteral("CREATE\\s+INDEX\\s+(\\w+)"), QRegularExpression::CaseInsensitiveOption);
    return re.match(letrehozo).captured(1);
}

QByteArray datum(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")).toLatin1(); }
QByteArray ido(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")).toLatin1(); }

struct Tolto {
    sqlite3* h;
    const Meret& m;
    std::mt19937_64 rnd;
    QDateTime most = QDateTime::currentDateTime();

    int egesz(int tol, int ig) { return std::uniform_int_distribution<int>(tol, ig)(rnd); }
    double valos() { return std::uniform_real_distribution<double>(0, 1)(rnd); }

    void ugyfelek()
    {
        Utasitas u(h, "INSERT INTO ugyfel (azon, ugyfel_nev, telefon, fax, mobil, emil, cim_irsz, cim_varos, "
                      "cim_cim, dijfizetve, torolve, szigszam) VALUES (?,?,?,?,?,?,?,?,?,?,'N',?)");
        const QDate ma = most.date();
        for (int k = 1; k <= m.ugyfelek; ++k) {
            const auto& v = Varosok[egesz(0, db(Varosok) - 1)];
            const QString nev = QString::fromUtf8(Vezeteknevek[egesz(0, db(Vezeteknevek) - 1)]) + ' '
                                + QString::fromUtf8(Keresztnevek[egesz(0, db(Keresztnevek) - 1)]);
            u.i(1, k).s(2, nev).s(3, QStringLiteral("06-1-%1").arg(egesz(2000000, 9999999)));
            if (k % 17 == 0) u.s(4, QStringLiteral("06-1-%1").arg(egesz(2000000, 9999999)));
            else u.n(4);
            u.s(5, QStringLiteral("06-30-%1").arg(egesz(1000000, 9999999)))
                .s(6, QStringLiteral("ugyfel%1@példa.hu").arg(k))
                .s(7, QByteArray(v[0]))
                .s(8, QByteArray(v[1]))
                .s(9, QString::fromUtf8(Utcak[egesz(0, db(Utcak) - 1)]) + ' ' + QString::number(egesz(1, 140)) + '.')
                .s(10, datum(ma.addDays(egesz(-400, 365))))
                .s(11, QStringLiteral("%1%2").arg(egesz(100000, 999999)).arg(QChar(char16_t('A' + k % 26))) + "IA");
            u.futtat();
        }
    }

    // Items out get one history row each (their current rental), written
    // after the older history so that the history stays in time order.
    struct Kiadas { int ugyfel; qint64 video; QDate nap; };

    std::vector<Kiadas> tetelek()
    {
        Utasitas u(h, "INSERT INTO video (azon, tipus, arkat, video_nev, szoveg, ugyfel, fiztip, dat_kiadva, "
                      "ido_kiadva, dat_visszakell, ido_visszakell, ar, kint, torolve, dat_besz, kolcsid, "
                      "kolcsonozve, mufaj, beszar) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,'N',?,?,?,?,?)");
        std::vector<Kiadas> kint;
        const QDate ma = most.date();
        const int blokk = 1000;
        std::vector<int> kodok;
        int kolcsid = 0;
        int csoportMarad = 0;    // items of the current rental still to hand out
        int csoportUgyfel = 0, csoportFiztip = 1;
        QDateTime csoportKiadva, csoportVissza;
        qint64 video = 0;
        QElapsedTimer ora;
        ora.start();
        for (int eleje = 1; eleje <= m.tetelek; eleje += blokk) {
            // Codes in shuffled order inside each block: the internal key and
            // the code do not run together, as in a shop that deleted and
            // imported items.
            const int vege = std::min(m.tetelek, eleje + blokk - 1);
            kodok.resize(size_t(vege - eleje + 1));
            std::iota(kodok.begin(), kodok.end(), eleje);
            std::shuffle(kodok.begin(), kodok.end(), rnd);
            for (int azon : kodok) {
                ++video;
                const int tipus = valos() < 0.55 ? 2 : egesz(1, 7);
                const int arkat = egesz(1, 4);
                u.i(1, azon).i(2, tipus).i(3, arkat).s(4, cim(m, azon));
                const char* leiras = Leirasok[egesz(0, db(Leirasok) - 1)];
                if (*leiras) u.s(5, QByteArray(leiras));
                else u.n(5);
                const bool lent = valos() < m.kintArany;
                const int kolcsonozve = egesz(0, 90);
                if (lent) {
                    if (csoportMarad == 0) {
                        // A new rental of one to three items for one customer.
                        ++kolcsid;
                        csoportMarad = egesz(1, 3);
                        csoportUgyfel = egesz(1, std::max(1, m.ugyfelek));
                        csoportFiztip = egesz(1, 4);
                        const qint64 hossz = qint64(PeriodusOra[csoportFiztip - 1]) * 3600;
                        // Overdue: due between a minute and three weeks ago;
                        // otherwise due between a minute and the period's length from now.
                        csoportVissza = valos() < m.lejartArany ? most.addSecs(-egesz(60, 21 * 24 * 3600))
                                                                : most.addSecs(std::min<qint64>(egesz(60, int(hossz)), hossz));
                        csoportKiadva = csoportVissza.addSecs(-hossz);
                    }
                    --csoportMarad;
                    u.i(6, csoportUgyfel).i(7, csoportFiztip)
                        .s(8, datum(csoportKiadva.date())).s(9, ido(csoportKiadva.time()))
                        .s(10, datum(csoportVissza.date())).s(11, ido(csoportVissza.time()))
                        .d(12, Arak[csoportFiztip - 1][arkat - 1]).s(13, QByteArray("I"))
                        .i(15, kolcsid).i(16, kolcsonozve + 1);
                    kint.push_back({csoportUgyfel, video, csoportKiadva.date()});
                } else if (kolcsonozve > 0) {
                    // Lent before and taken back.
                    u.i(6, 0).n(7).n(8).n(9).n(10).n(11).d(12, Arak[egesz(0, 3)][arkat - 1])
                        .s(13, QByteArray("N")).i(15, 0).i(16, kolcsonozve);
                } else {
                    // Never lent.
                    u.n(6).n(7).n(8).n(9).n(10).n(11).n(12).s(13, QByteArray("N")).n(15);
                    if (valos() < 0.5) u.n(16);
                    else u.i(16, 0);
                }
                u.s(14, datum(ma.addDays(-egesz(1, 3650)))).i(17, egesz(1, 15)).d(18, double(egesz(15, 120) * 100));
                u.futtat();
            }
            if ((eleje / blokk) % 100 == 99)
                naplo(QStringLiteral("%1 tétel, %2 s").arg(vege).arg(ora.elapsed() / 1000.0, 0, 'f', 1));
        }
        return kint;
    }

    void tortenet(const std::vector<Kiadas>& kint)
    {
        Utasitas u(h, "INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (?,?,?)");
        // Older rentals spread over five years, in time order.
        const QDate eleje = most.date().addYears(-5);
        const qint64 napok = eleje.daysTo(most.date().addDays(-22));
        for (qint64 i = 0; i < m.tortenet; ++i) {
            const QDate nap = eleje.addDays(napok * i / std::max<qint64>(1, m.tortenet));
            u.i(1, egesz(1, std::max(1, m.ugyfelek))).i(2, egesz(1, std::max(1, m.tetelek))).s(3, datum(nap));
            u.futtat();
        }
        std::vector<Kiadas> rend = kint;
        std::stable_sort(rend.begin(), rend.end(), [](const Kiadas& a, const Kiadas& b) { return a.nap < b.nap; });
        for (const Kiadas& k : rend) {
            u.i(1, k.ugyfel).i(2, k.video).s(3, datum(k.nap));
            u.futtat();
        }
    }

    void cassa()
    {
        Utasitas u(h, "INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) VALUES (?,?,?,?,?,?)");
        const QDate eleje = most.date().addYears(-5);
        const qint64 napok = eleje.daysTo(most.date());
        double penzvan = 50000;
        for (qint64 i = 0; i < m.cassa; ++i) {
            const QDate nap = eleje.addDays(napok * i / std::max<qint64>(1, m.cassa));
            const double r = valos();
            const char* tip;
            double osszeg;
            bool ugyfeles = true;
            if (r < 0.72) { tip = "B"; osszeg = Arak[egesz(0, 3)][egesz(0, 3)] * egesz(1, 3); }
            else if (r < 0.86) { tip = "T"; osszeg = QList<double>{1500, 2800, 5000}.at(egesz(0, 2)); }
            else if (r < 0.92) { tip = "E"; osszeg = egesz(1, 40) * 100; ugyfeles = false; }
            else if (r < 0.98) { tip = "K"; osszeg = -egesz(5, 200) * 100; ugyfeles = false; }
            else { tip = "V"; osszeg = -egesz(20, 300) * 100; ugyfeles = false; }
            penzvan += osszeg;
            u.s(1, QByteArray(tip)).s(2, datum(nap));
            if (ugyfeles) u.i(3, egesz(1, std::max(1, m.ugyfelek))).s(6, nap.toString(QStringLiteral("yyyyMM")));
            else u.n(3).n(6);
            u.d(4, osszeg).d(5, penzvan);
            u.futtat();
        }
    }
};

bool epit(const QString& programMappa, const Meret& m, QString* hiba)
{
    QElapsedTimer ora;
    ora.start();
    if (!Telepites::telepit(programMappa, false, hiba, &Tulajdonos::Minta())) return false;
    const QString kapcsolat = "bench-adat-" + QUuid::createUuid().toString(QUuid::Id128);
    QString uzenet;
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kapcsolat);
        d.setDatabaseName(Adatbazis::fajlUtvonal(programMappa + "/Data"));
        if (!d.open()) {
            uzenet = d.lastError().text();
        } else {
            try {
                // The HU collation must be there to build the title indexes.
                if (!Adatbazis::beallit(d, &uzenet)) throw Hiba(uzenet);
                sqlite3* h = Adatbazis::kezelo(d);
                // A one-off build: no journal needed, and the indexes are made
                // after the rows, by sorting, instead of row by row.
                sql(h, "PRAGMA journal_mode=OFF");
                sql(h, "PRAGMA synchronous=OFF");
                sql(h, "PRAGMA cache_size=-262144");
                QStringList indexek;
                for (const char* t : {"video", "ugyfel", "ugyfel_video", "cassa"})
                    for (const QString& ix : Sema::tabla(QString::fromLatin1(t))->indexek) {
                        sql(h, "DROP INDEX " + indexNev(ix));
                        indexek << ix;
                    }
                sql(h, "BEGIN");
                // The benchmarks open the main window without a login.
                sql(h, "UPDATE beallit SET vanbelep = 'N'");
                Tolto t{h, m, std::mt19937_64(m.mag)};
                t.ugyfelek();
                naplo(QStringLiteral("%1 ügyfél kész").arg(m.ugyfelek));
                const auto kint = t.tetelek();
                naplo(QStringLiteral("%1 tétel kész, %2 kint").arg(m.tetelek).arg(kint.size()));
                t.tortenet(kint);
                naplo(QStringLiteral("%1 történetsor kész").arg(m.tortenet + qint64(kint.size())));
                t.cassa();
                naplo(QStringLiteral("%1 pénztársor kész").arg(m.cassa));
                for (const QString& ix : indexek) sql(h, ix);
                sql(h, "COMMIT");
                naplo(QStringLiteral("indexek kész, %1 s").arg(ora.elapsed() / 1000.0, 0, 'f', 1));
                sql(h, "PRAGMA journal_mode=WAL");
            } catch (const Hiba& e) {
                uzenet = e.uzenet;
            } catch (const AdatbazisHiba& e) {
                uzenet = e.uzenet();
            }
            d.close();
        }
    }
    QSqlDatabase::removeDatabase(kapcsolat);
    if (!uzenet.isEmpty()) {
        if (hiba) *hiba = QStringLiteral("Az adatbázis nem tölthető fel: %1").arg(uzenet);
        return false;
    }
    QFile jel(QDir(programMappa).filePath(QString::fromLatin1(JelFajl)));
    if (!jel.open(QIODevice::WriteOnly | QIODevice::Text) || jel.write(m.leiras().toUtf8() + '\n') < 0) {
        if (hiba) *hiba = QStringLiteral("A jelfájl nem írható: %1").arg(jel.fileName());
        return false;
    }
    return true;
}

QString jelOlvas(const QString& programMappa)
{
    QFile jel(QDir(programMappa).filePath(QString::fromLatin1(JelFajl)));
    if (!jel.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(jel.readAll()).trimmed();
}

} // namespace

QString Meret::leiras() const
{
    // A folder built under another schema or collator version is built anew:
    // else every fresh copy of it would be brought up to date (a REINDEX of
    // a million titles) when a benchmark opens it.
    return QStringLiteral("valtozat=%1 tetelek=%2 ugyfelek=%3 tortenet=%4 cassa=%5 kint=%6 lejart=%7 mag=%8 sema=%9 "
                          "rendezes=%10")
        .arg(Valtozat).arg(tetelek).arg(ugyfelek).arg(tortenet).arg(cassa).arg(kintArany).arg(lejartArany).arg(mag)
        .arg(Sema::Verzio).arg(HuFold::rendVerzio());
}

QString cim(const Meret& m, int azon)
{
    const quint64 x = keveres((quint64(m.mag) << 32) ^ quint64(azon));
    const QString jelzo = QString::fromUtf8(Jelzok[x % db(Jelzok)]);
    const QString fonev = QString::fromUtf8(Fonevek[(x >> 16) % db(Fonevek)]);
    const QString veg = QString::fromUtf8(Vegek[(x >> 32) % db(Vegek)]);
    if ((x >> 48) % 4 == 0) {
        // "A vad folyó", "Az ördögi kör": the article before a lower-case word.
        static const QString maganhangzok = QStringLiteral("AÁEÉIÍOÓÖŐUÚÜŰ");
        const QString nevelo = maganhangzok.contains(jelzo.at(0)) ? QStringLiteral("Az ") : QStringLiteral("A ");
        return nevelo + jelzo.toLower() + ' ' + fonev + veg;
    }
    return jelzo + ' ' + fonev + veg;
}

bool elokeszit(const QString& programMappa, const Meret& m, bool ujra, QString* hiba)
{
    const QString cel = QDir::cleanPath(QDir(programMappa).absolutePath());
    const bool van = QFileInfo::exists(cel);
    const QString jel = jelOlvas(cel);
    if (van && !ujra && jel == m.leiras() && QFileInfo::exists(Adatbazis::fajlUtvonal(cel + "/Data"))) {
        naplo(QStringLiteral("a meglévő adatmappa marad: %1").arg(cel));
        return true;
    }
    if (van && jel.isEmpty()) {
        if (hiba) *hiba = QStringLiteral("A mappa létezik, de nem ez a program építette, nem írom felül: %1").arg(cel);
        return false;
    }
    naplo(QStringLiteral("adatmappa építése: %1 (%2)").arg(cel, m.leiras()));
    const QString epulo = cel + ".epul-" + QString::number(QCoreApplication::applicationPid());
    QDir(epulo).removeRecursively();
    if (!epit(epulo, m, hiba)) {
        QDir(epulo).removeRecursively();
        return false;
    }
    if (van && !QDir(cel).removeRecursively()) {
        if (hiba) *hiba = QStringLiteral("A régi adatmappa nem törölhető: %1").arg(cel);
        return false;
    }
    if (!QDir().rename(epulo, cel)) {
        if (hiba) *hiba = QStringLiteral("Az adatmappa nem nevezhető át: %1").arg(cel);
        return false;
    }
    return true;
}

bool munkapeldany(const QString& programMappa, const QString& munkaMappa, QString* hiba)
{
    const auto hibas = [&](const QString& s) {
        if (hiba) *hiba = s;
        return false;
    };
    const QString cel = QDir::cleanPath(QDir(munkaMappa).absolutePath());
    const QString jel = QDir(cel).filePath(QString::fromLatin1(MunkaJelFajl));
    if (QFileInfo::exists(cel)) {
        if (!QFileInfo::exists(jel))
            return hibas(QStringLiteral("A mappa létezik, de nem ez a program készítette, nem írom felül: %1").arg(cel));
        if (!QDir(cel).removeRecursively()) return hibas(QStringLiteral("A régi munkapéldány nem törölhető: %1").arg(cel));
    }
    if (!QDir().mkpath(cel + "/Data") || !QDir().mkpath(cel + "/Archiv"))
        return hibas(QStringLiteral("A munkapéldány mappája nem hozható létre: %1").arg(cel));
    QFile j(jel);
    if (!j.open(QIODevice::WriteOnly) || j.write(QDir::cleanPath(QDir(programMappa).absolutePath()).toUtf8() + '\n') < 0)
        return hibas(QStringLiteral("A jelfájl nem írható: %1").arg(jel));
    j.close();
    const QString forras = Adatbazis::fajlUtvonal(programMappa + "/Data");
    const QString masolat = Adatbazis::fajlUtvonal(cel + "/Data");
    // Rows still in the write-ahead log would be missing from a copy of the file alone.
    if (QFileInfo(forras + "-wal").size() > 0)
        return hibas(QStringLiteral("Az adatbázis naplója nem üres, előbb zárja le, aki használja: %1").arg(forras));
    QElapsedTimer ora;
    ora.start();
    if (!QFile::copy(forras, masolat)) return hibas(QStringLiteral("Az adatbázis nem másolható: %1").arg(forras));
    for (const QString& f : {masolat, cel + "/Data"}) {
        const int fd = ::open(QFile::encodeName(f).constData(), O_RDONLY);
        const bool ok = fd >= 0 && ::fsync(fd) == 0;
        if (fd >= 0) ::close(fd);
        if (!ok) return hibas(QStringLiteral("A munkapéldány nem írható lemezre: %1").arg(f));
    }
    naplo(QStringLiteral("munkapéldány: %1 (%2 s)").arg(cel).arg(ora.elapsed() / 1000.0, 0, 'f', 1));
    return true;
}

bool beallitasIr(const QString& programMappa, int szeles, int magas, QString* hiba)
{
    IniFajl ini;
    ini.ir("Alapertek", "TeljesKep", false);
    ini.ir("Alapertek", "Bal", 0);
    ini.ir("Alapertek", "Felul", 0);
    ini.ir("Alapertek", "Szeles", szeles);
    ini.ir("Alapertek", "Magas", magas);
    ini.ir("Alapertek", "Betumeret", 8);
    ini.ir("Adatbazis", "Utvonal", QDir(programMappa).filePath("Data"));
    ini.ir("Archiv", "MentesUtvonal", QDir(programMappa).filePath("Archiv"));
    // A recent archive: closing the window asks nothing.
    ini.ir("Archiv", "MentesDatum", QDate::currentDate());
    return ini.ment(QDir(programMappa).filePath(QString::fromLatin1(BeallitasFajlNev)), hiba);
}

double csucsMemoriaMB()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_maxrss) / 1024.0;   // Linux gives kilobytes
}

double ms(qint64 ns) { return double(ns) / 1e6; }

qint64 processzorIdo()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    if (v.isEmpty()) return 0;
    const qsizetype n = v.size();
    return n % 2 ? v.at(n / 2) : (v.at(n / 2 - 1) + v.at(n / 2)) / 2;
}

QString terheles()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(' ', 0, 2) : QStringLiteral("?");
}

Futas futtat(const QStringList& parancs, const QString& ki, const QString& hol)
{
    QList<QByteArray> args;
    for (const QString& a : parancs) args << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray kiUt = ki.toLocal8Bit();
    const QByteArray holUt = hol.toLocal8Bit();
    std::fflush(nullptr);
    QElapsedTimer t;
    t.start();
    const pid_t p = fork();
    if (p < 0) return {};
    if (p == 0) {
        // The output file first: a relative name means the caller's folder.
        const int fd = open(kiUt.isEmpty() ? "/dev/null" : kiUt.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) dup2(fd, 1);
        if (!holUt.isEmpty() && chdir(holUt.constData()) != 0) _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int allapot = 0;
    rusage r{};
    wait4(p, &allapot, 0, &r);
    Futas f;
    f.mp = t.nsecsElapsed() / 1e9;
    f.cpu = r.ru_utime.tv_sec + r.ru_utime.tv_usec / 1e6 + r.ru_stime.tv_sec + r.ru_stime.tv_usec / 1e6;
    f.memMB = r.ru_maxrss / 1024.0;
    f.ok = WIFEXITED(allapot) && WEXITSTATUS(allapot) == 0;
    return f;
}

bool gyerekben(const char* nev, const std::function<bool(QString* hiba)>& munka)
{
    std::fflush(nullptr);
    const pid_t gyerek = fork();
    if (gyerek < 0) return false;
    if (gyerek == 0) {
        int argc = 1;
        QByteArray nevMasolat(nev);
        char* argv[] = {nevMasolat.data(), nullptr};
        QCoreApplication app(argc, argv);
        QString hiba;
        const bool ok = munka(&hiba);
        if (!ok) std::fprintf(stderr, "%s\n", qPrintable(hiba));
        std::fflush(nullptr);
        _exit(ok ? 0 : 1);
    }
    int allapot = 0;
    waitpid(gyerek, &allapot, 0);
    return WIFEXITED(allapot) && WEXITSTATUS(allapot) == 0;
}

bool programOpciok(int argc, char** argv, ProgramOpciok* o)
{
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--rebuild")) o->ujra = true;
        else if (!std::strcmp(a, "--mappa") && i + 1 < argc) o->mappa = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(a, "--tetelek") && i + 1 < argc) o->meret.tetelek = std::atoi(argv[++i]);
        else if (!std::strcmp(a, "--kazettora") && i + 1 < argc) o->program = QString::fromLocal8Bit(argv[++i]);
        else {
            std::fprintf(stderr, "használat: %s [--rebuild] [--mappa DIR] [--tetelek N] [--kazettora PATH]\n", argv[0]);
            return false;
        }
    }
    return true;
}

QString kazettoraProgram(const QString& megadott)
{
    const QString program =
        megadott.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../kazettora") : megadott;
    if (QFileInfo(program).isExecutable()) return program;
    std::fprintf(stderr, "a program nem található: %s (--kazettora)\n", qPrintable(program));
    return QString();
}

void Stopper::indit()
{
    m_cpu = processzorIdo();
    m_fal.start();
}

Ido Stopper::most() const { return {ms(m_fal.nsecsElapsed()), ms(processzorIdo() - m_cpu)}; }

} // namespace BenchAdat

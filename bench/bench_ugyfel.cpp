// How the customer register behaves with 100 000 customers: opening the
// window, the quick search per keystroke in both modes, the expired filter,
// and the peak memory. Builds its own data folder in a temporary directory.
//
//   bench_ugyfel [customers]        (default 100000)
#include "core/customers/ugyfelek.h"
#include "windows/customers/ugyfelek_ablak.h"
#include "core/data/adatbazis.h"
#include "core/data/hufold.h"
#include "core/data/ora.h"
#include "core/admin/telepites.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <random>
#include <sys/resource.h>

namespace {

const char* const Vezetek[] = {"Nagy", "Kovács", "Tóth", "Szabó", "Horváth", "Varga", "Kiss", "Molnár",
                               "Németh", "Farkas", "Balogh", "Papp", "Takács", "Juhász", "Lakatos",
                               "Mészáros", "Oláh", "Simon", "Rácz", "Fekete", "Szilágyi", "Török", "Fehér",
                               "Balázs", "Gál", "Szűcs", "Kocsis", "Orsós", "Pintér", "Fodor", "Szalai",
                               "Sipos", "Magyar", "Lukács", "Gulyás", "Biró", "Király", "Katona", "László",
                               "Jakab", "Bogdán", "Sándor", "Boros", "Fazekas", "Kelemen", "Antal", "Orosz",
                               "Somogyi", "Fülöp", "Veres", "Vincze", "Hegedűs", "Deák", "Budai", "Bálint",
                               "Illés", "Vörös", "Vass", "Szőke", "Fenyő", "Bodnár", "Soós", "Hajdu",
                               "Lengyel", "Major", "Szekeres", "Ördög", "Erdős", "Őri", "Üveges", "Ács"};
const char* const Kereszt[] = {"László", "István", "József", "János", "Zoltán", "Sándor", "Gábor", "Ferenc",
                               "Attila", "Péter", "Tamás", "Zsolt", "Tibor", "András", "Csaba", "Imre",
                               "Lajos", "György", "Balázs", "Gyula", "Mária", "Erzsébet", "Katalin", "Éva",
                               "Ilona", "Anna", "Zsuzsanna", "Margit", "Judit", "Ágnes", "Andrea", "Erika",
                               "Krisztina", "Ildikó", "Eszter", "Orsolya", "Réka", "Dóra", "Júlia", "Ödön",
                               "Örs", "Ünige"};
const char* const Varosok[][2] = {{"1071", "Budapest"}, {"2030", "Érd"}, {"3600", "Ózd"}, {"4025", "Debrecen"},
                                  {"6720", "Szeged"}, {"7621", "Pécs"}, {"8200", "Veszprém"}, {"9400", "Sopron"}};

template <std::size_t N> const char* egy(QRandomGenerator& r, const char* const (&t)[N])
{
    return t[r.bounded(int(N))];
}

double ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

struct Meres {
    QList<double> ertekek;
    void add(double v) { ertekek << v; }
    double median() const
    {
        QList<double> v = ertekek;
        std::sort(v.begin(), v.end());
        return v.isEmpty() ? 0 : v.at(v.size() / 2);
    }
    double max() const { return ertekek.isEmpty() ? 0 : *std::max_element(ertekek.begin(), ertekek.end()); }
};

// printf pads by bytes; the labels have accented letters.
QByteArray igazit(const QString& s, int szeles) { return s.leftJustified(szeles).toUtf8(); }

void sor(const char* nev, const Meres& m)
{
    std::printf("%s %9.2f ms %9.2f ms %5lld\n", igazit(QString::fromUtf8(nev), 46).constData(), m.median(), m.max(),
                qlonglong(m.ertekek.size()));
}

void feltolt(int db)
{
    QRandomGenerator r(20260314);
    // Codes 1..db in a shuffled order, so that code order and key order differ.
    std::vector<int> kodok(static_cast<size_t>(db));
    for (int i = 0; i < db; ++i) kodok[size_t(i)] = i + 1;
    std::shuffle(kodok.begin(), kodok.end(), std::mt19937(7));
    const QDate ma = Ma();
    Adatbazis::Tranzakcio t;
    QSqlQuery q(Adatbazis::db());
    q.prepare("INSERT INTO ugyfel (azon, ugyfel_nev, telefon, mobil, emil, cim_irsz, cim_varos, cim_cim, "
              "dijfizetve, torolve, szigszam) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < db; ++i) {
        const auto& v = Varosok[r.bounded(int(std::size(Varosok)))];
        const QString nev = QString::fromUtf8(egy(r, Vezetek)) + ' ' + QString::fromUtf8(egy(r, Kereszt))
                            + (r.bounded(3) == 0 ? ' ' + QString::fromUtf8(egy(r, Kereszt)) : QString());
        // About a third expired, one in a hundred without a day, one in a hundred not listed.
        const QVariant dij = r.bounded(100) == 0 ? QVariant() : QVariant(ma.addDays(r.bounded(-200, 400)).toString(Qt::ISODate));
        q.addBindValue(kodok[size_t(i)]);
        q.addBindValue(nev);
        q.addBindValue(QStringLiteral("06-1-%1").arg(r.bounded(2000000, 9999999)));
        q.addBindValue(QStringLiteral("06-30-%1").arg(r.bounded(1000000, 9999999)));
        q.addBindValue(QStringLiteral("ugyfel%1@pelda.hu").arg(i + 1));
        q.addBindValue(QString::fromUtf8(v[0]));
        q.addBindValue(QString::fromUtf8(v[1]));
        q.addBindValue(QStringLiteral("Fő utca %1.").arg(r.bounded(1, 200)));
        q.addBindValue(dij);
        q.addBindValue(r.bounded(100) == 0 ? QStringLiteral("I") : QStringLiteral("N"));
        q.addBindValue(QStringLiteral("%1AB").arg(r.bounded(100000, 999999)));
        if (!q.exec()) qFatal("beszúrás: %s", qPrintable(Adatbazis::hibaSzoveg(q)));
    }
    t.jovahagy();
}

void billentyu(QWidget* w, QChar c)
{
    QKeyEvent le(QEvent::KeyPress, Qt::Key(c.toUpper().unicode()), Qt::NoModifier, QString(c));
    QKeyEvent fel(QEvent::KeyRelease, Qt::Key(c.toUpper().unicode()), Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &le);
    QApplication::sendEvent(w, &fel);
}

// Each keystroke until the list is repainted.
void gepel(Tfrm_TorzsUgyfel& a, const QString& szoveg, Meres& m)
{
    a.Edit1->clear();
    QApplication::processEvents();
    for (const QChar c : szoveg) {
        QElapsedTimer t;
        t.start();
        billentyu(a.Edit1, c);
        QApplication::processEvents();
        m.add(ms(t));
    }
}

void terv(const char* cim, const QString& sql, const QVariantList& p)
{
    QSqlQuery q = Adatbazis::vegrehajt("EXPLAIN QUERY PLAN " + sql, p);
    QStringList l;
    while (q.next()) l << q.value(3).toString();
    std::printf("  %s %s\n", igazit(QString::fromUtf8(cim), 18).constData(), qPrintable(l.join(" / ")));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    const int db = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;

    QTemporaryDir mappa;
    QString hiba;
    if (!Telepites::telepit(mappa.path(), false, &hiba, &Tulajdonos::Minta())) qFatal("telepítés: %s", qPrintable(hiba));
    if (!Adatbazis::nyit(mappa.path() + "/Data", &hiba)) qFatal("nyitás: %s", qPrintable(hiba));
    QElapsedTimer t;
    t.start();
    feltolt(db);
    std::printf("Ügyfélnyilvántartás, %d ügyfél (feltöltés egy tranzakcióban: %.0f ms)\n\n", db, ms(t));

    std::printf("Lekérdezési tervek:\n");
    const QString lista = QStringLiteral("SELECT t.rowid FROM ugyfel t WHERE (%1) ORDER BY t.ugyfel_nev COLLATE HU, t.rowid");
    terv("lista névsorban", lista.arg(Ugyfelek::ListazottFeltetel()), {});
    terv("lejárt szűrés", lista.arg(Ugyfelek::LejartFeltetel()), Ugyfelek::LejartParam(Ma()));
    terv("kód keresés", Ugyfelek::KodJeloltek(), {7});
    const HuFold::Tartomany sz = HuFold::kezdoTartomanyok("Sz").first();
    terv("név keresés", Ugyfelek::NevJeloltek(), {sz.also, sz.felso});
    std::printf("\n%s %s %s %5s\n", igazit("művelet", 46).constData(),
                QStringLiteral("medián").rightJustified(12).toUtf8().constData(),
                QStringLiteral("legrosszabb").rightJustified(12).toUtf8().constData(), "db");

    // Opening through the opening operation, until the window is shown and painted.
    Meres nyitas;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer n;
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) qFatal("nem nyílt meg az ablak");
            w->grab();
            nyitas.add(ms(n));
            static_cast<QDialog*>(w)->reject();
        });
        n.start();
        TorzsUgyfelMegnyit(nullptr, -1, false);
    }
    sor("ablak megnyitása (megjelenésig)", nyitas);

    Tfrm_TorzsUgyfel a(false);
    // What the opening operation does before exec(), so that the window stays open here.
    a.modell()->ujratolt();
    a.aktualisBeallit(0);
    a.show();
    QApplication::processEvents();

    // The part of opening and filtering that reads the ordered keys.
    Meres kulcsok;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer k;
        k.start();
        a.lista().betolt();
        kulcsok.add(ms(k));
    }
    sor("  ebből: a kulcsok olvasása névsorban", kulcsok);
    a.modell()->ujratolt();

    Meres kod;
    for (const QString& s : {QStringLiteral("54321"), QStringLiteral("7"), QStringLiteral("99999"),
                             QStringLiteral("100001"), QStringLiteral("00042")})
        gepel(a, s, kod);
    sor("gyorskeresés kódra, billentyűnként", kod);
    if (a.ertek("azon").toInt() != 42) qFatal("a kódra keresés nem találta meg a 42-es ügyfelet");

    a.aKeresNev->trigger();
    QApplication::processEvents();
    Meres nev;
    for (const QString& s : {QStringLiteral("Szabó Éva"), QStringLiteral("szűcs ö"), QStringLiteral("Őri"),
                             QStringLiteral("zzzz"), QStringLiteral("Kovács Zsuzsanna")})
        gepel(a, s, nev);
    if (!a.ertek("ugyfel_nev").toString().startsWith(QStringLiteral("Kovács Zsuzsanna")))
        qFatal("a névre keresés nem talált");
    sor("gyorskeresés névre, billentyűnként", nev);

    Meres szuroBe, szuroKi;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer s;
        s.start();
        a.aSzur->trigger();
        QApplication::processEvents();
        szuroBe.add(ms(s));
        s.restart();
        a.aSzur->trigger();
        QApplication::processEvents();
        szuroKi.add(ms(s));
    }
    sor("lejárt tagsági szűrés be", szuroBe);
    sor("lejárt tagsági szűrés ki", szuroKi);

    a.aSzur->trigger();
    QApplication::processEvents();
    Meres nevSzurt;
    for (const QString& s : {QStringLiteral("Szabó Éva"), QStringLiteral("zzzz"), QStringLiteral("Üveges Ünige")})
        gepel(a, s, nevSzurt);
    sor("gyorskeresés névre, szűrve, billentyűnként", nevSzurt);
    a.aKeresKod->trigger();
    Meres kodSzurt;
    for (const QString& s : {QStringLiteral("54321"), QStringLiteral("100001")}) gepel(a, s, kodSzurt);
    sor("gyorskeresés kódra, szűrve, billentyűnként", kodSzurt);

    struct rusage ru {};
    getrusage(RUSAGE_SELF, &ru);
    std::printf("%s %9.1f MB\n", igazit("csúcs memória (RSS)", 46).constData(), double(ru.ru_maxrss) / 1024.0);
    a.hide();
    Adatbazis::zar();
    return 0;
}

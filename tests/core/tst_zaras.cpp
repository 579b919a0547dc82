// The end-of-day close: the counted cash against the cash book's balance,
// the Z report's figures, the day closed once, no entry typed by hand on a
// closed day (the program's own postings go on), and a close killed midway.
#include "core/cash/cassa.h"
#include "core/cash/zaras.h"
#include "core/customers/tagdij.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "tests/core/tesztmag.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QDate Ma_ = TesztMost.date();   // 2026-03-14

void tetel(const QString& tip, const QDate& nap, double osszeg, double penzvan, const QVariant& ugyfel = QVariant())
{
    Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan) VALUES (?, ?, ?, ?, ?)",
                         {tip, nap, ugyfel, osszeg, penzvan});
}

// Two days before today and today: entries of several types, one whose
// type no longer exists ("X"). The day closes at 4 400.
void konyv()
{
    tetel("B", Ma_.addDays(-2), 1000, 1000);
    tetel("K", Ma_.addDays(-1), -300, 700);
    tetel("B", Ma_, 1500, 2200);
    tetel("T", Ma_, 2800, 5000);
    tetel("E", Ma_, 200, 5200);
    tetel("K", Ma_, -450, 4750);
    tetel("B", Ma_, 600, 5350);
    tetel("V", Ma_, -1000, 4350);
    tetel("X", Ma_, 50, 4400);
}

int darab(const char* tabla) { return Adatbazis::ertek(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabla)).toInt(); }

QString tipusok(const Zaras::Jelentes& j)
{
    QStringList l;
    for (const Zaras::TipusOsszeg& t : j.tipusok) l << QStringLiteral("%1 %2 %3 %4").arg(t.tipus, t.nev).arg(t.darab).arg(t.osszeg);
    return l.join('|');
}

// The kill test's worker: day after day, a few entries typed by hand, the
// day closed with a counted sum the test can recompute (the balance plus
// the day's number modulo 7, less 3), then an entry refused on the closed
// day. Runs until killed.
constexpr qint64 KezdoNap = 2461000;   // Julian day where the worker's days begin

double szamoltElteres(const QDate& nap) { return double(nap.toJulianDay() % 7) - 3; }

int munkas(const QString& mappa, quint32 mag)
{
    QString hiba;
    if (!Adatbazis::nyit(mappa, &hiba)) {
        qWarning("%s", qPrintable(hiba));
        return 2;
    }
    QRandomGenerator rnd(mag);
    for (;;) {
        try {
            const QDate utolso = Zaras::UtolsoZartNap();
            const QDate nap = utolso.isValid() ? utolso.addDays(1) : QDate::fromJulianDay(KezdoNap);
            OraBeallit(QDateTime(nap, QTime(20, 0, 0)));
            for (int i = 0, n = rnd.bounded(4); i < n; ++i)
                Cassa::KeziTetel(QStringLiteral("E"), 1, 1 + rnd.bounded(500));
            Zaras::Zar(nap, Zaras::Vart(nap) + szamoltElteres(nap), QStringLiteral("Munkás"));
            bool elfogadva = true;
            try {
                Cassa::KeziTetel(QStringLiteral("K"), -1, 1);
            } catch (const AdatbazisHiba&) {
                elfogadva = false;
            }
            if (elfogadva) return 4;   // an entry on a closed day
        } catch (const AdatbazisHiba& e) {
            qWarning("%s", qPrintable(e.uzenet()));
            return 3;
        }
    }
}

} // namespace

class TstZaras : public MagTeszt {
    Q_OBJECT

private slots:
    // MagTeszt's own, and the clock a case set back to the fixed moment.
    void cleanup()
    {
        OraBeallit(TesztMost);
        m_t.reset();
    }

    // The counted cash against the balance after the day's last entry: the
    // difference counted less expected, the user and the moment, one row,
    // committed when the close returns.
    void zaras_data()
    {
        QTest::addColumn<double>("szamolt");
        QTest::addColumn<QString>("felhasznalo");
        QTest::addColumn<double>("elteres");
        QTest::addColumn<QString>("szoveg");
        QTest::newRow("pontos") << 4400.0 << "Kovács Anna" << 0.0 << "0 Ft";
        QTest::newRow("többlet") << 4900.0 << "Kovács Anna" << 500.0 << "+500 Ft (többlet)";
        QTest::newRow("hiány, fillérrel") << 3900.5 << "Kovács Anna" << -499.5 << "-500 Ft (hiány)";
        QTest::newRow("üres kassza, belépés nélkül") << 0.0 << "" << -4400.0 << "-4 400 Ft (hiány)";
    }
    void zaras()
    {
        QFETCH(double, szamolt);
        QFETCH(QString, felhasznalo);
        QFETCH(double, elteres);
        QFETCH(QString, szoveg);
        konyv();
        QCOMPARE(Zaras::Vart(Ma_), 4400.0);
        const Zaras::Jelentes j = Zaras::Zar(Ma_, szamolt, felhasznalo, 4400.0);
        QVERIFY(!Adatbazis::tranzakcioban());
        QCOMPARE(j.vart, 4400.0);
        QCOMPARE(j.szamolt, szamolt);
        QCOMPARE(j.elteres, elteres);
        QCOMPARE(Zaras::ElteresSzoveg(j.elteres), szoveg);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT datum, ido, vart, szamolt, elteres, felhasznalo FROM zaras"),
                 QStringList{QStringLiteral("2026-03-14|15:30:00|4400|%1|%2|%3").arg(szamolt).arg(elteres).arg(felhasznalo)});
        QCOMPARE(Zaras::UtolsoZartNap(), Ma_);
    }

    // The Z report: the day's entries by type in code order (a type gone
    // keeps its code), the day's money in and out, the balance before the
    // day and after it, and the close's own figures; the same when read back.
    void zJelentes()
    {
        konyv();
        tetel("B", Ma_.addDays(-1), 999, 5399);   // written after today's entries: the balance follows the key
        const Zaras::Jelentes j = Zaras::Zar(Ma_, 5000, "Kovács Anna");
        QCOMPARE(tipusok(j), QString("B Kölcsönzési díj 2 2100|E Egyéb bevétel 1 200|K Kiadás 1 -450|"
                                     "T Tagdíj 1 2800|V Videó beszerzés 1 -1000|X  1 50"));
        QCOMPARE(j.tetelek, 7);
        QCOMPARE(j.bevetel, 5150.0);
        QCOMPARE(j.kiadas, -1450.0);
        QCOMPARE(j.nyito, 5399.0);
        QCOMPARE(j.zaro, 5399.0);
        QCOMPARE(j.vart, 5399.0);
        QCOMPARE(j.elteres, -399.0);
        QCOMPARE(j.zarasUtan, 0.0);
        QCOMPARE(j.ido, QTime(15, 30, 0));
        for (const std::optional<Zaras::Jelentes>& o : {Zaras::Keres(Ma_), Zaras::Utolso()}) {
            QVERIFY(o);
            QCOMPARE(o->kulcs, j.kulcs);
            QCOMPARE(tipusok(*o), tipusok(j));
            QCOMPARE(o->felhasznalo, QString("Kovács Anna"));
            QCOMPARE(o->szamolt, 5000.0);
        }
        QVERIFY(!Zaras::Keres(Ma_.addDays(-1)));

        // Without the odd entry, the day's sums meet the balances.
        Adatbazis::vegrehajt("DELETE FROM cassa WHERE osszeg = 999");
        const Zaras::Jelentes k = *Zaras::Keres(Ma_);
        QCOMPARE(k.nyito, 700.0);
        QCOMPARE(k.nyito + k.bevetel + k.kiadas, k.zaro);
        // A past day's expected cash ignores the entries after it.
        QCOMPARE(Zaras::Vart(Ma_.addDays(-1)), 700.0);
        QCOMPARE(Zaras::Vart(Ma_.addDays(-5)), 0.0);
    }

    // What a close refuses: nothing written, the reason in Hungarian.
    void zarasElutasitva_data()
    {
        QTest::addColumn<int>("elobbZart");   // days from today closed first; 99: none
        QTest::addColumn<int>("nap");
        QTest::addColumn<double>("szamolt");
        QTest::addColumn<double>("megerositett");   // NaN: not given
        QTest::addColumn<QString>("uzenet");
        const double nincs = qQNaN();
        QTest::newRow("másodszor") << 0 << 0 << 4400.0 << nincs
                                   << "A 2026. 03. 14. nap pénztára már le van zárva (15:30:00, Kovács Anna). Egy nap "
                                      "csak egyszer zárható; a Z jelentés újra kinyomtatható.";
        QTest::newRow("korábbi nap") << 0 << -1 << 700.0 << nincs
                                     << "A pénztár már a későbbi 2026. 03. 14. napig le van zárva; korábbi nap nem zárható.";
        QTest::newRow("holnap") << 99 << 1 << 4400.0 << nincs << "A 2026. 03. 15. nap még nem jött el, nem zárható le.";
        QTest::newRow("negatív") << 99 << 0 << -1.0 << nincs
                                 << "A megszámolt pénz nem lehet negatív. A zárás nem lett rögzítve.";
        QTest::newRow("végtelen") << 99 << 0 << qInf() << nincs << "Nem megfelelő érték.";
        QTest::newRow("változott egyenleg") << 99 << 0 << 4400.0 << 4350.0
                                            << "A pénztár egyenlege a megerősítés óta megváltozott (most 4 400 Ft). "
                                               "A zárás nem lett rögzítve; kezdje újra.";
    }
    void zarasElutasitva()
    {
        QFETCH(int, elobbZart);
        QFETCH(int, nap);
        QFETCH(double, szamolt);
        QFETCH(double, megerositett);
        QFETCH(QString, uzenet);
        konyv();
        if (elobbZart != 99) Zaras::Zar(Ma_.addDays(elobbZart), 4400, "Kovács Anna");
        const int elotte = darab("zaras");
        try {
            Zaras::Zar(Ma_.addDays(nap), szamolt, "Kiss Béla",
                       qIsNaN(megerositett) ? std::nullopt : std::optional<double>(megerositett));
            QFAIL("the close was recorded");
        } catch (const AdatbazisHiba& e) {
            QCOMPARE(e.uzenet(), uzenet);
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        QCOMPARE(darab("zaras"), elotte);
    }

    // An entry typed by hand on or before the last closed day is refused
    // (the clock set back included) and nothing is written; on a later day
    // it is taken.
    void keziTetelZartNapon_data()
    {
        QTest::addColumn<int>("ora");   // the clock's day, from the closed day
        QTest::addColumn<QString>("uzenet");   // empty: accepted
        QTest::newRow("a zárt napon") << 0
                                      << "A 2026. 03. 14. nap pénztára már le van zárva (napi zárás): erre a napra kézi "
                                         "tétel nem rögzíthető. A tétel nem lett rögzítve.";
        QTest::newRow("visszaállított óra") << -3
                                            << "A pénztár 2026. 03. 14. napig le van zárva (napi zárás): 2026. 03. 11. "
                                               "dátummal kézi tétel nem rögzíthető. A tétel nem lett rögzítve.";
        QTest::newRow("másnap") << 1 << "";
    }
    void keziTetelZartNapon()
    {
        QFETCH(int, ora);
        QFETCH(QString, uzenet);
        konyv();
        Zaras::Zar(Ma_, 4400, "Kovács Anna");
        OraBeallit(QDateTime(Ma_.addDays(ora), QTime(9, 0)));
        const int elotte = darab("cassa");
        QString kapott;
        try {
            Cassa::KeziTetel("E", 1, 250);
        } catch (const AdatbazisHiba& e) {
            kapott = e.uzenet();
        }
        QCOMPARE(kapott, uzenet);
        QVERIFY(!Adatbazis::tranzakcioban());
        if (!uzenet.isEmpty()) {
            QCOMPARE(darab("cassa"), elotte);
            return;
        }
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT cassatip, datum, osszeg, penzvan FROM cassa ORDER BY cassa DESC LIMIT 1"),
                 QStringList{"E|2026-03-15|250|4650"});
        // The next day closes over it, the close before it untouched.
        QCOMPARE(Zaras::Zar(Ma_.addDays(1), 4650, QString()).elteres, 0.0);
        QCOMPARE(Zaras::Keres(Ma_)->vart, 4400.0);
    }

    // The program's own postings after the close still go through: the
    // closed day's report shows them apart from what was closed, and the
    // next day's expected cash carries them.
    void automatikusKonyvelesZarasUtan()
    {
        konyv();
        Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev) VALUES (7, 'Kiss Béla')");
        Zaras::Zar(Ma_, 4400, "Kovács Anna");
        Tagdij::Fizet(1, 3, 1500);
        const Zaras::Jelentes j = *Zaras::Keres(Ma_);
        QCOMPARE(j.vart, 4400.0);
        QCOMPARE(j.zaro, 5900.0);
        QCOMPARE(j.zarasUtan, 1500.0);
        QVERIFY(tipusok(j).contains("T Tagdíj 2 4300"));
        QCOMPARE(Zaras::Vart(Ma_.addDays(1)), 5900.0);
    }

    // A close killed at any moment leaves the whole close or none: every
    // row complete and agreeing with the cash book, one a day, and no entry
    // typed by hand on a closed day.
    void megoltZaras()
    {
        Adatbazis::vegrehajt("DELETE FROM cassa");
        Adatbazis::zar();
        QRandomGenerator rnd(4343);
        int megolve = 0;
        for (int kor = 0; kor < 25; ++kor) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p.start(QCoreApplication::applicationFilePath(), {"--munkas", m_t->adatMappa(), QString::number(rnd.generate())});
            QVERIFY(p.waitForStarted());
            QThread::msleep(rnd.bounded(5, 300));
            if (p.state() == QProcess::Running) {
                p.kill();
                ++megolve;
            }
            p.waitForFinished();
            QVERIFY2(p.exitStatus() == QProcess::CrashExit, "the worker stopped by itself");

            m_t->nyit();
            QCOMPARE(Adatbazis::ertek("PRAGMA integrity_check").toString(), QString("ok"));
            QSqlQuery q = Adatbazis::vegrehajt("SELECT datum, ido, vart, szamolt, elteres, felhasznalo FROM zaras ORDER BY zaras");
            QDate elozo;
            while (q.next()) {
                const QDate nap = QDate::fromString(q.value(0).toString(), Qt::ISODate);
                const QString hol = q.value(0).toString();
                QVERIFY2(nap.isValid() && (!elozo.isValid() || nap == elozo.addDays(1)), qPrintable(hol));
                QCOMPARE(q.value(1).toString(), QString("20:00:00"));
                QCOMPARE(q.value(5).toString(), QString("Munkás"));
                const double vart = q.value(2).toDouble();
                QCOMPARE(vart, Zaras::Vart(nap));
                QCOMPARE(q.value(3).toDouble(), vart + szamoltElteres(nap));
                QCOMPARE(q.value(4).toDouble(), szamoltElteres(nap));
                elozo = nap;
            }
            q.finish();
            // Nothing was typed on a closed day: every entry after the last close is dated later.
            if (elozo.isValid()) {
                const double zart = Adatbazis::ertek("SELECT vart FROM zaras ORDER BY zaras DESC LIMIT 1").toDouble();
                QCOMPARE(VarValos(Adatbazis::ertek("SELECT TOTAL(osszeg) FROM cassa WHERE datum <= ?", {elozo})), zart);
            }
            QCOMPARE(VarValos(Adatbazis::ertek("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1")),
                     VarValos(Adatbazis::ertek("SELECT TOTAL(osszeg) FROM cassa")));
            Adatbazis::zar();
        }
        QVERIFY(megolve > 20);
        m_t->nyit();
        QVERIFY2(darab("zaras") > 10, "the workers closed days between the kills");
    }
};

int main(int argc, char** argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--munkas") == 0) {
        QCoreApplication app(argc, argv);
        TesztKornyezet();
        return munkas(QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]).toUInt());
    }
    QCoreApplication app(argc, argv);
    TstZaras t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_zaras.moc"

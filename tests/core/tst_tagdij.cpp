// The membership fee without a window: the expiry a payment gives, the
// dialog's texts of the fees, and that the customer's row and the cash row
// are stored together or not at all.
#include "core/customers/tagdij.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "tests/core/tesztmag.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <limits>

namespace {

int ugyfel(int azon, const QVariant& dijfizetve)
{
    QSqlQuery q = Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, dijfizetve, torolve) VALUES (?, ?, ?, 'N')",
                                       {azon, QStringLiteral("Ügyfél %1").arg(azon), dijfizetve});
    return q.lastInsertId().toInt();
}

// A cash row as a manual entry would leave it, to start the running balance from.
void cassaSor(double osszeg, double penzvan)
{
    Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, osszeg, penzvan) VALUES ('K', '2026-01-05', ?, ?)",
                         {osszeg, penzvan});
}

const char* const UgyfelSql = "SELECT ugyfel, azon, ugyfel_nev, dijfizetve, torolve FROM ugyfel ORDER BY ugyfel";
const char* const CassaSql = "SELECT cassa, cassatip, datum, ugyfel, osszeg, penzvan, idoszak FROM cassa ORDER BY cassa";

} // namespace

class TstTagdij : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;

    QStringList ugyfelek() const { return Lemezen(m_t->adatMappa(), UgyfelSql); }
    QStringList cassa() const { return Lemezen(m_t->adatMappa(), CassaSql); }

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        OraBeallit(TesztMost);
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
        TBeall.dijnegyed = 1500;
        TBeall.dijfel = 2800;
        TBeall.dijev = 5000.5;
    }
    void cleanup()
    {
        m_t.reset();
        OraBeallit(TesztMost);
    }

    // The day of payment plus the period's calendar months, whatever the
    // old expiry; the shorter month's last day where the day is missing.
    // The cash row beside it: "T", the customer, the fee unchanged, the
    // balance after it, the month key of the day.
    void fizetes_data()
    {
        QTest::addColumn<QDate>("ma");
        QTest::addColumn<int>("idoszak");
        QTest::addColumn<QVariant>("regi");      // the old expiry
        QTest::addColumn<QVariant>("elozo");     // the last cash balance; none: empty book
        QTest::addColumn<QDate>("vart");
        QTest::addColumn<QString>("cassaVart");   // osszeg|penzvan|idoszak
        QTest::newRow("máj 15 + 3: aug 15, régi lejárat későbbi")
            << QDate(2026, 5, 15) << 0 << QVariant(QDate(2027, 1, 1)) << QVariant() << QDate(2026, 8, 15)
            << "1500|1500|202605";
        QTest::newRow("máj 15 + 3, régóta lejárt")
            << QDate(2026, 5, 15) << 0 << QVariant(QDate(2020, 2, 3)) << QVariant(12345.5) << QDate(2026, 8, 15)
            << "1500|13845.5|202605";
        QTest::newRow("nov 30 + 3: feb 28, nem szökőév")
            << QDate(2025, 11, 30) << 0 << QVariant() << QVariant(-200.0) << QDate(2026, 2, 28) << "1500|1300|202511";
        QTest::newRow("nov 30 + 3: feb 29, szökőév")
            << QDate(2027, 11, 30) << 0 << QVariant(QDate(2027, 11, 30)) << QVariant() << QDate(2028, 2, 29)
            << "1500|1500|202711";
        QTest::newRow("aug 31 + 6: feb 28") << QDate(2026, 8, 31) << 1 << QVariant() << QVariant(100.25)
                                           << QDate(2027, 2, 28) << "2800|2900.25|202608";
        QTest::newRow("aug 31 + 6: feb 29, szökőév") << QDate(2027, 8, 31) << 1 << QVariant() << QVariant()
                                                    << QDate(2028, 2, 29) << "2800|2800|202708";
        QTest::newRow("márc 31 + 6: szept 30") << QDate(2026, 3, 31) << 1 << QVariant() << QVariant()
                                              << QDate(2026, 9, 30) << "2800|2800|202603";
        QTest::newRow("feb 29 + 12: feb 28") << QDate(2028, 2, 29) << 2 << QVariant(QDate(2028, 3, 1)) << QVariant()
                                            << QDate(2029, 2, 28) << "5000.5|5000.5|202802";
        QTest::newRow("dec 31 + 12: évforduló") << QDate(2026, 12, 31) << 2 << QVariant() << QVariant(0.5)
                                               << QDate(2027, 12, 31) << "5000.5|5001|202612";
        QTest::newRow("nov 15 + 3: jövő év") << QDate(2026, 11, 15) << 0 << QVariant() << QVariant()
                                            << QDate(2027, 2, 15) << "1500|1500|202611";
    }
    void fizetes()
    {
        QFETCH(QDate, ma);
        QFETCH(int, idoszak);
        QFETCH(QVariant, regi);
        QFETCH(QVariant, elozo);
        QFETCH(QDate, vart);
        QFETCH(QString, cassaVart);
        OraBeallit(QDateTime(ma, QTime(18, 45, 10)));
        const int masik = ugyfel(1, QDate(2026, 1, 1));
        const int u = ugyfel(2, regi);
        if (elozo.isValid()) cassaSor(elozo.toDouble(), elozo.toDouble());
        const int elotte = cassa().size();

        QCOMPARE(Tagdij::Fizet(u, Tagdij::Honapok(idoszak), Tagdij::Osszeg(idoszak)), vart);

        // On the disk as the call returns, both of them.
        const QStringList uf = ugyfelek();
        QCOMPARE(uf.size(), 2);
        QCOMPARE(uf.at(1), QStringLiteral("%1|2|Ügyfél 2|%2|N").arg(u).arg(vart.toString(Qt::ISODate)));
        QCOMPARE(uf.at(0), QStringLiteral("%1|1|Ügyfél 1|2026-01-01|N").arg(masik));   // no one else's
        const QStringList k = cassa();
        QCOMPARE(k.size(), elotte + 1);
        const QStringList sor = k.last().split('|');
        QCOMPARE(sor.mid(1, 3), (QStringList{"T", ma.toString(Qt::ISODate), QString::number(u)}));
        QCOMPARE(sor.mid(4).join('|'), cassaVart);
    }

    void honapok()
    {
        QCOMPARE(Tagdij::Honapok(0), 3);
        QCOMPARE(Tagdij::Honapok(1), 6);
        QCOMPARE(Tagdij::Honapok(2), 12);
        QCOMPARE(Tagdij::Honapok(3), 0);
        QCOMPARE(Tagdij::Honapok(-1), 0);
    }

    // Paying again the same day counts from today again: today + 6, not + 12,
    // and each payment is a cash row of its own.
    void ketszerUgyanaznap()
    {
        const int u = ugyfel(1, QDate(2026, 3, 1));
        Tagdij::Fizet(u, Tagdij::Honapok(1), Tagdij::Osszeg(1));
        Tagdij::Fizet(u, Tagdij::Honapok(1), Tagdij::Osszeg(1));
        QCOMPARE(ugyfelek(), QStringList(QStringLiteral("%1|1|Ügyfél 1|2026-09-14|N").arg(u)));
        QCOMPARE(cassa(), (QStringList{QStringLiteral("1|T|2026-03-14|%1|2800|2800|202603").arg(u),
                                        QStringLiteral("2|T|2026-03-14|%1|2800|5600|202603").arg(u)}));
    }

    // Fees of 0: a cash row of 0 all the same, the balance as it was.
    void nullaDij()
    {
        TBeall = TBeallRekord{};
        const int u = ugyfel(1, QVariant());
        cassaSor(700, 700);
        for (int i = 0; i < Tagdij::IdoszakSzam; ++i) QCOMPARE(Tagdij::Osszeg(i), 0.0);
        Tagdij::Fizet(u, Tagdij::Honapok(2), Tagdij::Osszeg(2));
        QCOMPARE(cassa().last(), QStringLiteral("2|T|2026-03-14|%1|0|700|202603").arg(u));
        QCOMPARE(ugyfelek().first().section('|', 3, 3), QString("2027-03-14"));
    }

    // A refused payment says why and stores nothing: neither the expiry
    // (already written in the transaction when the cash row fails) nor a
    // cash row.
    void elutasitva_data()
    {
        QTest::addColumn<QString>("eset");
        QTest::addColumn<QString>("uzenet");   // what the refusal must say
        QTest::newRow("összeg a pénzhatáron túl") << "osszeg" << QString::fromUtf8(NemMegfeleloErtek);
        QTest::newRow("egyenleg a pénzhatáron túl") << "egyenleg" << QString::fromUtf8(NemMegfeleloErtek);
        QTest::newRow("nem szám összeg") << "nan" << QString::fromUtf8(NemMegfeleloErtek);
        QTest::newRow("a pénztár sort a motor utasítja el") << "cassa_trigger" << "a pénztár zárva";
        QTest::newRow("az ügyfél sort a motor utasítja el") << "ugyfel_trigger" << "az ügyfél zárolva";
        QTest::newRow("az ügyfél már nincs meg") << "torolt" << "Az ügyfél már nem létezik.";
        QTest::newRow("nincs ügyfél kulcs") << "ures_kulcs" << "Az ügyfél már nem létezik.";
    }
    void elutasitva()
    {
        QFETCH(QString, eset);
        QFETCH(QString, uzenet);
        int u = ugyfel(1, QDate(2026, 1, 20));
        ugyfel(2, QDate(2026, 5, 1));
        cassaSor(100, eset == "egyenleg" ? PenzHatar - 1000 : 100);
        double osszeg = 1500;
        QVariant kulcs = u;
        if (eset == "osszeg") osszeg = 2 * PenzHatar;
        if (eset == "nan") osszeg = std::numeric_limits<double>::quiet_NaN();
        if (eset == "cassa_trigger")
            Adatbazis::vegrehajt("CREATE TEMP TRIGGER zar BEFORE INSERT ON cassa BEGIN "
                                 "SELECT RAISE(ABORT, 'a pénztár zárva'); END");
        if (eset == "ugyfel_trigger")
            Adatbazis::vegrehajt("CREATE TEMP TRIGGER zar BEFORE UPDATE ON ugyfel BEGIN "
                                 "SELECT RAISE(ABORT, 'az ügyfél zárolva'); END");
        if (eset == "torolt") Adatbazis::vegrehajt("DELETE FROM ugyfel WHERE ugyfel = ?", {u});
        if (eset == "ures_kulcs") kulcs = QVariant();
        const QStringList ugyfelElotte = ugyfelek(), cassaElotte = cassa();

        try {
            Tagdij::Fizet(kulcs, Tagdij::Honapok(0), osszeg);
            QFAIL("a fizetés nem utasíttatott el");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains(uzenet), qPrintable(e.uzenet()));
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        QCOMPARE(ugyfelek(), ugyfelElotte);
        QCOMPARE(cassa(), cassaElotte);

        // Nothing is left half-done for the next payment either.
        Adatbazis::vegrehajt("DROP TRIGGER IF EXISTS temp.zar");
        if (eset == "torolt" || eset == "ures_kulcs") u = ugyfel(3, QVariant());
        Tagdij::Fizet(u, Tagdij::Honapok(0), 500);
        QCOMPARE(cassa().size(), cassaElotte.size() + 1);
    }

    // Part of a larger operation, the payment is stored with it or not at all.
    void kulsoTranzakcioban()
    {
        const int u = ugyfel(1, QDate(2026, 1, 20));
        const QStringList ugyfelElotte = ugyfelek();
        {
            Adatbazis::Tranzakcio t;
            Tagdij::Fizet(u, Tagdij::Honapok(0), 1500);
        }
        QCOMPARE(ugyfelek(), ugyfelElotte);
        QVERIFY(cassa().isEmpty());
    }

    // The dialog's choices: the fee in its shortest plain form, no grouping,
    // the Hungarian decimal comma, and ".-" after it.
    void feliratok_data()
    {
        QTest::addColumn<double>("negyed");
        QTest::addColumn<double>("fel");
        QTest::addColumn<double>("ev");
        QTest::addColumn<QStringList>("vart");
        QTest::newRow("egészek") << 1500.0 << 2800.0 << 5000.0
                                 << QStringList{"Negyedéves: 1500.-", "Féléves: 2800.-", "Teljes évre: 5000.-"};
        QTest::newRow("nullák") << 0.0 << -0.0 << 0.0
                                << QStringList{"Negyedéves: 0.-", "Féléves: 0.-", "Teljes évre: 0.-"};
        QTest::newRow("tizedesek") << 1500.5 << 0.1 << 2999.99
                                   << QStringList{"Negyedéves: 1500,5.-", "Féléves: 0,1.-", "Teljes évre: 2999,99.-"};
        QTest::newRow("nagyok, csoportosítás és kitevő nélkül")
            << 1234567.0 << 1e12 << 98765432.25
            << QStringList{"Negyedéves: 1234567.-", "Féléves: 1000000000000.-", "Teljes évre: 98765432,25.-"};
    }
    void feliratok()
    {
        QFETCH(double, negyed);
        QFETCH(double, fel);
        QFETCH(double, ev);
        QFETCH(QStringList, vart);
        TBeall.dijnegyed = negyed;
        TBeall.dijfel = fel;
        TBeall.dijev = ev;
        QStringList l;
        for (int i = 0; i < Tagdij::IdoszakSzam; ++i) l << Tagdij::Felirat(i);
        QCOMPARE(l, vart);
        QCOMPARE(Tagdij::Osszeg(0), negyed);
        QCOMPARE(Tagdij::Osszeg(2), ev);
    }
};

QTEST_GUILESS_MAIN(TstTagdij)
#include "tst_tagdij.moc"

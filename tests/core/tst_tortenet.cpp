// The rental history of a customer or an item as lendings write it: the
// grid's keyed list and the report's query must both show it, oldest first.
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/rental/kolcsonzes.h"
#include "core/rental/tortenet.h"
#include "tests/core/tesztmag.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

// Items 1..4 in the shop and three customers; names chosen so that neither
// name order nor code order is the key order.
void alap()
{
    const QVariantList t[] = {{1, 40, 3, "Vuk"}, {2, 30, 1, "Mátrix"}, {3, 20, 2, "Cápa"}, {4, 10, 3, "Ábel"}};
    for (const QVariantList& v : t)
        Adatbazis::vegrehajt("INSERT INTO video (video, azon, arkat, video_nev, tipus, kint, torolve, ugyfel) "
                             "VALUES (?, ?, ?, ?, 1, 'N', 'N', 0)", v);
    Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel, azon, ugyfel_nev, torolve) VALUES "
                         "(1, 1, 'Kiss Anna', 'N'), (2, 2, 'Nagy Béla', 'N'), (3, 3, 'Őri Ödön', 'N')");
}

// A rental of `videok` to the customer on day `nap`, taken back at once.
void kolcsonoz(int ugyfel, const QList<int>& videok, const QDate& nap)
{
    OraBeallit(QDateTime(nap, QTime(10, 0)));
    const QString nev = Adatbazis::ertek("SELECT ugyfel_nev FROM ugyfel WHERE ugyfel = ?", {ugyfel}).toString();
    Kolcsonzes k(ugyfel, nev, 1, 24);
    for (int v : videok) QVERIFY(k.hozzaad(v));
    k.befejez();
    Visszavetel(ugyfel, nev).befejez();
}

// Each row as "date|customer|item"; a missing name reads as empty.
QString sorSzoveg(const QVariant& datum, const QVariant& ugyfelNev, const QVariant& videoNev)
{
    return datum.toDate().toString(Qt::ISODate) + '|' + VarSzoveg(ugyfelNev) + '|' + VarSzoveg(videoNev);
}

QStringList listaSorai(TortenetMod mod, qint64 kulcs)
{
    KulcsosLista l = Tortenet::Lista(mod, kulcs);
    l.betolt();
    QStringList s;
    qint64 elozo = -1;
    for (int i = 0; i < l.sorok(); ++i) {
        // Oldest lending first: the keys ascend.
        const qint64 k = l.ertek(i, "ugyfel_video").toLongLong();
        if (k <= elozo) s << QStringLiteral("kulcs nem nő: %1").arg(k);
        elozo = k;
        s << sorSzoveg(l.ertek(i, "datum"), l.ertek(i, "ugyfel_nev"), l.ertek(i, "video_nev"));
    }
    return s;
}

QStringList lekerdezesSorai(TortenetMod mod, qint64 kulcs)
{
    QSqlQuery q = Adatbazis::vegrehajt(Tortenet::Lekerdezes(mod, kulcs));
    QStringList s;
    while (q.next()) s << sorSzoveg(Sema::ertekbe(Sema::Tipus::Datum, q.value("datum")), q.value("ugyfel_nev"), q.value("video_nev"));
    return s;
}

} // namespace

class TstTortenet : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;
private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
        alap();
        TBeall.elorefizet = false;
        // Item 2 lent three times, to two customers; item 3 with 4 and 1 in
        // one rental (written in key order: 1, 3, 4); a customer deleted.
        kolcsonoz(2, {2}, QDate(2026, 1, 5));
        kolcsonoz(1, {2}, QDate(2026, 2, 7));
        kolcsonoz(2, {4, 1, 3}, QDate(2026, 2, 20));
        kolcsonoz(3, {2}, QDate(2026, 3, 1));
        kolcsonoz(3, {4}, QDate(2026, 3, 2));
        Adatbazis::vegrehajt("DELETE FROM ugyfel WHERE ugyfel = 3");
        Adatbazis::vegrehajt("DELETE FROM video WHERE video = 4");
    }
    void cleanup()
    {
        m_t.reset();
        OraBeallit(TesztMost);
    }

    void sorok_data()
    {
        QTest::addColumn<TortenetMod>("mod");
        QTest::addColumn<qint64>("kulcs");
        QTest::addColumn<QStringList>("vart");
        // Oldest first, each with the customer of that lending; the deleted
        // customer's lending still listed, with an empty name.
        QTest::newRow("tétel, háromszor kiadva, egy ügyfél törölve")
            << TortenetMod::Tetel << qint64(2)
            << QStringList{"2026-01-05|Nagy Béla|Mátrix", "2026-02-07|Kiss Anna|Mátrix",
                           "2026-03-01||Mátrix"};
        // One rental's items as separate rows of one date, in the order it
        // wrote them (key order, not the order added nor by name).
        QTest::newRow("ügyfél, egy kölcsönzés három tétele")
            << TortenetMod::Ugyfel << qint64(2)
            << QStringList{"2026-01-05|Nagy Béla|Mátrix", "2026-02-20|Nagy Béla|Vuk", "2026-02-20|Nagy Béla|Cápa",
                           "2026-02-20|Nagy Béla|"};
        QTest::newRow("törölt ügyfél saját története") << TortenetMod::Ugyfel << qint64(3)
                                                       << QStringList{"2026-03-01||Mátrix", "2026-03-02||"};
        QTest::newRow("törölt tétel") << TortenetMod::Tetel << qint64(4)
                                      << QStringList{"2026-02-20|Nagy Béla|", "2026-03-02||"};
        QTest::newRow("tétel, egyszer kiadva") << TortenetMod::Tetel << qint64(1)
                                               << QStringList{"2026-02-20|Nagy Béla|Vuk"};
        QTest::newRow("ügyfél, aki sosem kölcsönzött") << TortenetMod::Ugyfel << qint64(99) << QStringList{};
        QTest::newRow("tétel, amit sosem adtak ki") << TortenetMod::Tetel << qint64(99) << QStringList{};
    }
    // The grid's list and the report's query show the same rows.
    void sorok()
    {
        QFETCH(TortenetMod, mod);
        QFETCH(qint64, kulcs);
        QFETCH(QStringList, vart);
        QCOMPARE(listaSorai(mod, kulcs), vart);
        QCOMPARE(lekerdezesSorai(mod, kulcs), vart);
    }

    // However busy the customer or item, its rows come from the history
    // index in key order: no scan of the table, no sort.
    void indexesSorrend_data()
    {
        QTest::addColumn<TortenetMod>("mod");
        QTest::addColumn<QString>("index");
        QTest::newRow("ügyfél") << TortenetMod::Ugyfel << "ugyfel_video_ugyfel";
        QTest::newRow("tétel") << TortenetMod::Tetel << "ugyfel_video_video";
    }
    void indexesSorrend()
    {
        QFETCH(TortenetMod, mod);
        QFETCH(QString, index);
        const QString terv = LekerdezesiTerv(Tortenet::Lekerdezes(mod, 2));
        QVERIFY2(terv.contains("SEARCH ugyfel_video USING INDEX " + index) || terv.contains("SEARCH ugyfel_video USING COVERING INDEX " + index),
                 qPrintable(terv));
        QVERIFY2(!terv.contains("TEMP B-TREE") && !terv.contains("SCAN"), qPrintable(terv));
    }
};

QTEST_GUILESS_MAIN(TstTortenet)
#include "tst_tortenet.moc"

// The printed item lists, written to PDF and read back: the heading, the
// owner, the column headings, a group per item type with its own count, the
// footer on every page, and which items each list selects.
#include "core/data/adatbazis.h"
#include "core/data/ora.h"
#include "print/reports/tqrlista.h"
#include "tests/print/tesztparbeszed.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TetelLista)

namespace {

// The shop's stock for every case: VHS (type 1), DVD (type 2) and one item
// of a type that is no longer in the type list. Today is 2026-03-14 15:30.
void Keszlet()
{
    Adatbazis::Tranzakcio tr;
    Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev) VALUES (1, 'Erdős-Hegedűs Őzike'), (2, 'Kiss Péter')");
    const char* const sql =
        "INSERT INTO video (azon, tipus, arkat, mufaj, video_nev, szoveg, kint, torolve, ugyfel, ar, dat_kiadva, "
        "ido_kiadva, dat_visszakell, ido_visszakell, kolcsonozve) VALUES (?, ?, 2, 3, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    const QVariant n;
    const QVariantList sorok[] = {
        {1, 2, "Mátrix", "első példány", "N", "N", n, n, n, n, n, n, 5},
        // Due yesterday: overdue.
        {2, 1, "Üvegtigris", "", "I", "N", 1, 750.0, "2026-03-12", "10:00:00", "2026-03-13", "10:00:00", 12},
        // Due this morning: out, but not yet on the overdue list.
        {3, 2, "Őrült nők ketrece", "", "I", "N", 1, 1450.0, "2026-03-13", "09:00:00", "2026-03-14", "09:00:00", 3},
        {4, 99, "Árvíztűrő tükörfúrógép", "", "N", "N", n, n, n, n, n, n, 0},
        {5, 1, "Casablanca", "selejtezve", "N", "I", n, n, n, n, n, n, 7},
        {6, 1, "Ábel a rengetegben", "", "I", "N", 2, 450.0, "2026-03-14", "12:05:00", "2026-03-15", "12:05:00", 1},
    };
    for (const QVariantList& s : sorok) Adatbazis::vegrehajt(QString::fromLatin1(sql), s);
    tr.jovahagy();
}

const QStringList OszlopNevek = {"video", "azon", "tipus", "tipus_nev", "arkat", "arkat_nev", "video_nev",
                                 "szoveg", "ugyfel", "ugyfel_nev", "fiztip", "fiztip_nev", "dat_kiadva",
                                 "ido_kiadva", "dat_visszakell", "ido_visszakell", "dat_vissza", "ido_vissza",
                                 "ar", "kint", "torolve", "dat_besz", "dat_selejt", "kolcsid", "kolcsonozve",
                                 "mufaj", "mufaj_nev"};

} // namespace

class TstListaJelentes : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;
    int m_n = 0;

    QStringList nyomtat(TqrListaAlap& qr)
    {
        const QString fajl = m_dir.filePath(QStringLiteral("lista%1.pdf").arg(++m_n));
        qr.megnyit();
        QString hiba;
        if (!qr.pdfbe(fajl, &hiba)) qWarning("%s", qPrintable(hiba));
        return PdfOldalak(fajl);
    }
    QStringList nyomtat(TetelLista l) { return nyomtat(*TetelListaJelentes(l)); }

    // The lines between the column headings and the footer of a page.
    static QStringList torzs(const QString& oldal, const QString& oszlopfej)
    {
        const QStringList s = PdfSorok(oldal);
        const int elso = s.indexOf(oszlopfej);
        if (elso < 0) return {QStringLiteral("nincs oszlopfej: ") + s.join('|')};
        return s.mid(elso + 1, s.size() - elso - 1 - 3);
    }

    // What every page carries: heading and owner, column headings, the
    // footer with the page number, the title and the report's name.
    static void keret(const QString& oldal, int szam, const QString& fejcim, const QString& oszlopfej,
                      const QString& cim, const QString& nev, const QString& alcim = {})
    {
        const QStringList s = PdfSorok(oldal);
        const int o = s.indexOf(oszlopfej);
        QVERIFY2(o >= 0, qPrintable(s.join('|')));
        // The owner's name stands a little higher than the heading.
        QCOMPARE(s.mid(0, o).join(' '), QStringLiteral("Mozimánia Videotéka %1 Budapest Dózsa György út 12. %2%3")
                                            .arg(fejcim, alcim.isEmpty() ? QString() : alcim + ' ', "06-1-234-5678"));
        const QStringList lab = s.mid(s.size() - 3);
        QVERIFY2(lab.value(0).contains(QRegularExpression("^Kazettora .*15:30:00$")), qPrintable(lab.join('|')));
        QCOMPARE(lab.value(1), cim);
        QCOMPARE(lab.value(2), QStringLiteral("oldal: %1 www.kazettora.hu %2").arg(szam).arg(nev));
    }

    static QList<int> kodok(const TqrListaAlap& qr)
    {
        QSqlQuery q = Adatbazis::vegrehajt(qr.sql(), qr.parameterek());
        QList<int> l;
        while (q.next()) l << q.value("azon").toInt();
        return l;
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
    }
    void cleanup() { m_t.reset(); }

    // Each list: its heading, columns and title, the items it selects in
    // its order, a group per type (the missing type under an empty name)
    // and the count of each group.
    void tartalom_data()
    {
        QTest::addColumn<TetelLista>("lista");
        QTest::addColumn<QString>("fejcim");
        QTest::addColumn<QString>("oszlopfej");
        QTest::addColumn<QString>("cim");
        QTest::addColumn<QString>("nev");
        QTest::addColumn<QStringList>("sorok");
        const QString kod = "kód megnevezés árkat műfaj ";
        QTest::newRow("teljes") << TetelLista::Teljes << "Teljes lista" << kod + "kiadva szöveg" << "Lista nyomtatás"
                                << "qrLista"
                                << QStringList{"VHS",
                                               "2 Üvegtigris Normál Dráma I",
                                               "5 Casablanca Normál Dráma N selejtezve",
                                               "6 Ábel a rengetegben Normál Dráma I",
                                               "Összesen 3 tétel",
                                               "DVD",
                                               "1 Mátrix Normál Dráma N első példány",
                                               "3 Őrült nők ketrece Normál Dráma I",
                                               "Összesen 2 tétel",
                                               "4 Árvíztűrő tükörfúrógép Normál Dráma N",
                                               "Összesen 1 tétel"};
        const QString kiadottFej = "kód megnevezés ügyfél ár dat.kiadva idő dat.várható idő";
        QTest::newRow("kiadott") << TetelLista::Kiadott << "Kiadott tételek" << kiadottFej << "Kiadott tételek"
                                 << "qrLista2"
                                 << QStringList{"VHS",
                                                "2 Üvegtigris Erdős-Hegedűs Őzike 750 2026.03.12 10:00 2026.03.13 10:00",
                                                "6 Ábel a rengetegben Kiss Péter 450 2026.03.14 12:05 2026.03.15 12:05",
                                                "Összesen 2 tétel",
                                                "DVD",
                                                "3 Őrült nők ketrece Erdős-Hegedűs Őzike 1 450 2026.03.13 09:00 2026.03.14 09:00",
                                                "Összesen 1 tétel"};
        QTest::newRow("lejárt") << TetelLista::KiadottLejart << "Kiadott tételek" << kiadottFej << "Kiadott tételek"
                                << "qrLista2"
                                << QStringList{"VHS",
                                               "2 Üvegtigris Erdős-Hegedűs Őzike 750 2026.03.12 10:00 2026.03.13 10:00",
                                               "Összesen 1 tétel"};
        QTest::newRow("bentlévő") << TetelLista::Bentlevo << "Bentlévő tételek" << kod + "szöveg" << "Bentlévő tételek"
                                  << "qrLista3"
                                  << QStringList{"DVD", "1 Mátrix Normál Dráma első példány", "Összesen 1 tétel",
                                                 "4 Árvíztűrő tükörfúrógép Normál Dráma", "Összesen 1 tétel"};
        QTest::newRow("kölcsönzések") << TetelLista::Kolcsonzesek << "Teljes lista" << kod + "kölcsönzések"
                                      << "Lista nyomtatás" << "qrLista4"
                                      << QStringList{"VHS",
                                                     "2 Üvegtigris Normál Dráma 12",
                                                     "5 Casablanca Normál Dráma 7",
                                                     "6 Ábel a rengetegben Normál Dráma 1",
                                                     "Összesen 3 tétel",
                                                     "DVD",
                                                     "1 Mátrix Normál Dráma 5",
                                                     "3 Őrült nők ketrece Normál Dráma 3",
                                                     "Összesen 2 tétel",
                                                     "4 Árvíztűrő tükörfúrógép Normál Dráma 0",
                                                     "Összesen 1 tétel"};
    }
    void tartalom()
    {
        QFETCH(TetelLista, lista);
        QFETCH(QString, fejcim);
        QFETCH(QString, oszlopfej);
        QFETCH(QString, cim);
        QFETCH(QString, nev);
        QFETCH(QStringList, sorok);
        Keszlet();
        const QStringList o = nyomtat(lista);
        QCOMPARE(o.size(), 1);
        keret(o[0], 1, fejcim, oszlopfej, cim, nev,
              lista == TetelLista::KiadottLejart ? QStringLiteral("1 napja lejártak") : QString());
        QCOMPARE(torzs(o[0], oszlopfej), sorok);
    }

    // With nothing to list, each list still prints its one page: header,
    // column headings and footer, and no group.
    void ures_data()
    {
        QTest::addColumn<TetelLista>("lista");
        QTest::addColumn<QString>("fejcim");
        QTest::addColumn<QString>("oszlopfej");
        QTest::addColumn<QString>("cim");
        QTest::addColumn<QString>("nev");
        QTest::newRow("teljes") << TetelLista::Teljes << "Teljes lista" << "kód megnevezés árkat műfaj kiadva szöveg"
                                << "Lista nyomtatás" << "qrLista";
        QTest::newRow("kiadott") << TetelLista::Kiadott << "Kiadott tételek"
                                 << "kód megnevezés ügyfél ár dat.kiadva idő dat.várható idő" << "Kiadott tételek"
                                 << "qrLista2";
        QTest::newRow("bentlévő") << TetelLista::Bentlevo << "Bentlévő tételek" << "kód megnevezés árkat műfaj szöveg"
                                  << "Bentlévő tételek" << "qrLista3";
        QTest::newRow("kölcsönzések") << TetelLista::Kolcsonzesek << "Teljes lista"
                                      << "kód megnevezés árkat műfaj kölcsönzések" << "Lista nyomtatás" << "qrLista4";
    }
    void ures()
    {
        QFETCH(TetelLista, lista);
        QFETCH(QString, fejcim);
        QFETCH(QString, oszlopfej);
        QFETCH(QString, cim);
        QFETCH(QString, nev);
        const QStringList o = nyomtat(lista);
        QCOMPARE(o.size(), 1);
        keret(o[0], 1, fejcim, oszlopfej, cim, nev);
        QCOMPARE(torzs(o[0], oszlopfej), QStringList());
    }

    // The overdue list goes by the day alone: an item is late from the day
    // after its due day, whatever the hour; the list of items out takes
    // every item out that is not deleted.
    void lejart_data()
    {
        QTest::addColumn<QString>("nap");
        QTest::addColumn<QString>("ora");
        QTest::addColumn<bool>("lejart");
        QTest::newRow("tegnap késő este") << "2026-03-13" << "23:59:00" << true;
        QTest::newRow("régen") << "2025-12-31" << "10:00:00" << true;
        QTest::newRow("ma éjfélkor") << "2026-03-14" << "00:00:00" << false;
        QTest::newRow("ma, elmúlt órában") << "2026-03-14" << "15:00:00" << false;
        QTest::newRow("holnap") << "2026-03-15" << "08:00:00" << false;
    }
    void lejart()
    {
        QFETCH(QString, nap);
        QFETCH(QString, ora);
        QFETCH(bool, lejart);
        Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, video_nev, kint, torolve, ugyfel, dat_visszakell, "
                             "ido_visszakell) VALUES (7, 1, 'Kint', 'I', 'N', 1, ?, ?), "
                             "(8, 1, 'Kint, de törölve', 'I', 'I', 1, '2026-01-01', '10:00:00'), "
                             "(9, 1, 'Bent', 'N', 'N', NULL, '2026-01-01', '10:00:00')",
                             {nap, ora});
        QCOMPARE(kodok(*TetelListaJelentes(TetelLista::KiadottLejart)), lejart ? QList<int>{7} : QList<int>{});
        QCOMPARE(kodok(*TetelListaJelentes(TetelLista::Kiadott)), QList<int>{7});
        QCOMPARE(kodok(*TetelListaJelentes(TetelLista::Bentlevo)), QList<int>{9});
    }

    // Every list reads the same 27 columns, in the same order: what its
    // "CSV export" writes.
    void oszlopok_data()
    {
        QTest::addColumn<TetelLista>("lista");
        for (TetelLista l : {TetelLista::Teljes, TetelLista::Kiadott, TetelLista::KiadottLejart, TetelLista::Bentlevo,
                             TetelLista::Kolcsonzesek})
            QTest::addRow("%d", int(l)) << l;
    }
    void oszlopok()
    {
        QFETCH(TetelLista, lista);
        const auto qr = TetelListaJelentes(lista);
        const QSqlRecord r = Adatbazis::vegrehajt(qr->sql(), qr->parameterek()).record();
        QStringList nevek;
        for (int i = 0; i < r.count(); ++i) nevek << r.fieldName(i);
        QCOMPARE(nevek, OszlopNevek);
    }

    // A search's rows in its own order: the heading says so, and a new
    // group starts whenever the type changes, so a type may come again.
    void keresesEredmenye()
    {
        Keszlet();
        TqrLista qr;
        qr.keresesEredmenye(TqrListaAlap::Lekerdezes("WHERE video.torolve = ?", "ORDER BY video.azon"), {"N"});
        QCOMPARE(qr.fejcim(), QString("Keresés eredménye"));
        const QStringList o = nyomtat(qr);
        QCOMPARE(o.size(), 1);
        const QString fej = "kód megnevezés árkat műfaj kiadva szöveg";
        keret(o[0], 1, "Keresés eredménye", fej, "Lista nyomtatás", "qrLista");
        QCOMPARE(torzs(o[0], fej), (QStringList{"DVD", "1 Mátrix Normál Dráma N első példány", "Összesen 1 tétel",
                                                "VHS", "2 Üvegtigris Normál Dráma I", "Összesen 1 tétel",
                                                "DVD", "3 Őrült nők ketrece Normál Dráma I", "Összesen 1 tétel",
                                                "4 Árvíztűrő tükörfúrógép Normál Dráma N", "Összesen 1 tétel",
                                                "VHS", "6 Ábel a rengetegben Normál Dráma I", "Összesen 1 tétel"}));
    }

    // A list longer than a page: every page has its header and footer with
    // its own number, and each group's count covers its items on every page.
    void tobbOldal()
    {
        Adatbazis::Tranzakcio tr;
        for (int i = 1; i <= 150; ++i)
            Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, video_nev, kint, torolve) VALUES (?, ?, ?, 'N', 'N')",
                                 {i, i <= 140 ? 1 : 2, QStringLiteral("Cím %1").arg(i)});
        tr.jovahagy();
        const QStringList o = nyomtat(TetelLista::Teljes);
        QVERIFY(o.size() >= 3);
        const QString fej = "kód megnevezés árkat műfaj kiadva szöveg";
        QStringList osszes;
        for (int i = 0; i < o.size(); ++i) {
            keret(o[i], i + 1, "Teljes lista", fej, "Lista nyomtatás", "qrLista");
            osszes += torzs(o[i], fej);
        }
        QCOMPARE(osszes.filter(QRegularExpression("^\\d+ Cím \\d+ N$")).size(), 150);
        QCOMPARE(osszes.filter("Összesen"), (QStringList{"Összesen 140 tétel", "Összesen 10 tétel"}));
        QCOMPARE(osszes.last(), QString("Összesen 10 tétel"));
    }
};

QTEST_MAIN(TstListaJelentes)
#include "tst_lista_jelentes.moc"

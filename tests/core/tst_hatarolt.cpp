// The delimited-text writer: files compared byte for byte with the expected
// ones (labels, qualifiers, delimiters after every field, CR LF, Windows-1250),
// the values as the lists show them, a stop, an empty list, characters the
// code page has not, and a failure that leaves the old file as it was.
#include "core/app/videotabla.h"
#include "core/reports/hatarolt.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "core/reports/listaexport.h"
#include "core/rental/tortenet.h"
#include "tests/core/tesztmag.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QTime>
#include <QtTest>

using namespace Hatarolt;

namespace {

QByteArray olvas(const QString& fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nincs>");
}

// Windows-1250 bytes written as text: the test's expectations in readable form.
QByteArray w(const char* utf8) { return Cp1250(QString::fromUtf8(utf8)); }

// Items (code, title) in the shop, keys from 1.
void tetelek(const QList<QPair<int, QString>>& t)
{
    int kulcs = 0;
    for (const auto& [azon, cim] : t)
        Adatbazis::vegrehajt("INSERT INTO video (video, azon, video_nev, tipus, arkat, kint, torolve, ugyfel, ar) "
                             "VALUES (?, ?, ?, 1, 2, 'N', 'N', 0, 450)",
                             {++kulcs, azon, cim});
}

// The ticks of the export window for the named fields of the item list.
QVector<bool> csak(const QStringList& nevek)
{
    QVector<bool> k;
    for (const QString& m : VideoTabla::mezok()) k << nevek.contains(m);
    return k;
}

} // namespace

Q_DECLARE_METATYPE(QVector<bool>)

class TstHatarolt : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;
    QTemporaryDir m_dir;
    QString fajl() const { return m_dir.filePath("ki.csv"); }

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
        QFile::remove(fajl());
    }
    void cleanup()
    {
        Adatbazis::zar();
        m_t.reset();
    }

    // The choices of the window against the worked example: two fields, each
    // wrapped in the qualifier and followed by the delimiter, the last one too.
    void formatum_data()
    {
        QTest::addColumn<QString>("elvalaszto");
        QTest::addColumn<QString>("jelolo");
        QTest::addColumn<QVector<bool>>("kijelolt");
        QTest::addColumn<QByteArray>("vart");
        const QVector<bool> ketto = csak({"azon", "video_nev"});
        QTest::newRow("alap") << ";" << "\"" << ketto
                              << w("\"kód\";\"cím\";\r\n\"12\";\"Abc\";\r\n\"7\";\"Édes Öröm\";\r\n");
        QTest::newRow("tabulátor, semmi") << "\t" << "" << ketto << w("kód\tcím\t\r\n12\tAbc\t\r\n7\tÉdes Öröm\t\r\n");
        QTest::newRow("vessző, aposztróf") << "," << "'" << ketto
                                           << w("'kód','cím',\r\n'12','Abc',\r\n'7','Édes Öröm',\r\n");
        QTest::newRow("semmi sincs kijelölve") << ";" << "\"" << QVector<bool>(VideoTabla::mezok().size(), false)
                                               << QByteArray("\r\n\r\n\r\n");
        QTest::newRow("egy mező") << ";" << "\"" << csak({"arkat_nev"})
                                  << w("\"árkat.\";\r\n\"Normál\";\r\n\"Normál\";\r\n");
    }
    void formatum()
    {
        QFETCH(QString, elvalaszto);
        QFETCH(QString, jelolo);
        QFETCH(QVector<bool>, kijelolt);
        QFETCH(QByteArray, vart);
        tetelek({{12, "Abc"}, {7, "Édes Öröm"}});
        VideoTabla t;   // the list in key order: 12 first
        Beallitas b;
        b.elvalaszto = elvalaszto;
        b.jelolo = jelolo;
        b.kijelolt = kijelolt;
        const Eredmeny e = Ir(ListaExport::Tetelek(t.lista()), b, fajl());
        QCOMPARE(olvas(fajl()), vart);
        QCOMPARE(e.sorok, qint64(2));
        QVERIFY(!e.megallitva);
        QCOMPARE(e.csereltErtekek, qint64(0));
    }

    // The header of the item list: every field in the list's order, each by its
    // display label or, without one, by its name.
    void tetelFejlec()
    {
        Ir(ListaExport::TetelekKodSorrendben(), Beallitas{}, fajl());
        QCOMPARE(olvas(fajl()),
                 w("\"video\";\"kód\";\"tipus\";\"típus\";\"arkat\";\"árkat.\";\"cím\";\"szöveg\";\"ugyfel\";\"ügyfél\";"
                   "\"fiztip\";\"fizkat.\";\"kiadva\";\"idő.k\";\"vissza kell\";\"idő.vk\";\"visszaérk\";\"idő.v\";\"ár\";"
                   "\"kint\";\"torolve\";\"besz.dátum\";\"selejt dátum\";\"kolcsid\";\"kölcs.\";\"mufaj\";\"mufaj_nev\";"
                   "\"beszar\";\r\n"));
    }

    // A whole item row: names looked up, dates in the short date format, times
    // in the long time format, money in general format with the decimal comma,
    // an empty field for a null; the list as shown (order and filter).
    void tetelSor()
    {
        Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel, azon, ugyfel_nev, torolve) VALUES (5, 5, 'Kiss Ödön', 'N')");
        Adatbazis::vegrehajt(
            "INSERT INTO video (video, azon, tipus, arkat, video_nev, szoveg, ugyfel, fiztip, dat_kiadva, ido_kiadva, "
            "dat_visszakell, ido_visszakell, ar, kint, torolve, dat_besz, kolcsid, kolcsonozve, mufaj, beszar) VALUES "
            "(9, 42, 2, 1, 'Mátrix', 'Szinkronos; \"új\"', 5, 2, '2026-03-12', '09:05:07', '2026-03-14', '09:05:07', "
            "1990.5, 'I', 'N', '2025-12-01', 3, 17, 6, 3000)");
        tetelek({{1, "Bent"}});
        VideoTabla t;
        t.nyit();
        t.csakKintBeallit(true);
        Ir(ListaExport::Tetelek(t.lista()), Beallitas{}, fajl());
        const QList<QByteArray> sorok = olvas(fajl()).split('\n');
        QCOMPARE(sorok.size(), 3);   // header, one row, nothing after the last CR LF
        QCOMPARE(sorok.at(1),
                 w("\"9\";\"42\";\"2\";\"DVD\";\"1\";\"Újdonság\";\"Mátrix\";\"Szinkronos; \"új\"\";\"5\";\"Kiss Ödön\";"
                   "\"2\";\"2 nap\";\"2026. 03. 12.\";\"9:05:07\";\"2026. 03. 14.\";\"9:05:07\";\"\";\"\";\"1990,5\";"
                   "\"I\";\"N\";\"2025. 12. 01.\";\"\";\"3\";\"17\";\"6\";\"Sci-fi\";\"3000\";\r"));
    }

    // Numbers through the writer's own path read as the lists show them.
    void szamok_data()
    {
        QTest::addColumn<double>("v");
        for (double v : {0.0, -0.0, 1.0, -3.0, 450.0, 1990.5, 0.1, -2.75, 1e14 + 1, 999999999999999.0, 1e15, 1e16,
                         1.5e-7, 123456.789012345678, 1.0 / 3})
            QTest::newRow(qPrintable(QString::number(v, 'g', 17))) << v;
    }
    void szamok()
    {
        QFETCH(double, v);
        Beallitas b;
        b.jelolo.clear();
        Ir(LekerdezesForras("SELECT ? AS x", {v}), b, fajl());
        QCOMPARE(olvas(fajl()), "x;\r\n" + Cp1250(VarSzoveg(QVariant(v))) + ";\r\n");
    }

    // A list without rows: the header line alone.
    void uresLista()
    {
        tetelek({{1, "Bent"}});
        VideoTabla t;
        t.nyit();
        t.csakKintBeallit(true);
        Beallitas b;
        b.kijelolt = csak({"azon"});
        const Eredmeny e = Ir(ListaExport::Tetelek(t.lista()), b, fajl());
        QCOMPARE(e.sorok, qint64(0));
        QCOMPARE(olvas(fajl()), w("\"kód\";\r\n"));
    }

    // Stopped after some rows: those rows and the header are written, and an
    // older file of the name is replaced.
    void megallitva()
    {
        tetelek({{1, "A"}, {2, "B"}, {3, "C"}, {4, "D"}});
        QFile regi(fajl());
        QVERIFY(regi.open(QIODevice::WriteOnly));
        regi.write("régi tartalom, hosszabb minden újnál ...........................................\r\n");
        regi.close();
        Beallitas b;
        b.kijelolt = csak({"azon"});
        QList<qint64> hivasok;
        const Eredmeny e = Ir(ListaExport::TetelekKodSorrendben(), b, fajl(), [&](qint64 kesz) {
            hivasok << kesz;
            return kesz < 2;
        });
        QVERIFY(e.megallitva);
        QCOMPARE(e.sorok, qint64(2));
        QCOMPARE(hivasok, (QList<qint64>{0, 1, 2}));
        QCOMPARE(olvas(fajl()), w("\"kód\";\r\n\"1\";\r\n\"2\";\r\n"));
    }

    // Characters Windows-1250 has not: the closest letter there or "?", and
    // the values so changed are counted; what it has (ő, ű, €, „”) stays.
    void kodlap_data()
    {
        QTest::addColumn<QString>("cim");
        QTest::addColumn<QByteArray>("vart");
        QTest::addColumn<bool>("cserelt");
        QTest::newRow("magyar") << "Árvíztűrő tükörfúrógép" << QByteArray("\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p") << false;
        QTest::newRow("euró, idézőjelek") << "Ár: 5 € „jó”" << QByteArray("\xC1r: 5 \x80 \x84j\xF3\x94") << false;
        QTest::newRow("ékezet nélkül") << "São Paulo, Ñandù" << QByteArray("Sao Paulo, Nandu") << true;
        QTest::newRow("más írás") << "Жизнь, Øre" << QByteArray("\x8Eizn', Ore") << true;
        QTest::newRow("összetett jel") << "ﬁlm²" << QByteArray("film2") << true;
        QTest::newRow("emoji") << "Cica 🐱!" << QByteArray("Cica ?!") << true;
    }
    void kodlap()
    {
        QFETCH(QString, cim);
        QFETCH(QByteArray, vart);
        QFETCH(bool, cserelt);
        tetelek({{1, cim}, {2, "Sima"}, {3, cim}});
        Beallitas b;
        b.kijelolt = csak({"video_nev"});
        b.jelolo.clear();
        const Eredmeny e = Ir(ListaExport::TetelekKodSorrendben(), b, fajl());
        QCOMPARE(olvas(fajl()), w("cím;\r\n") + vart + ";\r\nSima;\r\n" + vart + ";\r\n");
        QCOMPARE(e.csereltErtekek, cserelt ? qint64(2) : qint64(0));
        bool c = !cserelt;
        QCOMPARE(Cp1250(cim, &c), vart);
        QCOMPARE(c, cserelt);
    }

    // The customer and history lists of the command line: the listed
    // customers in code order, every history row in key order with the
    // labels of the history's query.
    void ugyfelTortenet()
    {
        Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel, azon, ugyfel_nev, torolve, dijfizetve) VALUES "
                             "(1, 20, 'Zoltán', 'N', '2026-04-01'), (2, 10, 'Ádám', 'N', NULL), (3, 5, 'Törölt', 'I', NULL)");
        Beallitas b;
        b.jelolo.clear();
        Ir(ListaExport::UgyfelekKodSorrendben(), b, fajl());
        QCOMPARE(olvas(fajl()), w("ugyfel;azon;ugyfel_nev;telefon;fax;mobil;emil;cim_irsz;cim_varos;cim_cim;dijfizetve;"
                                  "torolve;szigszam;\r\n"
                                  "2;10;Ádám;;;;;;;;;N;;\r\n"
                                  "1;20;Zoltán;;;;;;;;2026. 04. 01.;N;;\r\n"));

        tetelek({{1, "Vuk"}});
        Adatbazis::vegrehajt("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (2, 1, '2026-01-05'), "
                             "(9, 1, '2026-02-01'), (1, 8, '2026-03-01')");
        Ir(ListaExport::TortenetMind(), b, fajl());
        QCOMPARE(olvas(fajl()), w("ugyfel_video;ugyfel;ügyfél;video;tétel;dátum;\r\n"
                                  "1;2;Ádám;1;Vuk;2026. 01. 05.;\r\n"
                                  "2;9;;1;Vuk;2026. 02. 01.;\r\n"
                                  "3;1;Zoltán;8;;2026. 03. 01.;\r\n"));
    }

    // The quick writer's form: field names, no qualifier, raw data as it is;
    // the export window's: "BLOB" for raw data.
    void gyorsIro()
    {
        Beallitas b;
        b.elvalaszto = "|";
        b.jelolo.clear();
        b.feliratok = false;
        b.blobSzo = false;
        const Forras f = LekerdezesForras("SELECT video AS video_nev, x'414243' AS nyers, NULL AS ures FROM (SELECT 1 AS video)");
        Ir(f, b, fajl());
        QCOMPARE(olvas(fajl()), QByteArray("video_nev|nyers|ures|\r\n1|ABC||\r\n"));
        Ir(f, Beallitas{}, fajl());
        QCOMPARE(olvas(fajl()), QByteArray("\"video_nev\";\"nyers\";\"ures\";\r\n\"1\";\"BLOB\";\"\";\r\n"));
        // A column read straight from a date field reads as a date.
        Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, osszeg) VALUES ('B', '2026-03-14', 100)");
        Ir(LekerdezesForras("SELECT datum, osszeg FROM cassa"), b, fajl());
        QCOMPARE(olvas(fajl()), QByteArray("datum|osszeg|\r\n2026. 03. 14.|100|\r\n"));
        QCOMPARE(SorokSzama(LekerdezesForras("SELECT * FROM cassa;")), qint64(1));
    }

    // A file that cannot be written, or a disk that fills up on the way: a
    // Hungarian reason, and a file of the name keeps what it held.
    void irasHiba()
    {
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, Ir(ListaExport::TetelekKodSorrendben(), Beallitas{},
                                                   m_dir.filePath("nincs/ilyen/mappa.csv")));
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, Ir(ListaExport::TetelekKodSorrendben(), Beallitas{}, QString()));

        Adatbazis::vegrehajt("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30000) "
                             "INSERT INTO video (azon, video_nev, kint, torolve) "
                             "SELECT i, 'Egy elég hosszú cím, hogy a fájl nőjön', 'N', 'N' FROM n");
        QFile regi(fajl());
        QVERIFY(regi.open(QIODevice::WriteOnly));
        regi.write("régi\r\n");
        regi.close();
        QString uzenet;
        {
            TeliLemez teli(64 * 1024);
            try {
                Ir(ListaExport::TetelekKodSorrendben(), Beallitas{}, fajl());
            } catch (const AdatbazisHiba& e) {
                uzenet = e.uzenet();
            }
        }
        QVERIFY2(uzenet.contains(QStringLiteral("nem írható")), qPrintable(uzenet));
        // The disk's reason, not an unknown one.
        QVERIFY2(uzenet.endsWith(QStringLiteral("nem írható: Betelt a lemez.")), qPrintable(uzenet));
        QCOMPARE(olvas(fajl()), QByteArray("r\xC3\xA9gi\r\n"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"ki.csv"});   // no half-written file left behind
    }
};

QTEST_GUILESS_MAIN(TstHatarolt)
#include "tst_hatarolt.moc"

// The item import without a window: how the bytes of a file are read (UTF-8
// or Windows-1250), how the text falls into lines and fields, what a stored
// item holds, and that a refused line stores nothing and names itself.
#include "core/reports/tetelimport.h"
#include "core/common/szoveg.h"
#include "core/data/adatbazis.h"
#include "tests/core/tesztmag.h"

#include <QFile>
#include <QSqlRecord>
#include <QtTest>
#include <sys/stat.h>

using namespace TetelImport;

Q_DECLARE_METATYPE(TetelImport::Kodolas)

namespace {

// The rows of the item table as text, in key order: every field but the key.
QStringList tetelek()
{
    QStringList l;
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT * FROM video ORDER BY video"));
    while (q.next()) {
        QStringList m;
        for (int i = 1; i < q.record().count(); ++i)
            m << q.record().fieldName(i) + '=' + (q.isNull(i) ? QStringLiteral("∅") : q.value(i).toString());
        l << m.join('|');
    }
    return l;
}

// An item as the import must store it: fixed fields, today (the pinned
// clock), everything else empty.
QString vart(int azon, int tipus, int arkat, const QString& cim, const QString& szoveg, int mufaj, double beszar)
{
    const auto t = [](const QString& s) { return s.isEmpty() ? QStringLiteral("∅") : s; };
    return QStringLiteral("azon=%1|tipus=%2|arkat=%3|video_nev=%4|szoveg=%5|ugyfel=∅|fiztip=∅|dat_kiadva=∅|"
                          "ido_kiadva=∅|dat_visszakell=∅|ido_visszakell=∅|dat_vissza=∅|ido_vissza=∅|ar=∅|kint=N|"
                          "torolve=N|dat_besz=%6|dat_selejt=∅|kolcsid=0|kolcsonozve=0|mufaj=%7|beszar=%8")
        .arg(azon)
        .arg(tipus)
        .arg(arkat)
        .arg(t(cim), t(szoveg), TesztMost.date().toString(Qt::ISODate))
        .arg(mufaj)
        .arg(QVariant(beszar).toString());
}

// Windows-1250 bytes of the Hungarian test text; "Š" (0x8A) is where the
// code page differs from Latin-1.
const QByteArray Cp1250Arvizturo("\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p \x8A");
const QString Arvizturo = QStringLiteral("Árvíztűrő tükörfúrógép Š");

} // namespace

class TstTetelImport : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;

    QString fajl(const QString& nev, const QByteArray& bajtok)
    {
        const QString ut = m_t->mappa() + '/' + nev;
        QFile f(ut);
        if (!f.open(QIODevice::WriteOnly) || f.write(bajtok) != bajtok.size()) qFatal("cannot write %s", qPrintable(ut));
        return ut;
    }

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
    }
    void cleanup() { m_t.reset(); }

    void dekodol_data()
    {
        QTest::addColumn<QByteArray>("bajtok");
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<Kodolas>("kodolas");
        QTest::newRow("utf-8") << Arvizturo.toUtf8() << Arvizturo << Kodolas::Utf8;
        QTest::newRow("windows-1250") << Cp1250Arvizturo << Arvizturo << Kodolas::Cp1250;
        QTest::newRow("csak ascii") << QByteArray("1;2;3;Shrek;;4;;") << "1;2;3;Shrek;;4;;" << Kodolas::Utf8;
        QTest::newRow("bom") << QByteArray("\xEF\xBB\xBFk\xC3\xB3" "d;") << QStringLiteral("kód;") << Kodolas::Utf8;
        // One byte short of a whole UTF-8 letter at the end: not UTF-8.
        QTest::newRow("csonka utf-8") << QByteArray("abc\xC3") << QStringLiteral("abcĂ") << Kodolas::Cp1250;
        // One accented letter in 1250 among UTF-8 ones: the file is 1250 throughout.
        QTest::newRow("vegyes") << QByteArray("\xC3\xA9\xE9") << QStringLiteral("Ă©é") << Kodolas::Cp1250;
        // A no-break space reads as a space (as the editor shows it), so a
        // price with one between its thousands reads whole.
        QTest::newRow("nem tördelő szóköz") << QByteArray("2\xC2\xA0" "000,5") << QStringLiteral("2 000,5")
                                            << Kodolas::Utf8;
        QTest::newRow("nem tördelő szóköz 1250") << QByteArray("2\xA0" "000,5") << QStringLiteral("2 000,5")
                                                 << Kodolas::Cp1250;
        QTest::newRow("ures") << QByteArray() << QString() << Kodolas::Utf8;
        // Notepad's "Unicode": UTF-16 with its byte-order mark, either order.
        QTest::newRow("utf-16 le") << QByteArray("\xFF\xFE" "k\0\xF3\0" "d\0;\0\n\0\x71\x01", 14)
                                   << QStringLiteral("kód;\nű") << Kodolas::Utf16;
        QTest::newRow("utf-16 be") << QByteArray("\xFE\xFF\0k\0\xF3\0d", 8) << QStringLiteral("kód")
                                   << Kodolas::Utf16;
        // A Windows-1250 text where two letters happen to form one UTF-8
        // letter ("É„") stays Windows-1250: its stray bytes outnumber it.
        QTest::newRow("1250 véletlen utf-8 párral") << QByteArray("\xC9\x84 \xE1\xE9") << QStringLiteral("É„ áé")
                                                   << Kodolas::Cp1250;
    }
    void dekodol()
    {
        QFETCH(QByteArray, bajtok);
        QFETCH(QString, szoveg);
        QFETCH(Kodolas, kodolas);
        const Beolvasott b = Dekodol(bajtok);
        QCOMPARE(b.szoveg, szoveg);
        QCOMPARE(b.kodolas, kodolas);
        // The file reads the same.
        const Beolvasott f = FajlOlvas(fajl("be.csv", bajtok));
        QCOMPARE(f.szoveg, szoveg);
        QCOMPARE(f.kodolas, kodolas);
    }

    void olvashatatlan()
    {
        try {
            FajlOlvas(m_t->mappa() + "/nincs.csv");
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().startsWith("A fájl nem olvasható: ") && e.uzenet().contains("nincs.csv"),
                     qPrintable(e.uzenet()));
        }
    }

    // Texts that are not what they seem are refused with the line at fault,
    // never stored as junk items: a NUL (a binary file, UTF-16 without its
    // mark), a UTF-8 text with one bad byte (read as Windows-1250 every
    // accent would be garbled), UTF-16 cut short.
    void dekodolHibak_data()
    {
        QTest::addColumn<QByteArray>("bajtok");
        QTest::addColumn<int>("sor");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("nul a 3. sorban") << QByteArray("fej\r\n1;1\r\n2;\0;1\r\n", 17) << 3 << "nulla bájt (NUL)";
        QTest::newRow("nul utf-16-ban") << QByteArray("\xFF\xFE" "a\0\n\0\0\0", 8) << 2 << "nulla bájt (NUL)";
        QTest::newRow("bom nélküli utf-16") << QByteArray("k\0\xF3\0d\0", 6) << 1 << "nulla bájt (NUL)";
        QTest::newRow("utf-8 egy rossz bájttal")
            << QByteArray("kód;típus\n1;Árvíztűrő;\n2;Rossz \xE9kezet;\n3;ő;\n") << 3 << "3. sorában hibás bájt";
        QTest::newRow("csonka utf-16") << QByteArray("\xFF\xFE" "a\0\x3D\xD8", 6) << 0 << "UTF-16";
    }
    void dekodolHibak()
    {
        QFETCH(QByteArray, bajtok);
        QFETCH(int, sor);
        QFETCH(QString, uzenet);
        for (const bool fajlbol : {false, true}) {
            try {
                if (fajlbol) FajlOlvas(fajl("hibas.csv", bajtok));
                else Dekodol(bajtok);
                QFAIL("no error");
            } catch (const AdatbazisHiba& e) {
                QVERIFY2(e.uzenet().contains(uzenet), qPrintable(e.uzenet()));
                QCOMPARE(e.sor(), sor);
                QCOMPARE(e.fajta(), AdatbazisHiba::Fajta::Bemenet);
            }
        }
    }

    // Only a regular file of a sane size is read: a pipe or a device would
    // never end, a huge file would take the memory.
    void fajlKorlatok_data()
    {
        QTest::addColumn<QString>("mi");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("/dev/zero") << "/dev/zero" << "Nem közönséges fájl";
        QTest::newRow("névvel ellátott cső") << "cso" << "Nem közönséges fájl";
        QTest::newRow("mappa") << "mappa" << "Nem közönséges fájl";
        QTest::newRow("64 MB-nál nagyobb") << "nagy" << "Legfeljebb 64 MB-os fájl importálható";
    }
    void fajlKorlatok()
    {
        QFETCH(QString, mi);
        QFETCH(QString, uzenet);
        QString ut = mi;
        if (mi == "cso") {
            ut = m_t->mappa() + "/cso";
            QCOMPARE(::mkfifo(QFile::encodeName(ut).constData(), 0600), 0);
        } else if (mi == "mappa") {
            ut = m_t->mappa();
        } else if (mi == "nagy") {
            ut = fajl("nagy.csv", "fej\n");
            QVERIFY(QFile::resize(ut, LegnagyobbFajl + 1));   // sparse: no disk taken
        }
        try {
            FajlOlvas(ut);
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains(uzenet) && e.uzenet().contains(ut), qPrintable(e.uzenet()));
        }
    }

    void sorok_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<QStringList>("sorok");
        QTest::newRow("ures") << "" << QStringList{};
        QTest::newRow("egy sor") << "a;b" << QStringList{"a;b"};
        QTest::newRow("lf") << "a\nb" << QStringList{"a", "b"};
        QTest::newRow("záró sortörés") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("magányos cr") << "a\rb" << QStringList{"a", "b"};
        QTest::newRow("üres sor közben") << "a\n\nb" << QStringList{"a", "", "b"};
        QTest::newRow("két záró sortörés") << "a\r\n\r\n" << QStringList{"a", ""};
        QTest::newRow("csak sortörés") << "\n" << QStringList{""};
    }
    void sorok()
    {
        QFETCH(QString, szoveg);
        QFETCH(QStringList, sorok);
        QCOMPARE(Sorok(szoveg), sorok);
    }

    void sorOlvas_data()
    {
        QTest::addColumn<QString>("sor");
        QTest::addColumn<QVariantList>("mezok");   // azon, tipus, arkat, cím, szöveg, műfaj, beszár
        QTest::newRow("minta") << "1009;1;1;Hófehérke;;4;2000;" << QVariantList{1009, 1, 1, "Hófehérke", "", 4, 2000.0};
        QTest::newRow("hiányzó mezők a végén") << "5;;;Abc" << QVariantList{5, 0, 0, "Abc", "", 0, 0.0};
        QTest::newRow("üres sor") << "" << QVariantList{0, 0, 0, "", "", 0, 0.0};
        QTest::newRow("szóközök, ezres tagolás, tizedesvessző")
            << " 12 ; 2;3;  Cím  ; Leírás ;7; 2 000,5 " << QVariantList{12, 2, 3, "Cím", "Leírás", 7, 2000.5};
        QTest::newRow("tizedespont") << "1;1;1;x;;1;2000.5" << QVariantList{1, 1, 1, "x", "", 1, 2000.5};
        QTest::newRow("hetedik után elhagyva") << "1;2;3;c;s;4;5;6;7;8" << QVariantList{1, 2, 3, "c", "s", 4, 5.0};
        QTest::newRow("szóköz a kódban") << "1 234;0;0;;;0;" << QVariantList{1234, 0, 0, "", "", 0, 0.0};
        QTest::newRow("nem szám") << "abc;1x;;t;;x;ár" << QVariantList{0, 0, 0, "t", "", 0, 0.0};
        QTest::newRow("negatív, tört kód") << "-7;1,5;;;;;-3,25" << QVariantList{-7, 0, 0, "", "", 0, -3.25};
        QTest::newRow("túl nagy kód") << "2147483648;;;;;;" << QVariantList{0, 0, 0, "", "", 0, 0.0};
        // Blanks of other kinds around a title go too; accented letters at the ends stay.
        QTest::newRow("más szóközök") << QString::fromUtf8("1;1;1;\u2003Cím\u3000;\tLeírás ő ;1;")
                                      << QVariantList{1, 1, 1, "Cím", "Leírás ő", 1, 0.0};
        // No quoting: a ";" inside quotes still splits, and the fields after it move on.
        QTest::newRow("idézőjel nem jelölő") << "1;1;1;\"a;b\";;1;" << QVariantList{1, 1, 1, "\"a", "b\"", 0, 1.0};
    }
    void sorOlvas()
    {
        QFETCH(QString, sor);
        QFETCH(QVariantList, mezok);
        const Tetel t = SorOlvas(sor);
        QCOMPARE(QVariantList({t.azon, t.tipus, t.arkat, t.video_nev, t.szoveg, t.mufaj, t.beszar}), mezok);
    }

    // Numbers in any shape read as the shared tolerant conversions read them.
    void szamokMintAKozos_data()
    {
        QTest::addColumn<QString>("szam");
        for (const char* s : {"0", "-0", "+5", "- 5", "1 234 567", "007", "2147483647", "2147483648", "-2147483648",
                              "-2147483649", "99999999999999999999", "1e3", "1E-2", "2,5", "2.5", "-2,5", ",5", ".5",
                              "5,", "5.", "1,2,3", "1.234,5", "0x10", "1\t2", "١٢", "１２", "inf", "nan", "1e400", "-",
                              "+", "12abc", " \t 42 \r", "3 000 000 000", "0,000000000000000000001"})
            QTest::newRow(s) << QString::fromUtf8(s);
    }
    void szamokMintAKozos()
    {
        QFETCH(QString, szam);
        const Tetel t = SorOlvas(QString("%1;%1;%1;;;%1;%1").arg(szam));
        const int e = SzovegEgesz(szam);
        QCOMPARE(QList<int>({t.azon, t.tipus, t.arkat, t.mufaj}), QList<int>({e, e, e, e}));
        QCOMPARE(t.beszar, SzovegValos(szam));
    }

    // The same file in both encodings stores the same items: accents, a
    // price with a space and a decimal comma, a point, missing trailing
    // fields, a blank line, CR LF line ends.
    void importal_data()
    {
        QTest::addColumn<QByteArray>("bajtok");
        QTest::addColumn<Kodolas>("kodolas");
        const QString szoveg = QStringLiteral("kód;tipus;arkat;cím;szöveg;mufaj;beszar;\r\n"
                                              "1009;1;1;Hófehérke;Grimm meséje;4;2 000,5;\r\n"
                                              "1010;2;3;%1;;4;1999.5\r\n"
                                              "\r\n"
                                              "5;;;Abc\r\n")
                                   .arg(Arvizturo);
        QByteArray cp = szoveg.toUtf8();
        cp.replace(Arvizturo.toUtf8(), Cp1250Arvizturo);
        cp.replace("Hófehérke", "H\xF3" "feh\xE9rke");
        cp.replace("kód", "k\xF3" "d").replace("cím", "c\xEDm").replace("szöveg", "sz\xF6veg").replace("meséje", "mes\xE9je");
        QTest::newRow("utf-8") << szoveg.toUtf8() << Kodolas::Utf8;
        QTest::newRow("windows-1250") << cp << Kodolas::Cp1250;
    }
    void importal()
    {
        QFETCH(QByteArray, bajtok);
        QFETCH(Kodolas, kodolas);
        // An item already there stays and is not looked at.
        Adatbazis::vegrehajt("INSERT INTO video (azon, video_nev, kint, torolve) VALUES (1009, 'Régi', 'N', 'N')");
        const QStringList elotte = tetelek();

        const Beolvasott b = FajlOlvas(fajl("tetelek.csv", bajtok));
        QCOMPARE(b.kodolas, kodolas);
        QList<std::pair<qint64, qint64>> lepesek;
        const Eredmeny e = Importal(b.szoveg, [&](qint64 kesz, qint64 osszes) { lepesek.append({kesz, osszes}); });
        QCOMPARE(e.tetelek, qint64(4));
        QCOMPARE(lepesek, (QList<std::pair<qint64, qint64>>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));
        QCOMPARE(e.utolsoKulcs, Adatbazis::ertek("SELECT MAX(video) FROM video").toLongLong());
        const QStringList ujak{vart(1009, 1, 1, "Hófehérke", "Grimm meséje", 4, 2000.5),
                               vart(1010, 2, 3, Arvizturo, "", 4, 1999.5), vart(0, 0, 0, "", "", 0, 0),
                               vart(5, 0, 0, "Abc", "", 0, 0)};
        QCOMPARE(tetelek(), elotte + ujak);

        // Imported again: appended again, nothing is looked for.
        QCOMPARE(Importal(b.szoveg).tetelek, qint64(4));
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE azon = 1009").toInt(), 3);
    }

    void semmi_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::newRow("üres") << "";
        QTest::newRow("csak fejléc") << "kód;tipus;arkat;cím;szöveg;mufaj;beszar;";
        QTest::newRow("fejléc sortöréssel") << "kód;tipus\r\n";
    }
    void semmi()
    {
        QFETCH(QString, szoveg);
        int hivas = 0;
        const Eredmeny e = Importal(szoveg, [&](qint64, qint64) { ++hivas; });
        QCOMPARE(e.tetelek, qint64(0));
        QCOMPARE(e.utolsoKulcs, qint64(-1));
        QCOMPARE(hivas, 0);
        QCOMPARE(tetelek(), QStringList());
    }

    // A line the table refuses: nothing of the text is stored, the items
    // there before are untouched, and the error names the line (its number
    // in the text, the heading being 1) and the table's reason. The text
    // corrected there imports whole.
    void elutasitott_data()
    {
        QTest::addColumn<int>("hibasSor");
        QTest::addColumn<QString>("hibas");
        QTest::addColumn<QString>("ok");
        QTest::newRow("hosszú cím az első adatsorban") << 2 << QString("7;1;1;%1;;1;").arg(QString(101, u'ő'))
                                                      << "a(z) video_nev mező legfeljebb 100 karakter lehet";
        QTest::newRow("hosszú szöveg középen") << 4 << QString("7;1;1;Cím;%1;1;").arg(QString(256, 'x'))
                                              << "a(z) szoveg mező legfeljebb 255 karakter lehet";
        QTest::newRow("hosszú cím az utolsó sorban") << 6 << QString("7;1;1;%1").arg(QString(101, 'x'))
                                                    << "a(z) video_nev mező legfeljebb 100 karakter lehet";
        // The money bound of every other price.
        QTest::newRow("túl nagy beszerzési ár") << 3 << QString("7;1;1;Cím;;1;1 000 000 000 001")
                                               << "Nem megfelelő érték. A beszerzési ár legfeljebb 1 000 000 000 000 Ft lehet.";
    }
    void elutasitott()
    {
        QFETCH(int, hibasSor);
        QFETCH(QString, hibas);
        QFETCH(QString, ok);
        Adatbazis::vegrehajt("INSERT INTO video (azon, video_nev, kint, torolve) VALUES (1, 'Régi', 'N', 'N')");
        const QStringList elotte = tetelek();
        const qint64 kulcsElotte = Adatbazis::ertek("SELECT seq FROM sqlite_sequence WHERE name = 'video'").toLongLong();

        QStringList sorok{"kód;tipus;arkat;cím;szöveg;mufaj;beszar;", "2;1;1;Egy;;1;", "3;1;1;Kettő;;1;",
                          "4;1;1;Három;;1;", "5;1;1;Négy;;1;", "6;1;1;Öt;;1;"};
        sorok[hibasSor - 1] = hibas;
        try {
            Importal(sorok.join('\n') + '\n');
            QFAIL("no error");
        } catch (const SorHiba& e) {
            QCOMPARE(e.sor(), hibasSor);
            QCOMPARE(e.fajta(), AdatbazisHiba::Fajta::Bemenet);
            QCOMPARE(e.ok(), ok);
            QVERIFY2(e.uzenet().startsWith(QString("A(z) %1. sort az adatbázis nem fogadta el: %2").arg(hibasSor).arg(ok)),
                     qPrintable(e.uzenet()));
        }
        QCOMPARE(tetelek(), elotte);
        QVERIFY(!Adatbazis::tranzakcioban());
        // Not even a key was used up.
        QCOMPARE(Adatbazis::ertek("SELECT seq FROM sqlite_sequence WHERE name = 'video'").toLongLong(), kulcsElotte);

        sorok[hibasSor - 1] = "7;1;1;Javított;;1;";
        QCOMPARE(Importal(sorok.join('\n')).tetelek, qint64(5));
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt(), 6);
    }

    // A refusal the table's own rules would not make: a rule added to the
    // database refuses a given title, and its reason is passed on as it is.
    void idegenSzabaly()
    {
        Adatbazis::vegrehajt("CREATE TEMP TRIGGER tilt BEFORE INSERT ON video WHEN NEW.video_nev = 'Tiltott' "
                             "BEGIN SELECT RAISE(ABORT, 'ez a cím nem vehető fel'); END");
        try {
            Importal("fejléc\n1;1;1;Jó;;1;\n2;1;1;Tiltott;;1;\n3;1;1;Jó;;1;");
            QFAIL("no error");
        } catch (const SorHiba& e) {
            QCOMPARE(e.sor(), 3);
            QCOMPARE(e.ok(), QString("ez a cím nem vehető fel"));
        }
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt(), 0);
    }

    // A store that fails on the way (here the file may not grow) is no fault
    // of the line it was storing: the store's reason, no line blamed.
    void tarolasiHibaNemSorHiba()
    {
        Adatbazis::vegrehajt("PRAGMA max_page_count = " + Adatbazis::ertek("PRAGMA page_count").toString());
        QString szoveg = "fejléc\n";
        for (int i = 1; i <= 5000; ++i) szoveg += QString("%1;1;1;%2;;1;\n").arg(i).arg(QString(90, QChar('x')));
        try {
            Importal(szoveg);
            QFAIL("no error");
        } catch (const SorHiba& e) {
            QFAIL(qPrintable(e.uzenet()));
        } catch (const AdatbazisHiba& e) {
            QCOMPARE(e.uzenet(), QString("Betelt a lemez: az adatbázis nem írható."));
            QVERIFY(e.tarolasi());
        }
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TstTetelImport)
#include "tst_tetelimport.moc"

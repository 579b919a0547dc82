// Taking over an earlier data folder of Paradox tables: every field with its
// meaning, the refusals that leave nothing behind, and the program going on
// with the data it took over.
#include "core/admin/atvetel.h"
#include "core/admin/felhasznalok.h"
#include "core/admin/telepites.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/ora.h"
#include "core/data/paradox.h"
#include "core/rental/kolcsonzes.h"
#include "tests/core/paradoxiro.h"
#include "tests/core/tesztfajl.h"
#include "tests/core/tesztmag.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using ParadoxIro::Mezo;

QString db(const QString& program) { return program + "/Data/kazettora.db"; }

// What is left in the installation's folders besides what a run may leave.
QStringList maradt(const QString& program)
{
    QStringList l = QDir(program + "/Data").entryList(QDir::Files | QDir::Hidden);
    for (const QString& d : QDir(program).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        if (d.startsWith(".atvetel")) l << d;
    return l;
}

QString egy(const QString& program, const QString& sql)
{
    const QStringList s = Lemezen(program + "/Data", sql);
    return s.isEmpty() ? QString("nincs sor") : s.join(" / ");
}

} // namespace

class TstAtvetel : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_n = 0;
    QString uj(const QString& nev) { const QString p = m_dir.path() + "/" + nev + QString::number(++m_n); QDir().mkpath(p); return p; }

private slots:
    void initTestCase() { TesztKornyezet(); }

    // Every table whole, in each code page an earlier folder may have.
    void kisBolt_data()
    {
        QTest::addColumn<int>("kodlap");
        QTest::newRow("Windows-1250") << 1250;
        QTest::newRow("DOS 852") << 852;
        QTest::newRow("a fejléc nem nevez kódlapot") << 0;
    }
    void kisBolt()
    {
        QFETCH(int, kodlap);
        const QString regi = uj("regi");
        const QString program = uj("program");
        ParadoxIro::kisBolt(regi, kodlap);
        Atvetel::Eredmeny e;
        QString hiba;
        QVERIFY2(Atvetel::atvesz(program, {regi, {}, false, false}, &e, &hiba), qPrintable(hiba));
        QCOMPARE(e.adatbazis, db(program));

        // Accented capitals and small letters, the dash, exactly.
        QCOMPARE(egy(program, "SELECT video_nev, szoveg FROM video WHERE video = 1"),
                 QString("Égető Űrhajó: ŐSZI ÜLDÖZÉS|Rendezői változat"));
        QCOMPARE(egy(program, "SELECT ugyfel_nev, cim_varos FROM ugyfel ORDER BY ugyfel"),
                 QString("Őri Ödön|Budapest / Szűcs Űrsula|Szeged / ∅|∅"));
        // Dates before 1970 and after 2038, midnight and the day's last second.
        QCOMPARE(egy(program, "SELECT dat_besz, dat_kiadva IS NOT NULL, ido_kiadva, ido_visszakell FROM video WHERE video = 1"),
                 QString("1965-03-01|1|00:00:00|23:59:59"));
        QCOMPARE(egy(program, "SELECT dat_vissza, ido_vissza, dat_selejt FROM video WHERE video = 2"),
                 QString("2039-06-30|12:30:00|2040-12-31"));
        // An empty field of every type is empty, not pxlib's smallest
        // integer or the day before year 1; a zero stays a zero.
        QCOMPARE(egy(program, "SELECT * FROM video WHERE azon = 2147483647"),
                 QString("2147483647|2147483647" + QString("|∅").repeated(21)));
        QCOMPARE(egy(program, "SELECT ugyfel, kolcsid FROM video WHERE video = 2"), QString("0|0"));
        QCOMPARE(egy(program, "SELECT * FROM ugyfel WHERE azon = 2147483647"),
                 QString("2147483647|2147483647" + QString("|∅").repeated(11)));
        // Money with fractions, the running balance, the price matrix.
        QCOMPARE(egy(program, "SELECT cassa, cassatip, datum, ugyfel, osszeg, penzvan, idoszak FROM cassa WHERE cassa < 3"),
                 QString("1|T|2024-01-02|1|1500.5|1500.5|202401 / 2|K|2024-01-03|∅|-200.25|1300.25|∅"));
        QCOMPARE(egy(program, "SELECT ar FROM fiztip_arkat WHERE fiztip = 2 AND arkat = 2"), QString("1500.5"));
        QCOMPARE(egy(program, "SELECT beszar FROM video WHERE video = 1"), QString("4990.5"));
        QCOMPARE(egy(program, "SELECT COUNT(*) FROM cassatip"), QString("3"));
        QCOMPARE(egy(program, "SELECT tulajdonos, adoszam FROM tulajdonos"), QString("Öreg Mozi Bt.|12345678141"));
        QCOMPARE(egy(program, "SELECT vanbelep, dijev, kolcsszoveg FROM beallit"),
                 QString("I|5000|Köszönjük, hogy nálunk kölcsönzött!"));
        QCOMPARE(egy(program, "SELECT irsz, varos FROM irsz ORDER BY Id"), QString("1011|Budapest / 6720|Szeged"));
        // The label run's work table starts empty.
        QCOMPARE(egy(program, "SELECT COUNT(*) FROM vkod"), QString("0"));

        // The password only as its digest, nowhere in the file as typed.
        const QString tarolt = egy(program, "SELECT jelszo FROM felhasznalo WHERE felhasznalo = 'pult'");
        QVERIFY(Felhasznalok::DigestE(tarolt));
        QVERIFY(Felhasznalok::Egyezik(tarolt, "Jelszó1"));
        QFile f(db(program));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray tartalom = f.readAll();
        QVERIFY(!tartalom.contains("Jelsz"));
        QVERIFY(!jelentes(e).contains("Jelsz"));

        // Counts and check figures agree on both sides.
        for (const Atvetel::TablaSzam& t : e.tablak)
            if (t.tabla != "vkod") QVERIFY2(t.olvasott == t.irt, qPrintable(t.tabla));
        QCOMPARE(e.ellenorzesek.size(), 5);
        for (const Atvetel::Ellenorzes& c : e.ellenorzesek) QVERIFY2(c.egyezik, qPrintable(c.nev));
        QCOMPARE(e.ellenorzesek[1].uj, QString("1\u00a0900,25"));
        QVERIFY(maradt(program) == QStringList{"kazettora.db"});
    }

    // The shop goes on: a rental and a return of a migrated item, new keys
    // after the largest, the cash book's balance from the old one.
    void tovabbMukodik()
    {
        const QString regi = uj("regi");
        const QString program = uj("program");
        ParadoxIro::kisBolt(regi);
        QString hiba;
        QVERIFY2(Atvetel::atvesz(program, {regi, {}, false, false}, nullptr, &hiba), qPrintable(hiba));
        OraBeallit(TesztMost);
        QVERIFY2(Adatbazis::nyit(program + "/Data", &hiba), qPrintable(hiba));
        BeallitBetoltAdatbazisbol();
        TBeall.elorefizet = true;
        Kolcsonzes k(2, "Szűcs Űrsula", 1, 24);
        QVERIFY(k.hozzaad(2));
        const int kolcsid = k.befejez();
        QCOMPARE(kolcsid, 8);   // after the largest rental number, 7
        QCOMPARE(Adatbazis::ertek("SELECT kint || kolcsonozve FROM video WHERE video = 2").toString(), QString("I4"));
        QCOMPARE(Adatbazis::ertek("SELECT cassa || '|' || penzvan FROM cassa ORDER BY cassa DESC LIMIT 1").toString(),
                 QString("4|2300.25"));
        QCOMPARE(Adatbazis::ertek("SELECT MAX(ugyfel_video) FROM ugyfel_video").toInt(), 4);
        Visszavetel v = Visszavetel::targybol(2);
        v.befejez();
        QCOMPARE(Adatbazis::ertek("SELECT kint FROM video WHERE video = 2").toString(), QString("N"));
        // A new item's key comes after the largest one taken over.
        Adatbazis::vegrehajt("INSERT INTO video (azon, video_nev, kint, torolve) VALUES (3, 'Új', 'N', 'N')");
        QCOMPARE(Adatbazis::ertek("SELECT MAX(video) FROM video").toLongLong(), 2147483648LL);
        Adatbazis::zar();
    }

    // Refusals name the file (and the row); nothing is left behind.
    void elutasitas_data()
    {
        QTest::addColumn<QString>("eset");
        QTest::addColumn<QString>("vart");
        QTest::newRow("túl hosszú cím") << "hosszu" << "video.DB tábla 2. sora nem vehető át: a(z) video_nev mező legfeljebb 100 karakter";
        QTest::newRow("át nem alakítható szöveg") << "kodlap" << "ugyfel.DB tábla 1. sora nem vehető át: a(z) ugyfel_nev mező szövege nem alakítható át";
        QTest::newRow("hiányzó főtábla") << "hianyzo" << "Hiányzik a(z) cassa tábla";
        QTest::newRow("ismeretlen tábla") << "idegen" << "Ismeretlen tábla a régi adatmappában: regi_video.DB";
        QTest::newRow("hiányzó mező") << "kevesebb" << "A(z) mufaj.DB táblából hiányzik a(z) mufaj_nev mező";
        QTest::newRow("többlet mező") << "tobblet" << "A(z) tipus.DB táblában ismeretlen mező van: megjegyzes";
        QTest::newRow("rossz típus") << "tipus" << "A(z) arkat.DB tábla arkat_nev mezőjének típusa egész (I)";
        QTest::newRow("csonka fájl") << "csonka" << "A(z) ugyfel_video.DB tábla nem olvasható: sérült tábla: a fájl csonka";
        QTest::newRow("rossz fejléc") << "fejlec" << "A(z) fiztip.DB tábla nem olvasható: sérült tábla";
        QTest::newRow("hamis sorszám a fejlécben") << "sorszam" << "A(z) ugyfel.DB tábla nem olvasható: sérült tábla: a(z) 4. sor nem olvasható";
        QTest::newRow("hamis fejléchossz") << "fejlechossz" << "A(z) ugyfel.DB tábla nem olvasható: sérült tábla: a fejléc nem olvasható";
        QTest::newRow("a fejléc túlra mutat") << "tulra" << "A(z) video.DB tábla nem olvasható: sérült tábla";
        QTest::newRow("ismétlődő kulcs") << "kulcs" << "cassatip.db tábla 2. sora nem vehető át: Már van ilyen kulcsú sor: cassatip.cassatip";
        QTest::newRow("van már adatbázis") << "van" << "Már van adatbázis ezen a helyen";
    }
    void elutasitas()
    {
        QFETCH(QString, eset);
        QFETCH(QString, vart);
        const QString regi = uj("regi");
        const QString program = uj("program");
        ParadoxIro::kisBolt(regi);
        const QVariant n;
        if (eset == "hosszu") {
            ParadoxIro::Tabla t(regi + "/video.DB", [] { auto m = ParadoxIro::mezok("video"); m[4].hossz = 120; return m; }());
            t.sor({1, 1, n, n, "Rövid", n, n, n, n, n, n, n, n, n, n, "N", "N", n, n, n, n, n, n});
            t.sor({2, 2, n, n, QString(101, u'ő'), n, n, n, n, n, n, n, n, n, n, "N", "N", n, n, n, n, n, n});
        } else if (eset == "kodlap") {
            // 0x81 has no character in Windows-1250.
            ParadoxIro::Tabla t(regi + "/ugyfel.DB", ParadoxIro::mezok("ugyfel"));
            t.sor({1, 1, QByteArray("Kiss \x81"), n, n, n, n, n, n, n, n, "N", n});
        } else if (eset == "hianyzo") {
            QVERIFY(QFile::remove(regi + "/cassa.DB"));
        } else if (eset == "idegen") {
            QVERIFY(QFile::copy(regi + "/video.DB", regi + "/regi_video.DB"));
        } else if (eset == "kevesebb") {
            ParadoxIro::Tabla t(regi + "/mufaj.DB", {{"mufaj", Paradox::AutoInc, 4}});
        } else if (eset == "tobblet") {
            auto m = ParadoxIro::mezok("tipus");
            m.push_back({"megjegyzes", Paradox::Alpha, 20});
            ParadoxIro::Tabla t(regi + "/tipus.DB", m);
        } else if (eset == "tipus") {
            ParadoxIro::Tabla t(regi + "/arkat.DB", {{"arkat", Paradox::AutoInc, 4}, {"arkat_nev", Paradox::Long, 4}});
        } else if (eset == "csonka") {
            QFile f(regi + "/ugyfel_video.DB");
            QVERIFY(f.resize(f.size() - 100));
        } else if (eset == "fejlec") {
            FajlIr(regi + "/fiztip.DB", QByteArray(4096, 'x'));
        } else if (eset == "sorszam") {
            // The header's record count (bytes 6-9) says more than the blocks hold.
            QFile f(regi + "/ugyfel.DB");
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(6));
            f.write(QByteArray("\x40\x42\x0f\x00", 4));
        } else if (eset == "fejlechossz") {
            // pxlib gives up on this header; what it freed must not be freed again.
            QFile f(regi + "/ugyfel.DB");
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(3));
            f.write(QByteArray("\xff", 1));
        } else if (eset == "tulra") {
            // A header byte that sends pxlib's walk of the blocks beyond the
            // file's end (which once ended the program, or never ended).
            QFile f(regi + "/video.DB");
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(0x28));
            f.write(QByteArray("\x01", 1));
        } else if (eset == "kulcs") {
            ParadoxIro::Tabla t(regi + "/cassatip.db", ParadoxIro::mezok("cassatip"));
            t.sor({"B", "Kölcsönzés", 1});
            t.sor({"B", "Még egyszer", 1});
        } else if (eset == "van") {
            QDir().mkpath(program + "/Data");
            FajlIr(db(program), "x");
        }
        const QStringList elotte = maradt(program);
        QString hiba;
        QVERIFY(!Atvetel::atvesz(program, {regi, {}, false, false}, nullptr, &hiba));
        QVERIFY2(hiba.contains(vart), qPrintable(hiba));
        QCOMPARE(maradt(program), elotte);
        QVERIFY(!QFile::exists(program + "/Kazettora.ini"));
    }

    // A new installation's database is replaced; one with the shop's own
    // rows (or a file that is no database) is refused and stays as it was.
    void csere_data()
    {
        QTest::addColumn<QString>("eset");
        QTest::addColumn<bool>("cserelheto");
        QTest::newRow("csak az alapadatok") << "ures" << true;
        QTest::newRow("mintakatalógus") << "minta" << false;
        QTest::newRow("nem adatbázis") << "szemet" << false;
    }
    void csere()
    {
        QFETCH(QString, eset);
        QFETCH(bool, cserelheto);
        const QString regi = uj("regi");
        const QString program = uj("program");
        ParadoxIro::kisBolt(regi);
        QString hiba;
        if (eset == "szemet") FajlIr(db(program), "nem adatbázis");
        else QVERIFY2(Telepites::telepit(program, eset == "minta", &hiba), qPrintable(hiba));
        const QByteArray elotte = [&] { QFile f(db(program)); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }();
        const QStringList maradtElotte = maradt(program);
        const bool kesz = Atvetel::atvesz(program, {regi, {}, false, true}, nullptr, &hiba);
        QCOMPARE(kesz, cserelheto);
        if (cserelheto) {
            QCOMPARE(egy(program, "SELECT tulajdonos FROM tulajdonos"), QString("Öreg Mozi Bt."));
            QCOMPARE(maradt(program), QStringList{"kazettora.db"});
        } else {
            QVERIFY2(hiba.startsWith("Az adatbázisban már vannak az üzlet saját adatai, nem cserélem le"), qPrintable(hiba));
            QFile f(db(program));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), elotte);
            QCOMPARE(maradt(program), maradtElotte);
        }
    }

    // Missing optional tables warn; the delivered postal codes stay.
    void opcionalisTablak()
    {
        const QString regi = uj("regi");
        const QString program = uj("program");
        ParadoxIro::kisBolt(regi);
        QVERIFY(QFile::remove(regi + "/irsz.DB"));
        QVERIFY(QFile::remove(regi + "/vkod.DB"));
        Atvetel::Eredmeny e;
        QString hiba;
        QVERIFY2(Atvetel::atvesz(program, {regi, {}, false, false}, &e, &hiba), qPrintable(hiba));
        QVERIFY(e.megjegyzesek.join("\n").contains("nincs irsz tábla"));
        QVERIFY(e.megjegyzesek.join("\n").contains("nincs vkod tábla"));
        QVERIFY(egy(program, "SELECT COUNT(*) FROM irsz").toInt() > 40);
    }

    // File and field names in any letter case; a memo field is read as far
    // as its record holds it, and a longer one is refused by name.
    void memoEsBetumeret_data()
    {
        QTest::addColumn<QString>("leiras");
        QTest::addColumn<QString>("vart");
        QTest::newRow("a rekordban") << "Ő ű rövid" << "Cím|Ő ű rövid";
        QTest::newRow("a memófájlban") << QString("Hosszú leírás ő ű Ő Ű ").repeated(5)
                                       << "VIDEO.db tábla 1. sora nem vehető át: a(z) SZOVEG memómező szövege hosszabb";
    }
    void memoEsBetumeret()
    {
        QFETCH(QString, leiras);
        QFETCH(QString, vart);
        const QString regi = uj("regi");
        const QString program = uj("program");
        ParadoxIro::kisBolt(regi);
        QVERIFY(QFile::remove(regi + "/video.DB"));
        auto m = ParadoxIro::mezok("video");
        m[5] = {"SZOVEG", Paradox::MemoBlob, 30};
        m[4].nev = "Video_Nev";
        const QVariant n;
        {
            ParadoxIro::Tabla t(regi + "/VIDEO.db", m);
            t.sor({1, 1, n, n, "Cím", leiras, n, n, n, n, n, n, n, n, n, "N", "N", n, n, n, n, n, n});
        }
        QString hiba;
        const bool jo = Atvetel::atvesz(program, {regi, {}, false, false}, nullptr, &hiba);
        if (jo)
            QCOMPARE(egy(program, "SELECT video_nev, szoveg FROM video"), vart);
        else
            QVERIFY2(hiba.contains(vart), qPrintable(hiba));
    }

    // A trial run reads and checks everything and writes nothing; a zip of
    // the folder is taken as the folder; the settings come with it.
    void probaZipEsBeallitasok()
    {
        const QString regi = uj("regi");
        ParadoxIro::kisBolt(regi);
        // The earlier settings file, Windows paths, in Windows-1250.
        QByteArray ini;
        QVERIFY(Paradox::kodlapra(1250,
                                  "[Alapertek]\r\nTeljesKep=0\r\nBal=12\r\nFelul=34\r\nMagas=567\r\nSzeles=890\r\nBetumeret=11\r\n"
                                  "[Adatbazis]\r\nUtvonal=C:\\Kazettora\\Adatok Ősz\r\n"
                                  "[Archiv]\r\nMentesUtvonal=C:\\Kazettora\\Archiv\r\nMentesDatum=2024. 03. 15.\r\n"
                                  "[Vonalkod]\r\nVK_Kazettora=0\r\n",
                                  &ini));
        FajlIr(m_dir.path() + "/kazettora.INI", ini);
        const QString zip = m_dir.path() + "/regi.zip";
        QFile::remove(zip);
        QCOMPARE(QProcess::execute("zip", {"-q", "-j", zip, regi + "/tipus.DB"}), 0);
        for (const QString& f : QDir(regi).entryList(QDir::Files))
            QCOMPARE(QProcess::execute("zip", {"-q", "-j", zip, regi + "/" + f}), 0);

        const QString proba = uj("program");
        Atvetel::Eredmeny e;
        QString hiba;
        QVERIFY2(Atvetel::atvesz(proba, {zip, {}, true, false}, &e, &hiba), qPrintable(hiba));
        QCOMPARE(e.tablak.size(), 15);
        QVERIFY(e.adatbazis.isEmpty());
        QCOMPARE(QDir(proba).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());

        const QString program = uj("program");
        QVERIFY2(Atvetel::atvesz(program, {zip, m_dir.path() + "/kazettora.INI", false, false}, &e, &hiba), qPrintable(hiba));
        QCOMPARE(egy(program, "SELECT COUNT(*) FROM video"), QString("3"));
        IniFajl uj;
        QVERIFY(uj.beolvas(program + "/Kazettora.ini"));
        QCOMPARE(uj.egesz("Alapertek", "TeljesKep", 1), 0);
        QCOMPARE(uj.egesz("Alapertek", "Magas", 0), 567);
        QCOMPARE(uj.egesz("Alapertek", "Betumeret", 0), 11);
        QCOMPARE(uj.logikai("Vonalkod", "VK_Kazettora", true), false);
        QCOMPARE(uj.datum("Archiv", "MentesDatum", {}), QDate(2024, 3, 15));
        QCOMPARE(uj.szoveg("Adatbazis", "Utvonal", {}), program + "/Data");
        QCOMPARE(uj.szoveg("Archiv", "MentesUtvonal", {}), program + "/Archiv");
        const QString jel = Atvetel::jelentes(e);
        QVERIFY2(jel.contains("C:\\Kazettora\\Adatok Ősz"), qPrintable(jel));
        QVERIFY(!QDir(program).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).join(",").contains(".atvetel"));
    }
};

QTEST_GUILESS_MAIN(TstAtvetel)
#include "tst_atvetel.moc"

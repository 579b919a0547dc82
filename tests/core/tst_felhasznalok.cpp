// The users' rules: the credential check, passwords kept only as salted
// digests (and a password of an older data folder taken over once), the
// password change, saving and deleting users, the last administrator.
#include "core/admin/felhasznalok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/sema.h"
#include "tests/core/tesztmag.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>
#include <sqlite3.h>

namespace {

void felhasznalo(const QString& nev, const QString& jelszo, const QString& rg = "N", const QString& tsz = "N")
{
    Adatbazis::vegrehajt("INSERT INTO felhasznalo (felhasznalo, felhasznalo_nev, jelszo, rendszergazda, torzsszerkeszt) "
                         "VALUES (?, ?, ?, ?, ?)",
                         {nev, nev + " teljes neve", jelszo, rg, tsz});
}

QString tarolt(const QString& nev)
{
    return Adatbazis::ertek("SELECT jelszo FROM felhasznalo WHERE felhasznalo = ?", {nev}).toString();
}

bool belep(const QString& nev, const QString& jelszo) { return Felhasznalok::Azonosit(nev, jelszo).has_value(); }

// The database file changed behind the program's back, through a bare connection.
void kivulrol(const QString& adatMappa, const QStringList& utasitasok)
{
    sqlite3* h = nullptr;
    QCOMPARE(sqlite3_open(Adatbazis::fajlUtvonal(adatMappa).toUtf8().constData(), &h), SQLITE_OK);
    for (const QString& u : utasitasok) {
        char* e = nullptr;
        const int rc = sqlite3_exec(h, u.toUtf8().constData(), nullptr, nullptr, &e);
        QVERIFY2(rc == SQLITE_OK, e ? e : "?");
    }
    sqlite3_close(h);
}

// Every byte of the data file and its write-ahead log.
QByteArray fajlBajtok(const QString& adatMappa)
{
    QByteArray b;
    for (const char* v : {"", "-wal", "-journal"}) {
        QFile f(Adatbazis::fajlUtvonal(adatMappa) + v);
        if (f.open(QIODevice::ReadOnly)) b += f.readAll();
    }
    return b;
}

// Where a password could show: as typed (UTF-8 and UTF-16) and as the bare
// digests a careless program would store.
QString nyomaVan(const QByteArray& bajtok, const QString& jelszo)
{
    QList<QPair<QString, QByteArray>> mintak = {{"szöveg", jelszo.toUtf8()},
                                                 {"UTF-16", QByteArray(reinterpret_cast<const char*>(jelszo.utf16()),
                                                                       jelszo.size() * 2)}};
    for (auto [nev, alg] : {QPair<const char*, QCryptographicHash::Algorithm>{"MD5", QCryptographicHash::Md5},
                            {"SHA-1", QCryptographicHash::Sha1},
                            {"SHA-256", QCryptographicHash::Sha256}}) {
        const QByteArray d = QCryptographicHash::hash(jelszo.toUtf8(), alg);
        mintak << qMakePair(QString("%1 nyersen").arg(nev), d) << qMakePair(QString("%1 hexa").arg(nev), d.toHex())
               << qMakePair(QString("%1 base64").arg(nev), d.toBase64());
    }
    for (const auto& [nev, m] : mintak)
        if (bajtok.contains(m)) return nev;
    return {};
}

// The table as a data folder of the previous schema version has it: the
// password field ten characters wide, the password as typed.
QStringList regiFelhasznaloTabla(const QString& jelszo)
{
    return {"DROP TABLE felhasznalo",
            "CREATE TABLE felhasznalo (felhasznalo TEXT NOT NULL PRIMARY KEY, felhasznalo_nev TEXT, "
            "jelszo TEXT CONSTRAINT \"a(z) jelszo mező legfeljebb 10 karakter lehet\" "
            "CHECK (jelszo IS NULL OR length(jelszo) <= 10), rendszergazda TEXT, torzsszerkeszt TEXT)",
            QStringLiteral("INSERT INTO felhasznalo VALUES ('rendszergazda', 'Rendszergazda', '%1', 'I', 'I')").arg(jelszo),
            "INSERT INTO felhasznalo VALUES ('pult', 'Pultos', NULL, 'N', 'I')",
            "UPDATE beallit SET vanbelep = 'I'",
            "PRAGMA user_version = 2"};
}

} // namespace

class TstFelhasznalok : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>(false, true);
        m_t->nyit();
    }
    void cleanup() { m_t.reset(); }

    // A digest verifies its own password only, letter for letter; the same
    // password twice gives two digests (salted).
    void digest()
    {
        const QString d = Felhasznalok::Digest("talpfak");
        QVERIFY2(d.startsWith("$argon2id$"), qPrintable(d));
        QVERIFY(Felhasznalok::DigestE(d));
        QVERIFY(d.size() <= Sema::mezo("felhasznalo", "jelszo")->hossz);
        QVERIFY(!d.contains("talpfak"));
        QVERIFY(d != Felhasznalok::Digest("talpfak"));
        QVERIFY(Felhasznalok::Egyezik(d, "talpfak"));
        for (const char* mas : {"Talpfak", "TALPFAK", "talpfa", "talpfak ", "", "talpfakk"})
            QVERIFY2(!Felhasznalok::Egyezik(d, mas), mas);
        const QString ekezetes = Felhasznalok::Digest("őrült-ÁRVÍZ");
        QVERIFY(Felhasznalok::Egyezik(ekezetes, "őrült-ÁRVÍZ"));
        QVERIFY(!Felhasznalok::Egyezik(ekezetes, "őrült-árvíz"));
    }

    // The program's own cost is the library's interactive one; a digest of
    // another cost still verifies, and is made again at that cost when its
    // user logs in. (The time of a verify is printed for the record.)
    void digestKoltseg()
    {
        felhasznalo("pult", Felhasznalok::Digest("Pult-1"));
        QVERIFY(tarolt("pult").startsWith("$argon2id$v=19$m=8,t=1,"));
        Felhasznalok::OlcsoDigest(false);
        struct Vissza { ~Vissza() { Felhasznalok::OlcsoDigest(true); } } vissza;
        const QString d = Felhasznalok::Digest("talpfak");
        QVERIFY2(d.startsWith("$argon2id$v=19$m=65536,t=2,p=1$"), qPrintable(d));
        QElapsedTimer t;
        t.start();
        QVERIFY(Felhasznalok::Egyezik(d, "talpfak"));
        qInfo("egy jelszó ellenőrzése: %lld ms", t.elapsed());
        QVERIFY(belep("pult", "Pult-1"));
        QVERIFY2(tarolt("pult").startsWith("$argon2id$v=19$m=65536,t=2,p=1$"), qPrintable(tarolt("pult")));
        QVERIFY(belep("pult", "Pult-1"));
    }

    // The delivered user logs in with both rights; every other spelling of
    // the name or the password is refused, a name that does not exist too.
    void azonositas_data()
    {
        QTest::addColumn<QString>("nev");
        QTest::addColumn<QString>("jelszo");
        QTest::addColumn<bool>("sikeres");
        QTest::newRow("helyes") << "rendszergazda" << "talpfak" << true;
        QTest::newRow("rossz jelszó") << "rendszergazda" << "talpfa" << false;
        QTest::newRow("jelszó más betűmérettel") << "rendszergazda" << "Talpfak" << false;
        QTest::newRow("név más betűmérettel") << "Rendszergazda" << "talpfak" << false;
        QTest::newRow("név szóközzel") << "rendszergazda " << "talpfak" << false;
        QTest::newRow("nincs ilyen felhasználó") << "senki" << "talpfak" << false;
        QTest::newRow("üres") << "" << "" << false;
    }
    void azonositas()
    {
        QFETCH(QString, nev);
        QFETCH(QString, jelszo);
        QFETCH(bool, sikeres);
        const auto b = Felhasznalok::Azonosit(nev, jelszo);
        QCOMPARE(b.has_value(), sikeres);
        if (!b) return;
        QCOMPARE(b->felhasznalo, QString("rendszergazda"));
        QCOMPARE(b->felhasznalo_nev, QString("Rendszergazda"));
        QVERIFY(b->rendszergazda && b->torzsszerkeszt);
    }

    // The rights come from the row: only an exact "I" grants one.
    void jogok_data()
    {
        QTest::addColumn<QString>("rg");
        QTest::addColumn<QString>("tsz");
        QTest::newRow("csak törzsadat") << "N" << "I";
        QTest::newRow("csak rendszergazda") << "I" << "N";
        QTest::newRow("kisbetűs i") << "i" << "";
    }
    void jogok()
    {
        QFETCH(QString, rg);
        QFETCH(QString, tsz);
        felhasznalo("pult", Felhasznalok::Digest("pult1"), rg, tsz);
        TBeall.rendszergazda = TBeall.torzsszerkeszt = !(rg == "I");
        const auto b = Felhasznalok::Azonosit("pult", "pult1");
        QVERIFY(b);
        Felhasznalok::JogokBeallit(*b);
        QCOMPARE(TBeall.rendszergazda, rg == "I");
        QCOMPARE(TBeall.torzsszerkeszt, tsz == "I");
        QCOMPARE(TBeall.felhasznalo_nev, QString("pult teljes neve"));
    }

    // A row still holding the password as typed logs in with exactly that
    // password, once; from then on it holds the digest, and only the right
    // password still logs in.
    void regiJelszoAtveve()
    {
        felhasznalo("pult", "Kassza7", "N", "I");
        QVERIFY(!belep("pult", "kassza7"));
        QCOMPARE(tarolt("pult"), QString("Kassza7"));   // a refusal changes nothing
        QVERIFY(belep("pult", "Kassza7"));
        QVERIFY2(tarolt("pult").startsWith("$argon2id$"), qPrintable(tarolt("pult")));
        QVERIFY(belep("pult", "Kassza7"));
        QVERIFY(!belep("pult", "kassza7"));
        QVERIFY(!belep("pult", tarolt("pult")));   // the stored value is no password
    }

    // A data folder of the previous schema version: the password field is
    // widened when it is opened, the passwords kept; the plain password logs
    // in once and afterwards no trace of it is left in the files.
    void regiAdatmappa()
    {
        m_t.reset();
        m_t = std::make_unique<MagTelepites>(false, true);
        kivulrol(m_t->adatMappa(), regiFelhasznaloTabla("talpfak"));
        QVERIFY(fajlBajtok(m_t->adatMappa()).contains("talpfak"));
        m_t->nyit();
        QSqlDatabase db = Adatbazis::db();
        QCOMPARE(Sema::semaVerzio(db), Sema::Verzio);
        QCOMPARE(tarolt("rendszergazda"), QString("talpfak"));
        QCOMPARE(Adatbazis::ertek("PRAGMA integrity_check").toString(), QString("ok"));

        const auto b = Felhasznalok::Azonosit("rendszergazda", "talpfak");
        QVERIFY(b && b->rendszergazda && b->torzsszerkeszt);
        QVERIFY(tarolt("rendszergazda").startsWith("$argon2id$"));
        QCOMPARE(nyomaVan(fajlBajtok(m_t->adatMappa()), "talpfak"), QString());
        // The user without a password: the empty one, as before.
        QVERIFY(!belep("pult", "x"));
        QVERIFY(belep("pult", ""));
    }

    // Set up as delivered, and after password changes: no password in the
    // files, neither as typed nor as a bare digest.
    void nincsJelszoAFajlban()
    {
        QCOMPARE(nyomaVan(fajlBajtok(m_t->adatMappa()), "talpfak"), QString());
        Felhasznalok::JelszoCsere("rendszergazda", "Titok-42");
        felhasznalo("pult", Felhasznalok::Digest("Pult-1"));
        Felhasznalok::Ment("pult", {"pult", "Pult-2", "Pult-2", false, true});
        const QByteArray b = fajlBajtok(m_t->adatMappa());
        for (const char* j : {"talpfak", "Titok-42", "Pult-1", "Pult-2"}) QCOMPARE(nyomaVan(b, j), QString());
        QVERIFY(belep("rendszergazda", "Titok-42"));
        QVERIFY(belep("pult", "Pult-2"));
    }

    // After a change the old password is refused and the new one accepted;
    // a refused new password (empty, too long) changes nothing.
    void jelszoCsere_data()
    {
        QTest::addColumn<QString>("uj");
        QTest::addColumn<QString>("hiba");
        QTest::newRow("rendes") << "Ujjelszo10" << "";
        QTest::newRow("ékezetes") << "árvíztűrő" << "";
        QTest::newRow("üres") << "" << "Hiányos adat megadás";
        QTest::newRow("11 karakter") << "12345678901" << "A jelszó legfeljebb 10 karakter lehet.";
    }
    void jelszoCsere()
    {
        QFETCH(QString, uj);
        QFETCH(QString, hiba);
        const QString elotte = tarolt("rendszergazda");
        try {
            Felhasznalok::JelszoCsere("rendszergazda", uj);
            QVERIFY2(hiba.isEmpty(), "refused password stored");
        } catch (const AdatbazisHiba& e) {
            QCOMPARE(e.uzenet(), hiba);
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        if (!hiba.isEmpty()) {
            QCOMPARE(tarolt("rendszergazda"), elotte);
            QVERIFY(belep("rendszergazda", "talpfak"));
            return;
        }
        QVERIFY(!belep("rendszergazda", "talpfak"));
        QVERIFY(belep("rendszergazda", uj));
    }

    // What the edit dialog may save: a new user needs a password typed
    // twice alike; an existing one keeps its password when both are empty.
    void mentesSzabalyai_data()
    {
        QTest::addColumn<bool>("uj");
        QTest::addColumn<QString>("nev");
        QTest::addColumn<QString>("jelszo");
        QTest::addColumn<QString>("megerosites");
        QTest::addColumn<QString>("hiba");
        QTest::addColumn<QString>("belepoJelszo");   // what logs in afterwards
        QTest::newRow("új, rendben") << true << "pult" << "abc" << "abc" << "" << "abc";
        QTest::newRow("új, jelszó nélkül") << true << "pult" << "" << "" << "Hiányos adat megadás" << "";
        QTest::newRow("új, üres megerősítés") << true << "pult" << "abc" << "" << "Hibás jelszó megadás" << "";
        QTest::newRow("új, más betűméret") << true << "pult" << "abc" << "ABC" << "Hibás jelszó megadás" << "";
        QTest::newRow("új, név nélkül") << true << "" << "abc" << "abc" << "Hiányos adat megadás" << "";
        QTest::newRow("új, foglalt név") << true << "rendszergazda" << "abc" << "abc" << "Már van ilyen" << "talpfak";
        QTest::newRow("meglévő, jelszó marad") << false << "rendszergazda" << "" << "" << "" << "talpfak";
        QTest::newRow("meglévő, új jelszó") << false << "rendszergazda" << "uj" << "uj" << "" << "uj";
        QTest::newRow("meglévő, csak megerősítés") << false << "rendszergazda" << "" << "uj" << "Hibás jelszó megadás"
                                                  << "talpfak";
        QTest::newRow("meglévő, átnevezve") << false << "admin" << "" << "" << "" << "talpfak";
    }
    void mentesSzabalyai()
    {
        QFETCH(bool, uj);
        QFETCH(QString, nev);
        QFETCH(QString, jelszo);
        QFETCH(QString, megerosites);
        QFETCH(QString, hiba);
        QFETCH(QString, belepoJelszo);
        const int elotte = Adatbazis::ertek("SELECT COUNT(*) FROM felhasznalo").toInt();
        try {
            Felhasznalok::Ment(uj ? QString() : QString("rendszergazda"), {nev, jelszo, megerosites, true, true});
            QVERIFY2(hiba.isEmpty(), "refused user saved");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(!hiba.isEmpty() && e.uzenet().startsWith(hiba), qPrintable(e.uzenet()));
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        const int utana = Adatbazis::ertek("SELECT COUNT(*) FROM felhasznalo").toInt();
        QCOMPARE(utana, elotte + (uj && hiba.isEmpty() ? 1 : 0));
        const QString belepoNev = hiba.isEmpty() ? nev : QString("rendszergazda");
        if (!belepoJelszo.isEmpty()) QVERIFY(belep(belepoNev, belepoJelszo));
        if (uj && hiba.isEmpty()) {
            QCOMPARE(Adatbazis::ertek("SELECT rendszergazda || torzsszerkeszt FROM felhasznalo WHERE felhasznalo = ?", {nev})
                         .toString(),
                     QString("II"));
        }
    }

    // While login is on, the last administrator is neither deleted nor
    // stripped of the right; with another one, or with login off, both go.
    void utolsoRendszergazda()
    {
        const QString uzenet = QString::fromUtf8(Felhasznalok::UtolsoRendszergazda);
        felhasznalo("pult", Felhasznalok::Digest("p"), "N", "I");
        for (const auto& lepes : QList<std::function<void()>>{
                 [] { Felhasznalok::Torol("rendszergazda"); },
                 [] { Felhasznalok::Ment("rendszergazda", {"rendszergazda", "", "", false, true}); }}) {
            try {
                lepes();
                QFAIL("the last administrator went");
            } catch (const AdatbazisHiba& e) {
                QCOMPARE(e.uzenet(), uzenet);
            }
            QCOMPARE(Felhasznalok::RendszergazdaSzam(), 1);
            QVERIFY(!Adatbazis::tranzakcioban());
        }
        // Another user without the right goes.
        Felhasznalok::Torol("pult");
        // A second administrator: then either may go.
        Felhasznalok::Ment(QString(), {"masik", "m", "m", true, false});
        Felhasznalok::Ment("rendszergazda", {"rendszergazda", "", "", false, true});
        QCOMPARE(Felhasznalok::RendszergazdaSzam(), 1);
        try {
            Felhasznalok::Torol("masik");
            QFAIL("the last administrator went");
        } catch (const AdatbazisHiba& e) {
            QCOMPARE(e.uzenet(), uzenet);
        }
        // Login off: nothing stops it.
        Adatbazis::vegrehajt("UPDATE beallit SET vanbelep = 'N'");
        Felhasznalok::Torol("masik");
        QCOMPARE(Felhasznalok::RendszergazdaSzam(), 0);
    }
};

QTEST_GUILESS_MAIN(TstFelhasznalok)
#include "tst_felhasznalok.moc"

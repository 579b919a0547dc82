// Killing the program in the middle of rentals, returns, fee payments and
// entries typed into the cash book never leaves a half-done operation: every
// item is out with its customer or in the shop with none, every item out has
// its history row, a membership is extended exactly when its fee is in the
// cash book, and the cash book's last balance equals the sum of all its
// amounts.
//
// Every price is 1 Ft, rentals are paid in advance and returns at return,
// so each lending adds 1 Ft at rental and 1 Ft at return: the "B" total is
// twice the history rows less the items still out. A rental or a return cut
// in half (history without cash, cash without items) breaks that identity.
#include "core/admin/archiv.h"
#include "core/admin/beallitasok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/cash/cassa.h"
#include "core/customers/tagdij.h"
#include "core/rental/kolcsonzes.h"
#include "core/reports/tetelimport.h"
#include "tests/core/tesztmag.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QtTest>

namespace {

// The worker: rentals and returns without end, until it is killed.
int munkas(const QString& mappa, quint32 mag)
{
    QString hiba;
    if (!Adatbazis::nyit(mappa, &hiba)) {
        qWarning("%s", qPrintable(hiba));
        return 2;
    }
    QRandomGenerator rnd(mag);
    const int ugyfelek = Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel").toInt();
    for (;;) {
        try {
            const int mit = rnd.bounded(9);
            if (mit == 8) {
                // An entry typed into the cash book, money in or out.
                if (rnd.bounded(2)) Cassa::KeziTetel(QStringLiteral("E"), 1, 1 + rnd.bounded(3));
                else Cassa::KeziTetel(QStringLiteral("K"), -1, 1 + rnd.bounded(3));
            } else if (mit == 0) {
                // A fee payment: the expiry and its "T" row.
                Tagdij::Fizet(1 + rnd.bounded(ugyfelek), Tagdij::Honapok(rnd.bounded(Tagdij::IdoszakSzam)), 1);
            } else if (mit < 5) {
                TBeall.elorefizet = true;
                const int ugyfel = 1 + rnd.bounded(ugyfelek);
                Kolcsonzes k(ugyfel, QString(), 1 + rnd.bounded(4), 24 * (1 + rnd.bounded(3)));
                QSqlQuery q = Adatbazis::vegrehajt(
                    "SELECT video FROM video WHERE kint = 'N' ORDER BY random() LIMIT ?", {1 + rnd.bounded(5)});
                while (q.next()) k.hozzaad(q.value(0).toLongLong());
                k.befejez();
            } else {
                const QVariant video = Adatbazis::ertek("SELECT video FROM video WHERE kint = 'I' ORDER BY random() LIMIT 1");
                if (!video.isValid()) continue;
                TBeall.elorefizet = false;
                Visszavetel v = Visszavetel::targybol(video.toLongLong());
                if (v.tetelek().size() > 1 && rnd.bounded(2)) v.marad(0);
                v.befejez();
            }
        } catch (const AdatbazisHiba& e) {
            qWarning("%s", qPrintable(e.uzenet()));
            return 3;
        }
    }
}

// Workers of the other operations, one a kind, each at it until killed:
// archives of the data folder, imports of a text of ImportSorok items, and
// saves of the settings window whose file value names its row's fee.
constexpr int ImportSorok = 3000;

QString importSzoveg()
{
    QString s = QStringLiteral("kód;típus;árkat;cím;szöveg;műfaj;beszár\n");
    for (int i = 1; i <= ImportSorok; ++i) s += QStringLiteral("%1;1;1;Importált %1;;1;990\n").arg(i);
    return s;
}

int masikMunkas(const QString& mit, const QString& programMappa, quint32 mag)
{
    const QString adat = programMappa + "/Data";
    QString hiba;
    if (!Adatbazis::nyit(adat, &hiba)) {
        qWarning("%s", qPrintable(hiba));
        return 2;
    }
    const QString szoveg = importSzoveg();
    for (quint32 n = 1;; ++n) {
        try {
            if (mit == "archiv") {
                if (!Archiv::Keszit(adat, programMappa + "/Archiv/a.zip", &hiba)) {
                    qWarning("%s", qPrintable(hiba));
                    return 3;
                }
            } else if (mit == "import") {
                TetelImport::Importal(szoveg);
            } else {
                BeallitSor s = BeallitSorOlvas();
                const quint32 dij = mag % 1000 * 100000 + n;
                s.dijnegyed = dij;
                BeallitasokMent(s, {false, adat, QStringLiteral("/archiv/%1").arg(dij)},
                                programMappa + "/Kazettora.ini");
            }
        } catch (const AdatbazisHiba& e) {
            qWarning("%s", qPrintable(e.uzenet()));
            return 3;
        }
    }
}

// Starts a worker, lets it work a random while and kills it; false when it
// ended by itself.
bool megol(const QStringList& args, QRandomGenerator& rnd, int legfeljebb)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), args);
    if (!p.waitForStarted()) return false;
    QThread::msleep(rnd.bounded(5, legfeljebb));
    if (p.state() != QProcess::Running) return false;
    p.kill();
    p.waitForFinished();
    return true;
}

} // namespace

class TstOsszeomlas : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TesztKornyezet(); }

    void veletlenGyilkossag()
    {
        MagTelepites t(true);
        t.nyit();
        // Start from a shop with everything in and an empty book.
        Adatbazis::vegrehajt("UPDATE video SET kint = 'N', ugyfel = 0, kolcsid = 0, fiztip = NULL, dat_kiadva = NULL, "
                             "ido_kiadva = NULL, dat_visszakell = NULL, ido_visszakell = NULL");
        Adatbazis::vegrehajt("DELETE FROM cassa");
        Adatbazis::vegrehajt("DELETE FROM ugyfel_video");
        Adatbazis::vegrehajt("UPDATE fiztip_arkat SET ar = 1");
        Adatbazis::vegrehajt("UPDATE ugyfel SET dijfizetve = NULL");
        Adatbazis::zar();
        QRandomGenerator rnd(4242);
        int megolve = 0;
        for (int kor = 0; kor < 40; ++kor) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p.start(QCoreApplication::applicationFilePath(),
                    {"--munkas", t.adatMappa(), QString::number(rnd.generate())});
            QVERIFY(p.waitForStarted());
            // Let it work a random while: sometimes barely started, sometimes many operations in.
            QThread::msleep(rnd.bounded(5, 400));
            if (p.state() == QProcess::Running) {
                p.kill();
                ++megolve;
            }
            p.waitForFinished();
            QVERIFY2(p.exitStatus() == QProcess::CrashExit, "the worker stopped by itself");

            t.nyit();
            QCOMPARE(Adatbazis::ertek("PRAGMA integrity_check").toString(), QString("ok"));
            QCOMPARE(Adatbazis::ertek(
                         "SELECT COUNT(*) FROM video WHERE NOT ("
                         "(kint = 'I' AND ugyfel > 0 AND kolcsid > 0 AND dat_visszakell IS NOT NULL) OR "
                         "(kint = 'N' AND COALESCE(ugyfel, 0) = 0 AND COALESCE(kolcsid, 0) = 0 AND dat_visszakell IS NULL))")
                         .toInt(),
                     0);
            QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video v WHERE kint = 'I' AND NOT EXISTS "
                                      "(SELECT 1 FROM ugyfel_video h WHERE h.video = v.video AND h.ugyfel = v.ugyfel "
                                      "AND h.datum = v.dat_kiadva)").toInt(),
                     0);
            // Whole forints only, so the sums compare exactly.
            QCOMPARE(VarValos(Adatbazis::ertek("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1")),
                     VarValos(Adatbazis::ertek("SELECT SUM(osszeg) FROM cassa")));
            QCOMPARE(VarEgesz(Adatbazis::ertek("SELECT SUM(osszeg) FROM cassa WHERE cassatip = 'B'")),
                     2 * Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel_video").toInt()
                         - Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE kint = 'I'").toInt());
            // A membership is extended exactly when its fee was booked.
            QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel u WHERE (u.dijfizetve IS NOT NULL) <> "
                                      "EXISTS (SELECT 1 FROM cassa c WHERE c.cassatip = 'T' AND c.ugyfel = u.ugyfel)")
                         .toInt(),
                     0);
            // Items of one rental number belong to one customer.
            QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM (SELECT kolcsid FROM video WHERE kint = 'I' "
                                      "GROUP BY kolcsid HAVING COUNT(DISTINCT ugyfel) > 1)").toInt(),
                     0);
            Adatbazis::zar();
        }
        QVERIFY(megolve > 30);
        t.nyit();
        // The workers did real work between the kills.
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel_video").toInt() > 20);
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM cassa WHERE cassatip = 'T'").toInt() > 3);
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM cassa WHERE cassatip IN ('E', 'K')").toInt() > 3);
    }

    // A killed archive never leaves a partial zip under the archive's name,
    // and the next run removes what the killed one left beside it (its
    // temporary zips, its copy of the database).
    void archivGyilkossag()
    {
        MagTelepites t(true);
        const QString mappa = t.mappa() + "/Archiv";
        QVERIFY(QDir().mkpath(mappa));
        const bool unzip = !QStandardPaths::findExecutable("unzip").isEmpty();
        QRandomGenerator rnd(77);
        int megolve = 0;
        for (int kor = 0; kor < 15; ++kor) {
            if (megol({"--archiv", t.mappa(), "0"}, rnd, 300)) ++megolve;
            if (unzip && QFile::exists(mappa + "/a.zip")) {
                QProcess u;
                u.start("unzip", {"-tq", mappa + "/a.zip"});
                QVERIFY(u.waitForFinished());
                QCOMPARE(u.exitCode(), 0);
            }
            QString hiba;
            QVERIFY2(Archiv::Keszit(t.adatMappa(), mappa + "/a.zip", &hiba), qPrintable(hiba));
            QCOMPARE(QDir(mappa).entryList(QDir::Files | QDir::Hidden), QStringList{"a.zip"});
        }
        QVERIFY(megolve > 10);
    }

    // A killed import stores all of its items or none.
    void importGyilkossag()
    {
        MagTelepites t(false);
        QRandomGenerator rnd(78);
        int megolve = 0;
        for (int kor = 0; kor < 15; ++kor) {
            if (megol({"--import", t.mappa(), "0"}, rnd, 400)) ++megolve;
            t.nyit();
            QCOMPARE(Adatbazis::ertek("PRAGMA integrity_check").toString(), QString("ok"));
            QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt() % ImportSorok, 0);
            QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE azon = 1").toInt(),
                     Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE azon = ?", {ImportSorok}).toInt());
            Adatbazis::zar();
        }
        QVERIFY(megolve > 10);
        t.nyit();
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt() > 0);
    }

    // A killed save of the settings window: after the next start the file
    // and the row agree (the file's archive folder names the row's fee).
    void beallitasGyilkossag()
    {
        MagTelepites t(false);
        t.nyit();
        Adatbazis::vegrehajt("UPDATE beallit SET dijnegyed = 0");
        IniFajl ini;
        ini.ir("Archiv", "MentesUtvonal", QString("/archiv/0"));
        QString hiba;
        QVERIFY2(ini.ment(t.mappa() + "/Kazettora.ini", &hiba), qPrintable(hiba));
        Adatbazis::zar();
        QRandomGenerator rnd(79);
        int megolve = 0;
        for (int kor = 0; kor < 40; ++kor) {
            if (megol({"--beallitas", t.mappa(), QString::number(kor)}, rnd, 150)) ++megolve;
            t.nyit();
            BeallitasokBefejez(t.mappa() + "/Kazettora.ini");
            const QString dij = QString::number(VarEgesz(Adatbazis::ertek("SELECT dijnegyed FROM beallit")));
            IniFajl f;
            QVERIFY(f.beolvas(t.mappa() + "/Kazettora.ini"));
            QCOMPARE(f.szoveg("Archiv", "MentesUtvonal", {}), "/archiv/" + dij);
            QCOMPARE(QDir(t.mappa()).entryList({"Kazettora.ini*"}, QDir::Files | QDir::Hidden),
                     QStringList{"Kazettora.ini"});
            Adatbazis::zar();
        }
        QVERIFY(megolve > 30);
    }
};

int main(int argc, char** argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--munkas") == 0) {
        QCoreApplication app(argc, argv);
        TesztKornyezet();
        return munkas(QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]).toUInt());
    }
    for (const char* mit : {"archiv", "import", "beallitas"})
        if (argc == 4 && QByteArray(argv[1]) == QByteArray("--") + mit) {
            QCoreApplication app(argc, argv);
            TesztKornyezet();
            return masikMunkas(QString::fromLatin1(mit), QString::fromLocal8Bit(argv[2]),
                               QString::fromLatin1(argv[3]).toUInt());
        }
    QCoreApplication app(argc, argv);
    TstOsszeomlas t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_osszeomlas.moc"

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
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/cash/cassa.h"
#include "core/customers/tagdij.h"
#include "core/rental/kolcsonzes.h"
#include "tests/core/tesztmag.h"

#include <QCoreApplication>
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
};

int main(int argc, char** argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--munkas") == 0) {
        QCoreApplication app(argc, argv);
        TesztKornyezet();
        return munkas(QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]).toUInt());
    }
    QCoreApplication app(argc, argv);
    TstOsszeomlas t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_osszeomlas.moc"

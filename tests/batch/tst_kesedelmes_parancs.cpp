// The overdue follow-up from the command line, run as a scheduled job runs
// it: the program itself on a sample installation whose items out were
// given due days in the past and in the future, the PDFs read back, in
// Hungarian whatever the job's locale.
#include "core/data/konverzio.h"
#include "tests/batch/tesztparancs.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TstKesedelmesParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_program, m_futas;

    QString pdf(const QString& nev) const { return m_dir.filePath(nev + QStringLiteral(".pdf")); }

    // Through the sqlite3 tool; the fields changed here are in no index
    // ordered by the program's own collation.
    QStringList sql(const QString& s) const
    {
        QProcess p;
        p.start(QStringLiteral("sqlite3"), {m_program + QStringLiteral("/Data/kazettora.db"), s});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    ParancsFutas kazettora(const QStringList& args, const QString& lang = QStringLiteral("hu_HU.UTF-8")) const
    {
        QProcessEnvironment env = FeladatKornyezet(m_futas);
        env.insert(QStringLiteral("LANG"), lang);
        env.remove(QStringLiteral("LC_ALL"));
        return Futtat(QStringLiteral(KAZETTORA_PROGRAM), QStringList{"--program-dir", m_program} + args, env);
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
        if (QStandardPaths::findExecutable("sqlite3").isEmpty()) QSKIP("sqlite3 hiányzik");
        m_program = m_dir.filePath(QStringLiteral("telepites"));
        m_futas = m_dir.filePath(QStringLiteral("futas"));
        QVERIFY(QDir().mkpath(m_futas));
        QFile::setPermissions(m_futas, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const ParancsFutas f = KazettoraFeladat({"--program-dir", m_program, "--setup", "--sample"}, m_futas);
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        // Three items out were due ten days ago at noon, the rest are due in
        // five days; every category: 100 a day, at most 500, so each overdue
        // item owes 500 whatever the hour the test runs at.
        sql("DELETE FROM kesedelem; INSERT INTO kesedelem (arkat, turelem, napidij, plafon) SELECT arkat, 0, 100, 500 FROM arkat;"
            "UPDATE video SET dat_visszakell = date('now', 'localtime', '+5 days') WHERE kint = 'I';"
            "UPDATE video SET dat_visszakell = date('now', 'localtime', '-10 days'), ido_visszakell = '12:00:00' "
            "WHERE video IN (SELECT video FROM video WHERE kint = 'I' ORDER BY video LIMIT 3);");
        QCOMPARE(sql("SELECT COUNT(*) FROM video WHERE kint = 'I' AND dat_visszakell < date('now', 'localtime')"),
                 QStringList{"3"});
        QCOMPARE(sql("SELECT COUNT(*) FROM kesedelem"), sql("SELECT COUNT(*) FROM arkat"));
    }

    // The list in Hungarian under any locale: each overdue item once, under
    // its customer with the customer's phones, its fee, the sum of all.
    void lista_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::newRow("hu_HU") << "hu_HU.UTF-8";
        QTest::newRow("en_US") << "en_US.UTF-8";
        QTest::newRow("C") << "C";
    }
    void lista()
    {
        QFETCH(QString, lang);
        const QString fajl = pdf("kesedelmes-" + lang);
        const ParancsFutas f = kazettora({"--report", "kesedelmes", "--pdf", fajl}, lang);
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QVERIFY2(f.ki.contains(fajl + " (1 oldal)"), qPrintable(f.ki));
        const QStringList o = PdfOldalak(fajl);
        QCOMPARE(o.size(), 1);
        const QStringList s = PdfSorok(o[0]);
        const QString szoveg = s.join('\n');
        QVERIFY2(szoveg.contains("Késedelmes ügyfelek") && szoveg.contains("kód megnevezés határidő késés (nap) díj"),
                 qPrintable(szoveg));
        QVERIFY2(s.last().contains("oldal: 1") && s.last().contains("qrKesedelmes"), qPrintable(s.last()));
        const QStringList tetelek = sql(
            "SELECT printf('%05d', v.azon), v.video_nev, u.ugyfel_nev, COALESCE(u.telefon, ''), COALESCE(u.mobil, '') "
            "FROM video v JOIN ugyfel u ON (u.ugyfel = v.ugyfel) WHERE v.kint = 'I' AND v.dat_visszakell < date('now', 'localtime')");
        QCOMPARE(tetelek.size(), 3);
        for (const QString& t : tetelek) {
            const QStringList m = t.split('|');
            const QRegularExpression sor(QStringLiteral("^%1 %2 \\d{4}\\. \\d{2}\\. \\d{2}\\. 12:00 1[01] 500 Ft$")
                                             .arg(QRegularExpression::escape(m[0]), QRegularExpression::escape(m[1].simplified())));
            QCOMPARE(s.filter(sor).size(), 1);
            QVERIFY2(s.filter(QRegularExpression("^" + QRegularExpression::escape(m[2]) + " ügyfélkód: \\d+$")).size() == 1,
                     qPrintable(m[2]));
            if (!m[3].isEmpty()) QVERIFY2(szoveg.contains("telefon: " + m[3]), qPrintable(m[3]));
            if (!m[4].isEmpty()) QVERIFY2(szoveg.contains("mobil: " + m[4]), qPrintable(m[4]));
        }
        QVERIFY2(s.contains("Minden késedelmes tétel darab: 3 " + (FtMaszk(1500) + " Ft").simplified()), qPrintable(szoveg));
    }

    // A letter per customer, a page each, under the shop's name.
    void levelek()
    {
        const QString fajl = pdf("levelek");
        const ParancsFutas f = kazettora({"--report", "kesedelmes-levelek", "--pdf", fajl}, "C");
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        const QStringList ugyfelek = sql(
            "SELECT DISTINCT u.ugyfel_nev FROM video v JOIN ugyfel u ON (u.ugyfel = v.ugyfel) "
            "WHERE v.kint = 'I' AND v.dat_visszakell < date('now', 'localtime')");
        const QStringList o = PdfOldalak(fajl);
        QCOMPARE(o.size(), ugyfelek.size());
        QVERIFY2(f.ki.contains(QStringLiteral("(%1 oldal)").arg(o.size())), qPrintable(f.ki));
        QStringList megszolitottak;
        for (const QString& oldal : o) {
            const QStringList s = PdfSorok(oldal);
            QCOMPARE(s.value(0), QString("Mozimánia Videotéka"));
            const QStringList m = s.filter(QRegularExpression("^Tisztelt .*!$"));
            QCOMPARE(m.size(), 1);
            megszolitottak << m[0].mid(9).chopped(1);
            QVERIFY2(!s.filter(QRegularExpression("^Késedelmi díj összesen \\d[\\d ]* Ft$")).isEmpty(), qPrintable(s.join('|')));
        }
        megszolitottak.sort();
        QStringList vart = ugyfelek;
        for (QString& n : vart) n = n.simplified();
        vart.sort();
        QCOMPARE(megszolitottak, vart);
    }

    // --help names both reports.
    void sugo()
    {
        const ParancsFutas f = kazettora({"--help"});
        QCOMPARE(f.kod, 0);
        const QString ki = f.ki.simplified();
        QVERIFY2(ki.contains("kesedelmes-levelek (felszólító levél") && ki.contains("kesedelmes (késedelmes ügyfelek"),
                 qPrintable(f.ki));
    }
};

QTEST_MAIN(TstKesedelmesParancs)
#include "tst_kesedelmes_parancs.moc"

// The Z report reprinted from the command line (--report zaras), run as a
// scheduled job runs it: the program itself on an installation whose days
// were closed through the core, the PDF read back.
#include "core/cash/zaras.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "tests/batch/tesztparancs.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString FutasiMappa;

ParancsFutas Kazettora(const QStringList& argumentumok) { return KazettoraFeladat(argumentumok, FutasiMappa); }

} // namespace

class TstZarasParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_zart, m_ures;
    QDate m_elso, m_masodik;   // the closed days, the later one last closed
    QString m_elteres1, m_elteres2;   // their differences as printed

    QString pdf(const QString& nev) const { return m_dir.filePath(nev + QStringLiteral(".pdf")); }

    bool telepit(const QString& mappa)
    {
        const ParancsFutas f = Kazettora({"--program-dir", mappa, "--setup", "--sample"});
        if (f.kod != 0) qWarning("%s", qPrintable(f.hiba));
        return f.kod == 0;
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
        FutasiMappa = m_dir.filePath(QStringLiteral("futas"));
        QVERIFY(QDir().mkpath(FutasiMappa));
        QFile::setPermissions(FutasiMappa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_zart = m_dir.filePath(QStringLiteral("zart"));
        m_ures = m_dir.filePath(QStringLiteral("ures"));
        QVERIFY(telepit(m_zart) && telepit(m_ures));
        // Two days closed, in order, the sample's entries in them.
        QString hiba;
        QVERIFY2(Adatbazis::nyit(m_zart + "/Data", &hiba), qPrintable(hiba));
        m_masodik = QDate::currentDate();
        m_elso = m_masodik.addDays(-8);
        OraBeallit(QDateTime(m_elso, QTime(21, 5, 0)));
        m_elteres1 = Zaras::ElteresSzoveg(Zaras::Zar(m_elso, 100, "Kovács Anna").elteres);
        OraBeallit(QDateTime(m_masodik, QTime(20, 45, 30)));
        m_elteres2 = Zaras::ElteresSzoveg(Zaras::Zar(m_masodik, 700, "Kiss Béla").elteres);
        QVERIFY(m_elteres1 != m_elteres2);
        Adatbazis::zar();
        OraBeallit(TesztMost);
    }

    // Without --date the last close, with it that day's: its day, moment,
    // user and figures, one page, the path and page count on the output.
    void ujranyomtatas_data()
    {
        QTest::addColumn<bool>("datummal");
        QTest::addColumn<bool>("elso");
        QTest::newRow("az utolsó zárás") << false << false;
        QTest::newRow("--date az utolsóra") << true << false;
        QTest::newRow("--date egy korábbira") << true << true;
    }
    void ujranyomtatas()
    {
        QFETCH(bool, datummal);
        QFETCH(bool, elso);
        const QDate nap = elso ? m_elso : m_masodik;
        const QString fajl = pdf(QStringLiteral("zaras-%1-%2").arg(datummal).arg(elso));
        QStringList args{"--program-dir", m_zart, "--report", "zaras", "--pdf", fajl};
        if (datummal) args << "--date" << nap.toString(Qt::ISODate);
        const ParancsFutas f = Kazettora(args);
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QVERIFY2(f.hiba.isEmpty(), qPrintable(f.hiba));
        QCOMPARE(f.ki.trimmed(), QStringLiteral("%1 (1 oldal)").arg(fajl));
        const QStringList o = PdfOldalak(fajl);
        QCOMPARE(o.size(), 1);
        const QStringList s = PdfSorok(o[0]);
        QCOMPARE(s.value(0), QString("Mozimánia Videotéka"));
        QCOMPARE(s.value(1), QString("Napi zárás Budapest"));
        QVERIFY2(s.contains(QStringLiteral("nap: %1 zárva: %2 felhasználó: %3")
                                .arg(RovidDatum(nap), elso ? "21:05:00" : "20:45:30", elso ? "Kovács Anna" : "Kiss Béla")),
                 qPrintable(s.join('\n')));
        QVERIFY2(s.contains("megszámolt készpénz " + QString(elso ? "100 Ft" : "700 Ft")), qPrintable(s.join('\n')));
        QVERIFY2(s.contains("eltérés (megszámolt − várt) " + (elso ? m_elteres1 : m_elteres2)), qPrintable(s.join('\n')));
        QVERIFY(s.last().endsWith("qrZaras"));
    }

    // What a job is told when there is nothing to print or it asks wrongly:
    // the reason in Hungarian, exit code 1, no file.
    void hibak_data()
    {
        QTest::addColumn<bool>("ures");
        QTest::addColumn<QStringList>("argumentumok");
        QTest::addColumn<QString>("uzenet");
        const QDate nincs = QDate::currentDate().addDays(-3);
        QTest::newRow("zárás nélküli nap") << false << QStringList{"--date", nincs.toString(Qt::ISODate)}
                                           << QStringLiteral("A %1 napnak nincs zárása; nincs mit kinyomtatni.").arg(RovidDatum(nincs));
        QTest::newRow("még nem volt zárás") << true << QStringList{} << "Még nem volt napi zárás; nincs mit kinyomtatni.";
        QTest::newRow("hibás dátum") << false << QStringList{"--date", "2026-02-30"}
                                     << "Hibás dátum: „2026-02-30” (ÉÉÉÉ-HH-NN).";
        QTest::newRow("magyar dátum") << false << QStringList{"--date", "2026. 03. 14."}
                                      << "Hibás dátum: „2026. 03. 14.” (ÉÉÉÉ-HH-NN).";
    }
    void hibak()
    {
        QFETCH(bool, ures);
        QFETCH(QStringList, argumentumok);
        QFETCH(QString, uzenet);
        const ParancsFutas f = Kazettora(QStringList{"--program-dir", ures ? m_ures : m_zart, "--report", "zaras",
                                                     "--pdf", pdf("x")} + argumentumok);
        QCOMPARE(f.kod, 1);
        QCOMPARE(f.hiba.trimmed(), uzenet);
        QVERIFY(!QFile::exists(pdf("x")));
    }

    // --date belongs to this report alone; --help tells both.
    void datumMasJelentesnel()
    {
        const ParancsFutas f = Kazettora({"--program-dir", m_zart, "--report", "cassa", "--pdf", pdf("y"), "--date",
                                          QDate::currentDate().toString(Qt::ISODate)});
        QCOMPARE(f.kod, 1);
        QCOMPARE(f.hiba.trimmed(), QString("A --date csak a --report zaras mellé adható meg."));
        QVERIFY(!QFile::exists(pdf("y")));
        const ParancsFutas s = Kazettora({"--help"});
        QCOMPARE(s.kod, 0);
        QVERIFY2(s.ki.contains("--date <NAP>") && s.ki.contains("zaras"), qPrintable(s.ki));
    }
};

QTEST_MAIN(TstZarasParancs)
#include "tst_zaras_parancs.moc"

// The batch commands started with cron's empty environment (no LANG at all)
// and from an English desktop: the archive's day reaches the settings file
// in the form the program at the counter reads back (and so it does not ask
// the closing question), and the export writes Hungarian dates and decimal
// commas, byte for byte what the program writes under hu_HU.
#include "core/admin/archiv.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/reports/hatarolt.h"
#include "core/reports/listaexport.h"
#include "tests/core/tesztmag.h"
#include "tests/batch/tesztparancs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray olvas(const QString& fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nincs>");
}

// Only what cron gives (env -i with a PATH), plus the locale asked for.
QProcessEnvironment Kornyezet(const QString& lang)
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!lang.isEmpty()) env.insert(QStringLiteral("LANG"), lang);
    return env;
}

} // namespace

class TstHelyiKornyezetParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString mappa() const { return m_dir.filePath("telepites"); }
    QString ini() const { return mappa() + "/Kazettora.ini"; }
    static void kornyezetek()
    {
        QTest::addColumn<QString>("lang");
        QTest::newRow("env -i") << QString();
        QTest::newRow("LANG=en_US.UTF-8") << "en_US.UTF-8";
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        const ParancsFutas f = KazettoraFeladat({"--program-dir", mappa(), "--setup", "--sample"});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        // An item with a price that has a fraction and a purchase day, so
        // that the export shows a decimal separator and a date.
        ProgramUtvonalBeallit(mappa());
        QString hiba;
        QVERIFY2(Adatbazis::nyit(mappa() + "/Data", &hiba), qPrintable(hiba));
        {
            Adatbazis::Tranzakcio t;
            Adatbazis::vegrehajt("UPDATE video SET ar = 1234.5, dat_besz = ? WHERE video = (SELECT MIN(video) FROM video)",
                                 {QDate(2026, 3, 7)});
            t.jovahagy();
        }
        Adatbazis::zar();
    }

    void archivNapja_data() { kornyezetek(); }
    void archivNapja()
    {
        QFETCH(QString, lang);
        IniFajl regi;
        regi.ir("Archiv", "MentesDatum", QDate(2020, 1, 2));
        QVERIFY(regi.ment(ini(), nullptr));
        const QString cel = m_dir.filePath("ejjeli.zip");
        QFile::remove(cel);
        const ParancsFutas f = Futtat(QStringLiteral(KAZETTORA_PROGRAM), {"--program-dir", mappa(), "--archive", cel},
                                      Kornyezet(lang));
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QCOMPARE(f.ki.trimmed(), cel);

        // The file holds the Hungarian short date, and the counter (this
        // process, hu_HU) reads today from it: no closing question tonight.
        // "Today" as the job saw it: without TZ it keeps the machine's own
        // time zone, which near midnight is another day than this test's.
        const ParancsFutas nap = Futtat(QStringLiteral("date"), {"+%Y-%m-%d"}, Kornyezet(lang));
        const QDate ma = QDate::fromString(nap.ki.trimmed(), Qt::ISODate);
        QVERIFY2(ma.isValid(), qPrintable(nap.ki + nap.hiba));
        QVERIFY2(olvas(ini()).contains("MentesDatum=" + ma.toString("yyyy. MM. dd.").toUtf8()), olvas(ini()).constData());
        IniFajl f2;
        QVERIFY(f2.beolvas(ini()));
        const QDate rogzitett = f2.datum("Archiv", "MentesDatum", QDate());
        QCOMPARE(rogzitett, ma);
        QVERIFY(!Archiv::EmlekeztetoKell(rogzitett, ma));
    }

    void exportFajl_data() { kornyezetek(); }
    void exportFajl()
    {
        QFETCH(QString, lang);
        const QString fajl = m_dir.filePath("video.csv");
        QFile::remove(fajl);
        const ParancsFutas f = Futtat(QStringLiteral(KAZETTORA_PROGRAM), {"--program-dir", mappa(), "--export", "video", fajl},
                                      Kornyezet(lang));
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        const QByteArray b = olvas(fajl);
        QVERIFY2(b.contains("1234,5") && !b.contains("1234.5"), b.left(400).constData());
        QVERIFY2(b.contains("2026. 03. 07."), b.left(400).constData());

        // What the program writes at the counter under hu_HU.
        ProgramUtvonalBeallit(mappa());
        QString hiba;
        QVERIFY2(Adatbazis::nyit(mappa() + "/Data", &hiba), qPrintable(hiba));
        const QString vart = m_dir.filePath("video-vart.csv");
        Hatarolt::Ir(ListaExport::TetelekKodSorrendben(), Hatarolt::Beallitas{}, vart);
        Adatbazis::zar();
        QCOMPARE(b, olvas(vart));
    }
};

QTEST_GUILESS_MAIN(TstHelyiKornyezetParancs)
#include "tst_helyi_kornyezet_parancs.moc"

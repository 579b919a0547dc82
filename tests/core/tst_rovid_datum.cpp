// The short date of the settings file and the grids: one Hungarian form
// written whatever the locale, read back in that form and in the forms
// earlier versions wrote under other locales, never misread.
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "tests/core/tesztmag.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTime>
#include <QtTest>

class TstRovidDatum : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { TesztKornyezet(); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary)); }

    void olvasas_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<QDate>("vart");   // invalid: must not read as a date
        const QDate dec10(2026, 12, 10);
        QTest::newRow("magyar") << "2026. 12. 10." << dec10;
        QTest::newRow("magyar, pont nélkül a végén") << "2026. 12. 10" << dec10;
        QTest::newRow("magyar, szóköz nélkül") << "2026.12.10." << dec10;
        QTest::newRow("magyar, két jegyű év") << "26. 12. 10." << dec10;
        QTest::newRow("magyar, egy jegyű hónap") << "2026. 3. 7." << QDate(2026, 3, 7);
        QTest::newRow("körülötte szóköz") << "  2026. 12. 10.  " << dec10;
        QTest::newRow("ISO") << "2026-12-10" << dec10;
        QTest::newRow("C") << "10 Dec 2026" << dec10;
        QTest::newRow("C, egy jegyű nap") << "1 Mar 2026" << QDate(2026, 3, 1);
        QTest::newRow("C, kisbetűs hónap") << "10 dec 2026" << dec10;
        QTest::newRow("en_US") << "12/10/26" << dec10;
        QTest::newRow("en_US, hónap előbb") << "3/7/26" << QDate(2026, 3, 7);
        QTest::newRow("en_US, négy jegyű év") << "12/10/2026" << dec10;
        QTest::newRow("szökőnap") << "2024. 02. 29." << QDate(2024, 2, 29);
        // A slash form is month first: a day-first date with a day over 12
        // does not exist there and must not slip through as another day.
        QTest::newRow("nap előbb, perjellel") << "25/12/26" << QDate();
        QTest::newRow("német, nap előbb") << "10.12.26" << QDate();
        QTest::newRow("nem létező nap") << "2026. 02. 30." << QDate();
        QTest::newRow("nem létező hónap") << "2026-13-01" << QDate();
        QTest::newRow("ismeretlen hónapnév") << "10 Dez 2026" << QDate();
        QTest::newRow("magyar hónapnév") << "2026. dec. 10." << QDate();
        QTest::newRow("három jegyű év") << "226. 12. 10." << QDate();
        QTest::newRow("pont és perjel keverve") << "12/10.2026" << QDate();
        QTest::newRow("szöveg") << "tegnapelőtt" << QDate();
        QTest::newRow("üres") << "" << QDate();
    }
    void olvasas()
    {
        QFETCH(QString, szoveg);
        QFETCH(QDate, vart);
        const QDate d = RovidDatumbol(szoveg);
        QCOMPARE(d.isValid(), vart.isValid());
        if (vart.isValid()) QCOMPARE(d, vart);
    }

    // What the earlier versions really wrote: the system short date of the
    // locale they were started under, for days that try every field.
    void korabbiVaziokIrasa_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("hu_HU") << QLocale(QLocale::Hungarian, QLocale::Hungary);
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    }
    void korabbiVaziokIrasa()
    {
        QFETCH(QLocale, locale);
        for (const QDate& d : {QDate(2026, 12, 10), QDate(2026, 1, 2), QDate(2031, 10, 31), QDate(2000, 5, 9)}) {
            const QString szoveg = locale.toString(d, QLocale::ShortFormat);
            QVERIFY2(RovidDatumbol(szoveg) == d, qPrintable(szoveg));
        }
    }

    // The form written does not follow the environment: under an English
    // default the file still gets the Hungarian date, times and decimals.
    void irasHelyfuggetlen_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("hu_HU") << QLocale(QLocale::Hungarian, QLocale::Hungary);
    }
    void irasHelyfuggetlen()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        QCOMPARE(RovidDatum(QDate(2026, 12, 10)), QString("2026. 12. 10."));
        QCOMPARE(VarSzoveg(QDate(2026, 3, 7)), QString("2026. 03. 07."));
        QCOMPARE(HosszuIdo(QTime(9, 5, 7)), QString("9:05:07"));
        QCOMPARE(VarSzoveg(1234.5), QString("1234,5"));
    }

    // The cron archive's day, written by an older version in the C locale,
    // is the day of the last archive for the program at the counter; a new
    // write puts the Hungarian form in its place.
    void beallitasFajl_data()
    {
        QTest::addColumn<QString>("irt");
        QTest::newRow("C") << "10 Dec 2026";
        QTest::newRow("en_US") << "12/10/26";
        QTest::newRow("ISO") << "2026-12-10";
        QTest::newRow("magyar") << "2026. 12. 10.";
    }
    void beallitasFajl()
    {
        QFETCH(QString, irt);
        const QString ini = m_dir.filePath("Kazettora.ini");
        {
            QFile f(ini);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("[Archiv]\nMentesDatum=" + irt.toUtf8() + "\n");
        }
        IniFajl be;
        QVERIFY(be.beolvas(ini));
        QCOMPARE(be.datum("Archiv", "MentesDatum", QDate(2000, 1, 1)), QDate(2026, 12, 10));

        QLocale::setDefault(QLocale::c());
        be.ir("Archiv", "MentesDatum", QDate(2026, 12, 11));
        QVERIFY(be.ment(ini, nullptr));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("MentesDatum=2026. 12. 11."));
    }
};

QTEST_GUILESS_MAIN(TstRovidDatum)
#include "tst_rovid_datum.moc"

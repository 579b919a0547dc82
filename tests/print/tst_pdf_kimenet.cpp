// A report written to a PDF file lands whole or not at all: a full disk or a
// folder that takes no file leaves an older file of that name as it was and
// nothing else behind, with the reason in Hungarian; what a killed run left
// beside the target is removed by the next one.
#include "print/reports/tqrlista.h"
#include "tests/print/tesztparbeszed.h"
#include "tests/print/tst_jelentes_pdf.h"
#include "tests/core/tesztfajl.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

namespace {

QByteArray olvas(const QString& fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(nincs)");
}

} // namespace

class TstPdfKimenet : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;

    QString celMappa() const { return m_t->mappa() + "/pdf"; }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>(true);
        m_t->nyit();
        QVERIFY(QDir().mkpath(celMappa()));
    }
    void cleanup() { m_t.reset(); }

    void hibanARegiMarad_data()
    {
        QTest::addColumn<QString>("eset");
        QTest::addColumn<QString>("ok");
        QTest::newRow("betelt lemez") << "teli" << "betelt a lemez";
        QTest::newRow("nem írható mappa") << "mappa" << "nem mappa";
    }
    void hibanARegiMarad()
    {
        QFETCH(QString, eset);
        QFETCH(QString, ok);
        const QString fajl = eset == "teli" ? celMappa() + "/lista.pdf" : celMappa() + "/lista.pdf/alatta.pdf";
        FajlIr(celMappa() + "/lista.pdf", "régi PDF");
        std::unique_ptr<TqrListaAlap> qr = TetelListaJelentes(TetelLista::Teljes);
        qr->megnyit();
        QString hiba;
        {
            std::optional<TeliLemez> teli;
            if (eset == "teli") teli.emplace(8 * 1024);
            QVERIFY(!qr->pdfbe(fajl, &hiba));
        }
        QVERIFY2(hiba.startsWith("A PDF fájl nem írható: " + fajl) && hiba.contains(ok), qPrintable(hiba));
        QCOMPARE(olvas(celMappa() + "/lista.pdf"), QByteArray("régi PDF"));
        QCOMPARE(QDir(celMappa()).entryList(QDir::Files | QDir::Hidden), QStringList{"lista.pdf"});
    }

    // A whole file replaces the older one; a dead run's temporary goes, a
    // live one's stays.
    void sikerEsMaradekok()
    {
        const QString h = HalottFolyamat();
        std::optional<EloFolyamat> el(std::in_place);
        const QString e = el->szam();
        FajlIr(celMappa() + "/lista.pdf", "régi PDF");
        FajlIr(celMappa() + "/lista.pdf.kazettora-" + h + ".tmp", "%PDF-1.4 csonka");
        FajlIr(celMappa() + "/masik.pdf.kazettora-" + e + ".tmp", "%PDF-1.4 készül");
        std::unique_ptr<TqrListaAlap> qr = TetelListaJelentes(TetelLista::Teljes);
        qr->megnyit();
        QString hiba;
        const bool kesz = qr->pdfbe(celMappa() + "/lista.pdf", &hiba);
        el.reset();
        QVERIFY2(kesz, qPrintable(hiba));
        QVERIFY(!PdfOldalak(celMappa() + "/lista.pdf").isEmpty());
        QVERIFY(olvas(celMappa() + "/lista.pdf").trimmed().endsWith("%%EOF"));
        QCOMPARE(QDir(celMappa()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"lista.pdf", "masik.pdf.kazettora-" + e + ".tmp"}));
    }
};

QTEST_MAIN(TstPdfKimenet)
#include "tst_pdf_kimenet.moc"

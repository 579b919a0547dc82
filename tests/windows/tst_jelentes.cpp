// The report engine: pages, bands, groups, sums, growing texts, columns,
// system values and the three outputs, read back from the printed PDF.
#include "core/data/adatbazis.h"
#include "print/common/jelentes.h"
#include "tests/windows/tesztsegito.h"
#include "windows/common/ablakparbeszed.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QFontInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRawFont>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using B = Jelentes::Betu;

QList<QVariantMap> Sorok(int n)
{
    QList<QVariantMap> l;
    for (int i = 1; i <= n; ++i)
        l << QVariantMap{{"Nev", QStringLiteral("sor %1").arg(i, 3, 10, QChar('0'))}, {"ar", i * 10.0}};
    return l;
}

// A4, 10 mm margins: header 20, footer 10, detail 10 mm, so the body holds
// 247 mm: 24 detail rows, and a 10 mm summary after at most 23.
void Alap(Jelentes& r)
{
    r.lap(QPageSize::A4);
    r.lapFej.magassag = 20;
    r.lapFej.szoveg({0, 0, 100, 8}, "FEJLÉC", B("Arial", 12, Jelentes::Felkover));
    r.lapFej.forrasMezo({100, 0, 90, 6}, "tulajdonos", "TULAJDONOS", B("Arial", 10), Jelentes::Jobb);
    r.lapFej.szoveg({0, 14, 40, 5}, "megnevezés", B("Arial", 8, Jelentes::Dolt));
    r.lapFej.vonal({0, 19.5, 190, 19.5}, 0.5, Qt::gray);
    r.reszlet.magassag = 10;
    r.reszlet.mezo({0, 2, 60, 5}, "nev", B("Arial", 9));
    r.reszlet.mezo({150, 2, 40, 5}, "ar", B("Arial", 9), Jelentes::Jobb);
    r.osszegzes.magassag = 10;
    r.osszegzes.szoveg({0, 2, 60, 5}, "ÖSSZESEN", B("Arial", 9, Jelentes::Dolt));
    r.osszegzes.osszeg({150, 2, 40, 5}, "ar", B("Arial", 9, Jelentes::Felkover), Jelentes::Jobb);
    r.lapLab.magassag = 10;
    r.lapLab.vonal({0, 0, 190, 0});
    r.lapLab.rendszer({0, 2, 60, 4}, Jelentes::Oldal, B("Courier New", 8), Jelentes::Bal, "oldal: ");
    r.lapLab.rendszer({60, 2, 20, 4}, Jelentes::OldalOsszes, B("Courier New", 8), Jelentes::Bal, "/");
    r.lapLab.rendszer({130, 2, 60, 4}, Jelentes::Nev, B("Courier New", 8), Jelentes::Jobb);
    r.forras("Tulajdonos", {{"tulajdonos", "Mozimánia Videotéka"}});
}

// Which page (1-based) holds a line containing `szoveg`; 0: none. Fails on two.
int Oldalon(const QStringList& oldalak, const QString& szoveg)
{
    int hol = 0;
    for (int i = 0; i < oldalak.size(); ++i) {
        const int db = oldalak[i].count(szoveg);
        if (db > 1 || (db == 1 && hol)) return -1;
        if (db == 1) hol = i + 1;
    }
    return hol;
}

int SorIndex(const QStringList& sorok, const QString& szoveg)
{
    for (int i = 0; i < sorok.size(); ++i)
        if (sorok[i].contains(szoveg)) return i;
    return -1;
}

// Rows made as they are read, never held: item i of n is of type "A" in
// the first half, "B" after, priced i. Counts how often it is read.
class Gyarto : public Jelentes::Kurzor {
public:
    explicit Gyarto(int n, int* olvasasok) : m_n(n), m_olvasasok(olvasasok) {}
    void elejere() override { m_i = 0; m_kezdett = false; }
    QStringList mezok() const override { return {"Tipus", "Nev", "Ar"}; }
    bool kovetkezo() override
    {
        if (!m_kezdett) {
            m_kezdett = true;
            ++*m_olvasasok;
        }
        return ++m_i <= m_n;
    }
    QVariant ertek(int oszlop) const override
    {
        switch (oszlop) {
        case 0: return m_i <= m_n / 2 ? "A" : "B";
        case 1: return QStringLiteral("tétel %1").arg(m_i, 5, 10, QChar('0'));
        default: return double(m_i);
        }
    }

private:
    int m_n, m_i = 0;
    bool m_kezdett = false;
    int* m_olvasasok;
};

} // namespace

class TstJelentes : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_n = 0;
    QString ujFajl() { return m_dir.filePath(QStringLiteral("j%1.pdf").arg(++m_n)); }
    QStringList Nyomtat(Jelentes& r, QString* fajlOut = nullptr)
    {
        const QString f = ujFajl();
        QString hiba;
        if (!r.pdfbe(f, &hiba)) qWarning("%s", qPrintable(hiba));
        if (fajlOut) *fajlOut = f;
        return PdfOldalak(f);
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
    }

    // Header and footer on every page, the first and the last included;
    // rows flow onto the next page, each printed once, in order; the summary
    // moves to a page of its own when it no longer fits.
    void oldaltores_data()
    {
        QTest::addColumn<int>("sorok");
        QTest::addColumn<int>("oldalak");
        QTest::addColumn<int>("osszegzesOldala");
        QTest::newRow("nincs sor") << 0 << 1 << 1;
        QTest::newRow("az összegzés még befér") << 23 << 1 << 1;
        QTest::newRow("az összegzés átkerül") << 24 << 2 << 2;
        QTest::newRow("két teli oldal") << 48 << 3 << 3;
        QTest::newRow("három oldal") << 50 << 3 << 3;
    }
    void oldaltores()
    {
        QFETCH(int, sorok);
        QFETCH(int, oldalak);
        QFETCH(int, osszegzesOldala);
        Jelentes r("Próba", "qrProba");
        Alap(r);
        r.adat(Sorok(sorok));
        const QStringList o = Nyomtat(r);
        QCOMPARE(o.size(), oldalak);
        QCOMPARE(r.oldalak(), oldalak);
        for (int i = 0; i < o.size(); ++i) {
            QVERIFY2(o[i].contains("FEJLÉC") && o[i].contains("Mozimánia Videotéka") && o[i].contains("megnevezés"),
                     qPrintable(o[i]));
            QVERIFY2(o[i].simplified().contains(QStringLiteral("oldal: %1 /%2").arg(i + 1).arg(oldalak)),
                     qPrintable(o[i]));
            QVERIFY(o[i].contains("qrProba"));
        }
        for (int s = 1; s <= sorok; ++s)
            QCOMPARE(Oldalon(o, QStringLiteral("sor %1").arg(s, 3, 10, QChar('0'))), (s - 1) / 24 + 1);
        QCOMPARE(Oldalon(o, "ÖSSZESEN"), osszegzesOldala);
        // Rows come in order down each page.
        const QStringList elso = PdfSorok(o[0]);
        for (int s = 2; s <= std::min(sorok, 24); ++s)
            QVERIFY(SorIndex(elso, QStringLiteral("sor %1").arg(s, 3, 10, QChar('0')))
                    > SorIndex(elso, QStringLiteral("sor %1").arg(s - 1, 3, 10, QChar('0'))));
        const QString osszeg = QString::number(10 * sorok * (sorok + 1) / 2);
        QVERIFY2(PdfSorok(o[osszegzesOldala - 1]).contains("ÖSSZESEN " + osszeg), qPrintable(o.last()));
    }

    // A new group each time the key changes between neighbouring rows, with
    // its own count and sum; the summary counts and sums every row.
    void csoportok_data()
    {
        QTest::addColumn<QStringList>("tipusok");
        QTest::addColumn<QStringList>("vart");
        QTest::newRow("három csoport") << QStringList{"VHS", "VHS", "DVD", "PC", "PC", "PC"}
                                       << QStringList{"VHS", "Összesen 2 tétel 30", "DVD", "Összesen 1 tétel 30",
                                                      "PC", "Összesen 3 tétel 150", "Mind 6 tétel 210"};
        QTest::newRow("visszatérő kulcs") << QStringList{"VHS", "DVD", "VHS"}
                                          << QStringList{"VHS", "Összesen 1 tétel 10", "DVD", "Összesen 1 tétel 20",
                                                         "VHS", "Összesen 1 tétel 30", "Mind 3 tétel 60"};
        QTest::newRow("üres kulcs is csoport") << QStringList{"", "", "VHS"}
                                               << QStringList{"Összesen 2 tétel 30", "VHS", "Összesen 1 tétel 30",
                                                              "Mind 3 tétel 60"};
        QTest::newRow("nincs sor: nincs csoportláb") << QStringList{} << QStringList{"Mind 0 tétel 0"};
    }
    void csoportok()
    {
        QFETCH(QStringList, tipusok);
        QFETCH(QStringList, vart);
        Jelentes r("Csoportok", "qrCsop");
        r.lap(QPageSize::A4);
        r.reszlet.magassag = 6;
        r.reszlet.mezo({10, 0, 40, 5}, "nev", B("Arial", 9));
        Jelentes::Csoport& cs = r.csoport("tipus");
        cs.fej.magassag = 6;
        cs.fej.mezo({0, 0, 60, 5}, "tipus_nev", B("Arial", 10, Jelentes::Felkover));
        cs.lab.magassag = 6;
        cs.lab.szoveg({0, 0, 20, 5}, "Összesen", B("Arial", 10));
        cs.lab.darab({22, 0, 10, 5}, B("Arial", 10), Jelentes::Jobb);
        cs.lab.szoveg({34, 0, 20, 5}, "tétel", B("Arial", 10));
        cs.lab.osszeg({60, 0, 20, 5}, "ar", B("Arial", 10), Jelentes::Jobb);
        r.osszegzes.magassag = 6;
        r.osszegzes.szoveg({0, 0, 20, 5}, "Mind", B("Arial", 10));
        r.osszegzes.darab({22, 0, 10, 5}, B("Arial", 10), Jelentes::Jobb);
        r.osszegzes.szoveg({34, 0, 20, 5}, "tétel", B("Arial", 10));
        r.osszegzes.osszeg({60, 0, 20, 5}, "ar", B("Arial", 10), Jelentes::Jobb);
        QList<QVariantMap> sorok;
        for (int i = 0; i < tipusok.size(); ++i)
            sorok << QVariantMap{{"tipus", tipusok[i]}, {"tipus_nev", tipusok[i]},
                                 {"nev", QStringLiteral("tétel%1").arg(i + 1)}, {"ar", 10 * (i + 1)}};
        r.adat(sorok);
        const QStringList o = Nyomtat(r);
        QCOMPARE(o.size(), 1);
        QStringList kapott;
        for (const QString& s : PdfSorok(o[0]))
            if (!s.startsWith(QStringLiteral("tétel"))) kapott << s;
        QCOMPARE(kapott, vart);
        // Every row under its own group header.
        const QStringList sorokKi = PdfSorok(o[0]);
        for (int i = 0; i < tipusok.size(); ++i)
            QCOMPARE(sorokKi.count(QStringLiteral("tétel%1").arg(i + 1)), 1);
    }

    // Nested groups: the inner group starts again when the outer one changes.
    void beagyazottCsoport()
    {
        Jelentes r("Csoportok", "qrCsop");
        r.reszlet.magassag = 6;
        r.reszlet.mezo({10, 0, 40, 5}, "nev");
        auto& kulso = r.csoport("a");
        kulso.fej.magassag = 6;
        kulso.fej.mezo({0, 0, 40, 5}, "a", B(), Jelentes::Bal).szoveg = "A=";
        kulso.lab.magassag = 6;
        kulso.lab.darab({0, 0, 40, 5}).szoveg = "A db ";
        auto& belso = r.csoport("b");
        belso.fej.magassag = 6;
        belso.fej.mezo({0, 0, 40, 5}, "b").szoveg = "B=";
        belso.lab.magassag = 6;
        belso.lab.darab({0, 0, 40, 5}).szoveg = "B db ";
        r.adat({{{"a", 1}, {"b", 1}, {"nev", "x1"}}, {{"a", 1}, {"b", 2}, {"nev", "x2"}},
                {{"a", 2}, {"b", 2}, {"nev", "x3"}}, {{"a", 2}, {"b", 2}, {"nev", "x4"}}});
        const QStringList o = Nyomtat(r);
        QCOMPARE(o.size(), 1);
        QCOMPARE(PdfSorok(o[0]), (QStringList{"A=1", "B=1", "x1", "B db 1", "B=2", "x2", "B db 1", "A db 2", "A=2",
                                              "B=2", "x3", "x4", "B db 2", "A db 2"}));
    }

    // A group header is not left alone at the foot of a page: it goes over
    // with its first row.
    void csoportfejNemMaradEgyedul()
    {
        Jelentes r("Csoportok", "qrCsop");
        r.lap(QPageSize::A5);   // 190 mm body, no header or footer
        r.reszlet.magassag = 10;
        r.reszlet.mezo({10, 0, 40, 5}, "nev");
        auto& cs = r.csoport("t");
        cs.fej.magassag = 10;
        cs.fej.mezo({0, 0, 40, 5}, "t");
        QList<QVariantMap> l;
        for (int i = 1; i <= 18; ++i) l << QVariantMap{{"t", "T1"}, {"nev", QStringLiteral("n%1").arg(i)}};
        l << QVariantMap{{"t", "T2"}, {"nev", "utolsó"}};   // header at 190 mm: 10 mm left, not 20
        r.adat(l);
        const QStringList o = Nyomtat(r);
        QCOMPARE(o.size(), 2);
        QCOMPARE(PdfSorok(o[1]), (QStringList{"T2", "utolsó"}));
    }

    // A word-wrapping text grows its band: what lies under it moves down,
    // frames around it stretch, the next row starts below it, and a grown
    // row that no longer fits goes to the next page whole.
    void tordeltSzovegNoveliASavot()
    {
        const QString hosszu = QStringLiteral(
            "Első mondat a hosszú szövegből, amely több sorra tördelődik. Második mondat, még hosszabb, hogy biztosan "
            "legalább négy sorra legyen szükség ezen a keskeny helyen. Harmadik mondat a végén.");
        Jelentes r("Tördelés", "qrTordel");
        r.lap(QPageSize::A5);
        r.reszlet.magassag = 8;
        r.reszlet.mezo({0, 1, 10, 5}, "n");
        Jelentes::Elem& t = r.reszlet.mezo({12, 1, 50, 5}, "szoveg", B("Times New Roman", 10));
        t.tordel = true;
        r.reszlet.keret({11, 0.5, 52, 6});
        r.reszlet.szoveg({12, 6.5, 40, 1.5}, "alatta", B("Arial", 4));
        r.reszlet.vonal({0, 8, 128, 8}, 0.2, Qt::gray);
        QList<QVariantMap> l{{{"n", "R1"}, {"szoveg", hosszu}}, {{"n", "R2"}, {"szoveg", "rövid"}}};
        // Enough short rows that a long one near the bottom must go over.
        for (int i = 3; i <= 21; ++i) l << QVariantMap{{"n", QStringLiteral("R%1").arg(i)}, {"szoveg", "x"}};
        l << QVariantMap{{"n", "RV"}, {"szoveg", hosszu}};
        r.adat(l);
        QString fajl;
        const QStringList o = Nyomtat(r, &fajl);
        QCOMPARE(o.size(), 2);
        const QStringList s = PdfSorok(o[0]);
        const int r1 = SorIndex(s, "R1"), harmadik = SorIndex(s, "Harmadik"), alatta = SorIndex(s, "alatta"),
                  r2 = SorIndex(s, "R2");
        QVERIFY2(r1 >= 0 && harmadik >= r1 + 3, qPrintable(o[0]));   // four lines at least
        QVERIFY2(alatta > harmadik, qPrintable(o[0]));
        QVERIFY2(r2 > alatta, qPrintable(o[0]));
        // Every word printed once: nothing cut or overdrawn.
        for (const QString& szo : hosszu.split(' '))
            QVERIFY2(o[0].count(szo) >= 1, qPrintable(szo));
        QCOMPARE(Oldalon(o, "RV"), 2);
        QVERIFY(o[1].contains("Harmadik mondat a végén."));
    }

    // A text with no spaces still wraps inside its width, and typed line
    // breaks are kept.
    void tordelesSzokozNelkulEsSortoressel()
    {
        Jelentes r("Tördelés", "qrTordel");
        r.lap(QPageSize::A5);
        r.osszegzes.magassag = 6;
        r.osszegzes.szoveg({0, 0, 30, 5}, QString(60, 'W'), B("Courier New", 10)).tordel = true;
        r.osszegzes.szoveg({40, 0, 60, 5}, "egy\nkettő\r\nhárom", B("Arial", 10)).tordel = true;
        const QStringList o = Nyomtat(r);
        QCOMPARE(o.size(), 1);
        QString w;
        int wsorok = 0;
        for (const QString& s : PdfSorok(o[0])) {
            const QString csakW = s.section(' ', 0, 0);
            if (csakW.startsWith('W')) { w += csakW; ++wsorok; }
        }
        QCOMPARE(w, QString(60, 'W'));
        QVERIFY(wsorok >= 3);
        const QStringList s = PdfSorok(o[0]);
        QVERIFY(SorIndex(s, "egy") < SorIndex(s, "kettő"));
        QVERIFY(SorIndex(s, "kettő") < SorIndex(s, "három"));
    }

    // A band taller than a whole page is printed cut at the footer instead
    // of pushing pages forever.
    void oldalnalMagasabbSav()
    {
        Jelentes r("Nagy", "qrNagy");
        r.lap(QPageSize::A5);
        r.lapLab.magassag = 8;
        r.lapLab.rendszer({0, 0, 40, 5}, Jelentes::Oldal, B(), Jelentes::Bal, "oldal: ");
        r.reszlet.magassag = 5;
        r.reszlet.mezo({0, 0, 20, 5}, "s", B("Arial", 12)).tordel = true;
        QString sok;
        for (int i = 1; i <= 120; ++i) sok += QStringLiteral("szó%1\n").arg(i);
        r.adat({{{"s", "előtte"}}, {{"s", sok}}, {{"s", "utána"}}});
        const QStringList o = Nyomtat(r);
        QCOMPARE(o.size(), 3);
        QVERIFY(o[0].contains("előtte") && !o[0].contains("szó1\n"));
        QVERIFY(o[1].contains("szó1") && !o[1].contains("szó120"));
        QVERIFY(o[2].contains("utána"));
        for (int i = 0; i < 3; ++i) QVERIFY(o[i].contains(QStringLiteral("oldal: %1").arg(i + 1)));
    }

    // Labels: 7 columns of 17 down an A4 page, filled column by column; or
    // across the page row by row.
    void tobbOszlop_data()
    {
        QTest::addColumn<bool>("lefele");
        QTest::addColumn<int>("db");
        QTest::addColumn<QStringList>("elsoSor");
        QTest::addColumn<int>("oldalak");
        QTest::newRow("lefelé, egy teli oldal") << true << 119 << QStringList{"00001", "00018", "00035", "00052",
                                                                             "00069", "00086", "00103"} << 1;
        QTest::newRow("lefelé, a 120. új oldalon") << true << 120 << QStringList{"00001", "00018", "00035", "00052",
                                                                                "00069", "00086", "00103"} << 2;
        QTest::newRow("lefelé, csak egy") << true << 1 << QStringList{"00001"} << 1;
        QTest::newRow("keresztbe") << false << 10 << QStringList{"00001", "00002", "00003", "00004", "00005",
                                                                 "00006", "00007"} << 1;
    }
    void tobbOszlop()
    {
        QFETCH(bool, lefele);
        QFETCH(int, db);
        QFETCH(QStringList, elsoSor);
        QFETCH(int, oldalak);
        Jelentes r("Címkék", "qrVKod");
        r.lap(QPageSize::A4);
        r.reszlet.oszlopok = 7;
        r.reszlet.oszlopSzelesseg = 27;
        r.reszlet.lefele = lefele;
        r.reszlet.magassag = 15.6;
        r.reszlet.keret({0, 0, 27, 15.6}, 0.2, Qt::lightGray).tollStilus = Qt::DotLine;
        r.reszlet.mezo({0, 10.8, 27, 4}, "azon", B("Tahoma", 8), Jelentes::Kozep, Jelentes::OtJegyuFormatum);
        QList<QVariantMap> l;
        for (int i = 1; i <= db; ++i) l << QVariantMap{{"azon", i}};
        r.adat(l);
        const QStringList o = Nyomtat(r);
        QCOMPARE(o.size(), oldalak);
        QCOMPARE(PdfSorok(o[0]).first().split(' '), elsoSor);
        if (lefele && db >= 119) {
            QCOMPARE(PdfSorok(o[0]).size(), 17);
            QCOMPARE(PdfSorok(o[0]).last().split(' ').last(), QString("00119"));
        }
        if (oldalak == 2) QCOMPARE(PdfSorok(o[1]), QStringList{"00120"});
        if (!lefele) QCOMPARE(PdfSorok(o[0]).at(1), QString("00008 00009 00010"));
    }

    // System values, formats through the Hungarian locale, a second source,
    // and the A5 page.
    void rendszerErtekekEsFormatumok()
    {
        Jelentes r("Kölcsönzés", "qrKolcsonzes");
        r.lap(QPageSize::A5);
        r.lapFej.magassag = 30;
        r.lapFej.rendszer({0, 0, 120, 5}, Jelentes::DatumIdo, B("Courier New", 8));
        r.lapFej.rendszer({0, 5, 120, 5}, Jelentes::Cim, B("Courier New", 8), Jelentes::Bal, "cím: ");
        r.lapFej.rendszer({0, 10, 120, 5}, Jelentes::Datum, B("Courier New", 8), Jelentes::Bal, "nap: ");
        r.lapFej.rendszer({0, 15, 120, 5}, Jelentes::Ido, B("Courier New", 8), Jelentes::Bal, "idő: ");
        r.lapFej.forrasMezo({0, 20, 120, 5}, "beallit", "kolcsszoveg", B("Times New Roman", 8));
        r.forras("BEALLIT", {{"KolcsSzoveg", "Köszönjük, őrzés ügyében űrlap."}});
        r.reszlet.magassag = 6;
        r.reszlet.mezo({0, 0, 30, 5}, "d", B(), Jelentes::Bal, Jelentes::DatumFormatum);
        r.reszlet.mezo({30, 0, 30, 5}, "t", B(), Jelentes::Bal, Jelentes::IdoFormatum);
        r.reszlet.mezo({60, 0, 30, 5}, "ar", B(), Jelentes::Jobb);
        r.reszlet.mezo({90, 0, 30, 5}, "ar", B(), Jelentes::Jobb, Jelentes::PenzFormatum);
        r.adat({{{"d", "2026-03-15"}, {"t", "09:05:00"}, {"ar", 1234567.0}},
                {{"d", QDate(2026, 1, 2)}, {"t", QVariant()}, {"ar", 1500.5}}});
        QString fajl;
        const QStringList o = Nyomtat(r, &fajl);
        QCOMPARE(o.size(), 1);
        const QStringList s = PdfSorok(o[0]);
        QCOMPARE(s.mid(0, 5), (QStringList{"2026. 03. 14. 15:30:00", "cím: Kölcsönzés", "nap: 2026. 03. 14.",
                                           "idő: 15:30:00", "Köszönjük, őrzés ügyében űrlap."}));
        QCOMPARE(s.at(5), QString("2026. 03. 15. 9:05:00 1234567 1 234 567"));
        QCOMPARE(s.at(6), QString("2026. 01. 02. 1500,5 1 501"));
        const QString info = PdfInfo(fajl);
        QVERIFY2(info.contains(QRegularExpression("Page size:\\s+4\\d\\d(\\.\\d+)? x 595(\\.\\d+)? pts \\(A5\\)")),
                 qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Title:\\s+Kölcsönzés")), qPrintable(info));
        const QString betuk = PdfBetuk(fajl);
        QVERIFY2(betuk.contains("LiberationMono") && betuk.contains("LiberationSerif")
                     && betuk.contains("LiberationSans"), qPrintable(betuk));
    }

    void formatumok_data()
    {
        QTest::addColumn<QString>("fajta");
        QTest::addColumn<QVariant>("ertek");
        QTest::addColumn<QString>("vart");
        QTest::newRow("pénz 0") << "penz" << QVariant(0.0) << "0";
        QTest::newRow("pénz 999") << "penz" << QVariant(999) << "999";
        QTest::newRow("pénz 1000") << "penz" << QVariant(1000.0) << "1 000";
        QTest::newRow("pénz kerekít") << "penz" << QVariant(1234566.6) << "1 234 567";
        QTest::newRow("pénz negatív") << "penz" << QVariant(-2000.0) << "-2 000";
        QTest::newRow("pénz üres") << "penz" << QVariant() << "0";
        QTest::newRow("dátum szöveg") << "datum" << QVariant("2026-03-14") << "2026. 03. 14.";
        QTest::newRow("dátum üres") << "datum" << QVariant() << "";
        QTest::newRow("idő") << "ido" << QVariant("08:07:06") << "8:07:06";
        QTest::newRow("kód") << "kod" << QVariant(42) << "00042";
        QTest::newRow("Arial") << "betu" << QVariant("Arial") << "Liberation Sans";
        QTest::newRow("Times") << "betu" << QVariant("Times New Roman") << "Liberation Serif";
        QTest::newRow("Courier") << "betu" << QVariant("courier new") << "Liberation Mono";
        QTest::newRow("Tahoma") << "betu" << QVariant("Tahoma") << "DejaVu Sans";
    }
    void formatumok()
    {
        QFETCH(QString, fajta);
        QFETCH(QVariant, ertek);
        QString kapott;
        if (fajta == "penz") kapott = Jelentes::PenzFormatum(ertek);
        if (fajta == "datum") kapott = Jelentes::DatumFormatum(ertek);
        if (fajta == "ido") kapott = Jelentes::IdoFormatum(ertek);
        if (fajta == "kod") kapott = Jelentes::OtJegyuFormatum(ertek);
        if (fajta == "betu") kapott = Jelentes::BetuCsalad(ertek.toString());
        QTEST(kapott, "vart");
    }

    // Each Windows font name is drawn with a free font that holds every
    // Hungarian letter, in every style, the font itself and no stand-in
    // for some letters, so the PDF's text reads back whole.
    void magyarBetuk_data()
    {
        QTest::addColumn<QString>("nev");
        QTest::addColumn<QString>("csalad");
        QTest::newRow("Arial") << "Arial" << "Liberation Sans";
        QTest::newRow("Times New Roman") << "Times New Roman" << "Liberation Serif";
        QTest::newRow("Courier New") << "Courier New" << "Liberation Mono";
        QTest::newRow("Tahoma") << "Tahoma" << "DejaVu Sans";
    }
    void magyarBetuk()
    {
        QFETCH(QString, nev);
        QFETCH(QString, csalad);
        const QString abc = QStringLiteral("aábcdeéfghiíjklmnoóöőpqrstuúüűvwxyz AÁBCDEÉFGHIÍJKLMNOÓÖŐPQRSTUÚÜŰVWXYZ");
        const int stilusok[] = {Jelentes::Normal, Jelentes::Felkover, Jelentes::Dolt, Jelentes::Felkover | Jelentes::Dolt};
        Jelentes r("Betűk", "qrBetu");
        r.lap(QPageSize::A4, QPageLayout::Landscape);
        r.osszegzes.magassag = 10;
        double y = 0;
        for (int st : stilusok) {
            const QFont f = B(nev, 10, st).font();
            QCOMPARE(QFontInfo(f).family(), csalad);
            QCOMPARE(QFontInfo(f).bold(), bool(st & Jelentes::Felkover));
            QCOMPARE(QFontInfo(f).italic(), bool(st & Jelentes::Dolt));
            const QRawFont nyers = QRawFont::fromFont(f);
            for (QChar c : abc) QVERIFY2(nyers.supportsCharacter(c), qPrintable(QString(c)));
            r.osszegzes.szoveg({0, y, 270, 6}, abc, B(nev, 10, st));
            r.osszegzes.szoveg({0, y + 6, 100, 6}, abc, B(nev, 10, st)).tordel = true;
            y += 30;
        }
        QString fajl;
        const QStringList o = Nyomtat(r, &fajl);
        QCOMPARE(o.size(), 1);
        // Each style once on one line, once wrapped after the small letters.
        QCOMPARE(PdfSorok(o[0]).join(' ').count(abc), 8);
        const QStringList betuk = PdfBetuk(fajl).split('\n', Qt::SkipEmptyParts).mid(2);
        QCOMPARE(betuk.size(), 4);
        for (const QString& b : betuk)
            QVERIFY2(b.section('+', -1).startsWith(QString(csalad).remove(' ')), qPrintable(b));
    }

    // Preview and printing go through the modal seam; a PDF that cannot be
    // written is reported, not passed over.
    void kimenetek()
    {
        TesztParbeszed p;
        parbeszedBeallit(&p);
        Jelentes r("Napi cassa", "qrCassa");
        Alap(r);
        r.adat(Sorok(3));
        r.kiad(Kimenet::elonezet());
        QVERIFY(r.kiad(Kimenet::nyomtato()));
        QCOMPARE(p.nyomtatasok.size(), 2);
        QVERIFY(p.nyomtatasok[0].elonezet);
        QVERIFY(!p.nyomtatasok[1].elonezet);
        for (const auto& n : p.nyomtatasok) {
            QCOMPARE(n.cim, QString("Napi cassa"));
            const QStringList o = PdfOldalak(n.pdf);
            QCOMPARE(o.size(), 1);
            QVERIFY(PdfSorok(o[0]).contains("sor 003 30") && PdfSorok(o[0]).contains("ÖSSZESEN 60"));
        }
        QVERIFY(!r.kiad(Kimenet::pdf(m_dir.filePath("nincs/ilyen/mappa/x.pdf"))));
        QCOMPARE(p.hibak().size(), 1);
        QVERIFY(p.hibak().first().startsWith("A PDF fájl nem írható"));
        parbeszedBeallit(nullptr);
    }

    // The real preview window lays the report out on its own printer.
    void elonezetAblak()
    {
        Jelentes r("Próba", "qrProba");
        Alap(r);
        r.adat(Sorok(30));
        int lapok = -1;
        QString cim;
        VartAblak v([&](QPrintPreviewDialog* w) {
            auto* kep = w->findChild<QPrintPreviewWidget*>();
            lapok = kep ? kep->pageCount() : -2;
            cim = w->windowTitle();
            w->close();
        });
        AblakParbeszed().nyomtatasiKep(nullptr, r);
        QCOMPARE(lapok, 2);
        QCOMPARE(cim, QString("Nyomtatási kép - Próba"));
    }

    // A drawing of the report's own (the barcode) gets each row and its
    // place in device units.
    void sajatRajz()
    {
        Jelentes r("Rajz", "qrRajz");
        r.lap(QPageSize::A4);
        r.reszlet.magassag = 20;
        QStringList kodok;
        QList<double> szelessegek;
        r.reszlet.rajz({5, 2, 20.4, 7.1}, [&](QPainter& p, const QRectF& hely, double mm, const Jelentes::Sor& sor) {
            kodok << sor.ertek("AZON").toString();
            szelessegek << hely.width() / mm;
            p.fillRect(hely, Qt::black);
        });
        r.adat({{{"azon", "00001"}}, {{"azon", "00002"}}});
        QString fajl;
        Nyomtat(r, &fajl);
        QCOMPARE(kodok, (QStringList{"00001", "00002"}));
        for (double w : szelessegek) QVERIFY(qAbs(w - 20.4) < 0.01);
    }

    // Rows stream from a cursor and are read once, unless the report shows
    // what only a first reading can tell: the number of pages, or a
    // group's count and sum in its header. The figures are right either way.
    void olvasasok_data()
    {
        QTest::addColumn<bool>("oldalOsszes");
        QTest::addColumn<bool>("fejOsszeg");
        QTest::addColumn<int>("olvasasok");
        QTest::newRow("egyszer") << false << false << 1;
        QTest::newRow("oldalak száma") << true << false << 2;
        QTest::newRow("összeg a csoportfejben") << false << true << 2;
        QTest::newRow("mindkettő") << true << true << 3;
    }
    void olvasasok()
    {
        QFETCH(bool, oldalOsszes);
        QFETCH(bool, fejOsszeg);
        QFETCH(int, olvasasok);
        const int n = 3000;   // A: 1..1500, B: 1501..3000
        int olvasva = 0;
        Jelentes r("Sok", "qrSok");
        r.lap(QPageSize::A4);
        r.reszlet.magassag = 4;
        r.reszlet.mezo({0, 0, 40, 4}, "nev", B("Arial", 8));
        r.reszlet.mezo({50, 0, 30, 4}, "ar", B("Arial", 8), Jelentes::Jobb);
        auto& cs = r.csoport("tipus");
        cs.fej.magassag = 6;
        cs.fej.mezo({0, 0, 20, 5}, "tipus", B("Arial", 10)).szoveg = "típus ";
        if (fejOsszeg) {
            cs.fej.darab({30, 0, 40, 5}, B("Arial", 10)).szoveg = "darab ";
            cs.fej.osszeg({80, 0, 60, 5}, "ar", B("Arial", 10)).szoveg = "összesen ";
        }
        cs.lab.magassag = 6;
        cs.lab.darab({0, 0, 40, 5}, B("Arial", 10)).szoveg = "vége, darab ";
        cs.lab.osszeg({50, 0, 60, 5}, "ar", B("Arial", 10)).szoveg = "vége, összesen ";
        r.osszegzes.magassag = 6;
        r.osszegzes.osszeg({0, 0, 80, 5}, "ar", B("Arial", 10)).szoveg = "mind ";
        r.lapLab.magassag = 6;
        r.lapLab.rendszer({0, 0, 40, 5}, Jelentes::Oldal, B("Courier New", 8), Jelentes::Bal, "oldal: ");
        if (oldalOsszes) r.lapLab.rendszer({40, 0, 30, 5}, Jelentes::OldalOsszes, B("Courier New", 8), Jelentes::Bal, "/");
        r.lapLab.osszeg({100, 0, 80, 5}, "ar", B("Courier New", 8)).szoveg = "eddig ";
        r.adat(std::make_unique<Gyarto>(n, &olvasva));
        const QStringList o = Nyomtat(r);
        QCOMPARE(olvasva, olvasasok);
        QCOMPARE(o.size(), r.oldalak());
        QVERIFY(o.size() > 40);
        const QString minden = PdfSorok(o.join('\n')).join('\n');
        for (int i : {1, 1500, 1501, 2999, 3000})
            QCOMPARE(Oldalon(o, QStringLiteral("tétel %1").arg(i, 5, 10, QChar('0'))) > 0, true);
        QCOMPARE(minden.count("vége, darab 1500 vége, összesen 1125750"), 1);
        QCOMPARE(minden.count("vége, darab 1500 vége, összesen 3375750"), 1);
        QCOMPARE(PdfSorok(o.last()).filter("mind ").value(0), QString("mind 4501500"));
        if (fejOsszeg) {
            // The whole group, though its rows are still to come.
            QVERIFY(PdfSorok(o.first()).contains("típus A darab 1500 összesen 1125750"));
            QCOMPARE(minden.count("típus B darab 1500 összesen 3375750"), 1);
        }
        for (int i = 0; i < o.size(); ++i) {
            const QString lab = oldalOsszes ? QStringLiteral("oldal: %1 /%2").arg(i + 1).arg(o.size())
                                            : QStringLiteral("oldal: %1").arg(i + 1);
            QVERIFY2(PdfSorok(o[i]).filter(lab + " ").size() == 1, qPrintable(PdfSorok(o[i]).join('\n')));
        }
        // The footer sums what the page and those before it printed.
        const QStringList elso = PdfSorok(o.first());
        const QString utolsoTetel = elso.filter("tétel ").last().section(' ', 1, 1);
        const double eddig = utolsoTetel.toDouble() * (utolsoTetel.toDouble() + 1) / 2;
        QVERIFY2(elso.last().endsWith(QStringLiteral("eddig %1").arg(eddig)), qPrintable(elso.last()));
    }

    // Progress after each page: the number of pages is told when it is
    // known beforehand, 0 when not; a "stop" ends the output.
    void halad_data()
    {
        QTest::addColumn<bool>("oldalOsszes");
        QTest::addColumn<int>("megall");   // page after which to stop; 0: never
        QTest::newRow("nem tudja előre") << false << 0;
        QTest::newRow("tudja előre") << true << 0;
        QTest::newRow("leállítva") << false << 2;
    }
    void halad()
    {
        QFETCH(bool, oldalOsszes);
        QFETCH(int, megall);
        int olvasva = 0;
        Jelentes r("Sok", "qrSok");
        Alap(r);
        if (!oldalOsszes) r.lapLab.elemek[2].lathato = false;   // the "/N" after the page number
        r.adat(std::make_unique<Gyarto>(100, &olvasva));
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(ujFajl());
        r.lapBeallit(p);
        QList<QPair<int, int>> jelzesek;
        const bool kesz = r.rajzol(p, [&](int lap, int osszes) {
            jelzesek << qMakePair(lap, osszes);
            return lap != megall;
        });
        QCOMPARE(kesz, megall == 0);
        const int oldalak = megall ? megall : 5;   // 100 rows, 24 a page, and the summary
        QCOMPARE(jelzesek.size(), oldalak);
        for (int i = 0; i < oldalak; ++i) QCOMPARE(jelzesek[i], qMakePair(i + 1, oldalOsszes ? 5 : 0));
    }

    // A query is executed again for a second reading, and a query handed
    // over part-read gives the rest of its rows both times.
    void lekerdezesUjraOlvasva_data()
    {
        QTest::addColumn<int>("atlepve");
        QTest::newRow("elejéről") << 0;
        QTest::newRow("kettő már olvasva") << 2;
    }
    void lekerdezesUjraOlvasva()
    {
        QFETCH(int, atlepve);
        TesztTelepites t;
        t.nyit();
        Jelentes r("Típusok", "qrTipus");
        r.reszlet.magassag = 6;
        r.reszlet.mezo({0, 0, 20, 5}, "TIPUS");
        r.reszlet.mezo({20, 0, 60, 5}, "Tipus_Nev");
        r.lapLab.magassag = 6;
        r.lapLab.rendszer({0, 0, 60, 5}, Jelentes::OldalOsszes, B(), Jelentes::Bal, "oldalak: ");
        QSqlQuery q = Adatbazis::elokeszit("SELECT tipus, tipus_nev FROM tipus WHERE tipus <= ? ORDER BY tipus");
        Adatbazis::futtat(q, {4});
        for (int i = 0; i < atlepve; ++i) QVERIFY(q.next());
        r.adat(q);
        QCOMPARE(r.sorokSzama(), 4 - atlepve);
        const QStringList o = Nyomtat(r);
        QCOMPARE(o.size(), 1);
        QStringList vart;
        QSqlQuery v = Adatbazis::vegrehajt("SELECT tipus, tipus_nev FROM tipus WHERE tipus <= 4 ORDER BY tipus");
        for (int i = 0; v.next(); ++i)
            if (i >= atlepve) vart << v.value(0).toString() + ' ' + v.value(1).toString();
        vart << "oldalak: 1";
        QCOMPARE(PdfSorok(o[0]), vart);
    }

    // A query that can no longer be run when the rows are read again stops
    // the output with the database's reason; nothing is half printed.
    void adatbazisHiba()
    {
        TesztTelepites t;
        t.nyit();
        TesztParbeszed p;
        parbeszedBeallit(&p);
        Adatbazis::vegrehajt("CREATE TABLE proba (x INTEGER)");
        Adatbazis::vegrehajt("INSERT INTO proba VALUES (1), (2)");
        Jelentes r("Próba", "qrProba");
        r.reszlet.magassag = 6;
        r.reszlet.mezo({0, 0, 20, 5}, "x");
        r.adatSql("SELECT x FROM proba ORDER BY x");
        QCOMPARE(r.sorokSzama(), 2);   // read once and let go
        Adatbazis::vegrehajt("DROP TABLE proba");
        const QString fajl = ujFajl();
        QVERIFY(!r.kiad(Kimenet::pdf(fajl)));
        QCOMPARE(p.hibak().size(), 1);
        QVERIFY2(p.hibak().first().startsWith("A jelentés adatai nem olvashatók: ")
                     && p.hibak().first().contains("proba"),
                 qPrintable(p.hibak().first()));
        QVERIFY(!r.hiba().isEmpty());
        QVERIFY(!QFile::exists(fajl));
        // A statement that cannot run is refused at once.
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, r.adatSql("SELECT x FROM proba"));
        parbeszedBeallit(nullptr);
    }

    // Rows straight from a query: field names in any letter case, the
    // first of two columns with the same name.
    void lekerdezesbol()
    {
        TesztTelepites t;
        t.nyit();
        Jelentes r("Típusok", "qrTipus");
        r.reszlet.magassag = 6;
        r.reszlet.mezo({0, 0, 20, 5}, "TIPUS");
        r.reszlet.mezo({20, 0, 60, 5}, "Tipus_Nev");
        r.osszegzes.magassag = 6;
        r.osszegzes.darab({0, 0, 20, 5}).szoveg = "db: ";
        r.adatSql("SELECT t.tipus, t.tipus_nev, 99 AS tipus FROM tipus t WHERE t.tipus <= ? ORDER BY t.tipus",
                  {2});
        QCOMPARE(r.sorokSzama(), 2);
        const QStringList o = Nyomtat(r);
        QCOMPARE(PdfSorok(o[0]), (QStringList{"1 VHS", "2 DVD", "db: 2"}));
    }
};

QTEST_MAIN(TstJelentes)
#include "tst_jelentes.moc"

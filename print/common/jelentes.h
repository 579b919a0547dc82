#pragma once
// The banded report engine every printed report is built on.
//
// A report is a page (size, orientation, margins in millimetres) and bands:
// title (first page only), page header, column header, detail (once per data
// row, in one or more columns), group headers and footers, summary and page
// footer. The page header, column header and page footer are printed on every
// page, the first and the last included, also when there is no data row.
// Bands hold elements placed in millimetres from the band's top-left corner:
// static texts, texts bound to a field of the data row or of a named second
// source, system values, sums and counts, lines, frames, shapes and drawings
// of the report's own. A word-wrapping text that needs more room grows its
// band; elements below it move down and frames around it stretch. A band that
// does not fit on the page starts a new page.
//
// Output: straight to the default printer with a progress window, the print
// preview (from which the user may print) or a PDF file. The first two go
// through the modal seam (common/parbeszed.h), so tests run headless.
//
// The rows stream through a cursor (Kurzor) and pages are laid out and
// painted one after the other, so a report of a million rows holds one page
// and two rows at a time. The field names are looked up once per report,
// not per row. Two things need to know what comes later: the number of
// pages (OldalOsszes) and a sum or count in a group header. A report that
// shows either reads its rows more than once (a query is run again); the
// others read them once.
//
//     Jelentes r("Napi cassa", "qrCassa");
//     r.lap(QPageSize::A4);
//     r.lapFej.magassag = 12;
//     r.lapFej.szoveg({0, 0, 60, 8}, "Cassa", {"Arial", 16, Jelentes::Felkover});
//     r.lapFej.forrasMezo({100, 0, 90, 5}, "tulajdonos", "tulajdonos", {"Arial", 10}, Jelentes::Jobb);
//     r.reszlet.magassag = 5;
//     r.reszlet.mezo({0, 0, 25, 5}, "datum", {"Arial", 8}, Jelentes::Bal, Jelentes::DatumFormatum);
//     r.reszlet.mezo({30, 0, 25, 5}, "osszeg", {"Arial", 8}, Jelentes::Jobb, Jelentes::PenzFormatum);
//     r.osszegzes.magassag = 6;
//     r.osszegzes.osszeg({30, 0, 25, 5}, "osszeg", {"Arial", 8, Jelentes::Felkover}, Jelentes::Jobb);
//     r.lapLab.magassag = 5;
//     r.lapLab.rendszer({0, 0, 40, 4}, Jelentes::Oldal, {"Courier New", 8}, Jelentes::Bal, "oldal: ");
//     r.adatSql("SELECT datum, osszeg FROM cassa ORDER BY cassa");
//     r.forras("tulajdonos", Jelentes::elsoSor("SELECT * FROM tulajdonos"));
//     r.kiad(Kimenet::elonezet(), this);
#include "core/common/keszito.h"
#include "print/common/parbeszed.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QHash>
#include <QLineF>
#include <QList>
#include <QMap>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <deque>
#include <functional>
#include <memory>

class QPainter;
class QPaintDevice;
class QPrinter;
class QSqlQuery;
class QWidget;

// Where a report goes.
struct Kimenet {
    enum Fajta { Nyomtato, Elonezet, Pdf };
    Fajta fajta = Nyomtato;
    QString fajl;   // for Pdf
    static Kimenet nyomtato() { return {Nyomtato, {}}; }
    static Kimenet elonezet() { return {Elonezet, {}}; }
    static Kimenet pdf(const QString& fajl) { return {Pdf, fajl}; }
};

class Jelentes : public Nyomtatvany {
public:
    enum Igazitas { Bal, Kozep, Jobb };
    enum Stilus { Normal = 0, Felkover = 1, Dolt = 2, Alahuzott = 4 };
    // System values.
    enum Rendszer {
        Datum,          // date of printing, system short format
        Ido,            // time of printing, system long format
        DatumIdo,       // both, separated by a space
        Oldal,          // page number
        OldalOsszes,    // number of pages
        Cim,            // the report title
        Nev             // the report's own name ("qrKolcsonzes")
    };
    enum Alakzat { Teglalap, Ellipszis, KerekitettTeglalap };

    // A font by name, size in points and style. Arial, Times New Roman and
    // Courier New are drawn with the metric-compatible Liberation fonts,
    // Tahoma and Verdana with DejaVu Sans: each holds every Hungarian letter.
    struct Betu {
        Betu(const QString& nev = QStringLiteral("Arial"), double meret = 10, int stilus = Normal)
            : nev(nev), meret(meret), stilus(stilus) {}
        QString nev;
        double meret;   // points
        int stilus;
        QFont font() const;
    };

    using Formatum = std::function<QString(const QVariant&)>;
    // Field name (lower case) -> column, one for all the rows of a report.
    using Oszlopok = QHash<QString, int>;
    // The data row handed to a drawing element.
    struct Sor {
        const Oszlopok* oszlopok = nullptr;
        const QVariantList* ertekek = nullptr;   // by column
        QVariant ertek(const QString& mezo) const;   // any letter case; invalid when there is no such field
    };

    // Where the rows come from, one at a time.
    class Kurzor {
    public:
        virtual ~Kurzor() = default;
        // Before the first row (again). Throws AdatbazisHiba.
        virtual void elejere() = 0;
        // The field names in column order, as given; known after elejere().
        virtual QStringList mezok() const = 0;
        // To the next row; false after the last. Throws AdatbazisHiba.
        virtual bool kovetkezo() = 0;
        // A field of the current row.
        virtual QVariant ertek(int oszlop) const = 0;
        // Done reading for now: let go of what is held (an open statement).
        virtual void lezar() {}
        // The number of rows; by default counted by reading them.
        virtual qint64 darab();
    };
    // Draws inside `hely` (device units; `mm` device units make one millimetre).
    using Rajzolo = std::function<void(QPainter& p, const QRectF& hely, double mm, const Sor& sor)>;

    struct Elem {
        enum Fajta { Szoveg, Mezo, RendszerErtek, Osszeg, Darab, Vonal, Keret, Forma, Rajz };
        Fajta fajta = Szoveg;
        QRectF hely;                 // mm within the band
        QLineF vonal;                // mm, for Vonal
        QString szoveg;              // the text of Szoveg; the prefix of the value kinds
        QString mezo;                // field of Mezo and Osszeg
        QString forras;              // named second source of Mezo; empty: the data row
        Rendszer rendszer = Datum;
        Betu betu;
        Igazitas igazitas = Bal;
        bool tordel = false;         // word-wraps and grows the band
        Formatum formatum;           // value to text; default VarSzoveg
        QColor szin = Qt::black;     // text or pen
        double vastagsag = 0.2;      // pen width in mm
        Qt::PenStyle tollStilus = Qt::SolidLine;
        QColor kitoltes;             // fill of frames and shapes; invalid: none
        Alakzat alakzat = Teglalap;
        Rajzolo rajzolo;
        bool lathato = true;
    };

    class Sav {
    public:
        double magassag = 0;     // mm; grows with word-wrapping texts
        bool lathato = true;
        // Detail band only: labels in several columns. Rows go down the first
        // column, then the next one (lefele), or across the page (!lefele).
        int oszlopok = 1;
        double oszlopSzelesseg = 0;   // mm; 0 shares the width evenly
        double oszlopKoz = 0;         // mm between columns
        bool lefele = true;

        std::deque<Elem> elemek;      // references to elements stay valid

        Elem& szoveg(const QRectF& hely, const QString& szoveg, const Betu& b = {}, Igazitas i = Bal);
        Elem& mezo(const QRectF& hely, const QString& mezo, const Betu& b = {}, Igazitas i = Bal,
                   const Formatum& f = {});
        Elem& forrasMezo(const QRectF& hely, const QString& forras, const QString& mezo, const Betu& b = {},
                         Igazitas i = Bal, const Formatum& f = {});
        Elem& rendszer(const QRectF& hely, Rendszer r, const Betu& b = {}, Igazitas i = Bal,
                       const QString& elotag = {});
        // Sum of a field over the rows in scope: the group in a group footer,
        // every row in the summary, the rows printed so far elsewhere.
        Elem& osszeg(const QRectF& hely, const QString& mezo, const Betu& b = {}, Igazitas i = Bal,
                     const Formatum& f = {});
        // Number of detail rows in the same scope.
        Elem& darab(const QRectF& hely, const Betu& b = {}, Igazitas i = Bal);
        Elem& vonal(const QLineF& vonal, double vastagsag = 0.2, const QColor& szin = Qt::black);
        Elem& keret(const QRectF& hely, double vastagsag = 0.2, const QColor& szin = Qt::black);
        Elem& forma(Alakzat a, const QRectF& hely, const QColor& toll = Qt::black, const QColor& kitoltes = {});
        Elem& rajz(const QRectF& hely, const Rajzolo& r);
    };

    // Rows with the same value of `mezo` form a group.
    struct Csoport {
        QString mezo;
        Sav fej, lab;
        bool ujOldal = false;   // each group after the first starts a new page
    };

    Jelentes(const QString& cim, const QString& nev);
    ~Jelentes() override;

    QString cim() const { return m_cim; }
    QString nev() const { return m_nev; }
    void cimBeallit(const QString& cim) { m_cim = cim; }

    void lap(QPageSize::PageSizeId meret, QPageLayout::Orientation irany = QPageLayout::Portrait,
             const QMarginsF& margok = {10, 10, 10, 10});
    // Printable width and height in mm (page less margins).
    double szelesseg() const;
    double magassag() const;

    Sav cimSav;       // first page only, above the page header
    Sav lapFej;
    Sav oszlopFej;
    Sav reszlet;
    Sav osszegzes;
    Sav lapLab;
    // Outermost first.
    Csoport& csoport(const QString& mezo);

    // The data rows, in print order.
    void adat(std::unique_ptr<Kurzor> kurzor);
    // Rows held in memory, for small reports; field names in any letter case.
    void adat(const QList<QVariantMap>& sorok);
    // Takes over an executed query and streams the rest of its rows; it is
    // executed again when the rows are needed again (a prepared query keeps
    // its bound values).
    void adat(QSqlQuery& q);
    // Executes the statement (throws AdatbazisHiba) and streams its rows.
    void adatSql(const QString& sql, const QVariantList& param = {});
    // Counts the rows (a query reads them for it). Throws AdatbazisHiba.
    int sorokSzama() const;
    // A named second source: one record (the owner's, the settings row).
    void forras(const QString& nev, const QVariantMap& rekord);
    // The first row of a query as a record; empty when there is none. Throws AdatbazisHiba.
    static QVariantMap elsoSor(const QString& sql, const QVariantList& param = {});

    // Output. nyomtat() returns false when it did not print (no printer,
    // cancelled, failed); the reason has been shown. A database error while
    // reading the rows stops the output; hiba() tells it.
    bool kiad(const Kimenet& k, QWidget* szulo = nullptr);
    bool nyomtat(QWidget* szulo = nullptr);
    void elonezet(QWidget* szulo = nullptr);
    bool pdfbe(const QString& fajl, QString* hiba = nullptr);

    // The maker's home page, printed in every report's footer.
    static constexpr const char* Honlap = Keszito::Honlap;
    // The footer every printed list shares, from `y` down in three lines:
    // "Kazettora" and the printing date and time; the report title; "oldal: "
    // with the page number, the home page and the report's name. Returns
    // the mm under the last line.
    double kozosLablec(Sav& s, double y, const Betu& b = Betu(QStringLiteral("Courier New"), 7),
                       double sorKoz = 3.5);

    // Pages of the last output.
    int oldalak() const { return m_oldalak; }
    // Why the last output stopped; empty when it did not.
    QString hiba() const { return m_hiba; }

    // Nyomtatvany
    QString nyomtatasCim() const override { return m_cim; }
    void lapBeallit(QPrinter& p) const override;
    bool rajzol(QPrinter& p, const std::function<bool(int, int)>& halad) override;

    // Formats.
    static QString DatumFormatum(const QVariant& v);   // QDate or "yyyy-MM-dd": system short date
    static QString IdoFormatum(const QVariant& v);     // QTime or "HH:mm:ss": system long time
    static QString PenzFormatum(const QVariant& v);    // "### ### ##0": 1234567 -> 1 234 567
    static QString OtJegyuFormatum(const QVariant& v); // codes: 00042
    // The free font drawn for a Windows font name: one that holds every
    // Hungarian letter (Liberation, metric-compatible with the Windows
    // fonts, or DejaVu). An unknown name is kept.
    static QString BetuCsalad(const QString& nev);

private:
    struct Osszesito;
    struct Kornyezet;
    struct Futas;
    struct Kimeno;

    QString m_cim, m_nev;
    QPageSize::PageSizeId m_meret = QPageSize::A4;
    QPageLayout::Orientation m_irany = QPageLayout::Portrait;
    QMarginsF m_margok{10, 10, 10, 10};
    std::deque<Csoport> m_csoportok;
    std::unique_ptr<Kurzor> m_kurzor;
    QMap<QString, QVariantMap> m_forrasok;
    QDateTime m_most;
    int m_oldalak = 0;
    QString m_hiba;

    // Growth of each element (mm) and the band's height; the lists are
    // empty when nothing grows.
    struct Meret { double magassag; std::vector<double> eltolas, nyujtas, novekedes; };
    Meret meret(const Sav& s, const Kornyezet& k, QPaintDevice* d) const;
    QString elemSzoveg(const Elem& e, const Kornyezet& k) const;
    void savRajzol(QPainter& p, const Sav& s, const Kornyezet& k, const Meret& m, const QPointF& hol,
                   double vagas) const;
    QSizeF papir() const;   // mm, turned as printed
    // The columns and what the output needs to read ahead.
    void elokeszit(Futas& f) const;
    // Reads the rows once for the count and sums of every group.
    void csoportOsszegez(Futas& f) const;
    // Lays the pages out one by one, handing each band to `ki`; false when stopped.
    bool lefut(Futas& f, Kimeno& ki) const;
};

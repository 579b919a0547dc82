#include "print/common/jelentes.h"
#include "core/common/listamodell.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/fajliras.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/data/utasitas.h"

#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr double Tures = 0.01;   // mm: what counts as "touching" in the band layout

QString tordelesre(QString s)
{
    // Line breaks typed into a text are kept as breaks in the wrapped text.
    s.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    s.replace(QLatin1Char('\n'), QChar::LineSeparator);
    s.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return s;
}

Qt::Alignment vizszintes(Jelentes::Igazitas i)
{
    switch (i) {
    case Jelentes::Kozep: return Qt::AlignHCenter;
    case Jelentes::Jobb: return Qt::AlignRight;
    case Jelentes::Bal: break;
    }
    return Qt::AlignLeft;
}

// Lays out a word-wrapping text `szelesseg` device units wide; returns its height.
double tordel(QTextLayout& tl, double szelesseg, Jelentes::Igazitas i)
{
    QTextOption o;
    o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    o.setAlignment(vizszintes(i));
    tl.setTextOption(o);
    double h = 0;
    tl.beginLayout();
    for (;;) {
        QTextLine sor = tl.createLine();
        if (!sor.isValid()) break;
        sor.setLeadingIncluded(true);
        sor.setLineWidth(szelesseg);
        sor.setPosition(QPointF(0, h));
        h += sor.height();
    }
    tl.endLayout();
    return h;
}

QRectF befoglalo(const Jelentes::Elem& e)
{
    if (e.fajta == Jelentes::Elem::Vonal)
        return QRectF(e.vonal.p1(), e.vonal.p2()).normalized();
    return e.hely;
}

} // namespace

// ---- fonts, rows, formats ----------------------------------------------------

QString Jelentes::BetuCsalad(const QString& nev)
{
    const QString n = nev.trimmed().toLower();
    if (n == QLatin1String("arial") || n == QLatin1String("helvetica") || n == QLatin1String("ms sans serif"))
        return QStringLiteral("Liberation Sans");
    // Wider than Arial, as Tahoma and Verdana are.
    if (n == QLatin1String("tahoma") || n == QLatin1String("verdana"))
        return QStringLiteral("DejaVu Sans");
    if (n == QLatin1String("times new roman") || n == QLatin1String("times"))
        return QStringLiteral("Liberation Serif");
    if (n == QLatin1String("courier new") || n == QLatin1String("courier"))
        return QStringLiteral("Liberation Mono");
    return nev;
}

namespace {

// The family that is really drawn for `csalad`. Asked for a family that is
// not installed, fontconfig would quietly hand over some other font (one
// without ő and ű, perhaps); here a missing family is replaced by the DejaVu
// font of its kind, and said so once. Reports are painted on the GUI thread.
QString rajzoltCsalad(const QString& csalad)
{
    static QHash<QString, QString> ismert;
    const auto it = ismert.constFind(csalad);
    if (it != ismert.cend()) return *it;
    const auto van = [](const QString& c) {
        QFont f;
        f.setFamilies({c});
        return QFontInfo(f).family().compare(c, Qt::CaseInsensitive) == 0;
    };
    QString valasztott = csalad;
    if (!van(csalad)) {
        const QString tartalek = csalad.contains(QLatin1String("Mono"), Qt::CaseInsensitive)
                                         || csalad.contains(QLatin1String("Courier"), Qt::CaseInsensitive)
                                     ? QStringLiteral("DejaVu Sans Mono")
                                 : csalad.contains(QLatin1String("Serif"), Qt::CaseInsensitive)
                                         || csalad.contains(QLatin1String("Times"), Qt::CaseInsensitive)
                                     ? QStringLiteral("DejaVu Serif")
                                     : QStringLiteral("DejaVu Sans");
        if (van(tartalek)) valasztott = tartalek;
        qWarning("Nyomtatás: a(z) \"%s\" betűtípus nincs telepítve, helyette: %s", qPrintable(csalad),
                 qPrintable(valasztott));
    }
    ismert.insert(csalad, valasztott);
    return valasztott;
}

} // namespace

QFont Jelentes::Betu::font() const
{
    QFont f;
    // setFamilies: the exact family, not a pattern fontconfig may bend.
    f.setFamilies({rajzoltCsalad(BetuCsalad(nev))});
    f.setPointSizeF(meret > 0 ? meret : 10);
    f.setBold(stilus & Felkover);
    f.setItalic(stilus & Dolt);
    f.setUnderline(stilus & Alahuzott);
    // The same metrics on the screen, the preview and the printer.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

QVariant Jelentes::Sor::ertek(const QString& mezo) const
{
    if (!oszlopok || !ertekek) return {};
    const int o = oszlopok->value(mezo.toLower(), -1);
    return o >= 0 ? ertekek->value(o) : QVariant();
}

QString Jelentes::DatumFormatum(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return {};
    if (v.typeId() == QMetaType::QDate) return RovidDatum(v.toDate());
    const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? RovidDatum(d) : VarSzoveg(v);
}

QString Jelentes::IdoFormatum(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return {};
    if (v.typeId() == QMetaType::QTime) return HosszuIdo(v.toTime());
    const QTime t = QTime::fromString(v.toString(), Qt::ISODate);
    return t.isValid() ? HosszuIdo(t) : VarSzoveg(v);
}

QString Jelentes::PenzFormatum(const QVariant& v) { return FtMaszk(VarValos(v)); }

QString Jelentes::OtJegyuFormatum(const QVariant& v) { return OtJegyu(v); }

// ---- building ---------------------------------------------------------------

namespace {
Jelentes::Elem& uj(std::deque<Jelentes::Elem>& l, Jelentes::Elem::Fajta f, const QRectF& hely)
{
    l.emplace_back();
    l.back().fajta = f;
    l.back().hely = hely;
    return l.back();
}
} // namespace

Jelentes::Elem& Jelentes::Sav::szoveg(const QRectF& hely, const QString& szoveg, const Betu& b, Igazitas i)
{
    Elem& e = uj(elemek, Elem::Szoveg, hely);
    e.szoveg = szoveg;
    e.betu = b;
    e.igazitas = i;
    return e;
}

Jelentes::Elem& Jelentes::Sav::mezo(const QRectF& hely, const QString& mezo, const Betu& b, Igazitas i,
                                    const Formatum& f)
{
    return forrasMezo(hely, {}, mezo, b, i, f);
}

Jelentes::Elem& Jelentes::Sav::forrasMezo(const QRectF& hely, const QString& forras, const QString& mezo,
                                          const Betu& b, Igazitas i, const Formatum& f)
{
    Elem& e = uj(elemek, Elem::Mezo, hely);
    e.forras = forras;
    e.mezo = mezo;
    e.betu = b;
    e.igazitas = i;
    e.formatum = f;
    return e;
}

Jelentes::Elem& Jelentes::Sav::rendszer(const QRectF& hely, Rendszer r, const Betu& b, Igazitas i,
                                        const QString& elotag)
{
    Elem& e = uj(elemek, Elem::RendszerErtek, hely);
    e.rendszer = r;
    e.betu = b;
    e.igazitas = i;
    e.szoveg = elotag;
    return e;
}

Jelentes::Elem& Jelentes::Sav::osszeg(const QRectF& hely, const QString& mezo, const Betu& b, Igazitas i,
                                      const Formatum& f)
{
    Elem& e = uj(elemek, Elem::Osszeg, hely);
    e.mezo = mezo;
    e.betu = b;
    e.igazitas = i;
    e.formatum = f;
    return e;
}

Jelentes::Elem& Jelentes::Sav::darab(const QRectF& hely, const Betu& b, Igazitas i)
{
    Elem& e = uj(elemek, Elem::Darab, hely);
    e.betu = b;
    e.igazitas = i;
    return e;
}

Jelentes::Elem& Jelentes::Sav::vonal(const QLineF& vonal, double vastagsag, const QColor& szin)
{
    Elem& e = uj(elemek, Elem::Vonal, {});
    e.vonal = vonal;
    e.vastagsag = vastagsag;
    e.szin = szin;
    return e;
}

Jelentes::Elem& Jelentes::Sav::keret(const QRectF& hely, double vastagsag, const QColor& szin)
{
    Elem& e = uj(elemek, Elem::Keret, hely);
    e.vastagsag = vastagsag;
    e.szin = szin;
    return e;
}

Jelentes::Elem& Jelentes::Sav::forma(Alakzat a, const QRectF& hely, const QColor& toll, const QColor& kitoltes)
{
    Elem& e = uj(elemek, Elem::Forma, hely);
    e.alakzat = a;
    e.szin = toll;
    e.kitoltes = kitoltes;
    return e;
}

Jelentes::Elem& Jelentes::Sav::rajz(const QRectF& hely, const Rajzolo& r)
{
    Elem& e = uj(elemek, Elem::Rajz, hely);
    e.rajzolo = r;
    return e;
}

Jelentes::Jelentes(const QString& cim, const QString& nev) : m_cim(cim), m_nev(nev) {}

Jelentes::~Jelentes() = default;

void Jelentes::lap(QPageSize::PageSizeId meret, QPageLayout::Orientation irany, const QMarginsF& margok)
{
    m_meret = meret;
    m_irany = irany;
    m_margok = margok;
}

QSizeF Jelentes::papir() const
{
    const QSizeF m = QPageSize(m_meret).size(QPageSize::Millimeter);
    return m_irany == QPageLayout::Landscape ? m.transposed() : m;
}

double Jelentes::szelesseg() const { return papir().width() - m_margok.left() - m_margok.right(); }
double Jelentes::magassag() const { return papir().height() - m_margok.top() - m_margok.bottom(); }

double Jelentes::kozosLablec(Sav& s, double y, const Betu& b, double sorKoz)
{
    const double w = szelesseg();
    s.szoveg({0, y, w / 2, sorKoz}, QStringLiteral("Kazettora"), b);
    s.rendszer({w / 2, y, w / 2, sorKoz}, DatumIdo, b, Jobb);
    s.rendszer({w / 2, y + sorKoz, w / 2, sorKoz}, Cim, b, Jobb);
    s.rendszer({0, y + 2 * sorKoz, w / 3, sorKoz}, Oldal, b, Bal, QStringLiteral("oldal: "));
    s.szoveg({w / 4, y + 2 * sorKoz, w / 2, sorKoz}, QString::fromLatin1(Honlap), b, Kozep);
    s.rendszer({w * 2 / 3, y + 2 * sorKoz, w / 3, sorKoz}, Nev, b, Jobb);
    return y + 3 * sorKoz;
}

Jelentes::Csoport& Jelentes::csoport(const QString& mezo)
{
    m_csoportok.emplace_back();
    m_csoportok.back().mezo = mezo;
    return m_csoportok.back();
}

// ---- rows -------------------------------------------------------------------------

qint64 Jelentes::Kurzor::darab()
{
    elejere();
    qint64 n = 0;
    while (kovetkezo()) ++n;
    lezar();
    return n;
}

namespace {

QVariantMap kisbetus(const QVariantMap& m)
{
    QVariantMap k;
    for (auto it = m.cbegin(); it != m.cend(); ++it) k.insert(it.key().toLower(), it.value());
    return k;
}

// Rows held in memory: one list of values per row, in the columns of the
// field names met in any row.
class ListaKurzor : public Jelentes::Kurzor {
public:
    explicit ListaKurzor(const QList<QVariantMap>& sorok)
    {
        QHash<QString, int> oszlop;
        for (const QVariantMap& s : sorok)
            for (auto it = s.cbegin(); it != s.cend(); ++it) {
                const QString n = it.key().toLower();
                if (!oszlop.contains(n)) {
                    oszlop.insert(n, int(m_mezok.size()));
                    m_mezok << n;
                }
            }
        m_sorok.reserve(sorok.size());
        for (const QVariantMap& s : sorok) {
            QVariantList v(m_mezok.size());
            for (auto it = s.cbegin(); it != s.cend(); ++it) v[oszlop.value(it.key().toLower())] = it.value();
            m_sorok.push_back(std::move(v));
        }
    }
    void elejere() override { m_hol = -1; }
    QStringList mezok() const override { return m_mezok; }
    bool kovetkezo() override
    {
        if (m_hol < qsizetype(m_sorok.size())) ++m_hol;
        return m_hol < qsizetype(m_sorok.size());
    }
    QVariant ertek(int oszlop) const override { return m_sorok[size_t(m_hol)].value(oszlop); }
    qint64 darab() override { return qint64(m_sorok.size()); }

private:
    QStringList m_mezok;
    std::vector<QVariantList> m_sorok;
    qsizetype m_hol = -1;
};

// A failed reading in the driver's own words, with the kind of the
// engine's result code.
AdatbazisHiba kurzorHiba(const QSqlQuery& q)
{
    bool szam = false;
    const int kod = q.lastError().nativeErrorCode().toInt(&szam);
    return AdatbazisHiba(q.lastError().text(), szam ? Adatbazis::hibaFajta(kod) : AdatbazisHiba::Fajta::Egyeb);
}

// The rows of an executed query, from where it stood when handed over. To
// read them again the query is executed again; between readings it holds
// no statement open.
class SqlKurzor : public Jelentes::Kurzor {
public:
    explicit SqlKurzor(QSqlQuery&& q) : m_q(std::move(q))
    {
        const QSqlRecord r = m_q.record();
        for (int i = 0; i < r.count(); ++i) m_mezok << r.fieldName(i);
        // The rows already read are passed over again on a new reading.
        m_atlep = m_q.at() >= 0 ? m_q.at() + 1 : m_q.at() == QSql::BeforeFirstRow ? 0 : -1;
        m_kesz = m_atlep >= 0;
    }
    void elejere() override
    {
        if (m_kesz) return;   // still where it was handed over or last executed
        if (m_atlep < 0) return;
        if (!m_q.exec()) throw kurzorHiba(m_q);
        for (int i = 0; i < m_atlep && m_q.next(); ++i) {}
        m_kesz = true;
    }
    QStringList mezok() const override { return m_mezok; }
    bool kovetkezo() override
    {
        m_kesz = false;
        if (m_atlep < 0) return false;
        if (m_q.next()) return true;
        if (m_q.lastError().type() != QSqlError::NoError) throw kurzorHiba(m_q);
        return false;
    }
    QVariant ertek(int oszlop) const override { return m_q.value(oszlop); }
    void lezar() override
    {
        m_q.finish();
        m_kesz = false;
    }

private:
    QSqlQuery m_q;
    QStringList m_mezok;
    int m_atlep = 0;      // rows to pass over after executing; -1: none left at all
    bool m_kesz = false;  // positioned before the first row to give
};

} // namespace

void Jelentes::adat(std::unique_ptr<Kurzor> kurzor) { m_kurzor = std::move(kurzor); }

void Jelentes::adat(const QList<QVariantMap>& sorok) { adat(std::make_unique<ListaKurzor>(sorok)); }

void Jelentes::adat(QSqlQuery& q) { adat(std::make_unique<SqlKurzor>(std::move(q))); }

void Jelentes::adatSql(const QString& sql, const QVariantList& param)
{
    QSqlQuery q = Adatbazis::vegrehajt(sql, param);
    adat(q);
}

int Jelentes::sorokSzama() const { return m_kurzor ? int(m_kurzor->darab()) : 0; }

void Jelentes::forras(const QString& nev, const QVariantMap& rekord)
{
    m_forrasok.insert(nev.toLower(), kisbetus(rekord));
}

QVariantMap Jelentes::elsoSor(const QString& sql, const QVariantList& param)
{
    QSqlQuery q = Adatbazis::vegrehajt(sql, param);
    QVariantMap s;
    if (q.next()) {
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i) {
            const QString n = r.fieldName(i).toLower();
            if (!s.contains(n)) s.insert(n, r.value(i));
        }
    }
    return s;
}

// ---- evaluation ---------------------------------------------------------------

// The count and the sums of the rows in a scope.
struct Jelentes::Osszesito {
    qint64 db = 0;
    std::vector<double> osszeg;   // by summed field
    explicit Osszesito(size_t mezok = 0) : osszeg(mezok, 0.0) {}
    void hozzaad(const std::vector<double>& sor)
    {
        ++db;
        for (size_t i = 0; i < osszeg.size(); ++i) osszeg[i] += sor[i];
    }
};

// One output of the report: where each field is, what a row must read, the
// fonts, and what had to be read ahead.
struct Jelentes::Futas {
    Kurzor* kurzor = nullptr;        // null: no rows
    QPaintDevice* d = nullptr;
    Oszlopok oszlopok;               // field name -> column
    std::vector<int> olvasando;      // the columns a row reads
    std::vector<int> osszegOszlop;   // column of each summed field; -1: no such field
    std::vector<int> kulcsOszlop;    // column of each group's key
    QHash<const Elem*, int> mezoOszlop;    // field elements of the data row
    QHash<const Elem*, int> osszegMezo;    // sum elements: which summed field
    bool fejOsszeg = false;          // a group header shows a sum or count
    bool oldalOsszes = false;        // the number of pages is printed
    // The whole of every group, level by level, in order (when fejOsszeg):
    // counts, and the sums in rows of osszegOszlop.size().
    std::vector<std::vector<qint64>> csoportDb;
    std::vector<std::vector<double>> csoportOsszeg;
    int oldalak = 0;                 // pages, when read ahead; 0: not known
    bool leallt = false;

    std::unordered_map<const Elem*, QFont> betuk;
    std::unordered_map<const Elem*, QFontMetricsF> metrikak;
    const QFont& betu(const Elem& e)
    {
        auto it = betuk.find(&e);
        if (it == betuk.end()) it = betuk.emplace(&e, e.betu.font()).first;
        return it->second;
    }
    const QFontMetricsF& metrika(const Elem& e)
    {
        auto it = metrikak.find(&e);
        if (it == metrikak.end()) it = metrikak.emplace(&e, QFontMetricsF(betu(e), d)).first;
        return it->second;
    }
    // A one-line text shaped once, cut with "…" to `szelesseg`: its glyphs
    // (from the baseline at ascent under the top) and its width. Most
    // columns repeat a few values (a category, a flag), so each element
    // keeps the last few hundred of its texts shaped.
    struct Sor1 {
        QList<QGlyphRun> futasok;
        double szelesseg = 0;
    };
    std::unordered_map<const Elem*, QHash<QString, Sor1>> formazott;
    // The element's font as the device draws it, once something was shaped in it.
    std::unordered_map<const Elem*, QRawFont> nyersBetuk;
    const Sor1& egySor(const Elem& e, const QString& szoveg, double szelesseg)
    {
        QHash<QString, Sor1>& tar = formazott[&e];
        const auto it = tar.constFind(szoveg);
        if (it != tar.cend()) return *it;
        if (tar.size() >= 256) tar.clear();
        const auto kirak = [&](const QString& s) {
            Sor1 k;
            if (gyorsan(e, s, k)) return k;
            QTextLayout tl(s, betu(e), d);
            QTextOption o;
            o.setWrapMode(QTextOption::NoWrap);
            tl.setTextOption(o);
            tl.beginLayout();
            QTextLine sor = tl.createLine();
            if (sor.isValid()) sor.setLineWidth(1e9);
            tl.endLayout();
            k = Sor1{tl.glyphRuns(), sor.isValid() ? sor.naturalTextWidth() : 0.0};
            if (k.futasok.size() == 1 && !nyersBetuk.count(&e)
                && k.futasok.first().rawFont().familyName() == QFontInfo(betu(e)).family())
                nyersBetuk.emplace(&e, k.futasok.first().rawFont());
            return k;
        };
        Sor1 k = kirak(szoveg);
        if (k.szelesseg > szelesseg) k = kirak(metrika(e).elidedText(szoveg, Qt::ElideRight, szelesseg));
        return *tar.insert(szoveg, std::move(k));
    }
    // Most texts of a list are letters of the Latin alphabets in one font:
    // for them one glyph per character with the font's own (kerned)
    // advances is all shaping does, at a fraction of its cost. False when
    // the text needs more (combining marks, other scripts, a letter the
    // font lacks) or the font is not known yet.
    bool gyorsan(const Elem& e, const QString& s, Sor1& k)
    {
        const auto it = nyersBetuk.find(&e);
        if (it == nyersBetuk.end() || s.isEmpty()) return false;
        for (QChar c : s)
            if (c.unicode() < 0x20 || c.unicode() >= 0x0250 || c.unicode() == 0xAD) return false;
        const QRawFont& f = it->second;
        const QList<quint32> jelek = f.glyphIndexesForString(s);
        if (jelek.size() != s.size() || jelek.contains(0u)) return false;
        const QList<QPointF> elore = f.advancesForGlyphIndexes(jelek, QRawFont::KernedAdvances | QRawFont::UseDesignMetrics);
        QList<QPointF> hely;
        hely.reserve(jelek.size());
        double x = 0;
        for (const QPointF& a : elore) {
            hely << QPointF(x, f.ascent());
            x += a.x();
        }
        QGlyphRun g;
        g.setRawFont(f);
        g.setGlyphIndexes(jelek);
        g.setPositions(hely);
        const QFont& b = betu(e);
        g.setUnderline(b.underline());
        k = Sor1{{g}, x};
        return true;
    }
    // The whole of group `szint` number `hanyadik` (0-based); empty when not read ahead.
    Osszesito csoport(int szint, qsizetype hanyadik) const
    {
        const size_t n = osszegOszlop.size();
        Osszesito o(n);
        if (!fejOsszeg || hanyadik < 0 || size_t(hanyadik) >= csoportDb[size_t(szint)].size()) return o;
        o.db = csoportDb[size_t(szint)][size_t(hanyadik)];
        for (size_t i = 0; i < n; ++i) o.osszeg[i] = csoportOsszeg[size_t(szint)][size_t(hanyadik) * n + i];
        return o;
    }
};

struct Jelentes::Kornyezet {
    Futas* f = nullptr;
    const Sor* sor = nullptr;                     // null: no data row
    const Osszesito* hatokor = nullptr;           // null: no rows in scope
    const std::vector<double>* plusz = nullptr;   // a detail row counted into its own scope
    int oldal = 1, oldalak = 1;
};

// Where the bands of a layout go: painted, or only counted.
struct Jelentes::Kimeno {
    std::function<bool(int oldal)> ujOldal;     // before the page's first band; false: stop
    std::function<void(const Sav&, const Kornyezet&, const Meret&, const QPointF& hol, double vagas)> sav;
    std::function<bool(int oldal)> oldalKesz;   // after its last band; false: stop
    int oldalak = 0;
};

QString Jelentes::elemSzoveg(const Elem& e, const Kornyezet& k) const
{
    const auto formaz = [&e](const QVariant& v) { return e.formatum ? e.formatum(v) : VarSzoveg(v); };
    switch (e.fajta) {
    case Elem::Szoveg: return e.szoveg;
    case Elem::Mezo: {
        QVariant v;
        if (!e.forras.isEmpty())
            v = m_forrasok.value(e.forras.toLower()).value(e.mezo.toLower());
        else if (k.sor && k.sor->ertekek)
            v = k.f ? k.sor->ertekek->value(k.f->mezoOszlop.value(&e, -1)) : k.sor->ertek(e.mezo);
        return e.szoveg + formaz(v);
    }
    case Elem::RendszerErtek:
        switch (e.rendszer) {
        case Datum: return e.szoveg + RovidDatum(m_most.date());
        case Ido: return e.szoveg + HosszuIdo(m_most.time());
        case DatumIdo: return e.szoveg + RovidDatum(m_most.date()) + QLatin1Char(' ') + HosszuIdo(m_most.time());
        case Oldal: return e.szoveg + QString::number(k.oldal);
        case OldalOsszes: return e.szoveg + QString::number(k.oldalak);
        case Cim: return e.szoveg + m_cim;
        case Nev: return e.szoveg + m_nev;
        }
        return e.szoveg;
    case Elem::Osszeg: {
        const int i = k.f ? k.f->osszegMezo.value(&e, -1) : -1;
        double s = 0;
        if (i >= 0 && k.hatokor) s += k.hatokor->osszeg[size_t(i)];
        if (i >= 0 && k.plusz) s += (*k.plusz)[size_t(i)];
        return e.szoveg + formaz(QVariant(s));
    }
    case Elem::Darab:
        return e.szoveg + QString::number((k.hatokor ? k.hatokor->db : 0) + (k.plusz ? 1 : 0));
    default: return {};
    }
}

Jelentes::Meret Jelentes::meret(const Sav& s, const Kornyezet& k, QPaintDevice* d) const
{
    const size_t n = s.elemek.size();
    Meret m{s.magassag, {}, {}, {}};
    const double fx = d->logicalDpiX() / 25.4, fy = d->logicalDpiY() / 25.4;
    bool novo = false;
    for (size_t i = 0; i < n; ++i) {
        const Elem& e = s.elemek[i];
        if (!e.lathato || !e.tordel || !(e.fajta == Elem::Szoveg || e.fajta == Elem::Mezo
                                         || e.fajta == Elem::RendszerErtek || e.fajta == Elem::Osszeg))
            continue;
        QTextLayout tl(tordelesre(elemSzoveg(e, k)), k.f ? k.f->betu(e) : e.betu.font(), d);
        const double kell = tordel(tl, e.hely.width() * fx, e.igazitas) / fy;
        if (kell - e.hely.height() <= 0) continue;
        if (m.novekedes.empty()) m.novekedes.assign(n, 0);
        m.novekedes[i] = kell - e.hely.height();
        novo = true;
    }
    if (!novo) return m;
    m.eltolas.assign(n, 0);
    m.nyujtas.assign(n, 0);

    // Elements below a grown text move down by its growth (and by whatever
    // moved that text); elements spanning it stretch. Top-down order.
    std::vector<size_t> sorrend(n);
    for (size_t i = 0; i < n; ++i) sorrend[i] = i;
    std::stable_sort(sorrend.begin(), sorrend.end(), [&s](size_t a, size_t b) {
        return befoglalo(s.elemek[a]).top() < befoglalo(s.elemek[b]).top();
    });
    double legalso = 0;
    for (size_t i : sorrend) {
        const QRectF r = befoglalo(s.elemek[i]);
        for (size_t w : sorrend) {
            if (w == i || m.novekedes[w] <= 0) continue;
            const QRectF rw = s.elemek[w].hely;
            if (rw.bottom() <= r.top() + Tures)
                m.eltolas[i] = std::max(m.eltolas[i], m.eltolas[w] + m.novekedes[w]);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const QRectF r = befoglalo(s.elemek[i]);
        double ny = m.novekedes[i];
        for (size_t w = 0; w < n; ++w) {
            if (w == i || m.novekedes[w] <= 0) continue;
            const QRectF rw = s.elemek[w].hely;
            if (r.top() <= rw.top() + Tures && r.bottom() >= rw.bottom() - Tures)
                ny = std::max(ny, m.eltolas[w] + m.novekedes[w] - m.eltolas[i]);
        }
        m.nyujtas[i] = ny;
        legalso = std::max(legalso, m.eltolas[i] + m.nyujtas[i]);
    }
    m.magassag = s.magassag + legalso;
    return m;
}

// ---- reading ahead -----------------------------------------------------------------

void Jelentes::elokeszit(Futas& f) const
{
    const auto oszlopa = [&f](const QString& mezo) { return f.oszlopok.value(mezo.toLower(), -1); };
    if (f.kurzor) {
        f.kurzor->elejere();
        const QStringList mezok = f.kurzor->mezok();
        // A name that two joined tables share means the first column of that name.
        for (int i = 0; i < mezok.size(); ++i) {
            const QString n = mezok[i].toLower();
            if (!f.oszlopok.contains(n)) f.oszlopok.insert(n, i);
        }
    }
    std::vector<bool> kell(f.kurzor ? size_t(f.kurzor->mezok().size()) : 0, false);
    bool mind = false;   // a drawing of the report's own may ask for any field
    const auto olvas = [&kell](int o) {
        if (o >= 0 && size_t(o) < kell.size()) kell[size_t(o)] = true;
    };
    QStringList osszegMezok;
    const auto nez = [&](const Sav& s, bool csoportFej) {
        if (!s.lathato) return;   // what is not printed needs nothing read
        for (const Elem& e : s.elemek) {
            if (!e.lathato) continue;
            switch (e.fajta) {
            case Elem::Mezo:
                if (e.forras.isEmpty()) {
                    f.mezoOszlop.insert(&e, oszlopa(e.mezo));
                    olvas(oszlopa(e.mezo));
                }
                break;
            case Elem::Osszeg: {
                const QString m = e.mezo.toLower();
                if (!osszegMezok.contains(m)) osszegMezok << m;
                f.osszegMezo.insert(&e, int(osszegMezok.indexOf(m)));
                f.fejOsszeg = f.fejOsszeg || csoportFej;
                break;
            }
            case Elem::Darab: f.fejOsszeg = f.fejOsszeg || csoportFej; break;
            case Elem::RendszerErtek: f.oldalOsszes = f.oldalOsszes || e.rendszer == OldalOsszes; break;
            case Elem::Rajz: mind = true; break;
            default: break;
            }
        }
    };
    for (const Sav* s : {&cimSav, &lapFej, &oszlopFej, &reszlet, &osszegzes, &lapLab}) nez(*s, false);
    for (const Csoport& cs : m_csoportok) {
        nez(cs.fej, true);
        nez(cs.lab, false);
        f.kulcsOszlop.push_back(oszlopa(cs.mezo));
        olvas(f.kulcsOszlop.back());
    }
    for (const QString& m : osszegMezok) {
        f.osszegOszlop.push_back(oszlopa(m));
        olvas(f.osszegOszlop.back());
    }
    for (size_t i = 0; i < kell.size(); ++i)
        if (mind || kell[i]) f.olvasando.push_back(int(i));
}

void Jelentes::csoportOsszegez(Futas& f) const
{
    const size_t g = m_csoportok.size(), n = f.osszegOszlop.size();
    f.csoportDb.assign(g, {});
    f.csoportOsszeg.assign(g, {});
    if (!f.kurzor || g == 0) return;
    Kurzor& k = *f.kurzor;
    k.elejere();
    std::vector<QVariant> kulcs(g), elozo(g);
    std::vector<double> sor(n);
    std::vector<Osszesito> most(g, Osszesito(n));
    bool elso = true;
    const auto zar = [&](size_t j) {
        f.csoportDb[j].push_back(most[j].db);
        f.csoportOsszeg[j].insert(f.csoportOsszeg[j].end(), most[j].osszeg.begin(), most[j].osszeg.end());
        most[j] = Osszesito(n);
    };
    while (k.kovetkezo()) {
        for (size_t j = 0; j < g; ++j) kulcs[j] = f.kulcsOszlop[j] >= 0 ? k.ertek(f.kulcsOszlop[j]) : QVariant();
        for (size_t i = 0; i < n; ++i) sor[i] = f.osszegOszlop[i] >= 0 ? VarValos(k.ertek(f.osszegOszlop[i])) : 0.0;
        size_t l = 0;
        if (!elso) {
            l = g;
            for (size_t j = 0; j < g; ++j)
                if (kulcs[j] != elozo[j]) {
                    l = j;
                    break;
                }
            for (size_t j = l; j < g; ++j) zar(j);
        }
        for (size_t j = 0; j < g; ++j) most[j].hozzaad(sor);
        std::swap(kulcs, elozo);
        elso = false;
    }
    if (!elso)
        for (size_t j = 0; j < g; ++j) zar(j);
    k.lezar();
}

// ---- layout ---------------------------------------------------------------------

bool Jelentes::lefut(Futas& f, Kimeno& ki) const
{
    const int g = int(m_csoportok.size());
    const size_t no = f.osszegOszlop.size();
    const double bal = m_margok.left();
    const double teteje = m_margok.top();
    const double alja = papir().height() - m_margok.bottom();
    const double w = szelesseg();

    double y = teteje;          // next free place for a full-width band
    double hatar = alja;        // where the page footer begins
    bool torzsVan = false;      // the page has a band beyond its headers
    int oldal = 0;
    const Sor* utolso = nullptr;   // the last row printed
    Osszesito eddig(no);           // the rows printed so far

    // Two rows at a time: the current one and the one before, whose group
    // footers are printed when the current one starts a new group.
    const int oszlopSzam = f.kurzor ? int(f.kurzor->mezok().size()) : 0;
    QVariantList ertekek[2] = {QVariantList(oszlopSzam), QVariantList(oszlopSzam)};
    const Sor sorok[2] = {{&f.oszlopok, &ertekek[0]}, {&f.oszlopok, &ertekek[1]}};
    int a = 0;   // sorok[a] is the current row, sorok[1 - a] the one before
    std::vector<double> sorOsszeg(no);   // the current row's values of the summed fields

    // Detail columns: rows go down a column (or across a row of columns).
    const Sav& rs = reszlet;
    const int oszlopok = std::max(1, rs.oszlopok);
    const double oszlopSzel = rs.oszlopSzelesseg > 0 ? rs.oszlopSzelesseg
                                                     : (w - (oszlopok - 1) * rs.oszlopKoz) / oszlopok;
    bool oszlopban = false;
    int oszlop = 0;
    double oszlopTeteje = 0, oszlopY = 0, oszlopAlja = 0;

    const auto kornyezet = [&](const Sor* sor, const Osszesito* h, const std::vector<double>* plusz) {
        Kornyezet k;
        k.f = &f;
        k.sor = sor;
        k.hatokor = h;
        k.plusz = plusz;
        k.oldal = std::max(1, oldal);
        k.oldalak = f.oldalak > 0 ? f.oldalak : k.oldal;
        return k;
    };
    const auto helyez = [&](const Sav& s, double x, double yy, const Meret& m, const Kornyezet& k, double korlat) {
        // Taller than the room left on an empty page: drawn cut at the footer.
        const double vagas = yy + m.magassag > korlat + Tures ? std::max(0.001, korlat - yy) : 0.0;
        if (ki.sav && !f.leallt) ki.sav(s, k, m, QPointF(x, yy), vagas);
    };
    const auto lapZar = [&]() {
        if (oldal == 0) return;
        if (lapLab.lathato) {
            // Into the bottom margin if need be, never onto the body.
            const Kornyezet k = kornyezet(utolso, &eddig, nullptr);
            if (ki.sav && !f.leallt) ki.sav(lapLab, k, meret(lapLab, k, f.d), QPointF(bal, hatar), papir().height() - hatar);
        }
        if (ki.oldalKesz && !f.leallt && !ki.oldalKesz(oldal)) f.leallt = true;
    };
    const auto ujLap = [&](const Sor* sor) {
        lapZar();
        ++oldal;
        ki.oldalak = oldal;
        if (ki.ujOldal && !f.leallt && !ki.ujOldal(oldal)) f.leallt = true;
        y = teteje;
        torzsVan = false;
        oszlopban = false;
        const double labMagas = lapLab.lathato ? meret(lapLab, kornyezet(sor, &eddig, nullptr), f.d).magassag : 0;
        hatar = std::max(teteje, alja - labMagas);
        for (const Sav* s : {&cimSav, &lapFej, &oszlopFej}) {
            if (!s->lathato || (s == &cimSav && oldal > 1)) continue;
            const Kornyezet k = kornyezet(sor, &eddig, nullptr);
            const Meret m = meret(*s, k, f.d);
            helyez(*s, bal, y, m, k, hatar);
            y = std::min(hatar, y + m.magassag);
        }
    };
    const auto oszlopZar = [&]() {
        if (!oszlopban) return;
        y = std::min(hatar, oszlopAlja);
        oszlopban = false;
    };
    // A full-width band; `egyutt` more mm must fit with it (a group header
    // is not left alone at the foot of a page).
    const auto torzs = [&](const Sav& s, const Sor* sor, const Osszesito* hk, double egyutt) {
        if (!s.lathato) return;
        oszlopZar();
        const Meret m = meret(s, kornyezet(sor, hk, nullptr), f.d);
        if (torzsVan && y + m.magassag + egyutt > hatar + Tures) ujLap(sor);
        helyez(s, bal, y, m, kornyezet(sor, hk, nullptr), hatar);
        y = std::min(hatar, y + m.magassag);
        torzsVan = true;
    };
    const auto reszletHelyez = [&](const Sor* sor) {
        if (!rs.lathato) return;
        const Meret m = meret(rs, kornyezet(sor, &eddig, &sorOsszeg), f.d);
        const double h = m.magassag;
        if (!oszlopban) {
            oszlopban = true;
            oszlop = 0;
            oszlopTeteje = oszlopY = oszlopAlja = y;
        }
        const auto ujOldalon = [&]() {
            ujLap(sor);
            oszlopban = true;
            oszlop = 0;
            oszlopTeteje = oszlopY = oszlopAlja = y;
        };
        if (rs.lefele) {
            if (oszlopY + h > hatar + Tures) {
                if (oszlopY > oszlopTeteje + Tures && oszlop + 1 < oszlopok) {
                    ++oszlop;
                    oszlopY = oszlopTeteje;
                }
                if (oszlopY + h > hatar + Tures && torzsVan) ujOldalon();
            }
        } else {
            if (oszlop == oszlopok) {   // the row of columns is full: the next row
                oszlop = 0;
                oszlopY = oszlopAlja;
            }
            if (oszlop == 0 && oszlopY + h > hatar + Tures && torzsVan) ujOldalon();
        }
        const double x = bal + oszlop * (oszlopSzel + rs.oszlopKoz);
        helyez(rs, x, oszlopY, m, kornyezet(sor, &eddig, &sorOsszeg), hatar);
        oszlopAlja = std::max(oszlopAlja, std::min(hatar, oszlopY + h));
        if (rs.lefele)
            oszlopY = std::min(hatar, oszlopY + h);
        else
            ++oszlop;
        torzsVan = true;
    };

    const auto beolvas = [&]() {
        QVariantList& v = ertekek[a];
        for (int o : f.olvasando) v[o] = f.kurzor->ertek(o);
        for (size_t i = 0; i < no; ++i)
            sorOsszeg[i] = f.osszegOszlop[i] >= 0 ? VarValos(v.at(f.osszegOszlop[i])) : 0.0;
    };
    const auto kulcs = [&f](const Sor& s, int szint) {
        const int o = f.kulcsOszlop[size_t(szint)];
        return o >= 0 ? s.ertekek->at(o) : QVariant();
    };

    std::vector<Osszesito> csoport;
    csoport.assign(size_t(g), Osszesito(no));   // the group's rows printed so far
    std::vector<qsizetype> hanyadik(size_t(g), -1);             // which group of its level

    if (f.kurzor) f.kurzor->elejere();
    bool van = f.kurzor && f.kurzor->kovetkezo();
    if (van) beolvas();
    bool volt = false;   // a row has been printed
    ujLap(van ? &sorok[a] : nullptr);
    while (van && !f.leallt) {
        const Sor* akt = &sorok[a];
        const Sor* elozo = &sorok[1 - a];
        int l = 0;   // the outermost level that changes here; g: none
        if (volt) {
            l = g;
            for (int j = 0; j < g; ++j)
                if (kulcs(*akt, j) != kulcs(*elozo, j)) {
                    l = j;
                    break;
                }
            for (int j = g - 1; j >= l; --j) torzs(m_csoportok[size_t(j)].lab, elozo, &csoport[size_t(j)], 0);
        }
        for (int j = l; j < g; ++j) {
            csoport[size_t(j)] = Osszesito(no);
            ++hanyadik[size_t(j)];
            const Csoport& cs = m_csoportok[size_t(j)];
            if (cs.ujOldal && volt && j == l) {
                oszlopZar();
                if (torzsVan) ujLap(akt);
            }
            double egyutt = rs.lathato ? meret(rs, kornyezet(akt, &eddig, &sorOsszeg), f.d).magassag : 0;
            for (int b = j + 1; b < g; ++b)
                if (m_csoportok[size_t(b)].fej.lathato) {
                    const Osszesito egesz = f.csoport(b, hanyadik[size_t(b)] + 1);
                    egyutt += meret(m_csoportok[size_t(b)].fej, kornyezet(akt, &egesz, nullptr), f.d).magassag;
                }
            const Osszesito egesz = f.csoport(j, hanyadik[size_t(j)]);
            torzs(cs.fej, akt, &egesz, egyutt);
        }
        reszletHelyez(akt);
        eddig.hozzaad(sorOsszeg);
        for (Osszesito& o : csoport) o.hozzaad(sorOsszeg);
        volt = true;
        utolso = akt;
        // The row just printed becomes the one before; the next is read over the older one.
        a = 1 - a;
        van = f.kurzor->kovetkezo();
        if (van) beolvas();
    }
    if (f.leallt) return false;
    if (volt)
        for (int j = g - 1; j >= 0; --j) torzs(m_csoportok[size_t(j)].lab, utolso, &csoport[size_t(j)], 0);
    torzs(osszegzes, utolso, &eddig, 0);
    oszlopZar();
    lapZar();
    return !f.leallt;
}

// ---- painting -----------------------------------------------------------------

void Jelentes::savRajzol(QPainter& p, const Sav& s, const Kornyezet& k, const Meret& m, const QPointF& hol,
                         double vagas) const
{
    QPaintDevice* d = p.device();
    const double fx = d->logicalDpiX() / 25.4, fy = d->logicalDpiY() / 25.4;
    const auto px = [&](const QRectF& r) {
        return QRectF((hol.x() + r.x()) * fx, (hol.y() + r.y()) * fy, r.width() * fx, r.height() * fy);
    };
    const bool nott = !m.eltolas.empty();
    p.save();
    if (vagas > 0)
        p.setClipRect(QRectF(0, hol.y() * fy, d->width() * 2.0, vagas * fy));
    for (size_t i = 0; i < s.elemek.size(); ++i) {
        const Elem& e = s.elemek[i];
        if (!e.lathato) continue;
        const double eltolas = nott ? m.eltolas[i] : 0, nyujtas = nott ? m.nyujtas[i] : 0;
        QRectF r = e.hely;
        r.translate(0, eltolas);
        r.setHeight(r.height() + nyujtas);
        switch (e.fajta) {
        case Elem::Szoveg:
        case Elem::Mezo:
        case Elem::RendszerErtek:
        case Elem::Osszeg:
        case Elem::Darab: {
            const QString szoveg = elemSzoveg(e, k);
            if (szoveg.isEmpty()) break;
            const QFont& f = k.f->betu(e);
            const QRectF rp = px(r);
            p.setPen(e.szin);
            if (e.tordel) {
                QTextLayout tl(tordelesre(szoveg), f, d);
                tordel(tl, rp.width(), e.igazitas);
                tl.draw(&p, rp.topLeft());
            } else {
                const Futas::Sor1& sor = k.f->egySor(e, szoveg, rp.width());
                const double x = e.igazitas == Kozep  ? rp.left() + (rp.width() - sor.szelesseg) / 2
                                 : e.igazitas == Jobb ? rp.right() - sor.szelesseg
                                                      : rp.left();
                for (const QGlyphRun& g : sor.futasok) p.drawGlyphRun(QPointF(x, rp.top()), g);
            }
            break;
        }
        case Elem::Vonal: {
            const QLineF v = e.vonal;
            const QRectF b = befoglalo(e);
            QPen toll(e.szin, std::max(0.0, e.vastagsag) * fx, e.tollStilus);
            if (e.vastagsag <= 0) toll = Qt::NoPen;
            // A line moves with what is above it; a vertical one also stretches.
            QPointF p1 = v.p1() + QPointF(0, eltolas), p2 = v.p2() + QPointF(0, eltolas);
            if (b.height() > Tures) (p1.y() >= p2.y() ? p1 : p2).ry() += nyujtas;
            p.setPen(toll);
            p.drawLine(QPointF((hol.x() + p1.x()) * fx, (hol.y() + p1.y()) * fy),
                       QPointF((hol.x() + p2.x()) * fx, (hol.y() + p2.y()) * fy));
            break;
        }
        case Elem::Keret:
        case Elem::Forma: {
            QPen toll(e.szin, std::max(0.0, e.vastagsag) * fx, e.tollStilus);
            if (e.vastagsag <= 0) toll = Qt::NoPen;
            p.setPen(toll);
            p.setBrush(e.kitoltes.isValid() ? QBrush(e.kitoltes) : QBrush(Qt::NoBrush));
            const QRectF rp = px(r);
            if (e.fajta == Elem::Forma && e.alakzat == Ellipszis)
                p.drawEllipse(rp);
            else if (e.fajta == Elem::Forma && e.alakzat == KerekitettTeglalap)
                p.drawRoundedRect(rp, 1.5 * fx, 1.5 * fy);
            else
                p.drawRect(rp);
            p.setBrush(Qt::NoBrush);
            break;
        }
        case Elem::Rajz:
            if (e.rajzolo) {
                p.save();
                e.rajzolo(p, px(r), fx, k.sor ? *k.sor : Sor{});
                p.restore();
            }
            break;
        }
    }
    p.restore();
}

void Jelentes::lapBeallit(QPrinter& p) const
{
    p.setPageLayout(QPageLayout(QPageSize(m_meret), m_irany, m_margok, QPageLayout::Millimeter));
    // The engine places everything from the paper's corner itself.
    p.setFullPage(true);
}

bool Jelentes::rajzol(QPrinter& p, const std::function<bool(int, int)>& halad)
{
    m_most = Most();
    m_hiba.clear();
    m_oldalak = 0;
    QPainter painter;
    if (!painter.begin(&p)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Futas f;
    f.kurzor = m_kurzor.get();
    f.d = &p;
    bool kesz = false;
    try {
        elokeszit(f);
        if (f.fejOsszeg) csoportOsszegez(f);
        if (f.oldalOsszes) {
            // Laid out once without painting, to count the pages.
            Kimeno szamlalo;
            lefut(f, szamlalo);
            if (f.kurzor) f.kurzor->lezar();
            f.oldalak = szamlalo.oldalak;
        }
        Kimeno festo;
        festo.ujOldal = [&p](int oldal) { return oldal == 1 || p.newPage(); };
        festo.sav = [this, &painter](const Sav& s, const Kornyezet& k, const Meret& m, const QPointF& hol,
                                     double vagas) { savRajzol(painter, s, k, m, hol, vagas); };
        festo.oldalKesz = [&](int oldal) { return !halad || halad(oldal, f.oldalak); };
        kesz = lefut(f, festo);
        if (f.kurzor) f.kurzor->lezar();
        m_oldalak = festo.oldalak;
    } catch (const AdatbazisHiba& e) {
        m_hiba = e.uzenet();
        if (f.kurzor) f.kurzor->lezar();
    }
    if (!kesz) {
        p.abort();
        painter.end();
        return false;
    }
    return painter.end();
}

// ---- output ---------------------------------------------------------------------

namespace {

// Whether the PDF writer's file came out whole: the writer does not report
// a failed write (a full disk), so the file is checked. Its last lines name
// the offset of its cross-reference table, counted by the writer as it
// wrote; a lost or cut-off write leaves no "%%EOF" at the end or no table at
// that offset.
bool pdfEgesz(const QString& fajl)
{
    QFile f(fajl);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const qint64 meret = f.size();
    if (meret < 32 || !f.seek(std::max<qint64>(0, meret - 64))) return false;
    const QByteArray veg = f.read(64).trimmed();
    if (!veg.endsWith("%%EOF")) return false;
    const qsizetype hol = veg.lastIndexOf("startxref");
    if (hol < 0) return false;
    bool jo = false;
    const qint64 tabla = veg.mid(hol + 9, veg.size() - 5 - hol - 9).trimmed().toLongLong(&jo);
    if (!jo || tabla <= 0 || tabla >= meret || !f.seek(tabla)) return false;
    return f.read(4) == "xref";
}

} // namespace

bool Jelentes::pdfbe(const QString& fajl, QString* hiba)
{
    // Written under a temporary name beside the target, which it replaces
    // only when whole: a failure or a kill never leaves half a PDF under the
    // requested name, nor takes away an older file of that name.
    const QString celFajl = QFileInfo(fajl).absoluteFilePath();
    Fajliras::Maradekok(QFileInfo(celFajl).absolutePath());
    const QString ideiglenes = Fajliras::IdeiglenesNev(celFajl);
    // Created here first, so a folder that takes no file is told by its reason.
    const int fd = ::open(QFile::encodeName(ideiglenes).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (hiba)
            *hiba = QStringLiteral("A PDF fájl nem írható: %1\n%2").arg(fajl, Fajliras::RendszerHiba(errno));
        return false;
    }
    ::close(fd);
    bool kesz = false;
    {
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(ideiglenes);
        p.setDocName(m_cim);
        p.setCreator(QStringLiteral("Kazettora"));
        lapBeallit(p);
        kesz = rajzol(p, {});
    }   // the printer closes its file here
    // The writer tells no reason: a report that read its data but did not
    // come out whole failed at the disk.
    QString ok;
    if (kesz && !pdfEgesz(ideiglenes)) kesz = false;
    if (!kesz) ok = QStringLiteral("A fájl nem került egészében a lemezre (betelt a lemez?).");
    if (kesz) {
        if (Fajliras::Helyere(ideiglenes, celFajl, &ok)) return true;
        if (hiba) *hiba = ok;
        return false;
    }
    QFile::remove(ideiglenes);
    if (hiba) {
        if (!m_hiba.isEmpty()) *hiba = QStringLiteral("A jelentés adatai nem olvashatók: %1").arg(m_hiba);
        else *hiba = QStringLiteral("A PDF fájl nem írható: %1\n%2").arg(fajl, ok);
    }
    return false;
}

bool Jelentes::nyomtat(QWidget* szulo) { return parbeszed().nyomtatas(szulo, *this); }

void Jelentes::elonezet(QWidget* szulo) { parbeszed().nyomtatasiKep(szulo, *this); }

bool Jelentes::kiad(const Kimenet& k, QWidget* szulo)
{
    switch (k.fajta) {
    case Kimenet::Nyomtato: return nyomtat(szulo);
    case Kimenet::Elonezet: elonezet(szulo); return true;
    case Kimenet::Pdf: {
        QString hiba;
        if (pdfbe(k.fajl, &hiba)) return true;
        parbeszed().doboz(szulo, Parbeszed::Doboz::Hiba, QStringLiteral("Hiba"), hiba);
        return false;
    }
    }
    return false;
}

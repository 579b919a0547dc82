#include "reports/jelentes.h"
#include "common/listamodell.h"
#include "data/adatbazis.h"
#include "data/beallitas.h"
#include "data/konverzio.h"
#include "data/ora.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

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
    if (n == QLatin1String("arial") || n == QLatin1String("helvetica") || n == QLatin1String("tahoma")
        || n == QLatin1String("ms sans serif") || n == QLatin1String("verdana"))
        return QStringLiteral("Liberation Sans");
    if (n == QLatin1String("times new roman") || n == QLatin1String("times"))
        return QStringLiteral("Liberation Serif");
    if (n == QLatin1String("courier new") || n == QLatin1String("courier"))
        return QStringLiteral("Liberation Mono");
    return nev;
}

QFont Jelentes::Betu::font() const
{
    QFont f(BetuCsalad(nev));
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
    return mezok ? mezok->value(mezo.toLower()) : QVariant();
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

QString Jelentes::PenzFormatum(const QVariant& v)
{
    const double d = VarValos(v);
    const long long n = std::llround(std::isfinite(d) ? d : 0.0);
    QString jegyek = QString::number(n < 0 ? -n : n);
    for (int i = jegyek.size() - 3; i > 0; i -= 3) jegyek.insert(i, QLatin1Char(' '));
    return n < 0 ? QLatin1Char('-') + jegyek : jegyek;
}

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

namespace {
QVariantMap kisbetus(const QVariantMap& m)
{
    QVariantMap k;
    for (auto it = m.cbegin(); it != m.cend(); ++it) k.insert(it.key().toLower(), it.value());
    return k;
}
} // namespace

void Jelentes::adat(const QList<QVariantMap>& sorok)
{
    m_sorok.clear();
    m_sorok.reserve(sorok.size());
    for (const QVariantMap& s : sorok) m_sorok.append(kisbetus(s));
}

void Jelentes::adat(QSqlQuery& q)
{
    m_sorok.clear();
    while (q.next()) {
        const QSqlRecord r = q.record();
        QVariantMap s;
        // A name that two joined tables share means the first column of that name.
        for (int i = 0; i < r.count(); ++i) {
            const QString n = r.fieldName(i).toLower();
            if (!s.contains(n)) s.insert(n, r.value(i));
        }
        m_sorok.append(s);
    }
}

void Jelentes::adatSql(const QString& sql, const QVariantList& param)
{
    QSqlQuery q = Adatbazis::vegrehajt(sql, param);
    adat(q);
}

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

struct Jelentes::Kornyezet {
    const QVariantMap* sor = nullptr;   // null: no data row
    Hatokor hatokor;
    int oldal = 1, oldalak = 1;
};

QString Jelentes::elemSzoveg(const Elem& e, const Kornyezet& k) const
{
    const auto formaz = [&e](const QVariant& v) { return e.formatum ? e.formatum(v) : VarSzoveg(v); };
    switch (e.fajta) {
    case Elem::Szoveg: return e.szoveg;
    case Elem::Mezo: {
        QVariant v;
        if (e.forras.isEmpty())
            v = k.sor ? k.sor->value(e.mezo.toLower()) : QVariant();
        else
            v = m_forrasok.value(e.forras.toLower()).value(e.mezo.toLower());
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
        double s = 0;
        const QString m = e.mezo.toLower();
        for (int i = std::max(0, k.hatokor.tol); i < std::min<int>(k.hatokor.ig, m_sorok.size()); ++i)
            s += VarValos(m_sorok.at(i).value(m));
        return e.szoveg + formaz(QVariant(s));
    }
    case Elem::Darab:
        return e.szoveg + QString::number(std::max(0, std::min<int>(k.hatokor.ig, m_sorok.size()) - k.hatokor.tol));
    default: return {};
    }
}

Jelentes::Meret Jelentes::meret(const Sav& s, const Kornyezet& k, QPaintDevice* d) const
{
    const size_t n = s.elemek.size();
    Meret m{s.magassag, std::vector<double>(n, 0), std::vector<double>(n, 0), std::vector<double>(n, 0)};
    const double fx = d->logicalDpiX() / 25.4, fy = d->logicalDpiY() / 25.4;
    bool novo = false;
    for (size_t i = 0; i < n; ++i) {
        const Elem& e = s.elemek[i];
        if (!e.lathato || !e.tordel || !(e.fajta == Elem::Szoveg || e.fajta == Elem::Mezo
                                         || e.fajta == Elem::RendszerErtek || e.fajta == Elem::Osszeg))
            continue;
        QTextLayout tl(tordelesre(elemSzoveg(e, k)), e.betu.font(), d);
        const double kell = tordel(tl, e.hely.width() * fx, e.igazitas) / fy;
        m.novekedes[i] = std::max(0.0, kell - e.hely.height());
        novo = novo || m.novekedes[i] > 0;
    }
    if (!novo) return m;

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

// ---- layout ---------------------------------------------------------------------

struct Jelentes::Elrendezes {
    struct Hely {
        const Sav* sav;
        QPointF hol;      // mm from the paper's top-left corner
        int sor;          // data row of the band; -1: none
        Hatokor hatokor;
        double vagas;     // > 0: drawn only this many mm high (taller than a page)
    };
    std::vector<std::vector<Hely>> oldalak;
};

std::unique_ptr<Jelentes::Elrendezes> Jelentes::elrendez(QPaintDevice* d) const
{
    auto el = std::make_unique<Elrendezes>();
    const int n = int(m_sorok.size());
    const int g = int(m_csoportok.size());
    const double bal = m_margok.left();
    const double teteje = m_margok.top();
    const double alja = papir().height() - m_margok.bottom();
    const double w = szelesseg();

    double y = teteje;          // next free place for a full-width band
    double hatar = alja;        // where the page footer begins
    bool torzsVan = false;      // the page has a band beyond its headers
    int utolso = -1;            // last data row printed

    // Detail columns: rows go down a column (or across a row of columns).
    const Sav& rs = reszlet;
    const int oszlopok = std::max(1, rs.oszlopok);
    const double oszlopSzel = rs.oszlopSzelesseg > 0 ? rs.oszlopSzelesseg
                                                     : (w - (oszlopok - 1) * rs.oszlopKoz) / oszlopok;
    bool oszlopban = false;
    int oszlop = 0;
    double oszlopTeteje = 0, oszlopY = 0, oszlopAlja = 0;

    const auto kornyezet = [this](int sor, Hatokor h) {
        Kornyezet k;
        k.sor = sor >= 0 && sor < m_sorok.size() ? &m_sorok.at(sor) : nullptr;
        k.hatokor = h;
        return k;
    };
    const auto eddig = [&utolso]() { return Hatokor{0, utolso + 1}; };
    const auto magas = [&](const Sav& s, int sor, Hatokor h) { return meret(s, kornyezet(sor, h), d).magassag; };
    const auto helyez = [&](const Sav& s, double x, double yy, double h, int sor, Hatokor hk, double korlat) {
        // Taller than the room left on an empty page: drawn cut at the footer.
        const double vagas = yy + h > korlat + Tures ? std::max(0.001, korlat - yy) : 0.0;
        el->oldalak.back().push_back({&s, QPointF(x, yy), sor, hk, vagas});
    };
    const auto lapZar = [&]() {
        if (el->oldalak.empty() || !lapLab.lathato) return;
        // Into the bottom margin if need be, never onto the body.
        el->oldalak.back().push_back({&lapLab, QPointF(bal, hatar), utolso, eddig(), papir().height() - hatar});
    };
    const auto ujLap = [&](int sor) {
        lapZar();
        el->oldalak.emplace_back();
        y = teteje;
        torzsVan = false;
        oszlopban = false;
        const double labMagas = lapLab.lathato ? magas(lapLab, sor, eddig()) : 0;
        hatar = std::max(teteje, alja - labMagas);
        for (const Sav* s : {&cimSav, &lapFej, &oszlopFej}) {
            if (!s->lathato || (s == &cimSav && el->oldalak.size() > 1)) continue;
            const double h = magas(*s, sor, eddig());
            helyez(*s, bal, y, h, sor, eddig(), hatar);
            y = std::min(hatar, y + h);
        }
    };
    const auto oszlopZar = [&]() {
        if (!oszlopban) return;
        y = std::min(hatar, oszlopAlja);
        oszlopban = false;
    };
    // A full-width band; `egyutt` more mm must fit with it (a group header
    // is not left alone at the foot of a page).
    const auto torzs = [&](const Sav& s, int sor, Hatokor hk, double egyutt) {
        if (!s.lathato) return;
        oszlopZar();
        const double h = magas(s, sor, hk);
        if (torzsVan && y + h + egyutt > hatar + Tures) ujLap(sor);
        helyez(s, bal, y, h, sor, hk, hatar);
        y = std::min(hatar, y + h);
        torzsVan = true;
    };
    const auto reszletHelyez = [&](int i) {
        if (!rs.lathato) return;
        const double h = magas(rs, i, {0, i + 1});
        if (!oszlopban) {
            oszlopban = true;
            oszlop = 0;
            oszlopTeteje = oszlopY = oszlopAlja = y;
        }
        const auto ujOldalon = [&]() {
            ujLap(i);
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
        helyez(rs, x, oszlopY, h, i, {0, i + 1}, hatar);
        oszlopAlja = std::max(oszlopAlja, std::min(hatar, oszlopY + h));
        if (rs.lefele)
            oszlopY = std::min(hatar, oszlopY + h);
        else
            ++oszlop;
        torzsVan = true;
    };

    // Where each group that starts at a row ends.
    const auto kulcs = [this](int sor, int szint) { return m_sorok.at(sor).value(m_csoportok[szint].mezo.toLower()); };
    const auto valt = [&](int sor) {   // outermost level that changes before `sor`; g: none
        if (sor == 0) return 0;
        for (int j = 0; j < g; ++j)
            if (kulcs(sor, j) != kulcs(sor - 1, j)) return j;
        return g;
    };
    std::vector<int> kezd(g, 0);
    const auto vege = [&](int sor, int szint) {
        int v = sor + 1;
        while (v < n && valt(v) > szint) ++v;
        return v;
    };

    ujLap(n > 0 ? 0 : -1);
    for (int i = 0; i < n; ++i) {
        const int l = valt(i);
        if (i > 0)
            for (int j = g - 1; j >= l; --j) torzs(m_csoportok[j].lab, i - 1, {kezd[j], i}, 0);
        for (int j = l; j < g; ++j) {
            kezd[j] = i;
            const Csoport& cs = m_csoportok[j];
            if (cs.ujOldal && i > 0 && j == l) {
                oszlopZar();
                if (torzsVan) ujLap(i);
            }
            double egyutt = rs.lathato ? magas(rs, i, {0, i + 1}) : 0;
            for (int b = j + 1; b < g; ++b)
                if (m_csoportok[b].fej.lathato) egyutt += magas(m_csoportok[b].fej, i, {i, vege(i, b)});
            torzs(cs.fej, i, {i, vege(i, j)}, egyutt);
        }
        reszletHelyez(i);
        utolso = i;
    }
    if (n > 0)
        for (int j = g - 1; j >= 0; --j) torzs(m_csoportok[j].lab, n - 1, {kezd[j], n}, 0);
    torzs(osszegzes, n - 1, {0, n}, 0);
    oszlopZar();
    lapZar();
    return el;
}

// ---- painting -----------------------------------------------------------------

void Jelentes::savRajzol(QPainter& p, const Sav& s, const Kornyezet& k, const QPointF& hol, double vagas) const
{
    QPaintDevice* d = p.device();
    const double fx = d->logicalDpiX() / 25.4, fy = d->logicalDpiY() / 25.4;
    const Meret m = meret(s, k, d);
    const auto px = [&](const QRectF& r) {
        return QRectF((hol.x() + r.x()) * fx, (hol.y() + r.y()) * fy, r.width() * fx, r.height() * fy);
    };
    p.save();
    if (vagas > 0)
        p.setClipRect(QRectF(0, hol.y() * fy, d->width() * 2.0, vagas * fy));
    for (size_t i = 0; i < s.elemek.size(); ++i) {
        const Elem& e = s.elemek[i];
        if (!e.lathato) continue;
        QRectF r = e.hely;
        r.translate(0, m.eltolas[i]);
        r.setHeight(r.height() + m.nyujtas[i]);
        QPen toll(e.szin, std::max(0.0, e.vastagsag) * fx, e.tollStilus);
        if (e.vastagsag <= 0) toll = Qt::NoPen;
        switch (e.fajta) {
        case Elem::Szoveg:
        case Elem::Mezo:
        case Elem::RendszerErtek:
        case Elem::Osszeg:
        case Elem::Darab: {
            const QString szoveg = elemSzoveg(e, k);
            const QFont f = e.betu.font();
            const QRectF rp = px(r);
            p.setPen(e.szin);
            if (e.tordel) {
                QTextLayout tl(tordelesre(szoveg), f, d);
                tordel(tl, rp.width(), e.igazitas);
                tl.draw(&p, rp.topLeft());
            } else {
                p.setFont(f);
                const QString rovid = QFontMetricsF(f, d).elidedText(szoveg, Qt::ElideRight, rp.width());
                p.drawText(rp, int(vizszintes(e.igazitas) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip), rovid);
            }
            break;
        }
        case Elem::Vonal: {
            QLineF v = e.vonal;
            const QRectF b = befoglalo(e);
            // A line moves with what is above it; a vertical one also stretches.
            QPointF p1 = v.p1() + QPointF(0, m.eltolas[i]), p2 = v.p2() + QPointF(0, m.eltolas[i]);
            if (b.height() > Tures) (p1.y() >= p2.y() ? p1 : p2).ry() += m.nyujtas[i];
            p.setPen(toll);
            p.drawLine(QPointF((hol.x() + p1.x()) * fx, (hol.y() + p1.y()) * fy),
                       QPointF((hol.x() + p2.x()) * fx, (hol.y() + p2.y()) * fy));
            break;
        }
        case Elem::Keret:
        case Elem::Forma: {
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
                e.rajzolo(p, px(r), fx, Sor{k.sor});
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
    QPainter painter;
    if (!painter.begin(&p)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const std::unique_ptr<Elrendezes> el = elrendez(&p);
    const int osszes = int(el->oldalak.size());
    m_oldalak = osszes;
    for (int o = 0; o < osszes; ++o) {
        if (o > 0 && !p.newPage()) {
            painter.end();
            return false;
        }
        for (const Elrendezes::Hely& h : el->oldalak[o]) {
            Kornyezet k;
            k.sor = h.sor >= 0 && h.sor < m_sorok.size() ? &m_sorok.at(h.sor) : nullptr;
            k.hatokor = h.hatokor;
            k.oldal = o + 1;
            k.oldalak = osszes;
            savRajzol(painter, *h.sav, k, h.hol, h.vagas);
        }
        if (halad && !halad(o + 1, osszes)) {
            p.abort();
            painter.end();
            return false;
        }
    }
    return painter.end();
}

// ---- output ---------------------------------------------------------------------

bool Jelentes::pdfbe(const QString& fajl, QString* hiba)
{
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(fajl);
    p.setDocName(m_cim);
    p.setCreator(QStringLiteral("Kazettora"));
    lapBeallit(p);
    if (rajzol(p, {})) return true;
    if (hiba) *hiba = QStringLiteral("A PDF fájl nem írható: %1").arg(fajl);
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

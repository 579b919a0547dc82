#include "core/reports/hatarolt.h"
#include "core/data/adatbazis.h"
#include "core/data/fajliras.h"
#include "core/data/konverzio.h"
#include "core/data/kulcslista.h"
#include "core/data/utasitas.h"

#include <QDate>
#include <QHash>
#include <algorithm>
#include <QSaveFile>
#include <QTime>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <cmath>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>
#include <unicode/ucnv.h>
#include <unicode/unorm2.h>
#include <unicode/utrans.h>
#include <unicode/uchar.h>

namespace Hatarolt {

namespace {

// ---- Windows-1250 ------------------------------------------------------------

// Code point -> byte for the Basic Multilingual Plane; 0 where the code
// page has no byte (U+0000 itself is written as 0 by the caller's check).
struct KodLap {
    unsigned char bajt[0x10000] = {};
    bool van(char32_t c) const { return c == 0 || (c < 0x10000 && bajt[c] != 0); }
};

const KodLap& kodLap()
{
    static const KodLap* lap = [] {
        auto* l = new KodLap;
        for (int i = 1; i < 0x80; ++i) l->bajt[i] = static_cast<unsigned char>(i);
        UErrorCode e = U_ZERO_ERROR;
        UConverter* c = ucnv_open("windows-1250", &e);
        if (U_SUCCESS(e)) {
            for (int i = 0x80; i < 0x100; ++i) {
                const char b = static_cast<char>(i);
                UChar u[4];
                UErrorCode e2 = U_ZERO_ERROR;
                const int32_t n = ucnv_toUChars(c, u, 4, &b, 1, &e2);
                // Bytes the code page leaves undefined come back as the
                // substitute: nothing maps to them.
                if (U_SUCCESS(e2) && n == 1 && u[0] != 0xFFFD && u[0] != 0x1A) l->bajt[u[0]] = static_cast<unsigned char>(i);
            }
            ucnv_close(c);
        }
        return l;
    }();
    return *lap;
}

QString egyKarakter(char32_t c) { return QString::fromUcs4(&c, 1); }

bool mindVan(const QString& s)
{
    if (s.isEmpty()) return false;
    for (char32_t c : s.toUcs4())
        if (!kodLap().van(c)) return false;
    return true;
}

// ICU's transliterators to Latin letters: 0 keeps accents, 1 drops them too.
UTransliterator* atiro(int i)
{
    static UTransliterator* const tr[2] = {[] {
        UErrorCode e = U_ZERO_ERROR;
        const QString id = QStringLiteral("Any-Latin");
        UTransliterator* t = utrans_openU(reinterpret_cast<const UChar*>(id.utf16()), int32_t(id.size()), UTRANS_FORWARD,
                                          nullptr, 0, nullptr, &e);
        return U_SUCCESS(e) ? t : nullptr;
    }(), [] {
        UErrorCode e = U_ZERO_ERROR;
        const QString id = QStringLiteral("Any-Latin; Latin-ASCII");
        UTransliterator* t = utrans_openU(reinterpret_cast<const UChar*>(id.utf16()), int32_t(id.size()), UTRANS_FORWARD,
                                          nullptr, 0, nullptr, &e);
        return U_SUCCESS(e) ? t : nullptr;
    }()};
    return tr[i];
}

// The closest spelling in the code page of a character it has not.
QByteArray helyettesitoKeres(char32_t c)
{
    const KodLap& lap = kodLap();
    auto kodol = [&](const QString& s) {
        QByteArray b;
        for (char32_t x : s.toUcs4()) b += char(lap.bajt[x]);
        return b;
    };
    UErrorCode e = U_ZERO_ERROR;
    // The letter without its accents (ã -> a, ǆ -> dž), or the plain form
    // of a styled one (ﬁ -> fi, ² -> 2).
    if (const UNormalizer2* nfkd = unorm2_getNFKDInstance(&e); U_SUCCESS(e)) {
        const QString be = egyKarakter(c);
        UChar ki[32];
        const int32_t n = unorm2_normalize(nfkd, reinterpret_cast<const UChar*>(be.utf16()), int32_t(be.size()), ki, 32, &e);
        if (U_SUCCESS(e) && n > 0) {
            QString alap;
            const QString d = QString::fromUtf16(reinterpret_cast<const char16_t*>(ki), n);
            for (char32_t x : d.toUcs4())
                if (u_getCombiningClass(UChar32(x)) == 0 && u_charType(UChar32(x)) != U_NON_SPACING_MARK) alap += egyKarakter(x);
            // A decomposition that kept the character itself says nothing.
            if (alap != be && mindVan(alap)) return kodol(alap);
        }
    }
    // A letter of another script spelt in Latin letters: with the accents
    // the code page has (Ж -> Ž), else without any (Ø -> O).
    if (u_isalpha(UChar32(c))) {
        for (UTransliterator* tr : {atiro(0), atiro(1)}) {
            if (!tr) continue;
            const QString be = egyKarakter(c);
            UChar szoveg[64];
            int32_t hossz = int32_t(be.size());
            std::copy(be.utf16(), be.utf16() + hossz, szoveg);
            int32_t limit = hossz;
            e = U_ZERO_ERROR;
            utrans_transUChars(tr, szoveg, &hossz, 64, 0, &limit, &e);
            if (U_SUCCESS(e) && hossz > 0 && hossz < 64) {
                const QString ki = QString::fromUtf16(reinterpret_cast<const char16_t*>(szoveg), hossz);
                if (ki != be && mindVan(ki)) return kodol(ki);
            }
        }
    }
    return QByteArrayLiteral("?");
}

const QByteArray& helyettesito(char32_t c)
{
    static std::mutex zar;
    static QHash<char32_t, QByteArray> tar;
    std::lock_guard<std::mutex> l(zar);
    auto it = tar.constFind(c);
    if (it == tar.constEnd()) it = tar.insert(c, helyettesitoKeres(c));
    return it.value();
}

// Decodes one UTF-8 sequence at p (n bytes left); 0xFFFFFFFF for a broken one.
inline char32_t utf8Kod(const unsigned char* p, qsizetype n, int& hossz)
{
    const unsigned char b = p[0];
    auto folyt = [&](int i) { return i < n && (p[i] & 0xC0) == 0x80; };
    if (b >= 0xC2 && b < 0xE0 && folyt(1)) {
        hossz = 2;
        return char32_t(b & 0x1F) << 6 | (p[1] & 0x3F);
    }
    if (b >= 0xE0 && b < 0xF0 && folyt(1) && folyt(2)) {
        hossz = 3;
        const char32_t c = char32_t(b & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
        return c >= 0x800 && (c < 0xD800 || c > 0xDFFF) ? c : 0xFFFFFFFF;
    }
    if (b >= 0xF0 && b < 0xF5 && folyt(1) && folyt(2) && folyt(3)) {
        hossz = 4;
        const char32_t c = char32_t(b & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F);
        return c >= 0x10000 && c <= 0x10FFFF ? c : 0xFFFFFFFF;
    }
    hossz = 1;
    return 0xFFFFFFFF;
}

// A growing byte buffer without QByteArray's bookkeeping on every append:
// a million rows of thirty fields are a hundred million appends.
class Puffer {
public:
    void tesz(const char* p, size_t n)
    {
        if (m_n + n > m_kap) nove(m_n + n);
        std::memcpy(m_adat.get() + m_n, p, n);
        m_n += n;
    }
    void tesz(char c)
    {
        if (m_n + 1 > m_kap) nove(m_n + 1);
        m_adat[m_n++] = c;
    }
    void tesz(const QByteArray& b) { tesz(b.constData(), size_t(b.size())); }
    const char* adat() const { return m_adat.get(); }
    size_t meret() const { return m_n; }
    void urit() { m_n = 0; }

private:
    std::unique_ptr<char[]> m_adat;
    size_t m_n = 0, m_kap = 0;
    void nove(size_t kell)
    {
        size_t uj = std::max<size_t>(kell, std::max<size_t>(m_kap * 2, 1 << 16));
        std::unique_ptr<char[]> a(new char[uj]);
        if (m_n) std::memcpy(a.get(), m_adat.get(), m_n);
        m_adat = std::move(a);
        m_kap = uj;
    }
};

struct BajtTomb {
    QByteArray& b;
    void tesz(const char* p, size_t n) { b.append(p, qsizetype(n)); }
    void tesz(char c) { b.append(c); }
    void tesz(const QByteArray& x) { b.append(x); }
};

template <typename Ki> bool cp1250Ir(Ki& ki, const char* utf8, qsizetype n)
{
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    const KodLap& lap = kodLap();
    bool jo = true;
    qsizetype i = 0;
    while (i < n) {
        // Runs of ASCII go across in one piece.
        qsizetype j = i;
        while (j < n && p[j] < 0x80) ++j;
        if (j > i) {
            ki.tesz(utf8 + i, size_t(j - i));
            i = j;
            if (i >= n) break;
        }
        int hossz = 1;
        const char32_t c = utf8Kod(p + i, n - i, hossz);
        i += hossz;
        if (c < 0x10000 && lap.bajt[c]) {
            ki.tesz(char(lap.bajt[c]));
        } else {
            jo = false;
            if (c == 0xFFFFFFFF) ki.tesz('?');
            else ki.tesz(helyettesito(c));
        }
    }
    return jo;
}

// ---- values ------------------------------------------------------------------

using Adatbazis::Utasitas;
using Oszlop = Adatbazis::Utasitas::Tipus;

Utasitas utasitas(const QSqlDatabase& db, const QString& sql, const QVariantList& param)
{
    Utasitas u(db.isValid() ? db : Adatbazis::db(), sql);
    u.kotMind(param);
    return u;
}

// Writes values as the lists show them (VarSzoveg of the field's typed
// value), in Windows-1250. Dates, times and fractional numbers repeat a
// great deal: each distinct one is formatted once.
class Ertekiro {
public:
    explicit Ertekiro(bool blobSzo) : m_blobSzo(blobSzo) {}
    qint64 cserelt = 0;

    void szoveg(Puffer& ki, const QString& s)
    {
        bool c = false;
        ki.tesz(Cp1250(s, &c));
        if (c) ++cserelt;
    }

    void ir(Puffer& ki, const Utasitas& u, int i, bool ismert, Sema::Tipus t)
    {
        const Oszlop fajta = u.tipus(i);
        if (fajta == Oszlop::Null) return;
        if (fajta == Oszlop::Bajtok) {
            if (m_blobSzo) {
                ki.tesz("BLOB", 4);
            } else {
                const QByteArrayView b = u.bajtok(i);
                ki.tesz(b.data(), size_t(b.size()));
            }
            return;
        }
        using T = Sema::Tipus;
        if (!ismert) {
            if (fajta == Oszlop::Egesz) return egesz(ki, u.egesz(i));
            if (fajta == Oszlop::Valos) return valos(ki, u.valos(i));
            return szovegOszlop(ki, u, i);
        }
        switch (t) {
        case T::AutoInc:
        case T::Egesz:
            if (fajta == Oszlop::Egesz) return egesz(ki, u.egesz(i));
            break;
        case T::Valos:
            if (fajta == Oszlop::Egesz || fajta == Oszlop::Valos) return valos(ki, u.valos(i));
            break;
        case T::Szoveg:
            if (fajta == Oszlop::Szoveg) return szovegOszlop(ki, u, i);
            break;
        case T::Datum:
            if (fajta == Oszlop::Szoveg) {
                int ev, ho, nap;
                if (Adatbazis::isoDatumJegyek(u.utf8(i), ev, ho, nap) && ev >= ElsoEv && ev < ElsoEv + Evek && ho < 16
                    && nap < 32) {
                    if (m_datumok.empty()) m_datumok.resize(Evek * 512);
                    QByteArray& b = m_datumok[size_t((ev - ElsoEv) * 512 + ho * 32 + nap)];
                    if (b.isNull()) b = atir(u, i, t);
                    ki.tesz(b);
                    return;
                }
            }
            break;
        case T::Ido:
            if (fajta == Oszlop::Szoveg) {
                int ora, perc, mp;
                if (Adatbazis::isoIdoJegyek(u.utf8(i), ora, perc, mp) && ora < 24 && perc < 64 && mp < 64) {
                    if (m_idok.empty()) m_idok.resize(24 * 64 * 64);
                    QByteArray& b = m_idok[size_t((ora * 64 + perc) * 64 + mp)];
                    if (b.isNull()) b = atir(u, i, t);
                    ki.tesz(b);
                    return;
                }
            }
            break;
        }
        // Anything unusual goes the way the lists read it.
        ki.tesz(atir(u, i, t));
    }

private:
    bool m_blobSzo;
    // Formatted dates and times by their digits, filled as they come.
    static constexpr int ElsoEv = 1900, Evek = 300;
    std::vector<QByteArray> m_datumok, m_idok;
    QHash<quint64, QByteArray> m_valosak;

    QByteArray atir(const Utasitas& u, int i, Sema::Tipus t)
    {
        bool c = false;
        QByteArray b = Cp1250(VarSzoveg(Sema::ertekbe(t, u.ertek(i))), &c);
        if (c) ++cserelt;
        return b;
    }
    void egesz(Puffer& ki, qint64 v)
    {
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        ki.tesz(buf, size_t(r.ptr - buf));
    }
    void valos(Puffer& ki, double v)
    {
        // A whole number below 10^15 reads the same in general format with
        // 15 digits: its decimal digits.
        if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15 && v != 0) return egesz(ki, qint64(v));
        quint64 bitek;
        std::memcpy(&bitek, &v, sizeof bitek);
        auto it = m_valosak.constFind(bitek);
        if (it == m_valosak.constEnd()) {
            if (m_valosak.size() > 100000) m_valosak.clear();
            bool c = false;
            it = m_valosak.insert(bitek, Cp1250(VarSzoveg(QVariant(v)), &c));
        }
        ki.tesz(it.value());
    }
    void szovegOszlop(Puffer& ki, const Utasitas& u, int i)
    {
        const QByteArrayView s = u.utf8(i);
        if (!cp1250Ir(ki, s.data(), s.size())) ++cserelt;
    }
};

// Type of a column read straight from a table's field, through the engine's
// record of where each column comes from.
bool oszlopTipus(const Utasitas& u, int i, Sema::Tipus* t)
{
    QString tabla, mezo;
    if (!u.forras(i, &tabla, &mezo)) return false;
    const Sema::Mezo* m = Sema::mezo(tabla, mezo);
    if (!m) return false;
    *t = m->tipus;
    return true;
}

} // namespace

// ---- sources -----------------------------------------------------------------

Forras ListaForras(const KulcsosLista& lista, const std::function<QString(const QString&)>& felirat)
{
    Forras f;
    f.sql = lista.sorokLekerdezes();
    f.param = lista.szuroParam();
    const ListaDef& d = lista.def();
    for (int i = 0; i < d.mezok.size(); ++i) {
        f.mezok << d.mezok.at(i);
        f.feliratok << (felirat ? felirat(d.mezok.at(i)) : d.mezok.at(i));
        f.oszlopok << i + 1;   // the key comes first
        f.tipusok << d.tipusok.value(i, Sema::Tipus::Szoveg);
        f.tipusIsmert << (i < d.tipusok.size());
        f.kikeresek << QString();
    }
    return f;
}

Forras LekerdezesForras(const QString& sql, const QVariantList& param, const QSqlDatabase& db)
{
    Forras f;
    f.sql = sql;
    f.param = param;
    f.db = db;
    const Utasitas u = utasitas(db, sql, param);
    const int n = u.oszlopok();
    for (int i = 0; i < n; ++i) {
        const QString nev = u.oszlopNev(i);
        f.mezok << nev;
        f.feliratok << nev;
        f.oszlopok << i;
        Sema::Tipus t = Sema::Tipus::Szoveg;
        const bool ismert = oszlopTipus(u, i, &t);
        f.tipusok << t;
        f.tipusIsmert << ismert;
        f.kikeresek << QString();
    }
    return f;
}

qint64 SorokSzama(const Forras& f)
{
    if (f.sorok >= 0) return f.sorok;
    QString belso = f.sql.trimmed();
    while (belso.endsWith(';')) belso.chop(1);
    Utasitas u = utasitas(f.db, QStringLiteral("SELECT COUNT(*) FROM (%1)").arg(belso), f.param);
    return u.lep() ? u.egesz(0) : 0;
}

const QList<Valasztas>& Elvalasztok()
{
    static const QList<Valasztas> v = {{QStringLiteral("Pontosvessző (;)"), QStringLiteral(";")},
                                       {QStringLiteral("Tabulátor"), QStringLiteral("\t")},
                                       {QStringLiteral("Vessző (,)"), QStringLiteral(",")}};
    return v;
}

const QList<Valasztas>& Jelolok()
{
    static const QList<Valasztas> v = {{QStringLiteral("Idézőjel (\")"), QStringLiteral("\"")},
                                       {QStringLiteral("Aposztróf (')"), QStringLiteral("'")},
                                       {QStringLiteral("Semmi"), QString()}};
    return v;
}

// ---- writing -----------------------------------------------------------------

Eredmeny Ir(const Forras& f, const Beallitas& b, const QString& fajl, const std::function<bool(qint64)>& halad)
{
    if (fajl.isEmpty()) throw AdatbazisHiba(QStringLiteral("Nincs filenév megadva."));
    Eredmeny e;
    Ertekiro iro(b.blobSzo);
    const QByteArray jel = Cp1250(b.jelolo);
    const QByteArray hatar = Cp1250(b.elvalaszto);
    QVector<int> mezok;   // the ticked fields, in order
    for (int i = 0; i < f.mezok.size(); ++i)
        if (b.kijelolt.isEmpty() || b.kijelolt.value(i)) mezok << i;

    // The names looked up and the rows are read in one snapshot.
    std::optional<Adatbazis::Tranzakcio> olvaso;
    struct Nev { QByteArray bajt; bool cserelt; };
    QHash<QString, std::shared_ptr<QHash<qint64, Nev>>> nevsorok;
    if (std::any_of(f.kikeresek.cbegin(), f.kikeresek.cend(), [](const QString& k) { return !k.isEmpty(); })) {
        olvaso.emplace(Adatbazis::Olvasas::Pillanatkep, f.db.isValid() ? f.db : Adatbazis::db());
        for (int i : mezok) {
            const QString& sql = f.kikeresek.value(i);
            if (sql.isEmpty() || nevsorok.contains(sql)) continue;
            auto nevek = std::make_shared<QHash<qint64, Nev>>();
            Utasitas k(sql);
            while (k.lep()) {
                if (k.tipus(0) != Oszlop::Egesz || nevek->contains(k.egesz(0))) continue;
                QByteArray nev;
                BajtTomb bt{nev};
                const QByteArrayView s = k.utf8(1);
                const bool jo = cp1250Ir(bt, s.data(), s.size());
                nevek->insert(k.egesz(0), {nev, !jo});
            }
            nevsorok.insert(sql, nevek);
        }
    }

    // The statement first: a wrong one leaves no file behind.
    Utasitas u = utasitas(f.db, f.sql, f.param);

    // Written beside the target and renamed over it when whole: a failure
    // or a crash on the way never leaves half a file in its place.
    QSaveFile ki(fajl);
    // The system's reason in Hungarian: errno as the failed call left it,
    // else what the file device knows of it.
    auto ok = [&](int hibaszam) {
        if (hibaszam != 0) return Fajliras::RendszerHiba(hibaszam);
        if (ki.error() == QFileDevice::ResourceError) return Fajliras::RendszerHiba(ENOSPC);
        return ki.errorString();
    };
    auto irasHiba = [&](int hibaszam) {
        const QString miert = ok(hibaszam);
        ki.cancelWriting();
        return AdatbazisHiba(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(fajl, miert));
    };
    errno = 0;
    if (!ki.open(QIODevice::WriteOnly)) {
        const QString miert = ok(errno);
        throw MegnyitasiHiba(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(fajl, miert), miert);
    }

    Puffer puffer;
    constexpr size_t Adag = 1 << 20;
    auto urit = [&] {
        // A write the disk takes only part of comes back short without a
        // reason; the rest is written again, which fails with one.
        qint64 kesz = 0;
        const qint64 n = qint64(puffer.meret());
        while (kesz < n) {
            errno = 0;
            const qint64 irt = ki.write(puffer.adat() + kesz, n - kesz);
            if (irt <= 0) throw irasHiba(errno);
            kesz += irt;
        }
        puffer.urit();
    };

    for (int i : mezok) {
        puffer.tesz(jel);
        iro.szoveg(puffer, b.feliratok ? f.feliratok.value(i) : f.mezok.value(i));
        puffer.tesz(jel);
        puffer.tesz(hatar);
    }
    puffer.tesz("\r\n", 2);
    // Per field, resolved once: its column, type and the text around it.
    struct Mezo { int oszlop; bool ismert; Sema::Tipus tipus; const QHash<qint64, Nev>* nevek; };
    std::vector<Mezo> irando;
    for (int i : mezok)
        irando.push_back({f.oszlopok.at(i), f.tipusIsmert.value(i), f.tipusok.value(i),
                          nevsorok.value(f.kikeresek.value(i)).get()});
    const QByteArray vegJel = jel + hatar;

    for (;;) {
        if (halad && !halad(e.sorok)) {
            e.megallitva = true;
            break;
        }
        bool sor;
        try {
            sor = u.lep();
        } catch (const AdatbazisHiba&) {
            ki.cancelWriting();
            throw;
        }
        if (!sor) break;
        for (const Mezo& m : irando) {
            puffer.tesz(jel);
            if (m.nevek) {
                // The key as an outer join meets it: an integer, or a real of the same value.
                const Oszlop fajta = u.tipus(m.oszlop);
                const double d = fajta == Oszlop::Valos ? u.valos(m.oszlop) : 0;
                if (fajta == Oszlop::Egesz || (fajta == Oszlop::Valos && d == std::trunc(d) && std::fabs(d) < 9e18)) {
                    const qint64 k = fajta == Oszlop::Egesz ? u.egesz(m.oszlop) : qint64(d);
                    const auto it = m.nevek->constFind(k);
                    if (it != m.nevek->constEnd()) {
                        puffer.tesz(it->bajt);
                        if (it->cserelt) ++iro.cserelt;
                    }
                }
            } else {
                iro.ir(puffer, u, m.oszlop, m.ismert, m.tipus);
            }
            puffer.tesz(vegJel);
        }
        puffer.tesz("\r\n", 2);
        ++e.sorok;
        if (puffer.meret() >= Adag) urit();
    }
    urit();
    errno = 0;
    if (!ki.commit()) throw irasHiba(errno);
    e.csereltErtekek = iro.cserelt;
    return e;
}

QByteArray Cp1250(const QString& s, bool* cserelt)
{
    const QByteArray u = s.toUtf8();
    QByteArray ki;
    ki.reserve(u.size());
    const bool jo = Cp1250Hozzaad(ki, u.constData(), u.size());
    if (cserelt) *cserelt = !jo;
    return ki;
}

bool Cp1250Hozzaad(QByteArray& ki, const char* utf8, qsizetype n)
{
    BajtTomb b{ki};
    return cp1250Ir(b, utf8, n);
}

QString CsereUzenet(qint64 db)
{
    return QStringLiteral("%1 értékben volt olyan karakter, amelyet a Windows-1250 kódlap nem ismer; "
                          "helyére a legközelebbi betű vagy „?” került.")
        .arg(db);
}

} // namespace Hatarolt

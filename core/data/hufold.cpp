#include "core/data/hufold.h"

#include <QChar>
#include <QHash>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <unicode/ucol.h>
#include <unicode/uset.h>

namespace HuFold {

namespace {

inline char32_t fold(char32_t c)
{
    if (c < 128) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    return QChar::toUpper(c);
}

QList<char32_t> foldedUcs4(const QString& s)
{
    QList<char32_t> out;
    const QList<uint> u = s.toUcs4();
    out.reserve(u.size());
    for (uint c : u) out.append(fold(c));
    return out;
}

} // namespace

QString nagybetu(const QString& s)
{
    QList<uint> u = s.toUcs4();
    for (uint& c : u) c = fold(c);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(u.constData()), u.size());
}

QString kisbetu(const QString& s)
{
    QList<uint> u = s.toUcs4();
    for (uint& c : u) c = (c < 128) ? ((c >= 'A' && c <= 'Z') ? c + 32 : c) : QChar::toLower(c);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(u.constData()), u.size());
}

bool kezdodik(const QString& text, const QString& prefix)
{
    return nagybetu(text).startsWith(nagybetu(prefix));
}

namespace {

// The collator, opened once; comparing with it does not change it.
struct Rendezo {
    UCollator* c = nullptr;
    QString hiba;
    Rendezo()
    {
        UErrorCode st = U_ZERO_ERROR;
        c = ucol_open("hu", &st);
        // The root order in its place would sort cs after c-z words, ö with o.
        if (U_FAILURE(st) || st == U_USING_DEFAULT_WARNING) {
            if (c) ucol_close(c);
            c = nullptr;
            hiba = QStringLiteral("A magyar ábécérend (ICU „hu”) nem érhető el: %1").arg(QString::fromLatin1(u_errorName(st)));
            return;
        }
        // Secondary: case aside, an accent decides only between otherwise equal texts.
        ucol_setStrength(c, UCOL_SECONDARY);
    }
    ~Rendezo()
    {
        if (c) ucol_close(c);
    }
    Rendezo(const Rendezo&) = delete;
    Rendezo& operator=(const Rendezo&) = delete;
};

const Rendezo& rendezo()
{
    static const Rendezo r;
    return r;
}

// The collator's multi-letter units (cs, ccs, dzs, ssz, their letter-case
// forms and accented variants), by the upper-cased beginnings they have:
// a typed text ending in such a beginning may continue into the unit.
struct Folytatasok {
    QHash<QString, QStringList> elotagSzerint;
    int leghosszabbElotag = 0;
};

Folytatasok folytatasokGyujt()
{
    Folytatasok f;
    const UCollator* c = rendezo().c;
    if (!c) return f;
    UErrorCode st = U_ZERO_ERROR;
    USet* osszevonasok = uset_openEmpty();
    ucol_getContractionsAndExpansions(c, osszevonasok, nullptr, false, &st);
    if (U_SUCCESS(st)) {
        const int32_t db = uset_getItemCount(osszevonasok);
        UChar buf[32];
        for (int32_t i = 0; i < db; ++i) {
            UChar32 eleje, vege;
            UErrorCode s2 = U_ZERO_ERROR;
            const int32_t hossz = uset_getItem(osszevonasok, i, &eleje, &vege, buf, int32_t(std::size(buf)), &s2);
            if (U_FAILURE(s2) || hossz < 2) continue;   // ranges of single code points have 0
            const QString egyseg = QString::fromUtf16(reinterpret_cast<const char16_t*>(buf), hossz);
            for (int k = 1; k < egyseg.size(); ++k) {
                f.elotagSzerint[nagybetu(egyseg.left(k))] << egyseg;
                f.leghosszabbElotag = std::max(f.leghosszabbElotag, k);
            }
        }
    }
    uset_close(osszevonasok);
    return f;
}

const Folytatasok& folytatasok()
{
    static const Folytatasok f = folytatasokGyujt();
    return f;
}

} // namespace

bool rendElerheto(QString* hiba)
{
    if (rendezo().c) {
        // Collected here, as the session opens, not on the first keystroke
        // of a title search, which would wait for it.
        folytatasok();
        return true;
    }
    if (hiba) *hiba = rendezo().hiba;
    return false;
}

int osszehasonlit(const char* a, int alen, const char* b, int blen)
{
    const UCollator* c = rendezo().c;
    if (!c) {
        // Never used for an index: the connection refuses to open without the collator.
        const int r = std::memcmp(a, b, size_t(std::min(alen, blen)));
        return r != 0 ? (r < 0 ? -1 : 1) : (alen < blen ? -1 : alen > blen ? 1 : 0);
    }
    UErrorCode st = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(c, a, alen, b, blen, &st);
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

int osszehasonlit(const QString& a, const QString& b)
{
    const UCollator* c = rendezo().c;
    if (!c) {
        const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
        return osszehasonlit(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
    }
    const UCollationResult r = ucol_strcoll(c, reinterpret_cast<const UChar*>(a.utf16()), int32_t(a.size()),
                                            reinterpret_cast<const UChar*>(b.utf16()), int32_t(b.size()));
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

QString rendVerzio()
{
    const UCollator* c = rendezo().c;
    if (!c) return {};
    UVersionInfo v;
    ucol_getVersion(c, v);
    return QStringLiteral("%1.%2.%3.%4").arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]);
}

QList<Tartomany> kezdoTartomanyok(const QString& eleje)
{
    // U+FFFF weighs more than any letter: text+U+FFFF is after every text
    // whose letters begin with those of text.
    const QChar plafon(char16_t(0xFFFF));
    QList<Tartomany> r{{eleje, eleje + plafon}};
    const Folytatasok& f = folytatasok();
    for (int k = 1; k <= std::min<qsizetype>(f.leghosszabbElotag, eleje.size()); ++k) {
        const auto it = f.elotagSzerint.constFind(nagybetu(eleje.right(k)));
        if (it == f.elotagSzerint.constEnd()) continue;
        for (const QString& egyseg : *it) {
            // A combining accent completes a letter only in decomposed text
            // ("u" + U+0308 is "ü"); stored text is composed, and "szu"
            // must not find "Szűcs".
            const QString folytatas = egyseg.mid(k);
            if (folytatas.isEmpty() || folytatas.front().isMark()) continue;
            const QString fej = eleje + folytatas;
            r.append({fej, fej + plafon});
        }
    }
    std::sort(r.begin(), r.end(), [](const Tartomany& x, const Tartomany& y) { return osszehasonlit(x.also, y.also) < 0; });
    QList<Tartomany> ki;
    for (const Tartomany& t : r) {
        if (!ki.isEmpty() && osszehasonlit(t.also, ki.last().felso) <= 0) {
            if (osszehasonlit(t.felso, ki.last().felso) > 0) ki.last().felso = t.felso;
        } else {
            ki.append(t);
        }
    }
    return ki;
}

bool rendKezdodik(const QString& szoveg, const QString& eleje)
{
    for (const Tartomany& t : kezdoTartomanyok(eleje))
        if (osszehasonlit(szoveg, t.also) >= 0 && osszehasonlit(szoveg, t.felso) < 0) return true;
    return false;
}

namespace {

// Iterative matcher over folded code points with one backtrack point for
// the last %.
bool illeszt(const char32_t* p, qsizetype pn, const char32_t* s, qsizetype sn, char32_t esc)
{
    qsizetype pi = 0, si = 0, starP = -1, starS = 0;
    while (si < sn) {
        if (pi < pn) {
            char32_t pc = p[pi];
            if (pc == esc && pi + 1 < pn) {
                if (p[pi + 1] == s[si]) { pi += 2; ++si; continue; }
            } else if (pc == U'%') {
                starP = pi++; starS = si; continue;
            } else if (pc == U'_' || pc == s[si]) {
                ++pi; ++si; continue;
            }
        }
        if (starP < 0) return false;
        pi = starP + 1;
        si = ++starS;
    }
    while (pi < pn && p[pi] == U'%') ++pi;
    return pi == pn;
}

} // namespace

bool like(const QString& minta, const QString& szoveg, QChar escape)
{
    const QList<char32_t> p = foldedUcs4(minta);
    const QList<char32_t> s = foldedUcs4(szoveg);
    const char32_t esc = escape.isNull() ? 0xFFFFFFFF : fold(escape.unicode());
    return illeszt(p.constData(), p.size(), s.constData(), s.size(), esc);
}

LikeMinta::LikeMinta(const QString& minta, QChar escape)
    : m_p(foldedUcs4(minta)), m_escape(escape), m_esc(escape.isNull() ? 0xFFFFFFFF : fold(escape.unicode()))
{
}

bool LikeMinta::illik(const char* utf8, qsizetype hossz) const
{
    // Folded straight from the engine's bytes, without a QString per row.
    thread_local QList<char32_t> s;
    s.resize(hossz);
    char32_t* d = s.data();
    qsizetype n = 0;
    const auto* b = reinterpret_cast<const unsigned char*>(utf8);
    for (qsizetype i = 0; i < hossz;) {
        const unsigned char c = b[i];
        if (c < 0x80) {
            d[n++] = (c >= 'a' && c <= 'z') ? char32_t(c - 32) : char32_t(c);
            ++i;
            continue;
        }
        int kov = c >= 0xF8 ? -1 : c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
        char32_t k = kov == 3 ? (c & 0x07) : kov == 2 ? (c & 0x0F) : (c & 0x1F);
        bool jo = kov > 0;
        for (int j = 1; jo && j <= kov; ++j) {
            if (i + j >= hossz || (b[i + j] & 0xC0) != 0x80) jo = false;
            else k = (k << 6) | (b[i + j] & 0x3F);
        }
        if (!jo) {
            // A byte that starts no character reads as the replacement
            // character, as QString::fromUtf8 reads it.
            d[n++] = U'\uFFFD';
            ++i;
            continue;
        }
        d[n++] = fold(k);
        i += kov + 1;
    }
    return illeszt(m_p.constData(), m_p.size(), d, n, m_esc);
}

} // namespace HuFold

#include "data/hufold.h"

#include <QChar>
#include <QList>

namespace HuFold {

namespace {

inline char32_t fold(char32_t c)
{
    if (c < 128) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    return QChar::toUpper(c);
}

// Decodes one UTF-8 sequence; malformed bytes are taken one at a time.
inline char32_t kovetkezo(const unsigned char*& p, const unsigned char* end)
{
    unsigned char c = *p++;
    if (c < 0x80) return c;
    int n = (c >= 0xF0) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC0) ? 1 : 0;
    char32_t v = (n == 3) ? (c & 0x07) : (n == 2) ? (c & 0x0F) : (c & 0x1F);
    if (n == 0) return c;
    for (int i = 0; i < n; ++i) {
        if (p >= end || (*p & 0xC0) != 0x80) return 0xFFFD;
        v = (v << 6) | (*p++ & 0x3F);
    }
    return v;
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

quint32 suly(char32_t c)
{
    c = fold(c);
    switch (c) {
    case U'Á': return U'A' * 4 + 1;
    case U'É': return U'E' * 4 + 1;
    case U'Í': return U'I' * 4 + 1;
    case U'Ó': return U'O' * 4 + 1;
    case U'Ö': return U'O' * 4 + 2;
    case U'Ő': return U'O' * 4 + 3;
    case U'Ú': return U'U' * 4 + 1;
    case U'Ü': return U'U' * 4 + 2;
    case U'Ű': return U'U' * 4 + 3;
    default: return quint32(c) * 4;
    }
}

int osszehasonlit(const char* a, int alen, const char* b, int blen)
{
    auto pa = reinterpret_cast<const unsigned char*>(a);
    auto pb = reinterpret_cast<const unsigned char*>(b);
    const unsigned char* ea = pa + alen;
    const unsigned char* eb = pb + blen;
    while (pa < ea && pb < eb) {
        quint32 wa, wb;
        if (*pa < 0x80 && *pb < 0x80) {
            wa = fold(*pa++) * 4;
            wb = fold(*pb++) * 4;
        } else {
            wa = suly(kovetkezo(pa, ea));
            wb = suly(kovetkezo(pb, eb));
        }
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (pa < ea) return 1;
    if (pb < eb) return -1;
    return 0;
}

int osszehasonlit(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return osszehasonlit(ua.constData(), ua.size(), ub.constData(), ub.size());
}

bool like(const QString& minta, const QString& szoveg, QChar escape)
{
    const QList<char32_t> p = foldedUcs4(minta);
    const QList<char32_t> s = foldedUcs4(szoveg);
    const char32_t esc = escape.isNull() ? 0xFFFFFFFF : fold(escape.unicode());
    // Iterative matcher with one backtrack point for the last %.
    qsizetype pi = 0, si = 0, starP = -1, starS = 0;
    while (si < s.size()) {
        if (pi < p.size()) {
            char32_t pc = p[pi];
            if (pc == esc && pi + 1 < p.size()) {
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
    while (pi < p.size() && p[pi] == U'%') ++pi;
    return pi == p.size();
}

} // namespace HuFold

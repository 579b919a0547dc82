#include "core/admin/tulajdonos.h"
#include "core/common/szoveg.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "core/data/sema.h"

#include <QFile>
#include <QSqlQuery>
#include <QStringConverter>

namespace Tulajdonos {

namespace {

int hossza(const char* nev)
{
    const Sema::Mezo* m = Sema::mezo(QStringLiteral("tulajdonos"), QLatin1String(nev));
    return m ? m->hossz : 0;
}

QString oszlopok()
{
    QStringList n;
    for (const Mezo& m : mezok()) n << QLatin1String(m.nev);
    return n.join(QStringLiteral(", "));
}

} // namespace

const QList<Mezo>& mezok()
{
    static const QList<Mezo> m = [] {
        QList<Mezo> l = {{"tulajdonos", "Az üzlet neve", &TulajdonosAdat::tulajdonos, 0},
                         {"irsz", "Irányítószám", &TulajdonosAdat::irsz, 0},
                         {"varos", "Város", &TulajdonosAdat::varos, 0},
                         {"cim", "Cím", &TulajdonosAdat::cim, 0},
                         {"telefon", "Telefon", &TulajdonosAdat::telefon, 0},
                         {"mobil", "Mobil", &TulajdonosAdat::mobil, 0},
                         {"fax", "Fax", &TulajdonosAdat::fax, 0},
                         {"adoszam", "Adószám", &TulajdonosAdat::adoszam, 0},
                         {"bankszamlaszam", "Bankszámlaszám", &TulajdonosAdat::bankszamlaszam, 0}};
        for (Mezo& x : l) x.hossz = hossza(x.nev);
        return l;
    }();
    return m;
}

QVariant tarolt(const QString& ertek)
{
    const QString t = ertek.trimmed();
    return t.isNull() ? QStringLiteral("") : t;
}

const TulajdonosAdat& Minta()
{
    static const TulajdonosAdat m{QStringLiteral("Mozimánia Videotéka"), QStringLiteral("1071"),
                                  QStringLiteral("Budapest"), QStringLiteral("Dózsa György út 12."),
                                  QStringLiteral("06-1-234-5678"), QStringLiteral("06-30-123-4567"), QString(),
                                  QStringLiteral("12345678142"), QStringLiteral("117000001234567800000000")};
    return m;
}

TulajdonosAdat olvas()
{
    TulajdonosAdat a;
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT %1 FROM tulajdonos ORDER BY rowid LIMIT 1").arg(oszlopok()));
    if (!q.next()) return a;
    int i = 0;
    for (const Mezo& m : mezok()) a.*m.tag = VarSzoveg(q.value(i++));
    return a;
}

bool kitoltetlen() { return olvas().tulajdonos.trimmed().isEmpty(); }

QString ellenoriz(const TulajdonosAdat& a)
{
    if (a.tulajdonos.trimmed().isEmpty()) return QStringLiteral("Az üzlet nevét meg kell adni.");
    for (const Mezo& m : mezok()) {
        const qsizetype n = KarakterSzam(a.*m.tag);
        if (m.hossz > 0 && n > m.hossz)
            return QStringLiteral("A(z) „%1” legfeljebb %2 karakter lehet (most %3).")
                .arg(QString::fromUtf8(m.felirat))
                .arg(m.hossz)
                .arg(n);
    }
    return {};
}

void ment(const TulajdonosAdat& a)
{
    const QString baj = ellenoriz(a);
    if (!baj.isEmpty()) throw AdatbazisHiba(baj);
    QVariantList ertekek;
    QStringList beallit;
    for (const Mezo& m : mezok()) {
        ertekek << tarolt(a.*m.tag);
        beallit << QStringLiteral("%1 = ?").arg(QLatin1String(m.nev));
    }
    Adatbazis::Tranzakcio t;
    const QVariant sor = Adatbazis::ertek(QStringLiteral("SELECT rowid FROM tulajdonos ORDER BY rowid LIMIT 1"));
    if (sor.isValid() && !sor.isNull()) {
        Adatbazis::vegrehajt(QStringLiteral("UPDATE tulajdonos SET %1 WHERE rowid = ?").arg(beallit.join(", ")),
                             ertekek + QVariantList{sor});
    } else {
        QStringList jelek;
        for (qsizetype i = 0; i < ertekek.size(); ++i) jelek << QStringLiteral("?");
        Adatbazis::vegrehajt(
            QStringLiteral("INSERT INTO tulajdonos (%1) VALUES (%2)").arg(oszlopok(), jelek.join(", ")), ertekek);
    }
    t.jovahagy();
}

bool fajlbol(const QString& fajl, TulajdonosAdat* a, QString* hiba)
{
    auto baj = [&](const QString& s) {
        if (hiba) *hiba = s;
        return false;
    };
    QFile f(fajl);
    if (!f.open(QIODevice::ReadOnly))
        return baj(QStringLiteral("Az üzlet adatait tartalmazó fájl nem olvasható: %1\n%2")
                       .arg(fajl, f.errorString()));
    // A few short lines: a file far larger than that is not the one meant.
    if (f.size() > 64 * 1024) return baj(QStringLiteral("Az üzlet adatait tartalmazó fájl túl nagy: %1").arg(fajl));
    const QByteArray nyers = f.readAll();
    auto dekodolo = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString szoveg = dekodolo.decode(nyers);
    if (dekodolo.hasError())
        return baj(QStringLiteral("Az üzlet adatait tartalmazó fájl nem UTF-8 kódolású: %1").arg(fajl));
    TulajdonosAdat uj;
    const QStringList sorok = szoveg.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < sorok.size(); ++i) {
        QString s = sorok.at(i);
        if (s.endsWith(QLatin1Char('\r'))) s.chop(1);
        if (i == 0 && s.startsWith(QChar(0xFEFF))) s.remove(0, 1);
        if (s.trimmed().isEmpty() || s.trimmed().startsWith(QLatin1Char('#'))) continue;
        const qsizetype eq = s.indexOf(QLatin1Char('='));
        const QString hol = QStringLiteral("%1, %2. sor: ").arg(fajl).arg(i + 1);
        if (eq < 0) return baj(hol + QStringLiteral("hiányzik az egyenlőségjel (mező=érték)."));
        const QString nev = s.left(eq).trimmed();
        const Mezo* m = nullptr;
        for (const Mezo& x : mezok())
            if (nev.compare(QLatin1String(x.nev), Qt::CaseInsensitive) == 0) m = &x;
        if (!m)
            return baj(hol + QStringLiteral("ismeretlen mező: „%1”. A mezők: %2.").arg(nev, oszlopok()));
        uj.*m->tag = s.mid(eq + 1).trimmed();
        if (m->hossz > 0 && KarakterSzam(uj.*m->tag) > m->hossz)
            return baj(hol + QStringLiteral("a(z) „%1” legfeljebb %2 karakter lehet.").arg(nev).arg(m->hossz));
    }
    const QString b = ellenoriz(uj);
    if (!b.isEmpty()) return baj(QStringLiteral("%1: %2").arg(fajl, b));
    *a = uj;
    return true;
}

} // namespace Tulajdonos

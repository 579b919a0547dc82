#include "core/rental/kolcsonzes.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/sema.h"
#include "core/data/ora.h"
#include "core/rental/arak.h"
#include "core/rental/cassakonyveles.h"
#include "core/rental/kesedelem.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

QString KolcsonzesAkadaly(qint64 video)
{
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT kint FROM video WHERE video = ?"), {video});
    if (!q.next()) return QStringLiteral("A tétel már nem létezik.");
    if (VarSzoveg(q.value(0)) == QLatin1String("I")) return QStringLiteral("Ez a tétel már kölcsönözve lett");
    return {};
}

Kolcsonzes::Kolcsonzes(int ugyfel, const QString& ugyfelNev, int fiztip, int ora)
    : m_ugyfel(ugyfel), m_fiztip(fiztip), m_ora(ora), m_ugyfelNev(ugyfelNev)
{
}

bool Kolcsonzes::hozzaad(qint64 video)
{
    for (const KolcsonzesTetel& t : m_tetelek)
        if (t.video == video) return false;
    const QString akadaly = KolcsonzesAkadaly(video);
    if (!akadaly.isEmpty()) throw AdatbazisHiba(akadaly);
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT azon, video_nev, arkat FROM video WHERE video = ?"), {video});
    q.next();
    KolcsonzesTetel t;
    t.video = video;
    t.azon = VarEgesz(q.value(0));
    t.nev = VarSzoveg(q.value(1));
    t.arkat = VarEgesz(q.value(2));
    t.ar = KolcsonzesiAr(m_fiztip, t.arkat);
    const auto hely = std::lower_bound(m_tetelek.begin(), m_tetelek.end(), video,
                                       [](const KolcsonzesTetel& a, qint64 v) { return a.video < v; });
    m_tetelek.insert(hely, t);
    return true;
}

void Kolcsonzes::idoszakValt(int fiztip, int ora)
{
    m_fiztip = fiztip;
    m_ora = ora;
    for (KolcsonzesTetel& t : m_tetelek) t.ar = KolcsonzesiAr(m_fiztip, t.arkat);
}

void Kolcsonzes::torol(int index)
{
    if (index >= 0 && index < m_tetelek.size()) m_tetelek.removeAt(index);
}

double Kolcsonzes::osszeg() const
{
    double s = 0;
    for (const KolcsonzesTetel& t : m_tetelek) s += t.ar;
    return s;
}

int Kolcsonzes::befejez()
{
    Adatbazis::Tranzakcio tr;
    const int kolcsid = VarEgesz(Adatbazis::ertek(QStringLiteral("SELECT MAX(kolcsid) FROM video"))) + 1;
    const QDateTime most = Most();
    const QDateTime vissza = VisszaKellIdopont(most, m_ora);
    double osszesen = 0;
    {
        // Each statement is read once for all the items; the queries go before the commit.
        QSqlQuery olvas = Adatbazis::elokeszit(QStringLiteral("SELECT kint, arkat FROM video WHERE video = ?"));
        QSqlQuery kiad = Adatbazis::elokeszit(
            QStringLiteral("UPDATE video SET kint = 'I', ugyfel = ?, kolcsid = ?, fiztip = ?, "
                           "kolcsonozve = COALESCE(kolcsonozve, 0) + 1, dat_kiadva = ?, ido_kiadva = ?, ar = ?, "
                           "dat_visszakell = ?, ido_visszakell = ? WHERE video = ?"));
        QSqlQuery tortenet =
            Adatbazis::elokeszit(QStringLiteral("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (?, ?, ?)"));
        QHash<int, double> arak;   // by price category: the matrix cannot change inside the transaction
        for (KolcsonzesTetel& t : m_tetelek) {
            Adatbazis::futtat(olvas, {t.video});
            if (!olvas.next()) throw AdatbazisHiba(QStringLiteral("A(z) %1 kódú tétel időközben megszűnt.").arg(t.azon, 5, 10, QChar('0')));
            if (VarSzoveg(olvas.value(0)) == QLatin1String("I"))
                throw AdatbazisHiba(QStringLiteral("A(z) %1 kódú tétel időközben ki lett adva.").arg(t.azon, 5, 10, QChar('0')));
            const int arkat = VarEgesz(olvas.value(1));
            olvas.finish();
            auto ar = arak.constFind(arkat);
            if (ar == arak.constEnd()) ar = arak.insert(arkat, KolcsonzesiAr(m_fiztip, arkat));
            t.ar = *ar;
            osszesen += t.ar;
            if (!PenzErvenyes(t.ar) || !PenzErvenyes(osszesen)) throw AdatbazisHiba(QString::fromUtf8(NemMegfeleloErtek));
            Adatbazis::futtat(kiad, {m_ugyfel, kolcsid, m_fiztip, most.date(), most.time(), t.ar, vissza.date(),
                                     vissza.time(), t.video});
            Adatbazis::futtat(tortenet, {m_ugyfel, t.video, most.date()});
        }
    }
    if (TBeall.elorefizet) CassaKonyvel(QStringLiteral("B"), m_ugyfel, osszesen, true);
    tr.jovahagy();
    return kolcsid;
}

// ---- return ---------------------------------------------------------------------

QString VisszavetelAkadaly(qint64 video)
{
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT kint FROM video WHERE video = ?"), {video});
    if (!q.next()) return QStringLiteral("A tétel már nem létezik.");
    // Only an item out can be taken back; an empty mark counts as in the shop.
    if (VarSzoveg(q.value(0)) != QLatin1String("I")) return QStringLiteral("Ez a tétel még nincs kiadva");
    return {};
}

Visszavetel::Visszavetel(int ugyfel, const QString& ugyfelNev) : m_ugyfel(ugyfel), m_ugyfelNev(ugyfelNev)
{
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT video, azon, video_nev, dat_visszakell, ido_visszakell, ar FROM video "
                       "WHERE ugyfel = ? AND kint = 'I' ORDER BY video"),
        {ugyfel});
    while (q.next()) {
        VisszavetelTetel t;
        t.video = q.value(0).toLongLong();
        t.azon = VarEgesz(q.value(1));
        t.nev = VarSzoveg(q.value(2));
        t.datVisszakell = Sema::ertekbe(Sema::Tipus::Datum, q.value(3)).toDate();
        t.idoVisszakell = Sema::ertekbe(Sema::Tipus::Ido, q.value(4)).toTime();
        t.ar = VarValos(q.value(5));
        m_tetelek << t;
    }
    kesedelemJavasol();
}

Visszavetel Visszavetel::targybol(qint64 video)
{
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT v.ugyfel, u.ugyfel_nev FROM video v LEFT JOIN ugyfel u ON (u.ugyfel = v.ugyfel) "
                       "WHERE v.video = ?"),
        {video});
    q.next();
    return Visszavetel(VarEgesz(q.value(0)), VarSzoveg(q.value(1)));
}

void Visszavetel::marad(int index)
{
    if (index < 0 || index >= m_tetelek.size()) return;
    m_jeloltek.remove(m_tetelek.at(index).video);
    m_tetelek.removeAt(index);
}

bool Visszavetel::jelol(qint64 video)
{
    for (const VisszavetelTetel& t : m_tetelek)
        if (t.video == video) {
            m_jeloltek.insert(video);
            return true;
        }
    return false;
}

bool Visszavetel::jelolt(int index) const
{
    return index >= 0 && index < m_tetelek.size() && m_jeloltek.contains(m_tetelek.at(index).video);
}

QList<VisszavetelTetel> Visszavetel::visszajonnek() const
{
    if (m_jeloltek.isEmpty()) return m_tetelek;
    QList<VisszavetelTetel> l;
    for (const VisszavetelTetel& t : m_tetelek)
        if (m_jeloltek.contains(t.video)) l << t;
    return l;
}

void Visszavetel::potdij(int index, double osszeg)
{
    if (index < 0 || index >= m_tetelek.size()) return;
    VisszavetelTetel& t = m_tetelek[index];
    Adatbazis::Tranzakcio tr;
    const double uj = Adatbazis::ertek(QStringLiteral("SELECT ar FROM video WHERE video = ?"), {t.video}).toDouble() + osszeg;
    // Neither the surcharge nor the price it makes may pass the money bound.
    if (!PenzErvenyes(osszeg) || !PenzErvenyes(uj)) throw AdatbazisHiba(QString::fromUtf8(NemMegfeleloErtek));
    Adatbazis::vegrehajt(QStringLiteral("UPDATE video SET ar = ? WHERE video = ?"), {uj, t.video});
    tr.jovahagy();
    t.ar = uj;
}

double Visszavetel::osszeg() const
{
    double s = 0;
    for (const VisszavetelTetel& t : visszajonnek()) s += t.ar + t.kesedelmiDij;
    return s;
}

void Visszavetel::befejez()
{
    const QList<VisszavetelTetel> tetelek = visszajonnek();
    Adatbazis::Tranzakcio tr;
    kesedelemRaterhel();   // before the prices are summed for the cash row
    const QDateTime most = Most();
    double osszesen = 0;
    {
        QSqlQuery olvas =
            Adatbazis::elokeszit(QStringLiteral("SELECT ar FROM video WHERE video = ? AND kint = 'I' AND ugyfel = ?"));
        for (const VisszavetelTetel& t : tetelek) {
            Adatbazis::futtat(olvas, {t.video, m_ugyfel});
            if (!olvas.next())
                throw AdatbazisHiba(QStringLiteral("A(z) %1 kódú tétel időközben visszakerült.").arg(t.azon, 5, 10, QChar('0')));
            osszesen += olvas.value(0).toDouble();
            olvas.finish();
            if (!PenzErvenyes(osszesen)) throw AdatbazisHiba(QString::fromUtf8(NemMegfeleloErtek));
        }
    }
    if (!TBeall.elorefizet) CassaKonyvel(QStringLiteral("B"), m_ugyfel, osszesen, true);
    {
        // The return moment is kept in the fields meant for it.
        QSqlQuery vissza = Adatbazis::elokeszit(
            QStringLiteral("UPDATE video SET kint = 'N', ugyfel = 0, kolcsid = 0, fiztip = NULL, dat_kiadva = NULL, "
                           "ido_kiadva = NULL, dat_visszakell = NULL, ido_visszakell = NULL, dat_vissza = ?, "
                           "ido_vissza = ? WHERE video = ?"));
        for (const VisszavetelTetel& t : tetelek) Adatbazis::futtat(vissza, {most.date(), most.time(), t.video});
    }
    tr.jovahagy();
}

void Visszavetel::kesedelemJavasol()
{
    if (m_tetelek.isEmpty()) return;
    const QMap<int, KesedelmiSzabaly> szabalyok = Kesedelem::Szabalyok();   // a handful of rows
    QHash<qint64, int> arkatok;
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT video, arkat FROM video WHERE ugyfel = ? AND kint = 'I'"),
                                       {m_ugyfel});
    while (q.next()) arkatok.insert(q.value(0).toLongLong(), VarEgesz(q.value(1)));
    const QDateTime most = Most();
    for (VisszavetelTetel& t : m_tetelek) {
        t.arkat = arkatok.value(t.video);
        const auto sz = szabalyok.constFind(t.arkat);
        t.javasoltDij = sz == szabalyok.constEnd()
                            ? 0
                            : KesedelmiDij(*sz, KesedelemHatarido(t.datVisszakell, t.idoVisszakell), most);
        t.kesedelmiDij = t.javasoltDij;
    }
}

void Visszavetel::kesedelmiDij(int index, double osszeg)
{
    if (index < 0 || index >= m_tetelek.size()) return;
    if (!PenzErvenyes(osszeg) || osszeg < 0) throw AdatbazisHiba(QString::fromUtf8(NemMegfeleloErtek));
    m_tetelek[index].kesedelmiDij = osszeg;
}

void Visszavetel::kesedelemRaterhel()
{
    QSqlQuery olvas =
        Adatbazis::elokeszit(QStringLiteral("SELECT ar FROM video WHERE video = ? AND kint = 'I' AND ugyfel = ?"));
    QSqlQuery ir = Adatbazis::elokeszit(QStringLiteral("UPDATE video SET ar = ? WHERE video = ?"));
    // Only the items that come back: the others stay out and owe nothing yet.
    for (const VisszavetelTetel& t : visszajonnek()) {
        if (t.kesedelmiDij == 0) continue;
        Adatbazis::futtat(olvas, {t.video, m_ugyfel});
        // An item no longer out is told by befejez()'s own check.
        if (!olvas.next()) continue;
        const double uj = VarValos(olvas.value(0)) + t.kesedelmiDij;
        olvas.finish();
        if (!PenzErvenyes(uj)) throw AdatbazisHiba(QString::fromUtf8(NemMegfeleloErtek));
        Adatbazis::futtat(ir, {uj, t.video});
    }
}

bool Lejart(const QString& kint, const QDate& datVisszakell, const QTime& idoVisszakell, const QDateTime& most)
{
    if (kint != QLatin1String("I") || !datVisszakell.isValid()) return false;
    if (datVisszakell < most.date()) return true;
    return datVisszakell == most.date() && idoVisszakell.isValid() && idoVisszakell < most.time();
}

#include "core/rental/kesedelem.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"

#include <QSqlQuery>
#include <algorithm>
#include <cmath>

QDateTime KesedelemHatarido(const QDate& datVisszakell, const QTime& idoVisszakell)
{
    if (!datVisszakell.isValid()) return {};
    if (!idoVisszakell.isValid()) return QDateTime(datVisszakell.addDays(1), QTime(0, 0));
    QDateTime d(datVisszakell, idoVisszakell);
    // A wall-clock time inside the skipped hour is invalid in local time:
    // the first valid minute after it is when the clock shows it again.
    for (int perc = 1; !d.isValid() && perc <= 180; ++perc) {
        const QTime t = idoVisszakell.addSecs(perc * 60);
        if (t < idoVisszakell) break;   // past midnight: no gap reaches that far
        d = QDateTime(datVisszakell, QTime(t.hour(), t.minute()));
    }
    return d;
}

int KesedelmiNapok(const QDateTime& hatarido, const QDateTime& most)
{
    if (!hatarido.isValid() || !most.isValid()) return 0;
    // secsTo counts real seconds (through UTC), so a 23- or 25-hour day is what it is.
    const qint64 mp = hatarido.secsTo(most);
    if (mp <= 0) return 0;
    return int(std::min<qint64>((mp + 86399) / 86400, 1000000000));
}

double KesedelmiDij(const KesedelmiSzabaly& szabaly, const QDateTime& hatarido, const QDateTime& most)
{
    if (!hatarido.isValid() || !most.isValid()) return 0;
    if (hatarido.secsTo(most) <= qint64(std::max(0, szabaly.turelem)) * 3600) return 0;
    if (!(szabaly.napidij > 0)) return 0;
    double dij = KesedelmiNapok(hatarido, most) * szabaly.napidij;
    if (szabaly.plafon > 0) dij = std::min(dij, szabaly.plafon);
    return std::isfinite(dij) ? std::min(dij, PenzHatar) : 0;
}

double KesedelmiDij(const std::optional<KesedelmiSzabaly>& szabaly, const QDateTime& hatarido, const QDateTime& most)
{
    return szabaly ? KesedelmiDij(*szabaly, hatarido, most) : 0;
}

namespace Kesedelem {

namespace {

KesedelmiSzabaly sorbol(const QSqlQuery& q, int elso)
{
    return {VarEgesz(q.value(elso)), VarValos(q.value(elso + 1)), VarValos(q.value(elso + 2))};
}

} // namespace

QMap<int, KesedelmiSzabaly> Szabalyok()
{
    QMap<int, KesedelmiSzabaly> m;
    // The key is not unique in the table: of two rows of a category the first one counts.
    QSqlQuery q =
        Adatbazis::vegrehajt(QStringLiteral("SELECT arkat, turelem, napidij, plafon FROM kesedelem ORDER BY rowid DESC"));
    while (q.next()) m.insert(VarEgesz(q.value(0)), sorbol(q, 1));
    return m;
}

std::optional<KesedelmiSzabaly> Szabaly(int arkat)
{
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT turelem, napidij, plafon FROM kesedelem WHERE arkat = ? ORDER BY rowid LIMIT 1"), {arkat});
    if (!q.next()) return std::nullopt;
    return sorbol(q, 0);
}

QList<ArkatSzabaly> Kategoriak()
{
    QList<ArkatSzabaly> l;
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral(
        "SELECT a.arkat, a.arkat_nev, k.arkat, k.turelem, k.napidij, k.plafon FROM arkat a "
        "LEFT JOIN kesedelem k ON (k.rowid = (SELECT MIN(rowid) FROM kesedelem WHERE arkat = a.arkat)) "
        "ORDER BY a.arkat_nev COLLATE HU, a.arkat"));
    while (q.next()) {
        ArkatSzabaly s;
        s.arkat = VarEgesz(q.value(0));
        s.nev = VarSzoveg(q.value(1));
        if (!q.value(2).isNull()) s.szabaly = sorbol(q, 3);
        l << s;
    }
    return l;
}

QString Ellenoriz(const KesedelmiSzabaly& s)
{
    if (s.turelem < 0 || s.turelem > KesedelemTurelemHatar)
        return QStringLiteral("A türelmi idő 0 és %1 óra között lehet.").arg(KesedelemTurelemHatar);
    if (!PenzErvenyes(s.napidij) || s.napidij < 0) return QStringLiteral("A napi díj nem lehet negatív vagy túl nagy.");
    if (!PenzErvenyes(s.plafon) || s.plafon < 0)
        return QStringLiteral("A díjplafon nem lehet negatív vagy túl nagy (0: nincs plafon).");
    return {};
}

void Ment(const QList<ArkatSzabaly>& szabalyok)
{
    Adatbazis::Tranzakcio tr;
    {
        QSqlQuery ir = Adatbazis::elokeszit(
            QStringLiteral("INSERT INTO kesedelem (arkat, turelem, napidij, plafon) VALUES (?, ?, ?, ?)"));
        QSqlQuery torol = Adatbazis::elokeszit(QStringLiteral("DELETE FROM kesedelem WHERE arkat = ?"));
        for (const ArkatSzabaly& s : szabalyok) {
            // The table's key is not unique: a category's rows are replaced by its one rule.
            Adatbazis::futtat(torol, {s.arkat});
            if (!s.szabaly) continue;
            const QString baj = Ellenoriz(*s.szabaly);
            if (!baj.isEmpty()) throw AdatbazisHiba(QStringLiteral("„%1” árkategória: %2").arg(s.nev, baj));
            // An empty cap is stored as no cap at all.
            Adatbazis::futtat(ir, {s.arkat, s.szabaly->turelem, s.szabaly->napidij,
                                   s.szabaly->plafon > 0 ? QVariant(s.szabaly->plafon) : QVariant()});
        }
    }
    tr.jovahagy();
}

} // namespace Kesedelem

#include "core/reports/listaexport.h"
#include "core/app/videotabla.h"
#include "core/customers/ugyfelek.h"
#include "core/data/kulcslista.h"
#include "core/rental/tortenet.h"

namespace ListaExport {

namespace {

// The customer table as the register reads it: every field, by rowid.
KulcsosLista ugyfelLista()
{
    ListaDef d;
    d.tabla = QStringLiteral("ugyfel");
    d.alias = QStringLiteral("t");
    d.kulcs = QStringLiteral("rowid");
    QStringList sel;
    for (const Sema::Mezo& m : Sema::tabla(d.tabla)->mezok) {
        d.mezok << m.nev;
        d.tipusok << m.tipus;
        sel << QStringLiteral("t.") + m.nev;
    }
    d.select = sel.join(QStringLiteral(", "));
    return KulcsosLista(d);
}

} // namespace

Hatarolt::Forras Tetelek(const KulcsosLista& lista)
{
    Hatarolt::Forras f = Hatarolt::ListaForras(lista, &VideoTabla::felirat);
    // The names of a million items' types, categories, customers, periods
    // and genres come from a few hundred rows: read once, not joined to
    // every item. The list's order and filter name only the item's own fields.
    static const QHash<QString, QPair<QString, QString>> nevek = {
        {"tipus_nev", {"tipus", "SELECT tipus, tipus_nev FROM tipus"}},
        {"arkat_nev", {"arkat", "SELECT arkat, arkat_nev FROM arkat"}},
        {"ugyfel_nev", {"ugyfel", "SELECT ugyfel, ugyfel_nev FROM ugyfel"}},
        {"fiztip_nev", {"fiztip", "SELECT fiztip, fiztip_nev FROM fiztip"}},
        {"mufaj_nev", {"mufaj", "SELECT mufaj, mufaj_nev FROM mufaj"}}};
    const QString alias = lista.def().alias;
    QStringList sel;
    for (int i = 0; i < f.mezok.size(); ++i) {
        const auto it = nevek.constFind(f.mezok.at(i));
        if (it == nevek.constEnd()) {
            sel << alias + '.' + f.mezok.at(i);
            continue;
        }
        sel << QStringLiteral("NULL");
        f.oszlopok[i] = f.oszlopok.at(f.mezok.indexOf(it->first));
        f.kikeresek[i] = it->second;
    }
    f.sql = lista.sorokLekerdezes(sel.join(QStringLiteral(", ")), QString());
    return f;
}

Hatarolt::Forras TetelekKodSorrendben()
{
    VideoTabla t;
    t.lista().rendezes(QStringLiteral("v.azon"));
    return Tetelek(t.lista());
}

Hatarolt::Forras Ugyfelek(const KulcsosLista& lista) { return Hatarolt::ListaForras(lista); }

Hatarolt::Forras UgyfelekKodSorrendben()
{
    KulcsosLista l = ugyfelLista();
    l.rendezes(QStringLiteral("t.azon"));
    l.szures(Ugyfelek::ListazottFeltetel());
    return Ugyfelek(l);
}

QString TortenetFelirat(const QString& mezo)
{
    const QString m = mezo.toLower();
    if (m == QLatin1String("ugyfel_nev")) return QStringLiteral("ügyfél");
    if (m == QLatin1String("video_nev")) return QStringLiteral("tétel");
    if (m == QLatin1String("datum")) return QStringLiteral("dátum");
    return mezo;
}

Hatarolt::Forras Tortenet(const KulcsosLista& lista) { return Hatarolt::ListaForras(lista, &TortenetFelirat); }

Hatarolt::Forras TortenetMind()
{
    KulcsosLista l = Tortenet::Lista(TortenetMod::Ugyfel, 0);
    l.szures(QString());
    return Tortenet(l);
}

} // namespace ListaExport

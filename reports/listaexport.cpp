#include "reports/listaexport.h"
#include "app/videotabla.h"
#include "customers/ugyfelek.h"
#include "data/kulcslista.h"
#include "rental/tortenet.h"

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

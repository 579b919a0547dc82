#include "windows/rental/tfrm_torzsfiztip.h"
#include "core/data/konverzio.h"
#include "windows/rental/fiztip.h"

#include <QLineEdit>
#include <QToolBar>
#include <algorithm>

TorzsLeiras Tfrm_TorzsFizTip::leiras()
{
    TorzsLeiras l;
    l.osztaly = "Tfrm_TorzsFizTip";
    l.cim = "Kölcsönzési idők";
    l.tabla = "fiztip";
    l.kulcs = "fiztip";
    l.keresoMezo = "fiztip_nev";
    // Key order: the periods stand as they were made (1 nap, 2 nap, … 1 hét).
    l.rend = "t.fiztip";
    l.oszlopok = {Oszlop{"fiztip_nev", "Kölcsönzési idő", Qt::AlignLeft | Qt::AlignVCenter, {}}};
    l.szerkeszto = [](QWidget* szulo, Rekord& sor, bool) { return new Tfrm_TorzsFizTip_Szerkeszt(sor, szulo); };
    l.meret = QSize(480, 360);
    return l;
}

Tfrm_TorzsFizTip::Tfrm_TorzsFizTip(bool valasztas, QWidget* szulo) : TorzsAblak(leiras(), valasztas, szulo)
{
    // Wide enough for every tool-bar button in the system's font: "Bezár"
    // must not hide behind the overflow arrow.
    const int szeles = std::max(width(), ToolBar1->sizeHint().width());
    if (szeles != width()) {
        const QPoint kozep = geometry().center();
        setFixedSize(szeles, height());
        move(kozep - rect().center());
    }
}

Tfrm_TorzsFizTip_Szerkeszt::Tfrm_TorzsFizTip_Szerkeszt(Rekord& sor, QWidget* szulo)
    : TorzsSzerkeszto(sor, QStringLiteral("Kölcsönzési idő"), szulo)
{
    setObjectName("Tfrm_TorzsFizTip_Szerkeszt");
    fiztip_nev = szovegMezo("kölcsönzési idő", "fiztip_nev");
    fiztip_nev->setMinimumWidth(220);
    ora = szamMezo("óra", "ora");
    kesz();
}

void TorzsFizTipKarbantart(QWidget* szulo)
{
    Tfrm_TorzsFizTip a(false, szulo);
    a.futtat(-1);
}

int TorzsFizTipValaszt(QWidget* szulo, QString* nev, int* ora)
{
    Tfrm_TorzsFizTip a(true, szulo);
    const QVariant kulcs = a.futtat(-1);
    if (!kulcs.isValid()) return -1;
    if (nev) *nev = VarSzoveg(a.ertek("fiztip_nev"));
    if (ora) *ora = VarEgesz(a.ertek("ora"));
    return VarEgesz(kulcs);
}

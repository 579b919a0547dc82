#include "windows/rental/tfrm_torzsarkat_fiztip.h"
#include "windows/common/bevitel.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "print/common/uzenet.h"
#include "windows/rental/fiztip.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

TorzsLeiras Tfrm_TorzsArkat_Fiztip::leiras()
{
    TorzsLeiras l;
    l.osztaly = "Tfrm_TorzsArkat_Fiztip";
    l.cim = "Árak beállítása";
    l.tabla = "fiztip_arkat";
    l.kulcs = "fiztip";
    l.rend = "t.fiztip, t.arkat";
    const Qt::Alignment balra = Qt::AlignLeft | Qt::AlignVCenter;
    l.oszlopok = {Oszlop{"fiztip_nev", "kölcs.típus", balra, {}}, Oszlop{"arkat_nev", "árkategória", balra, {}},
                  Oszlop{"ar", "ár", Qt::AlignRight | Qt::AlignVCenter, {}}};
    l.kapcsolt = {{"fiztip_nev", "f.fiztip_nev"}, {"arkat_nev", "a.arkat_nev"}};
    l.joinok = "LEFT JOIN fiztip f ON (f.fiztip = t.fiztip) LEFT JOIN arkat a ON (a.arkat = t.arkat)";
    l.szerkeszto = [](QWidget* szulo, Rekord& sor, bool) { return new Tfrm_TorzsArkat_Fiztip_Szerkeszt(sor, szulo); };
    l.meret = QSize(460, 380);
    return l;
}

Tfrm_TorzsArkat_Fiztip::Tfrm_TorzsArkat_Fiztip(QWidget* szulo) : TorzsAblak(leiras(), false, szulo)
{
    // Neither a quick search nor a choice here: the menu carries only what acts.
    PopupMenu1->clear();
    PopupMenu1->addActions({aUj, aSzerkeszt, aTorol, aBezar});
    DBGrid1->setColumnWidth(0, 170);
    DBGrid1->setColumnWidth(1, 170);
}

Tfrm_TorzsArkat_Fiztip_Szerkeszt::Tfrm_TorzsArkat_Fiztip_Szerkeszt(Rekord& sor, QWidget* szulo)
    : TorzsSzerkeszto(sor, QStringLiteral("Árak beállítása szerkesztés"), szulo)
{
    setObjectName("Tfrm_TorzsArkat_Fiztip_Szerkeszt");
    fiztip = valaszto("kölcs.típus", "fiztip", "SELECT fiztip, fiztip_nev FROM fiztip ORDER BY fiztip");
    arkat = valaszto("árkategória", "arkat",
                     "SELECT arkat, arkat_nev FROM arkat ORDER BY arkat_nev COLLATE HU, arkat");
    ar = szamMezo("ár", "ar");
    kesz();
    disconnect(btnOK, &QPushButton::clicked, this, &TorzsSzerkeszto::btnOKClick);
    connect(btnOK, &QPushButton::clicked, this, &Tfrm_TorzsArkat_Fiztip_Szerkeszt::btnOKExecute);
}

QComboBox* Tfrm_TorzsArkat_Fiztip_Szerkeszt::valaszto(const QString& felirat, const QString& mezo, const QString& sql)
{
    auto* c = new QComboBox(this);
    c->setObjectName(mezo);
    c->setMinimumWidth(220);
    QSqlQuery q = Adatbazis::vegrehajt(sql);
    while (q.next()) c->addItem(VarSzoveg(q.value(1)), q.value(0).toInt());
    // A key that names no row (or none yet) shows nothing chosen.
    const QVariant most = sor().ertek(mezo);
    c->setCurrentIndex(most.isNull() ? -1 : c->findData(VarEgesz(most)));
    // Untouched, the row keeps the key it had, even one that names nothing.
    sajat(felirat, c, [c, mezo](Rekord& r) {
        if (c->currentIndex() >= 0) r.beallit(mezo, c->currentData());
    });
    return c;
}

void Tfrm_TorzsArkat_Fiztip_Szerkeszt::btnOKExecute()
{
    // The table would take an empty key, and then any number of rows
    // without a period or a category that no price look-up can find.
    for (QComboBox* c : {fiztip, arkat}) {
        if (c->currentIndex() < 0 && sor().ertek(c->objectName()).isNull()) {
            HibaAblak(QStringLiteral("Hiányos, vagy hibás adatmegadás\n")
                          + Adatbazis::magyarHiba("NOT NULL constraint failed: fiztip_arkat." + c->objectName()),
                      this);
            c->setFocus();
            return;
        }
    }
    btnOKClick();
}

void ArBeallitas(QWidget* szulo)
{
    Tfrm_TorzsArkat_Fiztip a(szulo);
    a.futtat(QVariant());
}

#include "windows/admin/tfrm_felhasznalo.h"
#include "core/admin/felhasznalok.h"
#include "windows/common/bevitel.h"
#include "windows/common/kozepre.h"
#include "print/common/uzenet.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>

namespace {

TorzsLeiras felhasznaloLeiras()
{
    TorzsLeiras l;
    l.osztaly = QStringLiteral("Tfrm_Felhasznalo");
    l.cim = QStringLiteral("Felhasználók adatai");
    l.tabla = QStringLiteral("felhasznalo");
    l.kulcs = QStringLiteral("felhasznalo");
    // The key's own order: names as stored, compared byte for byte.
    l.rend = QStringLiteral("t.felhasznalo");
    Oszlop o;
    o.mezo = QStringLiteral("felhasznalo");
    o.cim = QStringLiteral("Felhasználó");
    l.oszlopok = {o};
    l.meret = QSize(300, 320);
    return l;
}

} // namespace

Tfrm_Felhasznalo::Tfrm_Felhasznalo(QWidget* szulo) : TorzsAblak(felhasznaloLeiras(), false, szulo)
{
    aUj->setText(QStringLiteral("Új"));
    aTorol->setText(QStringLiteral("Töröl"));
    for (QAction* a : {aUj, aSzerkeszt, aTorol, aBezar}) {
        a->setToolTip(a->text());
        a->setStatusTip(a->text());
    }
    // The grid's menu: the same commands, the first one named for what it makes.
    auto* ujFelhasznalo = new QAction(aUj->icon(), QStringLiteral("Új Felhasználó"), this);
    ujFelhasznalo->setObjectName("aUjFelhasznalo");
    ujFelhasznalo->setShortcut(aUj->shortcut());
    ujFelhasznalo->setShortcutContext(Qt::WidgetShortcut);   // the key belongs to aUj
    connect(ujFelhasznalo, &QAction::triggered, aUj, &QAction::trigger);
    PopupMenu1->clear();
    PopupMenu1->addActions({ujFelhasznalo, aSzerkeszt, aTorol});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(aBezar);
    DBGrid1->installEventFilter(this);
}

bool Tfrm_Felhasznalo::eventFilter(QObject* o, QEvent* e)
{
    // Enter in the grid edits the current user.
    if (o == DBGrid1 && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            aSzerkeszt->trigger();
            return true;
        }
    }
    return TorzsAblak::eventFilter(o, e);
}

void Tfrm_Felhasznalo::aUjExecute() { szerkeszt(QString()); }

void Tfrm_Felhasznalo::aSzerkesztExecute()
{
    // An empty list: editing starts a new user, as "Új" does.
    if (aktualis() < 0) {
        aUjExecute();
        return;
    }
    const QString nev = VarSzoveg(ertek(QStringLiteral("felhasznalo")));
    // Deleted meanwhile: the list catches up instead.
    if (!Adatbazis::ertek(QStringLiteral("SELECT 1 FROM felhasznalo WHERE felhasznalo = ?"), {nev}).isValid()) {
        ujratolt();
        return;
    }
    szerkeszt(nev);
}

void Tfrm_Felhasznalo::szerkeszt(const QString& nev)
{
    QString mentett;
    {
        Tfrm_FelhasznaloSzerkeszt d(nev, this);
        if (d.exec() != QDialog::Accepted) return;
        mentett = d.mentettNev();
    }
    ujratolt(mentett);
}

void Tfrm_Felhasznalo::sorTorol(const QVariantList& kulcs) { Felhasznalok::Torol(VarSzoveg(kulcs.value(0))); }

void FelhasznaloMegnyit(QWidget* szulo)
{
    Tfrm_Felhasznalo a(szulo);
    a.futtat(QVariant());
}

// ---- edit dialog ---------------------------------------------------------------

Tfrm_FelhasznaloSzerkeszt::Tfrm_FelhasznaloSzerkeszt(const QString& nev, QWidget* szulo) : QDialog(szulo), m_nev(nev)
{
    setObjectName("Tfrm_FelhasznaloSzerkeszt");
    setWindowTitle(QStringLiteral("Felhasználó adatainak szerkesztése"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(12, 10, 12, 12);
    l->setSpacing(2);
    const auto mezo = [&](const QString& felirat, const char* objNev, int hossz, bool jelszo) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(objNev));
        KarakterKorlat(e, hossz);
        if (jelszo) e->setEchoMode(QLineEdit::Password);
        auto* c = new QLabel(felirat, this);
        c->setBuddy(e);
        l->addWidget(c);
        l->addWidget(e);
        return e;
    };
    DBEdit1 = mezo(QStringLiteral("Felhasználó"), "DBEdit1", 20, false);
    DBEdit2 = mezo(QStringLiteral("Jelszó"), "DBEdit2", Felhasznalok::JelszoHossz, true);
    Edit1 = mezo(QStringLiteral("Jelszó még egyszer"), "Edit1", Felhasznalok::JelszoHossz, true);
    l->addSpacing(6);
    DBCheckBox1 = new QCheckBox(QStringLiteral("Rendszergazda"), this);
    DBCheckBox1->setObjectName("DBCheckBox1");
    DBCheckBox2 = new QCheckBox(QStringLiteral("Törzsadat szerkesztés"), this);
    DBCheckBox2->setObjectName("DBCheckBox2");
    l->addWidget(DBCheckBox1);
    l->addWidget(DBCheckBox2);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName("btnOK");
    btnCancel = new QPushButton(QStringLiteral("Mégsem"), this);
    btnCancel->setObjectName("btnCancel");
    btnOK->setAutoDefault(false);
    btnCancel->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &Tfrm_FelhasznaloSzerkeszt::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);   // Esc as well
    auto* gombok = new QHBoxLayout;
    gombok->addStretch();
    gombok->addWidget(btnOK);
    gombok->addWidget(btnCancel);
    l->addSpacing(8);
    l->addLayout(gombok);

    if (!nev.isEmpty()) {
        QSqlQuery q = Adatbazis::vegrehajt(
            QStringLiteral("SELECT rendszergazda, torzsszerkeszt FROM felhasznalo WHERE felhasznalo = ?"), {nev});
        if (q.next()) {
            DBCheckBox1->setChecked(VarSzoveg(q.value(0)) == QLatin1String("I"));
            DBCheckBox2->setChecked(VarSzoveg(q.value(1)) == QLatin1String("I"));
        }
        DBEdit1->setText(nev);
    }
    // The password is never read back: both fields start empty.
    l->addStrut(std::max(CimSzelesseg(windowTitle()), AtlagosBetu(fontMetrics()).szeles * 30));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FokuszSzinAlkalmaz(this);
    EnterTovabbAlkalmaz(this);
    adjustSize();
    Kozepre(this);
}

void Tfrm_FelhasznaloSzerkeszt::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    DBEdit1->setFocus();
}

void Tfrm_FelhasznaloSzerkeszt::btnOKClick()
{
    Felhasznalok::Adatok a;
    a.felhasznalo = DBEdit1->text();
    a.jelszo = DBEdit2->text();
    a.megerosites = Edit1->text();
    a.rendszergazda = DBCheckBox1->isChecked();
    a.torzsszerkeszt = DBCheckBox2->isChecked();
    const QString hiba = Felhasznalok::Ellenoriz(a, m_nev.isEmpty());
    if (!hiba.isEmpty()) {
        HibaAblak(hiba, this);
        return;
    }
    try {
        Felhasznalok::Ment(m_nev, a);
    } catch (const AdatbazisHiba& e) {
        const QString ok = e.uzenet();
        if (ok == QString::fromUtf8(Felhasznalok::UtolsoRendszergazda))
            HibaAblak(ok, this);
        else if (e.tarolasi())
            HibaAblak(QStringLiteral("A mentés nem sikerült.\n") + ok, this);
        else
            HibaAblak(QString::fromUtf8(Felhasznalok::HianyosAdat), this);
        return;
    }
    m_mentett = a.felhasznalo;
    accept();
}

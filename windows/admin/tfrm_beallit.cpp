#include "windows/admin/tfrm_beallit.h"
#include "windows/admin/kesedelemtabla.h"
#include "windows/admin/uzletadatok.h"
#include "windows/common/bevitel.h"
#include "print/common/parbeszed.h"
#include "core/common/szoveg.h"
#include "print/common/uzenet.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/rental/beolvasas.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int MegjegyzesHossz = 255;   // kolcsszoveg's width in the table

QString dijSzoveg(const QVariant& v) { return v.isNull() ? QString() : SzamIr(VarValos(v)); }
bool igen(const QVariant& v) { return VarSzoveg(v) == QLatin1String("I"); }

// A check box gives back what was stored while it shows what it showed at
// opening: a field holding neither "I" nor "N" stays as it was.
QVariant jelzo(const QCheckBox* cb, const QVariant& tarolt)
{
    if (cb->isChecked() == igen(tarolt)) return tarolt;
    return QString::fromLatin1(cb->isChecked() ? "I" : "N");
}

bool enter(const QKeyEvent* k)
{
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !(k->modifiers() & ~Qt::KeypadModifier);
}

// The next control Tab would go to.
void tovabb(QWidget* w)
{
    for (QWidget* kov = w->nextInFocusChain(); kov && kov != w; kov = kov->nextInFocusChain()) {
        if ((kov->focusPolicy() & Qt::TabFocus) && kov->isEnabled() && kov->isVisible() && !w->isAncestorOf(kov)) {
            kov->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace

Tfrm_Beallit::Tfrm_Beallit(QWidget* szulo) : QDialog(szulo)
{
    m_sor = BeallitSorOlvas();
    m_tulajdonos = Tulajdonos::olvas();

    setObjectName("Tfrm_Beallit");
    setWindowTitle(QStringLiteral("Beállítások"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");

    // "Általános"
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    CheckBox1 = new QCheckBox(QStringLiteral("Megnyitáskor teljes képernyő"), TabSheet1);
    CheckBox1->setObjectName("CheckBox1");
    DBCheckBox1 = new QCheckBox(QStringLiteral("Belépésnél jelszót kér"), TabSheet1);
    DBCheckBox1->setObjectName("DBCheckBox1");
    Label1 = new QLabel(QStringLiteral("adatbázis elérési útvonala"), TabSheet1);
    Label1->setObjectName("Label1");
    Edit2 = new QLineEdit(TabSheet1);
    Edit2->setObjectName("Edit2");
    BitBtn1 = new QPushButton(TabSheet1);
    BitBtn1->setObjectName("BitBtn1");
    Label2 = new QLabel(QStringLiteral("adatbázis mentési útvonala"), TabSheet1);
    Label2->setObjectName("Label2");
    Edit1 = new QLineEdit(TabSheet1);
    Edit1->setObjectName("Edit1");
    BitBtn2 = new QPushButton(TabSheet1);
    BitBtn2->setObjectName("BitBtn2");
    Label1->setBuddy(Edit2);
    Label2->setBuddy(Edit1);
    const int mezoMagas = Edit1->sizeHint().height();
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        b->setToolTip(QStringLiteral("Tallózás"));
        b->setAccessibleName(QStringLiteral("Tallózás"));
        b->setAutoDefault(false);
        b->setFixedSize(mezoMagas + 6, mezoMagas);
    }
    for (QLineEdit* e : {Edit1, Edit2}) e->setMinimumWidth(AtlagosBetu(e->fontMetrics()).szeles * 48);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { tallozas(Edit2); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { tallozas(Edit1); });

    auto* altalanos = new QGridLayout(TabSheet1);
    altalanos->setContentsMargins(10, 10, 10, 10);
    altalanos->setVerticalSpacing(4);
    auto* elsoSor = new QHBoxLayout;
    elsoSor->setSpacing(24);
    elsoSor->addWidget(CheckBox1);
    elsoSor->addWidget(DBCheckBox1);
    elsoSor->addStretch(1);
    altalanos->addLayout(elsoSor, 0, 0, 1, 2);
    altalanos->setRowMinimumHeight(1, 8);
    altalanos->addWidget(Label1, 2, 0, 1, 2);
    altalanos->addWidget(Edit2, 3, 0);
    altalanos->addWidget(BitBtn1, 3, 1);
    altalanos->setRowMinimumHeight(4, 6);
    altalanos->addWidget(Label2, 5, 0, 1, 2);
    altalanos->addWidget(Edit1, 6, 0);
    altalanos->addWidget(BitBtn2, 6, 1);
    altalanos->setRowStretch(7, 1);
    PageControl1->addTab(TabSheet1, QStringLiteral("Általános"));

    // "Tagdíjak"
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    GroupBox1 = new QGroupBox(QStringLiteral("Tagdíjak"), TabSheet2);
    GroupBox1->setObjectName("GroupBox1");
    auto* dijak = new QFormLayout(GroupBox1);
    dijak->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    const char* dijNevek[] = {"negyedéves", "féléves", "éves"};
    QLineEdit** dijMezok[] = {&DBEdit1, &DBEdit2, &DBEdit3};
    for (int i = 0; i < 3; ++i) {
        auto* e = new QLineEdit(GroupBox1);
        e->setObjectName(QStringLiteral("DBEdit%1").arg(i + 1));
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(AtlagosBetu(e->fontMetrics()).szeles * 16);
        e->setAccessibleName(QString::fromUtf8(dijNevek[i]));
        e->installEventFilter(this);
        dijak->addRow(QString::fromUtf8(dijNevek[i]), e);
        *dijMezok[i] = e;
    }
    auto* tagdijak = new QVBoxLayout(TabSheet2);
    tagdijak->setContentsMargins(10, 10, 10, 10);
    tagdijak->addWidget(GroupBox1);
    tagdijak->addStretch(1);
    PageControl1->addTab(TabSheet2, QStringLiteral("Tagdíjak"));

    // "Kölcsönzés"
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName("TabSheet3");
    DBCheckBox2 = new QCheckBox(QStringLiteral("Kölcsönzéskor automatikusan nyomtat"), TabSheet3);
    DBCheckBox2->setObjectName("DBCheckBox2");
    DBCheckBox3 = new QCheckBox(QStringLiteral("Előre fizet"), TabSheet3);
    DBCheckBox3->setObjectName("DBCheckBox3");
    Label3 = new QLabel(QStringLiteral("Megjegyzés a kölcsönzési jegyen"), TabSheet3);
    Label3->setObjectName("Label3");
    DBMemo1 = new QPlainTextEdit(TabSheet3);
    DBMemo1->setObjectName("DBMemo1");
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setFixedHeight(DBMemo1->fontMetrics().lineSpacing() * 5 + 10);
    DBMemo1->installEventFilter(this);
    Label3->setBuddy(DBMemo1);
    Label4 = new QLabel(QStringLiteral("Kölcsönzési idő ügyfélkártya beolvasásakor"), TabSheet3);
    Label4->setObjectName("Label4");
    cmbAlapIdo = new QComboBox(TabSheet3);
    cmbAlapIdo->setObjectName("cmbAlapIdo");
    cmbAlapIdo->addItem(QStringLiteral("(minden kölcsönzésnél kérdezze)"), QVariant());
    for (const Beolvasas::Idoszak& i : Beolvasas::Idoszakok()) cmbAlapIdo->addItem(i.nev, i.fiztip);
    {
        // A stored period that no longer exists is shown as asked; it stays unless changed.
        const int hol = m_sor.alapfiztip.isNull() ? 0 : cmbAlapIdo->findData(VarEgesz(m_sor.alapfiztip));
        cmbAlapIdo->setCurrentIndex(hol < 0 ? 0 : hol);
    }
    Label4->setBuddy(cmbAlapIdo);
    auto* kolcsonzes = new QVBoxLayout(TabSheet3);
    kolcsonzes->setContentsMargins(10, 10, 10, 10);
    kolcsonzes->setSpacing(4);
    kolcsonzes->addWidget(DBCheckBox2);
    kolcsonzes->addWidget(DBCheckBox3);
    kolcsonzes->addSpacing(8);
    kolcsonzes->addWidget(Label4);
    kolcsonzes->addWidget(cmbAlapIdo, 0, Qt::AlignLeft);
    kolcsonzes->addSpacing(8);
    kolcsonzes->addWidget(Label3);
    kolcsonzes->addWidget(DBMemo1);
    kolcsonzes->addStretch(1);
    PageControl1->addTab(TabSheet3, QStringLiteral("Kölcsönzés"));

    // "Üzlet": printed on every list and receipt.
    TabSheet4 = new UzletAdatok;
    TabSheet4->setObjectName("TabSheet4");
    TabSheet4->beallit(m_tulajdonos);
    m_tulajdonos = TabSheet4->adat();   // as the page gives it back: a save compares like with like
    PageControl1->addTab(TabSheet4, QStringLiteral("Üzlet"));

    // "Késedelem": saved with the rest, only when a cell was changed.
    TabSheet5 = new KesedelemTabla;
    TabSheet5->setObjectName("TabSheet5");
    PageControl1->addTab(TabSheet5, QStringLiteral("Késedelem"));

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName("btnOK");
    btnMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    btnMegsem->setObjectName("btnMegsem");
    connect(btnOK, &QPushButton::clicked, this, &Tfrm_Beallit::aOKExecute);
    connect(btnMegsem, &QPushButton::clicked, this, &QDialog::reject);   // Esc and the close box as well
    auto* gombok = new QHBoxLayout;
    gombok->addStretch(1);
    gombok->addWidget(btnOK);
    gombok->addWidget(btnMegsem);

    auto* elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(8, 8, 8, 8);
    elrendezes->setSpacing(8);
    elrendezes->addWidget(PageControl1);
    elrendezes->addLayout(gombok);
    elrendezes->setSizeConstraint(QLayout::SetFixedSize);

    // The values: the file's from TBeall, the row's as stored.
    CheckBox1->setChecked(TBeall.TeljesKep);
    Edit1->setText(TBeall.MentesUtvonal);
    Edit2->setText(TBeall.Utvonal);
    DBCheckBox1->setChecked(igen(m_sor.vanbelep));
    DBEdit1->setText(dijSzoveg(m_sor.dijnegyed));
    DBEdit2->setText(dijSzoveg(m_sor.dijfel));
    DBEdit3->setText(dijSzoveg(m_sor.dijev));
    DBCheckBox2->setChecked(igen(m_sor.autonyom));
    DBCheckBox3->setChecked(igen(m_sor.elorefizet));
    DBMemo1->setPlainText(VarSzoveg(m_sor.kolcsszoveg));

    // Only the two path fields take the focus colour.
    FokuszSzinAlkalmaz(TabSheet1);
    EnterTovabbAlkalmaz(this);
    for (QCheckBox* cb : {CheckBox1, DBCheckBox1, DBCheckBox2, DBCheckBox3}) cb->installEventFilter(this);

    adjustSize();
    const QRect hova = szulo ? szulo->window()->geometry()
                             : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                                 : QRect());
    if (hova.isValid()) move(hova.center() - rect().center());
    CheckBox1->setFocus();
}

void Tfrm_Beallit::tallozas(QLineEdit* mezo)
{
    // No start folder: the browser opens where it likes.
    const QString mappa = parbeszed().mappaValasztas(this, QStringLiteral("Adatbázis útvonal"), QString());
    if (!mappa.isEmpty()) mezo->setText(mappa);
}

bool Tfrm_Beallit::dijRendben(QLineEdit* mezo)
{
    const QString t = mezo->text().trimmed();
    if (t.isEmpty()) return true;   // an empty fee is an empty field
    bool ok = false;
    const double v = SzamOlvas(t, &ok);
    if (ok && PenzErvenyes(v)) return true;
    m_ellenoriz = true;   // the box takes the focus: that is no leaving
    HibaAblak(QStringLiteral("Nem megfelelő érték: „%1”.\nA(z) „%2” tagdíj csak szám lehet.")
                  .arg(mezo->text(), mezo->accessibleName()),
              this);
    PageControl1->setCurrentWidget(TabSheet2);
    mezo->setFocus(Qt::OtherFocusReason);
    mezo->selectAll();
    m_ellenoriz = false;
    return false;
}

void Tfrm_Beallit::elhagyva(QLineEdit* mezo)
{
    if (!isVisible() || m_ellenoriz) return;
    // Back in the field (a refusal put it there), gone to another window, or
    // to "Mégsem", which throws everything away anyway: nothing to check.
    QWidget* uj = QApplication::focusWidget();
    if (uj == mezo || uj == btnMegsem || (uj && uj->window() != this)) return;
    dijRendben(mezo);
}

bool Tfrm_Beallit::sorBe(BeallitSor& s)
{
    s = m_sor;
    s.vanbelep = jelzo(DBCheckBox1, m_sor.vanbelep);
    s.autonyom = jelzo(DBCheckBox2, m_sor.autonyom);
    s.elorefizet = jelzo(DBCheckBox3, m_sor.elorefizet);
    const std::pair<QLineEdit*, QVariant BeallitSor::*> dijak[] = {
        {DBEdit1, &BeallitSor::dijnegyed}, {DBEdit2, &BeallitSor::dijfel}, {DBEdit3, &BeallitSor::dijev}};
    for (const auto& [mezo, tag] : dijak) {
        if (mezo->text() == dijSzoveg(m_sor.*tag)) continue;   // as it was
        if (!dijRendben(mezo)) return false;
        const QString t = mezo->text().trimmed();
        s.*tag = t.isEmpty() ? QVariant() : QVariant(SzamOlvas(t, nullptr));
    }
    const int hol = m_sor.alapfiztip.isNull() ? 0 : cmbAlapIdo->findData(VarEgesz(m_sor.alapfiztip));
    if (cmbAlapIdo->currentIndex() != (hol < 0 ? 0 : hol)) s.alapfiztip = cmbAlapIdo->currentData();
    const QString megjegyzes = DBMemo1->toPlainText();
    if (megjegyzes != VarSzoveg(m_sor.kolcsszoveg)) {
        if (KarakterSzam(megjegyzes) > MegjegyzesHossz) {
            HibaAblak(QStringLiteral("A „Megjegyzés a kölcsönzési jegyen” legfeljebb %1 karakter lehet (most %2).")
                          .arg(MegjegyzesHossz)
                          .arg(KarakterSzam(megjegyzes)),
                      this);
            PageControl1->setCurrentWidget(TabSheet3);
            DBMemo1->setFocus(Qt::OtherFocusReason);
            return false;
        }
        s.kolcsszoveg = megjegyzes;
    }
    return true;
}

void Tfrm_Beallit::aOKExecute()
{
    BeallitSor s;
    if (!sorBe(s)) return;
    // Paths as typed: a folder that does not exist is replaced at the next start.
    const BeallitFajlErtekek f{CheckBox1->isChecked(), Edit2->text(), Edit1->text()};
    // The shop's row is written only when its page was changed: an
    // installation without details yet can still save its other settings.
    const TulajdonosAdat tulaj = TabSheet4->adat();
    const bool tulajValtozott = tulaj != m_tulajdonos;
    if (tulajValtozott) {
        const QString baj = Tulajdonos::ellenoriz(tulaj);
        if (!baj.isEmpty()) {
            HibaAblak(baj, this);
            PageControl1->setCurrentWidget(TabSheet4);
            TabSheet4->elso()->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    QList<Kesedelem::ArkatSzabaly> kesedelem;
    const bool kesedelemValtozott = TabSheet5->valtozott();
    if (kesedelemValtozott) {
        QString baj;
        if (!TabSheet5->adat(kesedelem, &baj)) {
            HibaAblak(baj, this);
            PageControl1->setCurrentWidget(TabSheet5);
            TabSheet5->tblKesedelem->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (Vedett([&] { BeallitasokMent(s, f, ProgramUtvonal() + '/' + BeallitasFajlNev, tulajValtozott ? &tulaj : nullptr,
                                     kesedelemValtozott ? &kesedelem : nullptr); },
               this))
        accept();
}

bool Tfrm_Beallit::eventFilter(QObject* o, QEvent* e)
{
    auto* mezo = qobject_cast<QLineEdit*>(o);
    const bool dij = mezo && (mezo == DBEdit1 || mezo == DBEdit2 || mezo == DBEdit3);
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (qobject_cast<QCheckBox*>(o) && enter(k)) {
            tovabb(static_cast<QWidget*>(o));
            return true;
        }
        const QString t = k->text();
        const bool gepelt = !t.isEmpty() && t.at(0).unicode() >= 0x20 && t.at(0).unicode() != 0x7f
                            && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (dij && gepelt) {
            // What a number is made of; anything else is not typed at all.
            const QString szamjegyek = QStringLiteral("0123456789+-eE") + QLocale().decimalPoint();
            for (QChar c : t)
                if (!szamjegyek.contains(c)) return true;
        }
        if (o == DBMemo1 && (gepelt || enter(k))) {
            // A full note takes no more typing; a paste is refused at the save.
            const QTextCursor c = DBMemo1->textCursor();
            const qsizetype most = KarakterSzam(DBMemo1->toPlainText()) - KarakterSzam(c.selectedText());
            if (most + (enter(k) ? 1 : KarakterSzam(t)) > MegjegyzesHossz) return true;
        }
    } else if (e->type() == QEvent::FocusOut && dij && !m_ellenoriz) {
        // Checked once the focus has settled elsewhere: a page change takes
        // the focus away first and gives it to the new page only afterwards.
        const auto ok = static_cast<QFocusEvent*>(e)->reason();
        if (ok != Qt::ActiveWindowFocusReason && ok != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, [this, mezo] { elhagyva(mezo); });
    }
    return QDialog::eventFilter(o, e);
}

void BeallitMegnyit(QWidget* szulo)
{
    Tfrm_Beallit f(szulo);
    if (f.exec() != QDialog::Accepted) return;
    FigyelmeztetesAblak(QStringLiteral("Indítsa újra a programot a beállítások érvénybe léptetéséhez."), szulo);
}

#include "windows/common/tfrm_inp.h"
#include "windows/common/bevitel.h"
#include "windows/common/kozepre.h"
#include "print/common/parbeszed.h"
#include "core/common/szoveg.h"
#include "print/common/uzenet.h"
#include "core/data/konverzio.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <cmath>

namespace {
int kerekit(long long szamlalo, long long nevezo)
{
    return int(std::llround(double(szamlalo) / double(nevezo)));
}
} // namespace

Tfrm_Inp::Tfrm_Inp(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_Inp");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(253, 100);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 8, 221, 16);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(16, 28, 221, 22);
    Edit1->setAlignment(Qt::AlignRight);
    Edit1->installEventFilter(this);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(56, 64, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Mégsem"), this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(144, 64, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &Tfrm_Inp::aElfogadExecute);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* aElfogad = new QAction(QStringLiteral("Elfogad"), this);
    aElfogad->setObjectName("aElfogad");
    aElfogad->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connect(aElfogad, &QAction::triggered, this, &Tfrm_Inp::aElfogadExecute);
    addAction(aElfogad);
    auto* aMegsem = new QAction(QStringLiteral("Mégsem"), this);
    aMegsem->setObjectName("aMegsem");
    aMegsem->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(aMegsem, &QAction::triggered, this, &QDialog::reject);
    addAction(aMegsem);
    FokuszSzinAlkalmaz(this);
    Kozepre(this);
}

void Tfrm_Inp::aElfogadExecute()
{
    bool ok = false;
    const double v = SzamOlvas(Edit1->text(), &ok);
    // Its callers take sums of money and item codes: nothing beyond the
    // money bound is either.
    if (!ok || !PenzErvenyes(v)) {
        HibaAblak(QString::fromUtf8(NemMegfeleloErtek), this);
        return;
    }
    m_ertek = v;
    accept();
}

bool Tfrm_Inp::eventFilter(QObject* o, QEvent* e)
{
    if (o == Edit1 && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            aElfogadExecute();
            return true;
        }
        const QString t = k->text();
        if (!t.isEmpty() && t.at(0).isPrint()) {
            const QChar c = t.at(0);
            const bool jo = c.isDigit() && c.unicode() < 128;
            if (!(jo || c == QLatin1Char(',') || c == QLatin1Char('-'))) return true;  // dropped
        }
    }
    return QDialog::eventFilter(o, e);
}

bool SzamBevitelAblak(QWidget* szulo, const QString& cim, const QString& kerdes, double& ertek)
{
    Tfrm_Inp f(szulo);
    f.setWindowTitle(cim);
    f.Label1->setText(kerdes);
    f.Edit1->setText(SzamIr(ertek));
    f.Edit1->selectAll();
    if (f.exec() != QDialog::Accepted) return false;
    ertek = f.ertek();
    return true;
}

bool MaszkosBevitelAblak(QWidget* szulo, const QString& cim, const QString& kerdes, const QString& maszk,
                         QString& ertek)
{
    QDialog d(szulo);
    d.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    d.setWindowTitle(cim);
    const BetuMeret b = AtlagosBetu(d.fontMetrics());
    const int w = b.szeles, h = b.magas;
    auto* cimke = new QLabel(kerdes, &d);
    cimke->setWordWrap(true);
    const int bal = kerekit(w * 8LL, 4);
    const int szeles = kerekit(w * 164LL, 4);
    cimke->setGeometry(bal, kerekit(h * 8LL, 8), szeles, cimke->heightForWidth(szeles));
    auto* mezo = new QLineEdit(&d);
    mezo->setObjectName("Edit1");
    if (maszk.isEmpty()) KarakterKorlat(mezo, 255);
    else mezo->setInputMask(maszk);
    mezo->setText(ertek);
    mezo->setGeometry(bal, cimke->geometry().bottom() + 1 + 5, szeles, mezo->sizeHint().height());
    mezo->selectAll();
    const int gombTeteje = mezo->geometry().bottom() + 1 + 15;
    const int gombSz = kerekit(w * 50LL, 4), gombM = kerekit(h * 14LL, 8);
    auto* ok = new QPushButton(QStringLiteral("OK"), &d);
    ok->setDefault(true);
    ok->setGeometry(kerekit(w * 38LL, 4), gombTeteje, gombSz, gombM);
    auto* megsem = new QPushButton(QStringLiteral("Mégsem"), &d);
    megsem->setGeometry(kerekit(w * 92LL, 4), gombTeteje, gombSz, gombM);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    QObject::connect(megsem, &QPushButton::clicked, &d, &QDialog::reject);
    d.setFixedSize(kerekit(w * 180LL, 4), gombTeteje + gombM + 13);
    Kozepre(&d);
    if (d.exec() != QDialog::Accepted) return false;
    ertek = mezo->text();
    return true;
}

bool SzamBevitel(const QString& cim, const QString& kerdes, double& ertek, QWidget* szulo)
{
    return parbeszed().szamBevitel(szulo, cim, kerdes, ertek);
}

bool MaszkosBevitel(const QString& cim, const QString& kerdes, const QString& maszk, QString& ertek, QWidget* szulo)
{
    return parbeszed().maszkosBevitel(szulo, cim, kerdes, maszk, ertek);
}

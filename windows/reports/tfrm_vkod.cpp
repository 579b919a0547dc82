#include "windows/reports/tfrm_vkod.h"
#include "windows/common/muvelet.h"
#include "print/common/uzenet.h"
#include "core/data/beallitas.h"
#include "print/reports/tqrvkod.h"
#include "core/reports/vkod.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Tfrm_VKod::Tfrm_VKod(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_VKod");
    setWindowTitle(QStringLiteral("Vonalkód nyomtatás"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    GroupBox1 = new QGroupBox(QStringLiteral("Címkék"), this);
    GroupBox1->setObjectName("GroupBox1");
    RadioButton1 = new QRadioButton(QStringLiteral("&Tételek"), GroupBox1);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton2 = new QRadioButton(QStringLiteral("Ü&gyfélkártyák"), GroupBox1);
    RadioButton2->setObjectName("RadioButton2");
    RadioButton1->setChecked(true);
    auto* fajtak = new QButtonGroup(this);
    fajtak->addButton(RadioButton1);
    fajtak->addButton(RadioButton2);
    auto* fajtaSor = new QHBoxLayout(GroupBox1);
    fajtaSor->addWidget(RadioButton1);
    fajtaSor->addWidget(RadioButton2);
    fajtaSor->addStretch(1);
    connect(RadioButton2, &QRadioButton::toggled, this, &Tfrm_VKod::fajtaValtozott);

    CheckBox1 = new QCheckBox(QStringLiteral("A kód számmal is kiírva"), this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(TBeall.VK_Kazettora);
    Label3 = new QLabel(QStringLiteral("Számmal: 119db; szám nélkül: 168db"), this);
    Label3->setObjectName("Label3");
    Label1 = new QLabel(QStringLiteral("azonosítótól"), this);
    Label1->setObjectName("Label1");
    Edit1 = new QLineEdit(QStringLiteral("00001"), this);
    Edit1->setObjectName("Edit1");
    Label2 = new QLabel(QStringLiteral("azonosítóig"), this);
    Label2->setObjectName("Label2");
    Edit2 = new QLineEdit(QStringLiteral("00119"), this);
    Edit2->setObjectName("Edit2");
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);
    for (QLineEdit* e : {Edit1, Edit2}) {
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);
    }

    aNyomtat = MuveletKeszit(this, "aNyomtat", QStringLiteral("Nyomtat"), {QKeySequence(Qt::CTRL | Qt::Key_P)});
    aNyomtatKep = MuveletKeszit(this, "aNyomtatKep", QStringLiteral("Nyomtatási kép"), {QKeySequence(Qt::CTRL | Qt::Key_K)});
    aBezar = MuveletKeszit(this, "aBezar", QStringLiteral("Bezár"), {QKeySequence(Qt::Key_Escape)});
    connect(aNyomtat, &QAction::triggered, this, &Tfrm_VKod::aNyomtatExecute);
    connect(aNyomtatKep, &QAction::triggered, this, &Tfrm_VKod::aNyomtatKepExecute);
    connect(aBezar, &QAction::triggered, this, &Tfrm_VKod::aBezarExecute);

    QPushButton** gombok[] = {&Button1, &Button2, &Button3};
    QAction* muveletek[] = {aNyomtat, aNyomtatKep, aBezar};
    auto* gombSor = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(muveletek[i]->icon(), muveletek[i]->text(), this);
        b->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        b->setAutoDefault(false);
        b->setToolTip(muveletek[i]->toolTip());
        QAction* a = muveletek[i];
        connect(b, &QPushButton::clicked, a, &QAction::trigger);
        gombSor->addWidget(b);
        *gombok[i] = b;
    }

    auto* tartomany = new QGridLayout;
    tartomany->addWidget(Label1, 0, 0);
    tartomany->addWidget(Edit1, 0, 1);
    tartomany->addWidget(Label2, 1, 0);
    tartomany->addWidget(Edit2, 1, 1);
    tartomany->setColumnStretch(2, 1);

    auto* elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(10, 10, 10, 10);
    elrendezes->setSpacing(6);
    elrendezes->addWidget(GroupBox1);
    elrendezes->addWidget(CheckBox1);
    elrendezes->addWidget(Label3);
    elrendezes->addSpacing(4);
    elrendezes->addLayout(tartomany);
    elrendezes->addSpacing(4);
    elrendezes->addLayout(gombSor);
    elrendezes->setSizeConstraint(QLayout::SetFixedSize);

    Edit1->setFocus();
    Edit1->selectAll();
}

void Tfrm_VKod::done(int eredmeny)
{
    TBeall.VK_Kazettora = CheckBox1->isChecked();
    QDialog::done(eredmeny);
}

VKod::Fajta Tfrm_VKod::fajta() const
{
    return RadioButton2->isChecked() ? VKod::Fajta::Ugyfel : VKod::Fajta::Tetel;
}

void Tfrm_VKod::fajtaValtozott()
{
    const bool ugyfel = fajta() == VKod::Fajta::Ugyfel;
    Label1->setText(ugyfel ? QStringLiteral("ügyfélkódtól") : QStringLiteral("azonosítótól"));
    Label2->setText(ugyfel ? QStringLiteral("ügyfélkódig") : QStringLiteral("azonosítóig"));
}

void Tfrm_VKod::nyomtat(const Kimenet& kimenet)
{
    // The work table is emptied first, whatever the range turns out to be.
    if (!Vedett([] { VKod::Urit(); }, this)) return;
    const VKod::Fajta f = fajta();
    qint64 elso = 0, utolso = 0;
    QString hiba;
    if (!VKod::KodOlvas(Edit1->text(), Label1->text(), &elso, &hiba, f)) {
        HibaAblak(hiba, this);
        Edit1->setFocus();
        Edit1->selectAll();
        return;
    }
    if (!VKod::KodOlvas(Edit2->text(), Label2->text(), &utolso, &hiba, f)) {
        HibaAblak(hiba, this);
        Edit2->setFocus();
        Edit2->selectAll();
        return;
    }
    const bool szammal = CheckBox1->isChecked();
    Vedett([&] {
        VKod::Feltolt(f, elso, utolso);
        VKodNyomtat(szammal, kimenet, this, f);
    }, this);
}

void Tfrm_VKod::aNyomtatExecute() { nyomtat(Kimenet::nyomtato()); }

void Tfrm_VKod::aNyomtatKepExecute() { nyomtat(Kimenet::elonezet()); }

void Tfrm_VKod::aBezarExecute() { reject(); }

void VKodMegnyit(QWidget* szulo)
{
    Tfrm_VKod ablak(szulo);
    ablak.exec();
}

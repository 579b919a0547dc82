#include "windows/admin/tfrm_atvetel.h"
#include "core/admin/atvetel.h"
#include "core/data/beallitas.h"
#include "core/data/sema.h"
#include "print/common/parbeszed.h"
#include "print/common/uzenet.h"
#include "windows/common/bevitel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const QString Indexek = QStringLiteral("indexek");
}

Tfrm_Atvetel::Tfrm_Atvetel(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_Atvetel");
    setWindowTitle(QStringLiteral("Régi adatok átvétele"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* forras = new QGroupBox(QStringLiteral("A korábbi Kazettora adatai"), this);
    forras->setObjectName("GroupForras");
    auto* cimkeRegi = new QLabel(QStringLiteral("&Régi adatmappa vagy annak zip fájlja:"), forras);
    EditRegi = new QLineEdit(forras);
    EditRegi->setObjectName("EditRegi");
    cimkeRegi->setBuddy(EditRegi);
    btnMappa = new QPushButton(QStringLiteral("&Mappa…"), forras);
    btnMappa->setObjectName("btnMappa");
    btnZip = new QPushButton(QStringLiteral("&Zip fájl…"), forras);
    btnZip->setObjectName("btnZip");
    auto* cimkeIni = new QLabel(QStringLiteral("Régi &beállításfájl (Kazettora.ini):"), forras);
    EditIni = new QLineEdit(forras);
    EditIni->setObjectName("EditIni");
    EditIni->setPlaceholderText(QStringLiteral("üresen hagyva: a régi adatmappa mellől"));
    cimkeIni->setBuddy(EditIni);
    btnIni = new QPushButton(QStringLiteral("&Tallózás…"), forras);
    btnIni->setObjectName("btnIni");
    for (QPushButton* b : {btnMappa, btnZip, btnIni}) b->setAutoDefault(false);

    auto* fr = new QGridLayout(forras);
    fr->addWidget(cimkeRegi, 0, 0, 1, 3);
    fr->addWidget(EditRegi, 1, 0);
    fr->addWidget(btnMappa, 1, 1);
    fr->addWidget(btnZip, 1, 2);
    fr->addWidget(cimkeIni, 2, 0, 1, 3);
    fr->addWidget(EditIni, 3, 0);
    fr->addWidget(btnIni, 3, 1, 1, 2);
    fr->setColumnStretch(0, 1);

    // One row a table, in the order they are read, then the indexes.
    auto* haladas = new QGroupBox(QStringLiteral("Táblák"), this);
    haladas->setObjectName("GroupTablak");
    auto* hr = new QGridLayout(haladas);
    hr->setVerticalSpacing(3);
    QStringList nevek;
    for (const Sema::Tabla& t : Sema::tablak())
        if (Sema::regiMappaban(t)) nevek << t.nev;
    nevek << Indexek;
    for (int i = 0; i < nevek.size(); ++i) {
        auto* c = new QLabel(nevek[i], haladas);
        auto* s = new QProgressBar(haladas);
        s->setObjectName(QStringLiteral("sav_") + nevek[i]);
        s->setMinimumWidth(170);
        s->setAlignment(Qt::AlignCenter);
        hr->addWidget(c, i, 0);
        hr->addWidget(s, i, 1);
        m_cimkek.insert(nevek[i], c);
        m_savok.insert(nevek[i], s);
    }
    hr->setColumnStretch(1, 1);

    auto* eredmeny = new QGroupBox(QStringLiteral("Eredmény: sorok és ellenőrző számok"), this);
    eredmeny->setObjectName("GroupEredmeny");
    MemoEredmeny = new QPlainTextEdit(eredmeny);
    MemoEredmeny->setObjectName("MemoEredmeny");
    MemoEredmeny->setReadOnly(true);
    MemoEredmeny->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoEredmeny->setTabChangesFocus(true);
    QFont betu;
    betu.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    betu.setStyleHint(QFont::Monospace);
    betu.setFixedPitch(true);
    betu.setPointSize(9);
    MemoEredmeny->setFont(betu);
    // The widest line of the report (a check figure's row) and all its lines
    // (tables, check figures, a few remarks) without scrolling.
    const QFontMetrics fm(betu);
    MemoEredmeny->setMinimumSize(fm.horizontalAdvance(QString(80, u'0')) + 30, fm.lineSpacing() * 30 + 12);
    auto* er = new QVBoxLayout(eredmeny);
    er->addWidget(MemoEredmeny);

    LabelAllapot = new QLabel(QStringLiteral("Válassza ki a régi adatmappát, majd Enter: az átvétel indul."), this);
    LabelAllapot->setObjectName("LabelAllapot");
    LabelAllapot->setWordWrap(true);
    btnIndit = new QPushButton(QStringLiteral("Átvétel &indítása"), this);
    btnIndit->setObjectName("btnIndit");
    btnIndit->setDefault(true);
    btnBezar = new QPushButton(QStringLiteral("Bezár"), this);
    btnBezar->setObjectName("btnBezar");
    btnBezar->setAutoDefault(false);

    auto* kozep = new QHBoxLayout;
    kozep->addWidget(haladas);
    kozep->addWidget(eredmeny, 1);
    auto* gombok = new QHBoxLayout;
    gombok->addWidget(LabelAllapot, 1);
    gombok->addWidget(btnIndit);
    gombok->addWidget(btnBezar);
    auto* elrendezes = new QVBoxLayout(this);
    elrendezes->addWidget(forras);
    elrendezes->addLayout(kozep, 1);
    elrendezes->addLayout(gombok);

    setTabOrder(EditRegi, btnMappa);
    setTabOrder(btnMappa, btnZip);
    setTabOrder(btnZip, EditIni);
    setTabOrder(EditIni, btnIni);
    setTabOrder(btnIni, btnIndit);
    setTabOrder(btnIndit, btnBezar);
    setTabOrder(btnBezar, MemoEredmeny);
    EditRegi->setFocus();

    savokAlaphelyzet();
    FokuszSzinAlkalmaz(this);
    resize(sizeHint());
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());

    connect(btnMappa, &QPushButton::clicked, this, &Tfrm_Atvetel::MappaValaszt);
    connect(btnZip, &QPushButton::clicked, this, &Tfrm_Atvetel::ZipValaszt);
    connect(btnIni, &QPushButton::clicked, this, &Tfrm_Atvetel::IniValaszt);
    connect(btnIndit, &QPushButton::clicked, this, &Tfrm_Atvetel::aInditExecute);
    connect(btnBezar, &QPushButton::clicked, this, &Tfrm_Atvetel::reject);
}

void Tfrm_Atvetel::savokAlaphelyzet()
{
    for (QProgressBar* s : std::as_const(m_savok)) {
        s->setRange(0, 1);
        s->setValue(0);
        s->setFormat(QString());
    }
}

void Tfrm_Atvetel::MappaValaszt()
{
    const QString m = parbeszed().mappaValasztas(this, QStringLiteral("A régi adatmappa"), EditRegi->text());
    if (m.isEmpty()) return;
    EditRegi->setText(QDir::toNativeSeparators(m));
    btnIndit->setFocus();
}

void Tfrm_Atvetel::ZipValaszt()
{
    const QString f = parbeszed().megnyitandoFajl(this, QStringLiteral("A régi adatmappa zip fájlja"),
                                                  QFileInfo(EditRegi->text()).absolutePath(),
                                                  QStringLiteral("Zip fájlok (*.zip)"));
    if (f.isEmpty()) return;
    EditRegi->setText(QDir::toNativeSeparators(f));
    btnIndit->setFocus();
}

void Tfrm_Atvetel::IniValaszt()
{
    const QString kiindulo = EditIni->text().isEmpty() ? EditRegi->text() : EditIni->text();
    const QString f = parbeszed().megnyitandoFajl(this, QStringLiteral("A régi beállításfájl"),
                                                  QFileInfo(kiindulo).absolutePath(),
                                                  QStringLiteral("Beállításfájlok (*.ini);;Minden fájl (*)"));
    if (f.isEmpty()) return;
    EditIni->setText(QDir::toNativeSeparators(f));
    btnIndit->setFocus();
}

void Tfrm_Atvetel::aInditExecute()
{
    if (m_fut) return;
    // Once taken over the database holds the shop's data: Enter only closes.
    if (m_atvette) {
        accept();
        return;
    }
    const QString regi = EditRegi->text().trimmed();
    if (regi.isEmpty()) {
        HibaAblak(QStringLiteral("Adja meg a régi adatmappát vagy annak zip fájlját."), this);
        EditRegi->setFocus();
        return;
    }
    Atvetel::Beallitasok b;
    b.regi = QDir::fromNativeSeparators(regi);
    b.ini = QDir::fromNativeSeparators(EditIni->text().trimmed());
    b.csere = true;

    savokAlaphelyzet();
    MemoEredmeny->clear();
    LabelAllapot->setText(QStringLiteral("Átvétel folyamatban…"));
    for (QWidget* w : std::initializer_list<QWidget*>{EditRegi, EditIni, btnMappa, btnZip, btnIni, btnIndit, btnBezar})
        w->setEnabled(false);
    m_fut = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);

    const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
    QElapsedTimer ora;
    ora.start();
    // The callback comes at each table's start and end and every few
    // thousand rows; the window is painted at most a few times a second.
    const Atvetel::Jelzes jelzes = [&](const QString& tabla, qint64 kesz, qint64 osszes) {
        if (QProgressBar* s = m_savok.value(tabla)) {
            // Percent steps: a row count may be past what the bar holds.
            s->setRange(0, 1000);
            s->setValue(osszes > 0 ? int(kesz * 1000 / osszes) : (kesz > 0 || tabla != Indexek ? 1000 : 0));
            s->setFormat(tabla == Indexek ? (kesz >= osszes ? QStringLiteral("kész") : QStringLiteral("épül…"))
                                          : QStringLiteral("%1 / %2").arg(hu.toString(kesz), hu.toString(osszes)));
        }
        if (ora.elapsed() >= 100 || kesz == 0) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            ora.restart();
        }
    };
    Atvetel::Eredmeny e;
    QString hiba;
    const bool kesz = Atvetel::atvesz(ProgramUtvonal(), b, &e, &hiba, jelzes);

    QApplication::restoreOverrideCursor();
    m_fut = false;
    for (QWidget* w : std::initializer_list<QWidget*>{EditRegi, EditIni, btnMappa, btnZip, btnIni, btnIndit, btnBezar})
        w->setEnabled(true);
    if (!kesz) {
        // Nothing was written: the window is as it was before the start.
        savokAlaphelyzet();
        LabelAllapot->setText(QStringLiteral("Az átvétel elmaradt, az adatbázis nem változott."));
        HibaAblak(hiba, this);
        EditRegi->setFocus();
        return;
    }
    m_atvette = true;
    // The tables the folder did not have, or that start empty, say so.
    for (const Atvetel::TablaSzam& t : std::as_const(e.tablak)) {
        QProgressBar* s = m_savok.value(t.tabla);
        if (!s) continue;
        if (t.fajl.isEmpty()) s->setFormat(QStringLiteral("nincs a régi mappában"));
        // The label run's work table is not taken over: it starts empty.
        else if (t.tabla == QLatin1String("vkod")) s->setFormat(QStringLiteral("munkatábla, üresen indul"));
        else if (t.olvasott == 0 && t.irt == 0) s->setFormat(QStringLiteral("üres"));
        else continue;
        s->setRange(0, 1);
        s->setValue(t.fajl.isEmpty() ? 0 : 1);
    }
    MemoEredmeny->setPlainText(Atvetel::jelentes(e));
    LabelAllapot->setText(QStringLiteral("Az átvétel kész: a program az új adatokkal indul, amint bezárja az ablakot."));
    for (QWidget* w : std::initializer_list<QWidget*>{EditRegi, EditIni, btnMappa, btnZip, btnIni, btnIndit})
        w->setEnabled(false);
    btnBezar->setDefault(true);
    btnBezar->setFocus();
}

void Tfrm_Atvetel::reject()
{
    if (m_fut) return;   // the take-over runs to its end (all or nothing)
    if (m_atvette) {
        accept();
        return;
    }
    QDialog::reject();
}

void Tfrm_Atvetel::closeEvent(QCloseEvent* e)
{
    if (m_fut) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

bool RegiAdatokAtvetele(QWidget* szulo)
{
    Tfrm_Atvetel a(szulo);
    a.exec();
    return a.atvette();
}

#include "windows/reports/tfrm_hatarolt.h"
#include "windows/common/bevitel.h"
#include "print/common/parbeszed.h"
#include "print/common/uzenet.h"
#include "core/data/beallitas.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QGroupBox* valasztoCsoport(QWidget* szulo, const char* nev, const QString& cim, const QList<Hatarolt::Valasztas>& v,
                           QButtonGroup*& gombok)
{
    auto* g = new QGroupBox(cim, szulo);
    g->setObjectName(QLatin1String(nev));
    auto* l = new QVBoxLayout(g);
    l->setSpacing(2);
    gombok = new QButtonGroup(g);
    for (int i = 0; i < v.size(); ++i) {
        auto* r = new QRadioButton(v.at(i).felirat, g);
        gombok->addButton(r, i);
        l->addWidget(r);
    }
    gombok->button(0)->setChecked(true);
    return g;
}

} // namespace

Tfrm_Hatarolt::Tfrm_Hatarolt(Hatarolt::Forras forras, const QString& fajlNev, QWidget* szulo)
    : QDialog(szulo), m_forras(std::move(forras))
{
    setObjectName("Tfrm_Hatarolt");
    setWindowTitle(QStringLiteral("Határolt szöveg export"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName("CheckListBox1");
    for (const QString& m : m_forras.mezok) {
        auto* e = new QListWidgetItem(m, CheckListBox1);
        e->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        e->setCheckState(Qt::Checked);
    }

    RadioGroup2 = valasztoCsoport(this, "RadioGroup2", QStringLiteral("Határoló karakter"), Hatarolt::Elvalasztok(), Elvalaszto);
    RadioGroup1 = valasztoCsoport(this, "RadioGroup1", QStringLiteral("Szövegjelölő"), Hatarolt::Jelolok(), Jelolo);

    auto* cimke = new QLabel(QStringLiteral("Filenév"), this);
    Edit1 = new QLineEdit(fajlNev, this);
    Edit1->setObjectName("Edit1");
    cimke->setBuddy(Edit1);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setIcon(QIcon::fromTheme(QStringLiteral("document-open-folder"),
                                           style()->standardIcon(QStyle::SP_DirOpenIcon)));
    SpeedButton1->setToolTip(QStringLiteral("Mentés másként"));

    Button1 = new QPushButton(QStringLiteral("Export indítás"), this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button3 = new QPushButton(QStringLiteral("Megállít"), this);
    Button3->setObjectName("Button3");
    Button3->setEnabled(false);
    Button2 = new QPushButton(QStringLiteral("Bezár"), this);
    Button2->setObjectName("Button2");

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);

    auto* jobb = new QVBoxLayout;
    auto* valasztok = new QHBoxLayout;
    valasztok->addWidget(RadioGroup2);
    valasztok->addWidget(RadioGroup1);
    jobb->addLayout(valasztok);
    jobb->addSpacing(6);
    jobb->addWidget(cimke);
    auto* fajlSor = new QHBoxLayout;
    fajlSor->addWidget(Edit1, 1);
    fajlSor->addWidget(SpeedButton1);
    jobb->addLayout(fajlSor);
    jobb->addStretch(1);
    auto* gombok = new QHBoxLayout;
    gombok->addWidget(Button3);
    gombok->addStretch(1);
    gombok->addWidget(Button1);
    gombok->addWidget(Button2);
    jobb->addLayout(gombok);

    auto* fo = new QHBoxLayout;
    fo->addWidget(CheckListBox1);
    fo->addLayout(jobb, 1);
    auto* elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(8, 8, 8, 4);
    elrendezes->addLayout(fo, 1);
    elrendezes->addWidget(ProgressBar1);

    CheckListBox1->setFixedWidth(170);
    setFixedSize(QSize(520, 270).expandedTo(sizeHint()));
    FokuszSzinAlkalmaz(this);
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());

    connect(Button1, &QPushButton::clicked, this, &Tfrm_Hatarolt::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &Tfrm_Hatarolt::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &Tfrm_Hatarolt::reject);
    connect(SpeedButton1, &QToolButton::clicked, this, &Tfrm_Hatarolt::SpeedButton1Click);
}

namespace {

// A bare or relative name is in the program folder, not wherever the program
// happened to be started from (the home folder, cron's folder).
QString TeljesFajlNev(const QString& nev)
{
    return QDir::cleanPath(QDir(ProgramUtvonal()).absoluteFilePath(nev));
}

} // namespace

void Tfrm_Hatarolt::SpeedButton1Click()
{
    QString n = parbeszed().mentendoFajl(
        this, QString(), TeljesFajlNev(Edit1->text()),
        QStringLiteral("CSV állományok (*.csv);;Text állományok (*.txt);;Minden állomány (*.*)"));
    if (n.isEmpty()) return;
    // The dialog's default extension.
    if (QFileInfo(n).suffix().isEmpty()) n += QStringLiteral(".csv");
    Edit1->setText(n);
}

void Tfrm_Hatarolt::Button3Click() { m_fut = false; }

void Tfrm_Hatarolt::Button1Click()
{
    // A second press while one export runs does nothing: one file, one export.
    if (m_fut) return;
    if (Edit1->text().isEmpty()) {
        HibaAblak(QStringLiteral("Nincs filenév megadva."), this);
        Edit1->setFocus();
        return;
    }
    const QString fajl = TeljesFajlNev(Edit1->text());
    Hatarolt::Beallitas b;
    b.elvalaszto = Hatarolt::Elvalasztok().value(Elvalaszto->checkedId()).jel;
    b.jelolo = Hatarolt::Jelolok().value(Jelolo->checkedId()).jel;
    for (int i = 0; i < CheckListBox1->count(); ++i) b.kijelolt << (CheckListBox1->item(i)->checkState() == Qt::Checked);

    Button3->setEnabled(true);
    m_fut = true;
    m_eredmeny = {};
    bool kesz = false;
    try {
        const qint64 osszes = Hatarolt::SorokSzama(m_forras);
        ProgressBar1->setMaximum(int(std::min<qint64>(osszes, std::numeric_limits<int>::max())));
        ProgressBar1->setValue(0);
        // The window stays alive while it writes (so that "Megállít" can be
        // pressed), looking at its events a few dozen times a second.
        QElapsedTimer ora;
        ora.start();
        m_eredmeny = Hatarolt::Ir(m_forras, b, fajl, [&](qint64 db) {
            if (ora.elapsed() >= 30) {
                QCoreApplication::processEvents();
                ora.restart();
            }
            if (!m_fut) return false;
            if (db < ProgressBar1->maximum()) ProgressBar1->setValue(int(db + 1));
            return true;
        });
        kesz = true;
        // Stopped: on the row that was next; walked through: on the last.
        m_vegSor = std::min(m_eredmeny.sorok, osszes - 1);
    } catch (const AdatbazisHiba& e) {
        HibaAblak(QStringLiteral("Hiba: ") + e.uzenet(), this);
    }
    ProgressBar1->setValue(0);
    m_fut = false;
    Button3->setEnabled(false);
    if (kesz) {
        UzenetAblak(QDir::toNativeSeparators(fajl) + QStringLiteral(" file export kész."), this);
        if (m_eredmeny.csereltErtekek > 0) FigyelmeztetesAblak(Hatarolt::CsereUzenet(m_eredmeny.csereltErtekek), this);
    }
    if (m_bezarUtana) QDialog::reject();
}

void Tfrm_Hatarolt::reject()
{
    // Closing while an export runs stops it first; the window closes once
    // the file is written.
    if (m_fut) {
        m_fut = false;
        m_bezarUtana = true;
        return;
    }
    QDialog::reject();
}

qint64 HataroltExport(QWidget* szulo, const Hatarolt::Forras& forras, const QString& fajlNev)
{
    Tfrm_Hatarolt ablak(forras, fajlNev, szulo);
    ablak.exec();
    return ablak.vegSor();
}

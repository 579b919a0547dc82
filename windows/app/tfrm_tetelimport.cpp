#include "windows/app/tfrm_tetelimport.h"
#include "windows/common/bevitel.h"
#include "windows/common/kodszerkeszto.h"
#include "windows/common/muvelet.h"
#include "print/common/parbeszed.h"
#include "print/common/uzenet.h"
#include "core/data/beallitas.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>
#include <QVBoxLayout>

Tfrm_TetelImport::Tfrm_TetelImport(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_TetelImport");
    setWindowTitle(QStringLiteral("Cikktörzs frissítés"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    aImport = MuveletKeszit(this, "aImport", QStringLiteral("Import indítása"));
    aBezar = MuveletKeszit(this, "aBezar", QStringLiteral("Bezár"), {QKeySequence(Qt::Key_Escape)});
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->addAction(aImport);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aBezar);

    GroupBox1 = new QGroupBox(QStringLiteral("Betöltendő file"), this);
    GroupBox1->setObjectName("GroupBox1");
    auto* cimke = new QLabel(QStringLiteral("File teljes elérési útja"), GroupBox1);
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName("Edit1");
    // Only a file chosen in the open dialog is loaded: a path typed here
    // would look loaded while the editor still held something else.
    Edit1->setReadOnly(true);
    cimke->setBuddy(Edit1);
    BitBtn1 = new QPushButton(GroupBox1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setIcon(QIcon::fromTheme(QStringLiteral("document-open-folder"),
                                      style()->standardIcon(QStyle::SP_DirOpenIcon)));
    BitBtn1->setToolTip(QStringLiteral("Cikktörzs import"));
    BitBtn1->setAutoDefault(false);
    Label2 = new QLabel(QStringLiteral("MINTAADAT!\nBetöltendő mezők sorban:\n"
                                       "kód, típuskód, árkat kód, cím, szöveg, műfaj kód, besz.ár"),
                        GroupBox1);
    Label2->setObjectName("Label2");
    LabelKodolas = new QLabel(GroupBox1);
    LabelKodolas->setObjectName("LabelKodolas");
    BitBtn2 = new QPushButton(QStringLiteral("Import indítása"), GroupBox1);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setIcon(aImport->icon());
    BitBtn2->setAutoDefault(false);

    auto* racs = new QGridLayout(GroupBox1);
    racs->addWidget(cimke, 0, 0, 1, 2);
    // The folder button as wide as its picture, beside the path.
    auto* utvonalSor = new QHBoxLayout;
    utvonalSor->addWidget(Edit1, 1);
    utvonalSor->addWidget(BitBtn1);
    racs->addLayout(utvonalSor, 1, 0, 1, 2);
    racs->addWidget(LabelKodolas, 2, 0, 1, 2);
    racs->addWidget(Label2, 3, 0);
    racs->addWidget(BitBtn2, 3, 1, Qt::AlignBottom | Qt::AlignRight);
    racs->setColumnStretch(0, 1);

    SynEdit1 = new KodSzerkeszto(this);
    SynEdit1->setObjectName("SynEdit1");
    QFont betu;
    betu.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")});
    betu.setStyleHint(QFont::Monospace);
    betu.setFixedPitch(true);
    betu.setPointSize(10);
    SynEdit1->setFont(betu);
    SynEdit1->aktualisSorSzin(QColor(0xFF, 0xFF, 0xCE));
    SynEdit1->sqlSzinezes(false);
    SynEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    SynEdit1->setPlainText(MintaSzoveg());

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximum(1);
    ProgressBar1->setValue(0);

    auto* elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(0, 0, 0, 0);
    elrendezes->setSpacing(4);
    elrendezes->addWidget(ToolBar1);
    auto* belso = new QVBoxLayout;
    belso->setContentsMargins(8, 0, 8, 8);
    belso->addWidget(GroupBox1);
    belso->addWidget(SynEdit1, 1);
    belso->addWidget(ProgressBar1);
    elrendezes->addLayout(belso, 1);

    setFixedSize(QSize(620, 480).expandedTo(sizeHint()));
    FokuszSzinAlkalmaz(this);
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());

    connect(aImport, &QAction::triggered, this, &Tfrm_TetelImport::aImportExecute);
    connect(aBezar, &QAction::triggered, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, &Tfrm_TetelImport::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, aImport, &QAction::trigger);
}

QString Tfrm_TetelImport::MintaSzoveg()
{
    return QStringLiteral("kód;tipus;arkat;cím;szöveg;mufaj;beszar;\n"
                          "1009;1;1;Hófehérke;;4;2000;\n"
                          "1010;2;3;Shrek;;4;;\n"
                          "1011;1;1;Shrek 2.;;4;;\n"
                          "1012;2;3;Keresztapa;;4;;");
}

void Tfrm_TetelImport::BitBtn1Click()
{
    const QString mappa = Edit1->text().isEmpty() ? ProgramUtvonal() : QFileInfo(Edit1->text()).absolutePath();
    QString fajl = parbeszed().megnyitandoFajl(this, QStringLiteral("Cikktörzs import"), mappa,
                                               QStringLiteral("CSV file-ok (*.csv)"));
    if (fajl.isEmpty()) return;
    // The dialog's default extension: a name typed without one means the .csv file.
    if (!QFileInfo::exists(fajl) && QFileInfo(fajl).suffix().isEmpty()) fajl += QStringLiteral(".csv");
    FajlBetolt(fajl);
}

bool Tfrm_TetelImport::FajlBetolt(const QString& fajl)
{
    TetelImport::Beolvasott b;
    if (!Vedett([&] { b = TetelImport::FajlOlvas(fajl); }, this)) return false;
    Edit1->setText(QFileInfo(fajl).absoluteFilePath());
    SynEdit1->setPlainText(b.szoveg);
    LabelKodolas->setText(QStringLiteral("A file kódolása: %1").arg(TetelImport::KodolasNev(b.kodolas)));
    return true;
}

void Tfrm_TetelImport::aImportExecute()
{
    const QString szoveg = SynEdit1->toPlainText();
    const qsizetype sorok = TetelImport::Sorok(szoveg).size();
    ProgressBar1->setMaximum(int(std::clamp<qsizetype>(sorok - 1, 1, std::numeric_limits<int>::max())));
    ProgressBar1->setValue(0);
    TetelImport::Eredmeny e;
    int hibasSor = 0;
    const bool kesz = Vedett(
        [&] {
            try {
                e = TetelImport::Importal(szoveg, [&](qint64 kesz, qint64) { ProgressBar1->setValue(int(kesz)); });
            } catch (const TetelImport::SorHiba& h) {
                hibasSor = h.sor();
                throw;
            }
        },
        this);
    ProgressBar1->setValue(0);
    if (!kesz) {
        // To the refused line, to be corrected there.
        if (hibasSor > 0) {
            QTextCursor c(SynEdit1->document()->findBlockByNumber(hibasSor - 1));
            SynEdit1->setTextCursor(c);
            SynEdit1->setFocus();
        }
        return;
    }
    if (e.tetelek > 0 && importalva) importalva(e.utolsoKulcs);
    UzenetAblak(e.tetelek > 0 ? QStringLiteral("%1 tétel importálva.").arg(e.tetelek)
                              : QStringLiteral("Nincs importálandó sor: az első sor fejléc, utána nincs adat."),
                this);
}

void TetelImportMegnyit(QWidget* szulo, std::function<void(qint64)> importalva)
{
    Tfrm_TetelImport a(szulo);
    a.importalva = std::move(importalva);
    a.exec();
}

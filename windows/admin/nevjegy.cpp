#include "windows/admin/nevjegy.h"
#include "core/common/keszito.h"
#include "windows/common/kozepre.h"

#include <QApplication>
#include <QBitmap>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

// The grey that the splash shows as transparent.
const QRgb Atlatszo = qRgb(0x80, 0x80, 0x80);

} // namespace

QPixmap ProgramKep(int meret)
{
    QImageReader r(QStringLiteral(":/kazettora/kazettora.svg"));
    r.setScaledSize(QSize(meret, meret));
    return QPixmap::fromImage(r.read());
}

// ---- splash ---------------------------------------------------------------------

QImage Tfrm_Logo::Rajz()
{
    QImage k(400, 240, QImage::Format_RGB32);
    k.fill(Atlatszo);
    QPainter g(&k);
    // The card's edge is drawn without smoothing: a blend of grey and the
    // card's colour would stay as a grey fringe once the grey is gone.
    QPainterPath kartya;
    kartya.addRoundedRect(QRectF(8, 8, 384, 224), 18, 18);
    g.fillPath(kartya, QColor(0x2d, 0x3a, 0x4a));
    QPainterPath belso;
    belso.addRoundedRect(QRectF(14, 14, 372, 212), 14, 14);
    g.fillPath(belso, QColor(0xf2, 0xe6, 0xc9));

    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);
    g.setRenderHint(QPainter::SmoothPixmapTransform);
    // A strip of film holes along the top and the bottom.
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x2d, 0x3a, 0x4a));
    g.drawRect(QRectF(14, 24, 372, 20));
    g.drawRect(QRectF(14, 196, 372, 20));
    g.setBrush(QColor(0xf2, 0xe6, 0xc9));
    for (int x = 26; x < 380; x += 24) {
        g.drawRoundedRect(QRectF(x, 29, 12, 10), 2, 2);
        g.drawRoundedRect(QRectF(x, 201, 12, 10), 2, 2);
    }

    const QPixmap kazetta = ProgramKep(132);
    if (!kazetta.isNull()) g.drawPixmap(30, 54, kazetta);

    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setBold(true);
    f.setPixelSize(40);
    g.setFont(f);
    g.setPen(QColor(0x2d, 0x3a, 0x4a));
    g.drawText(QRectF(168, 72, 210, 48), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kazettora"));
    f.setBold(false);
    f.setPixelSize(16);
    g.setFont(f);
    g.setPen(QColor(0x6b, 0x4f, 0x2a));
    g.drawText(QRectF(170, 122, 210, 22), Qt::AlignLeft | Qt::AlignVCenter, u8("videotéka pultprogram"));
    f.setPixelSize(13);
    g.setFont(f);
    g.setPen(QColor(0x4a, 0x5a, 0x6e));
    g.drawText(QRectF(170, 150, 210, 20), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(Keszito::Verzio));
    return k;
}

Tfrm_Logo::Tfrm_Logo(QWidget* szulo, int ido) : QWidget(szulo)
{
    setObjectName("Tfrm_Logo");
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                   | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(400, 240);

    Kep = Rajz().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < Kep.height(); ++y) {
        auto* sor = reinterpret_cast<QRgb*>(Kep.scanLine(y));
        for (int x = 0; x < Kep.width(); ++x)
            if ((sor[x] & RGB_MASK) == (Atlatszo & RGB_MASK)) sor[x] = 0;
    }
    // Where the window system cannot blend, the window's shape leaves the
    // grey out all the same (the offscreen platform has no shapes to set).
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        setMask(QBitmap::fromImage(Kep.createAlphaMask()));

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    Timer1->setInterval(ido);
    connect(Timer1, &QTimer::timeout, this, &QWidget::close);
    Kozepre(this);
}

void Tfrm_Logo::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    qApp->installEventFilter(this);
    Timer1->start();
}

bool Tfrm_Logo::eventFilter(QObject* o, QEvent* e)
{
    // Staying on top, it would hide whatever the operator opens now.
    if (e->type() == QEvent::Show && o != this && o != parent() && o->isWidgetType()) {
        const auto* w = static_cast<QWidget*>(o);
        if (w->isWindow() && w->windowType() != Qt::ToolTip) {
            qApp->removeEventFilter(this);
            close();
        }
    }
    return QWidget::eventFilter(o, e);
}

void Tfrm_Logo::paintEvent(QPaintEvent*)
{
    QPainter g(this);
    g.setCompositionMode(QPainter::CompositionMode_Source);
    g.drawImage(0, 0, Kep);
}

Tfrm_Logo* LogoMutat(QWidget* szulo)
{
    auto* l = new Tfrm_Logo(szulo);
    l->show();
    return l;
}

// ---- read-me ----------------------------------------------------------------------

QString Tfrm_Readme::Szoveg()
{
    using namespace Keszito;
    return u8("Kazettora program\n"
              "------------------------------------------------------------\n"
              "Fontos információk\n"
              "------------------------------------------------------------\n"
              "\n"
              "1. Belépés\n"
              "\n"
              "Az átadott adatbázisba az alábbi felhasználóval lehet belépni:\n"
              "felhasználó: \"rendszergazda\"\n"
              "jelszó: \"talpfak\"\n"
              "Mindkettőben számít a kis- és nagybetű!\n"
              "Az első belépés után a jelszót a belépő ablak \"Új jelszó\" gombjával érdemes\n"
              "azonnal megváltoztatni, a további felhasználókat pedig a Rendszer / Felhasználók\n"
              "menüpontban lehet felvenni.\n"
              "\n"
              "2. Hardware / Software igény\n"
              "\n"
              "A program Debian 12 (bookworm) Linuxon, grafikus felülettel fut; bármely\n"
              "számítógép megfelel, amelyen a Debian 12 grafikus felülete elfut. A képernyő\n"
              "legalább 1024×768 képpontos legyen. A nyomtatáshoz a rendszer alapértelmezett\n"
              "nyomtatója kell (CUPS).\n"
              "\n"
              "A program a hálózatot nem használja, és a hálózaton keresztüli használatot nem\n"
              "támogatja: egy adatmappát egyszerre csak egy számítógép használhat.\n"
              "\n"
              "A programon kívül semmit nem kell telepíteni: a szükséges Debian-csomagokat\n"
              "a programmal adott scripts/fuggosegek.sh rakja fel.\n"
              "\n"
              "Egy számítógépen a program több példánya is futhat, mindegyik a saját\n"
              "mappájába telepítve, a saját beállításaival (Kazettora.ini), adataival (Data)\n"
              "és archívumaival (Archiv). Így például két üzlet nyilvántartása is vezethető\n"
              "egymás mellett:\n"
              "    kazettora --program-dir /home/bolt/Uzlet1\n"
              "    kazettora --program-dir /home/bolt/Uzlet2\n"
              "Új példány mappáját a --setup kapcsoló készíti el:\n"
              "    kazettora --program-dir /home/bolt/Uzlet2 --setup\n"
              "\n"
              "3. Elérhetőség\n"
              "\n")
        + u8(Nev) + '\n'
        + u8("Ügyfélfogadás: ") + u8(Ugyfelfogadas) + '\n'
        + u8("Telefon: ") + u8(Telefon) + '\n'
        + u8("Mobil: ") + u8(Mobil) + '\n'
        + u8("Honlap: ") + u8(Honlap) + '\n'
        + u8("E-mail: ") + u8(Level) + '\n';
}

Tfrm_Readme::Tfrm_Readme(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_Readme");
    setWindowTitle(u8("Fontos információk"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setPlainText(Szoveg());
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(Memo1);
    resize(552, 399);
    Kozepre(this);
}

// ---- about ------------------------------------------------------------------------

namespace {

QLabel* cimke(const QString& szoveg, const char* hatter, QWidget* szulo, bool felkover = false)
{
    auto* l = new QLabel(szoveg, szulo);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(QLatin1String(hatter)));
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    l->setContentsMargins(6, 3, 6, 3);
    if (felkover) {
        QFont f = l->font();
        f.setBold(true);
        f.setPointSize(f.pointSize() + 2);
        l->setFont(f);
    }
    return l;
}

} // namespace

Tfrm_Nevjegy::Tfrm_Nevjegy(QWidget* szulo) : QDialog(szulo)
{
    using namespace Keszito;
    setObjectName("Tfrm_Nevjegy");
    setWindowTitle(u8("Névjegy"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);

    auto* Panel2 = new QFrame(Panel1);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setAutoFillBackground(true);
    QPalette p = Panel2->palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xD0, 0xAE));
    Panel2->setPalette(p);
    auto* Image1 = new QLabel(Panel2);
    Image1->setObjectName("Image1");
    Image1->setPixmap(ProgramKep(64));
    auto* kepHely = new QVBoxLayout(Panel2);
    kepHely->setContentsMargins(6, 6, 6, 6);
    kepHely->addWidget(Image1);

    lblNev = cimke(QStringLiteral("Kazettora"), "#C0DCC0", Panel1, true);
    lblNev->setObjectName("lblNev");
    lblVerzio = cimke(QString::fromLatin1(Verzio), "#C0DCC0", Panel1);
    lblVerzio->setObjectName("lblVerzio");
    for (QLabel* l : {lblNev, lblVerzio}) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* jobbFent = new QVBoxLayout;
    jobbFent->setSpacing(0);
    jobbFent->addWidget(lblNev);
    jobbFent->addWidget(lblVerzio);
    jobbFent->addStretch(1);

    auto* lblCim = cimke(QStringLiteral("Kazettora"), "#FFFBF0", Panel1, true);
    lblCim->setObjectName("lblCim");
    auto* lblLeiras = new QLabel(u8("Videotéka pultprogram: kölcsönzés, visszavétel, ügyfelek, tagdíjak,\n"
                                    "kassza, cikktörzs, nyomtatványok és vonalkódok."),
                                 Panel1);
    auto* lblElerhetoseg = cimke(u8("Elérhetőség"), "#FFFBF0", Panel1, true);
    lblElerhetoseg->setObjectName("lblElerhetoseg");
    auto* lblKapcsolat = new QLabel(u8(Nev) + '\n' + u8("Ügyfélfogadás: ") + u8(Ugyfelfogadas) + '\n'
                                        + u8("Telefon: ") + u8(Telefon) + u8(", mobil: ") + u8(Mobil) + '\n'
                                        + u8("Honlap: ") + u8(Honlap) + '\n' + u8("E-mail: ") + u8(Level),
                                    Panel1);
    lblKapcsolat->setObjectName("lblKapcsolat");
    lblKapcsolat->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* racs = new QGridLayout(Panel1);
    racs->setContentsMargins(10, 10, 10, 10);
    racs->setVerticalSpacing(8);
    racs->addWidget(Panel2, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    racs->addLayout(jobbFent, 0, 1);
    racs->addWidget(lblCim, 1, 0, 1, 2);
    racs->addWidget(lblLeiras, 2, 0, 1, 2);
    racs->addWidget(lblElerhetoseg, 3, 0, 1, 2);
    racs->addWidget(lblKapcsolat, 4, 0, 1, 2);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    auto* gombok = new QHBoxLayout;
    gombok->addStretch(1);
    gombok->addWidget(btnOK);
    gombok->addStretch(1);

    auto* elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(8, 8, 8, 8);
    elrendezes->addWidget(Panel1);
    elrendezes->addLayout(gombok);
    elrendezes->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    Kozepre(this);
}

void ReadmeMegnyit(QWidget* szulo)
{
    Tfrm_Readme f(szulo);
    f.exec();
}

void NevjegyMegnyit(QWidget* szulo)
{
    Tfrm_Nevjegy f(szulo);
    f.exec();
}

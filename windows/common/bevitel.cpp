#include "windows/common/bevitel.h"
#include "core/data/konverzio.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QApplication>
#include <QAction>
#include <QAbstractItemView>
#include <QStyle>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {

bool szerkeszto(QWidget* w)
{
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w);
}

class FokuszSzur : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
            auto* w = static_cast<QWidget*>(o);
            QPalette p = w->palette();
            const QPalette alap = w->style() ? w->style()->standardPalette() : QPalette();
            // A closed drop-down list paints with the button colour.
            for (QPalette::ColorRole r : {QPalette::Base, QPalette::Button})
                p.setColor(r, e->type() == QEvent::FocusIn ? FokuszSzin : alap.color(r));
            w->setPalette(p);
        }
        return false;
    }
};

class EnterSzur : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) || k->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) return false;
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !qobject_cast<QCheckBox*>(w)) {
            // A push button is pressed, so a row typed with the keyboard
            // alone is saved by Enter on "OK"; a radio button is left to its
            // window. A check box moves on like a field: a Space pressed
            // there "to confirm" would tick it.
            if (b->isCheckable()) return false;
            if (b->isEnabled()) b->click();
            return true;
        }
        if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->view() && cb->view()->isVisible()) return false;
        // The next tab stop of the window, as Tab would go. The parts of a
        // compound control (the edit line inside a date picker) hand the
        // focus back to it, so they are no next control.
        QWidget* kov = w->nextInFocusChain();
        while (kov && kov != w && !tabMegallo(w, kov)) kov = kov->nextInFocusChain();
        if (kov && kov != w) kov->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    static bool tabMegallo(QWidget* innen, QWidget* w)
    {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisible()) return false;
        if (innen->isAncestorOf(w)) return false;
        for (QWidget* p = w->focusProxy(); p; p = p->focusProxy())
            if (p == innen) return false;
        return true;
    }
};

} // namespace

void FokuszSzinAlkalmaz(QWidget* ablak)
{
    auto* szuro = new FokuszSzur(ablak);
    for (QWidget* w : ablak->findChildren<QWidget*>())
        if (szerkeszto(w)) w->installEventFilter(szuro);
}

void EnterTovabbAlkalmaz(QWidget* ablak)
{
    auto* szuro = new EnterSzur(ablak);
    for (QWidget* w : ablak->findChildren<QWidget*>()) w->installEventFilter(szuro);
}

namespace {

class ElsobbsegSzur : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::ShortcutOverride) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        const QKeySequence billentyu(k->keyCombination());
        QWidget* ablak = static_cast<QWidget*>(o)->window();
        QList<QAction*> muveletek = ablak->findChildren<QAction*>();
        for (QAction* a : muveletek) {
            if (!a->isEnabled()) continue;
            for (const QKeySequence& s : a->shortcuts())
                if (s.matches(billentyu) == QKeySequence::ExactMatch) {
                    e->ignore();
                    return true;
                }
        }
        return false;
    }
};

// Stops typing at a field's limit, counted in characters (code points).
class KorlatSzur : public QObject {
public:
    KorlatSzur(QLineEdit* mezo, int hossz) : QObject(mezo), hossz(hossz) {}
    int hossz;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        const QString t = k->text();
        if (t.isEmpty() || t.at(0).unicode() < 0x20 || t.at(0).unicode() == 0x7f) return false;
        if (k->matches(QKeySequence::Paste)) return false;
        auto* m = static_cast<QLineEdit*>(o);
        QString uj = m->text();
        int hol = m->cursorPosition();
        if (m->hasSelectedText()) {
            hol = m->selectionStart();
            uj.remove(hol, m->selectedText().size());
        }
        uj.insert(hol, t);
        // A full field takes no more typing, as any text field with a limit.
        return KarakterSzam(uj) > hossz && KarakterSzam(uj) > KarakterSzam(m->text());
    }
};

} // namespace

void KarakterKorlat(QLineEdit* mezo, int hossz)
{
    mezo->setMaxLength(32767);   // QLineEdit's default: no cut of its own
    for (QObject* o : mezo->children()) {
        if (auto* sz = dynamic_cast<KorlatSzur*>(o)) {
            sz->hossz = hossz;
            return;
        }
    }
    mezo->installEventFilter(new KorlatSzur(mezo, hossz));
}

void MuveletElsobbseg(QWidget* mezo)
{
    mezo->installEventFilter(new ElsobbsegSzur(mezo));
}

BetuMeret AtlagosBetu(const QFontMetrics& fm)
{
    const QString betuk = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {fm.horizontalAdvance(betuk) / 52, fm.height()};
}

namespace {

class KeresoSzuro : public QObject {
public:
    KeresoSzuro(QLineEdit* mezo, QAbstractItemView* racs) : QObject(mezo), m_racs(racs) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress) return false;
        switch (static_cast<QKeyEvent*>(e)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(m_racs, e);
            return true;
        default:
            return false;
        }
    }
private:
    QAbstractItemView* m_racs;
};

} // namespace

void KeresoMezo(QLineEdit* mezo, QAbstractItemView* racs) { mezo->installEventFilter(new KeresoSzuro(mezo, racs)); }

void CsakSzamjegy(QLineEdit* mezo, bool be)
{
    // A validator judges the text as it would become, so a paste with a
    // letter in it is refused whole, like a typed letter.
    static const QRegularExpression szamjegyek(QStringLiteral("[0-9]*"));
    auto* v = mezo->findChild<QRegularExpressionValidator*>(QStringLiteral("CsakSzamjegy"));
    if (!v) {
        v = new QRegularExpressionValidator(szamjegyek, mezo);
        v->setObjectName(QStringLiteral("CsakSzamjegy"));
    }
    mezo->setValidator(be ? v : nullptr);
}

int CimSzelesseg(const QString& cim)
{
    QFont f = QApplication::font();
    f.setBold(true);
    f.setPointSizeF(std::max(11.0, f.pointSizeF()));
    return QFontMetrics(f).horizontalAdvance(cim) + 120;
}

ValasztoElemek ValasztoDialogus(QDialog* d, const QString& csoportCim, const QStringList& feliratok,
                                const QString& nevElotag, QRadioButton** valasztasok)
{
    d->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint);
    ValasztoElemek e{};
    e.csoport = new QGroupBox(csoportCim, d);
    e.csoport->setObjectName("RadioGroup1");
    auto* sorok = new QVBoxLayout(e.csoport);
    e.gombok = new QButtonGroup(d);
    for (int i = 0; i < feliratok.size(); ++i) {
        valasztasok[i] = new QRadioButton(feliratok[i], e.csoport);
        valasztasok[i]->setObjectName(nevElotag + QString::number(i));
        e.gombok->addButton(valasztasok[i], i);
        sorok->addWidget(valasztasok[i]);
    }
    valasztasok[0]->setChecked(true);

    e.ok = new QPushButton(QStringLiteral("OK"), d);
    e.ok->setObjectName("btnOK");
    e.ok->setDefault(true);
    e.megsem = new QPushButton(QStringLiteral("Mégsem"), d);
    e.megsem->setObjectName("btnMegsem");
    QObject::connect(e.ok, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(e.megsem, &QPushButton::clicked, d, &QDialog::reject);

    auto* gombsor = new QHBoxLayout;
    gombsor->addStretch(1);
    gombsor->addWidget(e.ok);
    gombsor->addWidget(e.megsem);
    gombsor->addStretch(1);
    auto* elrendezes = new QVBoxLayout(d);
    elrendezes->setContentsMargins(12, 10, 12, 12);
    elrendezes->setSpacing(12);
    elrendezes->addWidget(e.csoport);
    elrendezes->addLayout(gombsor);

    // Wide enough for the caption in the title bar as well as the choices.
    d->setFixedSize(d->sizeHint().expandedTo(QSize(CimSzelesseg(d->windowTitle()), 0)));
    valasztasok[0]->setFocus();
    if (QScreen* s = QGuiApplication::primaryScreen())
        d->move(s->availableGeometry().center() - d->rect().center());
    return e;
}

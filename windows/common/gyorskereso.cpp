#include "windows/common/gyorskereso.h"
#include "windows/common/bevitel.h"
#include "print/common/parbeszed.h"
#include "print/common/uzenet.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

GyorsKereso::GyorsKereso(QLineEdit* mezo, GyorsKereses::Mod mod, Kereses kereses, QAbstractItemView* racs)
    : QObject(mezo), m_mezo(mezo), m_mod(mod), m_kereses(std::move(kereses)), m_racs(racs)
{
    MuveletElsobbseg(mezo);
    if (racs) KeresoMezo(mezo, racs);
    CsakSzamjegy(mezo, mod != GyorsKereses::Mod::Nev);
    mezo->installEventFilter(this);
    connect(mezo, &QLineEdit::textChanged, this, [this] { keres(); });
}

void GyorsKereso::modBeallit(GyorsKereses::Mod mod)
{
    m_mod = mod;
    CsakSzamjegy(m_mezo, mod != GyorsKereses::Mod::Nev);
}

void GyorsKereso::keres()
{
    const QString szoveg = m_mezo->text();
    if (m_racs && (m_elozo.isEmpty() || !szoveg.startsWith(m_elozo)))
        m_elotteSor = m_racs->currentIndex().isValid() ? m_racs->currentIndex().row() : -1;
    m_elozo = szoveg;
    const GyorsKereses::Kerdes k = GyorsKereses::Ertelmez(szoveg, m_mod);
    using T = GyorsKereses::Kerdes::Tipus;
    if (k.tipus == T::HibasVonalkod || k.tipus == T::UgyfelKartya || k.tipus == T::TetelCimke) visszaAll();
    m_talalt = false;
    if (k.tipus == GyorsKereses::Kerdes::Tipus::Semmi || !m_kereses) return;
    Vedett([&] { m_kereses(k); }, m_mezo->window());
    // A label of this list's kind that found nothing moves nothing either.
    if (!m_talalt && m_mod != GyorsKereses::Mod::Nev && GyorsKereses::CimkeOlvas(szoveg).fajta != GyorsKereses::Cimke::Fajta::Nem)
        visszaAll();
}

void GyorsKereso::visszaAll()
{
    QAbstractItemModel* m = m_racs ? m_racs->model() : nullptr;
    if (m && m_elotteSor >= 0 && m_elotteSor < m->rowCount() && m_racs->currentIndex().row() != m_elotteSor) {
        const QModelIndex i = m->index(m_elotteSor, std::max(0, m_racs->currentIndex().column()));
        m_racs->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_racs->scrollTo(i);
    }
}

QString GyorsKereso::enterHiba() const
{
    const QString szoveg = m_mezo->text();
    const GyorsKereses::Kerdes k = GyorsKereses::Ertelmez(szoveg, m_mod);
    QString hiba = GyorsKereses::CimkeHiba(k, szoveg);
    if (!hiba.isEmpty() || m_talalt || m_mod == GyorsKereses::Mod::Nev) return hiba;
    // A label of this list's own kind that found nothing (a typed code keeps its old way).
    const GyorsKereses::Cimke c = GyorsKereses::CimkeOlvas(szoveg);
    const QString kod = QStringLiteral("%1").arg(c.kod, 5, 10, QLatin1Char('0'));
    if (c.fajta == GyorsKereses::Cimke::Fajta::Tetel && m_mod == GyorsKereses::Mod::TetelKod)
        return QStringLiteral("Nincs %1 kódú tétel.").arg(kod);
    if (c.fajta == GyorsKereses::Cimke::Fajta::Ugyfel && m_mod == GyorsKereses::Mod::UgyfelKod)
        return QStringLiteral("Nincs %1 kódú ügyfél.").arg(kod);
    return {};
}

bool GyorsKereso::eventFilter(QObject* o, QEvent* e)
{
    // Selected after the focus has settled: a click would otherwise place
    // the cursor over the selection.
    if (o == m_mezo && e->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_mezo, [m = m_mezo] { m->selectAll(); });
    if (o == m_mezo && (e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride)) {
        // The scanner's Enter after a refused label: said, and nothing is
        // chosen with it (no window action takes it); the next label
        // replaces the text.
        const auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !(k->modifiers() & ~Qt::KeypadModifier)) {
            const QString hiba = enterHiba();
            if (!hiba.isEmpty() && e->type() == QEvent::ShortcutOverride) {
                e->accept();
                return true;
            }
            if (!hiba.isEmpty()) {
                parbeszed().hang();
                HibaAblak(hiba, m_mezo->window());
                m_mezo->selectAll();
                m_elozo.clear();
                return true;
            }
        }
    }
    return QObject::eventFilter(o, e);
}

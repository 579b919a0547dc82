#include "windows/common/gyorskereso.h"
#include "windows/common/bevitel.h"
#include "print/common/uzenet.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

GyorsKereso::GyorsKereso(QLineEdit* mezo, GyorsKereses::Mod mod, Kereses kereses, QAbstractItemView* racs)
    : QObject(mezo), m_mezo(mezo), m_mod(mod), m_kereses(std::move(kereses))
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
    const GyorsKereses::Kerdes k = GyorsKereses::Ertelmez(m_mezo->text(), m_mod);
    if (k.tipus == GyorsKereses::Kerdes::Tipus::Semmi || !m_kereses) return;
    Vedett([&] { m_kereses(k); }, m_mezo->window());
}

bool GyorsKereso::eventFilter(QObject* o, QEvent* e)
{
    // Selected after the focus has settled: a click would otherwise place
    // the cursor over the selection.
    if (o == m_mezo && e->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_mezo, [m = m_mezo] { m->selectAll(); });
    return QObject::eventFilter(o, e);
}

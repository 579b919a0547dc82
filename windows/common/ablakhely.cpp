#include "windows/common/ablakhely.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

AblakHely::AblakHely(QWidget* ablak, Hely hely) : QObject(ablak), m_ablak(ablak), m_hely(hely)
{
    ablak->installEventFilter(this);
}

void AblakHely::elottMegjelenik()
{
    if (m_kesz || m_ablak->testAttribute(Qt::WA_WState_Created)) return;
    beallit();
    m_kesz = true;
}

void AblakHely::megjelent()
{
    if (m_megmutatva) return;
    m_megmutatva = true;
    m_teljesKep = m_hely.teljesKep;
    if (!m_kesz) {
        beallit();
        m_kesz = true;
    }
    teljesKepIgazit();
}

AblakHely::Hely AblakHely::mentendo(const QWidget* ablak)
{
    return {false, ablak->frameGeometry().topLeft(), ablak->geometry().size()};
}

bool AblakHely::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_ablak && m_megmutatva && (e->type() == QEvent::Move || e->type() == QEvent::Resize))
        teljesKepIgazit();
    return false;
}

void AblakHely::beallit()
{
    if (m_hely.teljesKep) {
        // The frame is counted as far as it is known yet (teljesKepIgazit
        // follows it).
        const QRect munka = munkaterulet();
        m_keret = keretMeret();
        m_ablak->move(munka.topLeft());
        m_ablak->resize(munka.width() - m_keret.left() - m_keret.right(),
                        munka.height() - m_keret.top() - m_keret.bottom());
    } else {
        m_ablak->move(m_hely.sarok);
        m_ablak->resize(m_hely.meret);
    }
}

QRect AblakHely::munkaterulet() const
{
    QScreen* s = m_ablak->screen() ? m_ablak->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

QMargins AblakHely::keretMeret() const
{
    const QRect k = m_ablak->frameGeometry(), b = m_ablak->geometry();
    return QMargins(b.left() - k.left(), b.top() - k.top(), k.right() - b.right(), k.bottom() - b.bottom());
}

void AblakHely::teljesKepIgazit()
{
    if (!m_teljesKep || m_ablak->windowState() != Qt::WindowNoState || keretMeret() == m_keret) return;
    beallit();
}

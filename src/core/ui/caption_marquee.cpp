#include "ui/caption_marquee.h"

void CaptionMarquee::start(const QString &caption)
{
    m_original = caption;
    m_running_text = caption;
    m_ticks = 0;
    m_running = true;
}

QString CaptionMarquee::tick()
{
    if (!m_running)
        return {};
    // The counter only tells the first tick from the later ones; it wraps to
    // 2 rather than 0 so a long hover never adds the gap a second time.
    ++m_ticks;
    if (m_ticks > 65535)
        m_ticks = 2;
    if (m_running_text.isEmpty())
        return m_running_text;
    const QChar first = m_running_text.front();
    const QString rest = m_running_text.mid(1);
    if (m_ticks == 1)
        m_running_text = rest + QStringLiteral("    ") + first;
    else
        m_running_text = rest + first;
    return m_running_text;
}

QString CaptionMarquee::stop()
{
    m_running = false;
    return m_original;
}

#include "ui/skin_marquee.h"

#include "ui/skin_label.h"
#include "ui/skin_signals.h"

SkinMarquee::SkinMarquee(SkinSignals &events, QObject *parent) : QObject(parent), m_events(events)
{
    m_labelRun.setInterval(200);
    connect(&m_labelRun, &QTimer::timeout, this, &SkinMarquee::tick);
}

void SkinMarquee::start(SkinLabel *label)
{
    if (m_marquee.running())
        stop();
    m_label = label;
    m_marquee.start(label->text());
    emit m_events.marqueeStarted();
    m_labelRun.start();
}

void SkinMarquee::tick()
{
    if (!m_marquee.running() || !m_label)
        return;
    m_label->setText(m_marquee.tick());
}

void SkinMarquee::stop()
{
    const bool wasRunning = m_marquee.running();
    m_labelRun.stop();
    if (!wasRunning)
        return;
    const QString caption = m_marquee.stop();
    if (m_label)
        m_label->setText(caption);
    m_label = nullptr;
    emit m_events.marqueeStopped();
}

bool SkinMarquee::scrolls(const SkinLabel *label) const
{
    return label == m_label && m_marquee.running();
}

#pragma once

#include "ui/caption_marquee.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class SkinLabel;
class SkinSignals;

// The caption marquee of the button labels: LabelRun scrolls the caption
// of the label the pointer rests on and puts it back when the pointer
// leaves. The device timer rests while it runs (marqueeStarted/Stopped).
class SkinMarquee : public QObject
{
    Q_OBJECT
public:
    explicit SkinMarquee(SkinSignals &events, QObject *parent = nullptr);

    QTimer *labelRun() { return &m_labelRun; }
    void start(SkinLabel *label); // a running marquee stops first
    void tick();                  // one LabelRun tick
    void stop();                  // caption restored, LabelRun off
    bool running() const { return m_marquee.running(); }

    // Whether `label`'s caption is scrolling now; its real caption is then
    // original(), and restart() scrolls another one (a re-translation).
    bool scrolls(const SkinLabel *label) const;
    QString original() const { return m_marquee.original(); }
    void restart(const QString &caption) { m_marquee.start(caption); }

private:
    SkinSignals &m_events;
    QTimer m_labelRun;
    CaptionMarquee m_marquee;
    QPointer<SkinLabel> m_label;
};

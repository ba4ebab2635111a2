#pragma once

#include <QString>

// The caption of a button label scrolling left while the pointer rests on
// it: every tick moves the first character to the end, with four blanks
// between the caption's end and its start on the first turn. Holds the
// caption to restore, so leaving the label always brings the original back.
class CaptionMarquee
{
public:
    // Starts scrolling `caption`; the tick counter starts at 0.
    void start(const QString &caption);
    // One tick; gives the text to show now. Empty while not running.
    QString tick();
    // Stops and gives the caption to put back.
    QString stop();

    bool running() const { return m_running; }
    QString original() const { return m_original; }
    int ticks() const { return m_ticks; }

private:
    QString m_original;
    QString m_running_text;
    int m_ticks = 0;
    bool m_running = false;
};

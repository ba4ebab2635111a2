#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

// For the start-up benchmark: once `window` was mapped and painted for the
// first time, prints "shown <monotonic ns> hwm <peak memory kB>" and ends
// the program. Header-only so the bare comparison window measures itself
// with exactly the same code.
class StartupProbe : public QObject
{
public:
    explicit StartupProbe(QWidget *window) : QObject(window) { window->installEventFilter(this); }

    static qint64 monotonicNs()
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
    }
    static qint64 peakMemoryKb()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        return -1;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The first paint of the exposed window; the report waits until the
        // painted frame was handed to the window system.
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            QTimer::singleShot(0, this, [] {
                std::printf("shown %lld hwm %lld\n", static_cast<long long>(monotonicNs()),
                            static_cast<long long>(peakMemoryKb()));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_reported = false;
};

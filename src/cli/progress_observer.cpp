#include "progress_observer.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define GM_ISATTY _isatty
#define GM_FILENO _fileno
#else
#include <unistd.h>
#define GM_ISATTY isatty
#define GM_FILENO fileno
#endif

ProgressObserver::ProgressObserver() : m_terminal(GM_ISATTY(GM_FILENO(stderr)) != 0) {}

void ProgressObserver::transferStarted(TransferKind kind, int reportCount)
{
    Q_UNUSED(kind);
    Q_UNUSED(reportCount);
    m_reports = 0;
    if (m_terminal)
        draw();
}

void ProgressObserver::transferProgress(int chunk, int chunkCount)
{
    Q_UNUSED(chunk);
    Q_UNUSED(chunkCount);
    ++m_reports;
    // Redrawing every report would cost more than the report itself.
    if (m_terminal && m_reports % 16 == 0)
        draw();
}

void ProgressObserver::transferEnded()
{
    if (m_terminal && m_lineShown) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
        m_lineShown = false;
    }
}

void ProgressObserver::transferFailed(TransferKind kind, quint32 lostReports)
{
    if (writesTheMouse(kind))
        m_lostWriteReports = lostReports;
}

void ProgressObserver::showMessage(const DeviceMessage &message)
{
    m_messages.append(m_wording ? m_wording(message) : message.text({}));
}

void ProgressObserver::draw()
{
    const QByteArray line = QStringLiteral("\r%1 the mouse: %2 data reports")
                                .arg(m_activity)
                                .arg(m_reports)
                                .toLocal8Bit();
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    m_lineShown = true;
}

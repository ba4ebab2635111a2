#include "xvfb_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

XvfbServer::~XvfbServer()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
}

QString XvfbServer::start()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        return QStringLiteral("Xvfb is not installed (package xvfb)");
    int number = 100 + int(QCoreApplication::applicationPid() % 400);
    while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    m_display = QStringLiteral(":%1").arg(number);
    m_process.setProgram(xvfb);
    m_process.setArguments({m_display, QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                            QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("640x480x24")});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(5000))
        return QStringLiteral("Xvfb did not start");
    const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
    const QDeadlineTimer deadline(10000);
    while (!QFile::exists(socket)) {
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
            return QStringLiteral("Xvfb on %1 did not come up").arg(m_display);
        QThread::msleep(20);
    }
    qputenv("DISPLAY", m_display.toLatin1());
    return {};
}

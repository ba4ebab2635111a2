#pragma once

#include <QProcess>
#include <QString>

// A private Xvfb for one test on a free display number, DISPLAY set to it.
// start() says why there is none (empty when it runs); stopped on deletion.
class XvfbServer
{
public:
    ~XvfbServer();
    QString start();
    QString display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};

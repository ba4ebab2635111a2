#pragma once

#include <QProcess>
#include <QString>

// A private Xvfb for one test: started on a free display number, DISPLAY set
// to it, stopped with the object.
class XvfbServer
{
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    // Empty on success, else why there is no server (Xvfb not installed, ...).
    QString start();
    QString display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};

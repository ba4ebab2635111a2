#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One window per user. The first program listens on a local socket named
// for the user; a second start connects to it, asks the running window to
// come to the front and ends without creating a window or touching the
// mouse. A socket instead of a search by window title: titles are not
// unique across a desktop and Wayland has no way to search them.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // `name` is the socket's name; defaultName() gives the per-user one.
    explicit SingleInstance(QString name, QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultName();

    // True when this process is the one that runs the window. False when
    // another instance answered and was asked to come to the front.
    bool claim();

signals:
    // A second start asked the running window to come to the front.
    void activationRequested();

private:
    bool askRunningInstance();
    void acceptConnection();

    QString m_name;
    QLocalServer *m_server = nullptr;
};

#pragma once

#include "macros/input_capture.h"

#include <QByteArray>

#include <memory>

// System-wide capture on an X server through XInput2 raw events: every key and
// mouse button, whichever application has the focus. The raw events are
// selected on the root window only while capturing (and deselected on stop),
// read on a worker thread over a connection of its own, and handed to this
// object's thread in the order they arrived. Key codes become virtual-key
// codes through the key symbol of the current keyboard group; buttons 1, 2, 3,
// 8 and 9 are left, middle, right, backward and forward, the wheel is ignored.
class X11InputCapture : public InputCapture
{
    Q_OBJECT
public:
    // displayName as XOpenDisplay takes it; empty for $DISPLAY.
    explicit X11InputCapture(QByteArray displayName = {}, QObject *parent = nullptr);
    ~X11InputCapture() override;

    // An X server answers at displayName and speaks XInput 2.
    static bool isAvailable(const QByteArray &displayName = {});

    bool start() override;
    void stop() override;
    bool isCapturing() const override { return m_capturing; }
    bool isSystemWide() const override { return true; }

signals:
    // Emitted on the worker thread for every event read; queued to deliver()
    // on the thread this object lives in. `kind` is a Kind.
    void rawEventRead(quint64 session, int kind, int code, bool pressed);

private:
    struct Listener;
    enum class Kind
    {
        Key,
        Button
    };
    void deliver(quint64 session, Kind kind, int code, bool pressed);

    QByteArray m_displayName;
    bool m_capturing = false;
    // Every start and stop begins a new session; an event still queued from an
    // earlier one is dropped when it arrives.
    quint64 m_session = 0;
    std::unique_ptr<Listener> m_listener;
};

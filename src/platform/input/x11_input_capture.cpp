#include "input/x11_input_capture.h"

#include "input/key_mapping.h"

#include <QMetaObject>
#include <QSet>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <optional>
#include <thread>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

std::optional<MacroMouseButton> macroButton(int x11Button)
{
    switch (x11Button) {
    case 1:
        return MacroMouseButton::Left;
    case 2:
        return MacroMouseButton::Middle;
    case 3:
        return MacroMouseButton::Right;
    case 8: // XBUTTON1
        return MacroMouseButton::Backward;
    case 9: // XBUTTON2
        return MacroMouseButton::Forward;
    default:
        return std::nullopt; // 4-7 are the wheel
    }
}

// Xlib's fatal-error handler is process-wide and, by default, ends the
// process when any connection breaks. The captures' own connections may
// break (the server goes away while a recording runs) without taking the
// program down: for them the handler returns, and the connection's exit
// handler marks it dead. Every other connection keeps the previous handler.
std::mutex ownDisplaysMutex;
QSet<Display *> ownDisplays;
XIOErrorHandler previousIOErrorHandler = nullptr;

int onIOError(Display *display)
{
    {
        const std::lock_guard lock(ownDisplaysMutex);
        if (ownDisplays.contains(display))
            return 0;
    }
    return previousIOErrorHandler ? previousIOErrorHandler(display) : 0;
}

void adoptDisplay(Display *display, bool own)
{
    static std::once_flag installed;
    std::call_once(installed, [] { previousIOErrorHandler = XSetIOErrorHandler(&onIOError); });
    const std::lock_guard lock(ownDisplaysMutex);
    if (own)
        ownDisplays.insert(display);
    else
        ownDisplays.remove(display);
}

Display *openDisplay(const QByteArray &name)
{
    return XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
}

// The XInput extension's opcode when the server speaks version 2, else nullopt.
std::optional<int> xinput2Opcode(Display *display)
{
    int opcode = 0;
    int firstEvent = 0;
    int firstError = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &firstEvent, &firstError))
        return std::nullopt;
    int major = 2;
    int minor = 2; // raw events reach the root also while another client grabs
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2)
        return std::nullopt;
    return opcode;
}

void selectRawEvents(Display *display, bool on)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
    }
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices; // the slaves' events would come twice
    mask.mask_len = sizeof bits;
    mask.mask = bits;
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
}

} // namespace

// One capture's connection, wake-up pipe and reading thread. Xlib is used by
// the thread that opens it (start) until the worker runs, by the worker alone
// while it runs, and again by the UI thread after the worker has been joined,
// so the connection is never used by two threads at once.
struct X11InputCapture::Listener
{
    Display *display = nullptr;
    int opcode = 0;
    int wakeRead = -1;
    int wakeWrite = -1;
    bool selected = false;
    std::atomic<bool> serverLost{false};
    std::thread worker;

    ~Listener()
    {
        if (worker.joinable()) {
            const char byte = 0;
            [[maybe_unused]] const auto written = ::write(wakeWrite, &byte, 1);
            worker.join();
        }
        // A connection whose server went away is left as it is, still listed
        // among our own: Xlib cannot close it safely any more (it waits for
        // the reader that died with it), and its few bytes matter less than
        // a hang at Stop.
        if (display && !serverLost && selected) {
            selectRawEvents(display, false);
            XSync(display, False); // finds a server that went away since
        }
        if (display && !serverLost) {
            XCloseDisplay(display);
            adoptDisplay(display, false);
        }
        if (wakeRead >= 0)
            ::close(wakeRead);
        if (wakeWrite >= 0)
            ::close(wakeWrite);
    }

    static void onServerLost(Display *, void *self)
    {
        // Returning instead of exiting leaves the connection marked dead;
        // the worker sees the flag and ends.
        static_cast<Listener *>(self)->serverLost = true;
    }

    template <typename Deliver> void run(Deliver deliver)
    {
        pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {wakeRead, POLLIN, 0}};
        while (!serverLost) {
            while (!serverLost && XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                readRawEvent(event, deliver);
            }
            fds[0].revents = fds[1].revents = 0;
            if (::poll(fds, 2, -1) < 0 && errno != EINTR)
                return;
            if (fds[1].revents != 0)
                return; // stop
            // A hang-up is read by XPending above, which reports it through
            // onServerLost and leaves the connection closed for Xlib.
        }
    }

    template <typename Deliver> void readRawEvent(XEvent &event, Deliver &deliver)
    {
        XGenericEventCookie &cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != opcode ||
            !XGetEventData(display, &cookie))
            return;
        const auto *raw = static_cast<const XIRawEvent *>(cookie.data);
        switch (cookie.evtype) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease: {
            const auto keycode = quint32(raw->detail);
            // The symbol of the key's first level in the group the user typed
            // in: Shift held does not turn the 1 key into '!'.
            XkbStateRec state{};
            XkbGetState(display, XkbUseCoreKbd, &state);
            const KeySym keysym = XkbKeycodeToKeysym(display, KeyCode(keycode), state.group, 0);
            deliver(Kind::Key, virtualKeyFromX11Key(quint32(keysym), keycode),
                    cookie.evtype == XI_RawKeyPress);
            break;
        }
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            if (const auto button = macroButton(raw->detail))
                deliver(Kind::Button, int(*button), cookie.evtype == XI_RawButtonPress);
            break;
        default:
            break;
        }
        XFreeEventData(display, &cookie);
    }
};

X11InputCapture::X11InputCapture(QByteArray displayName, QObject *parent)
    : InputCapture(parent), m_displayName(std::move(displayName))
{
    connect(
        this, &X11InputCapture::rawEventRead, this,
        [this](quint64 session, int kind, int code, bool pressed) {
            deliver(session, Kind(kind), code, pressed);
        },
        Qt::QueuedConnection);
}

X11InputCapture::~X11InputCapture()
{
    // This class's own stop: a subclass is already gone here.
    X11InputCapture::stop();
}

bool X11InputCapture::isAvailable(const QByteArray &displayName)
{
    Display *display = openDisplay(displayName);
    if (!display)
        return false;
    const bool available = xinput2Opcode(display).has_value();
    XCloseDisplay(display);
    return available;
}

bool X11InputCapture::start()
{
    if (m_capturing)
        return true;
    auto listener = std::make_unique<Listener>();
    listener->display = openDisplay(m_displayName);
    if (!listener->display)
        return false;
    adoptDisplay(listener->display, true);
    XSetIOErrorExitHandler(listener->display, &Listener::onServerLost, listener.get());
    const std::optional<int> opcode = xinput2Opcode(listener->display);
    int wake[2] = {-1, -1};
    if (!opcode || ::pipe2(wake, O_CLOEXEC) != 0)
        return false;
    listener->opcode = *opcode;
    listener->wakeRead = wake[0];
    listener->wakeWrite = wake[1];
    // Selected and confirmed before start() returns: a key typed from here on is heard.
    selectRawEvents(listener->display, true);
    listener->selected = true;
    XSync(listener->display, False);

    const quint64 session = ++m_session;
    Listener *raw = listener.get();
    raw->worker = std::thread([this, raw, session] {
        raw->run([this, session](Kind kind, int code, bool pressed) {
            emit rawEventRead(session, int(kind), code, pressed);
        });
    });
    m_listener = std::move(listener);
    m_capturing = true;
    return true;
}

void X11InputCapture::stop()
{
    if (!m_capturing)
        return;
    m_capturing = false;
    ++m_session;        // whatever is still queued belongs to the ended session
    m_listener.reset(); // wakes and joins the worker, deselects, closes
}

void X11InputCapture::deliver(quint64 session, Kind kind, int code, bool pressed)
{
    if (!m_capturing || session != m_session)
        return;
    if (kind == Kind::Key)
        emit keyEvent(code, pressed);
    else
        emit mouseButtonEvent(MacroMouseButton(code), pressed);
}

#include "input/window_input_capture.h"

#include "input/key_mapping.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <optional>

namespace {

std::optional<MacroMouseButton> macroButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return MacroMouseButton::Left;
    case Qt::RightButton:
        return MacroMouseButton::Right;
    case Qt::MiddleButton:
        return MacroMouseButton::Middle;
    case Qt::BackButton: // XBUTTON1
        return MacroMouseButton::Backward;
    case Qt::ForwardButton: // XBUTTON2
        return MacroMouseButton::Forward;
    default:
        return std::nullopt;
    }
}

} // namespace

WindowInputCapture::~WindowInputCapture()
{
    // This class's own stop: a subclass is already gone here.
    WindowInputCapture::stop();
}

bool WindowInputCapture::start()
{
    if (m_capturing)
        return true;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    app->installEventFilter(this);
    m_capturing = true;
    return true;
}

void WindowInputCapture::stop()
{
    if (!m_capturing)
        return;
    m_capturing = false;
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool WindowInputCapture::eventFilter(QObject *watched, QEvent *event)
{
    // A window passes each key and button on to its widgets as a new event;
    // taking it at the window alone hears it exactly once.
    if (!m_capturing || !watched->isWindowType())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        const bool pressed = event->type() == QEvent::KeyPress;
        // A held key repeats as further downs; the ups between them are not real.
        if (!pressed && key->isAutoRepeat())
            break;
        emit keyEvent(virtualKeyFromKeyEvent(*key), pressed);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        if (const auto button = macroButton(mouse->button()))
            emit mouseButtonEvent(*button, event->type() == QEvent::MouseButtonPress);
        break;
    }
    default:
        break;
    }
    return false;
}

#include "app/window_observer.h"

#include "app/busy_window.h"
#include "app/main_window.h"
#include "app/window_content.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

WindowObserver::WindowObserver(TForm1 &window, WindowContent &content, TFormLoadingUI &busy)
    : m_window(window), m_content(content), m_busy(busy)
{}

void WindowObserver::busyStarted()
{
    m_window.setTransferRunning(true); // DevTimer off
    m_content.BeginBusy();
    if (!m_blocking) {
        qApp->installEventFilter(this);
        m_blocking = true;
    }
    m_busy.startTransfer(m_window.expectedTransferReports());
    m_busy.show();
    m_busy.raise();
    processEvents();
}

void WindowObserver::busyProgress(int, int)
{
    m_busy.advance();
    if (!m_busy.isVisible())
        m_busy.show();
    processEvents();
}

void WindowObserver::busyEnded()
{
    m_busy.hide();
    processEvents();
    m_window.setTransferRunning(false); // DevTimer on again
    if (m_blocking) {
        qApp->removeEventFilter(this);
        m_blocking = false;
    }
    m_content.EndBusy();
}

void WindowObserver::processEvents()
{
    QCoreApplication::processEvents();
}

void WindowObserver::labelsChanged(const NoDeviceLabels &labels)
{
    m_content.showNoDeviceLabels(labels);
}

void WindowObserver::hideAllMenus()
{
    m_content.HideAllMenu();
}

void WindowObserver::stopLabelRun()
{
    m_content.stopLabelRun();
}

void WindowObserver::hideAllPages()
{
    m_content.hideAllPages();
}

void WindowObserver::showOnlyPage(int page)
{
    m_content.showOnlyPage(page);
}

void WindowObserver::clearMacroLists()
{
    m_content.clearMacroLists();
}

void WindowObserver::showDevicePages(bool familyA, bool familyB)
{
    m_content.ShowDevicePages(familyA, familyB);
}

void WindowObserver::clearMacroEditor()
{
    m_content.clearMacroEditor();
}

void WindowObserver::showPressed(WriteButton button)
{
    m_content.showPressed(button);
}

void WindowObserver::showMessage(const QString &text)
{
    m_window.showMessage(text);
}

void WindowObserver::closeMainWindow()
{
    m_window.requestClose();
}

bool WindowObserver::coversInputOf(QObject *watched) const
{
    // Only the main window (and the busy window over it) is covered: a
    // message box or dialog the transfer raises is a window of its own and
    // takes its input, or the user could never close it.
    if (auto *widget = qobject_cast<QWidget *>(watched)) {
        const QWidget *top = widget->window();
        return top == &m_window || top == &m_busy;
    }
    if (auto *window = qobject_cast<QWindow *>(watched))
        return window == m_window.windowHandle() || window == m_busy.windowHandle();
    return false;
}

bool WindowObserver::eventFilter(QObject *watched, QEvent *event)
{
    if (!coversInputOf(watched))
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

#include "app/window_presenter.h"

#include "app/busy_window.h"
#include "app/main_window.h"
#include "app/window_content.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

WindowPresenter::WindowPresenter(MainWindow &window, WindowContent &content, BusyWindow &busy,
                                 DeviceClock &clock, const TextLookup &text)
    : m_window(window), m_content(content), m_busy(busy), m_clock(clock), m_text(text)
{}

void WindowPresenter::transferStarted(TransferKind kind, int reportCount)
{
    if (writesTheMouse(kind))
        m_content.HideAllMenu();
    m_window.setTransferRunning(true); // DevTimer off
    m_content.BeginBusy();
    if (!m_blocking) {
        // The windows open now are covered (the main window and the dialogs
        // that edit its configuration); boxes the transfer raises are not.
        m_covered.clear();
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->isVisible() || top == &m_window)
                m_covered << top;
        }
        m_covered << &m_busy;
        qApp->installEventFilter(this);
        m_blocking = true;
    }
    m_busy.startTransfer(reportCount);
    m_busy.show();
    m_busy.raise();
    processEvents();
}

void WindowPresenter::transferProgress(int, int)
{
    m_busy.advance();
    if (!m_busy.isVisible())
        m_busy.show();
    processEvents();
}

void WindowPresenter::transferEnded()
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

void WindowPresenter::processEvents()
{
    QCoreApplication::processEvents();
}

void WindowPresenter::labelsChanged(const NoDeviceLabels &labels)
{
    m_content.showNoDeviceLabels(labels);
}

void WindowPresenter::mouseLost(const NoDeviceLabels &page, bool macroListsShown)
{
    m_content.HideAllMenu();
    m_content.showNoDeviceLabels(page);
    m_content.stopLabelRun();
    processEvents();
    m_content.hideAllPages();
    if (macroListsShown)
        m_content.clearMacroLists();
}

void WindowPresenter::mouseRejected(const NoDeviceLabels &page)
{
    m_content.showNoDeviceLabels(page);
    m_content.hideAllPages();
}

void WindowPresenter::readCompleted(bool familyA, bool familyB)
{
    m_content.ShowDevicePages(familyA, familyB);
}

void WindowPresenter::defaultMacrosTaken()
{
    m_content.clearMacroEditor();
}

void WindowPresenter::writeRequested(WriteCommand command)
{
    m_content.showPressed(command);
    pressedPause();
}

void WindowPresenter::pressedPause()
{
    for (int i = 0; i < kPressedSteps; ++i) {
        m_clock.waitMs(kPressedStepMs);
        processEvents();
    }
}

void WindowPresenter::showMessage(const DeviceMessage &message)
{
    m_window.showMessage(message.text(m_text));
}

bool WindowPresenter::showMessageWithOffer(const DeviceMessage &message)
{
    return m_window.showMessageWithChoice(message.text(m_text), message.offerText(m_text));
}

void WindowPresenter::confirmFinished()
{
    pressedPause();
    m_window.requestClose();
}

bool WindowPresenter::coversInputOf(QObject *watched) const
{
    // Only the windows that were open when the transfer began (and the busy
    // window) are covered: a message box or dialog the transfer raises is a
    // window of its own and takes its input, or the user could never close it.
    if (auto *widget = qobject_cast<QWidget *>(watched))
        return m_covered.contains(widget->window());
    if (auto *window = qobject_cast<QWindow *>(watched)) {
        for (const QPointer<QWidget> &covered : m_covered) {
            if (covered && covered->windowHandle() == window)
                return true;
        }
    }
    return false;
}

bool WindowPresenter::eventFilter(QObject *watched, QEvent *event)
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

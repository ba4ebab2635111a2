#include "app/screenshot_tour.h"

#include "app/busy_window.h"
#include "app/main_window.h"
#include "app/skinned_content_port.h"
#include "buttons/button_screenshots.h"
#include "device/simulated_mouse.h"
#include "macros/macro_screenshots.h"
#include "ui/skinned_content.h"
#include "ui/window_shot.h"

#include <QApplication>
#include <QBitmap>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QTextStream>
#include <QTimer>

namespace {

// Nobody is there to click during the tour: a message box the window opens
// (the simulated mouse failed) is closed at once and noted, so the tour ends
// with its text instead of waiting for ever.
class MessageBoxWatch : public QObject
{
public:
    MessageBoxWatch()
    {
        m_poll.setInterval(10);
        connect(&m_poll, &QTimer::timeout, this, [this] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(widget);
                if (box && box->isVisible()) {
                    m_seen = true;
                    box->done(0);
                }
            }
        });
        m_poll.start();
    }
    bool seen() const { return m_seen; }

private:
    QTimer m_poll;
    bool m_seen = false;
};

bool tourStopped(const QString &message)
{
    QTextStream(stderr) << "the screenshots stopped: "
                        << (message.isEmpty() ? QStringLiteral("the simulated mouse failed")
                                              : message)
                        << '\n';
    return false;
}

} // namespace

bool renderScreenshots(MainWindow &window, SimulatedMouse *mouse, const QString &folder)
{
    auto *port = qobject_cast<SkinnedContentPort *>(&window.content());
    if (!mouse || !port) {
        QTextStream(stderr) << "screenshots need --simulate\n";
        return false;
    }
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << folder << '\n';
        return false;
    }
    SkinnedContent &skin = port->skin();
    MessageBoxWatch watch;
    window.DevTimerTimer(); // finds the mouse and reads it
    if (window.link().connection.connectionState() != ConnectionState::Connected || watch.seen())
        return tourStopped(window.lastMessage());
    bool ok = true;
    const struct
    {
        Configuration::Page page;
        const char *name;
    } pages[] = {
        {Configuration::Page::Main, "main"},           {Configuration::Page::Switch, "alternate"},
        {Configuration::Page::Fixed, "reset"},         {Configuration::Page::Advanced, "advanced"},
        {Configuration::Page::Breathing, "breathing"}, {Configuration::Page::Macro, "macro"}};
    // Every page in every language: "page-main.png" in English, then
    // "ru-page-main.png" and "zh-page-main.png". The two profiles whose tabs
    // need a switch or reset key on another profile are opened as a read
    // that names them would open them.
    const char *const prefixes[] = {"", "ru-", "zh-"};
    for (int language = 1; language <= 3; ++language) {
        skin.languageButtonClick(language);
        for (const auto &entry : pages) {
            skin.openPage(entry.page);
            ok = saveShot(
                     windowShot(window), dir,
                     QStringLiteral("%1page-%2")
                         .arg(QLatin1String(prefixes[language - 1]), QLatin1String(entry.name))) &&
                 ok;
        }
    }
    skin.languageButtonClick(1);
    skin.pageButtonClick(Configuration::Page::Main);
    ok = renderButtonScreenshots(window, dir) && ok;

    // The busy window as it stands over the main window during a write.
    BusyWindow &busy = window.busyWindow();
    busy.startTransfer(window.link().transfer.reportCount(TransferKind::WriteAll));
    for (int i = 0; i < 1800; ++i)
        busy.advance();
    QImage composed = windowShot(window);
    {
        QPainter painter(&composed);
        const QPoint offset = BusyWindow::positionOver(QRect(QPoint(0, 0), window.size()));
        painter.drawImage(offset, windowShot(busy));
    }
    ok = saveShot(composed, dir, QStringLiteral("busy")) && ok;
    busy.startTransfer(0);

    ok = renderMacroScreenshots(window, dir) && ok;
    skin.pageButtonClick(Configuration::Page::Main);

    // The watch's timer may have closed a box during the pages above.
    // cppcheck-suppress knownConditionTrueFalse
    if (watch.seen())
        return tourStopped(window.lastMessage());
    mouse->setPlugged(false);
    window.DevTimerTimer();
    ok = saveShot(windowShot(window), dir, QStringLiteral("no-device")) && ok;
    return ok;
}

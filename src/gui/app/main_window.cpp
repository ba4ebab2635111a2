#include "app/main_window.h"

#include "app/busy_window.h"
#include "app/window_content.h"
#include "app/window_presenter.h"
#include "app/window_shape.h"
#include "desktop_mouse_settings.h"
#include "macros/macro_editor.h"
#include "ui/skin_images.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWindow>

// Device work (a tick, a transfer, a write action) runs nested event
// processing; a close asked for meanwhile waits until the outermost work is
// over, so the window is never torn down under a running transfer.
class MainWindow::DeviceWork
{
public:
    explicit DeviceWork(MainWindow &window) : m_window(window) { ++m_window.m_deviceWork; }
    ~DeviceWork()
    {
        if (--m_window.m_deviceWork == 0 && m_window.m_closeRequested)
            QMetaObject::invokeMethod(&m_window, &QWidget::close, Qt::QueuedConnection);
    }
    DeviceWork(const DeviceWork &) = delete;
    DeviceWork &operator=(const DeviceWork &) = delete;

private:
    MainWindow &m_window;
};

MainWindow::MainWindow(CoreSession &session, const ContentFactory &makeContent, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_session(session),
      m_config(session.config()), m_macros(&session.macros()), m_link(&session.link()),
      m_backups(session.backups())
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(kCaption);
    setFixedSize(kWidth, kHeight);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    m_client->setGeometry(0, 0, kWidth, kHeight);

    m_session.setMacroNamesShown([this](const QStringList &names) {
        if (m_content)
            m_content->showMacroNames(names);
    });
    // The desktop's mouse settings on the advanced page: read with every
    // read-all, stored and applied with every write-all.
    m_desktopSettings =
        std::make_unique<DesktopMouseSettings>(m_config.mouseSettingsPage(), m_link->transfer);

    m_content = makeContent(m_client, m_config);
    m_content->setParent(this);
    m_content->attachMacroPage(*m_macros);
    m_busy = new BusyWindow(this);
    m_observer = std::make_unique<WindowPresenter>(*this, *m_content, *m_busy, m_session.clock(),
                                                   m_config.text());
    m_link->setObserver(m_observer.get());
    connectContent();

    m_devTimer.setObjectName(QStringLiteral("DevTimer"));
    m_devTimer.setInterval(DeviceConnection::kDevTimerIntervalMs);
    connect(&m_devTimer, &QTimer::timeout, this, &MainWindow::DevTimerTimer);
    m_hotPlugRetry.setSingleShot(true);
    m_hotPlugRetry.setInterval(kHotPlugRetryMs);
    connect(&m_hotPlugRetry, &QTimer::timeout, this, &MainWindow::hidDevicesChanged);

    FormCreate();
    // The busy window is placed once, against where the main window opened.
    m_busy->placeOver(geometry());
    m_devTimer.start(); // enabled from creation; the first tick searches
}

MainWindow::~MainWindow()
{
    m_link->setObserver(nullptr);
    m_session.setMacroNamesShown(nullptr);
    // The content and its elements go first, while the desktop settings and
    // the observer they work with still stand; the configuration is the
    // session's and outlives the window.
    delete m_content;
    delete m_client;
    delete m_busy;
}

void MainWindow::FormCreate()
{
    const QPixmap icon = skinPixmap(QStringLiteral("app-icon"));
    if (!icon.isNull())
        setWindowIcon(icon);
    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setObjectName(QStringLiteral("CoolTrayIcon1"));
    // A desktop without a notification area simply shows no icon.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();

    placeWindow();
    m_content->stretchInputCover();
    m_content->showFirstPage();
    m_content->LoadSkinPictures();
    m_content->ApplyWebLink();
    m_config.setLanguage(1);
    m_content->ApplyLanguage(1);
    m_content->applyMacroRowHeight();
    // The default image into the buffers, its ids and layout, empty code
    // texts, macro names, every page and the candidate ids.
    m_config.startUp();
    m_config.mouseSettingsPage().refreshFromSystem();
    m_config.state().CommandHandle = kInvalidHandle;
    m_config.state().DataHandle = kInvalidHandle;
    m_content->alignFireEdits();
    m_content->languageButtonClick(m_config.state().CurrentLanguage);
    update();
}

QPoint MainWindow::centredPosition(QSize screen)
{
    return {(screen.width() - kWidth) / 2, (screen.height() - kHeight) / 2};
}

void MainWindow::placeWindow()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QPoint corner =
        centredPosition(screen ? screen->geometry().size() : QSize(kWidth, kHeight));
    move(corner);
    const QPixmap background = skinPixmap(backgroundPictureName(1));
    if (!background.isNull())
        setMask(windowShape(background.toImage(), qRgb(128, 0, 0)));
    // The see-through parts are cut away; what remains is painted by the
    // pictures, so the window needs no background of its own.
    setAttribute(Qt::WA_NoSystemBackground);
}

void MainWindow::connectContent()
{
    // Straight to the content's signal source: a click on a command button
    // reaches its handler here without a relay in between.
    SkinSignals &source = m_content->signalSource();
    connect(&source, &SkinSignals::confirmClicked, this, &MainWindow::Btn_ConfirmClick);
    connect(&source, &SkinSignals::applyClicked, this, &MainWindow::Btn_ApplyClick);
    connect(&source, &SkinSignals::resetClicked, this, &MainWindow::Btn_ResetClick);
    connect(&source, &SkinSignals::exitClicked, this, &MainWindow::Btn_ExitClick);
    connect(&source, &SkinSignals::saveClicked, this, &MainWindow::Btn_SaveClick);
    connect(&source, &SkinSignals::loadClicked, this, &MainWindow::Btn_LoadClick);
    connect(&source, &SkinSignals::dragRequested, this, &MainWindow::startSystemMove);
    connect(&source, &SkinSignals::marqueeStarted, this, [this] { setMarqueeRunning(true); });
    connect(&source, &SkinSignals::marqueeStopped, this, [this] { setMarqueeRunning(false); });
    connect(&source, &SkinSignals::messageRequested, this, &MainWindow::showMessage);
    // After the handlers above, so the settings pages see a write's clicks
    // once it is done.
    m_content->attachSettingsPages();
}

void MainWindow::startSystemMove()
{
    m_content->HideAllMenu();
    // The platform's own move (X11 and Wayland alike); it ends with the
    // button's release, which the window system handles.
    if (QWindow *window = windowHandle())
        window->startSystemMove();
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    // Whatever part of the window has no element of its own is background.
    startSystemMove();
    event->accept();
}

void MainWindow::updateDevTimer()
{
    const bool run = !m_transferRunning && !m_marqueeRunning;
    if (run && !m_devTimer.isActive())
        m_devTimer.start();
    else if (!run)
        m_devTimer.stop();
}

void MainWindow::setTransferRunning(bool running)
{
    m_transferRunning = running;
    updateDevTimer();
}

void MainWindow::setMarqueeRunning(bool running)
{
    m_marqueeRunning = running;
    updateDevTimer();
}

void MainWindow::DevTimerTimer()
{
    if (m_closeRequested)
        return;
    DeviceWork work(*this);
    m_link->connection.DevTimerTimer();
}

void MainWindow::hidDevicesChanged()
{
    // No ticks while a transfer runs; the timer's next one looks then.
    if (!m_devTimer.isActive())
        return;
    // A tick under way (it paints while it waits before its search) may
    // have counted before this node came: look again when it is over.
    if (m_config.state().DevTimerBusy) {
        m_hotPlugRetry.start();
        return;
    }
    DevTimerTimer();
}

void MainWindow::runWrite(const std::function<void()> &action)
{
    // A click that slipped in between two pieces of device work waits for
    // nothing: one write at a time.
    if (m_deviceWork > 0 || m_closeRequested)
        return;
    DeviceWork work(*this);
    action();
}

void MainWindow::Btn_ConfirmClick()
{
    runWrite([this] { m_link->transfer.confirm(); });
}

void MainWindow::Btn_ApplyClick()
{
    runWrite([this] { m_link->transfer.apply(); });
}

void MainWindow::Btn_ResetClick()
{
    runWrite([this] { m_link->transfer.reset(); });
}

void MainWindow::Btn_ExitClick()
{
    requestClose();
}

void MainWindow::requestClose()
{
    m_closeRequested = true;
    if (m_deviceWork == 0)
        close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_deviceWork > 0) {
        m_closeRequested = true;
        event->ignore();
        return;
    }
    // FormCloseQuery: the handles are given up, nothing reaches the mouse.
    m_devTimer.stop();
    m_config.state().CommandHandle = kInvalidHandle;
    m_config.state().DataHandle = kInvalidHandle;
    m_busy->hide();
    if (m_tray)
        m_tray->hide();
    event->accept();
}

QString MainWindow::applicationTitle() const
{
    const QString title = m_content->applicationTitle();
    return title.isEmpty() ? QStringLiteral("Gaming Mouse") : title;
}

void MainWindow::showMessage(const QString &text)
{
    showMessageWithChoice(text, {});
}

bool MainWindow::showMessageWithChoice(const QString &text, const QString &second)
{
    m_lastMessage = text;
    QMessageBox box(this);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(applicationTitle());
    box.setText(text);
    const QString ok = m_content->okButtonText();
    QPushButton *okButton =
        box.addButton(ok.isEmpty() ? QStringLiteral("OK") : ok, QMessageBox::AcceptRole);
    // Return and Escape take OK, the choice that writes nothing.
    box.setDefaultButton(okButton);
    box.setEscapeButton(okButton);
    QPushButton *choice =
        second.isEmpty() ? nullptr : box.addButton(second, QMessageBox::ActionRole);
    box.exec();
    return choice && box.clickedButton() == choice;
}

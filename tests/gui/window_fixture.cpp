#include "window_fixture.h"

#include "app/skinned_content_port.h"
#include "image/default_image.h"
#include "ui/skin_picture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

MessageCloser::MessageCloser()
{
    m_poll.setInterval(5);
    connect(&m_poll, &QTimer::timeout, this, &MessageCloser::closeOpenBoxes);
    m_poll.start();
}

void MessageCloser::closeOpenBoxes()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box || !box->isVisible())
            continue;
        SeenMessage message{box->text(), box->windowTitle(), int(box->buttons().size()),
                            box->icon(), QString()};
        if (!box->buttons().isEmpty())
            message.buttonText = box->buttons().constFirst()->text();
        seen.append(message);
        if (whileOpen)
            whileOpen();
        if (closeWithReturn) {
            QTest::keyClick(box, Qt::Key_Return);
            if (!box->isVisible())
                continue;
            ++keysIgnored;
        }
        QAbstractButton *chosen = box->buttons().isEmpty() ? nullptr : box->buttons().constFirst();
        for (QAbstractButton *button : box->buttons()) {
            if (!press.isEmpty() && button->text() == press)
                chosen = button;
        }
        if (chosen)
            chosen->click();
        else
            box->reject();
    }
}

void chooseInNextFileDialog(const QString &path)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, path] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QFileDialog *>(widget);
            if (dialog && dialog->isVisible()) {
                dialog->selectFile(path);
                static_cast<QDialog *>(dialog)->accept(); // QFileDialog's own, through QDialog
                poll->deleteLater();
                return;
            }
        }
    });
    poll->start();
}

SimulatedMouseConfig simulatedKind(const QString &kind)
{
    SimulatedMouseConfig config;
    config.chipByte = kind.startsWith(QLatin1Char('a')) ? 0x50 : 0xA0;
    config.modeRegister = kind.startsWith(QLatin1Char('a')) ? 4 : 0;
    config.layoutByte = kind.endsWith(QLatin1String("58")) ? 58 : 29;
    return config;
}

QByteArray switchProfileImageWithoutSwitchKey()
{
    Configuration config;
    if (!config.startUp())
        qFatal("no default image");
    config.state().DeviceLayoutCode = 58;
    config.state().ChipFamilyB = true;
    ButtonAssignmentModel &buttons = config.buttonAssignment();
    config.setCurrentPage(Configuration::Page::Main);
    for (int button = 1; button <= ButtonAssignmentModel::kButtonCount; ++button) {
        if (buttons.code(MainProfile, button) == FunctionCode::fromWord(0x07000000)) {
            buttons.setCurrentButton(button);
            buttons.storeCode(FunctionCode::fromWord(0x01100000)); // Forward
        }
    }
    config.setCurrentPage(Configuration::Page::Switch);
    config.AssembleDataBuf();
    return joinImage(config.image());
}

namespace {
// The window stores the desktop's mouse settings with every write; a test
// window keeps them in a folder of its own instead of the user's desktop.
void isolateDesktopSettings()
{
    static QTemporaryDir config;
    static const bool done = [] {
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        for (const char *name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE", "DISPLAY"})
            qunsetenv(name);
        return true;
    }();
    Q_UNUSED(done);
}
} // namespace

WindowFixture::WindowFixture(const QString &kind, bool plugged) : mouse(simulatedKind(kind))
{
    isolateDesktopSettings();
    ImageBuffers image;
    if (!readDefaultImage(image) || !mouse.placeImage(joinImage(image)))
        qFatal("no default image");
    mouse.setPlugged(plugged);
    session = std::make_unique<CoreSession>(mouse, clock);
    window = std::make_unique<MainWindow>(*session, [](QWidget *client, Configuration &config) {
        return new SkinnedContentPort(client, config);
    });
    window->show();
}

WindowFixture::~WindowFixture()
{
    window.reset();
}

QString WindowFixture::pictureOf(const QString &name) const
{
    return get<SkinPicture>(name)->pictureName();
}

// gaming-mouse-virtual: the mouse in the kernel, made through /dev/uhid and
// answered by the simulated mouse's firmware, so both programs can be run
// through hidraw and hidapi without a mouse. Runs until SIGINT or SIGTERM.
#include "uhid_device.h"
#include "virtual_mouse_firmware.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <csignal>
#include <cstdio>
#include <memory>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>
#include <vector>

namespace {

// The memory is saved once the mouse has been quiet this long, so a
// transfer is not slowed down by it.
constexpr int kQuietMs = 150;
// A re-plugged mouse is away this long, as a hand takes.
constexpr int kReplugPauseMs = 300;

void say(const QString &text)
{
    std::fprintf(stderr, "gaming-mouse-virtual: %s\n", text.toLocal8Bit().constData());
}

std::optional<qint64> count(const QCommandLineParser &parser, const QString &name)
{
    if (!parser.isSet(name))
        return -1;
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

class VirtualMouse
{
public:
    VirtualMouse(VirtualMouseFirmware &firmware, QString statePath, QString tracePath)
        : m_firmware(firmware), m_statePath(std::move(statePath)), m_trace(tracePath),
          m_devices(size_t(firmware.deviceCount()))
    {}

    bool start(QString *error)
    {
        if (!m_trace.fileName().isEmpty() && !m_trace.open(QIODevice::WriteOnly)) {
            *error = QStringLiteral("cannot write the trace \"%1\"").arg(m_trace.fileName());
            return false;
        }
        if (!m_statePath.isEmpty() && QFile::exists(m_statePath) &&
            !m_firmware.mice().loadMemoryFile(m_statePath)) {
            *error = QStringLiteral("cannot use \"%1\" as the mouse's memory: it must be a "
                                    "readable file of exactly %2 bytes")
                         .arg(m_statePath)
                         .arg(SimulatedMouse::kMemorySize);
            return false;
        }
        return createDevices(error);
    }

    // Answers the kernel until a signal arrives on `stopSignals`.
    void run(int stopSignals)
    {
        for (;;) {
            std::vector<pollfd> fds{{stopSignals, POLLIN, 0}};
            for (const auto &device : m_devices) {
                if (device.exists())
                    fds.push_back({device.fd(), POLLIN, 0});
            }
            const int ready = ::poll(fds.data(), fds.size(), m_dirty ? kQuietMs : -1);
            if (ready < 0 && errno != EINTR)
                break;
            if (ready == 0) {
                save();
                continue;
            }
            if (fds[0].revents & POLLIN)
                break;
            for (size_t i = 1; i < fds.size(); ++i) {
                if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                    serve(deviceOf(fds[i].fd));
            }
        }
        save();
        destroyDevices();
    }

private:
    int deviceOf(int fd) const
    {
        for (size_t i = 0; i < m_devices.size(); ++i) {
            if (m_devices[i].fd() == fd)
                return int(i);
        }
        return -1;
    }

    bool createDevices(QString *error)
    {
        const SimulatedMouseConfig &config = m_firmware.mice().config(0);
        for (int device = 0; device < m_firmware.deviceCount(); ++device) {
            if (!m_devices[size_t(device)].create(m_firmware.deviceName(device),
                                                  VirtualMouseFirmware::reportDescriptor(device),
                                                  config.vendorId, config.productId, error))
                return false;
        }
        std::fprintf(stdout, "created %d devices\n", m_firmware.deviceCount());
        std::fflush(stdout);
        return true;
    }

    void destroyDevices()
    {
        for (auto &device : m_devices)
            device.destroy();
    }

    void serve(int device)
    {
        if (device < 0)
            return;
        UhidDevice &uhid = m_devices[size_t(device)];
        const std::optional<UhidDevice::Request> request = uhid.read();
        if (!request || request->kind == UhidDevice::Request::Other)
            return;
        // The trace line is out before the answer, so a program that ends
        // with this report finds it written.
        if (request->kind == UhidDevice::Request::GetFeature) {
            const std::optional<QByteArray> reply = m_firmware.getReport(device, request->reportId);
            writeTrace();
            uhid.answerGet(request->id, reply);
        } else {
            const bool accepted = m_firmware.setReport(device, request->data);
            writeTrace();
            uhid.answerSet(request->id, accepted);
        }
        m_dirty = true;
        switch (m_firmware.afterReport()) {
        case VirtualMouseFirmware::Plug::Stay:
            break;
        case VirtualMouseFirmware::Plug::Unplug:
            destroyDevices();
            say(QStringLiteral("unplugged after %1 reports").arg(m_firmware.reportCount()));
            break;
        case VirtualMouseFirmware::Plug::Replug: {
            destroyDevices();
            say(QStringLiteral("re-plugging after %1 reports").arg(m_firmware.reportCount()));
            ::usleep(kReplugPauseMs * 1000);
            m_firmware.replugged();
            QString error;
            if (!createDevices(&error))
                say(error);
            break;
        }
        }
    }

    void writeTrace()
    {
        const QStringList lines = m_firmware.takeTrace();
        if (!m_trace.isOpen())
            return;
        for (const QString &line : lines)
            m_trace.write(line.toLatin1() + '\n');
        m_trace.flush();
    }

    void save()
    {
        if (!m_dirty)
            return;
        m_dirty = false;
        if (!m_statePath.isEmpty() && !m_firmware.mice().saveMemoryFile(m_statePath))
            say(QStringLiteral("cannot write the memory \"%1\"").arg(m_statePath));
    }

    VirtualMouseFirmware &m_firmware;
    QString m_statePath;
    QFile m_trace;
    std::vector<UhidDevice> m_devices;
    bool m_dirty = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gaming-mouse-virtual"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Creates the gaming mouse in the kernel through /dev/uhid, answered by "
                       "the simulated mouse, until SIGINT or SIGTERM."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("family"), QStringLiteral("a58, b58 (default), a42 or b42."),
         QStringLiteral("KIND"), QStringLiteral("b58")},
        {QStringLiteral("state"),
         QStringLiteral("The first mouse's 65536-byte memory: loaded when the file exists, saved "
                        "whenever the mouse has been quiet for a moment and at the end."),
         QStringLiteral("FILE")},
        {QStringLiteral("trace"), QStringLiteral("Write every feature report to FILE."),
         QStringLiteral("FILE")},
        {QStringLiteral("unplug-after"),
         QStringLiteral("Destroy the devices after N feature reports."), QStringLiteral("N")},
        {QStringLiteral("replug-after"),
         QStringLiteral("Destroy the devices after N feature reports and create them again."),
         QStringLiteral("N")},
        {QStringLiteral("count"), QStringLiteral("K mice at once (default 1)."),
         QStringLiteral("K"), QStringLiteral("1")},
    });
    parser.process(app);

    VirtualMouseFirmware::Options options;
    options.family = parser.value(QStringLiteral("family"));
    const std::optional<qint64> unplug = count(parser, QStringLiteral("unplug-after"));
    const std::optional<qint64> replug = count(parser, QStringLiteral("replug-after"));
    bool countOk = false;
    const qint64 mice = parser.value(QStringLiteral("count")).toLongLong(&countOk);
    if (!unplug || !replug || !countOk || mice < 1 || mice > 16) {
        say(QStringLiteral("--unplug-after and --replug-after take a number of reports, "
                           "--count 1 to 16"));
        return 2;
    }
    options.unplugAfter = *unplug;
    options.replugAfter = *replug;
    options.count = int(mice);
    QString error;
    const std::unique_ptr<VirtualMouseFirmware> firmware =
        VirtualMouseFirmware::create(options, &error);
    if (!firmware) {
        say(error);
        return 2;
    }

    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    const int stopSignals = signalfd(-1, &stop, SFD_CLOEXEC);

    VirtualMouse mouse(*firmware, parser.value(QStringLiteral("state")),
                       parser.value(QStringLiteral("trace")));
    if (stopSignals < 0 || !mouse.start(&error)) {
        say(stopSignals < 0 ? QStringLiteral("cannot wait for stopSignals") : error);
        return 1;
    }
    mouse.run(stopSignals);
    return 0;
}

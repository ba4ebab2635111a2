#include "device/simulator_setup.h"

#include "records/file_kinds.h"
#include "device/simulated_mouse.h"
#include "device/tracing_backend.h"
#include "image/default_image.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <limits>
#include <type_traits>

namespace {

constexpr int kMaxLatencyMs = 10000;

const QString kSimulate = QStringLiteral("simulate");
const QString kSimState = QStringLiteral("sim-state");
const QString kTrace = QStringLiteral("trace");
const QString kUnplugAfter = QStringLiteral("sim-unplug-after");
const QString kFailReport = QStringLiteral("sim-fail-report");
const QString kLatency = QStringLiteral("sim-latency");
const QString kGarbleFrom = QStringLiteral("sim-garble-from");

std::optional<SimulatedMouseConfig> simulatorConfig(const QString &kind)
{
    if (kind.size() != 3)
        return std::nullopt;
    SimulatedMouseConfig config;
    if (kind.startsWith(QLatin1Char('a'))) {
        config.chipByte = 0x50;
        config.modeRegister = 4; // the one mode family A supports in both layouts
    } else if (kind.startsWith(QLatin1Char('b'))) {
        config.chipByte = 0xA0;
        config.modeRegister = 0;
    } else {
        return std::nullopt;
    }
    const QStringView layout = QStringView(kind).mid(1);
    if (layout == u"58")
        config.layoutByte = 58;
    else if (layout == u"42")
        config.layoutByte = 29;
    else
        return std::nullopt;
    return config;
}

// A whole number from `minimum` to `maximum`, or nullopt.
std::optional<qint64> number(const QString &text, qint64 minimum, qint64 maximum)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

// A file the program will write, by the rules of every file argument
// (app/file_kinds.h).
bool usableOutput(const QString &path, QString *error, const QString &what)
{
    *error = unusableFileReason(path, what);
    return error->isEmpty();
}

} // namespace

// The lock next to the memory file; the memory is loaded when it is taken and
// saved when it is let go.
class SimulatorSetup::MemoryFileLock final : public DeviceLock
{
public:
    MemoryFileLock(SimulatedMouse &mouse, const QString &memoryPath)
        : m_mouse(mouse), m_path(memoryPath), m_file(memoryPath + QStringLiteral(".lock"))
    {
        // Held as long as its owner runs (a window holds it for a whole
        // transfer), so its age says nothing; a dead owner is noticed.
        m_file.setStaleLockTime(0);
    }

    bool acquire(const IdPair &ids) override
    {
        Q_UNUSED(ids);
        if (!m_file.tryLock(kLockWaitMs)) {
            if (m_file.error() != QLockFile::LockFailedError)
                problem = QStringLiteral("cannot create the lock file \"%1.lock\"").arg(m_path);
            return false;
        }
        if (QFileInfo::exists(m_path) && !m_mouse.loadMemoryFile(m_path)) {
            problem = QStringLiteral("cannot use \"%1\" as simulated memory: it must be a "
                                     "readable file of exactly %2 bytes")
                          .arg(m_path)
                          .arg(SimulatedMouse::kMemorySize);
            m_file.unlock();
            return false;
        }
        return true;
    }

    void release() override
    {
        if (!m_file.isLocked())
            return;
        if (!m_mouse.saveMemoryFile(m_path))
            problem = QStringLiteral("cannot write the simulated memory \"%1\"").arg(m_path);
        m_file.unlock();
    }

    QString problem;

private:
    SimulatedMouse &m_mouse;
    QString m_path;
    QLockFile m_file;
};

SimulatorSetup::SimulatorSetup() = default;

SimulatorSetup::~SimulatorSetup() = default;

void SimulatorSetup::addOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {kSimulate,
         QStringLiteral("Use a simulated mouse instead of real HID: a58, b58, a42 or b42 (chip "
                        "family A or B, layout 58 or 42)."),
         QStringLiteral("KIND")},
        {kSimState,
         QStringLiteral("The simulated mouse's 65536-byte memory: loaded when the file exists, "
                        "saved when the program lets go of the mouse; FILE.lock keeps other "
                        "programs out meanwhile."),
         QStringLiteral("FILE")},
        {kTrace, QStringLiteral("Write every feature report exchanged with the mouse to FILE."),
         QStringLiteral("FILE")},
        {kUnplugAfter, QStringLiteral("The simulated mouse goes away after N feature reports."),
         QStringLiteral("N")},
        {kFailReport, QStringLiteral("The simulated mouse refuses its N-th feature report."),
         QStringLiteral("N")},
        {kGarbleFrom,
         QStringLiteral("From its N-th feature report on, the simulated mouse answers with "
                        "random bytes."),
         QStringLiteral("N")},
        {kLatency, QStringLiteral("The simulated mouse takes MS milliseconds per feature report."),
         QStringLiteral("MS")},
    });
}

std::optional<SimulatorOptions> SimulatorSetup::optionsFrom(const QCommandLineParser &parser,
                                                            QString *error)
{
    for (const QString &name :
         {kSimulate, kSimState, kTrace, kUnplugAfter, kFailReport, kGarbleFrom, kLatency}) {
        if (parser.isSet(name) && parser.value(name).isEmpty()) {
            *error = QStringLiteral("--%1 needs a value, not an empty one").arg(name);
            return std::nullopt;
        }
    }
    SimulatorOptions options;
    options.kind = parser.value(kSimulate);
    options.statePath = parser.value(kSimState);
    options.tracePath = parser.value(kTrace);
    if (parser.isSet(kSimulate) && !validKind(options.kind)) {
        *error = QStringLiteral("unknown simulated mouse \"%1\" (use a58, b58, a42 or b42)")
                     .arg(options.kind);
        return std::nullopt;
    }
    for (const QString &name : {kSimState, kUnplugAfter, kFailReport, kGarbleFrom, kLatency}) {
        if (parser.isSet(name) && !options.simulated()) {
            *error = QStringLiteral("--%1 needs --simulate").arg(name);
            return std::nullopt;
        }
    }
    // Each count as a whole number in its range, or a usage error naming it.
    const auto count = [&parser, error](const QString &name, qint64 minimum, qint64 maximum,
                                        const char *what, auto &target) {
        if (!parser.isSet(name))
            return true;
        const std::optional<qint64> value = number(parser.value(name), minimum, maximum);
        if (!value) {
            *error = QStringLiteral("--%1 must be %2, not \"%3\"")
                         .arg(name, QLatin1String(what), parser.value(name));
            return false;
        }
        target = std::remove_reference_t<decltype(target)>(*value);
        return true;
    };
    constexpr qint64 kMaxReports = std::numeric_limits<qint32>::max();
    if (!count(kUnplugAfter, 0, kMaxReports, "a number of reports from 0", options.unplugAfter) ||
        !count(kFailReport, 1, kMaxReports, "a report number from 1", options.failReport) ||
        !count(kGarbleFrom, 1, kMaxReports, "a report number from 1", options.garbleFrom) ||
        !count(kLatency, 0, kMaxLatencyMs, "0 to 10000 milliseconds", options.latencyMs))
        return std::nullopt;
    return options;
}

bool SimulatorSetup::validKind(const QString &kind)
{
    return simulatorConfig(kind).has_value();
}

std::optional<SimulatedMouseConfig> SimulatorSetup::mouseConfig(const QString &kind)
{
    return simulatorConfig(kind);
}

bool SimulatorSetup::placeDefaultImage(SimulatedMouse &mouse, int index)
{
    ImageBuffers image;
    return readDefaultImage(image) && mouse.placeImage(joinImage(image), index);
}

bool SimulatorSetup::start(const SimulatorOptions &options, DeviceClock &clock,
                           const BackendFactory &realBackend, const LockFactory &realLock,
                           QString *error)
{
    m_options = options;
    if (!options.tracePath.isEmpty() &&
        !usableOutput(options.tracePath, error, QStringLiteral("the trace")))
        return false;
    if (!options.simulated()) {
        m_hardware = realBackend ? realBackend() : nullptr;
        if (!m_hardware) {
            *error = QStringLiteral("no HID access on this platform");
            return false;
        }
        m_lock = realLock ? realLock() : nullptr;
    } else {
        const std::optional<SimulatedMouseConfig> kind = simulatorConfig(options.kind);
        if (!kind) {
            *error = QStringLiteral("unknown simulated mouse \"%1\" (use a58, b58, a42 or b42)")
                         .arg(options.kind);
            return false;
        }
        auto simulated = std::make_unique<SimulatedMouse>(*kind);
        simulated->setTraceEnabled(false); // the trace below covers real HID too
        if (!placeDefaultImage(*simulated, 0)) {
            *error = QStringLiteral("the embedded default image is missing");
            return false;
        }
        if (!options.statePath.isEmpty()) {
            if (!usableOutput(options.statePath, error, QStringLiteral("the simulated memory")))
                return false;
            const QFileInfo state(options.statePath);
            if (state.exists() && state.size() != SimulatedMouse::kMemorySize) {
                *error = QStringLiteral("cannot use \"%1\" as simulated memory: it must be a "
                                        "readable file of exactly %2 bytes")
                             .arg(options.statePath)
                             .arg(SimulatedMouse::kMemorySize);
                return false;
            }
            auto lock = std::make_unique<MemoryFileLock>(*simulated, options.statePath);
            m_memoryLock = lock.get();
            m_lock = std::move(lock);
        }
        simulated->unplugAfterReports(options.unplugAfter);
        simulated->failReportNumber(options.failReport);
        simulated->garbleRepliesFrom(options.garbleFrom);
        simulated->setLatency(&clock, options.latencyMs);
        m_simulated = simulated.get();
        m_hardware = std::move(simulated);
    }
    m_tracer = std::make_unique<TracingBackend>(*m_hardware);
    return true;
}

HidBackend &SimulatorSetup::backend()
{
    return *m_tracer;
}

DeviceLock *SimulatorSetup::lock()
{
    return m_lock.get();
}

QString SimulatorSetup::problem() const
{
    return m_memoryLock ? m_memoryLock->problem : QString();
}

bool SimulatorSetup::finish(QString *error)
{
    QStringList problems;
    if (!problem().isEmpty())
        problems.append(problem());
    if (m_tracer && !m_options.tracePath.isEmpty()) {
        QSaveFile file(m_options.tracePath);
        QByteArray text = m_tracer->lines().join(QLatin1Char('\n')).toLatin1();
        if (!text.isEmpty())
            text.append('\n');
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
            problems.append(
                QStringLiteral("cannot write the trace \"%1\"").arg(m_options.tracePath));
    }
    if (!problems.isEmpty())
        *error = problems.join(QStringLiteral("; "));
    return problems.isEmpty();
}

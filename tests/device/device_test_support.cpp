#include "device_test_support.h"

#include "image/default_image.h"

#include <QFile>

#include <algorithm>

QString reportHex(const HidReport &report)
{
    QString out;
    for (quint8 byte : report) {
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        out += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QStringList sentReports(const SimulatedMouse &sim, size_t from)
{
    QStringList out;
    const auto &trace = sim.trace();
    for (size_t i = from; i < trace.size(); ++i) {
        const auto &entry = trace[i];
        if (entry.direction != SimulatedMouse::TraceEntry::Set)
            continue;
        out << QStringLiteral("%1:%2%3")
                   .arg(entry.interfaceIndex)
                   .arg(reportHex(entry.bytes), entry.accepted ? QString() : QStringLiteral(" !"));
    }
    return out;
}

namespace {
// The trace entries from `from` on that `matches` picks.
template <typename Predicate>
int countTraced(const SimulatedMouse &sim, size_t from, Predicate matches)
{
    const auto &trace = sim.trace();
    if (from >= trace.size())
        return 0;
    return int(std::count_if(trace.begin() + qsizetype(from), trace.end(), matches));
}
} // namespace

int countSent(const SimulatedMouse &sim, quint8 reportId, size_t from)
{
    return countTraced(sim, from, [reportId](const SimulatedMouse::TraceEntry &entry) {
        return entry.direction == SimulatedMouse::TraceEntry::Set && entry.bytes[0] == reportId;
    });
}

int countFetched(const SimulatedMouse &sim, size_t from)
{
    return countTraced(sim, from, [](const SimulatedMouse::TraceEntry &entry) {
        return entry.direction == SimulatedMouse::TraceEntry::Get && entry.accepted;
    });
}

QStringList sentCommands(const SimulatedMouse &sim, size_t from)
{
    QStringList out;
    const auto &trace = sim.trace();
    for (size_t i = from; i < trace.size(); ++i) {
        const auto &entry = trace[i];
        if (entry.direction == SimulatedMouse::TraceEntry::Set && entry.accepted &&
            entry.bytes[0] == 0x40)
            out << reportHex(entry.bytes);
    }
    return out;
}

QByteArray defaultImage()
{
    QFile file(kDefaultImageResource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void RecordingObserver::transferStarted(TransferKind kind, int reportCount)
{
    lastKind = kind;
    announcedReports = reportCount;
    events << "busyStarted";
    ++busyDepth;
    maxBusyDepth = std::max(maxBusyDepth, busyDepth);
}

void RecordingObserver::transferProgress(int chunk, int chunkCount)
{
    Q_UNUSED(chunk);
    Q_UNUSED(chunkCount);
    ++progressCalls;
}

void RecordingObserver::transferEnded()
{
    events << "busyEnded";
    --busyDepth;
}

void RecordingObserver::mouseLost(const NoDeviceLabels &page, bool macroListsShown)
{
    events << (macroListsShown ? "mouseLost+macroLists" : "mouseLost");
    labelsChanged(page);
}

void RecordingObserver::mouseRejected(const NoDeviceLabels &page)
{
    events << "mouseRejected";
    labelsChanged(page);
}

void RecordingObserver::labelsChanged(const NoDeviceLabels &l)
{
    labels = l;
    QString text = QStringLiteral("labels:");
    if (l.lbl_NoDev)
        text += QStringLiteral("NoDev,");
    if (l.lbl_CheckDev)
        text += QStringLiteral("CheckDev,");
    if (l.lbl_TypeError)
        text += QStringLiteral("TypeError,");
    if (l.lbl_IDError)
        text += QStringLiteral("IDError,");
    if (l.lbl_NoAccess)
        text += QStringLiteral("NoAccess,");
    if (l.lbl_CheckAccess)
        text += QStringLiteral("CheckAccess,");
    events << text;
}

void RecordingObserver::readCompleted(bool familyA, bool familyB)
{
    events << QStringLiteral("showDevicePages:%1%2").arg(familyA ? "A" : "", familyB ? "B" : "");
}

void RecordingObserver::writeRequested(WriteCommand command)
{
    events << QStringLiteral("pressed:%1").arg(int(command));
}

void RecordingObserver::showMessage(const DeviceMessage &message)
{
    events << "message";
    messages << message.text(config ? config->text() : TextLookup());
}

void RecordingObserver::transferFailed(TransferKind kind, quint32 lostReports)
{
    failures << QStringLiteral("%1:%2").arg(int(kind)).arg(lostReports);
}

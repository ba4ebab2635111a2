#include "uhid_device.h"

#include <linux/uhid.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr quint16 kBusUsb = 0x03; // BUS_USB
}

bool UhidDevice::create(const QString &name, const QByteArray &descriptor, quint16 vendorId,
                        quint16 productId, QString *error)
{
    destroy();
    m_fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
        *error = QStringLiteral("cannot open /dev/uhid: %1")
                     .arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    uhid_event event{};
    event.type = UHID_CREATE2;
    const QByteArray utf8 = name.toUtf8().left(sizeof event.u.create2.name - 1);
    std::memcpy(event.u.create2.name, utf8.constData(), size_t(utf8.size()));
    const size_t size = std::min(size_t(descriptor.size()), sizeof event.u.create2.rd_data);
    std::memcpy(event.u.create2.rd_data, descriptor.constData(), size);
    event.u.create2.rd_size = quint16(size);
    event.u.create2.bus = kBusUsb;
    event.u.create2.vendor = vendorId;
    event.u.create2.product = productId;
    if (!send(&event, sizeof event)) {
        *error = QStringLiteral("/dev/uhid refused the device: %1")
                     .arg(QString::fromLocal8Bit(strerror(errno)));
        destroy();
        return false;
    }
    return true;
}

void UhidDevice::destroy()
{
    if (m_fd < 0)
        return;
    uhid_event event{};
    event.type = UHID_DESTROY;
    send(&event, sizeof event);
    ::close(m_fd);
    m_fd = -1;
}

bool UhidDevice::send(const void *event, size_t size)
{
    ssize_t written;
    do {
        written = ::write(m_fd, event, size);
    } while (written < 0 && errno == EINTR);
    return written == ssize_t(size);
}

std::optional<UhidDevice::Request> UhidDevice::read()
{
    if (m_fd < 0)
        return std::nullopt;
    uhid_event event{};
    ssize_t got;
    do {
        got = ::read(m_fd, &event, sizeof event);
    } while (got < 0 && errno == EINTR);
    if (got <= 0)
        return std::nullopt;
    Request request;
    if (event.type == UHID_GET_REPORT && event.u.get_report.rtype == UHID_FEATURE_REPORT) {
        request.kind = Request::GetFeature;
        request.id = event.u.get_report.id;
        request.reportId = event.u.get_report.rnum;
    } else if (event.type == UHID_SET_REPORT && event.u.set_report.rtype == UHID_FEATURE_REPORT) {
        request.kind = Request::SetFeature;
        request.id = event.u.set_report.id;
        request.reportId = event.u.set_report.rnum;
        const size_t size = std::min<size_t>(event.u.set_report.size, UHID_DATA_MAX);
        request.data =
            QByteArray(reinterpret_cast<const char *>(event.u.set_report.data), qsizetype(size));
    } else if (event.type == UHID_GET_REPORT) {
        // Input and output reports are not asked for; refuse them all the same.
        answerGet(event.u.get_report.id, std::nullopt);
    } else if (event.type == UHID_SET_REPORT) {
        answerSet(event.u.set_report.id, false);
    }
    return request;
}

void UhidDevice::answerGet(quint32 id, const std::optional<QByteArray> &report)
{
    uhid_event event{};
    event.type = UHID_GET_REPORT_REPLY;
    event.u.get_report_reply.id = id;
    event.u.get_report_reply.err = report ? 0 : EIO;
    if (report) {
        const size_t size = std::min(size_t(report->size()), sizeof event.u.get_report_reply.data);
        std::memcpy(event.u.get_report_reply.data, report->constData(), size);
        event.u.get_report_reply.size = quint16(size);
    }
    send(&event, sizeof event);
}

void UhidDevice::answerSet(quint32 id, bool accepted)
{
    uhid_event event{};
    event.type = UHID_SET_REPORT_REPLY;
    event.u.set_report_reply.id = id;
    event.u.set_report_reply.err = accepted ? 0 : EIO;
    send(&event, sizeof event);
}

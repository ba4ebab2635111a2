#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// One HID device in the kernel, made through /dev/uhid: it exists while the
// file is open. The kernel asks for feature reports with events read from
// the file; each is answered by its id.
class UhidDevice
{
public:
    struct Request
    {
        enum Kind
        {
            GetFeature,
            SetFeature,
            Other, // start, stop, open, close, output: nothing to answer
        };
        Kind kind = Other;
        quint32 id = 0;
        quint8 reportId = 0;
        QByteArray data; // SetFeature: the report, id first
    };

    UhidDevice() = default;
    ~UhidDevice() { destroy(); }
    UhidDevice(const UhidDevice &) = delete;
    UhidDevice &operator=(const UhidDevice &) = delete;

    // Creates the device on the USB bus; false with `error` when /dev/uhid
    // cannot be opened or refuses it.
    bool create(const QString &name, const QByteArray &descriptor, quint16 vendorId,
                quint16 productId, QString *error);
    void destroy();
    bool exists() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    // The next event; nullopt when none could be read.
    std::optional<Request> read();
    // The whole report (id first), or nullopt for a refused one.
    void answerGet(quint32 id, const std::optional<QByteArray> &report);
    void answerSet(quint32 id, bool accepted);

private:
    bool send(const void *event, size_t size);

    int m_fd = -1;
};

#pragma once

#include "device/hid_backend.h"

#include <QHash>

#include <vector>

struct hid_device_;

// HID access through hidapi (hidraw on Linux). hidapi 0.13 cannot report the
// feature report length, so it is computed from the interface's report
// descriptor, read from sysfs when the interface is opened.
class HidapiBackend final : public HidBackend
{
public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend &) = delete;
    HidapiBackend &operator=(const HidapiBackend &) = delete;

    // False when hidapi could not start; every search then finds nothing.
    bool isAvailable() const { return m_available; }

    QList<QByteArray> enumerateInterfaces() override;
    HidHandle open(const QByteArray &path) override;
    void close(HidHandle handle) override;
    // Ids from the last enumeration when the node exists but this user has
    // no read and write permission on it.
    std::optional<IdPair> deniedInterface(const QByteArray &path) override;
    // A node whose device went away reports an error on poll.
    bool isAlive(HidHandle handle) override;
    std::optional<IdPair> attributes(HidHandle handle) override;
    int featureReportLength(HidHandle handle) override;
    bool setFeature(HidHandle handle, const HidReport &report) override;
    bool getFeature(HidHandle handle, HidReport &report) override;

    // What hid_get_feature_report's result means: `got` bytes (report id
    // included) arrived in `reply`. Only a whole report counts; a shorter
    // one is a failed report rather than a zero-filled good one. On success
    // `report` becomes the reply.
    static bool takeFeatureReply(int got, const HidReport &reply, HidReport &report);

private:
    struct Open
    {
        hid_device_ *device = nullptr;
        QByteArray path;
        std::optional<IdPair> ids;
        int featureLength = -1; // -1: not read yet
    };
    Open *find(HidHandle handle);

    bool m_available = false;
    // Ids seen by the last enumeration, so attributes() needs no second walk.
    QHash<QByteArray, IdPair> m_ids;
    std::vector<Open> m_open; // handle = index
};

#pragma once

#include "device/device_observer.h"

#include <QString>
#include <QStringList>

#include <functional>

// The tool's side of the device link: a single updating progress line on
// standard error while a transfer runs (only when standard error is a
// terminal), and the messages the window would have shown in a box, worded
// by the tool and kept for the error line, with the reports a failed write
// lost.
class ProgressObserver final : public DeviceObserver
{
public:
    ProgressObserver();

    // What the next transfer is called on the progress line ("reading").
    void setActivity(const QString &activity) { m_activity = activity; }
    // How the messages are worded.
    void setWording(std::function<QString(const DeviceMessage &)> wording)
    {
        m_wording = std::move(wording);
    }
    const QStringList &messages() const { return m_messages; }
    // The reports the last failed write since clearMessages() lost.
    quint32 lostWriteReports() const { return m_lostWriteReports; }
    void clearMessages()
    {
        m_messages.clear();
        m_lostWriteReports = 0;
    }

    void transferStarted(TransferKind kind, int reportCount) override;
    void transferProgress(int chunk, int chunkCount) override;
    void transferEnded() override;
    void transferFailed(TransferKind kind, quint32 lostReports) override;
    void showMessage(const DeviceMessage &message) override;

private:
    void draw();

    bool m_terminal = false;
    QString m_activity = QStringLiteral("transferring");
    qint64 m_reports = 0;
    bool m_lineShown = false;
    QStringList m_messages;
    quint32 m_lostWriteReports = 0;
    std::function<QString(const DeviceMessage &)> m_wording;
};

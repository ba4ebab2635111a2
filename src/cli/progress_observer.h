#pragma once

#include "device/device_observer.h"

#include <QString>
#include <QStringList>

// The tool's side of the device link: a single updating progress line on
// standard error while a transfer runs (only when standard error is a
// terminal), and the messages the window would have shown in a box, kept
// for the error line.
class ProgressObserver final : public DeviceObserver
{
public:
    ProgressObserver();

    // What the next transfer is called on the progress line ("reading").
    void setActivity(const QString &activity) { m_activity = activity; }
    const QStringList &messages() const { return m_messages; }
    void clearMessages() { m_messages.clear(); }

    void transferStarted(TransferKind kind, int reportCount) override;
    void transferProgress(int chunk, int chunkCount) override;
    void transferEnded() override;
    void showMessage(const QString &text) override { m_messages.append(text); }

private:
    void draw();

    bool m_terminal = false;
    QString m_activity = QStringLiteral("transferring");
    qint64 m_reports = 0;
    bool m_lineShown = false;
    QStringList m_messages;
};

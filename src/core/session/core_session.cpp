#include "session/core_session.h"

std::unique_ptr<CoreSession> CoreSession::open(const SimulatorOptions &options,
                                               DeviceClock &waitClock,
                                               const RealDeviceFactories &real, QString *error)
{
    std::unique_ptr<CoreSession> session(new CoreSession());
    session->m_device = std::make_unique<SimulatorSetup>();
    if (!session->m_device->start(options, session->m_latencyClock, real.backend, real.lock, error))
        return nullptr;
    session->wire(session->m_device->backend(), waitClock);
    // The simulated memory follows the lock: it is saved whenever a search
    // or transfer lets the mouse go.
    session->m_link->setLock(session->m_device->lock());
    return session;
}

CoreSession::CoreSession() = default;

CoreSession::CoreSession(HidBackend &backend, DeviceClock &waitClock)
{
    wire(backend, waitClock);
}

CoreSession::~CoreSession() = default;

void CoreSession::wire(HidBackend &backend, DeviceClock &waitClock)
{
    m_waitClock = &waitClock;
    m_config.setMacroNameList(this);
    m_link = std::make_unique<DeviceLink>(m_config, backend, waitClock);
    m_link->transfer.setBackupStore(&m_backups);
}

void CoreSession::setBackupsEnabled(bool enabled)
{
    m_link->transfer.setBackupStore(enabled ? &m_backups : nullptr);
}

void CoreSession::setMacroNamesShown(std::function<void(const QStringList &)> shown)
{
    m_macroNamesShown = std::move(shown);
}

void CoreSession::takeNamesFromTable()
{
    m_macros.RefreshMacroName();
    if (m_macroNamesShown)
        m_macroNamesShown(m_macros.macroNames());
}

void CoreSession::putNamesIntoTable()
{
    m_macros.UIToMacroName();
}

QStringList CoreSession::macroNames() const
{
    return m_macros.macroNames();
}

bool CoreSession::holdMouse()
{
    return m_link->lockKeeper.held() || m_link->lockKeeper.enter(m_config.state().CandidateIds[0]);
}

QString CoreSession::lockProblem() const
{
    return m_device ? m_device->problem() : QString();
}

void CoreSession::release()
{
    while (m_link->lockKeeper.held())
        m_link->lockKeeper.leave();
}

bool CoreSession::finish(QString *error)
{
    release();
    return !m_device || m_device->finish(error);
}

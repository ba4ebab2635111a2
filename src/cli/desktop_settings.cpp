#include "desktop_settings.h"

#include "mouse_settings_store_factory.h"

DesktopSettingsUse::DesktopSettingsUse(MouseSession &session)
    : m_session(session), m_store(createMouseSettingsStore()),
      m_link(session.config().mouseSettingsPage())
{
    m_session.config().mouseSettingsPage().setStore(m_store.get());
    m_session.link().transfer.setMouseSystemSettings(&m_link);
}

DesktopSettingsUse::~DesktopSettingsUse()
{
    m_session.link().transfer.setMouseSystemSettings(nullptr);
    m_session.config().mouseSettingsPage().setStore(nullptr);
}

QString DesktopSettingsUse::description() const
{
    const Configuration &config = m_session.config();
    return config.mouseSettingsPage().storeDescription(config.text());
}

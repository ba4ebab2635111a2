#include "desktop_mouse_settings.h"

#include "mouse_settings_store_factory.h"

DesktopMouseSettings::DesktopMouseSettings(MouseSettingsPageModel &page,
                                           ConfigurationTransfer &transfer,
                                           std::unique_ptr<MouseSettingsStore> store)
    : m_page(page), m_transfer(transfer),
      m_store(store ? std::move(store) : createMouseSettingsStore()), m_link(page)
{
    m_page.setStore(m_store.get());
    m_transfer.setMouseSystemSettings(&m_link);
}

DesktopMouseSettings::~DesktopMouseSettings()
{
    m_transfer.setMouseSystemSettings(nullptr);
    m_page.setStore(nullptr);
}

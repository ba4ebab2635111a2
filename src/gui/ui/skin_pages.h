#pragma once

#include "device/device_observer.h"
#include "configuration/configuration.h"

#include <QHash>
#include <QString>

#include <functional>

class SkinElementSet;
class SkinModelView;
class SkinSignals;

// Which page shows: DisplayP*/HideP*, the page buttons and their notices,
// the no-device page, the read-only Fixed profile, the input cover during a
// transfer and the menus that close whenever a page changes.
class SkinPages
{
public:
    SkinPages(SkinElementSet &elements, Configuration &configuration, SkinModelView &view,
              const QHash<QString, QString> &storedTexts, SkinSignals &events);

    // Btn_MainClick and its twins.
    void pageButtonClick(Configuration::Page page);
    // Opens a page without the checks of its button: its tab marked, its
    // elements shown, the Fixed profile read-only.
    void openPage(Configuration::Page page);
    // The page of the configuration's current page, after the models changed.
    void followCurrentPage();
    void displayPage(int page); // DisplayP1_OnClick ... (1-4)
    void hidePage(int page);    // HideP1_OnClick ...
    void showPage(int page);    // page 1-4 shown, the other three hidden; 0 hides all
    void hideAllPages();
    // The macro page shows the insert group instead of the delay group while
    // the insert panel is open (kept by the macro editor).
    void setInsertPanelOpen(bool open) { m_insertPanelOpen = open; }
    bool insertPanelOpen() const { return m_insertPanelOpen; }
    void refreshAPPage();
    void refreshErrorAP();
    void buttonTypeB_1IconInit();
    void showNoDeviceLabels(const NoDeviceLabels &labels);
    // The no-device page's two lines say "no access" in place of "No Device
    // Found" while the mouse is there but its nodes cannot be opened.
    void showNoAccessTexts(const std::function<QString(const char *)> &text);
    void logNoDevicePage() const;
    void showDevicePages(bool familyA, bool familyB);
    void lockPageEdit() { setPageEditLocked(true); }
    void unlockPageEdit() { setPageEditLocked(false); }
    void beginBusy(); // the input cover Disable_All over the whole window
    void endBusy();
    // HideAllMenu: asks every menu to close (hideAllMenusRequested).
    void hideAllMenus();
    // The current page's button marked again after the pointer left it.
    void markSelectedPageButton();

private:
    void showNotice(const QString &key); // a message from a language key
    void setPageEditLocked(bool locked);

    SkinElementSet &m_elements;
    Configuration &m_configuration;
    SkinModelView &m_view;
    const QHash<QString, QString> &m_storedTexts;
    SkinSignals &m_events;
    NoDeviceLabels m_noDeviceLabels;
    bool m_insertPanelOpen = false;
};

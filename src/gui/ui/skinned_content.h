#pragma once

#include "device/device_observer.h"
#include "configuration/configuration.h"
#include "ui/layout.h"
#include "ui/skin_element_set.h"
#include "ui/skin_hover.h"
#include "ui/skin_language.h"
#include "ui/skin_layout.h"
#include "ui/skin_marquee.h"
#include "ui/skin_model_view.h"
#include "ui/skin_pages.h"
#include "ui/skin_signals.h"

#include <QHash>
#include <QString>
#include <QUrl>

#include <functional>

class QTimer;
class QWidget;

// Everything the skinned main window shows inside its 800 x 600 client
// area: the background, the command, page and language buttons, the
// no-device labels, the four pages with all their elements, the web button
// and the two cover labels.
//
// It owns and composes the parts that do the work: the named elements
// (SkinElementSet), the layout (SkinLayout), the captions (SkinLanguage),
// the pages (SkinPages), the rendering of the models (SkinModelView), the
// caption marquee (SkinMarquee) and the hover families (SkinHover). Their
// signals are its own (SkinSignals), so the window and the pages connect
// here and a click reaches them straight from the hover family.
//
// Every element carries its name as objectName, so the pages that add
// behaviour find it with client->findChild<...>("Key7").
class SkinnedContent : public SkinSignals
{
    Q_OBJECT
public:
    // Creates every element on `client` (which should be 800 x 600).
    SkinnedContent(QWidget *client, Configuration &configuration, QObject *parent = nullptr);
    ~SkinnedContent() override;

    QWidget *client() const { return m_elements.client(); }
    // An element by name, nullptr when absent.
    template <typename T = QWidget> T *element(const QString &name) const
    {
        return m_elements.element<T>(name);
    }

    // --- start-up -----------------------------------------------------------
    void loadSkinPictures(); // LoadSkinPictures
    void reloadPagePictures(int language) { m_layout.reloadPagePictures(language); }
    bool applyWebLink(); // ApplyWebLink; false (and a message) on a bad value
    bool applyWebLink(const WebLinkLayout &link) { return m_layout.applyWebLink(link); }
    // ApplyLayout; false (and a message) on a bad value
    bool applyLayout(int language) { return m_layout.applyLayout(language); }
    bool applyPageLayout(const PageLayout &layout) { return m_layout.applyPageLayout(layout); }
    void applyLanguage(int language) { m_language.applyLanguage(language); }
    void languageButtonClick(int language) { m_language.languageButtonClick(language); }
    void applyMacroNameHeight() { m_layout.applyMacroNameHeight(); }

    // --- pages (see SkinPages) ------------------------------------------------
    void pageButtonClick(Configuration::Page page) { m_pages.pageButtonClick(page); }
    void openPage(Configuration::Page page) { m_pages.openPage(page); }
    void followCurrentPage() { m_pages.followCurrentPage(); }
    Configuration::Page currentPage() const { return m_configuration.currentPage(); }
    void displayPage(int page) { m_pages.displayPage(page); }
    void hidePage(int page) { m_pages.hidePage(page); }
    void showPage(int page) { m_pages.showPage(page); }
    void hideAllPages() { m_pages.hideAllPages(); }
    void setInsertPanelOpen(bool open) { m_pages.setInsertPanelOpen(open); }
    bool insertPanelOpen() const { return m_pages.insertPanelOpen(); }
    void refreshAPPage() { m_pages.refreshAPPage(); }
    void refreshErrorAP() { m_pages.refreshErrorAP(); }
    void buttonTypeB_1IconInit() { m_pages.buttonTypeB_1IconInit(); }
    void showNoDeviceLabels(const NoDeviceLabels &labels) { m_pages.showNoDeviceLabels(labels); }
    void showDevicePages(bool familyA, bool familyB) { m_pages.showDevicePages(familyA, familyB); }
    void lockPageEdit() { m_pages.lockPageEdit(); }
    void unlockPageEdit() { m_pages.unlockPageEdit(); }
    void beginBusy() { m_pages.beginBusy(); }
    void endBusy() { m_pages.endBusy(); }
    void hideAllMenus() { m_pages.hideAllMenus(); }
    // BtnS_03 on Img_Confirm, Img_Apply or Img_Reset.
    void showPressed(DeviceObserver::WriteButton button);

    // --- models (see SkinModelView) -------------------------------------------
    void renderModels() { m_view.renderModels(); }
    void renderButtonCaptions() { m_view.renderButtonCaptions(); }
    void renderPages() { m_view.renderPages(); }

    // --- marquee --------------------------------------------------------------
    QTimer *labelRun() { return m_marquee.labelRun(); }
    void labelRunTick() { m_marquee.tick(); }
    void stopLabelRun() { m_marquee.stop(); }
    bool overRecordButton() const { return m_hover.overRecordButton(); }

    // --- stored values --------------------------------------------------------
    QString storedText(const QString &key) const { return m_storedTexts.value(key); }
    QString applicationTitle() const { return m_language.applicationTitle(); }
    const SkinStoredValues &storedValues() const { return m_layout.storedValues(); }
    QUrl webAddress() const { return m_layout.webAddress(); }
    // What opens the web address; QDesktopServices::openUrl unless set.
    // False from it brings a message naming the address.
    void setUrlOpener(std::function<bool(const QUrl &)> opener)
    {
        m_hover.setUrlOpener(std::move(opener));
    }

private:
    Configuration &m_configuration;
    std::function<void()> m_previousPagesRefreshed;
    // In construction order: each part uses only those above it.
    SkinElementSet m_elements;
    QHash<QString, QString> m_storedTexts; // filled by the language, read by the others
    SkinMarquee m_marquee;
    SkinLayout m_layout;
    SkinModelView m_view;
    SkinPages m_pages;
    SkinLanguage m_language;
    SkinHover m_hover;
};

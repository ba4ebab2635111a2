#pragma once

#include "device/device_observer.h"
#include "image/configuration.h"
#include "ui/caption_marquee.h"
#include "ui/language.h"
#include "ui/layout.h"

#include <QColor>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>

class QWidget;
class SkinLabel;
class SkinPicture;

// The layout values other pages use after a layout was applied: the DPI and
// fire-mode marking colours, the macro-page text colour and the macro-name
// row height.
struct SkinStoredValues
{
    QColor selected;
    QColor notSelected;
    QColor macroText;
    int macroNameHeight = 18;
};

// Everything the skinned main window shows inside its 800 x 600 client
// area: the background, the command, page and language buttons, the
// no-device labels, the four pages with all their elements, the web button
// and the two cover labels. It places them from the layout, captions them
// from the language, switches pages, swaps hover pictures and runs the
// caption marquee.
//
// Every element carries its name as objectName, so the pages that add
// behaviour find it with client->findChild<...>("Key7"). The window itself
// (frame, timers, device link, message boxes) listens to the signals.
class SkinnedContent : public QObject
{
    Q_OBJECT
public:
    // Creates every element on `client` (which should be 800 x 600).
    SkinnedContent(QWidget *client, Configuration &configuration, QObject *parent = nullptr);
    ~SkinnedContent() override;

    QWidget *client() const { return m_client; }
    // An element by name, nullptr when absent.
    template <typename T = QWidget> T *element(const QString &name) const
    {
        return qobject_cast<T *>(findElement(name));
    }

    // --- start-up -----------------------------------------------------------
    void loadSkinPictures();        // LoadSkinPictures
    void reloadPagePictures(int n); // ReloadPagePictures
    bool applyWebLink();            // ApplyWebLink; false (and a message) on a bad value
    bool applyWebLink(const WebLinkLayout &link); // the same for a link already read
    bool applyLayout(int language); // ApplyLayout; false (and a message) on a bad value
    // The values of a layout already read, in order; a layout that stopped
    // at a bad value is applied up to it and its message shown.
    bool applyPageLayout(const PageLayout &layout);
    void applyLanguage(int language);       // ApplyLanguage: layout, captions, stored texts
    void languageButtonClick(int language); // Btn_Lang1Click ... Btn_Lang3Click
    // Item height of LB_MacroName from the stored layout value.
    void applyMacroNameHeight();

    // --- pages --------------------------------------------------------------
    // Btn_MainClick and its twins.
    void pageButtonClick(Configuration::Page page);
    // Opens a page without the checks of its button: its tab marked, its
    // elements shown, the Fixed profile read-only.
    void openPage(Configuration::Page page);
    // The page of the configuration's current page, after the models changed.
    void followCurrentPage();
    Configuration::Page currentPage() const { return m_configuration.currentPage(); }
    void displayPage(int page); // DisplayP1_OnClick ... (1-4)
    void hidePage(int page);    // HideP1_OnClick ...
    void showPage(int page);    // page 1-4 shown, the other three hidden; 0 hides all
    void hideAllPages();
    // The macro page shows the insert group instead of the delay group while
    // the insert panel is open (kept by the macro editor).
    void setInsertPanelOpen(bool open);
    bool insertPanelOpen() const { return m_insertPanelOpen; }
    void refreshAPPage();
    void refreshErrorAP();
    void buttonTypeB_1IconInit();
    void showNoDeviceLabels(const NoDeviceLabels &labels);
    void showDevicePages(bool familyA, bool familyB);
    void lockPageEdit();
    void unlockPageEdit();
    void beginBusy(); // the input cover Disable_All over the whole window
    void endBusy();
    // HideAllMenu: asks every menu to close (hideAllMenusRequested).
    void hideAllMenus();
    // BtnS_03 on Img_Confirm, Img_Apply or Img_Reset.
    void showPressed(DeviceObserver::WriteButton button);

    // Key1-12 captions and the scale, DPI and choice pictures from the models.
    void renderModels();
    void renderButtonCaptions();
    void renderPages(); // everything but the button captions

    // --- marquee ------------------------------------------------------------
    QTimer *labelRun() { return &m_labelRun; }
    void labelRunTick(); // one LabelRun tick
    void stopLabelRun(); // caption restored, LabelRun off
    bool overRecordButton() const { return m_overRecordButton; }

    // --- stored values --------------------------------------------------------
    QString storedText(const QString &key) const { return m_storedTexts.value(key); }
    QString applicationTitle() const { return m_storedTexts.value(QStringLiteral("Title")); }
    const SkinStoredValues &storedValues() const { return m_stored; }
    QUrl webAddress() const { return m_webAddress; }
    // What opens the web address; QDesktopServices::openUrl unless set.
    // False from it brings a message naming the address.
    void setUrlOpener(std::function<bool(const QUrl &)> opener) { m_openUrl = std::move(opener); }

signals:
    void confirmClicked();
    void applyClicked();
    void resetClicked();
    void exitClicked();
    void saveClicked();
    void loadClicked();
    // A press on the background: the window starts the system move.
    void dragRequested();
    // The marquee started (DevTimer must stop) or stopped (DevTimer may run).
    void marqueeStarted();
    void marqueeStopped();
    // A message box: no icon, one OK button, the application title.
    void messageRequested(const QString &text);
    // The application title changed (a language was applied).
    void titleChanged(const QString &title);
    // Every menu should close (menus connect to this).
    void hideAllMenusRequested();
    // A page was opened by its button.
    void pageOpened(int page);

private:
    QWidget *findElement(const QString &name) const;
    SkinPicture *picture(const QString &name) const;
    SkinLabel *label(const QString &name) const;
    void setPicture(const QString &element, const QString &pictureName);
    void connectHoverFamilies();
    void connectCommandButtons();
    void connectPageButtons();
    void connectButtonLabels();
    void connectMacroButtons();
    void connectWebButton();
    void connectBackground();
    void setPageEditLocked(bool locked);
    void markSelectedPageButton();
    void markSelectedLanguageButton();
    void startMarquee(SkinLabel *label);
    void applyLayoutValue(const LayoutValue &value);
    void applyCaptions(const LanguageTable &texts);
    void openWebAddress();
    void showNotice(const QString &key); // a message from a language key
    // The breathing page's note, shown with the page while the image keeps
    // the light from being configured.
    void showBreathingNote();
    // The DPI captions at one size that fits the longest of them.
    void fitDpiCaptions();
    // The no-device page's two lines say "no access" in place of "No Device
    // Found" while the mouse is there but its nodes cannot be opened.
    void showNoAccessTexts(const std::function<QString(const char *)> &text);

    QWidget *m_client;
    Configuration &m_configuration;
    QHash<QString, QWidget *> m_elements;
    QHash<QString, QString> m_storedTexts;
    NoDeviceLabels m_noDeviceLabels;
    SkinStoredValues m_stored;
    QUrl m_webAddress;
    std::function<bool(const QUrl &)> m_openUrl;
    std::function<void()> m_previousPagesRefreshed;
    QTimer m_labelRun;
    CaptionMarquee m_marquee;
    QPointer<SkinLabel> m_marqueeLabel;
    bool m_overRecordButton = false;
    bool m_insertPanelOpen = false;
    int m_dpiPointSize = 0; // Size_D of the layout applied last
};

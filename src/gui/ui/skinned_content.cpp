#include "ui/skinned_content.h"

#include "image/page_buttons.h"
#include "ui/skin_elements.h"
#include "ui/skin_images.h"
#include "ui/skin_label.h"
#include "ui/skin_picture.h"

#include <QLineEdit>
#include <QWidget>

namespace {

QString pageButtonName(Configuration::Page page)
{
    return skin_elements::pageButtons().value(static_cast<int>(page));
}

} // namespace

SkinnedContent::SkinnedContent(QWidget *client, Configuration &configuration, QObject *parent)
    : QObject(parent), m_client(client), m_configuration(configuration),
      m_elements(skin_elements::create(client))
{
    m_labelRun.setInterval(200);
    connect(&m_labelRun, &QTimer::timeout, this, &SkinnedContent::labelRunTick);
    connectHoverFamilies();
    // The window re-renders whatever the models changed, keeping any hook
    // that was there before (and handing it back when the content goes).
    m_previousPagesRefreshed = m_configuration.PagesRefreshed;
    m_configuration.PagesRefreshed = [this] {
        if (m_previousPagesRefreshed)
            m_previousPagesRefreshed();
        renderModels();
        // A read, load or reset may name another profile: its tab and page
        // open with it.
        followCurrentPage();
    };
}

SkinnedContent::~SkinnedContent()
{
    m_configuration.PagesRefreshed = m_previousPagesRefreshed;
}

QWidget *SkinnedContent::findElement(const QString &name) const
{
    if (name.isEmpty())
        return nullptr; // findChild would take any unnamed child
    if (QWidget *widget = m_elements.value(name))
        return widget;
    // Elements other parts of the window add (menus) are found by name too.
    return m_client->findChild<QWidget *>(name);
}

SkinPicture *SkinnedContent::picture(const QString &name) const
{
    return element<SkinPicture>(name);
}

SkinLabel *SkinnedContent::label(const QString &name) const
{
    return element<SkinLabel>(name);
}

void SkinnedContent::setPicture(const QString &element, const QString &pictureName)
{
    if (SkinPicture *target = picture(element))
        target->setPicture(pictureName);
}

// --- pictures ---------------------------------------------------------------

void SkinnedContent::loadSkinPictures()
{
    const int language = 1;
    setPicture(QStringLiteral("Img_Base"), backgroundPictureName(language));
    if (isProfilePage(currentPage()))
        setPicture(QStringLiteral("Img_P1"), pagePictureName(language, 1));
    for (int page = 2; page <= 4; ++page)
        setPicture(QStringLiteral("Img_P%1").arg(page), pagePictureName(language, page));
    for (const QString &name : skin_elements::commandButtons())
        setPicture(skin_elements::pictureOf(name), QStringLiteral("BtnS_01"));
    for (const auto *list : {&skin_elements::pageButtons(), &skin_elements::fileButtons(),
                             &skin_elements::languageButtons()}) {
        for (const QString &name : *list)
            setPicture(skin_elements::pictureOf(name), QStringLiteral("SetS_01"));
    }
    setPicture(QStringLiteral("Img_Main"), QStringLiteral("SetS_02"));
    setPicture(QStringLiteral("Img_Lang1"), QStringLiteral("SetS_02"));
    for (int n = 1; n <= 12; ++n)
        setPicture(QStringLiteral("Img_Key%1").arg(n), QStringLiteral("KeyS_01"));
    setPicture(QStringLiteral("Img_Web"), QStringLiteral("WebS_01"));
    for (int n = 1; n <= 2; ++n)
        setPicture(QStringLiteral("Img_Mode%1Color").arg(n), QStringLiteral("Col_F"));
    for (const QString &name :
         skin_elements::macroCommandButtons() + skin_elements::recordButtons())
        setPicture(skin_elements::pictureOf(name), QStringLiteral("MacroS_01"));
    for (const QString &name : skin_elements::insertDialogButtons())
        setPicture(skin_elements::pictureOf(name), QStringLiteral("MacroBtnS_01"));
    setPicture(QStringLiteral("Img_InsertBase"), QStringLiteral("InsertDelayBase"));
    for (const char *name : {"LED_RecDelay", "LED_DelayTime", "LED_NoDelay", "LED_InsertRecDelay",
                             "LED_InsertDelayTime", "LED_InsertNoDelay"})
        setPicture(QString::fromLatin1(name), QStringLiteral("LED_E"));
    renderModels();
}

void SkinnedContent::reloadPagePictures(int language)
{
    setPicture(QStringLiteral("Img_Base"), backgroundPictureName(language));
    const int page = pagePictureNumber(currentPage());
    setPicture(QStringLiteral("Img_P%1").arg(page), pagePictureName(language, page));
}

// --- pages ------------------------------------------------------------------

void SkinnedContent::pageButtonClick(Configuration::Page page)
{
    const PageButtonDecision decision = decidePageButton(m_configuration, page);
    if (decision.outcome == PageButtonDecision::Outcome::ShowMessage) {
        showNotice(decision.messageKey);
        return;
    }
    if (decision.outcome == PageButtonDecision::Outcome::Ignore)
        return;
    openPage(page);
}

void SkinnedContent::showNotice(const QString &key)
{
    QString text = storedText(key);
    if (text.isEmpty() && m_configuration.text())
        text = m_configuration.text()(key);
    emit messageRequested(text);
}

void SkinnedContent::openPage(Configuration::Page page)
{
    hideAllMenus();
    buttonTypeB_1IconInit();
    m_configuration.setCurrentPage(page);
    const int pictureNumber = pagePictureNumber(page);
    showPage(pictureNumber);
    if (page == Configuration::Page::Fixed)
        lockPageEdit();
    else
        unlockPageEdit();
    if (isProfilePage(page))
        renderButtonCaptions();
    setPicture(skin_elements::pictureOf(pageButtonName(page)), QStringLiteral("SetS_02"));
    setPicture(QStringLiteral("Img_P%1").arg(pictureNumber),
               pagePictureName(m_configuration.state().CurrentLanguage, pictureNumber));
    emit pageOpened(pictureNumber);
}

void SkinnedContent::displayPage(int page)
{
    for (const QString &name : skin_elements::pageElements(page)) {
        if (QWidget *widget = findElement(name))
            widget->show();
    }
    if (page == 3)
        showBreathingNote();
    if (page == 4) {
        findElement(QStringLiteral("Gb_Delay"))->setVisible(!m_insertPanelOpen);
        findElement(QStringLiteral("Gb_Insert"))->setVisible(m_insertPanelOpen);
        findElement(QStringLiteral("Img_InsertBase"))->setVisible(m_insertPanelOpen);
    }
}

void SkinnedContent::showBreathingNote()
{
    SkinLabel *note = label(QStringLiteral("lbl_BreathNote"));
    note->setText(storedText(QStringLiteral("Str450")));
    note->setVisible(!findElement(QStringLiteral("Img_P3"))->isHidden() &&
                     BreathingPageModel::bypassed(m_configuration.sections()));
}

void SkinnedContent::hidePage(int page)
{
    for (const QString &name : skin_elements::pageElements(page)) {
        if (QWidget *widget = findElement(name))
            widget->hide();
    }
    if (page == 3)
        findElement(QStringLiteral("lbl_BreathNote"))->hide();
    if (page == 4) {
        for (const char *name : {"Gb_Delay", "Gb_Insert", "Img_InsertBase"})
            findElement(QString::fromLatin1(name))->hide();
    }
}

void SkinnedContent::showPage(int page)
{
    for (int n = 1; n <= 4; ++n) {
        if (n != page)
            hidePage(n);
    }
    if (page >= 1 && page <= 4)
        displayPage(page);
}

void SkinnedContent::hideAllPages()
{
    showPage(0);
}

void SkinnedContent::setInsertPanelOpen(bool open)
{
    m_insertPanelOpen = open;
}

void SkinnedContent::refreshAPPage()
{
    if (m_configuration.state().NoDevicePage)
        hideAllPages();
    else
        showPage(pagePictureNumber(currentPage()));
}

void SkinnedContent::refreshErrorAP()
{
    AppState &state = m_configuration.state();
    state.CommandHandle = kInvalidHandle;
    state.DataHandle = kInvalidHandle;
    state.NoDevicePage = true;
    hideAllPages();
    for (const QString &name : skin_elements::pageButtons())
        setPicture(skin_elements::pictureOf(name), QStringLiteral("SetS_01"));
}

void SkinnedContent::buttonTypeB_1IconInit()
{
    findElement(QStringLiteral("lbl_IDError"))->hide();
    findElement(QStringLiteral("lbl_TypeError"))->hide();
    m_configuration.state().NoDevicePage = false;
    for (const QString &name : skin_elements::pageButtons())
        setPicture(skin_elements::pictureOf(name), QStringLiteral("SetS_01"));
}

void SkinnedContent::showNoDeviceLabels(const NoDeviceLabels &labels)
{
    m_noDeviceLabels = labels;
    const auto text = [this](const char *key) {
        const QString name = QString::fromLatin1(key);
        return m_configuration.text() ? m_configuration.text()(name) : QString();
    };
    if (auto *line = element<QLabel>(QStringLiteral("lbl_NoDev")))
        line->setText(text("Str100"));
    if (auto *line = element<QLabel>(QStringLiteral("lbl_CheckDev")))
        line->setText(text("Str101"));
    showNoAccessTexts(text);
    findElement(QStringLiteral("lbl_NoDev"))->setVisible(labels.lbl_NoDev || labels.lbl_NoAccess);
    findElement(QStringLiteral("lbl_CheckDev"))
        ->setVisible(labels.lbl_CheckDev || labels.lbl_CheckAccess);
    findElement(QStringLiteral("lbl_TypeError"))->setVisible(labels.lbl_TypeError);
    findElement(QStringLiteral("lbl_IDError"))->setVisible(labels.lbl_IDError);
}

void SkinnedContent::showNoAccessTexts(const std::function<QString(const char *)> &text)
{
    if (!m_noDeviceLabels.lbl_NoAccess)
        return;
    if (auto *line = element<QLabel>(QStringLiteral("lbl_NoDev")))
        line->setText(text("Str104").arg(m_noDeviceLabels.deniedNodes));
    if (auto *line = element<QLabel>(QStringLiteral("lbl_CheckDev")))
        line->setText(text("Str105"));
}

void SkinnedContent::showDevicePages(bool familyA, bool familyB)
{
    if (familyB || familyA) {
        for (const char *name : {"Btn_Macro", "Img_Macro", "Key_Macro"}) {
            if (QWidget *widget = findElement(QString::fromLatin1(name)))
                widget->setVisible(familyB);
        }
        if (QWidget *menu = findElement(QStringLiteral("Pnl_Main")))
            menu->resize(menu->width(), familyB ? 146 : 122);
    }
    displayPage(1);
    unlockPageEdit();
    m_configuration.state().NoDevicePage = false;
    // The page of the selected tab opens again, also a profile whose tab a
    // click could not open: the tab always names the profile edited, and the
    // notice says why the mouse's buttons cannot reach it.
    const PageAfterRefresh after = pageAfterRefresh(m_configuration, familyB);
    openPage(after.page);
    if (!after.noticeKey.isEmpty())
        showNotice(after.noticeKey);
}

void SkinnedContent::followCurrentPage()
{
    // Only a window that shows a mouse's pages follows; the no-device state
    // and the start-up page stay as they are.
    if (!m_configuration.state().deviceOpen() || m_configuration.state().NoDevicePage)
        return;
    openPage(pageAfterRefresh(m_configuration, m_configuration.state().ChipFamilyB).page);
}

void SkinnedContent::lockPageEdit()
{
    setPageEditLocked(true);
}

void SkinnedContent::unlockPageEdit()
{
    setPageEditLocked(false);
}

void SkinnedContent::setPageEditLocked(bool locked)
{
    findElement(QStringLiteral("Disable"))->setVisible(locked);
    findElement(QStringLiteral("Gb_Delay"))->setEnabled(!locked);
    findElement(QStringLiteral("Gb_Insert"))->setEnabled(!locked);
    for (int n = 1; n <= 4; ++n) {
        for (const char *stem : {"Edt_Repeat", "Edt_DelayTime"}) {
            if (auto *edit = element<QLineEdit>(QString::fromLatin1(stem) + QString::number(n)))
                edit->setReadOnly(locked);
        }
    }
    findElement(QStringLiteral("lbl_csmode1"))->setEnabled(!locked);
    if (locked)
        m_configuration.breathingPage().LockPageEdit();
    else
        m_configuration.breathingPage().UnlockPageEdit();
}

void SkinnedContent::beginBusy()
{
    QWidget *cover = findElement(QStringLiteral("Disable_All"));
    cover->raise();
    cover->show();
    findElement(QStringLiteral("Gb_Delay"))->setEnabled(false);
    findElement(QStringLiteral("Gb_Insert"))->setEnabled(false);
}

void SkinnedContent::endBusy()
{
    findElement(QStringLiteral("Disable_All"))->hide();
    findElement(QStringLiteral("Gb_Delay"))->setEnabled(true);
    findElement(QStringLiteral("Gb_Insert"))->setEnabled(true);
}

void SkinnedContent::hideAllMenus()
{
    // The menus of the button pages and the macro list live elsewhere; they
    // are closed by name here, and whoever keeps menu state listens too.
    for (const char *name : {"Pnl_LRM", "Pnl_Main", "Pnl_MseKey", "Pnl_Special", "Pnl_ACPI",
                             "Pnl_Media", "Pnl_WWW", "Pnl_Fire", "LB_Name"}) {
        if (QWidget *menu = findElement(QString::fromLatin1(name)))
            menu->hide();
    }
    emit hideAllMenusRequested();
}

void SkinnedContent::showPressed(DeviceObserver::WriteButton button)
{
    static const char *const pictures[] = {"Img_Confirm", "Img_Apply", "Img_Reset"};
    setPicture(QString::fromLatin1(pictures[static_cast<int>(button)]), QStringLiteral("BtnS_03"));
}

void SkinnedContent::markSelectedPageButton()
{
    if (!m_configuration.state().NoDevicePage)
        setPicture(skin_elements::pictureOf(pageButtonName(currentPage())),
                   QStringLiteral("SetS_02"));
}

void SkinnedContent::markSelectedLanguageButton()
{
    setPicture(QStringLiteral("Img_Lang%1").arg(m_configuration.state().CurrentLanguage),
               QStringLiteral("SetS_02"));
}

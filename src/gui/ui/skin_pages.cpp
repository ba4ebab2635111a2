#include "ui/skin_pages.h"

#include "configuration/page_buttons.h"
#include "ui/skin_element_set.h"
#include "ui/skin_elements.h"
#include "ui/skin_images.h"
#include "ui/skin_label.h"
#include "ui/skin_model_view.h"
#include "ui/skin_signals.h"

#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QWidget>

namespace {

QString pageButtonName(Configuration::Page page)
{
    return skin_elements::pageButtons().value(static_cast<int>(page));
}

} // namespace

SkinPages::SkinPages(SkinElementSet &elements, Configuration &configuration, SkinModelView &view,
                     const QHash<QString, QString> &storedTexts, SkinSignals &events)
    : m_elements(elements), m_configuration(configuration), m_view(view),
      m_storedTexts(storedTexts), m_events(events)
{}

Q_LOGGING_CATEGORY(lcDevicePage, "gaming-mouse.device", QtWarningMsg)

void SkinPages::pageButtonClick(Configuration::Page page)
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

void SkinPages::showNotice(const QString &key)
{
    QString text = m_storedTexts.value(key);
    if (text.isEmpty() && m_configuration.text())
        text = m_configuration.text()(key);
    emit m_events.messageRequested(text);
}

void SkinPages::openPage(Configuration::Page page)
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
        m_view.renderButtonCaptions();
    m_elements.setPicture(skin_elements::pictureOf(pageButtonName(page)),
                          QStringLiteral("SetS_02"));
    m_elements.setPicture(QStringLiteral("Img_P%1").arg(pictureNumber),
                          pagePictureName(m_configuration.state().CurrentLanguage, pictureNumber));
    emit m_events.pageOpened(pictureNumber);
}

void SkinPages::displayPage(int page)
{
    for (const QString &name : skin_elements::pageElements(page)) {
        if (QWidget *widget = m_elements.find(name))
            widget->show();
    }
    if (page == 3)
        m_view.showBreathingNote();
    if (page == 4) {
        m_elements.find(QStringLiteral("Gb_Delay"))->setVisible(!m_insertPanelOpen);
        m_elements.find(QStringLiteral("Gb_Insert"))->setVisible(m_insertPanelOpen);
        m_elements.find(QStringLiteral("Img_InsertBase"))->setVisible(m_insertPanelOpen);
    }
}

void SkinPages::hidePage(int page)
{
    for (const QString &name : skin_elements::pageElements(page)) {
        if (QWidget *widget = m_elements.find(name))
            widget->hide();
    }
    if (page == 3)
        m_elements.find(QStringLiteral("lbl_BreathNote"))->hide();
    if (page == 4) {
        for (const char *name : {"Gb_Delay", "Gb_Insert", "Img_InsertBase"})
            m_elements.find(QString::fromLatin1(name))->hide();
    }
}

void SkinPages::showPage(int page)
{
    for (int n = 1; n <= 4; ++n) {
        if (n != page)
            hidePage(n);
    }
    if (page >= 1 && page <= 4)
        displayPage(page);
}

void SkinPages::hideAllPages()
{
    showPage(0);
}

void SkinPages::refreshAPPage()
{
    if (m_configuration.state().NoDevicePage)
        hideAllPages();
    else
        showPage(pagePictureNumber(m_configuration.currentPage()));
}

void SkinPages::refreshErrorAP()
{
    AppState &state = m_configuration.state();
    state.CommandHandle = kInvalidHandle;
    state.DataHandle = kInvalidHandle;
    state.NoDevicePage = true;
    hideAllPages();
    for (const QString &name : skin_elements::pageButtons())
        m_elements.setPicture(skin_elements::pictureOf(name), QStringLiteral("SetS_01"));
}

void SkinPages::buttonTypeB_1IconInit()
{
    m_elements.find(QStringLiteral("lbl_IDError"))->hide();
    m_elements.find(QStringLiteral("lbl_TypeError"))->hide();
    m_configuration.state().NoDevicePage = false;
    for (const QString &name : skin_elements::pageButtons())
        m_elements.setPicture(skin_elements::pictureOf(name), QStringLiteral("SetS_01"));
}

void SkinPages::showNoDeviceLabels(const NoDeviceLabels &labels)
{
    m_noDeviceLabels = labels;
    const auto text = [this](const char *key) {
        const QString name = QString::fromLatin1(key);
        return m_configuration.text() ? m_configuration.text()(name) : QString();
    };
    if (auto *line = m_elements.element<QLabel>(QStringLiteral("lbl_NoDev")))
        line->setText(text("Str100"));
    if (auto *line = m_elements.element<QLabel>(QStringLiteral("lbl_CheckDev")))
        line->setText(text("Str101"));
    showNoAccessTexts(text);
    m_elements.find(QStringLiteral("lbl_NoDev"))
        ->setVisible(labels.lbl_NoDev || labels.lbl_NoAccess);
    m_elements.find(QStringLiteral("lbl_CheckDev"))
        ->setVisible(labels.lbl_CheckDev || labels.lbl_CheckAccess);
    m_elements.find(QStringLiteral("lbl_TypeError"))->setVisible(labels.lbl_TypeError);
    m_elements.find(QStringLiteral("lbl_IDError"))->setVisible(labels.lbl_IDError);
    logNoDevicePage();
}

// Run with QT_LOGGING_RULES="gaming-mouse.device.info=true" to see, on
// standard error, what the no-device page tells the user.
void SkinPages::logNoDevicePage() const
{
    QStringList shown;
    for (const char *name : {"lbl_NoDev", "lbl_CheckDev", "lbl_TypeError", "lbl_IDError"}) {
        const auto *line = m_elements.element<QLabel>(QString::fromLatin1(name));
        if (line && !line->isHidden())
            shown << line->text();
    }
    qCInfo(lcDevicePage).noquote() << "no-device page:" << shown.join(QStringLiteral(" / "));
}

void SkinPages::showNoAccessTexts(const std::function<QString(const char *)> &text)
{
    if (!m_noDeviceLabels.lbl_NoAccess)
        return;
    if (auto *line = m_elements.element<QLabel>(QStringLiteral("lbl_NoDev")))
        line->setText(text("Str104").arg(m_noDeviceLabels.deniedNodes));
    if (auto *line = m_elements.element<QLabel>(QStringLiteral("lbl_CheckDev")))
        line->setText(text("Str105"));
}

void SkinPages::showDevicePages(bool familyA, bool familyB)
{
    if (familyB || familyA) {
        for (const char *name : {"Btn_Macro", "Img_Macro", "Key_Macro"}) {
            if (QWidget *widget = m_elements.find(QString::fromLatin1(name)))
                widget->setVisible(familyB);
        }
        if (QWidget *menu = m_elements.find(QStringLiteral("Pnl_Main")))
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

void SkinPages::followCurrentPage()
{
    // Only a window that shows a mouse's pages follows; the no-device state
    // and the start-up page stay as they are.
    if (!m_configuration.state().deviceOpen() || m_configuration.state().NoDevicePage)
        return;
    openPage(pageAfterRefresh(m_configuration, m_configuration.state().ChipFamilyB).page);
}

void SkinPages::setPageEditLocked(bool locked)
{
    m_elements.find(QStringLiteral("Disable"))->setVisible(locked);
    m_elements.find(QStringLiteral("Gb_Delay"))->setEnabled(!locked);
    m_elements.find(QStringLiteral("Gb_Insert"))->setEnabled(!locked);
    for (int n = 1; n <= 4; ++n) {
        for (const char *stem : {"Edt_Repeat", "Edt_DelayTime"}) {
            if (auto *edit =
                    m_elements.element<QLineEdit>(QString::fromLatin1(stem) + QString::number(n)))
                edit->setReadOnly(locked);
        }
    }
    m_elements.find(QStringLiteral("lbl_csmode1"))->setEnabled(!locked);
    if (locked)
        m_configuration.breathingPage().LockPageEdit();
    else
        m_configuration.breathingPage().UnlockPageEdit();
}

void SkinPages::beginBusy()
{
    QWidget *cover = m_elements.find(QStringLiteral("Disable_All"));
    cover->raise();
    cover->show();
    m_elements.find(QStringLiteral("Gb_Delay"))->setEnabled(false);
    m_elements.find(QStringLiteral("Gb_Insert"))->setEnabled(false);
}

void SkinPages::endBusy()
{
    m_elements.find(QStringLiteral("Disable_All"))->hide();
    m_elements.find(QStringLiteral("Gb_Delay"))->setEnabled(true);
    m_elements.find(QStringLiteral("Gb_Insert"))->setEnabled(true);
}

void SkinPages::hideAllMenus()
{
    // The menus of the button pages and the macro list live elsewhere; they
    // are closed by name here, and whoever keeps menu state listens too.
    for (const char *name : {"Pnl_LRM", "Pnl_Main", "Pnl_MseKey", "Pnl_Special", "Pnl_ACPI",
                             "Pnl_Media", "Pnl_WWW", "Pnl_Fire", "LB_Name"}) {
        if (QWidget *menu = m_elements.find(QString::fromLatin1(name)))
            menu->hide();
    }
    emit m_events.hideAllMenusRequested();
}

void SkinPages::markSelectedPageButton()
{
    if (!m_configuration.state().NoDevicePage)
        m_elements.setPicture(
            skin_elements::pictureOf(pageButtonName(m_configuration.currentPage())),
            QStringLiteral("SetS_02"));
}

#include "app/skinned_content_port.h"

#include "buttons/button_pages.h"
#include "macros/macro_page.h"
#include "settings/settings_pages.h"
#include "ui/skin_picture.h"
#include "ui/skinned_content.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>

SkinnedContentPort::SkinnedContentPort(QWidget *client, Configuration &config)
    : m_config(config), m_skin(new SkinnedContent(client, config, this))
{
    // The button pages' menus lie beside the skin's labels and close with it.
    m_buttons = new ButtonPages(client, config, this);
    connect(m_skin, &SkinSignals::hideAllMenusRequested, m_buttons, &ButtonPages::HideAllMenu);
    connect(m_skin, &SkinSignals::titleChanged, m_buttons, &ButtonPages::languageChanged);
}

SkinSignals &SkinnedContentPort::signalSource()
{
    return *m_skin;
}

void SkinnedContentPort::attachSettingsPages()
{
    ::attachSettingsPages(*m_skin, m_config);
}

void SkinnedContentPort::stretchInputCover()
{
    if (QWidget *cover = m_skin->element(QStringLiteral("Disable_All"))) {
        cover->setGeometry(0, 0, 800, 600);
        cover->hide();
    }
}

void SkinnedContentPort::showFirstPage()
{
    m_skin->displayPage(1);
    for (int page = 2; page <= 4; ++page)
        m_skin->hidePage(page);
}

void SkinnedContentPort::LoadSkinPictures()
{
    m_skin->loadSkinPictures();
}

void SkinnedContentPort::ApplyWebLink()
{
    m_skin->applyWebLink();
}

void SkinnedContentPort::ApplyLanguage(int language)
{
    m_skin->applyLanguage(language);
}

void SkinnedContentPort::applyMacroRowHeight()
{
    m_skin->applyMacroNameHeight();
}

void SkinnedContentPort::alignFireEdits()
{
    for (const QString &prefix : {QStringLiteral("Edt_Repeat"), QStringLiteral("Edt_DelayTime")})
        for (int i = 1; i <= 4; ++i)
            if (auto *edit = m_skin->element<QLineEdit>(prefix + QString::number(i)))
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void SkinnedContentPort::languageButtonClick(int language)
{
    m_skin->languageButtonClick(language);
}

QString SkinnedContentPort::applicationTitle() const
{
    return m_skin->applicationTitle();
}

QString SkinnedContentPort::okButtonText() const
{
    return m_skin->storedText(QStringLiteral("Str420"));
}

void SkinnedContentPort::BeginBusy()
{
    m_skin->beginBusy();
}

void SkinnedContentPort::EndBusy()
{
    m_skin->endBusy();
}

void SkinnedContentPort::showNoDeviceLabels(const NoDeviceLabels &labels)
{
    m_skin->showNoDeviceLabels(labels);
}

void SkinnedContentPort::HideAllMenu()
{
    m_skin->hideAllMenus();
}

void SkinnedContentPort::stopLabelRun()
{
    m_skin->stopLabelRun();
}

void SkinnedContentPort::hideAllPages()
{
    m_skin->refreshErrorAP();
}

void SkinnedContentPort::clearList(const QString &name)
{
    if (auto *list = m_skin->element<QListWidget>(name))
        list->clear();
}

void SkinnedContentPort::attachMacroPage(MacroEditor &editor)
{
    if (m_macroPage)
        return;
    m_macroPage = new MacroPage(*m_skin, editor, m_config, this);
    connect(m_macroPage, &MacroPage::messageRequested, m_skin, &SkinSignals::messageRequested);
}

void SkinnedContentPort::clearMacroLists()
{
    if (m_macroPage)
        m_macroPage->closeMacro();
    clearList(QStringLiteral("LB_MacroName"));
    clearList(QStringLiteral("LB_Name"));
    clearList(QStringLiteral("LB_macro"));
}

void SkinnedContentPort::showMacroNames(const QStringList &names)
{
    if (m_macroPage) {
        m_macroPage->renderNames(); // the names with the selected macro marked
        return;
    }
    if (auto *list = m_skin->element<QListWidget>(QStringLiteral("LB_MacroName"))) {
        list->clear();
        list->addItems(names);
    }
}

void SkinnedContentPort::ShowDevicePages(bool familyA, bool familyB)
{
    m_skin->showDevicePages(familyA, familyB);
}

void SkinnedContentPort::clearMacroEditor()
{
    if (m_macroPage)
        m_macroPage->closeMacro();
    clearList(QStringLiteral("LB_MacroName"));
    clearList(QStringLiteral("LB_macro"));
    for (const QString &memo : {QStringLiteral("mmo_macro"), QStringLiteral("mmo_wrscript")}) {
        if (auto *plain = m_skin->element<QPlainTextEdit>(memo))
            plain->clear();
        else if (auto *rich = m_skin->element<QTextEdit>(memo))
            rich->clear();
    }
}

void SkinnedContentPort::showPressed(DeviceObserver::WriteButton button)
{
    m_skin->showPressed(button);
}

void SkinnedContentPort::showFileButtonPressed(bool save)
{
    if (auto *picture = m_skin->element<SkinPicture>(save ? QStringLiteral("Img_Save")
                                                          : QStringLiteral("Img_Load")))
        picture->setPicture(QStringLiteral("SetS_02"));
}

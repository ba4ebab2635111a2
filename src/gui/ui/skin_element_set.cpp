#include "ui/skin_element_set.h"

#include "settings/setting_declarations.h"
#include "ui/skin_elements.h"
#include "ui/skin_images.h"
#include "ui/skin_label.h"
#include "ui/skin_picture.h"

#include <QWidget>

SkinElementSet::SkinElementSet(QWidget *client)
    : m_client(client), m_elements(skin_elements::create(client))
{}

QWidget *SkinElementSet::find(const QString &name) const
{
    if (name.isEmpty())
        return nullptr; // findChild would take any unnamed child
    if (QWidget *widget = m_elements.value(name))
        return widget;
    // Elements other parts of the window add (menus) are found by name too.
    return m_client->findChild<QWidget *>(name);
}

SkinPicture *SkinElementSet::picture(const QString &name) const
{
    return element<SkinPicture>(name);
}

SkinLabel *SkinElementSet::label(const QString &name) const
{
    return element<SkinLabel>(name);
}

void SkinElementSet::setPicture(const QString &element, const QString &pictureName)
{
    if (SkinPicture *target = picture(element))
        target->setPicture(pictureName);
}

void SkinElementSet::loadStartPictures(bool profilePage)
{
    const int language = 1;
    setPicture(QStringLiteral("Img_Base"), backgroundPictureName(language));
    if (profilePage)
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
    for (int n = 1; n <= settings::kButtonsPerProfile; ++n)
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
}

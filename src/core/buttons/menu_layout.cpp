#include "buttons/menu_layout.h"
#include "settings/setting_declarations.h"

#include "buttons/function_codes.h"

namespace {

constexpr MenuSet kSubMenus = menuBit(MenuId::MseKey) | menuBit(MenuId::Special) |
                              menuBit(MenuId::ACPI) | menuBit(MenuId::Fire) |
                              menuBit(MenuId::Media) | menuBit(MenuId::WWW) |
                              menuBit(MenuId::MacroList);

MenuEntry branch(const char *name, int tag, const char *textKey)
{
    return {QString::fromLatin1(name), tag, QString::fromLatin1(textKey), true};
}

MenuEntry choice(const char *name, int choiceNumber)
{
    return {QString::fromLatin1(name), choiceNumber, ChoiceTextKey(choiceNumber), false};
}

} // namespace

QList<MenuEntry> MenuEntries(MenuId menu)
{
    switch (menu) {
    case MenuId::LRM:
        return {choice("Key_L", 900), choice("Key_R", 901), choice("Key_M", 902)};
    case MenuId::Main:
        return {branch("Key_Standard", 1, "Str201"),
                branch("Key_Special", 2, "Str202"),
                branch("Key_Media", 3, "Str203"),
                branch("Key_WWW", 4, "Str204"),
                {QStringLiteral("Key_Assembly"), 0, QStringLiteral("Str205"), false},
                branch("Key_Macro", 7, "Str206")};
    case MenuId::MseKey:
        return {choice("Key_Left", 900), choice("Key_Right", 901), choice("Key_Middle", 902),
                choice("Key_B4", 903), choice("Key_B5", 904)};
    case MenuId::Special:
        return {branch("Key_ACPI", 5, "Str220"), branch("Key_Fire", 6, "Str230"),
                choice("Key_FireMode", 1000),    choice("Key_AIM", 1001),
                choice("Key_Profile", 1002),     choice("Key_ReportRate", 1004),
                choice("Key_Default", 1005),     choice("Key_LEDMode", 1006),
                choice("Key_CPI", 1003),         choice("Key_CPII", 1007),
                choice("Key_CPID", 1008)};
    case MenuId::ACPI:
        return {choice("Key_Power", 1100), choice("Key_Sleep", 1101), choice("Key_WakeUp", 1102)};
    case MenuId::Fire:
        return {choice("Key_FireMode1", 1200), choice("Key_FireMode2", 1201),
                choice("Key_FireMode3", 1202), choice("Key_FireMode4", 1203)};
    case MenuId::Media:
        return {choice("Key_PlayPause", 1300),     choice("Key_Stop", 1301),
                choice("Key_PreviousTrack", 1302), choice("Key_NextTrack", 1303),
                choice("Key_VolumePlus", 1304),    choice("Key_VolumeMinus", 1305),
                choice("Key_Mute", 1306)};
    case MenuId::WWW:
        return {choice("Key_WWWHome", 1400),     choice("Key_WWWSearch", 1401),
                choice("Key_WWWBack", 1402),     choice("Key_WWWForward", 1403),
                choice("Key_WWWStop", 1404),     choice("Key_WWWRefresh", 1405),
                choice("Key_WWWFavorites", 1406)};
    case MenuId::MacroList:
        break;
    }
    return {};
}

QRect MenuEntryRect(MenuId menu, int entryIndex)
{
    const int width = menu == MenuId::Main ? kMainMenuEntryWidth : kSubMenuEntryWidth;
    return QRect(kMenuEntryLeft, 1 + kMenuEntryHeight * entryIndex, width, kMenuEntryHeight);
}

int MainMenuHeight(bool chipFamilyB)
{
    return chipFamilyB ? 146 : 122;
}

int SpecialMenuHeight(int imageLayoutCode)
{
    // Only the layout-58 mice know CPI + and CPI -; for any other layout the
    // panel is cut above those two entries, so they cannot be chosen.
    return imageLayoutCode == 58 ? 266 : 218;
}

QSize MenuSize(MenuId menu, bool chipFamilyB, int imageLayoutCode)
{
    switch (menu) {
    case MenuId::Main:
        return {kMainMenuWidth, MainMenuHeight(chipFamilyB)};
    case MenuId::Special:
        return {kSubMenuWidth, SpecialMenuHeight(imageLayoutCode)};
    case MenuId::LRM:
    case MenuId::ACPI:
        return {kSubMenuWidth, 74};
    case MenuId::Fire:
        return {kSubMenuWidth, 98};
    case MenuId::MseKey:
        return {kSubMenuWidth, 122};
    case MenuId::Media:
    case MenuId::WWW:
        return {kSubMenuWidth, 170};
    case MenuId::MacroList:
        return {kSubMenuWidth, 100};
    }
    return {};
}

MenuId MenuForButton(int button)
{
    return settings::takesOnlyMouseButtons(button) ? MenuId::LRM : MenuId::Main;
}

MenuId SubMenuForTag(int tag)
{
    switch (tag) {
    case 1:
        return MenuId::MseKey;
    case 2:
        return MenuId::Special;
    case 3:
        return MenuId::Media;
    case 4:
        return MenuId::WWW;
    case 5:
        return MenuId::ACPI;
    case 6:
        return MenuId::Fire;
    case 7:
        return MenuId::MacroList;
    default:
        return MenuId::Main;
    }
}

QPoint ButtonMenuPosition(const QRect &label, MenuId menu, int menuHeight)
{
    // Both button menus step left by the main menu's width on the right half.
    int left = label.x() + label.width() / 2;
    if (label.x() >= kWindowMiddle)
        left -= kMainMenuWidth;
    int top = label.y() + label.height() / 2;
    if (menu == MenuId::Main && label.y() + menuHeight >= kWindowHeight)
        top -= menuHeight;
    return {left, top};
}

QPoint SubMenuPosition(const QPoint &mainMenu, const QRect &entry, int subMenuHeight)
{
    // On the right half the sub-menu overlaps the main menu by 26 pixels.
    const int left = mainMenu.x() < kWindowMiddle ? mainMenu.x() + entry.x() + entry.width()
                                                  : mainMenu.x() - entry.x() - entry.width() + 26;
    int top = mainMenu.y() + entry.y();
    if (top + subMenuHeight >= kWindowHeight)
        top = mainMenu.y() + entry.y() + entry.height() - subMenuHeight;
    return {left, top};
}

QPoint SpecialSubMenuPosition(const QPoint &mainMenu, const QPoint &specialMenu, const QRect &entry)
{
    const int left = mainMenu.x() < kWindowMiddle ? specialMenu.x() + entry.x() + entry.width()
                                                  : specialMenu.x() - entry.x() - entry.width();
    return {left, specialMenu.y() + entry.y()};
}

MenuSet MenusAfterBranchEnter(int tag, MenuSet open, bool macroListHasEntries)
{
    if (tag < 1 || tag > 7)
        return open;
    MenuSet keep = menuBit(MenuId::Main);
    if (tag == 5 || tag == 6)
        keep |= menuBit(MenuId::Special) | menuBit(SubMenuForTag(tag));
    else if (tag == 7)
        keep |=
            macroListHasEntries ? menuBit(MenuId::MacroList) : open & menuBit(MenuId::MacroList);
    else
        keep |= menuBit(SubMenuForTag(tag));
    return (open & ~kSubMenus) | keep;
}

MenuSet MenusAfterFinalEnter(MenuId menu, MenuSet open)
{
    if (menu == MenuId::Main)
        return open & ~kSubMenus;
    if (menu == MenuId::Special)
        return open & ~(menuBit(MenuId::ACPI) | menuBit(MenuId::Fire));
    return open;
}

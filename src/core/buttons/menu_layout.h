#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

// The pop-up menus of the button pages: their entries, sizes, where they open
// and which of them stay open while the pointer moves through them. Widgets
// draw what these functions say; the rules live here.

enum class MenuId
{
    LRM,      // Pnl_LRM, buttons 1-3
    Main,     // Pnl_Main, buttons 4-12
    MseKey,   // Pnl_MseKey
    Special,  // Pnl_Special
    ACPI,     // Pnl_ACPI
    Fire,     // Pnl_Fire
    Media,    // Pnl_Media
    WWW,      // Pnl_WWW
    MacroList // LB_Name
};

struct MenuEntry
{
    QString objectName; // "Key_Standard"
    int tag;            // sub-menu number 1..7, or a choice number (0 for Key_Assembly)
    QString textKey;    // language key of the entry's text
    bool opensSubMenu;  // carries the ">>" arrow
};

inline constexpr int kWindowWidth = 800;
inline constexpr int kWindowHeight = 600;
inline constexpr int kWindowMiddle = 400;
inline constexpr int kMainMenuWidth = 190;
inline constexpr int kSubMenuWidth = 164;
inline constexpr int kMenuEntryLeft = 2;
inline constexpr int kMenuEntryHeight = 24;
inline constexpr int kMainMenuEntryWidth = 186;
inline constexpr int kSubMenuEntryWidth = 160;
inline constexpr int kMacroListRowHeight = 20;

// Entries of a menu, top to bottom; the macro list has none (its rows are the
// macro names).
QList<MenuEntry> MenuEntries(MenuId menu);

// Geometry of entry i (0-based) inside its menu.
QRect MenuEntryRect(MenuId menu, int entryIndex);

// Panel sizes. The main menu loses its macro entry on mice without macro
// memory; the special menu hides CPI + and CPI - on layout-42 mice.
QSize MenuSize(MenuId menu, bool chipFamilyB, int imageLayoutCode);
int MainMenuHeight(bool chipFamilyB);
int SpecialMenuHeight(int imageLayoutCode);

// Pnl_LRM for buttons 1-3, Pnl_Main for 4-12.
MenuId MenuForButton(int button);

// Sub-menu number (tag 1..7) -> the menu it opens; MenuId::Main for other tags.
MenuId SubMenuForTag(int tag);

// Where a button's menu opens, from the clicked label's geometry: towards the
// window's middle, and for the main menu upwards when it would reach the
// bottom edge.
QPoint ButtonMenuPosition(const QRect &label, MenuId menu, int menuHeight);

// Where a sub-menu of the main menu opens (tags 1-4 and 7), beside the entry
// pointed at; it is lifted so that it ends with the entry when it would reach
// the bottom edge.
QPoint SubMenuPosition(const QPoint &mainMenu, const QRect &entry, int subMenuHeight);

// Where a sub-menu of the special menu opens (tags 5 and 6). The side follows
// the main menu, so the cascade keeps running the same way.
QPoint SpecialSubMenuPosition(const QPoint &mainMenu, const QPoint &specialMenu,
                              const QRect &entry);

// The set of open menus, one bit per MenuId.
using MenuSet = unsigned;
constexpr MenuSet menuBit(MenuId menu)
{
    return 1u << unsigned(menu);
}
inline constexpr MenuSet kNoMenus = 0;

// Open menus after the pointer enters a branch entry with this tag; the macro
// list opens only when there are macro names to show.
MenuSet MenusAfterBranchEnter(int tag, MenuSet open, bool macroListHasEntries);

// Open menus after the pointer enters a final entry of `menu` (Key_Assembly
// counts as a final entry of the main menu): entering another branch closes
// the sub-menus it does not belong to.
MenuSet MenusAfterFinalEnter(MenuId menu, MenuSet open);

#pragma once

#include "buttons/key_combination_model.h"
#include "buttons/menu_layout.h"

#include <QObject>
#include <QPointer>

#include <array>

class Configuration;
class MenuEntryLabel;
class MenuPanel;
class QListWidget;
class QWidget;
class SkinLabel;
class KeyCombinationDialog;

// The button pages' menus and the key-combination dialog. The twelve button
// labels Key1-Key12 already lie on the client area; this adds the menu panels
// and the macro picker beside them, opens them from the labels, runs their
// hover rules and hands every choice to the configuration's
// ButtonAssignmentModel, which stores it for the profile shown.
class ButtonPages : public QObject
{
    Q_OBJECT
public:
    ButtonPages(QWidget *client, Configuration &config, QObject *parent = nullptr);
    ~ButtonPages() override;

    // cppcheck-suppress CastIntegerToAddressAtReturn ; an element of an array of pointers
    MenuPanel *panel(MenuId menu) const { return m_panels[std::size_t(menu)]; }
    QListWidget *macroPicker() const { return m_picker; }
    // The open key-combination dialog, nullptr while none is open.
    KeyCombinationDialog *keyCombinationDialog() const;
    KeyCombinationModel &keyCapture() { return m_capture; }

    // --- handlers -------------------------------------------------------------
    void ShowLRM_OnClick(SkinLabel *label);     // Key1-Key3
    void ShowPnlMain_OnClick(SkinLabel *label); // Key4-Key12
    void HideAllMenu();
    void KeyByTagMouseEnter(MenuEntryLabel *entry);
    void KeyByTagMouseLeave(MenuEntryLabel *entry);
    void KeyStatusMouseEnter(MenuEntryLabel *entry);
    void KeyStatus_AMouseEnter(MenuEntryLabel *entry);
    void KeyStatus_BMouseEnter(MenuEntryLabel *entry);
    void KeyStatusMouseLeave(MenuEntryLabel *entry);
    void KeyStatusOnClick(MenuEntryLabel *entry);
    void Key_SwitchLRMOnClick(MenuEntryLabel *entry);
    void Key_AssemblyClick();
    void LB_NameClick(int row);
    void ApplyKeyCombination();

    // The captions the model keeps follow a language switch, so the exchange
    // of buttons 1-3 compares texts of one language.
    void languageChanged();

private:
    void createPanels();
    void connectButtonLabels();
    void connectEntries(MenuPanel *panel);
    void openButtonMenu(SkinLabel *label, MenuId menu);
    void setOpenMenus(MenuSet open);
    MenuSet openMenus() const;
    QWidget *menuWidget(MenuId menu) const;
    void showCaption(int button);
    bool macroListHasEntries() const;
    void fillMacroPicker();

    QWidget *m_client;
    Configuration &m_config;
    // Indexed by MenuId; the macro list has no panel (it is m_picker).
    std::array<MenuPanel *, 9> m_panels{};
    QListWidget *m_picker = nullptr;
    KeyCombinationModel m_capture;
    QPointer<KeyCombinationDialog> m_dialog;
};

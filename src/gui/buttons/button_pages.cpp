#include "buttons/button_pages.h"

#include "buttons/key_combination_dialog.h"
#include "buttons/menu_panels.h"
#include "configuration/configuration.h"
#include "settings/setting_declarations.h"
#include "ui/skin_label.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>

#include <functional>

namespace {

constexpr MenuId kAllMenus[] = {MenuId::LRM,     MenuId::Main, MenuId::MseKey,
                                MenuId::Special, MenuId::ACPI, MenuId::Fire,
                                MenuId::Media,   MenuId::WWW,  MenuId::MacroList};

// Menus wait below the client area until a click places them.
constexpr QPoint kParked{0, kWindowHeight};

int buttonNumber(const QObject *label)
{
    return label->objectName().mid(3).toInt();
}

} // namespace

ButtonPages::ButtonPages(QWidget *client, Configuration &config, QObject *parent)
    : QObject(parent), m_client(client), m_config(config)
{
    createPanels();
    connectButtonLabels();
}

ButtonPages::~ButtonPages()
{
    if (m_dialog)
        delete m_dialog.data();
}

KeyCombinationDialog *ButtonPages::keyCombinationDialog() const
{
    return m_dialog.data();
}

void ButtonPages::createPanels()
{
    const AppState &state = m_config.state();
    for (MenuId menu : kAllMenus) {
        if (menu == MenuId::MacroList)
            continue;
        QSize size = MenuSize(menu, true, 58);
        if (menu == MenuId::Main)
            size.setHeight(MainMenuHeight(state.ChipFamilyB || !state.ChipFamilyA));
        if (menu == MenuId::Special)
            size.setHeight(m_config.specialPanelHeight());
        auto *panel = new MenuPanel(menu, size, m_client);
        panel->move(kParked);
        m_panels[std::size_t(menu)] = panel;
        connectEntries(panel);
    }
    m_picker = createMacroPicker(m_client);
    m_picker->move(kParked);
    connect(m_picker, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { LB_NameClick(m_picker->row(item)); });
}

void ButtonPages::connectButtonLabels()
{
    for (int n = 1; n <= settings::kButtonsPerProfile; ++n) {
        auto *label = m_client->findChild<SkinLabel *>(QStringLiteral("Key%1").arg(n));
        if (!label)
            continue;
        connect(label, &SkinLabel::clicked, this, [this, label, n](Qt::MouseButton button) {
            if (button != Qt::LeftButton)
                return;
            if (settings::takesOnlyMouseButtons(n))
                ShowLRM_OnClick(label);
            else
                ShowPnlMain_OnClick(label);
        });
    }
}

void ButtonPages::connectEntries(MenuPanel *panel)
{
    for (MenuEntryLabel *entry : panel->entries()) {
        const QString name = entry->objectName();
        const bool assembly = name == QLatin1String("Key_Assembly");
        if (entry->opensSubMenu()) {
            connect(entry, &SkinLabel::entered, this, [this, entry] { KeyByTagMouseEnter(entry); });
            connect(entry, &SkinLabel::left, this, [this, entry] { KeyByTagMouseLeave(entry); });
        } else {
            connect(entry, &SkinLabel::entered, this, [this, entry, assembly] {
                if (assembly)
                    KeyStatus_AMouseEnter(entry);
                else if (entry->menu() == MenuId::Special)
                    KeyStatus_BMouseEnter(entry);
                else
                    KeyStatusMouseEnter(entry);
            });
            connect(entry, &SkinLabel::left, this, [this, entry] { KeyStatusMouseLeave(entry); });
        }

        // Key_Assembly and Key_Macro both open the key-combination dialog;
        // the other branch entries only open their sub-menus.
        std::function<void()> click;
        if (assembly || name == QLatin1String("Key_Macro"))
            click = [this] { Key_AssemblyClick(); };
        else if (panel->menu() == MenuId::LRM)
            click = [this, entry] { Key_SwitchLRMOnClick(entry); };
        else if (!entry->opensSubMenu())
            click = [this, entry] { KeyStatusOnClick(entry); };
        if (!click)
            continue;
        connect(entry, &SkinLabel::clicked, this, [click](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                click();
        });
    }
}

QWidget *ButtonPages::menuWidget(MenuId menu) const
{
    if (menu == MenuId::MacroList)
        return m_picker;
    return panel(menu);
}

MenuSet ButtonPages::openMenus() const
{
    MenuSet open = kNoMenus;
    for (MenuId menu : kAllMenus) {
        if (!menuWidget(menu)->isHidden())
            open |= menuBit(menu);
    }
    return open;
}

void ButtonPages::setOpenMenus(MenuSet open)
{
    for (MenuId menu : kAllMenus) {
        QWidget *widget = menuWidget(menu);
        const bool shown = open & menuBit(menu);
        if (shown) {
            widget->show();
            widget->raise();
        } else {
            widget->hide();
        }
    }
}

void ButtonPages::HideAllMenu()
{
    setOpenMenus(kNoMenus);
}

void ButtonPages::ShowLRM_OnClick(SkinLabel *label)
{
    openButtonMenu(label, MenuId::LRM);
}

void ButtonPages::ShowPnlMain_OnClick(SkinLabel *label)
{
    openButtonMenu(label, MenuId::Main);
}

void ButtonPages::openButtonMenu(SkinLabel *label, MenuId menu)
{
    label->setTextColour(Qt::white);
    m_config.buttonAssignment().setCurrentButton(buttonNumber(label));
    HideAllMenu();
    MenuPanel *shown = panel(menu);
    const QRect place(label->mapTo(m_client, QPoint(0, 0)), label->size());
    shown->move(ButtonMenuPosition(place, menu, shown->height()));
    setOpenMenus(menuBit(menu));
}

bool ButtonPages::macroListHasEntries() const
{
    return !m_config.MacroNames().isEmpty();
}

void ButtonPages::fillMacroPicker()
{
    const QStringList names = m_config.MacroNames();
    m_picker->clear();
    for (const QString &name : names) {
        auto *row = new QListWidgetItem(name, m_picker);
        row->setSizeHint(QSize(0, kMacroListRowHeight));
    }
}

void ButtonPages::KeyByTagMouseEnter(MenuEntryLabel *entry)
{
    entry->setHighlighted(true);
    const int tag = entry->tag();
    if (tag < 1 || tag > 7)
        return;
    const MenuId subMenu = SubMenuForTag(tag);
    QWidget *shown = menuWidget(subMenu);
    const QPoint main = panel(MenuId::Main)->pos();
    bool hasEntries = true;
    if (tag == 5 || tag == 6) {
        shown->move(SpecialSubMenuPosition(main, panel(MenuId::Special)->pos(), entry->geometry()));
    } else {
        if (tag == 7) {
            hasEntries = macroListHasEntries();
            if (hasEntries)
                fillMacroPicker();
        }
        if (hasEntries)
            shown->move(SubMenuPosition(main, entry->geometry(), shown->height()));
    }
    setOpenMenus(MenusAfterBranchEnter(tag, openMenus(), hasEntries));
}

void ButtonPages::KeyByTagMouseLeave(MenuEntryLabel *entry)
{
    entry->setHighlighted(false);
}

void ButtonPages::KeyStatusMouseEnter(MenuEntryLabel *entry)
{
    entry->setHighlighted(true);
}

void ButtonPages::KeyStatus_AMouseEnter(MenuEntryLabel *entry)
{
    setOpenMenus(MenusAfterFinalEnter(MenuId::Main, openMenus()));
    entry->setHighlighted(true);
}

void ButtonPages::KeyStatus_BMouseEnter(MenuEntryLabel *entry)
{
    setOpenMenus(MenusAfterFinalEnter(MenuId::Special, openMenus()));
    entry->setHighlighted(true);
}

void ButtonPages::KeyStatusMouseLeave(MenuEntryLabel *entry)
{
    entry->setHighlighted(false);
}

void ButtonPages::showCaption(int button)
{
    if (auto *label = m_client->findChild<SkinLabel *>(QStringLiteral("Key%1").arg(button)))
        label->setText(m_config.buttonAssignment().caption(button));
}

void ButtonPages::KeyStatusOnClick(MenuEntryLabel *entry)
{
    HideAllMenu();
    ButtonAssignmentModel &buttons = m_config.buttonAssignment();
    if (buttons.assignChoice(entry->tag(), m_config.codeTextContext()))
        showCaption(buttons.currentButton());
}

void ButtonPages::Key_SwitchLRMOnClick(MenuEntryLabel *entry)
{
    panel(MenuId::LRM)->hide();
    if (m_config.buttonAssignment().exchangeMouseButton(entry->tag(), m_config.codeTextContext())) {
        for (int button = 1; button <= settings::kMouseButtonCount; ++button)
            showCaption(button);
    }
}

void ButtonPages::Key_AssemblyClick()
{
    HideAllMenu();
    QCoreApplication::processEvents();
    m_config.buttonAssignment().clearPendingKeyCombination();
    // One dialog at a time: opening it again starts the open one afresh.
    if (!m_dialog) {
        m_dialog = new KeyCombinationDialog(
            m_capture,
            [this](const QString &key) {
                return m_config.text() ? m_config.text()(key) : QString();
            },
            [this](const KeyCombinationModel::Result &result) {
                m_config.buttonAssignment().setPendingKeyCombination(result.caption, result.code);
                ApplyKeyCombination();
            },
            [this] { m_config.buttonAssignment().clearPendingKeyCombination(); },
            m_client->window());
    } else {
        m_dialog->FormCreate();
    }
    m_dialog->move(KeyCombinationDialog::placeOver(m_client->window()->frameGeometry()));
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    m_dialog->keyField()->setFocus(Qt::OtherFocusReason);
}

void ButtonPages::LB_NameClick(int row)
{
    // A click that selects no row assigns nothing and leaves the menus open.
    if (row < 0 || row >= m_picker->count())
        return;
    panel(MenuId::Main)->hide();
    m_picker->hide();
    ButtonAssignmentModel &buttons = m_config.buttonAssignment();
    if (buttons.assignMacro(row, m_picker->item(row)->text()))
        showCaption(buttons.currentButton());
}

void ButtonPages::ApplyKeyCombination()
{
    ButtonAssignmentModel &buttons = m_config.buttonAssignment();
    if (buttons.ApplyKeyCombination())
        showCaption(buttons.currentButton());
}

void ButtonPages::languageChanged()
{
    ButtonAssignmentModel &buttons = m_config.buttonAssignment();
    if (buttons.shownProfile() != NoProfileShown)
        buttons.RefreshProfileKeys(buttons.shownProfile(), m_config.codeTextContext());
    if (m_dialog)
        m_dialog->applyCaptions();
}

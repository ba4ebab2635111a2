#include "buttons/menu_panels.h"

#include <QListWidget>
#include <QPainter>

const QColor MenuEntryLabel::kHighlight = QColor(0, 128, 128);
// The menus keep the desktop's plain button face, whatever the skin around them.
const QColor MenuPanel::kPanelColour = QColor(240, 240, 240);

namespace {

constexpr int kArrowWidth = 20;

QFont menuFont()
{
    QFont font(QStringLiteral("MS Reference Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    return font;
}

// The arrow of a branch entry: "Key_Standard" -> "ST_Standard". The macro
// entry opens the picker list and carries no arrow.
QString arrowName(const QString &entryName)
{
    if (entryName == QLatin1String("Key_Macro"))
        return {};
    return QStringLiteral("ST_") + entryName.mid(4);
}

} // namespace

MenuEntryLabel::MenuEntryLabel(const MenuEntry &entry, MenuId menu, const QRect &geometry,
                               QWidget *parent)
    : SkinLabel(entry.objectName, geometry.size(), parent, Qt::AlignLeft | Qt::AlignVCenter),
      m_tag(entry.tag), m_menu(menu), m_opensSubMenu(entry.opensSubMenu)
{
    move(geometry.topLeft());
    setFont(menuFont());
    setTextColour(Qt::black);
}

void MenuEntryLabel::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    setTextColour(highlighted ? Qt::white : Qt::black);
    update();
}

QString MenuEntryLabel::plainText() const
{
    return text().mid(3);
}

void MenuEntryLabel::paintEvent(QPaintEvent *event)
{
    if (m_highlighted) {
        QPainter painter(this);
        painter.fillRect(rect(), kHighlight);
    }
    SkinLabel::paintEvent(event);
}

MenuPanel::MenuPanel(MenuId menu, QSize size, QWidget *parent) : QFrame(parent), m_menu(menu)
{
    setObjectName(objectNameOf(menu));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kPanelColour);
    setPalette(palette);
    resize(size);

    const QList<MenuEntry> entries = MenuEntries(menu);
    for (int i = 0; i < entries.size(); ++i) {
        const QRect geometry = MenuEntryRect(menu, i);
        auto *entry = new MenuEntryLabel(entries[i], menu, geometry, this);
        m_entries.append(entry);
        const QString arrow =
            entries[i].opensSubMenu ? arrowName(entries[i].objectName) : QString();
        if (arrow.isEmpty())
            continue;
        // The arrow lies on its entry, so pointing at it still points at the entry.
        auto *mark = new QLabel(QStringLiteral(">>"), entry);
        mark->setObjectName(arrow);
        mark->setFont(menuFont());
        mark->setAttribute(Qt::WA_TransparentForMouseEvents);
        mark->setGeometry(geometry.width() - kArrowWidth, 0, kArrowWidth, geometry.height());
        mark->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    hide();
}

QString MenuPanel::objectNameOf(MenuId menu)
{
    switch (menu) {
    case MenuId::LRM:
        return QStringLiteral("Pnl_LRM");
    case MenuId::Main:
        return QStringLiteral("Pnl_Main");
    case MenuId::MseKey:
        return QStringLiteral("Pnl_MseKey");
    case MenuId::Special:
        return QStringLiteral("Pnl_Special");
    case MenuId::ACPI:
        return QStringLiteral("Pnl_ACPI");
    case MenuId::Fire:
        return QStringLiteral("Pnl_Fire");
    case MenuId::Media:
        return QStringLiteral("Pnl_Media");
    case MenuId::WWW:
        return QStringLiteral("Pnl_WWW");
    case MenuId::MacroList:
        return QStringLiteral("LB_Name");
    }
    return {};
}

QListWidget *createMacroPicker(QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("LB_Name"));
    list->resize(kSubMenuWidth, MenuSize(MenuId::MacroList, true, 58).height());
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    list->setFrameShape(QFrame::NoFrame);
    // Names start 4 pixels right of the row's edge.
    list->setStyleSheet(QStringLiteral("QListWidget::item { padding-left: 4px; }"));
    list->hide();
    return list;
}

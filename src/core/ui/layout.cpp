#include "ui/layout.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

IniSection readResourceSection(const QString &path, const QString &section)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxIniBytes)
        return {};
    return parseIniText(file.readAll()).section(section);
}

QList<LayoutItem> buildPageLayoutItems()
{
    using K = LayoutItemKind;
    QList<LayoutItem> items;
    const auto add = [&items](K kind, const QString &name) { items.append({kind, name}); };
    const auto numbered = [&add](K kind, const QString &pattern, int first, int last) {
        for (int n = first; n <= last; ++n)
            add(kind, pattern.arg(n));
    };

    // Confirm, Apply, Reset, Exit.
    add(K::Integer, "Size_A");
    add(K::Colour, "Color_A");
    numbered(K::Toggle, "Btn_A%1", 1, 4);

    // Page, profile and language buttons; the macro page (B11) sits after
    // the breathing-light page.
    add(K::Integer, "Size_B");
    add(K::Colour, "Color_B");
    numbered(K::Toggle, "Btn_B%1", 1, 5);
    add(K::Toggle, "Btn_B11");
    numbered(K::Toggle, "Btn_B%1", 6, 10);

    // No-device page.
    add(K::Integer, "Size_H");
    add(K::Colour, "Color_H");
    add(K::Position, "Error_text");

    // Mouse-button page.
    add(K::Integer, "Size_C");
    add(K::Colour, "Color_C");
    add(K::Position, "P1");
    numbered(K::Toggle, "Key%1", 1, 12);

    // Advanced page.
    add(K::Integer, "Size_D");
    add(K::Colour, "Color_D_Selected");
    add(K::Colour, "Color_D_notSelected");
    add(K::Colour, "Color_D_Back");
    for (const char *name : {"P2", "Spd", "DbSpd", "ScrSpd", "DPI", "Rep1", "Rep2"})
        add(K::Position, name);
    numbered(K::Position, "FKPara%1", 1, 4);
    numbered(K::Position, "FKMode%1", 1, 4);

    // Breathing-light page.
    add(K::Integer, "Size_E");
    add(K::Colour, "Color_E");
    for (const char *name : {"P3", "OffTime", "RaiseTime", "OnTime", "FallTime"})
        add(K::Position, name);
    numbered(K::Position, "LEDMode%1", 1, 3);
    numbered(K::Position, "LEDColorMode%1", 1, 2);
    numbered(K::Position, "R%1", 1, 2);

    // Macro page.
    add(K::Integer, "Size_F");
    add(K::Colour, "Color_F");
    add(K::Colour, "Color_F_Font");
    add(K::Colour, "Color_F_Back");
    add(K::Position, "P4");
    add(K::Position, "MacroName");
    add(K::Integer, "MacroNameHeight");
    for (const char *name :
         {"New", "Del", "MacroContent", "DelayTime", "RecDelay", "DelayEdit", "Insert",
          "InsertList", "InsertRecDelay", "InsertDelayEdit", "InsertStart", "InsertOK"})
        add(K::Position, name);
    return items;
}

} // namespace

std::optional<int> parseLayoutInteger(QStringView text)
{
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    if (pos >= text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t c = text[pos].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

std::optional<int> LayoutReader::integer(const QString &key)
{
    if (m_failed)
        return std::nullopt;
    const std::optional<QString> raw = m_section.value(key);
    if (raw) {
        if (const std::optional<int> value = parseLayoutInteger(*raw))
            return value;
    }
    m_failed = true;
    m_failedKey = key;
    m_failedText = raw.value_or(QString());
    return std::nullopt;
}

std::optional<LayoutColour> LayoutReader::colour(const QString &prefix)
{
    const auto component = [this, &prefix](const char *suffix) {
        return integer(prefix + QLatin1String(suffix));
    };
    const std::optional<int> red = component("_R");
    const std::optional<int> green = component("_G");
    const std::optional<int> blue = component("_B");
    if (!red || !green || !blue)
        return std::nullopt;
    return LayoutColour{std::clamp(*red, 0, 255), std::clamp(*green, 0, 255),
                        std::clamp(*blue, 0, 255)};
}

std::optional<QPoint> LayoutReader::position(const QString &prefix)
{
    const std::optional<int> x = integer(prefix + QLatin1String("_X"));
    const std::optional<int> y = integer(prefix + QLatin1String("_Y"));
    if (!x || !y)
        return std::nullopt;
    return QPoint(*x, *y);
}

std::optional<LayoutToggle> LayoutReader::toggle(const QString &prefix)
{
    const std::optional<int> flag = integer(prefix + QLatin1String("_Enable"));
    if (!flag)
        return std::nullopt;
    if (*flag != 1)
        return LayoutToggle{false, std::nullopt};
    const std::optional<QPoint> at = position(prefix);
    if (!at)
        return std::nullopt;
    return LayoutToggle{true, at};
}

QString LayoutReader::text(const QString &key) const
{
    return m_section.value(key).value_or(QString());
}

QString LayoutReader::failureMessage() const
{
    if (!m_failed)
        return {};
    return QStringLiteral("'%1' is not a valid integer value").arg(m_failedText);
}

const QList<LayoutItem> &pageLayoutItems()
{
    static const QList<LayoutItem> items = buildPageLayoutItems();
    return items;
}

const LayoutValue *PageLayout::find(QStringView name) const
{
    for (const LayoutValue &value : values) {
        if (value.item.name == name)
            return &value;
    }
    return nullptr;
}

std::optional<int> PageLayout::number(QStringView name) const
{
    const LayoutValue *value = find(name);
    if (!value || value->item.kind != LayoutItemKind::Integer)
        return std::nullopt;
    return value->number;
}

std::optional<LayoutColour> PageLayout::colour(QStringView name) const
{
    const LayoutValue *value = find(name);
    if (!value || value->item.kind != LayoutItemKind::Colour)
        return std::nullopt;
    return value->colour;
}

std::optional<QPoint> PageLayout::position(QStringView name) const
{
    const LayoutValue *value = find(name);
    if (!value || value->item.kind != LayoutItemKind::Position)
        return std::nullopt;
    return value->position;
}

std::optional<LayoutToggle> PageLayout::toggle(QStringView name) const
{
    const LayoutValue *value = find(name);
    if (!value || value->item.kind != LayoutItemKind::Toggle)
        return std::nullopt;
    return value->toggle;
}

PageLayout readPageLayout(const IniSection &section)
{
    LayoutReader reader(section);
    PageLayout layout;
    for (const LayoutItem &item : pageLayoutItems()) {
        LayoutValue value;
        value.item = item;
        bool read = false;
        switch (item.kind) {
        case LayoutItemKind::Integer:
            if (const auto number = reader.integer(item.name)) {
                value.number = *number;
                read = true;
            }
            break;
        case LayoutItemKind::Colour:
            if (const auto colour = reader.colour(item.name)) {
                value.colour = *colour;
                read = true;
            }
            break;
        case LayoutItemKind::Position:
            if (const auto at = reader.position(item.name)) {
                value.position = *at;
                read = true;
            }
            break;
        case LayoutItemKind::Toggle:
            if (const auto toggle = reader.toggle(item.name)) {
                value.toggle = *toggle;
                read = true;
            }
            break;
        }
        if (!read)
            break;
        layout.values.append(value);
    }
    layout.failure = reader.failureMessage();
    return layout;
}

LayoutStoredValues storedLayoutValues(const PageLayout &layout)
{
    return {layout.colour(u"Color_D_Selected"), layout.colour(u"Color_D_notSelected"),
            layout.colour(u"Color_F"), layout.number(u"MacroNameHeight")};
}

QString layoutResourcePath(int languageNumber)
{
    if (languageNumber < 1 || languageNumber > 3)
        return {};
    return QStringLiteral(":/layout/ORG%1").arg(languageNumber);
}

QString layoutSectionName(int languageNumber)
{
    if (languageNumber < 1 || languageNumber > 3)
        return {};
    return QStringLiteral("org%1").arg(languageNumber);
}

IniSection openLayoutSection(int languageNumber)
{
    return readResourceSection(layoutResourcePath(languageNumber),
                               layoutSectionName(languageNumber));
}

PageLayout openPageLayout(int languageNumber)
{
    return readPageLayout(openLayoutSection(languageNumber));
}

WebLinkLayout readWebLink(const IniSection &section)
{
    LayoutReader reader(section);
    WebLinkLayout web;
    web.address = reader.text(QStringLiteral("Web"));
    web.position = reader.position(QStringLiteral("Web"));
    web.failure = reader.failureMessage();
    return web;
}

IniSection openWebLinkSection()
{
    return readResourceSection(QStringLiteral(":/layout/ORG"), QStringLiteral("org"));
}

WebLinkLayout openWebLink()
{
    return readWebLink(openWebLinkSection());
}

#include "ui/skin_layout.h"

#include "configuration/configuration.h"
#include "configuration/page_buttons.h"
#include "settings/setting_declarations.h"
#include "ui/layout_geometry.h"
#include "ui/skin_element_set.h"
#include "ui/skin_elements.h"
#include "ui/skin_images.h"
#include "ui/skin_label.h"
#include "ui/skin_picture.h"
#include "ui/skin_signals.h"
#include "ui/web_address.h"

#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

#include <algorithm>

namespace geo = layout_geometry;

constexpr int kMinimumOptionWidth = 60;
// Between the breathing page picture and its note.
constexpr int kBreathNoteGap = 4;

namespace {

QColor toColour(const LayoutColour &colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QStringList numbered(const QString &stem, int count)
{
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names << stem + QString::number(n);
    return names;
}

// The label and picture pair each toggle of the layout moves.
const QHash<QString, QString> &toggleTargets()
{
    static const QHash<QString, QString> targets = [] {
        QHash<QString, QString> map{
            {"Btn_A1", "Btn_Confirm"}, {"Btn_A2", "Btn_Apply"}, {"Btn_A3", "Btn_Reset"},
            {"Btn_A4", "Btn_Exit"},    {"Btn_B1", "Btn_Main"},  {"Btn_B2", "Btn_Switch"},
            {"Btn_B3", "Btn_Fixed"},   {"Btn_B4", "Btn_Adv"},   {"Btn_B5", "Btn_Breath"},
            {"Btn_B11", "Btn_Macro"},  {"Btn_B6", "Btn_Save"},  {"Btn_B7", "Btn_Load"},
            {"Btn_B8", "Btn_Lang1"},   {"Btn_B9", "Btn_Lang2"}, {"Btn_B10", "Btn_Lang3"}};
        for (int n = 1; n <= settings::kButtonsPerProfile; ++n)
            map.insert(QStringLiteral("Key%1").arg(n), QStringLiteral("Key%1").arg(n));
        return map;
    }();
    return targets;
}

const QHash<QString, QStringList> &fontGroups()
{
    static const QHash<QString, QStringList> groups = [] {
        QHash<QString, QStringList> map;
        map.insert("A", skin_elements::commandButtons());
        map.insert("B", skin_elements::pageButtons() + skin_elements::fileButtons() +
                            skin_elements::languageButtons());
        map.insert("H", {"lbl_NoDev", "lbl_CheckDev", "lbl_TypeError", "lbl_IDError"});
        map.insert("C", numbered("Key", settings::kButtonsPerProfile));
        map.insert("D", numbered("lbl_Spd", 10) + numbered("lbl_DbSpd", 10) +
                            numbered("lbl_ScrSpd", 10) + numbered("lbl_DPI", 8) +
                            numbered("lbl_FKMode", 4));
        map.insert("E", numbered("lbl_Off", 10) + numbered("lbl_Raise", 10) +
                            numbered("lbl_On", 10) + numbered("lbl_Fall", 10) +
                            QStringList{"lbl_BreathNote"});
        map.insert("F",
                   skin_elements::macroCommandButtons() +
                       QStringList{"Btn_Start", "LB_MacroName", "Edt_Delay", "IB_InsertRecDelay",
                                   "IB_InsertDelayTime", "IB_InsertNoDelay", "IB_RecDelay",
                                   "IB_DelayTime", "IB_NoDelay", "lbl_Delay", "lbl_s_A",
                                   "Edt_InsertDelay", "Btn_InsertStart", "Btn_OK", "Btn_Cancel"});
        return map;
    }();
    return groups;
}

// A delay box holds up to 65530 ms: its font is made smaller, where needed,
// until that many digits fit inside the box's frame and margins.
void fitLongestDelay(QWidget *edit)
{
    if (!edit)
        return;
    static const QString longest = QStringLiteral("65530");
    constexpr int kFrameAndMargins = 8;
    QFont font = edit->font();
    int pixels = QFontInfo(font).pixelSize();
    while (pixels > 7 &&
           QFontMetrics(font).horizontalAdvance(longest) + kFrameAndMargins > edit->width()) {
        font.setPixelSize(--pixels);
    }
    edit->setFont(font);
}

const QStringList &fireEdits()
{
    static const QStringList names = numbered("Edt_Repeat", 4) + numbered("Edt_DelayTime", 4);
    return names;
}

void setFontSize(QWidget *widget, int points)
{
    if (auto *label = qobject_cast<SkinLabel *>(widget)) {
        label->setPointSize(points);
        return;
    }
    QFont font = widget->font();
    if (points > 0)
        font.setPointSize(points);
    widget->setFont(font);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    if (auto *label = qobject_cast<SkinLabel *>(widget)) {
        label->setTextColour(colour);
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, const QColor &colour, bool border)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    if (border) {
        // The edit boxes draw their border in the background colour, so they
        // sit flat on the page picture.
        widget->setStyleSheet(QStringLiteral("QLineEdit { background: %1; border: 1px solid %1; "
                                             "color: palette(text); }")
                                  .arg(colour.name()));
    }
}

} // namespace

SkinLayout::SkinLayout(SkinElementSet &elements, const Configuration &configuration,
                       SkinSignals &events)
    : m_elements(elements), m_configuration(configuration), m_events(events)
{}

bool SkinLayout::applyWebLink(const WebLinkLayout &link)
{
    m_webAddress = resolveWebAddress(link.address);
    if (link.position) {
        QWidget *picture = m_elements.find(QStringLiteral("Img_Web"));
        picture->move(*link.position);
        m_elements.find(QStringLiteral("Btn_Web"))->setGeometry(picture->geometry());
    }
    if (!link.failure.isEmpty()) {
        emit m_events.messageRequested(link.failure);
        return false;
    }
    return true;
}

bool SkinLayout::applyLayout(int language)
{
    reloadPagePictures(language);
    return applyPageLayout(openPageLayout(language));
}

void SkinLayout::reloadPagePictures(int language)
{
    m_elements.setPicture(QStringLiteral("Img_Base"), backgroundPictureName(language));
    const int page = pagePictureNumber(m_configuration.currentPage());
    m_elements.setPicture(QStringLiteral("Img_P%1").arg(page), pagePictureName(language, page));
}

bool SkinLayout::applyPageLayout(const PageLayout &layout)
{
    for (const LayoutValue &value : layout.values)
        applyLayoutValue(value);
    const LayoutStoredValues stored = storedLayoutValues(layout);
    if (stored.selected)
        m_stored.selected = toColour(*stored.selected);
    if (stored.notSelected)
        m_stored.notSelected = toColour(*stored.notSelected);
    if (stored.macroText)
        m_stored.macroText = toColour(*stored.macroText);
    if (stored.macroNameHeight)
        m_stored.macroNameHeight = *stored.macroNameHeight;
    if (!layout.complete()) {
        emit m_events.messageRequested(layout.failure);
        return false;
    }
    return true;
}

void SkinLayout::applyMacroNameHeight()
{
    if (auto *list = m_elements.element<QListWidget>(QStringLiteral("LB_MacroName"))) {
        list->setUniformItemSizes(true);
        list->setStyleSheet(
            QStringLiteral("QListWidget::item { height: %1px; }").arg(m_stored.macroNameHeight));
    }
}

void SkinLayout::moveTo(const QString &element, QPoint at)
{
    if (QWidget *widget = m_elements.find(element))
        widget->move(at);
}

void SkinLayout::moveButton(const QString &label, QPoint at)
{
    moveTo(label, at);
    moveTo(skin_elements::pictureOf(label), at);
}

void SkinLayout::applyLayoutValue(const LayoutValue &value)
{
    const QString &name = value.item.name;
    switch (value.item.kind) {
    case LayoutItemKind::Integer:
        if (name.startsWith(QLatin1String("Size_")))
            applyFontSize(name.mid(5), value.number);
        return; // MacroNameHeight is only stored
    case LayoutItemKind::Colour:
        applyColour(name, toColour(value.colour));
        return;
    case LayoutItemKind::Toggle:
        applyToggle(name, value.toggle);
        return;
    case LayoutItemKind::Position:
        applyPosition(name, value.position);
        return;
    }
}

void SkinLayout::applyFontSize(const QString &group, int points)
{
    if (group == QLatin1String("D"))
        m_dpiPointSize = points;
    for (const QString &element : fontGroups().value(group)) {
        if (QWidget *widget = m_elements.find(element))
            setFontSize(widget, points);
    }
    if (group == QLatin1String("F")) {
        if (QWidget *choices = m_elements.find(QStringLiteral("CB_Insert")))
            setFontSize(choices, points - 1);
        // The delay boxes show their longest value whole.
        for (const char *edit : {"Edt_Delay", "Edt_InsertDelay"})
            fitLongestDelay(m_elements.find(QString::fromLatin1(edit)));
    }
}

void SkinLayout::applyColour(const QString &name, const QColor &colour)
{
    QStringList targets;
    if (name == QLatin1String("Color_D_notSelected")) {
        targets = numbered("lbl_Spd", 10) + numbered("lbl_DbSpd", 10) + numbered("lbl_ScrSpd", 10) +
                  fireEdits();
    } else if (name == QLatin1String("Color_D_Back")) {
        for (const QString &edit : fireEdits())
            setBackground(m_elements.find(edit), colour, true);
    } else if (name == QLatin1String("Color_F")) {
        targets = fontGroups().value("F");
        targets.removeAll("LB_MacroName");
        targets.removeAll("Edt_Delay");
        targets.removeAll("Edt_InsertDelay");
        targets << QStringLiteral("CB_Insert");
    } else if (name == QLatin1String("Color_F_Font")) {
        targets = {"LB_MacroName", "LB_macro", "Edt_Delay", "Edt_InsertDelay"};
    } else if (name == QLatin1String("Color_F_Back")) {
        for (const char *list : {"LB_MacroName", "LB_macro", "Edt_Delay", "Edt_InsertDelay"})
            setBackground(m_elements.find(QString::fromLatin1(list)), colour, false);
    } else if (name.size() == 7 && name.startsWith(QLatin1String("Color_"))) {
        targets = fontGroups().value(name.mid(6));
    }
    for (const QString &element : targets) {
        if (QWidget *widget = m_elements.find(element))
            setTextColour(widget, colour);
    }
}

void SkinLayout::applyToggle(const QString &name, const LayoutToggle &toggle)
{
    const QString label = toggleTargets().value(name);
    for (const QString &element : {label, skin_elements::pictureOf(label)}) {
        if (QWidget *widget = m_elements.find(element)) {
            widget->setVisible(toggle.shown);
            if (toggle.shown && toggle.position)
                widget->move(*toggle.position);
        }
    }
}

void SkinLayout::applyPosition(const QString &name, QPoint at)
{
    static const QStringList scales{"Spd", "DbSpd", "ScrSpd"};
    static const QHash<QString, QString> lightScales{
        {"OffTime", "Off"}, {"RaiseTime", "Raise"}, {"OnTime", "On"}, {"FallTime", "Fall"}};
    if (name.size() == 2 && name.startsWith('P')) {
        moveTo(QStringLiteral("Img_") + name, at);
        if (name == QLatin1String("P3")) {
            // The breathing page's note lies just under its picture.
            const QRect page = m_elements.find(QStringLiteral("Img_P3"))->geometry();
            m_elements.find(QStringLiteral("lbl_BreathNote"))
                ->move(page.left(), page.bottom() + 1 + kBreathNoteGap);
        }
        if (name == QLatin1String("P2")) {
            // The read-only cover lies exactly over the advanced page picture.
            m_elements.find(QStringLiteral("Disable"))
                ->setGeometry(m_elements.find(QStringLiteral("Img_P2"))->geometry());
        }
    } else if (name == QLatin1String("Error_text")) {
        for (const char *label : {"lbl_NoDev", "lbl_IDError", "lbl_TypeError"})
            moveTo(QString::fromLatin1(label), at);
        moveTo(QStringLiteral("lbl_CheckDev"), geo::checkDeviceLabel(at));
    } else if (scales.contains(name) || lightScales.contains(name)) {
        const QString stem = lightScales.value(name, name);
        for (int n = 1; n <= 10; ++n) {
            moveTo(QStringLiteral("Img_%1%2").arg(stem).arg(n), geo::scaleStepPicture(at, n));
            moveTo(QStringLiteral("lbl_%1%2").arg(stem).arg(n), geo::scaleStepLabel(at, n));
        }
    } else if (name == QLatin1String("DPI")) {
        for (int n = 1; n <= 8; ++n) {
            moveTo(QStringLiteral("Img_DPI%1").arg(n), geo::dpiStepPicture(at, n));
            moveTo(QStringLiteral("lbl_DPI%1").arg(n), geo::dpiStepLabel(at, n));
        }
    } else if (name == QLatin1String("Rep1") || name == QLatin1String("Rep2")) {
        moveTo(QStringLiteral("Img_") + name, at);
        moveTo(QStringLiteral("lbl_") + name, geo::choiceLabel(at));
    } else if (name.startsWith(QLatin1String("FKPara"))) {
        moveTo(QStringLiteral("Edt_Repeat") + name.mid(6), at);
        moveTo(QStringLiteral("Edt_DelayTime") + name.mid(6), geo::fireDelayEdit(at));
    } else if (name.startsWith(QLatin1String("FKMode"))) {
        moveTo(QStringLiteral("lbl_") + name, at);
    } else if (name.startsWith(QLatin1String("LEDMode"))) {
        static const QStringList modes{"Random", "Colorful", "Custom"};
        const QString mode = modes.value(name.mid(7).toInt() - 1);
        moveTo(QStringLiteral("Img_") + mode, at);
        moveTo(QStringLiteral("lbl_") + mode, geo::choiceLabel(at));
    } else if (name.startsWith(QLatin1String("LEDColorMode"))) {
        const QString n = name.mid(12);
        moveTo(QStringLiteral("Img_LEDColMode") + n, at);
        moveTo(QStringLiteral("lbl_LEDColMode") + n, geo::colourModeLabel(at));
    } else if (name == QLatin1String("R1") || name == QLatin1String("R2")) {
        const QString n = name.mid(1);
        QWidget *frame = m_elements.find(QStringLiteral("Img_Mode%1Color").arg(n));
        frame->move(at);
        for (const QString &element :
             {QStringLiteral("cs_Mode") + n, QStringLiteral("lbl_csmode") + n})
            m_elements.find(element)->setGeometry(frame->geometry());
    } else {
        applyMacroPosition(name, at);
    }
}

void SkinLayout::applyMacroPosition(const QString &name, QPoint at)
{
    if (name == QLatin1String("MacroName")) {
        moveTo(QStringLiteral("LB_MacroName"), at);
    } else if (name == QLatin1String("New")) {
        static const QStringList column{"Btn_New",    "Btn_Start",     "Btn_Clear", "Btn_ExportOne",
                                        "Btn_Export", "Btn_ImportOne", "Btn_Import"};
        for (int row = 0; row < column.size(); ++row)
            moveButton(column[row], geo::macroButtonRow(at, row));
    } else if (name == QLatin1String("Del")) {
        moveButton(QStringLiteral("Btn_Del"), geo::macroButtonRow(at, 0));
        moveButton(QStringLiteral("Btn_Insert"), geo::macroButtonRow(at, 1));
    } else if (name == QLatin1String("MacroContent")) {
        moveTo(QStringLiteral("LB_macro"), at);
    } else if (name == QLatin1String("DelayTime")) {
        moveTo(QStringLiteral("Gb_Delay"), at);
    } else if (name == QLatin1String("RecDelay") || name == QLatin1String("InsertRecDelay")) {
        const QString prefix =
            name == QLatin1String("RecDelay") ? QString() : QStringLiteral("Insert");
        const QStringList rows{prefix + "RecDelay", prefix + "DelayTime", prefix + "NoDelay"};
        for (int row = 0; row < rows.size(); ++row) {
            moveTo(QStringLiteral("LED_") + rows[row], geo::delayOptionIndicator(at, row));
            moveTo(QStringLiteral("IB_") + rows[row], geo::delayOptionText(at, row));
        }
    } else if (name == QLatin1String("DelayEdit")) {
        moveTo(QStringLiteral("Edt_Delay"), at);
        // The fixed-delay edit sits on the option rows' middle line: the
        // option texts end just before it, and a long text is drawn smaller.
        for (const char *option : {"IB_RecDelay", "IB_DelayTime", "IB_NoDelay"}) {
            QWidget *text = m_elements.find(QString::fromLatin1(option));
            text->resize(std::max(kMinimumOptionWidth, at.x() - text->x() - 4), text->height());
        }
    } else if (name == QLatin1String("Insert")) {
        moveTo(QStringLiteral("Gb_Insert"), at);
        moveTo(QStringLiteral("Img_InsertBase"), at);
    } else if (name == QLatin1String("InsertList")) {
        moveTo(QStringLiteral("CB_Insert"), at);
    } else if (name == QLatin1String("InsertDelayEdit")) {
        moveTo(QStringLiteral("Edt_InsertDelay"), at);
        moveTo(QStringLiteral("lbl_Delay"), geo::insertDelayCaption(at));
        moveTo(QStringLiteral("lbl_s_A"), geo::insertDelayUnit(at));
    } else if (name == QLatin1String("InsertStart")) {
        moveButton(QStringLiteral("Btn_InsertStart"), at);
    } else if (name == QLatin1String("InsertOK")) {
        moveButton(QStringLiteral("Btn_OK"), at);
        moveButton(QStringLiteral("Btn_Cancel"), geo::insertCancelButton(at));
    }
}

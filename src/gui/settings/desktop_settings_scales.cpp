#include "settings/desktop_settings_scales.h"

#include "configuration/configuration.h"
#include "settings/element_clicks.h"
#include "ui/skin_picture.h"
#include "ui/skinned_content.h"

#include <QGuiApplication>
#include <QLabel>
#include <QStyleHints>

namespace {

struct ScaleNames
{
    MouseSetting setting;
    const char *stem; // "Spd" names Img_Spd1 ... and lbl_Spd1 ...
};

constexpr ScaleNames kScales[] = {{MouseSetting::PointerSpeed, "Spd"},
                                  {MouseSetting::DoubleClick, "DbSpd"},
                                  {MouseSetting::WheelLines, "ScrSpd"}};

// The line lies on the page picture, below the fire keys, so it comes and
// goes with the page; a long line of another language takes two rows.
const QRect kStoreLineRect(18, 294, 664, 28);

} // namespace

DesktopSettingsScales::DesktopSettingsScales(SkinnedContent &skin, Configuration &config,
                                             QObject *parent)
    : QObject(parent), m_skin(skin), m_config(config)
{
    MouseSettingsPageModel &page = m_config.mouseSettingsPage();
    for (const ScaleNames &scale : kScales) {
        const auto click = [this, &page, setting = scale.setting](int step) {
            const bool changed = setting == MouseSetting::PointerSpeed ? page.setPointerSpeed(step)
                                 : setting == MouseSetting::DoubleClick
                                     ? page.setDoubleClickSpeed(step)
                                     : page.setScrollSpeed(step);
            if (changed)
                render();
        };
        // The step's caption lies over part of its segment; both take the click.
        for (const char *kind : {"Img_", "lbl_"})
            onNumberedLeftClicks(m_skin,
                                 QString::fromLatin1(kind) + QString::fromLatin1(scale.stem),
                                 MouseSettingsPageModel::kStepCount, this, click);
    }
    page.ApplyToProgram = [this](const ProgramMouseSettings &settings) {
        followInProgram(settings);
        render();
        showStoreLine();
    };

    if (QWidget *pagePicture = m_skin.element(QStringLiteral("Img_P2"))) {
        m_storeLine = new QLabel(pagePicture);
        m_storeLine->setObjectName(QStringLiteral("lbl_SettingsStore"));
        m_storeLine->setGeometry(kStoreLineRect);
        m_storeLine->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_storeLine->setWordWrap(true);
        m_storeLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    connect(&m_skin, &SkinnedContent::titleChanged, this, &DesktopSettingsScales::showStoreLine);
    render();
    showStoreLine();
}

DesktopSettingsScales::~DesktopSettingsScales()
{
    m_config.mouseSettingsPage().ApplyToProgram = nullptr;
}

void DesktopSettingsScales::render()
{
    const MouseSettingsPageModel &page = m_config.mouseSettingsPage();
    for (const ScaleNames &scale : kScales) {
        for (int segment = 1; segment <= MouseSettingsPageModel::kStepCount; ++segment) {
            const QString name =
                QStringLiteral("Img_") + QString::fromLatin1(scale.stem) + QString::number(segment);
            if (auto *picture = m_skin.element<SkinPicture>(name))
                picture->setPicture(page.segmentLit(scale.setting, segment)
                                        ? QStringLiteral("Bar1_E")
                                        : QStringLiteral("Bar1_D"));
        }
    }
}

void DesktopSettingsScales::showStoreLine()
{
    if (!m_storeLine)
        return;
    QFont font = m_storeLine->font();
    font.setPointSize(8);
    m_storeLine->setFont(font);
    const QColor colour = m_skin.storedValues().notSelected;
    m_storeLine->setStyleSheet(colour.isValid() ? QStringLiteral("color: %1;").arg(colour.name())
                                                : QString());
    const QString line = m_config.mouseSettingsPage().storeDescription(m_config.text());
    m_storeLine->setText(line);
    m_storeLine->setToolTip(line);
}

void DesktopSettingsScales::followInProgram(const ProgramMouseSettings &settings)
{
    QStyleHints *hints = QGuiApplication::styleHints();
    if (!hints)
        return;
    // A value the desktop never gave, or one Qt has no use for (a wheel of
    // -1, "one screen at a time"), leaves the program's own as it is.
    if (settings.doubleClickKnown && settings.doubleClickMs > 0)
        hints->setMouseDoubleClickInterval(settings.doubleClickMs);
    if (settings.wheelLinesKnown && settings.wheelScrollLines > 0)
        hints->setWheelScrollLines(settings.wheelScrollLines);
}

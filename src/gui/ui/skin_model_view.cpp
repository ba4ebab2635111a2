// Plain rendering of the page models: button captions, scale and choice
// pictures, fire-key texts and colour swatches. The pages' click handlers
// change the models and call these again.
#include "ui/skinned_content.h"

#include "ui/skin_label.h"
#include "ui/skin_picture.h"

#include <QFrame>
#include <QLineEdit>

void SkinnedContent::renderModels()
{
    renderButtonCaptions();
    renderPages();
}

void SkinnedContent::renderPages()
{
    const AdvancedPageModel &advanced = m_configuration.advancedPage();
    for (int level = 1; level <= AdvancedPageModel::kDpiLevelCount; ++level) {
        setPicture(QStringLiteral("Img_DPI%1").arg(level),
                   QString::fromLatin1(advanced.dpiMarkerLit(level) ? "Bar2_E" : "Bar2_D"));
        if (QWidget *marker = findElement(QStringLiteral("Img_DPI%1").arg(level)))
            marker->setEnabled(advanced.dpiMarkerEnabled(level));
        if (SkinLabel *caption = label(QStringLiteral("lbl_DPI%1").arg(level))) {
            if (m_stored.selected.isValid())
                caption->setTextColour(advanced.dpiLevelSelected(level) ? m_stored.selected
                                                                        : m_stored.notSelected);
        }
    }
    const auto rate = advanced.reportRate();
    setPicture(
        QStringLiteral("Img_Rep1"),
        QString::fromLatin1(rate == AdvancedPageModel::ReportRate::Hz1000 ? "RdS_E" : "RdS_D"));
    setPicture(
        QStringLiteral("Img_Rep2"),
        QString::fromLatin1(rate == AdvancedPageModel::ReportRate::Hz500 ? "RdS_E" : "RdS_D"));
    for (int n = 1; n <= AdvancedPageModel::kFireKeyCount; ++n) {
        if (auto *edit = element<QLineEdit>(QStringLiteral("Edt_Repeat%1").arg(n)))
            edit->setText(advanced.repeatText(n));
        if (auto *edit = element<QLineEdit>(QStringLiteral("Edt_DelayTime%1").arg(n)))
            edit->setText(advanced.delayText(n));
        if (SkinLabel *mode = label(QStringLiteral("lbl_FKMode%1").arg(n))) {
            if (m_stored.selected.isValid())
                mode->setTextColour(advanced.fireModeSelected(n) ? m_stored.selected
                                                                 : m_stored.notSelected);
        }
    }

    showBreathingNote();
    const BreathingPageModel &breathing = m_configuration.breathingPage();
    using Scale = BreathingPageModel::Scale;
    const std::pair<Scale, const char *> scales[] = {{Scale::Off, "Img_Off"},
                                                     {Scale::Raise, "Img_Raise"},
                                                     {Scale::On, "Img_On"},
                                                     {Scale::Fall, "Img_Fall"}};
    for (const auto &[scale, stem] : scales) {
        for (int segment = 1; segment <= BreathingPageModel::kStepCount; ++segment)
            setPicture(
                QString::fromLatin1(stem) + QString::number(segment),
                QString::fromLatin1(breathing.segmentLit(scale, segment) ? "Bar1_E" : "Bar1_D"));
    }
    using Mode = BreathingPageModel::LightMode;
    const std::pair<Mode, const char *> modes[] = {{Mode::Random, "Img_Random"},
                                                   {Mode::Colorful, "Img_Colorful"},
                                                   {Mode::Custom, "Img_Custom"}};
    for (const auto &[mode, name] : modes)
        setPicture(QString::fromLatin1(name),
                   QString::fromLatin1(breathing.lightMode() == mode ? "RdS_E" : "RdS_D"));
    const bool colourMode1 = breathing.ledColourMode() == BreathingPageModel::LedColourMode::Mode1;
    setPicture(QStringLiteral("Img_LEDColMode1"),
               QString::fromLatin1(colourMode1 ? "RdS_E" : "RdS_D"));
    setPicture(QStringLiteral("Img_LEDColMode2"),
               QString::fromLatin1(colourMode1 ? "RdS_D" : "RdS_E"));
    const std::pair<Rgb, const char *> swatches[] = {{breathing.colour1Swatch(), "cs_Mode1"},
                                                     {breathing.colour2Swatch(), "cs_Mode2"}};
    for (const auto &[colour, name] : swatches) {
        if (QWidget *swatch = findElement(QString::fromLatin1(name))) {
            QPalette palette = swatch->palette();
            palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
            swatch->setPalette(palette);
        }
    }

    // The pointer, double-click and wheel scales wait for the desktop's
    // mouse settings; until then they show no lit segment.
    for (const char *stem : {"Img_Spd", "Img_DbSpd", "Img_ScrSpd"}) {
        for (int segment = 1; segment <= 10; ++segment) {
            SkinPicture *step = picture(QString::fromLatin1(stem) + QString::number(segment));
            if (step && step->pictureName().isEmpty())
                step->setPicture(QStringLiteral("Bar1_D"));
        }
    }
}

void SkinnedContent::renderButtonCaptions()
{
    const ButtonAssignmentModel &buttons = m_configuration.buttonAssignment();
    if (buttons.shownProfile() == NoProfileShown)
        return;
    if (m_marquee.running())
        stopLabelRun();
    for (int n = 1; n <= ButtonAssignmentModel::kButtonCount; ++n) {
        if (SkinLabel *key = label(QStringLiteral("Key%1").arg(n)))
            key->setText(buttons.caption(n));
    }
}

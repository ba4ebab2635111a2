// Plain rendering of the page models: button captions, scale and choice
// pictures, fire-key texts and colour swatches. The pages' click handlers
// change the models and call these again.
#include "ui/skin_model_view.h"

#include "configuration/configuration.h"
#include "ui/skin_element_set.h"
#include "ui/skin_label.h"
#include "ui/skin_layout.h"
#include "ui/skin_marquee.h"
#include "ui/skin_picture.h"

#include <QFrame>
#include <QLineEdit>

SkinModelView::SkinModelView(SkinElementSet &elements, Configuration &configuration,
                             const SkinLayout &layout, SkinMarquee &marquee,
                             const QHash<QString, QString> &storedTexts)
    : m_elements(elements), m_configuration(configuration), m_layout(layout), m_marquee(marquee),
      m_storedTexts(storedTexts)
{}

void SkinModelView::renderModels()
{
    renderButtonCaptions();
    renderPages();
}

void SkinModelView::renderPages()
{
    renderAdvancedPage();
    showBreathingNote();
    renderBreathingPage();

    // The pointer, double-click and wheel scales wait for the desktop's
    // mouse settings; until then they show no lit segment.
    for (const char *stem : {"Img_Spd", "Img_DbSpd", "Img_ScrSpd"}) {
        for (int segment = 1; segment <= 10; ++segment) {
            SkinPicture *step =
                m_elements.picture(QString::fromLatin1(stem) + QString::number(segment));
            if (step && step->pictureName().isEmpty())
                step->setPicture(QStringLiteral("Bar1_D"));
        }
    }
}

void SkinModelView::showBreathingNote()
{
    SkinLabel *note = m_elements.label(QStringLiteral("lbl_BreathNote"));
    note->setText(m_storedTexts.value(QStringLiteral("Str450")));
    note->setVisible(!m_elements.find(QStringLiteral("Img_P3"))->isHidden() &&
                     BreathingPageModel::bypassed(m_configuration.sections()));
}

void SkinModelView::renderAdvancedPage()
{
    const SkinStoredValues &stored = m_layout.storedValues();
    const AdvancedPageModel &advanced = m_configuration.advancedPage();
    for (int level = 1; level <= AdvancedPageModel::kDpiLevelCount; ++level) {
        m_elements.setPicture(
            QStringLiteral("Img_DPI%1").arg(level),
            QString::fromLatin1(advanced.dpiMarkerLit(level) ? "Bar2_E" : "Bar2_D"));
        if (QWidget *marker = m_elements.find(QStringLiteral("Img_DPI%1").arg(level)))
            marker->setEnabled(advanced.dpiMarkerEnabled(level));
        if (SkinLabel *caption = m_elements.label(QStringLiteral("lbl_DPI%1").arg(level))) {
            if (stored.selected.isValid())
                caption->setTextColour(advanced.dpiLevelSelected(level) ? stored.selected
                                                                        : stored.notSelected);
        }
    }
    const auto rate = advanced.reportRate();
    m_elements.setPicture(
        QStringLiteral("Img_Rep1"),
        QString::fromLatin1(rate == AdvancedPageModel::ReportRate::Hz1000 ? "RdS_E" : "RdS_D"));
    m_elements.setPicture(
        QStringLiteral("Img_Rep2"),
        QString::fromLatin1(rate == AdvancedPageModel::ReportRate::Hz500 ? "RdS_E" : "RdS_D"));
    for (int n = 1; n <= AdvancedPageModel::kFireKeyCount; ++n) {
        if (auto *edit = m_elements.element<QLineEdit>(QStringLiteral("Edt_Repeat%1").arg(n)))
            edit->setText(advanced.repeatText(n));
        if (auto *edit = m_elements.element<QLineEdit>(QStringLiteral("Edt_DelayTime%1").arg(n)))
            edit->setText(advanced.delayText(n));
        if (SkinLabel *mode = m_elements.label(QStringLiteral("lbl_FKMode%1").arg(n))) {
            if (stored.selected.isValid())
                mode->setTextColour(advanced.fireModeSelected(n) ? stored.selected
                                                                 : stored.notSelected);
        }
    }
}

void SkinModelView::renderBreathingPage()
{
    const BreathingPageModel &breathing = m_configuration.breathingPage();
    using Scale = BreathingPageModel::Scale;
    const std::pair<Scale, const char *> scales[] = {{Scale::Off, "Img_Off"},
                                                     {Scale::Raise, "Img_Raise"},
                                                     {Scale::On, "Img_On"},
                                                     {Scale::Fall, "Img_Fall"}};
    for (const auto &[scale, stem] : scales) {
        for (int segment = 1; segment <= BreathingPageModel::kStepCount; ++segment)
            m_elements.setPicture(
                QString::fromLatin1(stem) + QString::number(segment),
                QString::fromLatin1(breathing.segmentLit(scale, segment) ? "Bar1_E" : "Bar1_D"));
    }
    using Mode = BreathingPageModel::LightMode;
    const std::pair<Mode, const char *> modes[] = {{Mode::Random, "Img_Random"},
                                                   {Mode::Colorful, "Img_Colorful"},
                                                   {Mode::Custom, "Img_Custom"}};
    for (const auto &[mode, name] : modes)
        m_elements.setPicture(
            QString::fromLatin1(name),
            QString::fromLatin1(breathing.lightMode() == mode ? "RdS_E" : "RdS_D"));
    const bool colourMode1 = breathing.ledColourMode() == BreathingPageModel::LedColourMode::Mode1;
    m_elements.setPicture(QStringLiteral("Img_LEDColMode1"),
                          QString::fromLatin1(colourMode1 ? "RdS_E" : "RdS_D"));
    m_elements.setPicture(QStringLiteral("Img_LEDColMode2"),
                          QString::fromLatin1(colourMode1 ? "RdS_D" : "RdS_E"));
    const std::pair<Rgb, const char *> swatches[] = {{breathing.colour1Swatch(), "cs_Mode1"},
                                                     {breathing.colour2Swatch(), "cs_Mode2"}};
    for (const auto &[colour, name] : swatches) {
        if (QWidget *swatch = m_elements.find(QString::fromLatin1(name))) {
            QPalette palette = swatch->palette();
            palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
            swatch->setPalette(palette);
        }
    }
}

void SkinModelView::renderButtonCaptions()
{
    const ButtonAssignmentModel &buttons = m_configuration.buttonAssignment();
    if (buttons.shownProfile() == NoProfileShown)
        return;
    if (m_marquee.running())
        m_marquee.stop();
    for (int n = 1; n <= ButtonAssignmentModel::kButtonCount; ++n) {
        if (SkinLabel *key = m_elements.label(QStringLiteral("Key%1").arg(n)))
            key->setText(buttons.caption(n));
    }
}

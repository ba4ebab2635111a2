#include "settings/breathing_page.h"

#include "configuration/configuration.h"
#include "settings/element_clicks.h"
#include "ui/skinned_content.h"

#include <QColorDialog>
#include <QWidget>

BreathingPage::BreathingPage(SkinnedContent &skin, Configuration &config, QObject *parent)
    : QObject(parent), m_skin(skin), m_config(config)
{
    wireClicks();
    // Every refresh from an image may choose the other LED colour mode,
    // which decides whether colour 1 can be picked. The skin's own
    // rendering runs first.
    auto previous = std::move(m_config.PagesRefreshed);
    m_config.PagesRefreshed = [this, previous] {
        if (previous)
            previous();
        render();
    };
    render();
}

void BreathingPage::wireClicks()
{
    using Scale = BreathingPageModel::Scale;
    BreathingPageModel &model = m_config.breathingPage();
    const std::pair<Scale, const char *> scales[] = {
        {Scale::Off, "Off"}, {Scale::Raise, "Raise"}, {Scale::On, "On"}, {Scale::Fall, "Fall"}};
    for (const auto &entry : scales) {
        const Scale scale = entry.first;
        const char *stem = entry.second;
        const auto click = [this, &model, scale](int step) {
            if (model.setStep(scale, step))
                render();
        };
        // A step's caption lies over part of its segment; both take the click.
        for (const char *kind : {"Img_", "lbl_"})
            onNumberedLeftClicks(m_skin, QString::fromLatin1(kind) + QString::fromLatin1(stem),
                                 BreathingPageModel::kStepCount, this, click);
    }

    using Mode = BreathingPageModel::LightMode;
    const std::pair<Mode, const char *> modes[] = {{Mode::Random, "lbl_Random"},
                                                   {Mode::Colorful, "lbl_Colorful"},
                                                   {Mode::Custom, "lbl_Custom"}};
    for (const auto &entry : modes)
        onLeftClick(m_skin, QString::fromLatin1(entry.second), this,
                    [this, &model, mode = entry.first] {
                        model.setLightMode(mode);
                        render();
                    });

    using ColourMode = BreathingPageModel::LedColourMode;
    onNumberedLeftClicks(m_skin, QStringLiteral("lbl_LEDColMode"), 2, this, [this, &model](int n) {
        model.LEDColModeChange(n == 1 ? ColourMode::Mode1 : ColourMode::Mode2);
        render();
    });
    onLeftClick(m_skin, QStringLiteral("lbl_csmode1"), this, [this] { pickColour1(); });
}

void BreathingPage::pickColour1()
{
    BreathingPageModel &model = m_config.breathingPage();
    if (!model.colour1PickerEnabled())
        return;
    QColorDialog dialog(m_lastChosen, m_skin.client()->window());
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid())
        return;
    m_lastChosen = chosen;
    model.lbl_csmode1Click({chosen.red(), chosen.green(), chosen.blue()});
    render();
}

void BreathingPage::render()
{
    m_skin.renderPages();
    const BreathingPageModel &model = m_config.breathingPage();
    if (QWidget *picker = m_skin.element(QStringLiteral("lbl_csmode1")))
        picker->setEnabled(model.colour1PickerEnabled());
    // Fill and outline alike take the colour.
    const std::pair<Rgb, const char *> swatches[] = {{model.colour1Swatch(), "cs_Mode1"},
                                                     {model.colour2Swatch(), "cs_Mode2"}};
    for (const auto &[colour, name] : swatches) {
        if (QWidget *swatch = m_skin.element(QString::fromLatin1(name))) {
            QPalette palette = swatch->palette();
            palette.setColor(QPalette::WindowText, QColor(colour.red, colour.green, colour.blue));
            swatch->setPalette(palette);
        }
    }
}

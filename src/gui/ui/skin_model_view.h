#pragma once

#include <QHash>
#include <QString>

class Configuration;
class SkinElementSet;
class SkinLayout;
class SkinMarquee;

// Plain rendering of the page models: button captions, scale and choice
// pictures, fire-key texts and colour swatches. The pages' click handlers
// change the models and call these again.
class SkinModelView
{
public:
    SkinModelView(SkinElementSet &elements, Configuration &configuration, const SkinLayout &layout,
                  SkinMarquee &marquee, const QHash<QString, QString> &storedTexts);

    // Key1-12 captions and the scale, DPI and choice pictures from the models.
    void renderModels();
    void renderButtonCaptions();
    void renderPages(); // everything but the button captions
    // The breathing page's note, shown with the page while the image keeps
    // the light from being configured.
    void showBreathingNote();

private:
    void renderAdvancedPage();
    void renderBreathingPage();

    SkinElementSet &m_elements;
    Configuration &m_configuration;
    const SkinLayout &m_layout;
    SkinMarquee &m_marquee;
    const QHash<QString, QString> &m_storedTexts;
};

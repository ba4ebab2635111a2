#include "ui/skinned_content.h"

#include "configuration/page_buttons.h"

SkinnedContent::SkinnedContent(QWidget *client, Configuration &configuration, QObject *parent)
    : SkinSignals(parent), m_configuration(configuration), m_elements(client), m_marquee(*this),
      m_layout(m_elements, configuration, *this),
      m_view(m_elements, configuration, m_layout, m_marquee, m_storedTexts),
      m_pages(m_elements, configuration, m_view, m_storedTexts, *this),
      m_language(m_elements, configuration, m_layout, m_view, m_pages, m_marquee, m_storedTexts,
                 *this),
      m_hover(m_elements, m_pages, m_language, m_marquee, m_layout, m_storedTexts, *this)
{
    // The window re-renders whatever the models changed, keeping any hook
    // that was there before (and handing it back when the content goes).
    m_previousPagesRefreshed = m_configuration.PagesRefreshed;
    m_configuration.PagesRefreshed = [this] {
        if (m_previousPagesRefreshed)
            m_previousPagesRefreshed();
        m_view.renderModels();
        // A read, load or reset may name another profile: its tab and page
        // open with it.
        m_pages.followCurrentPage();
    };
}

SkinnedContent::~SkinnedContent()
{
    m_configuration.PagesRefreshed = m_previousPagesRefreshed;
}

void SkinnedContent::loadSkinPictures()
{
    m_elements.loadStartPictures(isProfilePage(currentPage()));
    m_view.renderModels();
}

bool SkinnedContent::applyWebLink()
{
    return m_layout.applyWebLink(openWebLink());
}

void SkinnedContent::showPressed(DeviceObserver::WriteButton button)
{
    static const char *const pictures[] = {"Img_Confirm", "Img_Apply", "Img_Reset"};
    m_elements.setPicture(QString::fromLatin1(pictures[static_cast<int>(button)]),
                          QStringLiteral("BtnS_03"));
}

#include "configuration/page_buttons.h"

PageButtonDecision decidePageButton(const Configuration &configuration, Configuration::Page target)
{
    using Outcome = PageButtonDecision::Outcome;
    if (!configuration.state().deviceOpen())
        return {Outcome::ShowMessage, QStringLiteral("Str022")};
    if (configuration.state().NoDevicePage)
        return {Outcome::Ignore, {}};
    int profile = NoProfileShown;
    if (target == Configuration::Page::Switch)
        profile = SwitchProfile;
    else if (target == Configuration::Page::Fixed)
        profile = FixedProfile;
    if (profile != NoProfileShown) {
        const QString blocked = configuration.buttonAssignment().PageBlockMessage(profile);
        if (!blocked.isEmpty())
            return {Outcome::ShowMessage, blocked};
    }
    return {Outcome::Open, {}};
}

PageAfterRefresh pageAfterRefresh(const Configuration &configuration, bool macroPage)
{
    PageAfterRefresh after{configuration.currentPage(), {}};
    if (after.page == Configuration::Page::Macro && !macroPage)
        after.page = Configuration::Page::Main;
    if (after.page == Configuration::Page::Switch)
        after.noticeKey = configuration.buttonAssignment().PageBlockMessage(SwitchProfile);
    else if (after.page == Configuration::Page::Fixed)
        after.noticeKey = configuration.buttonAssignment().PageBlockMessage(FixedProfile);
    return after;
}

int pagePictureNumber(Configuration::Page page)
{
    switch (page) {
    case Configuration::Page::Advanced:
        return 2;
    case Configuration::Page::Breathing:
        return 3;
    case Configuration::Page::Macro:
        return 4;
    default:
        return 1;
    }
}

bool isProfilePage(Configuration::Page page)
{
    return pagePictureNumber(page) == 1;
}

#include "configuration/configuration.h"
#include "configuration/page_buttons.h"

#include <QtTest>

using Page = Configuration::Page;
using Outcome = PageButtonDecision::Outcome;

class TestPageButtons : public QObject
{
    Q_OBJECT
private slots:
    void rulesInTheirOrder()
    {
        Configuration configuration;
        QVERIFY(configuration.startUp());
        AppState &state = configuration.state();

        // No mouse open: every page button reports Str022, even while the
        // no-device page is up.
        state.NoDevicePage = true;
        for (Page page : {Page::Main, Page::Switch, Page::Advanced, Page::Macro}) {
            const PageButtonDecision decision = decidePageButton(configuration, page);
            QCOMPARE(decision.outcome, Outcome::ShowMessage);
            QCOMPARE(decision.messageKey, QStringLiteral("Str022"));
        }
        // Only one handle open counts as no mouse too.
        state.CommandHandle = 1;
        QCOMPARE(decidePageButton(configuration, Page::Main).messageKey, QStringLiteral("Str022"));

        state.DataHandle = 2;
        QCOMPARE(decidePageButton(configuration, Page::Switch).outcome, Outcome::Ignore);
        state.NoDevicePage = false;
        QCOMPARE(decidePageButton(configuration, Page::Advanced).outcome, Outcome::Open);
        QCOMPARE(decidePageButton(configuration, Page::Main).outcome, Outcome::Open);
    }

    void profilePagesNeedTheirKeys()
    {
        Configuration configuration;
        QVERIFY(configuration.startUp());
        configuration.state().CommandHandle = 1;
        configuration.state().DataHandle = 2;
        ProfileFunctionTable &codes = configuration.profileFunctions();
        // The default image's own codes decide nothing here: clear them.
        for (auto &profile : codes)
            profile.fill(FunctionCode::fromWord(0x01010000));

        QCOMPARE(decidePageButton(configuration, Page::Switch).messageKey,
                 QStringLiteral("Str020"));
        QCOMPARE(decidePageButton(configuration, Page::Fixed).messageKey, QStringLiteral("Str021"));
        // The reset key on Main does not open Fixed; it must be on Switch.
        codes[0][11] = FunctionCode::fromWord(0x0D000000);
        QCOMPARE(decidePageButton(configuration, Page::Fixed).messageKey, QStringLiteral("Str021"));
        codes[0][4] = FunctionCode::fromWord(0x07000000);
        QCOMPARE(decidePageButton(configuration, Page::Switch).outcome, Outcome::Open);
        codes[1][3] = FunctionCode::fromWord(0x0D000000);
        QCOMPARE(decidePageButton(configuration, Page::Fixed).outcome, Outcome::Open);
    }

    // A mouse that starts in the Switch profile while no Main button carries
    // the switch function: the read opens the Switch tab with its notice, and
    // an edit reaches the profile of that tab, in either language.
    void theSelectedTabIsTheProfileEdited()
    {
        Configuration configuration;
        QVERIFY(configuration.startUp());
        configuration.state().CommandHandle = 1;
        configuration.state().DataHandle = 2;
        for (auto &profile : configuration.profileFunctions())
            profile.fill(FunctionCode::fromWord(0x01010000));
        configuration.sections().ParameterB[2] = 1; // the stored profile: Switch
        configuration.RefreshUI();

        PageAfterRefresh after = pageAfterRefresh(configuration, configuration.state().ChipFamilyB);
        QCOMPARE(after.page, Page::Switch);
        QCOMPARE(after.noticeKey, QStringLiteral("Str020"));
        QCOMPARE(configuration.currentPage(), Page::Switch);
        ButtonAssignmentModel &buttons = configuration.buttonAssignment();
        QCOMPARE(buttons.shownProfile(), int(SwitchProfile));
        QVERIFY(buttons.setCurrentButton(4));
        QVERIFY(buttons.assignChoice(903, configuration.codeTextContext())); // Back
        QCOMPARE(buttons.code(SwitchProfile, 4).hexText(), QStringLiteral("01080000"));
        QCOMPARE(buttons.code(MainProfile, 4).hexText(), QStringLiteral("01010000"));

        // A language switch re-translates the captions the model holds and
        // keeps the profile shown.
        configuration.setLanguage(2);
        QCOMPARE(buttons.shownProfile(), int(SwitchProfile));
        QCOMPARE(buttons.caption(4), configuration.text()(QStringLiteral("Str213")));
        QVERIFY(buttons.caption(4) != QStringLiteral("Back"));

        // With the switch key on Main the notice goes; Fixed names its own.
        configuration.profileFunctions()[0][5] = FunctionCode::fromWord(0x07000000);
        QVERIFY(
            pageAfterRefresh(configuration, configuration.state().ChipFamilyB).noticeKey.isEmpty());
        configuration.setCurrentPage(Page::Fixed);
        after = pageAfterRefresh(configuration, configuration.state().ChipFamilyB);
        QCOMPARE(after.page, Page::Fixed);
        QCOMPARE(after.noticeKey, QStringLiteral("Str021"));
        QCOMPARE(buttons.shownProfile(), int(FixedProfile));

        // A mouse without macros leaves the Macro page for Main.
        configuration.setCurrentPage(Page::Macro);
        QCOMPARE(pageAfterRefresh(configuration, configuration.state().ChipFamilyB).page,
                 Page::Main);
        configuration.state().ChipFamilyB = true;
        QCOMPARE(pageAfterRefresh(configuration, configuration.state().ChipFamilyB).page,
                 Page::Macro);
        QVERIFY(
            pageAfterRefresh(configuration, configuration.state().ChipFamilyB).noticeKey.isEmpty());
    }

    void pagePictures()
    {
        QCOMPARE(pagePictureNumber(Page::Main), 1);
        QCOMPARE(pagePictureNumber(Page::Fixed), 1);
        QCOMPARE(pagePictureNumber(Page::Advanced), 2);
        QCOMPARE(pagePictureNumber(Page::Breathing), 3);
        QCOMPARE(pagePictureNumber(Page::Macro), 4);
        QVERIFY(isProfilePage(Page::Switch));
        QVERIFY(!isProfilePage(Page::Macro));
    }
};

QTEST_APPLESS_MAIN(TestPageButtons)
#include "test_page_buttons.moc"

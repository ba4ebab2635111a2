#include "image/configuration.h"
#include "image/page_buttons.h"

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
        ProfileCodeStringTable &codes = configuration.ProfileCodeStrings();
        // The default image's own codes decide nothing here: clear them.
        for (auto &profile : codes)
            profile.fill(QStringLiteral("01010000"));

        QCOMPARE(decidePageButton(configuration, Page::Switch).messageKey,
                 QStringLiteral("Str020"));
        QCOMPARE(decidePageButton(configuration, Page::Fixed).messageKey, QStringLiteral("Str021"));
        // The reset key on Main does not open Fixed; it must be on Switch.
        codes[0][11] = QStringLiteral("0D000000");
        QCOMPARE(decidePageButton(configuration, Page::Fixed).messageKey, QStringLiteral("Str021"));
        codes[0][4] = QStringLiteral("07000000");
        QCOMPARE(decidePageButton(configuration, Page::Switch).outcome, Outcome::Open);
        codes[1][3] = QStringLiteral("0D000000");
        QCOMPARE(decidePageButton(configuration, Page::Fixed).outcome, Outcome::Open);
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

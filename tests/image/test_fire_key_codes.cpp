#include "buttons/button_assignment_model.h"
#include "buttons/function_codes.h"
#include "image/configuration.h"
#include "image_test_support.h"

#include <QTest>

namespace {

// Puts fire key n's code bytes into the FireKey record.
void setFireKey(Configuration &config, int n, const QByteArray &bytes)
{
    config.sections().FireKey.replace(4 * (n - 1), 4, bytes);
}

// Gives a button a code in the Profile record, as an image would carry it.
void setButtonCode(Configuration &config, int profile, int button, const QByteArray &bytes)
{
    config.sections().Profile.replace(ProfileCodeOffset(profile, button), 4, bytes);
}

QString buttonText(const Configuration &config, int profile, int button)
{
    return CodeToText(config.ProfileCodeStrings()[profile - 1][button - 1],
                      config.codeTextContext());
}

// The image's records into the page, as DataBufToUI does after its checks.
void showRecords(Configuration &config)
{
    config.clearProfileCodeStrings();
    config.rebuildProfileCodeStrings();
    config.RefreshUI();
}

} // namespace

class TestFireKeyCodes : public QObject
{
    Q_OBJECT

private slots:
    void outOfRangeDelayIsShownAndFollowedOnWrite()
    {
        Configuration config;
        config.startUp();                                       // English
        setFireKey(config, 4, QByteArray::fromHex("06120E69")); // delay 3689
        setButtonCode(config, 1, 5, QByteArray::fromHex("06120E69"));
        setButtonCode(config, 2, 7, QByteArray::fromHex("06120E69"));
        setButtonCode(config, 1, 6, QByteArray::fromHex("01010000"));
        showRecords(config);

        QCOMPARE(config.advancedPage().delayText(4), QStringLiteral("3689"));
        QCOMPARE(buttonText(config, 1, 5), QStringLiteral("Fire4 Key"));

        config.AssembleDataBuf();
        QCOMPARE(config.advancedPage().delayText(4), QStringLiteral("2000"));
        QCOMPARE(hex(config.sections().FireKey.mid(12, 4)), QByteArray("06 12 07 D0"));
        QCOMPARE(config.ProfileCodeStrings()[0][4], QStringLiteral("061207D0"));
        QCOMPARE(config.ProfileCodeStrings()[1][6], QStringLiteral("061207D0"));
        QCOMPARE(hex(config.sections().Profile.mid(ProfileCodeOffset(2, 7), 4)),
                 QByteArray("06 12 07 D0"));
        QCOMPARE(config.ProfileCodeStrings()[0][5], QStringLiteral("01010000"));

        // The assembled block read back still names the fire key.
        config.DataBufToUI();
        QCOMPARE(buttonText(config, 1, 5), QStringLiteral("Fire4 Key"));
    }

    void repeatOfOneKeepsItsName()
    {
        Configuration config;
        config.startUp();
        setFireKey(config, 1, QByteArray::fromHex("06110010")); // repeat 1
        setButtonCode(config, 1, 4, QByteArray::fromHex("06110010"));
        showRecords(config);
        QCOMPARE(config.advancedPage().repeatText(1), QStringLiteral("1"));
        QCOMPARE(buttonText(config, 1, 4), QStringLiteral("Double Click"));

        config.AssembleDataBuf();
        QCOMPARE(config.advancedPage().repeatText(1), QStringLiteral("2"));
        QCOMPARE(config.ProfileCodeStrings()[0][3], QStringLiteral("06120010"));
        QCOMPARE(buttonText(config, 1, 4), QStringLiteral("Double Click"));
    }

    void typedValuesAreLimitedWithoutFocusLoss()
    {
        Configuration config;
        config.startUp();
        AdvancedPageModel &page = config.advancedPage();
        page.setRepeatText(2, QStringLiteral("16"));
        page.setDelayText(3, QStringLiteral("2001"));
        // A button given fire key 2 while the box shows "16" follows it.
        const QString typedCode = CodeFromChoice(kChoiceFireKey1 + 1, config.codeTextContext());
        QCOMPARE(typedCode.mid(2, 2), QStringLiteral("20"));
        config.ProfileCodeStrings()[0][7] = typedCode;
        setButtonCode(config, 1, 8, QByteArray::fromHex(typedCode.toLatin1()));

        config.AssembleDataBuf();
        QCOMPARE(page.repeatText(2), QStringLiteral("15"));
        QCOMPARE(page.delayText(3), QStringLiteral("2000"));
        QCOMPARE(quint8(config.sections().FireKey[5]), quint8(0x1F));
        QCOMPARE(hex(config.sections().FireKey.mid(10, 2)), QByteArray("07 D0"));
        QCOMPARE(config.ProfileCodeStrings()[0][7].mid(2, 2), QStringLiteral("1F"));
        QCOMPARE(buttonText(config, 1, 8), QStringLiteral("Fire2 Key"));
    }
};

QTEST_GUILESS_MAIN(TestFireKeyCodes)
#include "test_fire_key_codes.moc"

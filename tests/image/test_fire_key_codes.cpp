#include "buttons/button_assignment_model.h"
#include "buttons/function_codes.h"
#include "configuration/configuration.h"
#include "image_test_support.h"

#include <QTest>

namespace {

// Gives fire key n (FireKey record) or a button (Profile record) code bytes.
void setFireKey(Configuration &config, int n, const char *hexCode)
{
    config.sections().FireKey.replace(4 * (n - 1), 4, QByteArray::fromHex(hexCode));
}
void setButton(Configuration &config, int profile, int button, const char *hexCode)
{
    config.sections().Profile.replace(ProfileCodeOffset(profile, button), 4,
                                      QByteArray::fromHex(hexCode));
}

QString buttonText(const Configuration &config, int profile, int button)
{
    return CodeToText(config.profileFunctions()[profile - 1][button - 1], config.codeTextContext());
}

// The records into the pages, as DataBufToUI does after its checks.
void showRecords(Configuration &config)
{
    config.rebuildProfileFunctions();
    config.RefreshUI();
}

} // namespace

class TestFireKeyCodes : public QObject
{
    Q_OBJECT

private slots:
    void outOfRangeValuesAreShownAndFollowedOnWrite()
    {
        Configuration config;
        config.startUp();                  // English
        setFireKey(config, 4, "06120E69"); // delay 3689
        setFireKey(config, 1, "06110010"); // repeat 1
        setButton(config, 1, 5, "06120E69");
        setButton(config, 2, 7, "06120E69");
        setButton(config, 1, 4, "06110010");
        setButton(config, 1, 6, "01010000");
        showRecords(config);
        QCOMPARE(config.advancedPage().delayText(4), QStringLiteral("3689"));
        QCOMPARE(config.advancedPage().repeatText(1), QStringLiteral("1"));
        QCOMPARE(buttonText(config, 1, 5), QStringLiteral("Fire4 Key"));
        QCOMPARE(buttonText(config, 1, 4), QStringLiteral("Double Click"));

        config.AssembleDataBuf();
        QCOMPARE(config.advancedPage().delayText(4), QStringLiteral("2000"));
        QCOMPARE(hex(config.sections().FireKey.mid(12, 4)), QByteArray("06 12 07 D0"));
        QCOMPARE(config.profileFunctions()[0][4].hexText(), QStringLiteral("061207D0"));
        QCOMPARE(hex(config.sections().Profile.mid(ProfileCodeOffset(2, 7), 4)),
                 QByteArray("06 12 07 D0"));
        QCOMPARE(config.profileFunctions()[0][3].hexText(), QStringLiteral("06120010"));
        QCOMPARE(config.profileFunctions()[0][5].hexText(), QStringLiteral("01010000"));

        // The assembled block read back still names both fire keys.
        config.DataBufToUI();
        QCOMPARE(buttonText(config, 1, 5), QStringLiteral("Fire4 Key"));
        QCOMPARE(buttonText(config, 1, 4), QStringLiteral("Double Click"));
    }

    void typedValuesAreLimitedWithoutFocusLoss()
    {
        Configuration config;
        config.startUp();
        config.advancedPage().setRepeatText(2, QStringLiteral("16"));
        // A button given fire key 2 while the box shows "16" follows it.
        const FunctionCode typed = CodeFromChoice(kChoiceFireKey1 + 1, config.codeTextContext());
        config.profileFunctions()[0][7] = typed;
        setButton(config, 1, 8, typed.hexText().toLatin1().constData());

        config.AssembleDataBuf();
        QCOMPARE(config.advancedPage().repeatText(2), QStringLiteral("15"));
        QCOMPARE(quint8(config.sections().FireKey[5]), quint8(0x1F));
        QCOMPARE(config.profileFunctions()[0][7].hexText().mid(2, 2), QStringLiteral("1F"));
        QCOMPARE(buttonText(config, 1, 8), QStringLiteral("Fire2 Key"));
    }
};

QTEST_GUILESS_MAIN(TestFireKeyCodes)
#include "test_fire_key_codes.moc"

#include "english_texts.h"

#include <QHash>

TextLookup englishTexts()
{
    static const QHash<QString, QString> texts = {
        {"Str210", "Left Key"},    {"Str211", "Right Key"},     {"Str212", "Middle Key"},
        {"Str213", "Back"},        {"Str214", "Forward"},       {"Str221", "Power"},
        {"Str222", "Sleep"},       {"Str223", "Wake Up"},       {"Str231", "Double Click"},
        {"Str232", "Fire2 Key"},   {"Str233", "Fire3 Key"},     {"Str234", "Fire4 Key"},
        {"Str240", "Fire Mode"},   {"Str241", "AIM Key"},       {"Str242", "KB Switch Key"},
        {"Str243", "CPI"},         {"Str244", "Report Rate"},   {"Str245", "KB Reset Key"},
        {"Str246", "LED Mode"},    {"Str247", "CPI +"},         {"Str248", "CPI -"},
        {"Str250", "Play/Pause"},  {"Str251", "Stop"},          {"Str252", "Previous Track"},
        {"Str253", "Next Track"},  {"Str254", "Volume +"},      {"Str255", "Volume -"},
        {"Str256", "Mute"},        {"Str260", "WWW Home"},      {"Str261", "WWW Search"},
        {"Str262", " Back"},       {"Str263", " Forward"},      {"Str264", "WWW Stop"},
        {"Str265", "WWW Refresh"}, {"Str266", "WWW Favorites"},
    };
    return [](const QString &key) { return texts.value(key); };
}

CodeTextContext englishContext()
{
    CodeTextContext context;
    context.text = englishTexts();
    for (int n = 0; n < 4; ++n)
        context.fireKeys[n] = {2, 16 * (n + 1), 0};
    for (int i = 0; i < 32; ++i)
        context.macroNames << QStringLiteral("Macro %1").arg(i);
    return context;
}

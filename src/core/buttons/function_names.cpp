#include "buttons/function_names.h"

#include "buttons/key_combination_model.h"
#include "buttons/key_tables.h"
#include "records/memory_map.h"

#include <QRegularExpression>

#include <array>

namespace {

struct NamedChoice
{
    const char *name;
    int choice;
};

// Menu order. Media and web names follow the entries' English texts.
constexpr NamedChoice kNamedChoices[] = {
    {"left", 900},        {"right", 901},        {"middle", 902},         {"back", 903},
    {"forward", 904},     {"fire-mode", 1000},   {"aim", 1001},           {"kb-switch", 1002},
    {"cpi", 1003},        {"cpi+", 1007},        {"cpi-", 1008},          {"report-rate", 1004},
    {"kb-reset", 1005},   {"led-mode", 1006},    {"power", 1100},         {"sleep", 1101},
    {"wake-up", 1102},    {"fire-key-1", 1200},  {"fire-key-2", 1201},    {"fire-key-3", 1202},
    {"fire-key-4", 1203}, {"play-pause", 1300},  {"stop", 1301},          {"previous-track", 1302},
    {"next-track", 1303}, {"volume-up", 1304},   {"volume-down", 1305},   {"mute", 1306},
    {"www-home", 1400},   {"www-search", 1401},  {"www-back", 1402},      {"www-forward", 1403},
    {"www-stop", 1404},   {"www-refresh", 1405}, {"www-favorites", 1406}, {"none", 0},
};

constexpr int kFireModeChoice = 1000;
constexpr int kMacroSlotCount = 32;

const QLatin1String kMacroPrefix("macro:");
const QLatin1String kKeysPrefix("keys:");
const QLatin1String kCodePrefix("code:");

// The keys that are themselves held modifiers: the dialog swallows them.
struct HeldModifiers
{
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
};

HeldModifiers heldBy(int virtualKey)
{
    HeldModifiers held;
    held.shift = virtualKey == 0x10 || virtualKey == 0xA0 || virtualKey == 0xA1;
    held.ctrl = virtualKey == 0x11 || virtualKey == 0xA2 || virtualKey == 0xA3;
    held.alt = virtualKey == 0x12 || virtualKey == 0xA4 || virtualKey == 0xA5;
    return held;
}

bool swallowedByDialog(int virtualKey)
{
    const HeldModifiers held = heldBy(virtualKey);
    return virtualKey == 0x5B || virtualKey == 0x5C || held.shift || held.alt || held.ctrl;
}

// A key the dialog can take and the mouse can send: its virtual key, or -1.
int pressableKey(int keyIndex)
{
    const int virtualKey = KeyIndexToVirtualKey(keyIndex);
    if (virtualKey < 0 || swallowedByDialog(virtualKey) || KeyIndexToDeviceKey(keyIndex) == 0)
        return -1;
    return virtualKey;
}

int keyIndexOfToken(const QString &token)
{
    for (int index = 0; index < kKeyIndexCount; ++index) {
        if (KeyIndexToVirtualKey(index) >= 0 && KeyNameToken(KeyIndexToName(index)) == token)
            return index;
    }
    return -1;
}

int modifierOfWord(const QString &word)
{
    for (int m = KeyCombinationModel::Ctrl; m <= KeyCombinationModel::Win; ++m) {
        if (word.compare(KeyCombinationModel::modifierWord(KeyCombinationModel::Modifier(m)),
                         Qt::CaseInsensitive) == 0)
            return m;
    }
    return -1;
}

std::optional<FunctionRequest> parseKeys(const QString &text, const QString &keyList,
                                         QString *error)
{
    const auto refuse = [&](const QString &why) {
        *error = QStringLiteral("\"%1\": %2").arg(text, why);
        return std::nullopt;
    };
    std::array<bool, 4> ticked{};
    QList<int> keys; // key indices, in the order pressed
    // A combination names at least one key, and each key once: "keys:" would
    // store a combination that sends nothing, "keys:a+a" the same as "keys:a".
    if (keyList.trimmed().isEmpty())
        return refuse(QStringLiteral("no key given; write keys:ctrl+alt+a"));
    for (const QString &part : keyList.split(QLatin1Char('+'))) {
        const QString token = KeyNameToken(part);
        if (token.isEmpty())
            return refuse(QStringLiteral("empty key name; write keys:ctrl+alt+a"));
        const int modifier = modifierOfWord(token);
        if (modifier >= 0) {
            if (ticked[modifier])
                return refuse(QStringLiteral("\"%1\" is given twice").arg(part.trimmed()));
            ticked[modifier] = true;
            continue;
        }
        const int index = keyIndexOfToken(token);
        if (index < 0)
            return refuse(QStringLiteral("unknown key \"%1\"; keys are named as in the key "
                                         "tables (a, f1, page-up, space-bar ...)")
                              .arg(part));
        if (pressableKey(index) < 0)
            return refuse(QStringLiteral("\"%1\" cannot be part of a key combination; use the "
                                         "modifiers ctrl, shift, alt and win")
                              .arg(part));
        if (keys.contains(index))
            return refuse(QStringLiteral("\"%1\" is given twice").arg(part.trimmed()));
        keys.append(index);
    }
    if (keys.size() > 2)
        return refuse(QStringLiteral("at most two keys besides the modifiers"));

    // Modifiers first, then the keys, as a user would tick and type them.
    KeyCombinationModel dialog;
    for (int m = 0; m < 4; ++m) {
        if (ticked[m])
            dialog.setModifier(KeyCombinationModel::Modifier(m), true);
    }
    for (int index : keys) {
        const int virtualKey = KeyIndexToVirtualKey(index);
        const HeldModifiers held = heldBy(virtualKey);
        if (!dialog.keyDown(virtualKey, held.shift, held.alt, held.ctrl))
            return refuse(QStringLiteral("the key \"%1\" is not taken").arg(KeyIndexToName(index)));
    }
    const KeyCombinationModel::Result confirmed = dialog.confirm();
    FunctionRequest request;
    request.kind = FunctionRequest::Kind::Keys;
    request.caption = confirmed.caption;
    request.code = confirmed.code;
    return request;
}

QString keysName(const FunctionCode &code)
{
    QStringList parts;
    for (int m = 0; m < 4; ++m) {
        if (code[1] & (1 << m))
            parts.append(
                KeyCombinationModel::modifierWord(KeyCombinationModel::Modifier(m)).toLower());
    }
    for (int i = 2; i < 4; ++i) {
        if (code[i] == 0)
            continue;
        QString token;
        for (int index = 0; index < kKeyIndexCount && token.isEmpty(); ++index) {
            if (KeyIndexToDeviceKey(index) == code[i] && pressableKey(index) >= 0)
                token = KeyNameToken(KeyIndexToName(index));
        }
        if (token.isEmpty())
            return {};
        parts.append(token);
    }
    return QString(kKeysPrefix) + parts.join(QLatin1Char('+'));
}

} // namespace

QString KeyNameToken(const QString &keyName)
{
    QString token;
    bool gap = false;
    for (const QChar c : keyName) {
        if (c.isLetterOrNumber()) {
            if (gap && !token.isEmpty())
                token += QLatin1Char('-');
            token += c.toLower();
            gap = false;
        } else {
            gap = true;
        }
    }
    return token;
}

QStringList MenuFunctionNames()
{
    QStringList names;
    for (const NamedChoice &entry : kNamedChoices)
        names.append(QString::fromLatin1(entry.name));
    return names;
}

QString FunctionNameOfChoice(int choice)
{
    for (const NamedChoice &entry : kNamedChoices) {
        if (entry.choice == choice)
            return QString::fromLatin1(entry.name);
    }
    return {};
}

int ChoiceOfFunctionName(const QString &name)
{
    for (const NamedChoice &entry : kNamedChoices) {
        if (name == QLatin1String(entry.name))
            return entry.choice;
    }
    return -1;
}

std::optional<FunctionRequest> ParseFunctionName(const QString &text, QString *error)
{
    const QString lowered = text.trimmed().toLower();
    const int choice = ChoiceOfFunctionName(lowered);
    if (choice >= 0) {
        FunctionRequest request;
        request.choice = choice;
        return request;
    }
    if (lowered.startsWith(kMacroPrefix)) {
        // Plain digits as show prints them: no sign, space or leading zero.
        static const QRegularExpression digits(QStringLiteral("^(0|[1-9][0-9]?)$"));
        const QString number = lowered.mid(kMacroPrefix.size());
        const int slot = digits.match(number).hasMatch() ? number.toInt() : -1;
        if (slot < 0 || slot >= kMacroSlotCount) {
            *error = QStringLiteral("\"%1\": the macro number must be 0 to 31").arg(text);
            return std::nullopt;
        }
        FunctionRequest request;
        request.kind = FunctionRequest::Kind::Macro;
        request.macroSlot = slot;
        return request;
    }
    if (lowered.startsWith(kKeysPrefix))
        return parseKeys(text, text.trimmed().mid(kKeysPrefix.size()), error);
    if (lowered.startsWith(kCodePrefix)) {
        const std::optional<FunctionCode> code =
            FunctionCode::fromHexText(lowered.mid(kCodePrefix.size()).toUpper());
        if (!code) {
            *error =
                QStringLiteral("\"%1\": a code is eight hex digits, e.g. code:02010400").arg(text);
            return std::nullopt;
        }
        FunctionRequest request;
        request.kind = FunctionRequest::Kind::Code;
        request.code = *code;
        return request;
    }
    *error = QStringLiteral("unknown function \"%1\"; use one of %2, macro:N, keys:ctrl+alt+a or "
                            "code:XXXXXXXX")
                 .arg(text, MenuFunctionNames().join(QStringLiteral(", ")));
    return std::nullopt;
}

QString FunctionNameOfCode(const FunctionCode &code, const CodeTextContext &context)
{
    if (code.isEmpty())
        return {};

    // Mouse buttons and system keys are read before the fire keys, the other
    // menu entries after them; fire keys follow the settings they have now.
    for (const NamedChoice &entry : kNamedChoices) {
        const bool early = (entry.choice >= 900 && entry.choice <= 904) ||
                           (entry.choice >= 1100 && entry.choice <= 1102);
        if (early && CodeFromChoice(entry.choice, context) == code)
            return QString::fromLatin1(entry.name);
    }
    if (code[0] == 0x06) {
        for (int n = 0; n < 4; ++n) {
            if (FireKeyCode(context.fireKeys[n]) == code)
                return FunctionNameOfChoice(kChoiceFireKey1 + n);
        }
    }
    if (code[0] == 0x0F)
        return FunctionNameOfChoice(kFireModeChoice);
    for (const NamedChoice &entry : kNamedChoices) {
        const bool fireKey = entry.choice >= kChoiceFireKey1 && entry.choice < kChoiceFireKey1 + 4;
        if (!fireKey && CodeFromChoice(entry.choice, context) == code)
            return QString::fromLatin1(entry.name);
    }
    if (code[0] == 0x10 && code[3] == 0) {
        const int offset = (code[1] << 8 | code[2]) - memory_map::kMacroAddress;
        if (offset >= 0 && offset % memory_map::kMacroStride == 0 &&
            offset / memory_map::kMacroStride < kMacroSlotCount)
            return kMacroPrefix + QString::number(offset / memory_map::kMacroStride);
    }
    if (code[0] == 0x02) {
        QString name = keysName(code);
        QString ignored;
        const std::optional<FunctionRequest> back = ParseFunctionName(name, &ignored);
        if (!name.isEmpty() && back && back->code == code)
            return name;
    }
    return kCodePrefix + code.hexText();
}

#include "settings/mouse_settings_page_model.h"

#include <QStringList>

namespace {

using Group = MouseSettingsStore::Group;

constexpr std::array<int, 10> kSensitivitySteps = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18};
constexpr std::array<int, 10> kDoubleClickSteps = {900, 830, 760, 690, 620,
                                                   550, 480, 410, 340, 270};
constexpr std::array<int, 10> kWheelLineSteps = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

const std::array<int, 10> &tableOf(MouseSetting setting)
{
    switch (setting) {
    case MouseSetting::PointerSpeed:
        return kSensitivitySteps;
    case MouseSetting::DoubleClick:
        return kDoubleClickSteps;
    case MouseSetting::WheelLines:
        break;
    }
    return kWheelLineSteps;
}

int indexOf(MouseSetting setting)
{
    return static_cast<int>(setting);
}

bool validStep(int step)
{
    return step >= 1 && step <= MouseSettingsPageModel::kStepCount;
}

// Decimal text with an optional sign, nothing else; anything that is not
// such a number is treated like a missing value.
std::optional<qint32> decimalNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        const bool sign = i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'));
        if (!sign && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return std::nullopt;
    }
    bool ok = false;
    const int number = trimmed.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}

} // namespace

MouseSettingsPageModel::MouseSettingsPageModel(MouseSettingsStore *store) : m_store(store) {}

QString MouseSettingsPageModel::stepText(MouseSetting setting, int step)
{
    if (!validStep(step))
        return {};
    return QString::number(tableOf(setting)[size_t(step - 1)]);
}

int MouseSettingsPageModel::stepOf(MouseSetting setting, qint32 number)
{
    const auto &table = tableOf(setting);
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i] == number)
            return int(i) + 1;
    }
    return 0;
}

// --- reading --------------------------------------------------------------

bool MouseSettingsPageModel::readNumber(Group group, const QString &name, Value &into)
{
    const std::optional<QString> text = m_store->readValue(group, name);
    if (!text)
        return false;
    const std::optional<qint32> number = decimalNumber(*text);
    if (!number)
        return false;
    into = {*number, true};
    return true;
}

void MouseSettingsPageModel::readStepped(Group group, const QString &name, MouseSetting setting,
                                         Value &into)
{
    if (!readNumber(group, name, into))
        return;
    if (const int step = stepOf(setting, into.value))
        m_steps[size_t(indexOf(setting))] = step;
}

void MouseSettingsPageModel::RefreshMouseSystemParameterA()
{
    if (!m_store || !m_store->openGroup(Group::Mouse))
        return;
    readStepped(Group::Mouse, mouse_value::MouseSensitivity, MouseSetting::PointerSpeed,
                m_sensitivity);
    readNumber(Group::Mouse, mouse_value::MouseSpeed, m_speed);
    readNumber(Group::Mouse, mouse_value::MouseThreshold1, m_threshold1);
    readNumber(Group::Mouse, mouse_value::MouseThreshold2, m_threshold2);
    readStepped(Group::Mouse, mouse_value::DoubleClickSpeed, MouseSetting::DoubleClick,
                m_doubleClick);
}

void MouseSettingsPageModel::RefreshMouseSystemParameterB()
{
    if (!m_store || !m_store->openGroup(Group::Desktop))
        return;
    readStepped(Group::Desktop, mouse_value::WheelScrollLines, MouseSetting::WheelLines,
                m_wheelLines);
}

void MouseSettingsPageModel::refreshFromSystem()
{
    RefreshMouseSystemParameterA();
    RefreshMouseSystemParameterB();
    // Values only the program can follow (a desktop without a place for
    // them) take effect in it from the start.
    if (ApplyToProgram)
        ApplyToProgram(programSettings());
}

// --- writing and applying -------------------------------------------------

void MouseSettingsPageModel::writeStepped(Group group, const QString &name, MouseSetting setting,
                                          Value &into)
{
    const int step = m_steps[size_t(indexOf(setting))];
    if (!validStep(step))
        return; // no step known: the value stays as read
    const QString text = stepText(setting, step);
    m_store->writeValue(group, name, text);
    into = {tableOf(setting)[size_t(step - 1)], true};
}

void MouseSettingsPageModel::ChangedMouseSystemParameterA()
{
    if (!m_store || !m_store->openGroup(Group::Mouse))
        return;
    writeStepped(Group::Mouse, mouse_value::MouseSensitivity, MouseSetting::PointerSpeed,
                 m_sensitivity);
    writeStepped(Group::Mouse, mouse_value::DoubleClickSpeed, MouseSetting::DoubleClick,
                 m_doubleClick);
}

void MouseSettingsPageModel::ChangedMouseSystemParameterB()
{
    if (!m_store || !m_store->openGroup(Group::Desktop))
        return;
    writeStepped(Group::Desktop, mouse_value::WheelScrollLines, MouseSetting::WheelLines,
                 m_wheelLines);
}

void MouseSettingsPageModel::applyToSystem()
{
    if (!m_store)
        return;
    if (m_sensitivity.known)
        m_store->applyPointerSpeed(m_sensitivity.value);
    if (m_threshold1.known && m_threshold2.known && m_speed.known)
        m_store->applyAcceleration(m_threshold1.value, m_threshold2.value, m_speed.value);
    if (m_doubleClick.known)
        m_store->applyDoubleClickTime(m_doubleClick.value);
    if (m_wheelLines.known)
        m_store->applyWheelScrollLines(m_wheelLines.value);
    m_store->finishApply();

    if (ApplyToProgram)
        ApplyToProgram(programSettings());
}

ProgramMouseSettings MouseSettingsPageModel::programSettings() const
{
    ProgramMouseSettings own;
    own.doubleClickMs = m_doubleClick.value;
    own.doubleClickKnown = m_doubleClick.known;
    own.wheelScrollLines = m_wheelLines.value;
    own.wheelLinesKnown = m_wheelLines.known;
    return own;
}

void MouseSettingsPageModel::storeAndApply()
{
    ChangedMouseSystemParameterA();
    ChangedMouseSystemParameterB();
    applyToSystem();
}

// --- the scales -----------------------------------------------------------

bool MouseSettingsPageModel::clickStep(MouseSetting setting, int step)
{
    if (!validStep(step))
        return false;
    m_steps[size_t(indexOf(setting))] = step;
    return true;
}

bool MouseSettingsPageModel::setPointerSpeed(int step)
{
    return clickStep(MouseSetting::PointerSpeed, step);
}

bool MouseSettingsPageModel::setDoubleClickSpeed(int step)
{
    return clickStep(MouseSetting::DoubleClick, step);
}

bool MouseSettingsPageModel::setScrollSpeed(int step)
{
    return clickStep(MouseSetting::WheelLines, step);
}

int MouseSettingsPageModel::step(MouseSetting setting) const
{
    return m_steps[size_t(indexOf(setting))];
}

bool MouseSettingsPageModel::segmentLit(MouseSetting setting, int segment) const
{
    return validStep(segment) && segment <= step(setting);
}

// --- the description line -------------------------------------------------

QString MouseSettingsPageModel::storeDescription(const TextLookup &text) const
{
    if (!m_store || !text)
        return {};
    QString storeName;
    switch (m_store->kind()) {
    case MouseSettingsStore::Kind::Gnome:
        storeName = text(QStringLiteral("Str341"));
        break;
    case MouseSettingsStore::Kind::Kde:
        storeName = text(QStringLiteral("Str342"));
        break;
    case MouseSettingsStore::Kind::X11:
        storeName = text(QStringLiteral("Str344"));
        break;
    case MouseSettingsStore::Kind::ProgramOnly:
        storeName = text(QStringLiteral("Str349"));
        break;
    }
    QStringList missing;
    const std::array<std::pair<MouseSetting, const char *>, 3> names = {{
        {MouseSetting::PointerSpeed, "Str346"},
        {MouseSetting::DoubleClick, "Str347"},
        {MouseSetting::WheelLines, "Str348"},
    }};
    for (const auto &[setting, key] : names) {
        if (!m_store->appliesToDesktop(setting))
            missing.append(text(QString::fromLatin1(key)));
    }
    if (missing.isEmpty())
        return text(QStringLiteral("Str340")).arg(storeName);
    // A store that applies nothing keeps the values only in the program's
    // own file: naming the desktop's store would promise what it does not do.
    if (missing.size() == int(names.size()) && !text(QStringLiteral("Str350")).isEmpty())
        return text(QStringLiteral("Str350")).arg(text(QStringLiteral("Str349")));
    return text(QStringLiteral("Str345"))
        .arg(storeName, missing.join(text(QStringLiteral("Str343"))));
}

// A profile file from the fuzz input through load, DataBufToUI,
// AssembleDataBuf and save. Whatever the file holds, the saved file must
// load back to the same pages, and saving that again must give the same
// bytes: the repairs settle after one round.
//
// Fire Mode buttons are the one exception: a save gives all of them the
// code of the marked fire modes, so a file whose Fire Mode codes disagree
// (or repeat a mode) shows other code bytes until it is saved. After the
// reload each of them must carry exactly that code.
//
// Input: byte 0 chooses the mouse (bit 0: family B, bit 1: layout 42
// instead of 58), the rest is the file (at most one image is read).

#include "fuzz_support.h"

#include "configuration/configuration.h"

#include <QFile>
#include <QTemporaryDir>

#include <array>

namespace {

struct PageSnapshot
{
    std::array<bool, 8> dpiSelected{};
    int currentDpi = 0;
    AdvancedPageModel::ReportRate reportRate = AdvancedPageModel::ReportRate::Unset;
    std::array<QString, 4> repeat;
    std::array<QString, 4> delay;
    std::array<bool, 4> fireModes{};
    std::array<int, 4> steps{};
    BreathingPageModel::LightMode lightMode{};
    BreathingPageModel::LedColourMode colourMode{};
    RgbPercent colour1;
    RgbPercent colour2;
    ProfileFunctionTable codes;
    Configuration::Page page = Configuration::Page::Main;

    bool operator==(const PageSnapshot &) const = default;
};

bool isFireModeCode(const FunctionCode &code)
{
    return !code.isEmpty() && code[0] == 0x0F;
}

// Fire Mode codes compare by their type only; the save rewrites them.
PageSnapshot withoutFireModeBytes(PageSnapshot s)
{
    for (auto &profile : s.codes)
        for (FunctionCode &code : profile)
            if (isFireModeCode(code))
                code = FunctionCode::fromWord(0x0F000000);
    return s;
}

void checkFireModeCodes(const Configuration &config)
{
    const FunctionCode expected(config.advancedPage().fireModeCode());
    for (const auto &profile : config.profileFunctions())
        for (const FunctionCode &code : profile)
            if (isFireModeCode(code))
                FUZZ_CHECK(code == expected);
}

PageSnapshot snapshot(const Configuration &config)
{
    PageSnapshot s;
    const AdvancedPageModel &adv = config.advancedPage();
    for (int level = 1; level <= 8; ++level)
        s.dpiSelected[size_t(level - 1)] = adv.dpiLevelSelected(level);
    s.currentDpi = adv.currentDpiLevel();
    s.reportRate = adv.reportRate();
    for (int key = 1; key <= 4; ++key) {
        s.repeat[size_t(key - 1)] = adv.repeatText(key);
        s.delay[size_t(key - 1)] = adv.delayText(key);
        s.fireModes[size_t(key - 1)] = adv.fireModeSelected(key);
    }
    const BreathingPageModel &breath = config.breathingPage();
    for (int scale = 0; scale < 4; ++scale)
        s.steps[size_t(scale)] = breath.step(BreathingPageModel::Scale(scale));
    s.lightMode = breath.lightMode();
    s.colourMode = breath.ledColourMode();
    s.colour1 = breath.colour1();
    s.colour2 = breath.colour2();
    s.codes = config.profileFunctions();
    s.page = config.currentPage();
    return s;
}

// Names the fields that differ, for the report of a broken round trip.
void printDifference(const PageSnapshot &a, const PageSnapshot &b)
{
    auto report = [](const char *field, bool same) {
        if (!same)
            std::fprintf(stderr, "  differs: %s\n", field);
    };
    report("dpiSelected", a.dpiSelected == b.dpiSelected);
    report("currentDpi", a.currentDpi == b.currentDpi);
    report("reportRate", a.reportRate == b.reportRate);
    report("repeat", a.repeat == b.repeat);
    report("delay", a.delay == b.delay);
    report("fireModes", a.fireModes == b.fireModes);
    report("steps", a.steps == b.steps);
    report("lightMode", a.lightMode == b.lightMode);
    report("colourMode", a.colourMode == b.colourMode);
    report("colour1", a.colour1 == b.colour1);
    report("colour2", a.colour2 == b.colour2);
    report("page", a.page == b.page);
    for (size_t p = 0; p < a.codes.size(); ++p) {
        for (size_t k = 0; k < a.codes[p].size(); ++k) {
            if (a.codes[p][k] != b.codes[p][k])
                std::fprintf(stderr, "  differs: code[%zu][%zu] %s -> %s\n", p, k,
                             qPrintable(a.codes[p][k].hexText()),
                             qPrintable(b.codes[p][k].hexText()));
        }
    }
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString &workDir()
{
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t mode = input.byte();
    const QByteArrayView file = input.rest();

    const QString inPath = workDir() + QStringLiteral("/in.bin");
    {
        QFile out(inPath);
        FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(out.write(file.data(), file.size()) == file.size());
    }

    Configuration config;
    FUZZ_CHECK(config.startUp());
    AppState &state = config.state();
    // A mouse that passed identification: both handles open, the layout
    // that the default image and the mouse agree on.
    state.CommandHandle = 1;
    state.DataHandle = 2;
    state.ChipFamilyB = (mode & 1) != 0;
    state.ChipFamilyA = !state.ChipFamilyB;
    const int layout = (mode & 2) ? 42 : 58;
    state.ImageLayoutCode = layout;
    state.DeviceLayoutCode = layout;

    FUZZ_CHECK(config.loadProfile(inPath).ok());

    const QString savedPath = workDir() + QStringLiteral("/saved");
    const ProfileFileResult first = config.saveProfile(savedPath);
    FUZZ_CHECK(first.ok());
    const QByteArray firstBytes = readAll(first.fileName);
    FUZZ_CHECK(firstBytes.size() == kImageSize);
    const PageSnapshot afterSave = snapshot(config);

    FUZZ_CHECK(config.loadProfile(first.fileName).ok());
    const PageSnapshot reloaded = withoutFireModeBytes(snapshot(config));
    const PageSnapshot expected = withoutFireModeBytes(afterSave);
    if (!(reloaded == expected))
        printDifference(expected, reloaded);
    FUZZ_CHECK(reloaded == expected);
    checkFireModeCodes(config);

    const ProfileFileResult second = config.saveProfile(savedPath);
    FUZZ_CHECK(second.ok());
    FUZZ_CHECK(readAll(second.fileName) == firstBytes);
    return 0;
}

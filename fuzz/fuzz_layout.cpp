// A layout resource from the fuzz input through the INI reader and the
// typed layout readers. The text must read the same once written back in
// plain INI form, and a page layout must stop exactly at its first bad item.

#include "fuzz_support.h"

#include "ui/ini_text.h"
#include "ui/layout.h"

#include <vector>

namespace {

QByteArray writeIni(const IniText &ini)
{
    QString text;
    for (const QString &name : ini.sectionNames()) {
        text += u'[' + name + QStringLiteral("]\r\n");
        const IniSection section = ini.section(name);
        for (const QString &key : section.keys())
            text += key + u'=' + section.value(key).value_or(QString()) + QStringLiteral("\r\n");
    }
    return text.toLatin1(); // everything came from Latin-1, so nothing is lost
}

void checkSameIni(const IniText &a, const IniText &b)
{
    FUZZ_CHECK(a.sectionNames() == b.sectionNames());
    for (const QString &name : a.sectionNames()) {
        const IniSection sa = a.section(name);
        const IniSection sb = b.section(name);
        FUZZ_CHECK(sa.keys() == sb.keys());
        for (const QString &key : sa.keys())
            FUZZ_CHECK(sa.value(key) == sb.value(key));
    }
}

void checkPageLayout(const IniSection &section)
{
    const PageLayout layout = readPageLayout(section);
    const QList<LayoutItem> &items = pageLayoutItems();
    FUZZ_CHECK(layout.values.size() <= items.size());
    FUZZ_CHECK(layout.complete() == (layout.values.size() == items.size()));
    for (qsizetype i = 0; i < layout.values.size(); ++i) {
        const LayoutValue &value = layout.values[i];
        FUZZ_CHECK(value.item.name == items[i].name && value.item.kind == items[i].kind);
        if (value.item.kind == LayoutItemKind::Colour) {
            for (int c : {value.colour.red, value.colour.green, value.colour.blue})
                FUZZ_CHECK(c >= 0 && c <= 255);
        }
        if (value.item.kind == LayoutItemKind::Toggle)
            FUZZ_CHECK(value.toggle.shown == value.toggle.position.has_value());
    }
    (void)storedLayoutValues(layout);

    const WebLinkLayout web = readWebLink(section);
    FUZZ_CHECK(web.failure.isEmpty() == web.position.has_value());
}

void checkInteger(QStringView text)
{
    const std::optional<int> n = parseLayoutInteger(text);
    if (n)
        FUZZ_CHECK(parseLayoutInteger(QString::number(*n)) == n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::vector<char> bytes(data, data + size); // exact size for ASan
    const QByteArrayView text(bytes.data(), qsizetype(bytes.size()));
    const IniText ini = parseIniText(text);

    checkSameIni(ini, parseIniText(writeIni(ini)));
    for (const QString &name : ini.sectionNames()) {
        const IniSection section = ini.section(name);
        checkPageLayout(section);
        for (const QString &key : section.keys())
            checkInteger(section.value(key).value_or(QString()));
    }
    checkInteger(QString::fromLatin1(text.first(qMin<qsizetype>(text.size(), 16))));
    return 0;
}

#include "ui/ini_text.h"

std::optional<QString> IniSection::value(QStringView key) const
{
    const auto it = m_values.constFind(key.toString().toCaseFolded());
    if (it == m_values.constEnd())
        return std::nullopt;
    return *it;
}

void IniSection::add(const QString &key, const QString &value)
{
    const QString folded = key.toCaseFolded();
    if (m_values.contains(folded))
        return;
    m_values.insert(folded, value);
    m_keys.append(key);
}

IniSection IniText::section(QStringView name) const
{
    return m_sections.value(name.toString().toCaseFolded());
}

IniSection &IniText::sectionForWriting(const QString &name)
{
    const QString folded = name.toCaseFolded();
    if (!m_sections.contains(folded))
        m_names.append(name);
    return m_sections[folded];
}

IniText parseIniLines(QStringView text)
{
    IniText ini;
    // Points at the section opened last; it is re-taken at every header, so an
    // insertion that moves the other sections never leaves it dangling.
    IniSection *current = nullptr;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = text.sliced(start, end - start).trimmed();
        // A CR LF pair ends one line, not two.
        start =
            end + ((end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n') ? 2 : 1);

        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.size() >= 2 && line.startsWith(u'[') && line.endsWith(u']')) {
            current = &ini.sectionForWriting(line.sliced(1, line.size() - 2).trimmed().toString());
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || current == nullptr)
            continue;
        current->add(line.first(equals).trimmed().toString(),
                     line.sliced(equals + 1).trimmed().toString());
    }
    return ini;
}

IniText parseIniText(QByteArrayView bytes)
{
    if (bytes.size() > kMaxIniBytes)
        return {};
    return parseIniLines(QString::fromLatin1(bytes));
}

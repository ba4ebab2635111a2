#include "page_places.h"

#include <QFile>

PagePlaces::PagePlaces(int language)
{
    QFile file(layoutResourcePath(language));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("layout resource %s is missing", qPrintable(file.fileName()));
    const IniText text = parseIniText(file.readAll());
    m_layout = readPageLayout(text.section(layoutSectionName(language)));
    if (!m_layout.complete())
        qFatal("layout %d: %s", language, qPrintable(m_layout.failure));
}

QPoint PagePlaces::at(const QString &name) const
{
    if (const auto toggle = m_layout.toggle(name); toggle && toggle->position)
        return *toggle->position;
    return m_layout.position(name).value_or(QPoint(-1000, -1000));
}

QPoint PagePlaces::onPage(const QString &name, int page) const
{
    return at(name) - at(QStringLiteral("P%1").arg(page));
}

bool PagePlaces::shown(const QString &name) const
{
    const auto toggle = m_layout.toggle(name);
    return toggle && toggle->shown;
}

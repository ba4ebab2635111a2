#include "macros/macro_event_lines.h"

#include "macros/macro_format.h"

#include <algorithm>

QString MacroEventLines::rowLine(int row) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    return m_lines[row + 1];
}

QString MacroEventLines::rowText(int row) const
{
    return lineDisplayText(rowLine(row));
}

int MacroEventLines::rowIcon(int row) const
{
    return lineIconIndex(rowLine(row));
}

void MacroEventLines::setSelectedRow(int row)
{
    const int selected = (row >= 0 && row < rowCount()) ? row : -1;
    if (selected == m_selectedRow)
        return;
    m_selectedRow = selected;
    emit selectionChanged(m_selectedRow);
}

void MacroEventLines::setTopRow(int row)
{
    m_topRow = std::max(0, row);
    emit scrollRequested(m_topRow);
}

void MacroEventLines::clear()
{
    m_lines.clear();
    m_topRow = 0;
    emit linesChanged();
    setSelectedRow(-1);
}

void MacroEventLines::setLines(const QStringList &lines)
{
    m_lines = lines;
    emit linesChanged();
    if (m_selectedRow >= rowCount())
        setSelectedRow(-1);
}

void MacroEventLines::setLine(int index, const QString &line)
{
    if (index < 0 || index >= lineCount())
        return;
    m_lines[index] = line;
    emit linesChanged();
}

void MacroEventLines::appendLine(const QString &line)
{
    m_lines.append(line);
    emit linesChanged();
}

void MacroEventLines::insertLine(int index, const QString &line)
{
    if (m_lines.isEmpty()) {
        m_lines.append(line);
    } else {
        m_lines.insert(std::clamp(index, 1, lineCount()), line);
    }
    emit linesChanged();
}

void MacroEventLines::removeLine(int index)
{
    if (index < 1 || index >= lineCount())
        return;
    m_lines.removeAt(index);
    emit linesChanged();
    if (m_selectedRow >= rowCount())
        setSelectedRow(-1);
}

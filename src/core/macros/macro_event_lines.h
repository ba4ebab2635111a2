#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The open macro as the macro page holds it: the event lines (line 0 the
// delay-mode line, line k + 1 shown in row k), the selected row and the first
// visible row. The page renders it; the recorder and the editor change it.
class MacroEventLines : public QObject
{
    Q_OBJECT
public:
    explicit MacroEventLines(QObject *parent = nullptr) : QObject(parent) {}

    const QStringList &lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.isEmpty(); }
    int lineCount() const { return int(m_lines.size()); }
    int rowCount() const { return m_lines.isEmpty() ? 0 : int(m_lines.size()) - 1; }
    // The event line of row k; empty outside the rows.
    QString rowLine(int row) const;
    QString rowText(int row) const; // "50 ms", "A", "LeftKey" ...
    int rowIcon(int row) const;     // 0 delay, 1 press, 2 release

    // -1 when no row is selected.
    int selectedRow() const { return m_selectedRow; }
    void setSelectedRow(int row);
    int topRow() const { return m_topRow; }
    void setTopRow(int row); // the page reports scrolling, and the editor restores it

    void clear();
    void setLines(const QStringList &lines);
    void setLine(int index, const QString &line);
    void appendLine(const QString &line);
    void insertLine(int index, const QString &line); // index clamped to 1..lineCount()
    void removeLine(int index);                      // line 0 is never removed this way

    // The open macro's stream as hex text, kept for inspection only.
    const QString &wrScript() const { return m_wrScript; }
    void setWrScript(const QString &script) { m_wrScript = script; }

signals:
    void linesChanged();
    void selectionChanged(int row);
    void scrollRequested(int topRow);

private:
    QStringList m_lines;
    int m_selectedRow = -1;
    int m_topRow = 0;
    QString m_wrScript;
};

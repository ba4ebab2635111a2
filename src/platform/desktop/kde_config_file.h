#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Reads and changes single entries of a KDE configuration file (kdeglobals,
// kcminputrc) line by line. Only the entry's own line changes: comments,
// "[$Version]", nested "[A][B]" groups, "[$i]" (immutable) and "[$e]"
// markers and every other line stay byte for byte. QSettings would rewrite
// the whole file in its own dialect, which KDE then misreads.
//
// An entry or group marked immutable ([$i]) is never changed, as KDE's own
// tools would refuse it too. Writes happen under "<path>.lock" and through a
// save file, so a reader never sees half a file.
class KdeConfigFile
{
public:
    explicit KdeConfigFile(QString path) : m_path(std::move(path)) {}
    const QString &path() const { return m_path; }

    // The value of `key` in the top-level group `group` ("KDE" for [KDE]),
    // without surrounding blanks; nothing when the file, the group or the
    // key is missing. Localised variants (Key[de]) are not the key.
    std::optional<QString> read(const QString &group, const QString &key) const;
    // Sets the value, adding the key (and the group) when missing. False
    // when the entry is immutable or the file cannot be written.
    bool write(const QString &group, const QString &key, const QString &value) const;

    // The editing step on text, for the write above.
    static std::optional<QString> withEntry(const QString &text, const QString &group,
                                            const QString &key, const QString &value);

private:
    QString m_path;
};

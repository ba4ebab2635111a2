#include "device/device_message.h"

#include <iterator>

namespace {

using Id = DeviceMessage::Id;

// Only a broken language resource needs these; saying something beats an
// empty box.
QString englishText(const QString &key)
{
    static const struct
    {
        const char *key;
        const char *text;
    } texts[] = {
        {"Str022", "The specified device not find"},
        {"Str023", "Writing to the mouse failed: %1 reports were not accepted."},
        {"Str024", "Reading the mouse failed: %1 reports were not answered."},
        {"Str028", "The mouse was not read completely; nothing was written."},
        {"Str029", "Another program is using the mouse."},
        {"Str030", "Reading the mouse failed: the mouse answered inconsistently. The settings "
                   "shown were not replaced."},
        {"Str031", "Nothing was written: the configuration would not carry the mouse's "
                   "identification bytes."},
        {"Str040", "The configuration in the mouse could not be saved as a backup in \"%1\", so "
                   "nothing was written."},
        {"Str041", "Write without backup"},
        {"Str042", "The configuration the mouse had before is kept in \"%1\"."},
        {"Str043", "The mouse could not be read completely, so no backup of its configuration "
                   "was made and nothing was written."},
        {"Str044", "Write it back"},
    };
    for (const auto &entry : texts) {
        if (key == QLatin1String(entry.key))
            return QString::fromUtf8(entry.text);
    }
    return {};
}

QString worded(const TextLookup &text, const QString &key, const QString &value = {})
{
    QString message = text ? text(key) : QString();
    if (message.isEmpty())
        message = englishText(key);
    return message.contains(QLatin1String("%1")) ? message.arg(value) : message;
}

} // namespace

QString DeviceMessage::key() const
{
    // In the order of Id.
    static const char *const keys[] = {"Str022", "Str023", "Str024", "Str028", "Str029",
                                       "Str030", "Str031", "Str040", "Str043"};
    const auto index = size_t(id);
    return index < std::size(keys) ? QString::fromLatin1(keys[index]) : QString();
}

QString DeviceMessage::text(const TextLookup &text) const
{
    switch (id) {
    case Id::WriteFailed: {
        const QString note = backupNote(text);
        const QString message = worded(text, key(), QString::number(reports));
        return note.isEmpty() ? message : message + QLatin1Char(' ') + note;
    }
    case Id::ReadFailed:
        return worded(text, key(), QString::number(reports));
    case Id::BackupNotSaved:
        return worded(text, key(), folder);
    default:
        return worded(text, key());
    }
}

QString DeviceMessage::backupNote(const TextLookup &text) const
{
    return backup.isEmpty() ? QString() : worded(text, QStringLiteral("Str042"), backup);
}

QString DeviceMessage::offerText(const TextLookup &text) const
{
    switch (offer) {
    case Offer::None:
        return {};
    case Offer::WriteWithoutBackup:
        return worded(text, QStringLiteral("Str041"));
    case Offer::WriteItBack:
        return worded(text, QStringLiteral("Str044"));
    }
    return {};
}

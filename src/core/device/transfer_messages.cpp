// The messages of the transfers in the current language, with built-in
// English texts for a language resource that lacks them.
#include "device/configuration_transfer.h"

QString ConfigurationTransfer::text(const QString &key, quint32 count) const
{
    return text(key, QString::number(count));
}

QString ConfigurationTransfer::text(const QString &key, const QString &value) const
{
    QString message = m_config.text() ? m_config.text()(key) : QString();
    if (message.isEmpty()) {
        // Only a broken language resource gets here; say something rather
        // than show an empty box.
        if (key == QLatin1String("Str022"))
            message = QStringLiteral("The specified device not find");
        else if (key == QLatin1String("Str028"))
            message = QStringLiteral("The mouse was not read completely; nothing was written.");
        else if (key == QLatin1String("Str029"))
            message = QStringLiteral("Another program is using the mouse.");
        else if (key == QLatin1String("Str030"))
            message = QStringLiteral("Reading the mouse failed: the mouse answered "
                                     "inconsistently. The settings shown were not replaced.");
        else if (key == QLatin1String("Str031"))
            message = QStringLiteral("Nothing was written: the configuration would not carry "
                                     "the mouse's identification bytes.");
        else if (key == QLatin1String("Str023"))
            message = QStringLiteral("Writing to the mouse failed: %1 reports were not accepted.");
        else if (message = backupFallbackText(key); message.isEmpty())
            message = QStringLiteral("Reading the mouse failed: %1 reports were not answered.");
    }
    return message.contains(QLatin1String("%1")) ? message.arg(value) : message;
}

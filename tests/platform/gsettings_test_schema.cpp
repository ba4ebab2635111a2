#include "gsettings_test_schema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

// The two keys the store uses, as the desktop's schema declares them.
const char kSchema[] = R"(<schemalist>
  <schema id="org.gnome.desktop.peripherals.mouse" path="/org/gnome/desktop/peripherals/mouse/">
    <key name="speed" type="d">
      <range min="-1" max="1"/>
      <default>0</default>
    </key>
    <key name="double-click" type="i">
      <default>400</default>
    </key>
  </schema>
</schemalist>
)";

} // namespace

QString useTestMouseSchema(const QString &dir, bool withSchema)
{
    const QString schemas = dir + QStringLiteral("/schemas");
    QDir().mkpath(schemas);
    if (withSchema) {
        QFile file(schemas + QStringLiteral("/org.gnome.desktop.peripherals.gschema.xml"));
        if (!file.open(QIODevice::WriteOnly) || file.write(kSchema) < 0)
            return QStringLiteral("cannot write the schema");
        file.close();
        const QString compiler = QStandardPaths::findExecutable("glib-compile-schemas");
        if (compiler.isEmpty())
            return QStringLiteral("glib-compile-schemas is not installed (libglib2.0-bin)");
        if (QProcess::execute(compiler, {schemas}) != 0)
            return QStringLiteral("glib-compile-schemas failed");
    }
    // Only this folder: the machine's own schemas must not take part.
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dir + QStringLiteral("/no-data")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir + QStringLiteral("/no-data")));
    qputenv("GSETTINGS_SCHEMA_DIR", QFile::encodeName(schemas));
    qputenv("GSETTINGS_BACKEND", "memory");
    return {};
}

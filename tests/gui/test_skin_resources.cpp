// The embedded skin against its table in docs/skin.md: every listed picture
// is there at its size, nothing unlisted is embedded, states really differ,
// and only the shaped pictures carry a see-through colour.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

namespace {

const QRgb kWindowKey = qRgb(128, 0, 0);

struct TableRow
{
    QStringList names;
    QSize size;
};

QList<TableRow> readTable()
{
    QFile file(QStringLiteral(GM_SOURCE_DIR "/docs/skin.md"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression name(QStringLiteral("`([^`]+)`"));
    static const QRegularExpression size(QStringLiteral("^\\s*(\\d+) × (\\d+)\\s*$"));
    QList<TableRow> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QStringList cells = line.split(QLatin1Char('|'));
        if (cells.size() < 4 || !cells.at(1).trimmed().startsWith(QLatin1Char('`')))
            continue;
        TableRow row;
        for (auto it = name.globalMatch(cells.at(1)); it.hasNext();)
            row.names << it.next().captured(1);
        const auto match = size.match(cells.at(2));
        if (match.hasMatch())
            row.size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        rows << row;
    }
    return rows;
}

QImage picture(const QString &name)
{
    return QImage(QStringLiteral(":/skin/%1.png").arg(name)).convertToFormat(QImage::Format_ARGB32);
}

int countOpaque(const QImage &image, QRgb colour, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) == (colour | 0xFF000000u))
                ++count;
        }
    }
    return count;
}

bool isShaped(const QString &name)
{
    return name.endsWith(QLatin1String("BackGround")) || name == QLatin1String("AssemblyBack") ||
           name == QLatin1String("MacroNameBack");
}

} // namespace

class TestSkinResources : public QObject
{
    Q_OBJECT
    QList<TableRow> m_rows;

private slots:
    void initTestCase()
    {
        m_rows = readTable();
        QVERIFY2(m_rows.size() >= 20, "docs/skin.md holds no picture table");
    }

    void tableAndResourcesAgree()
    {
        QSet<QString> listed;
        for (const TableRow &row : std::as_const(m_rows)) {
            QVERIFY2(row.size.isValid(), qPrintable(row.names.join(u',')));
            for (const QString &name : row.names) {
                QVERIFY2(!listed.contains(name), qPrintable(name + " listed twice"));
                listed.insert(name);
                const QImage image = picture(name);
                QVERIFY2(!image.isNull(), qPrintable(name + " is not embedded"));
                QCOMPARE(image.size(), row.size);
            }
        }
        // Beside each listed picture but the icon lies its twin of twice
        // the size for dense displays, "<name>@2x.png", and nothing else.
        const QStringList embedded = QDir(QStringLiteral(":/skin")).entryList(QDir::Files);
        int twins = 0;
        for (const QString &file : embedded) {
            QString name = QFileInfo(file).completeBaseName();
            if (name.endsWith(QLatin1String("@2x"))) {
                name.chop(3);
                const QImage twin = picture(name + QStringLiteral("@2x"));
                QCOMPARE(twin.size(), picture(name).size() * 2);
                ++twins;
            }
            QVERIFY2(listed.contains(name), qPrintable(file + " is embedded but not listed"));
        }
        QCOMPARE(twins, listed.size() - 1);
    }

    // The states of one family (and the languages of one page) must look
    // different, or a hover or a language switch would show nothing.
    void picturesOfOneRowDiffer()
    {
        for (const TableRow &row : std::as_const(m_rows)) {
            for (int i = 0; i < row.names.size(); ++i) {
                for (int j = i + 1; j < row.names.size(); ++j)
                    QVERIFY2(picture(row.names[i]) != picture(row.names[j]),
                             qPrintable(row.names[i] + " equals " + row.names[j]));
            }
        }
    }

    // The shaped pictures are see-through outside their rounded outline and
    // solid inside it; every other picture keeps off the window's key colour,
    // which would punch a hole into the window where it lies.
    void seeThroughColours()
    {
        for (const TableRow &row : std::as_const(m_rows)) {
            for (const QString &name : row.names) {
                const QImage image = picture(name);
                const QRect all = image.rect();
                const QRect inner = all.adjusted(16, 16, -16, -16);
                if (isShaped(name)) {
                    QCOMPARE(image.pixel(0, 0), kWindowKey | 0xFF000000u);
                    QCOMPARE(image.pixel(all.right(), all.bottom()), kWindowKey | 0xFF000000u);
                    QCOMPARE(countOpaque(image, kWindowKey, inner), 0);
                    QCOMPARE(qAlpha(image.pixel(all.center())), 255);
                } else if (name.startsWith(QLatin1String("WaitGif"))) {
                    QCOMPARE(image.pixel(0, 0), 0xFF000000u);
                    QCOMPARE(countOpaque(image, 0, inner), 0);
                    QCOMPARE(countOpaque(image, kWindowKey, all), 0);
                } else {
                    QVERIFY2(countOpaque(image, kWindowKey, all) == 0, qPrintable(name));
                }
            }
        }
    }

    // Pictures laid over other things leave them visible where they must.
    void overlaysAreClearWhereNeeded()
    {
        QCOMPARE(qAlpha(picture(QStringLiteral("Col_F")).pixel(24, 24)), 0);
        for (const QString &state :
             {QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03")})
            QCOMPARE(qAlpha(picture(QStringLiteral("WebS_") + state).pixel(200, 10)), 0);
    }

    void installedIconsHaveTheirSizes()
    {
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QString path =
                QStringLiteral(GM_SOURCE_DIR "/data/icons/hicolor/%1x%1/apps/gaming-mouse.png")
                    .arg(size);
            const QImage icon(path);
            QVERIFY2(!icon.isNull(), qPrintable(path));
            QCOMPARE(icon.size(), QSize(size, size));
            QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
            QVERIFY(qAlpha(icon.pixel(size / 2, size / 2)) > 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestSkinResources)
#include "test_skin_resources.moc"

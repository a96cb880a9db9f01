#include <QTest>

#include "platform/qt/qt_text.h"

namespace glyphwright {

class QtTextTest : public QObject {
    Q_OBJECT

private slots:
    void filter_text_becomes_name_filters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the open dialog's") << "C File|*.c|BAS File|*.BAS|All files (*.*)|*.*"
                                           << QStringList{"C File (*.c)", "BAS File (*.BAS)", "All files (*.*)"};
        QTest::newRow("several patterns") << "Fonts|*.c;*.bas" << QStringList{"Fonts (*.c *.bas)"};
        QTest::newRow("a label without a pattern") << "C File|*.c|Other" << QStringList{"C File (*.c)"};
        QTest::newRow("empty") << "" << QStringList{};
    }

    void filter_text_becomes_name_filters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(qt::to_name_filters(filter.toStdString()), expected);
    }

    void screen_text_keeps_every_byte()
    {
        QCOMPARE(qt::to_screen_text("Chr$(65)  A"), QStringLiteral("Chr$(65)  A"));
        QCOMPARE(qt::to_screen_text("caf\xC3\xA9"), QStringLiteral("caf\u00E9"));
        // Not UTF-8: one character per byte.
        QCOMPARE(qt::to_screen_text("Chr$(233)  \xE9"), QStringLiteral("Chr$(233)  \u00E9"));
        QCOMPARE(qt::to_screen_text("a\r\nb\r\n"), QStringLiteral("a\nb\n"));
    }
};

}  // namespace glyphwright

QTEST_MAIN(glyphwright::QtTextTest)
#include "qt_text_test.moc"

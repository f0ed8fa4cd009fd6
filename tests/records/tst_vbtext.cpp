#include "vbtext.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cfloat>
#include <clocale>
#include <string>

class TestVbText : public QObject
{
    Q_OBJECT

private slots:
    void numericValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("code item") << "1.基础研究" << 1.0;
        QTest::newRow("range code") << "2201-2203.科技成果转化" << 2201.0;
        QTest::newRow("leading zero") << "01.大专院校" << 1.0;
        QTest::newRow("trailing blank") << "42.贷款不落实 " << 42.0;
        QTest::newRow("two leading blanks") << "  12" << 12.0;
        QTest::newRow("blank between digits") << "1 2" << 12.0;
        QTest::newRow("tab and line feed dropped") << "1\t2\n3" << 123.0;
        QTest::newRow("letters after") << "12abc" << 12.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("minus") << "-5" << -5.0;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("decimal") << "12.5" << 12.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent without digits") << "12e" << 12.0;
        QTest::newRow("leading zeros of a project number") << "000123456789" << 123456789.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0;
        QTest::newRow("non-ASCII character stops") << "12元3" << 12.0;
    }
    void numericValue()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(VbText::numericValue(text), expected);
    }

    void hugeNumbersSaturate()
    {
        QCOMPARE(VbText::numericValue(QString(400, u'9')), DBL_MAX);
        QCOMPARE(VbText::numericValue(u"-1e999"), -DBL_MAX);
    }

    void pointIsTheDecimalPointInEveryLocale()
    {
        // A locale whose decimal point is a comma, made for the test.
        QTemporaryDir locales;
        const int made = QProcess::execute(QStringLiteral("localedef"),
                                           {QStringLiteral("-i"), QStringLiteral("de_DE"),
                                            QStringLiteral("-f"), QStringLiteral("UTF-8"),
                                            locales.filePath(QStringLiteral("de_DE.UTF-8"))});
        if (made != 0)
            QSKIP("localedef cannot make a German locale here");
        qputenv("LOCPATH", QFile::encodeName(locales.path()));
        const std::string before = std::setlocale(LC_NUMERIC, nullptr);
        const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
        const double value = VbText::numericValue(u"12.5");
        const double large = VbText::numericValue(u"1.5e3 Stück");
        std::setlocale(LC_NUMERIC, before.c_str());
        qunsetenv("LOCPATH");
        QVERIFY(switched);
        QCOMPARE(value, 12.5);
        QCOMPARE(large, 1500.0);
    }

    void numberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 12.0 << " 12";
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("negative") << -5.0 << "-5";
        QTest::newRow("fraction") << 1.5 << " 1.5";
        QTest::newRow("below one") << 0.5 << " .5";
        QTest::newRow("project number") << 200110000001.0 << " 200110000001";
        QTest::newRow("largest in full digits") << 999999999999999.0 << " 999999999999999";
        QTest::newRow("negative zero") << -0.0 << " 0";
        QTest::newRow("large") << 1e15 << " 1E+15";
    }
    void numberText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(VbText::numberText(value), expected);
    }

    void numberTextSingle_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count") << 37.0f << " 37";
        QTest::newRow("below ten million") << 9999999.0f << " 9999999";
        QTest::newRow("ten million") << 10000000.0f << " 1E+07";
        QTest::newRow("rounded") << 12345678.0f << " 1.234568E+07";
        QTest::newRow("fraction") << 2.25f << " 2.25";
    }
    void numberTextSingle()
    {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(VbText::numberTextSingle(value), expected);
    }

    void wholeNumberDisplay_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << "12"
                               << "12";
        QTest::newRow("half rounds away from zero") << "12.5"
                                                    << "13";
        QTest::newRow("two and a half") << "2.5"
                                        << "3";
        QTest::newRow("negative") << "-3"
                                  << "-3";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("text kept") << "abc"
                                   << "abc";
        QTest::newRow("blank kept") << " "
                                    << " ";
        QTest::newRow("leading zeros dropped") << "007"
                                               << "7";
        QTest::newRow("15 digits as stored") << "999999999999999"
                                             << "999999999999999";
        QTest::newRow("17 digits") << "99999999999999999"
                                   << "100000000000000000";
        QTest::newRow("20 digits") << "12345678901234567890"
                                   << "12345678901234600000";
        QTest::newRow("20 digits and a half") << "-99999999999999999999.5"
                                              << "-100000000000000000000";
        QTest::newRow("exponent in full digits") << "1e17"
                                                 << "100000000000000000";
    }
    void wholeNumberDisplay()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QCOMPARE(VbText::wholeNumberDisplay(stored), shown);
    }
};

QTEST_GUILESS_MAIN(TestVbText)
#include "tst_vbtext.moc"

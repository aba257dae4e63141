// SPDX-License-Identifier: GPL-3.0-or-later
#include "yeastmath.h"

#include <QtTest>

class tst_YeastMath : public QObject
{
    Q_OBJECT

private slots:
    void gravity_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("thousandths");
        QTest::newRow("16.4 exactly, not a hair below") << "16.4" << qint64(16400);
        QTest::newRow("decimals past thousandths dropped") << "12.3449" << qint64(12344);
        QTest::newRow("a point at the end and a no-break space after")
                << "12.\u00a0" << qint64(12000);
        QTest::newRow("the typographic minus, no whole degrees") << "\u2212.5" << qint64(-500);
        QTest::newRow("full-width digits and point") << "\uff11\uff12\uff0e\uff15" << qint64(12500);
        QTest::newRow("full-width digits and ideographic full stop")
                << "\uff11\uff12\u3002\uff15" << qint64(12500);
        QTest::newRow("full-width digits and comma") << "\uff10\uff0c\uff19" << qint64(900);
        QTest::newRow("a NUL after the digits") << QString("16") + QChar(0) << qint64(0);
        QTest::newRow("decimals that are not all digits") << "12.345x" << qint64(0);
        QTest::newRow("whole degrees past 32 bits") << "2147483648.5" << qint64(0);
    }
    void gravity()
    {
        QFETCH(QString, text);
        QTEST(YeastMath::readGravityThousandths(text), "thousandths");
    }

    void figures_data()
    {
        QTest::addColumn<int>("dilution");
        QTest::addColumn<int>("slurry");
        QTest::addColumn<qint64>("gravity");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QString>("figures");
        QTest::newRow("nothing counted")
                << 10 << 100 << qint64(12000) << QList<int>{0, 0} << "0 0 0";
        QTest::newRow("three squares of 1 round down")
                << 10 << 0 << qint64(0) << QList<int>{1, 1, 1} << "99,999 0 0";
        QTest::newRow("six squares of 1 add up their volume")
                << 10 << 0 << qint64(0) << QList<int>{1, 1, 1, 1, 1, 1} << "100,000 0 0";
        QTest::newRow("corners and centre, the squares at 0 left out")
                << 100 << 200 << qint64(12000) << QList<int>{25, 0, 30, 0, 28, 0, 31, 0, 27}
                << "28,200,000 5,640,000,000 1,617";
        QTest::newRow("ml cut from 12,975.6")
                << 10 << 1500 << qint64(14000) << QList<int>{40, 38, 42, 45, 39, 41, 37, 44, 43}
                << "4,100,000 6,150,000,000 12,975";
        QTest::newRow("16.4 degrees to the exact ml")
                << 10 << 100 << qint64(16400) << QList<int>{50} << "5,000,000 500,000,000 12,464";
        QTest::newRow("a negative gravity, cut toward zero")
                << 10 << 0 << qint64(-3000) << QList<int>{7} << "700,000 0 -16,285";
        QTest::newRow("the largest count, capped")
                << 1000000 << 10000 << qint64(0) << QList<int>{2147483647}
                << "9,223,372,036,854,774,784 92,233,720,368,547,747,840,000 0";
    }
    void figures()
    {
        QFETCH(int, dilution);
        QFETCH(int, slurry);
        QFETCH(qint64, gravity);
        QFETCH(QList<int>, counts);
        const QLocale english(QLocale::English, QLocale::AnyCountry);
        const qint64 perMl = YeastMath::cellsPerMl(YeastMath::countedChamber(counts), dilution);
        const QString total = YeastMath::groupedProduct(english, quint64(slurry), quint64(perMl));
        const qint64 ml = YeastMath::mlPerGallon(gravity, perMl);
        QTEST(english.toString(perMl) + ' ' + total + ' ' + english.toString(ml), "figures");
    }
};

QTEST_APPLESS_MAIN(tst_YeastMath)
#include "tst_yeastmath.moc"

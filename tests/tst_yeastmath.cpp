// SPDX-License-Identifier: GPL-3.0-or-later
#include "yeastmath.h"

#include <QtTest>

class tst_YeastMath : public QObject
{
    Q_OBJECT

private slots:
    void figures_data()
    {
        QTest::addColumn<int>("dilution");
        QTest::addColumn<int>("slurry");
        QTest::addColumn<QString>("gravity");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QString>("figures");
        // clang-format off
        QTest::newRow("nothing counted") << 10 << 100 << "12" << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0} << "0 0 0";
        QTest::newRow("three squares of 1 round down") << 10 << 0 << "" << QList<int>{1, 1, 1, 0, 0, 0, 0, 0, 0} << "99,999 0 0";
        QTest::newRow("six squares of 1 add up their volume") << 10 << 0 << "" << QList<int>{1, 1, 1, 1, 1, 1, 0, 0, 0} << "100,000 0 0";
        QTest::newRow("corners and centre") << 100 << 200 << "12" << QList<int>{25, 0, 30, 0, 28, 0, 31, 0, 27} << "28,200,000 5,640,000,000 1,617";
        QTest::newRow("nine squares, ml cut from 12,975.6") << 10 << 1500 << "14" << QList<int>{40, 38, 42, 45, 39, 41, 37, 44, 43} << "4,100,000 6,150,000,000 12,975";
        QTest::newRow("five small squares times 5, typed in the centre square") << 10 << 350 << "12" << QList<int>{0, 0, 0, 0, 310, 0, 0, 0, 0} << "31,000,000 10,850,000,000 1,470";
        QTest::newRow("gravity's digits past thousandths dropped") << 10 << 100 << "12.3449" << QList<int>{50} << "5,000,000 500,000,000 9,381";
        QTest::newRow("gravity with a point at the end and a no-break space after") << 10 << 100 << "12.\u00a0" << QList<int>{50} << "5,000,000 500,000,000 9,120";
        QTest::newRow("gravity with the typographic minus") << 10 << 100 << "\u2212.5" << QList<int>{50} << "5,000,000 500,000,000 -380";
        QTest::newRow("gravity in full-width digits and point") << 10 << 100 << "\uff11\uff12\uff0e\uff15" << QList<int>{50} << "5,000,000 500,000,000 9,500";
        QTest::newRow("gravity in full-width digits and the ideographic full stop") << 10 << 100 << "\uff11\uff12\u3002\uff15" << QList<int>{50} << "5,000,000 500,000,000 9,500";
        QTest::newRow("gravity in full-width digits and comma") << 10 << 100 << "\uff10\uff0c\uff19" << QList<int>{50} << "5,000,000 500,000,000 684";
        QTest::newRow("gravity with a NUL after its digits reads 0") << 10 << 100 << QString("16") + QChar(0) << QList<int>{50} << "5,000,000 500,000,000 0";
        QTest::newRow("gravity whose decimals are not all digits reads 0") << 10 << 100 << "12.345x" << QList<int>{50} << "5,000,000 500,000,000 0";
        QTest::newRow("gravity above 32-bit whole degrees reads 0") << 100000 << 100 << "2147483648.5" << QList<int>{50} << "50,000,000,000 5,000,000,000,000 0";
        QTest::newRow("a negative gravity, cut toward zero") << 10 << 0 << "-3" << QList<int>{7, 0, 0, 0, 0, 0, 0, 0, 0} << "700,000 0 -16,285";
        QTest::newRow("a 15-digit figure, its last digit one above the exact") << 1000000 << 0 << "" << QList<int>{500, 500, 500, 500, 500, 500, 455757, 0, 0} << "655,367,142,857,143 0 0";
        QTest::newRow("the largest count, capped") << 1000000 << 10000 << "" << QList<int>{2147483647, 0, 0, 0, 0, 0, 0, 0, 0} << "9,223,372,036,854,774,784 92,233,720,368,547,747,840,000 0";
        // clang-format on
    }
    void figures()
    {
        QFETCH(int, dilution);
        QFETCH(int, slurry);
        QFETCH(QString, gravity);
        QFETCH(QList<int>, counts);
        const QLocale english(QLocale::English, QLocale::AnyCountry);
        const qint64 perMl = YeastMath::cellsPerMl(YeastMath::countedChamber(counts), dilution);
        const qint64 ml = YeastMath::mlPerGallon(YeastMath::readGravityThousandths(gravity), perMl);
        const QString total = YeastMath::groupedProduct(english, quint64(slurry), quint64(perMl));
        QTEST(english.toString(perMl) + ' ' + total + ' ' + english.toString(ml), "figures");
    }
};

QTEST_APPLESS_MAIN(tst_YeastMath)
#include "tst_yeastmath.moc"

#include "window/logic/MersenneRandomSource.h"

#include <QTest>

#include <cmath>
#include <cstdint>
#include <random>

namespace {

constexpr double TwoToMinus24 = 1.0 / 16777216.0;

// The documented draw: the top 24 bits of one 32-bit output, times 2^-24.
float drawFrom(std::mt19937 &engine)
{
    return float(double(std::uint32_t(engine()) >> 8) * TwoToMinus24);
}

} // namespace

// Nature's moves must replay exactly for a given seed on every machine of the lab, and
// every draw must be a true single-precision value in [0, 1), so that the Left rule
// (r <= 0.5) splits the draws exactly in half.
class TestMersenneRandomSource : public QObject
{
    Q_OBJECT

private slots:
    void theSameSeedGivesTheSameSequence_data()
    {
        QTest::addColumn<int>("seed");
        QTest::newRow("9910") << 9910;
        QTest::newRow("0") << 0;
        QTest::newRow("-1") << -1;
        QTest::newRow("largest") << 32767;
        QTest::newRow("smallest") << -32768;
    }

    void theSameSeedGivesTheSameSequence()
    {
        QFETCH(int, seed);
        MersenneRandomSource a;
        MersenneRandomSource b;
        a.seed(qint16(seed));
        b.seed(qint16(seed));
        for (int i = 0; i < 1000; ++i)
            QCOMPARE(a.next(), b.next());
    }

    void reseedingStartsTheSequenceAgain()
    {
        MersenneRandomSource source;
        source.seed(9910);
        const float first = source.next();
        const float second = source.next();
        source.seed(9910);
        QCOMPARE(source.next(), first);
        QCOMPARE(source.next(), second);
    }

    void neighbouringSeedsDiffer()
    {
        MersenneRandomSource a;
        MersenneRandomSource b;
        a.seed(9910);
        b.seed(9911);
        int same = 0;
        for (int i = 0; i < 20; ++i)
            same += a.next() == b.next() ? 1 : 0;
        QVERIFY(same < 20);
    }

    void drawsAreMultiplesOfTwoToMinus24InTheUnitInterval_data()
    {
        QTest::addColumn<int>("seed");
        QTest::newRow("9910") << 9910;
        QTest::newRow("-32768") << -32768;
    }

    void drawsAreMultiplesOfTwoToMinus24InTheUnitInterval()
    {
        QFETCH(int, seed);
        MersenneRandomSource source;
        source.seed(qint16(seed));
        int left = 0;
        const int draws = 20000;
        for (int i = 0; i < draws; ++i) {
            const float r = source.next();
            QVERIFY(r >= 0.0f);
            QVERIFY(r < 1.0f);
            const double scaled = double(r) * 16777216.0;
            QCOMPARE(scaled, std::floor(scaled));
            left += r <= 0.5f ? 1 : 0;
        }
        // Not a timing or a fine statistical check: only that the draws are spread over
        // the interval and the two halves are both well used.
        QVERIFY2(left > draws * 45 / 100 && left < draws * 55 / 100, qPrintable(QString::number(left)));
    }

    void theFirstDrawsOfTheLabSeed()
    {
        // The first output of std::mt19937 seeded with 9910, worked out once with a
        // stand-alone program; the standard fixes the engine, so it holds everywhere.
        std::mt19937 reference(9910);
        QCOMPARE(std::uint32_t(reference()), std::uint32_t(4084145868u));

        reference.seed(9910);
        MersenneRandomSource source;
        source.seed(9910);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(source.next(), drawFrom(reference));

        // 4084145868 >> 8 = 15953694, so the very first draw is 15953694 / 2^24.
        source.seed(9910);
        QCOMPARE(source.next(), float(15953694 * TwoToMinus24));
    }

    void aNegativeSeedIsSignExtended()
    {
        MersenneRandomSource source;
        source.seed(-1);
        std::mt19937 reference(0xFFFFFFFFu);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(source.next(), drawFrom(reference));

        source.seed(-32768);
        std::mt19937 lowest(0xFFFF8000u);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(source.next(), drawFrom(lowest));
    }
};

QTEST_GUILESS_MAIN(TestMersenneRandomSource)
#include "TestMersenneRandomSource.moc"

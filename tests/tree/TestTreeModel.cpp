#include "tree/logic/TreeModel.h"

#include <QTest>

#include <algorithm>

namespace {

using Direction = TreeModel::Direction;

const char *const LevelNames[] = {"", "d1", "c1", "d2", "c2", "d3", "c3", "p"};

QString nodeName(int level, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(LevelNames[level])).arg(index);
}

// A run of nodes on one level, first to last inclusive.
struct Run
{
    int level;
    int first;
    int last;
};

QStringList namesOf(const QList<Run> &runs)
{
    QStringList names;
    for (const Run &run : runs) {
        for (int i = run.first; i <= run.last; ++i)
            names.append(nodeName(run.level, i));
    }
    return names;
}

QStringList namesOf(const std::vector<TreeModel::NodeRef> &nodes)
{
    QStringList names;
    for (const TreeModel::NodeRef &node : nodes)
        names.append(nodeName(node.level, node.index));
    return names;
}

} // namespace

Q_DECLARE_METATYPE(TreeModel::Kind)
Q_DECLARE_METATYPE(TreeModel::Direction)

// The tree's arithmetic that every move and the drawing rely on: how many nodes a level
// has, which nodes lie above which, where each node and line stands in points, and the
// exact order in which a move greys out the branch not taken.
class TestTreeModel : public QObject
{
    Q_OBJECT

private slots:
    void levelsHaveTheirSizeAndKind_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("nodes");
        QTest::addColumn<TreeModel::Kind>("kind");
        QTest::addColumn<double>("top");
        QTest::newRow("d1") << 1 << 1 << TreeModel::Kind::Decision << 410.0;
        QTest::newRow("c1") << 2 << 2 << TreeModel::Kind::Chance << 355.0;
        QTest::newRow("d2") << 3 << 4 << TreeModel::Kind::Decision << 290.0;
        QTest::newRow("c2") << 4 << 8 << TreeModel::Kind::Chance << 225.0;
        QTest::newRow("d3") << 5 << 16 << TreeModel::Kind::Decision << 160.0;
        QTest::newRow("c3") << 6 << 32 << TreeModel::Kind::Chance << 95.0;
        QTest::newRow("p") << 7 << 64 << TreeModel::Kind::Payoff << 30.0;
    }

    void levelsHaveTheirSizeAndKind()
    {
        QFETCH(int, level);
        QFETCH(int, nodes);
        QFETCH(TreeModel::Kind, kind);
        QFETCH(double, top);
        QCOMPARE(TreeModel::nodesOnLevel(level), nodes);
        QCOMPARE(TreeModel::kind(level), kind);
        QCOMPARE(TreeModel::isDecisionLevel(level), kind == TreeModel::Kind::Decision);
        QCOMPARE(TreeModel::isChanceLevel(level), kind == TreeModel::Kind::Chance);
        QCOMPARE(TreeModel::nodeTop(level), top);
    }

    void theWholeTreeHas127Nodes()
    {
        int total = 0;
        for (int level = TreeModel::FirstLevel; level <= TreeModel::PayoffLevel; ++level)
            total += TreeModel::nodesOnLevel(level);
        QCOMPARE(total, TreeModel::NodeCount);
        QCOMPARE(total, 127);
    }

    void childAndParent_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("d1") << 0 << 0 << 1;
        QTest::newRow("node 1") << 1 << 2 << 3;
        QTest::newRow("node 3") << 3 << 6 << 7;
        QTest::newRow("node 15") << 15 << 30 << 31;
        QTest::newRow("node 31") << 31 << 62 << 63;
    }

    void childAndParent()
    {
        QFETCH(int, index);
        QFETCH(int, left);
        QFETCH(int, right);
        QCOMPARE(TreeModel::child(index, Direction::Left), left);
        QCOMPARE(TreeModel::child(index, Direction::Right), right);
        QCOMPARE(TreeModel::parent(left), index);
        QCOMPARE(TreeModel::parent(right), index);
    }

    void subtreeAndPayoffSpan_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("targetLevel");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("children of d2(1)") << 3 << 1 << 4 << 2 << 3;
        QTest::newRow("payoffs above d2(1)") << 3 << 1 << 7 << 16 << 31;
        QTest::newRow("payoffs above d1") << 1 << 0 << 7 << 0 << 63;
        QTest::newRow("payoffs above c1(1)") << 2 << 1 << 7 << 32 << 63;
        QTest::newRow("d3 above c1(1)") << 2 << 1 << 5 << 8 << 15;
        QTest::newRow("payoffs above c3(31)") << 6 << 31 << 7 << 62 << 63;
        QTest::newRow("payoffs above c2(5)") << 4 << 5 << 7 << 40 << 47;
        QTest::newRow("a node is its own subtree") << 5 << 9 << 5 << 9 << 9;
        QTest::newRow("a payoff node spans itself") << 7 << 5 << 7 << 5 << 5;
    }

    void subtreeAndPayoffSpan()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(int, targetLevel);
        QFETCH(int, first);
        QFETCH(int, last);
        const TreeModel::IndexRange expected{first, last};
        QCOMPARE(TreeModel::subtree(level, index, targetLevel), expected);
        if (targetLevel == TreeModel::PayoffLevel)
            QCOMPARE(TreeModel::payoffSpan(level, index), expected);
    }

    void nodesStandWhereTheLevelTableSays_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("centre");
        QTest::newRow("d1") << 1 << 0 << 381.0 << 385.875;
        QTest::newRow("c1(0)") << 2 << 0 << 189.0 << 193.875;
        QTest::newRow("c1(1)") << 2 << 1 << 573.0 << 577.875;
        QTest::newRow("d2(0)") << 3 << 0 << 93.0 << 97.875;
        QTest::newRow("d2(3)") << 3 << 3 << 669.0 << 673.875;
        QTest::newRow("c2(7)") << 4 << 7 << 717.0 << 721.875;
        QTest::newRow("d3(15)") << 5 << 15 << 741.0 << 745.875;
        QTest::newRow("c3(0)") << 6 << 0 << 9.0 << 13.875;
        QTest::newRow("c3(31)") << 6 << 31 << 753.0 << 757.875;
        QTest::newRow("p(0)") << 7 << 0 << 3.0 << 7.875;
        QTest::newRow("p(32)") << 7 << 32 << 387.0 << 391.875;
        QTest::newRow("p(63)") << 7 << 63 << 759.0 << 763.875;
    }

    void nodesStandWhereTheLevelTableSays()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(double, left);
        QFETCH(double, centre);
        QCOMPARE(TreeModel::nodeLeft(level, index), left);
        QCOMPARE(TreeModel::centreX(level, index), centre);
    }

    void everyNodeFollowsTheLeftFormulaOfItsLevel()
    {
        // Left of node i per level: 381; 384i+189; 192i+93; 96i+45; 48i+21; 24i+9; 12i+3.
        const int step[] = {0, 0, 384, 192, 96, 48, 24, 12};
        const int offset[] = {0, 381, 189, 93, 45, 21, 9, 3};
        for (int level = 1; level <= 7; ++level) {
            for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i)
                QCOMPARE(TreeModel::nodeLeft(level, i), double(step[level] * i + offset[level]));
        }
    }

    void aParentIsCentredBetweenItsChildren()
    {
        for (int level = 1; level < 7; ++level) {
            for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i) {
                const double middle = (TreeModel::centreX(level + 1, 2 * i)
                                       + TreeModel::centreX(level + 1, 2 * i + 1)) / 2;
                QCOMPARE(TreeModel::centreX(level, i), middle);
            }
        }
    }

    void linesRunFromParentTopToChildBottom_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("j");
        QTest::addColumn<double>("x1");
        QTest::addColumn<double>("y1");
        QTest::addColumn<double>("x2");
        QTest::addColumn<double>("y2");
        QTest::newRow("l1(0)") << 1 << 0 << 385.875 << 410.0 << 193.875 << 364.75;
        QTest::newRow("l1(1)") << 1 << 1 << 385.875 << 410.0 << 577.875 << 364.75;
        QTest::newRow("l2(3)") << 2 << 3 << 577.875 << 355.0 << 673.875 << 299.75;
        QTest::newRow("l3(5)") << 3 << 5 << 481.875 << 290.0 << 529.875 << 234.75;
        QTest::newRow("l4(0)") << 4 << 0 << 49.875 << 225.0 << 25.875 << 169.75;
        QTest::newRow("l5(31)") << 5 << 31 << 745.875 << 160.0 << 757.875 << 104.75;
        QTest::newRow("l6(0)") << 6 << 0 << 13.875 << 95.0 << 7.875 << 39.75;
        QTest::newRow("l6(63)") << 6 << 63 << 757.875 << 95.0 << 763.875 << 39.75;
    }

    void linesRunFromParentTopToChildBottom()
    {
        QFETCH(int, k);
        QFETCH(int, j);
        QFETCH(double, x1);
        QFETCH(double, y1);
        QFETCH(double, x2);
        QFETCH(double, y2);
        const TreeModel::Segment s = TreeModel::line(k, j);
        QCOMPARE(s.x1, x1);
        QCOMPARE(s.y1, y1);
        QCOMPARE(s.x2, x2);
        QCOMPARE(s.y2, y2);
    }

    void theTreeSpansItsArea()
    {
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (int level = 1; level <= 7; ++level) {
            for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i) {
                minX = std::min(minX, TreeModel::nodeLeft(level, i));
                maxX = std::max(maxX, TreeModel::nodeLeft(level, i) + TreeModel::NodeWidth);
                minY = std::min(minY, TreeModel::nodeTop(level));
                maxY = std::max(maxY, TreeModel::nodeTop(level) + TreeModel::NodeWidth);
            }
        }
        QCOMPARE(minX, 3.0);
        QCOMPARE(maxX, 768.75);
        QCOMPARE(minY, 30.0);
        QCOMPARE(maxY, 419.75);
    }

    void markOutOrderGreysTheBranchNotTakenThenTheNode_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<TreeModel::Direction>("taken");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Left at d1")
            << 1 << 0 << Direction::Left
            << namesOf({{7, 32, 63}, {6, 16, 31}, {5, 8, 15}, {4, 4, 7}, {3, 2, 3}, {2, 1, 1}, {1, 0, 0}});
        QTest::newRow("Right at d1")
            << 1 << 0 << Direction::Right
            << namesOf({{7, 0, 31}, {6, 0, 15}, {5, 0, 7}, {4, 0, 3}, {3, 0, 1}, {2, 0, 0}, {1, 0, 0}});
        QTest::newRow("Left at d2(2)")
            << 3 << 2 << Direction::Left
            << namesOf({{7, 40, 47}, {6, 20, 23}, {5, 10, 11}, {4, 5, 5}, {3, 2, 2}});
        QTest::newRow("Right at d2(3)")
            << 3 << 3 << Direction::Right
            << namesOf({{7, 48, 55}, {6, 24, 27}, {5, 12, 13}, {4, 6, 6}, {3, 3, 3}});
        QTest::newRow("Right at d3(15)")
            << 5 << 15 << Direction::Right << namesOf({{7, 60, 61}, {6, 30, 30}, {5, 15, 15}});
        QTest::newRow("Left at c1(1)")
            << 2 << 1 << Direction::Left
            << namesOf({{7, 48, 63}, {6, 24, 31}, {5, 12, 15}, {4, 6, 7}, {3, 3, 3}, {2, 1, 1}});
        QTest::newRow("Right at c1(0)")
            << 2 << 0 << Direction::Right
            << namesOf({{7, 0, 15}, {6, 0, 7}, {5, 0, 3}, {4, 0, 1}, {3, 0, 0}, {2, 0, 0}});
        QTest::newRow("Right at c2(5)")
            << 4 << 5 << Direction::Right
            << namesOf({{7, 40, 43}, {6, 20, 21}, {5, 10, 10}, {4, 5, 5}});
        QTest::newRow("Left at c3(31)") << 6 << 31 << Direction::Left << namesOf({{7, 63, 63}, {6, 31, 31}});
        QTest::newRow("Right at c3(0)") << 6 << 0 << Direction::Right << namesOf({{7, 0, 0}, {6, 0, 0}});
    }

    void markOutOrderGreysTheBranchNotTakenThenTheNode()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(TreeModel::Direction, taken);
        QFETCH(QStringList, expected);
        const QStringList order = namesOf(TreeModel::markOutOrder(level, index, taken));
        QCOMPARE(order, expected);
        // The chosen child and everything above it stay in play.
        const int chosen = TreeModel::child(index, taken);
        for (int target = level + 1; target <= 7; ++target) {
            const TreeModel::IndexRange kept = TreeModel::subtree(level + 1, chosen, target);
            for (int i = kept.first; i <= kept.last; ++i)
                QVERIFY2(!order.contains(nodeName(target, i)), qPrintable(nodeName(target, i)));
        }
    }
};

QTEST_GUILESS_MAIN(TestTreeModel)
#include "TestTreeModel.moc"

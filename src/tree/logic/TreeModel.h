#pragma once

#include <QString>

#include <vector>

// The tree's arithmetic: seven levels named by their LevelCode (1 d1, 2 c1, 3 d2, 4 c2,
// 5 d3, 6 c3, 7 p), level k holding 2^(k-1) nodes indexed from 0 left to right, and the
// geometry of every node and branch line in points.
class TreeModel
{
public:
    enum class Kind { Decision, Chance, Payoff };
    enum class Direction { Left, Right };

    struct NodeRef
    {
        int level = 0;
        int index = 0;
        bool operator==(const NodeRef &) const = default;
    };
    struct IndexRange
    {
        int first = 0;
        int last = -1; // inclusive
        bool operator==(const IndexRange &) const = default;
    };
    struct Segment
    {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };

    static constexpr int FirstLevel = 1;
    static constexpr int PayoffLevel = 7;
    static constexpr int NodeCount = 127;
    static constexpr double NodeWidth = 9.75;

    // 1 <= level <= 7
    static int nodesOnLevel(int level);
    // "d1" ... "p" for LevelCode 1..7, the names of the node arrays; empty otherwise.
    static const char *levelName(int level);
    // The LevelCode a name "d1" ... "p" stands for; 0 for any other text.
    static int levelOf(const QString &name);
    static Kind kind(int level);
    static bool isDecisionLevel(int level) { return kind(level) == Kind::Decision; }
    static bool isChanceLevel(int level) { return kind(level) == Kind::Chance; }

    static int child(int index, Direction direction);
    static int parent(int index) { return index / 2; }

    // The nodes of targetLevel (>= level) that lie above node index of level.
    static IndexRange subtree(int level, int index, int targetLevel);
    static IndexRange payoffSpan(int level, int index) { return subtree(level, index, PayoffLevel); }

    // Geometry in points: Left and Top of a node, its centre x, and branch line j of
    // line array k (1..6), which runs from node j/2 of level k to node j of level k+1.
    static double nodeLeft(int level, int index);
    static double nodeTop(int level);
    static double centreX(int level, int index) { return nodeLeft(level, index) + NodeWidth / 2; }
    static Segment line(int k, int j);

    // The nodes a move from node j of level L marks out, in order: the subtree of the
    // child not taken from the payoff level down, each level in ascending index order,
    // then node j itself.
    static std::vector<NodeRef> markOutOrder(int level, int index, Direction taken);
};

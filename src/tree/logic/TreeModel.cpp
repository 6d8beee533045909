#include "tree/logic/TreeModel.h"

#include <array>

namespace {

constexpr std::array<double, 8> Tops = {0, 410, 355, 290, 225, 160, 95, 30};

} // namespace

const char *TreeModel::levelName(int level)
{
    static const char *const names[] = {"d1", "c1", "d2", "c2", "d3", "c3", "p"};
    return level >= FirstLevel && level <= PayoffLevel ? names[level - 1] : "";
}

int TreeModel::levelOf(const QString &name)
{
    for (int level = FirstLevel; level <= PayoffLevel; ++level)
        if (name == QLatin1String(levelName(level)))
            return level;
    return 0;
}

int TreeModel::nodesOnLevel(int level)
{
    return 1 << (level - 1);
}

TreeModel::Kind TreeModel::kind(int level)
{
    if (level == PayoffLevel)
        return Kind::Payoff;
    return level % 2 == 1 ? Kind::Decision : Kind::Chance;
}

int TreeModel::child(int index, Direction direction)
{
    return 2 * index + (direction == Direction::Right ? 1 : 0);
}

TreeModel::IndexRange TreeModel::subtree(int level, int index, int targetLevel)
{
    const int width = 1 << (targetLevel - level);
    return {index * width, index * width + width - 1};
}

double TreeModel::nodeLeft(int level, int index)
{
    // A node spans m payoff columns of 12 points and sits centred above their middle.
    const int m = 1 << (PayoffLevel - level);
    return 12.0 * (m * index + (m - 1) / 2.0) + 3.0;
}

double TreeModel::nodeTop(int level)
{
    return Tops.at(level);
}

TreeModel::Segment TreeModel::line(int k, int j)
{
    return {centreX(k, parent(j)), nodeTop(k), centreX(k + 1, j), nodeTop(k + 1) + NodeWidth};
}

std::vector<TreeModel::NodeRef> TreeModel::markOutOrder(int level, int index, Direction taken)
{
    const int notTaken = child(index, taken == Direction::Left ? Direction::Right : Direction::Left);
    std::vector<NodeRef> order;
    for (int target = PayoffLevel; target >= level + 1; --target) {
        const IndexRange range = subtree(level + 1, notTaken, target);
        for (int i = range.first; i <= range.last; ++i)
            order.push_back({target, i});
    }
    order.push_back({level, index});
    return order;
}

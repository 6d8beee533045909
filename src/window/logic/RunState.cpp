#include "window/logic/RunState.h"

#include "tree/logic/TreeModel.h"

RunState::RunState()
{
    for (int level = 1; level < TreeModel::PayoffLevel; ++level)
        NoteTexts[level].resize(TreeModel::nodesOnLevel(level));
}

QString &RunState::noteText(int level, int index)
{
    return NoteTexts.at(level)[index];
}

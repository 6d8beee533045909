#pragma once

#include "window/logic/RandomSource.h"

#include <QList>

// Hands out the draws a test lines up, in order, and remembers how it was seeded.
// With nothing lined up it draws 0 (Left).
class ScriptedRandomSource : public RandomSource
{
public:
    void seed(qint16 seed) override
    {
        seeds.append(seed);
    }

    float next() override
    {
        ++drawCount;
        return draws.isEmpty() ? 0.0f : draws.takeFirst();
    }

    QList<float> draws;
    QList<qint16> seeds;
    int drawCount = 0;
};

#pragma once

#include "window/logic/RandomSource.h"

#include <random>

// std::mt19937 seeded with the 16-bit seed (sign-extended to 32 bits); each draw is
// the top 24 bits of one output scaled to [0, 1). Every value is exact in single
// precision, 0.5 among them, and a seed gives the same draws on every platform.
class MersenneRandomSource : public RandomSource
{
public:
    void seed(qint16 seed) override;
    float next() override;

private:
    std::mt19937 m_engine;
};

#pragma once

#include <QtGlobal>

// The random seam: seeded once with the run's 16-bit seed, then drawn from by Nature's
// moves only.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void seed(qint16 seed) = 0;
    // A single-precision value uniform on [0, 1).
    virtual float next() = 0;
};

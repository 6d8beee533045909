#pragma once

#include <QString>

class Clock;
class RandomSource;
class MessageBoxes;

// What the window needs from the world, injected: production wires the system clock,
// the seeded generator, real message boxes and the data folder beside the executable.
struct Services
{
    const Clock &clock;
    RandomSource &random;
    MessageBoxes &boxes;
    QString dataDirectory;
};

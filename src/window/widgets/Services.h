#pragma once

#include <QString>

#include <functional>

class Clock;
class RandomSource;
class MessageBoxes;
class TextsTranslation;

// What the window needs from the world, injected: production wires the system clock,
// the seeded generator, real message boxes and the data folder beside the executable.
struct Services
{
    const Clock &clock;
    RandomSource &random;
    MessageBoxes &boxes;
    QString dataDirectory;
    // Forces a written file to the disk, run at once after each record (tests count the
    // calls). Empty in production: DurableFile::syncData on a thread of its own.
    std::function<bool(int handle, QString *error)> syncData = {};
    // The translation installed for the subjects' texts, read from the data folder before
    // the window was made; null for English.
    const TextsTranslation *texts = nullptr;
};

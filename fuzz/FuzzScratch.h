#pragma once

#include <QString>

// A private folder for the fuzzers' files: $DT_FUZZ_SCRATCH when set, otherwise one made
// once per process and removed at its normal exit.
class FuzzScratch
{
public:
    static QString path(const QString &name);
};

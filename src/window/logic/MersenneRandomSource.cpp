#include "window/logic/MersenneRandomSource.h"

void MersenneRandomSource::seed(qint16 seed)
{
    m_engine.seed(static_cast<std::uint32_t>(static_cast<std::int32_t>(seed)));
}

float MersenneRandomSource::next()
{
    const std::uint32_t top24 = static_cast<std::uint32_t>(m_engine()) >> 8;
    return static_cast<float>(top24) * (1.0f / 16777216.0f);
}

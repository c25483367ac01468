// Runs a check on every vector path this processor has (SSE2 everywhere,
// AVX2 where it exists), then gives back the path that was chosen.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "display/level_spans.h"

inline void onEveryPath(const std::function<void()>& check)
{
    const VectorPath chosen = activeVectorPath();
    for (VectorPath path : {VECTOR_SSE2, VECTOR_AVX2}) {
        if (useVectorPath(path) != path) continue;  // not on this processor
        SCOPED_TRACE(path == VECTOR_AVX2 ? "AVX2 path" : "SSE2 path");
        check();
    }
    useVectorPath(chosen);
}

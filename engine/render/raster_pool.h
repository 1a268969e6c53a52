// The threads that share out the rasterization of a frame. They start with the first frame drawn on
// more than one thread and sleep between frames.
#pragma once

#include <functional>

namespace engine::render {

// How many threads draw a frame: KUBISTO_THREADS when it is set (1 draws on the caller alone),
// else the hardware's thread count, at most 8.
int RenderThreads();

// Overrides RenderThreads() (tests, benchmarks); 0 returns to the default.
void SetRenderThreads(int threads);

// Calls job(k) once for every k in [0, count), on up to `threads` threads of which the caller is
// one, and returns when every call has returned. Calls may run in any order.
void ParallelFor(int threads, int count, const std::function<void(int)>& job);

}  // namespace engine::render

#include "engine/render/raster_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace engine::render {
namespace {

constexpr int kMaxDefaultThreads = 8;
constexpr int kMaxThreads = 64;

class Pool {
 public:
  ~Pool() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  void Run(int threads, int count, const std::function<void(int)>& job) {
    const int helpers = std::min(threads, count) - 1;
    if (helpers <= 0) {
      for (int k = 0; k < count; ++k) job(k);
      return;
    }
    // One caller at a time: the job and its counters belong to one frame.
    std::lock_guard<std::mutex> run(runMutex_);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      while (static_cast<int>(threads_.size()) < helpers) {
        const int id = static_cast<int>(threads_.size());
        threads_.emplace_back([this, id] { Worker(id); });
      }
      job_ = &job;
      count_ = count;
      next_.store(0, std::memory_order_relaxed);
      wanted_ = helpers;
      busy_ = helpers;
      ++generation_;
    }
    wake_.notify_all();
    Work(job, count);
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return busy_ == 0; });
    job_ = nullptr;
  }

 private:
  void Work(const std::function<void(int)>& job, int count) {
    for (int k; (k = next_.fetch_add(1, std::memory_order_relaxed)) < count;) job(k);
  }

  void Worker(int id) {
    uint64_t seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
      if (stop_) return;
      seen = generation_;
      if (id >= wanted_) continue;  // this frame needs fewer threads
      const std::function<void(int)>& job = *job_;
      const int count = count_;
      lock.unlock();
      Work(job, count);
      lock.lock();
      if (--busy_ == 0) done_.notify_one();
    }
  }

  std::mutex runMutex_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::vector<std::thread> threads_;
  const std::function<void(int)>* job_ = nullptr;
  int count_ = 0, wanted_ = 0, busy_ = 0;
  uint64_t generation_ = 0;
  bool stop_ = false;
  std::atomic<int> next_{0};
};

int DefaultThreads() {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  return 1;  // a WebAssembly build without threads draws on the calling thread
#endif
  if (const char* env = std::getenv("KUBISTO_THREADS")) {
    char* end = nullptr;
    const long n = std::strtol(env, &end, 10);
    if (end != env && *end == '\0' && n >= 1)
      return static_cast<int>(std::min<long>(n, kMaxThreads));
  }
  const unsigned hw = std::thread::hardware_concurrency();
  return std::clamp(static_cast<int>(hw), 1, kMaxDefaultThreads);
}

std::atomic<int> overrideThreads{0};

}  // namespace

int RenderThreads() {
  const int forced = overrideThreads.load(std::memory_order_relaxed);
  if (forced > 0) return forced;
  static const int threads = DefaultThreads();
  return threads;
}

void SetRenderThreads(int threads) {
  overrideThreads.store(std::clamp(threads, 0, kMaxThreads), std::memory_order_relaxed);
}

void ParallelFor(int threads, int count, const std::function<void(int)>& job) {
  static Pool pool;
  pool.Run(threads, count, job);
}

}  // namespace engine::render

#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace Wimdows {

// An atomic value that a thread can wait on until it changes, as with std::atomic's own wait
// (its calls are std::atomic's, named in this code's style).
// That one, in the C++ library of Debian's mingw-w64 (GCC 12), can miss a notify where the
// system has no futex, as on Windows, and leave the waiter asleep for ever. A mutex and a
// condition variable cannot.
template <typename T> class Waitable {
  public:
    constexpr explicit Waitable(T initial) : value(initial) {}
    Waitable(const Waitable&) = delete;
    Waitable& operator=(const Waitable&) = delete;

    T Load(std::memory_order order = std::memory_order_seq_cst) const { return value.load(order); }
    void Store(T next, std::memory_order order = std::memory_order_seq_cst) {
        value.store(next, order);
    }
    T FetchAdd(T step, std::memory_order order = std::memory_order_seq_cst) {
        return value.fetch_add(step, order);
    }
    bool CompareExchangeStrong(T& expected, T desired,
                                 std::memory_order order = std::memory_order_seq_cst) {
        return value.compare_exchange_strong(expected, desired, order);
    }

    // Returns once the value is no longer `old`.
    void Wait(T old, std::memory_order order = std::memory_order_seq_cst) const {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return value.load(order) != old; });
    }
    // After a change: a waiter that has looked at the value under the mutex is waiting by now.
    void NotifyAll() {
        { const std::scoped_lock guard(mutex); }
        changed.notify_all();
    }

  private:
    std::atomic<T> value;
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
};

} // namespace Wimdows

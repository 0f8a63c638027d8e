// A first-in first-out queue between two threads that holds at most a fixed number of items: the
// producer waits while it is full, so a fast producer never buffers more than that, and the
// consumer waits while it is empty. Close ends it from the producer's side (the consumer still
// takes what is queued); Cancel ends it from either side at once (both sides wake, what is queued
// is dropped).
//
// Everything a thread wrote before its Push is visible to the thread whose Pop returns that item
// (the mutex orders them), so an item may point at data it does not own, as long as that data is
// not written again after the Push.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <utility>

template <typename T>
class TBoundedQueue {
  public:
    // capacity is at least 1.
    explicit TBoundedQueue(std::size_t capacity) : capacity_(capacity < 1 ? 1 : capacity) {}
    TBoundedQueue(const TBoundedQueue&) = delete;
    TBoundedQueue& operator=(const TBoundedQueue&) = delete;

    // Queues item, waiting while the queue is full. False, with item left as it was, once the
    // queue is closed or cancelled.
    bool Push(T& item) {
        std::unique_lock lock(mutex_);
        notFull_.wait(lock, [&] { return items_.size() < capacity_ || closed_ || cancelled_; });
        if (closed_ || cancelled_)
            return false;
        items_.push_back(std::move(item));
        // Woken after the unlock, the other side does not wait for the mutex at once.
        lock.unlock();
        notEmpty_.notify_one();
        return true;
    }

    // Takes the oldest item into item, waiting while the queue is empty and open. False when it
    // is closed and empty, or cancelled.
    bool Pop(T& item) {
        std::unique_lock lock(mutex_);
        notEmpty_.wait(lock, [&] { return !items_.empty() || closed_ || cancelled_; });
        if (cancelled_ || items_.empty())
            return false;
        item = std::move(items_.front());
        items_.pop_front();
        lock.unlock();
        notFull_.notify_one();
        return true;
    }

    // No more items come; Pop hands out those still queued, then returns false.
    void Close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        notEmpty_.notify_all();
        notFull_.notify_all();
    }

    // Ends the queue for both sides now: the queued items are dropped, and waiting Push and Pop
    // calls return false, as all later ones do.
    void Cancel() {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        items_.clear();
        notEmpty_.notify_all();
        notFull_.notify_all();
    }

    bool Cancelled() const {
        std::lock_guard lock(mutex_);
        return cancelled_;
    }

  private:
    const std::size_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable notFull_;
    std::condition_variable notEmpty_;
    std::deque<T> items_;
    bool closed_ = false;
    bool cancelled_ = false;
};

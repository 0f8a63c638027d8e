// The queue between the reader thread and the converting one. No case depends on timing: a
// thread that should block is seen blocked by what it has not done yet, and released by the call
// that must release it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "engine/text/bounded_queue.h"

namespace {

// Waits (without a time bound) until done holds.
template <typename Done>
void WaitUntil(Done&& done) {
    while (!done())
        std::this_thread::yield();
}

// Gives another thread many chances to run.
void LetOthersRun() {
    for (int k = 0; k < 2000; ++k)
        std::this_thread::yield();
}

}  // namespace

TEST(BoundedQueue, KeepsTheOrderAndHoldsNoMoreThanItsCapacity) {
    constexpr std::size_t kCapacity = 3;
    constexpr int kItems = 40;
    TBoundedQueue<std::string> queue(kCapacity);
    std::atomic<int> pushed = 0;
    std::thread producer([&] {
        for (int k = 0; k < kItems; ++k) {
            std::string item = "item " + std::to_string(k);
            ASSERT_TRUE(queue.Push(item));
            pushed.fetch_add(1);
        }
        queue.Close();
    });
    std::vector<std::string> taken;
    std::string item;
    for (int k = 0; k < kItems; ++k) {
        // With k items taken the producer gets exactly k + capacity in, and no further.
        const int room = std::min<int>(kItems, k + static_cast<int>(kCapacity));
        WaitUntil([&] { return pushed.load() >= room; });
        LetOthersRun();
        EXPECT_EQ(pushed.load(), room) << "after " << k << " taken";
        ASSERT_TRUE(queue.Pop(item));
        taken.push_back(item);
    }
    // Closed and empty: the end, at once and every time after.
    EXPECT_FALSE(queue.Pop(item));
    EXPECT_FALSE(queue.Pop(item));
    producer.join();
    ASSERT_EQ(taken.size(), static_cast<std::size_t>(kItems));
    for (int k = 0; k < kItems; ++k)
        EXPECT_EQ(taken[k], "item " + std::to_string(k));
}

TEST(BoundedQueue, CloseHandsOutWhatIsQueuedAndRefusesMore) {
    TBoundedQueue<int> queue(4);
    int item = 1;
    ASSERT_TRUE(queue.Push(item));
    item = 2;
    ASSERT_TRUE(queue.Push(item));
    queue.Close();
    item = 3;
    EXPECT_FALSE(queue.Push(item));
    EXPECT_EQ(item, 3) << "a refused item stays with the caller";
    int taken = 0;
    ASSERT_TRUE(queue.Pop(taken));
    EXPECT_EQ(taken, 1);
    ASSERT_TRUE(queue.Pop(taken));
    EXPECT_EQ(taken, 2);
    EXPECT_FALSE(queue.Pop(taken));
    EXPECT_FALSE(queue.Cancelled());
}

TEST(BoundedQueue, CloseAndCancelWakeBothSides) {
    // A consumer waiting on an empty queue: Close and Cancel each end its wait with false.
    for (const bool cancel : {false, true}) {
        TBoundedQueue<std::string> queue(2);
        std::atomic<int> result = -1;
        std::thread consumer([&] {
            std::string item;
            result = queue.Pop(item) ? 1 : 0;
        });
        LetOthersRun();
        EXPECT_EQ(result.load(), -1) << "Pop returned from an empty open queue";
        cancel ? queue.Cancel() : queue.Close();
        consumer.join();
        EXPECT_EQ(result.load(), 0) << (cancel ? "cancel" : "close");
    }
    // A producer waiting on a full queue: the same, and it keeps the item it could not queue.
    for (const bool cancel : {false, true}) {
        TBoundedQueue<std::string> queue(1);
        std::string first = "first";
        ASSERT_TRUE(queue.Push(first));
        std::atomic<int> result = -1;
        std::string second = "second";
        std::thread producer([&] { result = queue.Push(second) ? 1 : 0; });
        LetOthersRun();
        EXPECT_EQ(result.load(), -1) << "Push returned into a full queue";
        cancel ? queue.Cancel() : queue.Close();
        producer.join();
        EXPECT_EQ(result.load(), 0) << (cancel ? "cancel" : "close");
        EXPECT_EQ(second, "second");
        // Cancelled, the queued item is dropped; closed, it is still handed out.
        std::string item;
        EXPECT_EQ(queue.Pop(item), !cancel);
        EXPECT_EQ(queue.Cancelled(), cancel);
    }
    // Taking an item releases a waiting producer, whose item then follows.
    TBoundedQueue<int> queue(1);
    int item = 1;
    ASSERT_TRUE(queue.Push(item));
    std::atomic<bool> released = false;
    std::thread producer([&] {
        int next = 2;
        EXPECT_TRUE(queue.Push(next));
        released = true;
    });
    LetOthersRun();
    EXPECT_FALSE(released.load());
    int taken = 0;
    ASSERT_TRUE(queue.Pop(taken));
    EXPECT_EQ(taken, 1);
    producer.join();
    EXPECT_TRUE(released.load());
    ASSERT_TRUE(queue.Pop(taken));
    EXPECT_EQ(taken, 2);
}

#pragma once
// Threads that run jobs in the order given, many at once: on a network
// share each job mostly waits for an answer, so many requests are kept in
// flight. The jobs not yet started are dropped when the pool ends.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class ReaderPool {
public:
    explicit ReaderPool(int threads)
    {
        m_threads.reserve(size_t(threads));
        for (int i = 0; i < threads; ++i)
            m_threads.emplace_back([this] { serve(); });
    }
    ~ReaderPool()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
            m_jobs.clear();
        }
        m_changed.notify_all();
        for (std::thread &thread : m_threads)
            thread.join();
    }
    ReaderPool(const ReaderPool &) = delete;
    ReaderPool &operator=(const ReaderPool &) = delete;

    void start(std::function<void()> job)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_jobs.push_back(std::move(job));
        }
        m_changed.notify_one();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_jobs;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;

    void serve()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_stopping)
                return;
            std::function<void()> job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            job();
            lock.lock();
        }
    }
};

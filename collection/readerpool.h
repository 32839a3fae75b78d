#pragma once
// Threads that run jobs in the order given, many at once: on a network
// share each job mostly waits for an answer, so many requests are kept in
// flight. A thread is started only when every one is busy, up to the
// pool's size. The jobs not yet started are dropped when the pool ends.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class ReaderPool {
public:
    explicit ReaderPool(int threads) : m_size(std::size_t(threads)) { m_threads.reserve(m_size); }
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
            if (m_idle < m_jobs.size() && m_threads.size() < m_size) {
                ++m_idle;
                m_threads.emplace_back([this] { serve(); });
            }
        }
        m_changed.notify_one();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_jobs;
    bool m_stopping = false;
    const std::size_t m_size;
    std::size_t m_idle = 0;   // threads waiting for a job, or starting
    std::vector<std::thread> m_threads;

    void serve()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_stopping)
                return;
            --m_idle;
            std::function<void()> job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            job();
            lock.lock();
            ++m_idle;
        }
    }
};

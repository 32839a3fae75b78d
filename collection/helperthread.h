#pragma once
// A second thread that runs one job at a time, kept while it is needed: a
// walk over thousands of cards hands it work without starting a thread
// each time.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class HelperThread {
public:
    HelperThread() : m_thread([this] { serve(); }) { }
    ~HelperThread()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    HelperThread(const HelperThread &) = delete;
    HelperThread &operator=(const HelperThread &) = delete;

    void start(std::function<void()> job)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_job = std::move(job);
        }
        m_changed.notify_all();
    }

    void finish()   // waits for the job started last
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_job; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_job;
    bool m_stopping = false;
    std::thread m_thread;   // last: started once the rest is ready

    void serve()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stopping || m_job; });
            if (m_stopping)
                return;
            lock.unlock();
            m_job();
            lock.lock();
            m_job = nullptr;
            m_changed.notify_all();
        }
    }
};

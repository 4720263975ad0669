#include "load/agent_worker.h"

#include "framework/fatal_error.h"

#include <exception>
#include <optional>
#include <utility>

struct AgentWorker::State
{
    std::mutex lock;
    std::condition_variable wake;
    std::deque<Job> jobs;
    bool working = false;
    bool ended = false;
    std::vector<Reply> replies;
    platform::Handle done{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
};

AgentWorker::AgentWorker() : m_state(std::make_shared<State>())
{
    m_thread = std::thread(&AgentWorker::Work, m_state);
}

AgentWorker::~AgentWorker()
{
    const bool idle = WaitIdle(kJobsEnd);
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        m_state->jobs.clear();
        m_state->ended = true;
    }
    m_state->wake.notify_all();
    if (idle)
        m_thread.join();
    else
        m_thread.detach();
}

HANDLE AgentWorker::Done() const
{
    return m_state->done.Get();
}

void AgentWorker::Post(Job job)
{
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        m_state->jobs.push_back(std::move(job));
    }
    m_state->wake.notify_all();
}

void AgentWorker::RunReplies()
{
    std::vector<Reply> replies;
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        replies = std::exchange(m_state->replies, {});
    }
    for (const Reply& reply : replies)
        reply();
}

void AgentWorker::Drop()
{
    const std::lock_guard<std::mutex> hold(m_state->lock);
    m_state->jobs.clear();
}

bool AgentWorker::WaitIdle(std::chrono::milliseconds most)
{
    std::unique_lock<std::mutex> hold(m_state->lock);
    return m_state->wake.wait_for(hold, most,
                                  [this] { return m_state->jobs.empty() && !m_state->working; });
}

void AgentWorker::Work(std::shared_ptr<State> state)
{
    // An error that ends the thread would end the program unseen.
    try
    {
        LookWatchdog watchdog;
        for (;;)
        {
            Job job;
            {
                std::unique_lock<std::mutex> hold(state->lock);
                state->wake.wait(hold, [&state] { return state->ended || !state->jobs.empty(); });
                if (state->ended)
                    return;
                job = std::move(state->jobs.front());
                state->jobs.pop_front();
                state->working = true;
            }
            Reply reply = job(watchdog);
            {
                const std::lock_guard<std::mutex> hold(state->lock);
                state->working = false;
                if (reply)
                    state->replies.push_back(std::move(reply));
            }
            state->wake.notify_all();
            SetEvent(state->done.Get());
        }
    }
    catch (const std::exception& error)
    {
        AfxReportFatalError(error.what());
    }
}

#include "load/save_copier.h"

#include "companions/report.h"
#include "desktop/running_backup.h"
#include "framework/win_app.h"
#include "platform/file_tree.h"
#include "platform/local_time.h"

#include <exception>

struct SaveCopier::State
{
    std::mutex lock;
    std::condition_variable wake;
    std::deque<Batch> batches;
    bool working = false;
    bool ended = false;
    std::vector<Copied> copied;
    platform::Handle done{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    std::string localAppData;
    // One report a day of the files that could not be copied.
    agent::UncopiedFilesReport uncopied;

    explicit State(const std::string& profile) : localAppData(profile), uncopied(profile) {}
};

std::optional<SaveCopier::Batch> SaveCopier::Next(State& state)
{
    std::unique_lock<std::mutex> hold(state.lock);
    state.wake.wait(hold, [&state] { return state.ended || !state.batches.empty(); });
    if (state.ended)
        return std::nullopt;
    Batch batch = std::move(state.batches.front());
    state.batches.pop_front();
    state.working = true;
    return batch;
}

SaveCopier::Copied SaveCopier::Do(const Batch& batch, State& state)
{
    if (!batch.notice.empty())
        companions::ReportPublisher(platform::LocalFiles(), platform::LocalTimeNow(), "",
                                    state.localAppData)
            .Notice(batch.notice);
    if (!batch.uncopied.empty())
        state.uncopied.Add(*batch.saved, batch.uncopied, platform::LocalFiles(),
                           platform::LocalTimeNow());
    Copied copied{batch.saved, {}, {}};
    for (const std::string& file : batch.copy)
    {
        if (IsBackupRunning())
            copied.postponed.push_back(file);
        else
            copied.files.emplace_back(
                file, agent::CopySavedFile(*batch.saved, file, platform::LocalFiles()));
    }
    return copied;
}

SaveCopier::SaveCopier(const std::string& localAppData)
    : m_state(std::make_shared<State>(localAppData))
{
    m_thread = std::thread(&SaveCopier::Work, m_state);
}

SaveCopier::~SaveCopier()
{
    const bool idle = WaitIdle(kCopiesEnd);
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        m_state->batches.clear();
        m_state->ended = true;
    }
    m_state->wake.notify_all();
    if (idle)
        m_thread.join();
    else
        m_thread.detach();
}

HANDLE SaveCopier::Done() const
{
    return m_state->done.Get();
}

void SaveCopier::Post(Batch batch)
{
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        m_state->batches.push_back(std::move(batch));
    }
    m_state->wake.notify_all();
}

std::vector<SaveCopier::Copied> SaveCopier::TakeCopied()
{
    const std::lock_guard<std::mutex> hold(m_state->lock);
    return std::exchange(m_state->copied, {});
}

void SaveCopier::Drop()
{
    const std::lock_guard<std::mutex> hold(m_state->lock);
    m_state->batches.clear();
}

bool SaveCopier::WaitIdle(std::chrono::milliseconds most)
{
    std::unique_lock<std::mutex> hold(m_state->lock);
    return m_state->wake.wait_for(hold, most,
                                  [this] { return m_state->batches.empty() && !m_state->working; });
}

void SaveCopier::Work(std::shared_ptr<State> state)
{
    // An error that ends the thread would end the program unseen.
    try
    {
        while (std::optional<Batch> batch = Next(*state))
        {
            Copied copied = Do(*batch, *state);
            {
                const std::lock_guard<std::mutex> hold(state->lock);
                state->working = false;
                if (!copied.files.empty() || !copied.postponed.empty())
                    state->copied.push_back(std::move(copied));
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

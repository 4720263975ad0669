#include "load/background_task.h"

#include "framework/fatal_error.h"

#include <exception>

BackgroundTask::~BackgroundTask()
{
    Stop();
}

void BackgroundTask::Start(std::function<void(const std::atomic<bool>& stop)> job)
{
    Stop();
    m_stop = false;
    m_thread = std::thread([this, job = std::move(job)] {
        // An error that ends the thread would end the program unseen.
        try
        {
            job(m_stop);
        }
        catch (const std::exception& error)
        {
            AfxReportFatalError(error.what());
        }
    });
}

void BackgroundTask::RequestStop()
{
    m_stop = true;
}

void BackgroundTask::Stop()
{
    RequestStop();
    if (m_thread.joinable())
        m_thread.join();
}

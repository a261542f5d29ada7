#pragma once

#include <csignal>
#include <sys/resource.h>

// Makes every file write past limit bytes fail, as a full disk does, for as long as it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
        : m_previous(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit tiny = m_old;
        tiny.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_previous);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*m_previous)(int);
    rlimit m_old{};
};

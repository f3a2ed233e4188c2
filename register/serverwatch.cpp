// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/serverwatch.h"

#include <sys/socket.h>

ServerWatch::ServerWatch() : m_thread([this] { run(); }) {}

ServerWatch::~ServerWatch()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_one();
    m_thread.join();
}

void ServerWatch::arm(int socket, std::chrono::milliseconds limit)
{
    {
        const std::lock_guard lock(m_mutex);
        m_socket = socket;
        m_until = std::chrono::steady_clock::now() + limit;
        m_fired = false;
    }
    m_changed.notify_one();
}

void ServerWatch::disarm()
{
    {
        const std::lock_guard lock(m_mutex);
        m_socket = -1;
    }
    m_changed.notify_one();
}

bool ServerWatch::fired() const
{
    const std::lock_guard lock(m_mutex);
    return m_fired;
}

void ServerWatch::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (m_socket < 0) {
            m_changed.wait(lock);
            continue;
        }
        if (m_changed.wait_until(lock, m_until) == std::cv_status::timeout && m_socket >= 0
            && std::chrono::steady_clock::now() >= m_until) {
            // The call waiting on it returns with an error at once; the
            // server ends its side when it answers again.
            ::shutdown(m_socket, SHUT_RDWR);
            m_fired = true;
            m_socket = -1;
        }
    }
}

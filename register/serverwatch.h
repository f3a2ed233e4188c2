// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A time limit on a call to a database server: armed with the socket of the
// connection, it shuts the socket down when the time is up, so that a
// server that has stopped answering (frozen, or its host gone) ends the
// call with an error instead of holding the program. No widgets.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class ServerWatch
{
public:
    ServerWatch();
    ~ServerWatch();
    ServerWatch(const ServerWatch &) = delete;
    ServerWatch &operator=(const ServerWatch &) = delete;

    /// Watches `socket` for `limit` from now (a socket below 0: nothing).
    void arm(int socket, std::chrono::milliseconds limit);
    void disarm();
    /// True when the time ran out since the last arm().
    bool fired() const;

private:
    void run();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_socket = -1;
    std::chrono::steady_clock::time_point m_until;
    bool m_fired = false;
    bool m_quit = false;
    std::thread m_thread;
};

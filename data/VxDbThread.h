// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A second connection to the database, on a thread of its own, for the work
// that may take long: saving and loading scenarios. While the work runs,
// the calling thread keeps processing its events (not the user's input), so
// the window repaints; a statement that runs past its time limit (a server
// that stopped answering) is cut off instead of holding the program; and a
// connection that broke (a server that restarted) is opened again once, with
// the alias and login of the main connection, and the work run again.

#include "SchedDB.h"

#include <QSqlDatabase>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

// One run of work on the thread, shared by both sides.
struct TVxDbCall;

class TVxDbThread {
public:
    // What the work is told besides its connection.
    class TBeat {
    public:
        // Call before each statement: it starts the statement's time, and
        // stops the work (throws the silent abort) once the caller cancelled.
        void Statement();

    private:
        friend class TVxDbThread;
        TVxDbCall* m_call = nullptr;
    };
    using Work = std::function<void(QSqlDatabase& db, TBeat& beat)>;

    // Connections like main's: its alias and login, and its login prompt
    // when the server refuses that login.
    explicit TVxDbThread(TSchedDB& main);
    ~TVxDbThread();
    TVxDbThread(const TVxDbThread&) = delete;
    TVxDbThread& operator=(const TVxDbThread&) = delete;

    // Runs work on the thread and returns once it is done. Meanwhile poll is
    // called on the calling thread about every 20 ms; it may show progress,
    // and it cancels by throwing (the work stops at its next statement, or is
    // cut off a second later, and what poll threw is thrown here). Throws
    // what the work threw, EVxDbError (TimedOut) when a statement ran past
    // the time limit, and EVxDbError (Lost) when the server cannot be
    // reached.
    void Run(const Work& work, const std::function<void()>& poll = {});

    // How many times a Run found the connection broken and opened it again.
    int Reconnections() const { return m_reconnections; }
    // How long a statement may run before it is cut off: the server's own
    // statement time limit and a margin for its answer.
    int TimeLimitMs() const;
    // Replaces that limit (0: back to the alias's).
    void SetTimeLimitMs(int ms) { m_timeLimitMs = ms; }

private:
    void execute(TVxDbCall& call, const Work& work);
    void openConnection(TVxDbCall& call);
    void closeConnection();
    void wait(TVxDbCall& call, const std::function<void()>& poll);
    // Cuts the connection off; false when there is none to cut.
    bool cut(TVxDbCall& call, bool timedOut);

    TSchedDB& m_main;
    QThread m_thread;
    QObject* m_context; // lives in m_thread: what runs there is posted to it
    QString m_connectionName;
    std::mutex m_socketMutex;
    int m_socket = -1; // a server connection's socket, to cut it off
    int m_reconnections = 0;
    int m_timeLimitMs = 0;
};

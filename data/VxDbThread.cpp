// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDbThread.h"

#include "VxAbort.h"
#include "VxDbError.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSqlDriver>
#include <QSqlError>
#include <QTimer>
#include <QUuid>
#include <QVariant>
#include <chrono>
#include <dlfcn.h>
#include <exception>
#include <sys/socket.h>
#include <thread>

namespace {
qint64 nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The socket of a PostgreSQL connection. The driver's handle is libpq's
// connection; its socket comes from the libpq the driver has loaded already,
// so the program needs no build dependency on it.
int socketOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    const char* type = handle.typeName();
    if (!type || (qstrcmp(type, "pg_conn*") != 0 && qstrcmp(type, "PGconn*") != 0)) return -1;
    using Socket = int (*)(const void*);
    static const Socket pqSocket = [] {
        void* libpq = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
        return libpq ? reinterpret_cast<Socket>(dlsym(libpq, "PQsocket")) : nullptr;
    }();
    const void* connection = *static_cast<const void* const*>(handle.constData());
    return pqSocket && connection ? pqSocket(connection) : -1;
}

// Thrown on the thread when the server refused the login: the caller asks
// for it again.
struct ELoginRefused {
    QString details;
};
} // namespace

struct TVxDbCall {
    TVxAlias alias;
    std::optional<TVxLogin> login;
    QEventLoop* loop = nullptr;
    std::atomic<bool> done{false};
    std::atomic<bool> cancel{false};
    std::atomic<bool> timedOut{false};
    std::atomic<bool> cut{false};
    std::atomic<qint64> statementStart{0};
    int limitMs = 0;
    bool reconnected = false;
    std::exception_ptr error;
};

void TVxDbThread::TBeat::Statement() {
    if (m_call->cancel) VxAbort();
    m_call->statementStart = nowMs();
}

TVxDbThread::TVxDbThread(TSchedDB& main)
    : m_main(main), m_context(new QObject),
      m_connectionName(QStringLiteral("Shedwise-thread-") +
                       QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    m_context->moveToThread(&m_thread);
    m_thread.start();
}

TVxDbThread::~TVxDbThread() {
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            closeConnection();
            delete m_context;
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

int TVxDbThread::TimeLimitMs() const {
    if (m_timeLimitMs > 0) return m_timeLimitMs;
    // The server stops a statement itself at its limit; a server that does
    // not answer by a few seconds later no longer answers at all.
    return (StatementTimeoutOf(m_main.AliasInUse()) + 5) * 1000;
}

void TVxDbThread::Run(const Work& work, const std::function<void()>& poll) {
    for (int attempt = 0;; ++attempt) {
        TVxDbCall call;
        call.alias = m_main.AliasInUse();
        call.login = m_main.LoginInUse();
        call.limitMs = TimeLimitMs();
        QEventLoop loop;
        call.loop = &loop;
        QMetaObject::invokeMethod(
            m_context, [this, &call, &work] { execute(call, work); }, Qt::QueuedConnection);
        wait(call, poll);
        if (call.reconnected) ++m_reconnections;
        if (!call.error) return;
        try {
            std::rethrow_exception(call.error);
        } catch (const ELoginRefused& refused) {
            // The server wants another login (its password was changed):
            // asked here, where the windows are.
            if (attempt == 0 && m_main.AskLoginAgain()) continue;
            throw EVxDbError(TVxDbFault::Lost, VxDbFaultText(TVxDbFault::Lost), refused.details);
        }
    }
}

void TVxDbThread::execute(TVxDbCall& call, const Work& work) {
    TBeat beat;
    beat.m_call = &call;
    try {
        const bool wasOpen = QSqlDatabase::contains(m_connectionName) &&
                             QSqlDatabase::database(m_connectionName, false).isOpen();
        try {
            openConnection(call);
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            work(db, beat);
        } catch (const EVxDbError& e) {
            // A connection that worked before and broke since: once more on a
            // new one. A cut one stays cut.
            if (e.Fault() != TVxDbFault::Lost || !wasOpen || call.cut) throw;
            closeConnection();
            call.reconnected = true;
            openConnection(call);
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            work(db, beat);
        }
    } catch (const EVxError& e) {
        if (call.cut) closeConnection();
        if (call.timedOut)
            call.error = std::make_exception_ptr(EVxDbError(
                TVxDbFault::TimedOut,
                QCoreApplication::translate("VxDbThread",
                                            "The database server did not answer within %1 seconds.")
                    .arg(call.limitMs / 1000),
                e.details().isEmpty() ? e.message() : e.details()));
        else if (call.cut)
            call.error = std::make_exception_ptr(EVxAbort());
        else
            call.error = std::current_exception();
    } catch (...) {
        if (call.cut) closeConnection();
        call.error = std::current_exception();
    }
    // The quit is queued before done is set, so the loop is still there.
    QMetaObject::invokeMethod(call.loop, &QEventLoop::quit, Qt::QueuedConnection);
    call.done = true;
}

void TVxDbThread::openConnection(TVxDbCall& call) {
    call.statementStart = nowMs();
    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : TSchedDB::AddConnection(call.alias, call.login, m_connectionName);
    if (db.isOpen()) return;
    if (call.login) {
        db.setUserName(call.login->UserName);
        db.setPassword(call.login->Password);
    }
    const bool opened = db.open();
    db.setPassword(QString());
    if (!opened) {
        const QSqlError error = db.lastError();
        if (TSchedDB::LoginRefused(error)) throw ELoginRefused{VxDbErrorText(error)};
        throw EVxDbError(TVxDbFault::Lost, VxDbFaultText(TVxDbFault::Lost), VxDbErrorText(error));
    }
    TSchedDB::PrepareSession(db, call.alias);
    const std::lock_guard<std::mutex> lock(m_socketMutex);
    m_socket = socketOf(db);
}

void TVxDbThread::closeConnection() {
    {
        const std::lock_guard<std::mutex> lock(m_socketMutex);
        m_socket = -1;
    }
    if (!QSqlDatabase::contains(m_connectionName)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool TVxDbThread::cut(TVxDbCall& call, bool timedOut) {
    // Ends the blocked receive on the thread at once: its statement fails
    // as on a broken connection, and the server drops the transaction. An
    // embedded file has no socket: its waits end by its own busy timeout.
    const std::lock_guard<std::mutex> lock(m_socketMutex);
    if (m_socket < 0 || call.cut) return false;
    call.timedOut = timedOut;
    call.cut = true;
    ::shutdown(m_socket, SHUT_RDWR);
    return true;
}

void TVxDbThread::wait(TVxDbCall& call, const std::function<void()>& poll) {
    std::exception_ptr cancelled;
    qint64 cancelledAt = 0;
    bool inTick = false;
    QTimer tick;
    tick.setInterval(20);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (inTick || call.done) return; // a poll that processes events comes back here
        inTick = true;
        if (poll && !cancelled) {
            try {
                poll();
            } catch (...) {
                cancelled = std::current_exception();
                cancelledAt = nowMs();
                call.cancel = true;
            }
        }
        const qint64 started = call.statementStart;
        if (cancelled && nowMs() - cancelledAt > 1000) cut(call, false);
        if (started > 0 && nowMs() - started > call.limitMs) cut(call, true);
        inTick = false;
    });
    tick.start();
    if (!call.done) call.loop->exec(QEventLoop::ExcludeUserInputEvents);
    while (!call.done)
        std::this_thread::yield();
    // Work that finished in spite of a cancel stands: it is done.
    if (cancelled && call.error) call.error = cancelled;
}

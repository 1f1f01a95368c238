#pragma once
// The program's one network client: HTTP, HTTPS and anonymous FTP through
// libcurl, for every transfer (videos, stream descriptions, theme archives, the
// version file and the installer) and for the HEAD requests of the guard.
//
// A Transfer runs on a worker thread of its own, so the window keeps painting
// and the user keeps clicking; its signals arrive on the thread that owns the
// Transfer object. Rules every transfer keeps:
// - cancel() ends it within a second (at once, in practice);
// - a server that sends nothing (or trickles under 100 bytes a second) for
//   `silenceTimeoutSeconds` ends it as TimedOut;
// - a redirect is followed only where the request says so: the parent's
//   transfers let libcurl follow up to `maxRedirects` (to http and https only);
//   the child's fetches follow none, or each one their `redirectJudge` allows
//   (asked on the owner's thread before it is followed); any other redirect
//   ends the transfer as Redirected, and its body is never written;
// - a body longer than the server announced (Content-Length, or the FTP size)
//   or above `maxBytes` ends it, as LongerThanAnnounced or TooLarge;
// - a GET into a file writes a temporary file beside the target and renames it
//   over the target only when the whole body arrived: a failed or cancelled
//   transfer never leaves a partial file behind, nor touches an older file of
//   that name.

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <thread>

namespace tovalin {

enum class TransferMethod {
    Get,  ///< the body, into a file or into memory
    Head, ///< HTTP HEAD, or the FTP size query: headers only
};

enum class TransferFailure {
    None,
    Cancelled,           ///< cancel() was called
    BadAddress,          ///< not an http, https or ftp address
    Connect,             ///< the host could not be found or reached, or refused the login
    TimedOut,            ///< the server stayed silent too long
    TooManyRedirects,
    Redirected,          ///< the server redirected, and the redirect was not to be followed
    ServerError,         ///< the server refused: HTTP status 400 or above, or FTP "no such file"
    TooLarge,            ///< announced or received size above maxBytes
    LongerThanAnnounced, ///< more bytes arrived than the server announced
    Incomplete,          ///< the connection closed before the announced size arrived
    File,                ///< the target file could not be created or written
    Other,               ///< any other failure; `error` says which
};

/// A short English name of a failure, for logs and test messages.
QString transferFailureName(TransferFailure failure);

/// Decides whether a redirect may be followed, given the address it leads to.
using RedirectJudge = std::function<bool(const QString &address)>;

struct TransferRequest {
    /// The most a body kept in memory may hold when the request names no limit.
    static constexpr qint64 kMemoryLimit = 16 * 1024 * 1024;
    /// The most redirects the transfer follows, judged or not.
    static constexpr int kMostRedirects = 5;

    QString address;
    TransferMethod method = TransferMethod::Get;
    /// Get: the file the body goes to (replaced whole on success). Empty: the body stays in memory.
    QString targetFile;
    /// Answers announced or found larger than this fail with TooLarge. Negative: no limit for a
    /// file, kMemoryLimit for a body kept in memory.
    qint64 maxBytes = -1;
    int silenceTimeoutSeconds = 30;
    /// Redirects libcurl follows by itself, to http and https only: for the transfers the parent
    /// starts (theme download, update). 0 for the child's fetches, which follow only what
    /// redirectJudge allows.
    int maxRedirects = 0;
    /// When set, each redirect (up to kMostRedirects) is asked about before it is followed, on
    /// the thread that owns the Transfer (the calling thread for followJudgedRedirects); refused,
    /// the transfer ends as Redirected. libcurl then follows none itself.
    RedirectJudge redirectJudge;
    /// The whole transfer's limit in milliseconds, connection included; 0: none.
    long totalTimeoutMs = 0;
    QByteArray userAgent = QByteArrayLiteral("Mozilla/5.0 (compatible; Tovalin/3.0)");
    /// More HTTP request headers, "Name: value" each (the browser's YouTube-Restrict).
    QList<QByteArray> headers;
};

struct TransferResult {
    TransferFailure failure = TransferFailure::Other;
    int status = 0;            ///< HTTP status or last FTP reply code; 0 when none arrived
    QString contentType;       ///< HTTP Content-Type as sent; empty when none
    qint64 contentLength = -1; ///< announced size (HTTP Content-Length, FTP size); -1 unknown
    qint64 received = 0;       ///< body bytes that arrived
    QByteArray body;           ///< Get into memory: the body
    QString redirectTo;        ///< Redirected: the address the redirect not followed leads to
    QString error;             ///< what went wrong, for the log (English, not shown to users)
    bool ok() const { return failure == TransferFailure::None; }
};

/// Called on the worker thread with the bytes so far and the announced total (-1 unknown).
using TransferProgress = std::function<void(qint64 received, qint64 total)>;

/// Runs a request on the calling thread until it ends; `cancel` (may be null) is polled
/// and ends it when set. Used by the worker of Transfer and by blocking callers (HEAD probe).
/// Follows no judged redirect: see followJudgedRedirects.
TransferResult runTransfer(const TransferRequest &request, const std::atomic_bool *cancel = nullptr,
                           const TransferProgress &progress = {});

/// After a hop ended as Redirected: true (and `request.address` set to the redirect's address)
/// when the request's judge allows following it, its address is http or https and fewer than
/// kMostRedirects were followed (`hops` counts them). False leaves the result standing; past the
/// limit it becomes TooManyRedirects.
bool nextJudgedHop(TransferRequest &request, TransferResult &result, int &hops);

/// runTransfer on the calling thread, following the redirects the request's judge allows.
TransferResult runJudgedTransfer(TransferRequest request, const std::atomic_bool *cancel = nullptr);

class Transfer : public QObject {
    Q_OBJECT
public:
    explicit Transfer(TransferRequest request, QObject *parent = nullptr);
    /// Cancels a running transfer and waits for its worker (at most about a second).
    ~Transfer() override;

    /// Starts the worker. A Transfer runs once; later calls do nothing.
    void start();
    /// Ends the transfer as Cancelled; finished() still follows. Safe from any thread.
    void cancel();
    bool isRunning() const { return m_running; }
    bool isFinished() const { return m_finished; }
    const TransferRequest &request() const { return m_request; }
    /// Valid once finished() has been emitted.
    const TransferResult &result() const { return m_result; }

signals:
    /// The announced size is known (-1: the server announced none). At most once, before progress.
    void sizeAnnounced(qint64 total);
    /// Bytes so far and the announced total (-1 unknown); a few times a second at most.
    void progressed(qint64 received, qint64 total);
    void finished(const tovalin::TransferResult &result);

private:
    void runHop();

    TransferRequest m_request;
    TransferRequest m_hop; // the request of the hop that runs: m_request, or where its judged redirects led
    int m_hops = 0;
    TransferResult m_result;
    std::thread m_thread;
    std::atomic_bool m_cancel{false};
    bool m_running = false;
    bool m_finished = false;
};

} // namespace tovalin

Q_DECLARE_METATYPE(tovalin::TransferResult)

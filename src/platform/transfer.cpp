#include "platform/transfer.h"

#include "platform/curl_library.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QPointer>
#include <QSaveFile>

#include <mutex>
#include <optional>

Q_LOGGING_CATEGORY(lcTransfer, "tovalin.transfer", QtWarningMsg)

namespace tovalin {

namespace {

// libcurl is opened with the first transfer, not at start-up.
bool curlReady()
{
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = curl_library::load() && curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ready;
}

// How long the worker waits on its sockets before it looks at the cancel flag again.
constexpr int kPollMs = 100;

// Slower than this for the whole silence time-out counts as silence (the slowest modem
// moves thousands of bytes a second).
constexpr long kSlowestBytesPerSecond = 100;

bool isSupportedAddress(const QString &address)
{
    return address.startsWith(u"http://", Qt::CaseInsensitive) || address.startsWith(u"https://", Qt::CaseInsensitive)
        || address.startsWith(u"ftp://", Qt::CaseInsensitive);
}

// Where the body goes, and what the write callback found wrong with it. curl is
// told to ignore the announced size (it would silently cut a longer body short),
// so the sink holds the body against that size itself.
struct Sink {
    CURL *curl = nullptr;
    bool http = false;
    QSaveFile *file = nullptr;
    QByteArray *memory = nullptr;
    qint64 maxBytes = -1;
    qint64 received = 0;
    std::optional<qint64> announced; // known once the first bytes arrive (FTP: before)
    TransferFailure failure = TransferFailure::None;
    QString error;
    bool endAtRedirect = false; // no redirect is followed here: its body is no answer
    bool statusChecked = false;
    const std::atomic_bool *cancel = nullptr;
    const TransferProgress *progress = nullptr;
    // A server that keeps the connection open after the whole announced body: done after a pause.
    QElapsedTimer sinceData;
    bool endedAtAnnouncedSize = false;

    bool fail(TransferFailure why, const QString &what)
    {
        failure = why;
        error = what;
        return false;
    }

    // The Content-Length of the last response (redirects are not counted); -1 when none.
    qint64 httpContentLength() const
    {
        struct curl_header *header = nullptr;
        if (curl_easy_header(curl, "Content-Length", 0, CURLH_HEADER, -1, &header) != CURLHE_OK || !header)
            return -1;
        bool ok = false;
        const qint64 length = QByteArray(header->value).trimmed().toLongLong(&ok);
        return ok && length >= 0 ? length : -1;
    }

    void learnAnnounced()
    {
        if (!announced)
            announced = http ? httpContentLength() : qint64(-1);
    }

    bool accept(const char *data, size_t size)
    {
        if (endAtRedirect && http && !statusChecked) {
            statusChecked = true;
            long status = 0;
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
            // What a redirect says about the place it leads to is never stored as the file.
            if (status >= 300 && status < 400)
                return fail(TransferFailure::Redirected, QStringLiteral("the server redirected"));
        }
        if (!announced) {
            learnAnnounced();
            if (maxBytes >= 0 && *announced > maxBytes)
                return fail(TransferFailure::TooLarge,
                            QStringLiteral("announced %1 bytes, more than %2").arg(*announced).arg(maxBytes));
        }
        const qint64 total = received + qint64(size);
        if (*announced >= 0 && total > *announced)
            return fail(TransferFailure::LongerThanAnnounced,
                        QStringLiteral("more than the announced %1 bytes arrived").arg(*announced));
        if (maxBytes >= 0 && total > maxBytes)
            return fail(TransferFailure::TooLarge, QStringLiteral("more than %1 bytes").arg(maxBytes));
        if (file) {
            if (file->write(data, qint64(size)) != qint64(size))
                return fail(TransferFailure::File, file->errorString());
        } else if (memory) {
            memory->append(data, qsizetype(size));
        }
        received = total;
        sinceData.start();
        if (progress && *progress)
            (*progress)(received, *announced);
        return true;
    }

    // Polled by curl a few times a second: true ends the transfer.
    bool shouldStop()
    {
        if (cancel && cancel->load())
            return true;
        if (announced && *announced >= 0 && received == *announced && sinceData.isValid()
            && sinceData.elapsed() > kQuietAfterWholeBodyMs) {
            endedAtAnnouncedSize = true;
            return true;
        }
        return false;
    }

    static constexpr qint64 kQuietAfterWholeBodyMs = 1000;
};

size_t writeBody(char *data, size_t size, size_t count, void *user)
{
    auto *sink = static_cast<Sink *>(user);
    const size_t bytes = size * count;
    // Anything but the full count makes curl end the transfer with a write error.
    return sink->accept(data, bytes) ? bytes : 0;
}

// Headers, and what a size query sends in their place, are not kept.
size_t discard(char *, size_t size, size_t count, void *)
{
    return size * count;
}

int onProgress(void *user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<Sink *>(user)->shouldStop() ? 1 : 0;
}

// Runs the handle to its end on the multi handle, looking at the cancel flag every kPollMs
// whatever the server does. Returns the handle's result; sets cancelled when the flag ended it.
CURLcode perform(CURLM *multi, CURL *curl, const std::atomic_bool *cancel, bool &cancelled)
{
    CURLcode code = CURLE_OK;
    curl_multi_add_handle(multi, curl);
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        if (!running) {
            int queued = 0;
            while (CURLMsg *msg = curl_multi_info_read(multi, &queued)) {
                if (msg->msg == CURLMSG_DONE)
                    code = msg->data.result;
            }
            break;
        }
        if (cancel && cancel->load()) {
            cancelled = true;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
    }
    curl_multi_remove_handle(multi, curl);
    return code;
}

TransferFailure failureOf(CURLcode code)
{
    switch (code) {
    case CURLE_OK: return TransferFailure::None;
    case CURLE_ABORTED_BY_CALLBACK: return TransferFailure::Cancelled;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT: return TransferFailure::BadAddress;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_LOGIN_DENIED:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_WEIRD_SERVER_REPLY:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING: return TransferFailure::Connect;
    case CURLE_OPERATION_TIMEDOUT: return TransferFailure::TimedOut;
    case CURLE_TOO_MANY_REDIRECTS: return TransferFailure::TooManyRedirects;
    case CURLE_HTTP_RETURNED_ERROR:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND: return TransferFailure::ServerError;
    case CURLE_FILESIZE_EXCEEDED: return TransferFailure::TooLarge;
    case CURLE_PARTIAL_FILE: return TransferFailure::Incomplete;
    case CURLE_WRITE_ERROR: return TransferFailure::File;
    default: return TransferFailure::Other;
    }
}

} // namespace

QString transferFailureName(TransferFailure failure)
{
    switch (failure) {
    case TransferFailure::None: return QStringLiteral("none");
    case TransferFailure::Cancelled: return QStringLiteral("cancelled");
    case TransferFailure::BadAddress: return QStringLiteral("bad address");
    case TransferFailure::Connect: return QStringLiteral("connect");
    case TransferFailure::TimedOut: return QStringLiteral("timed out");
    case TransferFailure::TooManyRedirects: return QStringLiteral("too many redirects");
    case TransferFailure::Redirected: return QStringLiteral("redirected");
    case TransferFailure::ServerError: return QStringLiteral("server error");
    case TransferFailure::TooLarge: return QStringLiteral("too large");
    case TransferFailure::LongerThanAnnounced: return QStringLiteral("longer than announced");
    case TransferFailure::Incomplete: return QStringLiteral("incomplete");
    case TransferFailure::File: return QStringLiteral("file");
    case TransferFailure::Other: return QStringLiteral("other");
    }
    return {};
}

TransferResult runTransfer(const TransferRequest &request, const std::atomic_bool *cancel, const TransferProgress &progress)
{
    TransferResult result;
    if (!isSupportedAddress(request.address)) {
        result.failure = TransferFailure::BadAddress;
        result.error = QStringLiteral("not an http, https or ftp address");
        return result;
    }
    const bool get = request.method == TransferMethod::Get;
    const bool toFile = get && !request.targetFile.isEmpty();
    qint64 maxBytes = request.maxBytes;
    if (maxBytes < 0 && get && !toFile)
        maxBytes = TransferRequest::kMemoryLimit;

    if (!curlReady()) {
        result.error = QStringLiteral("libcurl could not be loaded");
        return result;
    }

    // The target is created before anything is asked, so a file that cannot be made
    // fails at once; its temporary file is dropped unless the whole body arrives.
    std::optional<QSaveFile> file;
    if (toFile) {
        file.emplace(request.targetFile);
        if (!file->open(QIODevice::WriteOnly)) {
            result.failure = TransferFailure::File;
            result.error = file->errorString();
            return result;
        }
    }

    CURL *curl = curl_easy_init();
    CURLM *multi = curl_multi_init();
    if (!curl || !multi) {
        if (curl)
            curl_easy_cleanup(curl);
        if (multi)
            curl_multi_cleanup(multi);
        result.error = QStringLiteral("libcurl could not start");
        return result;
    }

    const bool ftp = request.address.startsWith(u"ftp://", Qt::CaseInsensitive);
    Sink sink;
    sink.curl = curl;
    sink.http = !ftp;
    sink.file = file ? &*file : nullptr;
    sink.memory = get && !toFile ? &result.body : nullptr;
    sink.maxBytes = maxBytes;
    sink.cancel = cancel;
    sink.progress = &progress;
    // libcurl follows redirects only for the parent's transfers; a judged one is followed by the
    // caller, hop by hop, once the judge has seen where it leads.
    const bool curlFollows = request.maxRedirects > 0 && !request.redirectJudge;
    sink.endAtRedirect = !curlFollows;

    const QByteArray url = request.address.toUtf8();
    const long silence = std::max(1, request.silenceTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, curlFollows ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, long(curlFollows ? std::min(request.maxRedirects, TransferRequest::kMostRedirects) : 0));
    curl_easy_setopt(curl, CURLOPT_USERAGENT, request.userAgent.constData());
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, ""); // cookies within the transfer, redirects included
    // Silence: no connection, no reply, or under kSlowestBytesPerSecond for this long. A server
    // that trickles a byte a second is as good as silent: it would hold a transfer for days.
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, silence);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, silence);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kSlowestBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, silence);
    if (request.totalTimeoutMs > 0)
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, request.totalTimeoutMs);
    if (maxBytes >= 0)
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(maxBytes));
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &sink);
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, discard);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    struct curl_slist *headers = nullptr;

    bool cancelled = false;
    CURLcode code = CURLE_OK;
    if (get && ftp) {
        // The size query first, on the same connection: the progress maximum, and the
        // length the body is held to.
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        code = perform(multi, curl, cancel, cancelled);
        curl_off_t size = -1;
        if (code == CURLE_OK && curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size) != CURLE_OK)
            size = -1;
        sink.announced = qint64(size);
        curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
        if (code == CURLE_OK && !cancelled && maxBytes >= 0 && size > maxBytes) {
            sink.fail(TransferFailure::TooLarge, QStringLiteral("announced %1 bytes, more than %2").arg(size).arg(maxBytes));
            code = CURLE_WRITE_ERROR;
        }
    }
    if (code == CURLE_OK && !cancelled) {
        if (get) {
            curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
            curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
            curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
            // curl would end the body at the announced length and drop the rest unseen; it
            // reads to the end here, and the sink holds the body to the announced length.
            curl_easy_setopt(curl, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
            if (!ftp)
                headers = curl_slist_append(headers, "Connection: close");
        } else {
            curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        }
        if (!ftp) {
            for (const QByteArray &header : request.headers)
                headers = curl_slist_append(headers, header.constData());
            if (headers)
                curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        }
        code = perform(multi, curl, cancel, cancelled);
    }
    if (code == CURLE_ABORTED_BY_CALLBACK && sink.endedAtAnnouncedSize && !(cancel && cancel->load()))
        code = CURLE_OK;

    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    result.status = int(status);
    char *type = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type)
        result.contentType = QString::fromLatin1(type);
    if (get) {
        sink.learnAnnounced();
        result.contentLength = *sink.announced;
    } else {
        curl_off_t length = -1;
        if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK)
            result.contentLength = length;
    }
    result.received = sink.received;

    if (cancelled || (code == CURLE_ABORTED_BY_CALLBACK && !sink.endedAtAnnouncedSize)) {
        result.failure = TransferFailure::Cancelled;
    } else if (code == CURLE_WRITE_ERROR && sink.failure != TransferFailure::None) {
        result.failure = sink.failure;
        result.error = sink.error;
    } else {
        result.failure = failureOf(code);
        if (code != CURLE_OK)
            result.error = QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(code));
        // curl names an answer that is no HTTP at all an unsupported protocol; the address was
        // fine (it was checked above, and no redirect answer came), the server was not.
        if (code == CURLE_UNSUPPORTED_PROTOCOL && status == 0)
            result.failure = TransferFailure::Other;
        // The connection closed before the announced body was whole.
        if (code == CURLE_OK && get && result.contentLength >= 0 && sink.received < result.contentLength) {
            result.failure = TransferFailure::Incomplete;
            result.error = QStringLiteral("only %1 of %2 bytes arrived").arg(sink.received).arg(result.contentLength);
        }
    }
    if (result.failure == TransferFailure::ServerError && result.error.isEmpty())
        result.error = QStringLiteral("status %1").arg(result.status);
    // A redirect that is not followed here ends the transfer: the caller may judge it and follow.
    if (!curlFollows && sink.http && status >= 300 && status < 400
        && (result.failure == TransferFailure::None || result.failure == TransferFailure::Redirected
            || result.failure == TransferFailure::Incomplete)) {
        result.failure = TransferFailure::Redirected;
        char *location = nullptr;
        if (curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location)
            result.redirectTo = QString::fromUtf8(location);
        result.error = QStringLiteral("status %1, redirect to %2").arg(result.status).arg(result.redirectTo);
    }

    curl_easy_cleanup(curl);
    curl_multi_cleanup(multi);
    curl_slist_free_all(headers);

    if (file) {
        if (result.ok() && !file->commit()) {
            result.failure = TransferFailure::File;
            result.error = file->errorString();
        } else if (!result.ok()) {
            file->cancelWriting();
        }
    }
    if (!result.ok())
        result.body.clear();
    qCDebug(lcTransfer) << (get ? "GET" : "HEAD") << request.address << transferFailureName(result.failure)
                        << result.status << result.received << result.error;
    return result;
}

bool nextJudgedHop(TransferRequest &request, TransferResult &result, int &hops)
{
    if (result.failure != TransferFailure::Redirected || !request.redirectJudge || result.redirectTo.isEmpty())
        return false;
    const QString &target = result.redirectTo;
    if (!target.startsWith(u"http://", Qt::CaseInsensitive) && !target.startsWith(u"https://", Qt::CaseInsensitive)) {
        qCDebug(lcTransfer) << "redirect not followed: not a web address" << target;
        return false;
    }
    if (hops >= TransferRequest::kMostRedirects) {
        result.failure = TransferFailure::TooManyRedirects;
        return false;
    }
    if (!request.redirectJudge(target)) {
        qCDebug(lcTransfer) << "redirect refused by its judge:" << request.address << "->" << target;
        return false;
    }
    ++hops;
    request.address = target;
    return true;
}

TransferResult runJudgedTransfer(TransferRequest request, const std::atomic_bool *cancel)
{
    int hops = 0;
    TransferResult result = runTransfer(request, cancel);
    while (!(cancel && cancel->load()) && nextJudgedHop(request, result, hops))
        result = runTransfer(request, cancel);
    return result;
}

Transfer::Transfer(TransferRequest request, QObject *parent) : QObject(parent), m_request(std::move(request))
{
    static const int registered = qRegisterMetaType<tovalin::TransferResult>();
    Q_UNUSED(registered);
}

Transfer::~Transfer()
{
    m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

void Transfer::start()
{
    if (m_running || m_finished)
        return;
    m_running = true;
    m_hop = m_request;
    runHop();
}

void Transfer::runHop()
{
    m_thread = std::thread([this, hop = m_hop] {
        // Progress reaches the owner a few times a second at most; the announced
        // size goes first, once.
        QElapsedTimer sinceLast;
        bool announced = false;
        const TransferProgress progress = [this, &sinceLast, &announced](qint64 received, qint64 total) {
            if (!announced) {
                announced = true;
                QMetaObject::invokeMethod(this, [this, total] { emit sizeAnnounced(total); }, Qt::QueuedConnection);
            } else if (sinceLast.isValid() && sinceLast.elapsed() < 100) {
                return;
            }
            sinceLast.start();
            QMetaObject::invokeMethod(
                this, [this, received, total] { emit progressed(received, total); }, Qt::QueuedConnection);
        };
        TransferResult result = runTransfer(hop, &m_cancel, progress);
        QMetaObject::invokeMethod(
            this,
            [this, result = std::move(result)]() mutable {
                if (m_thread.joinable())
                    m_thread.join();
                // A redirect its judge allows is followed with a new hop, on this thread's word.
                if (!m_cancel && nextJudgedHop(m_hop, result, m_hops)) {
                    runHop();
                    return;
                }
                if (m_cancel && result.failure == TransferFailure::Redirected)
                    result.failure = TransferFailure::Cancelled;
                m_result = result;
                m_running = false;
                m_finished = true;
                if (m_result.ok() && m_result.received > 0)
                    emit progressed(m_result.received, m_result.contentLength);
                emit finished(m_result);
            },
            Qt::QueuedConnection);
    });
}

void Transfer::cancel()
{
    m_cancel = true;
}

} // namespace tovalin

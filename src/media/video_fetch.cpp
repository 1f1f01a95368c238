#include "media/video_fetch.h"

#include "media/video_names.h"
#include "platform/transfer.h"
#include "state/program_state.h"

#include <QDir>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcVideoFetch, "tovalin.media", QtWarningMsg)

namespace tovalin {

VideoFetch::VideoFetch(const ProgramState &state, QObject *parent) : QObject(parent), m_state(state) {}

VideoFetch::~VideoFetch() = default;

bool VideoFetch::busy() const
{
    return m_transfer && m_transfer->isRunning();
}

QString VideoFetch::findStoredVideo(const QString &videoFolder, const QString &name, const QString &kind)
{
    if (name.isEmpty() || kind.isEmpty())
        return {};
    const QDir folder(videoFolder);
    const QStringList stored = folder.entryList({QStringLiteral("*.") + kind}, QDir::Files);
    for (const QString &file : stored) {
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(file);
    }
    return {};
}

void VideoFetch::cancelRunning()
{
    // A new fetch replaces one that still runs; the old one ends without a word and
    // leaves no partial file (the transfer writes its file only when whole).
    if (m_transfer) {
        m_transfer->disconnect(this);
        m_transfer.reset();
        emit progressEnded();
    }
}

void VideoFetch::fetchVideo(const QString &address, const QString &kind)
{
    qCDebug(lcVideoFetch) << "fetch video" << kind << address;
    cancelRunning();
    emit statusChanged(FetchStatus::Ready);
    m_mov = videonames::endsWithExtension(address.toLower(), QStringLiteral(".mov"));
    emit titleChanged(QString());
    emit videoPageRequested();
    m_aborted = false;

    const QString name = videonames::videoFileName(address);
    const QString folder = m_state.videoFolder();
    emit titleChanged(videonames::videoTitle(name));
    const QString stored = findStoredVideo(folder, name, kind);
    if (!stored.isEmpty()) {
        // Met before: it plays from the video folder without a new transfer.
        qCDebug(lcVideoFetch) << "  stored" << stored;
        emit statusChanged(FetchStatus::Ready);
        emit placeholderHidden();
        emit videoReady(stored, m_mov);
        return;
    }
    if (name.isEmpty()) {
        qCDebug(lcVideoFetch) << "  no file name in the address";
        emit statusChanged(FetchStatus::Broken);
        return;
    }
    startTransfer(address, QDir(folder).filePath(name), Target::Video);
}

void VideoFetch::fetchReference(const QString &address, const QString &kind)
{
    qCDebug(lcVideoFetch) << "fetch reference" << kind << address;
    cancelRunning();
    emit statusChanged(FetchStatus::Ready);
    m_aborted = false;
    startTransfer(address, QDir(m_state.videoFolder()).filePath(QStringLiteral("temp.") + kind), Target::Reference);
}

void VideoFetch::startTransfer(const QString &address, const QString &path, Target target)
{
    TransferRequest request;
    request.address = address;
    request.targetFile = path;
    request.maxBytes = target == Target::Video ? kMaxVideoBytes : kMaxReferenceBytes;
    if (m_headers)
        request.headers = m_headers(address);
    // The child's fetch goes where a navigation may go, or nowhere: each redirect is judged first.
    request.redirectJudge = m_redirectJudge;
    m_transfer = std::make_unique<Transfer>(request);
    Transfer *transfer = m_transfer.get();
    connect(transfer, &Transfer::sizeAnnounced, this, [this](qint64 total) { emit progressStarted(std::max<qint64>(0, total)); });
    connect(transfer, &Transfer::progressed, this, [this](qint64 received, qint64) { emit progressed(received); });
    connect(transfer, &Transfer::finished, this,
            [this, transfer, path, target](const TransferResult &) { transferFinished(transfer, path, target); });
    emit statusChanged(FetchStatus::Loading);
    transfer->start();
}

void VideoFetch::transferFinished(Transfer *transfer, const QString &path, Target target)
{
    if (transfer != m_transfer.get())
        return;
    const TransferResult result = transfer->result();
    m_transfer.release()->deleteLater();
    emit progressEnded();
    qCDebug(lcVideoFetch) << "  transfer" << transferFailureName(result.failure) << result.error << path;

    if (m_aborted || result.failure == TransferFailure::Cancelled) {
        // The navigation that aborted the fetch owns the indicator now; the transfer
        // has already dropped its partial file.
        return;
    }
    if (!result.ok()) {
        emit statusChanged(FetchStatus::Broken);
        return;
    }
    emit statusChanged(FetchStatus::Ready);
    emit placeholderHidden();
    if (target == Target::Video)
        emit videoReady(path, m_mov);
    else
        emit referenceReady(path);
}

void VideoFetch::stopPlayback()
{
    emit playbackStopRequested();
}

void VideoFetch::abort()
{
    m_aborted = true;
    if (m_transfer)
        m_transfer->cancel();
}

} // namespace tovalin

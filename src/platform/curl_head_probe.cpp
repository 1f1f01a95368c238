#include "platform/curl_head_probe.h"

#include <curl/curl.h>
#include <mutex>

namespace tovalin {

namespace {
void ensureCurlGlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}
} // namespace

HeadAnswer CurlHeadProbe::head(const QString &address)
{
    ensureCurlGlobalInit();
    HeadAnswer answer;
    CURL *curl = curl_easy_init();
    if (!curl)
        return answer;
    const QByteArray url = address.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, m_timeoutMs);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, std::min(m_timeoutMs, kConnectTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
    if (curl_easy_perform(curl) == CURLE_OK) {
        answer.ok = true;
        char *type = nullptr;
        if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type)
            answer.contentType = QString::fromLatin1(type);
        curl_off_t length = -1;
        if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK)
            answer.contentLength = length;
    }
    curl_easy_cleanup(curl);
    return answer;
}

} // namespace tovalin

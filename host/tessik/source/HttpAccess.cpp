#include "HttpAccess.h"

#include <curl/curl.h>
#include <fmt/format.h>
#include <algorithm>
#include <mutex>
#include <vector>

#include "AccessAdapters.h"
#include "tessik/Error.h"
#include "tessik/HttpSettings.h"
#include "tessik/MemoryStreamAccess.h"

namespace tessik {

namespace {
std::mutex g_settingsMutex;
HttpSettings g_settings;
}  // namespace

HttpSettings httpSettings() {
    const std::lock_guard lock(g_settingsMutex);
    return g_settings;
}

void setHttpSettings(const HttpSettings& settings) {
    const std::lock_guard lock(g_settingsMutex);
    g_settings = settings;
}

namespace detail {

namespace {

void initializeCurl() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            throw Error("HTTP access cannot be initialized");
    });
}

// One transfer handle, configured for one URI with the current settings.
class Transfer {
public:
    // libcurl's global set-up runs once, before the first handle: curl_easy_init would
    // otherwise do it itself, which is not thread-safe.
    explicit Transfer(const Uri& uri)
        : m_uri(uri.toString()), m_handle((initializeCurl(), curl_easy_init())) {
        if (m_handle == nullptr)
            throw Error("HTTP access cannot be initialized");
        const HttpSettings settings = httpSettings();
        curl_easy_setopt(m_handle, CURLOPT_URL, m_uri.c_str());
        curl_easy_setopt(m_handle, CURLOPT_NOSIGNAL, 1L);
        // Only http and https, redirects included: a redirect never reaches a local file.
        curl_easy_setopt(m_handle, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(m_handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(m_handle, CURLOPT_CONNECTTIMEOUT, settings.connectTimeoutSeconds);
        curl_easy_setopt(m_handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(m_handle, CURLOPT_LOW_SPEED_TIME, settings.stallTimeoutSeconds);
        curl_easy_setopt(m_handle, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(m_handle, CURLOPT_SSL_VERIFYHOST, 2L);
        if (!settings.caBundle.empty())
            curl_easy_setopt(m_handle, CURLOPT_CAINFO, settings.caBundle.c_str());
        curl_easy_setopt(m_handle, CURLOPT_ERRORBUFFER, m_error);
        m_maxRedirects = settings.maxRedirects;
    }
    ~Transfer() { curl_easy_cleanup(m_handle); }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    CURL* handle() const { return m_handle; }
    long maxRedirects() const { return m_maxRedirects; }

    // Runs the transfer; any failure, a status of 400 or more included, throws.
    void perform() {
        const CURLcode code = curl_easy_perform(m_handle);
        if (code != CURLE_OK) {
            throw Error(fmt::format("Cannot transfer {}: {}", m_uri,
                                    m_error[0] != '\0' ? m_error : curl_easy_strerror(code)));
        }
        long status = 0;
        curl_easy_getinfo(m_handle, CURLINFO_RESPONSE_CODE, &status);
        if (status >= 400)
            throw Error(fmt::format("HTTP {} for {}", status, m_uri));
    }

private:
    std::string m_uri;
    CURL* m_handle;
    long m_maxRedirects = 0;
    char m_error[CURL_ERROR_SIZE] = {};
};

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* target) {
    auto* body = static_cast<std::vector<std::uint8_t>*>(target);
    try {
        body->insert(body->end(), data, data + size * count);
    } catch (const std::bad_alloc&) {
        return 0;  // ends the transfer with an error; nothing may unwind through libcurl
    }
    return size * count;
}

struct UploadCursor {
    const std::vector<std::uint8_t>* bytes;
    std::size_t position;
};

std::size_t readUpload(char* buffer, std::size_t size, std::size_t count, void* source) {
    auto* cursor = static_cast<UploadCursor*>(source);
    const std::size_t n = std::min(size * count, cursor->bytes->size() - cursor->position);
    std::copy_n(cursor->bytes->data() + cursor->position, n, buffer);
    cursor->position += n;
    return n;
}

// Collects the bytes in memory; close() uploads them.
class HttpUploadStream final : public MemoryStreamAccess {
public:
    explicit HttpUploadStream(const Uri& uri) : m_uri(uri) {}

    FlagSet<StreamAccessCapability> capabilities() const override {
        return {StreamAccessCapability::WRITE, StreamAccessCapability::SEEK};
    }
    std::uint64_t read(std::uint64_t, void*) override {
        throw Error(fmt::format("Upload stream for {} cannot be read", m_uri.toString()));
    }
    std::string description() const override { return m_uri.toString(); }
    void close() override {
        if (!isOpen())
            return;
        MemoryStreamAccess::close();
        Transfer transfer(m_uri);
        UploadCursor cursor{&bytes(), 0};
        curl_easy_setopt(transfer.handle(), CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(transfer.handle(), CURLOPT_READFUNCTION, &readUpload);
        curl_easy_setopt(transfer.handle(), CURLOPT_READDATA, &cursor);
        curl_easy_setopt(transfer.handle(), CURLOPT_INFILESIZE_LARGE,
                         static_cast<curl_off_t>(bytes().size()));
        transfer.perform();
    }

private:
    Uri m_uri;
};

}  // namespace

std::shared_ptr<RandomAccess> httpGet(const Uri& uri) {
    Transfer transfer(uri);
    std::vector<std::uint8_t> body;
    curl_easy_setopt(transfer.handle(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(transfer.handle(), CURLOPT_MAXREDIRS, transfer.maxRedirects());
    curl_easy_setopt(transfer.handle(), CURLOPT_WRITEFUNCTION, &appendBody);
    curl_easy_setopt(transfer.handle(), CURLOPT_WRITEDATA, &body);
    // A body shorter than its Content-Length fails the transfer (partial file).
    transfer.perform();
    return std::make_shared<MemoryRandomAccess>(std::move(body), uri.toString());
}

std::shared_ptr<StreamAccess> httpPut(const Uri& uri) {
    return std::make_shared<HttpUploadStream>(uri);
}

}  // namespace detail
}  // namespace tessik

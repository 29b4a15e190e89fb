// SPDX-License-Identifier: MIT
// The exported entry points: check the arguments, read the settings, hand the mail to
// libcurl and turn what happened into a status and a result text.
#include "sendmail.h"

#include "mailmessage.h"
#include "mailsettings.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <curl/curl.h>
#include <mutex>
#include <string>
#include <unistd.h>

namespace {

struct Upload
{
    std::string data;
    std::size_t sent = 0;
};

std::size_t readUpload(char *buffer, std::size_t size, std::size_t count, void *user)
{
    auto *upload = static_cast<Upload *>(user);
    const std::size_t room = size * count;
    const std::size_t left = upload->data.size() - upload->sent;
    const std::size_t now = left < room ? left : room;
    std::memcpy(buffer, upload->data.data() + upload->sent, now);
    upload->sent += now;
    return now;
}

// The server's replies as they come: the last one (on success, the answer to the mail
// itself) and the last refusal (a 4xx or 5xx reply; a QUIT may follow it).
struct ServerReplies
{
    std::string last;
    std::string refusal;
};

int watchServer(CURL *, curl_infotype type, char *data, std::size_t size, void *user)
{
    if (type != CURLINFO_HEADER_IN) {
        return 0;
    }
    std::string text(data, size);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    const auto lastBreak = text.find_last_of('\n');
    if (lastBreak != std::string::npos) {
        text.erase(0, lastBreak + 1);
    }
    auto *replies = static_cast<ServerReplies *>(user);
    if (!text.empty()) {
        replies->last = text;
    }
    if (!text.empty() && (text[0] == '4' || text[0] == '5')) {
        replies->refusal = text;
    }
    return 0;
}

std::string messageId()
{
    static std::atomic<unsigned> counter{0};
    char host[256] = "localhost";
    ::gethostname(host, sizeof host - 1);
    return std::to_string(std::time(nullptr)) + "." + std::to_string(::getpid()) + "." + std::to_string(++counter) + "@"
        + host;
}

// A login goes out in clear text only when the settings say "starttls = no": with a user
// set, "try" (the default) demands STARTTLS like "yes".
long tlsLevel(const sendmail::MailSettings &settings)
{
    if (settings.starttls == "no") {
        return CURLUSESSL_NONE;
    }
    return settings.starttls == "yes" || !settings.user.empty() ? CURLUSESSL_ALL : CURLUSESSL_TRY;
}

struct CurlEasy
{
    CURL *handle = curl_easy_init();
    curl_slist *recipients = nullptr;
    ~CurlEasy()
    {
        curl_slist_free_all(recipients);
        if (handle != nullptr) {
            curl_easy_cleanup(handle);
        }
    }
};

int transfer(const sendmail::MailSettings &settings, const std::string &from, const std::string &to,
             std::string message, long timeLimit, std::string &result)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    CurlEasy curl;
    if (curl.handle == nullptr) {
        result = "Out of memory";
        return SENDMAIL_FAILED;
    }
    Upload upload{std::move(message), 0};
    ServerReplies replies;
    const std::string mailFrom = "<" + from + ">";
    curl.recipients = curl_slist_append(nullptr, ("<" + to + ">").c_str());

    CURL *h = curl.handle;
    curl_easy_setopt(h, CURLOPT_URL, settings.server.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, mailFrom.c_str());
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, curl.recipients);
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_READFUNCTION, readUpload);
    curl_easy_setopt(h, CURLOPT_READDATA, &upload);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, timeLimit);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, 5 * timeLimit);
    curl_easy_setopt(h, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, watchServer);
    curl_easy_setopt(h, CURLOPT_DEBUGDATA, &replies);
    if (settings.server.rfind("smtp://", 0) == 0) {
        curl_easy_setopt(h, CURLOPT_USE_SSL, tlsLevel(settings));
    }
    if (!settings.user.empty()) {
        curl_easy_setopt(h, CURLOPT_USERNAME, settings.user.c_str());
        curl_easy_setopt(h, CURLOPT_PASSWORD, settings.password.c_str());
    }

    const CURLcode code = curl_easy_perform(h);
    if (code == CURLE_OK) {
        long reply = 0;
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &reply);
        result = replies.last.empty() ? std::to_string(reply) : replies.last;
        return SENDMAIL_OK;
    }
    result = curl_easy_strerror(code);
    if (code == CURLE_USE_SSL_FAILED && settings.starttls == "try") {
        result += " (the server offers no STARTTLS, and a password is never sent without it; "
                  "starttls = no allows it)";
    }
    // The server's own refusal says more than curl's summary alone.
    if (!replies.refusal.empty()) {
        result += " (" + replies.refusal + ")";
    }
    return SENDMAIL_FAILED;
}

int send(const char *sender, const char *recipient, const char *reserved4, const char *reserved5, const char *subject,
         const char *body, const char *reserved8, int timeLimit, std::string &result)
{
    if (reserved4 != nullptr || reserved5 != nullptr || reserved8 != nullptr) {
        result = "The fourth, fifth and eighth arguments must be null";
        return SENDMAIL_BAD_ARGUMENTS;
    }
    const std::string to = sendmail::trimmedAddress(recipient != nullptr ? recipient : "");
    std::string from = sendmail::trimmedAddress(sender != nullptr ? sender : "");
    const std::string title = subject != nullptr ? subject : "";
    if (!sendmail::isPlainAddress(to)) {
        result = "Not a mail address: \"" + to + "\"";
        return SENDMAIL_BAD_ARGUMENTS;
    }
    // Control characters (a line break would start a header of its own; an escape acts on
    // the reader's terminal) have no place in a subject; a tab is white space.
    if (std::any_of(title.begin(), title.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return (byte < 0x20 && c != '\t') || byte == 0x7F;
        })) {
        result = "The subject holds a control character";
        return SENDMAIL_BAD_ARGUMENTS;
    }
    const std::string path = sendmail::settingsPath();
    std::string error;
    const std::optional<sendmail::MailSettings> settings = sendmail::loadSettings(path, error);
    if (!settings) {
        result = error;
        return SENDMAIL_BAD_SETTINGS;
    }
    if (!settings->from.empty()) {
        from = settings->from;
    }
    if (!sendmail::isPlainAddress(from)) {
        result = "Not a mail address: \"" + from + "\"";
        return SENDMAIL_BAD_ARGUMENTS;
    }
    const std::string message =
        sendmail::composeMessage(from, to, title, body != nullptr ? body : "", std::time(nullptr), messageId());
    return transfer(*settings, from, to, message, std::clamp(static_cast<long>(timeLimit), 100L, 2000L), result);
}

char *copyText(const std::string &text)
{
    char *copy = static_cast<char *>(std::malloc(text.size() + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text.c_str(), text.size() + 1);
    }
    return copy;
}

} // namespace

extern "C" int SendMail(char **resultText, const char *sender, const char *recipient, const char *reserved4,
                        const char *reserved5, const char *subject, const char *body, const char *reserved8,
                        int timeLimit)
{
    std::string result;
    int status = SENDMAIL_FAILED;
    try {
        status = send(sender, recipient, reserved4, reserved5, subject, body, reserved8, timeLimit, result);
    } catch (const std::exception &error) {
        result = error.what();
    }
    if (resultText != nullptr) {
        *resultText = copyText(result);
    }
    return status;
}

extern "C" void SendMailFree(char *resultText)
{
    std::free(resultText);
}

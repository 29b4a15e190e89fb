// SPDX-License-Identifier: MIT
#include "mailmessage.h"

#include <cstdio>

namespace sendmail {

namespace {

std::string base64(std::string_view bytes)
{
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned n = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8
            | static_cast<unsigned char>(bytes[i + 2]);
        out += {kAlphabet[n >> 18], kAlphabet[(n >> 12) & 63], kAlphabet[(n >> 6) & 63], kAlphabet[n & 63]};
    }
    if (i + 1 == bytes.size()) {
        const unsigned n = static_cast<unsigned char>(bytes[i]) << 16;
        out += {kAlphabet[n >> 18], kAlphabet[(n >> 12) & 63], '=', '='};
    } else if (i + 2 == bytes.size()) {
        const unsigned n = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += {kAlphabet[n >> 18], kAlphabet[(n >> 12) & 63], kAlphabet[(n >> 6) & 63], '='};
    }
    return out;
}

// RFC 5322 date in UTC: "Tue, 08 Dec 2026 04:11:36 +0000".
std::string mailDate(std::time_t now)
{
    std::tm utc{};
    gmtime_r(&now, &utc);
    static constexpr const char *kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char *kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000", kDays[utc.tm_wday], utc.tm_mday,
                  kMonths[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

std::string crlfLines(std::string_view body)
{
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\r') {
            out += "\r\n";
            if (i + 1 < body.size() && body[i + 1] == '\n') {
                ++i;
            }
        } else if (body[i] == '\n') {
            out += "\r\n";
        } else {
            out += body[i];
        }
    }
    if (out.size() < 2 || out.compare(out.size() - 2, 2, "\r\n") != 0) {
        out += "\r\n";
    }
    return out;
}

} // namespace

bool isPlainAddress(std::string_view address)
{
    if (address.empty()) {
        return false;
    }
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '<' || c == '>') {
            return false;
        }
    }
    return true;
}

std::string trimmedAddress(std::string_view address)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!address.empty() && blank(address.front())) {
        address.remove_prefix(1);
    }
    while (!address.empty() && blank(address.back())) {
        address.remove_suffix(1);
    }
    return std::string(address);
}

std::string encodedSubject(std::string_view subject)
{
    for (const char c : subject) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return "=?UTF-8?B?" + base64(subject) + "?=";
        }
    }
    return std::string(subject);
}

std::string composeMessage(std::string_view from, std::string_view to, std::string_view subject, std::string_view body,
                           std::time_t now, std::string_view messageId)
{
    std::string message;
    message += "Date: " + mailDate(now) + "\r\n";
    message += "From: " + std::string(from) + "\r\n";
    message += "To: " + std::string(to) + "\r\n";
    message += "Subject: " + encodedSubject(subject) + "\r\n";
    message += "Message-ID: <" + std::string(messageId) + ">\r\n";
    message += "MIME-Version: 1.0\r\n";
    message += "Content-Type: text/plain; charset=UTF-8\r\n";
    message += "Content-Transfer-Encoding: 8bit\r\n";
    message += "\r\n";
    message += crlfLines(body);
    return message;
}

} // namespace sendmail

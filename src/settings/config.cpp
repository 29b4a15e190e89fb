// SPDX-License-Identifier: MIT
#include "settings/config.h"

#include "core/orvaneerror.h"
#include "settings/xmlparser.h"

#include <array>
#include <clocale>
#include <cstring>
#include <variant>

namespace orvane {
namespace {

// The keys of config.xml, in the record's order; each names the field it holds.
struct ConfigKey
{
    const char *name;
    std::variant<bool TConfig::*, std::string TConfig::*> field;
};

const std::array<ConfigKey, 12> kConfigKeys{{
    {"AutoRun", &TConfig::AutoRun},
    {"LogEvents", &TConfig::LogEvents},
    {"SystemLog", &TConfig::SystemLog},
    {"DiskStatus", &TConfig::DiskStatus},
    {"Hibernation", &TConfig::Hibernation},
    {"TempWarn", &TConfig::TempWarn},
    {"Temp", &TConfig::Temp},
    {"PopupNotification", &TConfig::PopupNotification},
    {"EmailNotification", &TConfig::EmailNotification},
    {"EmailAddr", &TConfig::EmailAddr},
    {"PlaySound", &TConfig::PlaySound},
    {"SoundPath", &TConfig::SoundPath},
}};

constexpr const char *kRootName = "Orvane";

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips the digits at `at`; tells whether there was one and whether one was not zero.
std::size_t skipDigits(std::string_view text, std::size_t at, bool &any, bool &nonZero)
{
    for (; at < text.size() && isDigit(text[at]); ++at) {
        any = true;
        nonZero = nonZero || text[at] != '0';
    }
    return at;
}

std::size_t skipBlanks(std::string_view text, std::size_t at)
{
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    return at;
}

std::size_t skipSign(std::string_view text, std::size_t at)
{
    return at < text.size() && (text[at] == '+' || text[at] == '-') ? at + 1 : at;
}

// Reads `text` as a number with the given decimal separator; sets `nonZero` when it is
// one and its digits are not all zero.
bool readsAsNumber(std::string_view text, std::string_view separator, bool &nonZero)
{
    bool any = false;
    nonZero = false;
    std::size_t at = skipSign(text, skipBlanks(text, 0));
    at = skipDigits(text, at, any, nonZero);
    if (text.substr(at).starts_with(separator)) {
        at = skipDigits(text, at + separator.size(), any, nonZero);
    }
    if (!any) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        bool exponentDigits = false, ignored = false;
        at = skipDigits(text, skipSign(text, at + 1), exponentDigits, ignored);
        if (!exponentDigits) {
            return false;
        }
    }
    return skipBlanks(text, at) == text.size();
}

bool equalsIgnoringCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(word[i])) {
            return false;
        }
    }
    return true;
}

bool fileToRead(const std::filesystem::path &path)
{
    std::error_code error;
    // Anything else (a directory, a pipe, a loop of links, no permission) is reported by
    // the read itself.
    return std::filesystem::status(path, error).type() != std::filesystem::file_type::not_found;
}

} // namespace

const TConfig &firstStartConfig()
{
    static const TConfig config = [] {
        TConfig c;
        c.Temp = "50";
        c.SoundPath = "alert.wav";
        return c;
    }();
    return config;
}

std::string flagToText(bool flag)
{
    return flag ? "-1" : "0";
}

bool textToFlag(std::string_view text)
{
    const char *point = std::localeconv()->decimal_point;
    const std::string_view separator = point && *point ? point : ".";
    bool nonZero = false;
    if (readsAsNumber(text, separator, nonZero)) {
        return nonZero;
    }
    if (equalsIgnoringCase(text, "True")) {
        return true;
    }
    if (equalsIgnoringCase(text, "False")) {
        return false;
    }
    throw OrvaneError("'" + std::string(text) + "' is not a valid boolean value");
}

std::uint8_t critTempFromText(std::string_view temp)
{
    std::size_t at = skipBlanks(temp, 0);
    const bool negative = at < temp.size() && temp[at] == '-';
    at = skipSign(temp, at);
    if (at == temp.size()) {
        return 0;
    }
    std::int64_t value = 0;
    for (; at < temp.size(); ++at) {
        if (!isDigit(temp[at])) {
            return 0;
        }
        value = value * 10 + (temp[at] - '0');
        if (value > std::int64_t{1} << 31) {
            return 0;
        }
    }
    value = negative ? -value : value;
    if (value > INT32_MAX) {
        return 0;
    }
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) & 0xFF);
}

void readConfigFile(TConfig &config, const std::filesystem::path &path)
{
    TqomXMLParser2 document;
    document.SetName(kRootName);
    if (fileToRead(path)) {
        document.LoadFromFile(path);
    }
    for (const auto &key : kConfigKeys) {
        const TqomXMLNode2 *element = document.FindNode(key.name, false);
        if (const auto *flag = std::get_if<bool TConfig::*>(&key.field)) {
            config.*(*flag) = element ? textToFlag(element->Text()) : firstStartConfig().*(*flag);
        } else {
            const auto text = std::get<std::string TConfig::*>(key.field);
            config.*text = element ? element->Text() : firstStartConfig().*text;
        }
    }
}

void writeConfigFile(const TConfig &config, const std::filesystem::path &path)
{
    TqomXMLParser2 document;
    document.SetName(kRootName);
    for (const auto &key : kConfigKeys) {
        auto element = std::make_unique<TqomXMLNode2>();
        element->SetName(key.name);
        if (const auto *flag = std::get_if<bool TConfig::*>(&key.field)) {
            element->SetText(flagToText(config.*(*flag)));
        } else {
            element->SetText(config.*std::get<std::string TConfig::*>(key.field));
        }
        document.AddNode(std::move(element));
    }
    document.SaveToFile(path);
}

} // namespace orvane

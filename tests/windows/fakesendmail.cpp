// SPDX-License-Identifier: MIT
// A stand-in for SendMail_Lib.dll: it sends nothing and answers with its arguments, one
// after the other between '|' ("null" for a null pointer), so that the test sees exactly
// what crossed the library's boundary. An empty recipient is refused as a server would.
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string shown(const char *text)
{
    return text != nullptr ? std::string(text) : std::string("null");
}

} // namespace

extern "C" __declspec(dllexport) int SendMail(char **resultText, const char *sender, const char *recipient,
                                              const char *reserved4, const char *reserved5, const char *subject,
                                              const char *body, const char *reserved8, int timeLimit)
{
    const std::string all = shown(sender) + "|" + shown(recipient) + "|" + shown(reserved4) + "|" + shown(reserved5)
        + "|" + shown(subject) + "|" + shown(body) + "|" + shown(reserved8) + "|" + std::to_string(timeLimit);
    *resultText = static_cast<char *>(std::malloc(all.size() + 1));
    std::memcpy(*resultText, all.c_str(), all.size() + 1);
    return recipient != nullptr && *recipient != '\0' ? 0 : 3;
}

extern "C" __declspec(dllexport) void SendMailFree(char *resultText)
{
    std::free(resultText);
}

// SPDX-License-Identifier: MIT
#pragma once

// Where the information page and the bottom bar lead: the maker's addresses, all in one
// place. Placeholders until the product has its own site.
namespace orvane::links {

inline constexpr const char *kMainSite = "https://www.example.org/";
inline constexpr const char *kMainSiteShown = "www.example.org"; // the link label's text
inline constexpr const char *kProductPage = "https://www.example.org/orvane/";
inline constexpr const char *kFaqPage = "https://www.example.org/orvane/faq/";
inline constexpr const char *kSupportPage = "https://www.example.org/support/?product=Orvane";
inline constexpr const char *kSupportMail = "support@example.org";

// The title the program entry gives the application; the support mail's subject ends with it.
inline constexpr const char *kApplicationTitle = "Orvane";

} // namespace orvane::links

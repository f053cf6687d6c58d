// What the About and donation windows say and hand to the shell. The maker's
// addresses and payment account are placeholders under the reserved
// example.com domain, kept here together.
#pragma once

#include <string>

namespace sarvell::infowin {

inline constexpr const char* kMakerWebAddress = "www.example.com";
inline constexpr const char* kSupportMailAddress = "support@example.com";
// The payment account as the checkout address carries it: "%40" for the at
// sign and "%2e" for each dot (donations@example.com).
inline constexpr const char* kPaymentAccountEncoded = "donations%40example%2ecom";
inline constexpr const char* kPaymentHost = "www.paypal.com";
inline constexpr const char* kCopyrightLine = "\xC2\xA9 2026";

inline constexpr const char* kDonationMessage =
    "This application is being distributed as Donationware. "
    "If you like this application then please consider making a small "
    "donation to help support the future development of this and other applications.";

// The About window's shorter request.
inline constexpr const char* kDisclaimer =
    "Sarvell is free to use and share.  A small donation keeps it maintained and up to date.";

// "Build - major.minor.0.revision".
std::string BuildText(int major, int minor, int revision);

// "mailto:" and the support address.
std::string MailLink();

// The payment service's checkout page for a donation to Sarvell's maker.
std::string CheckoutAddress();

}  // namespace sarvell::infowin

#include "infowin/info_text.h"

namespace sarvell::infowin {

std::string BuildText(int major, int minor, int revision) {
    return "Build - " + std::to_string(major) + "." + std::to_string(minor) + ".0." + std::to_string(revision);
}

std::string MailLink() { return std::string("mailto:") + kSupportMailAddress; }

std::string CheckoutAddress() {
    return std::string("https://") + kPaymentHost + "/cgi-bin/webscr?" +
           "cmd=_xclick&business=" + kPaymentAccountEncoded + "&item_name=Donationware%20Software%20Sarvell" +
           "&no_shipping=0&no_note=1&tax=0&currency_code=USD&charset=UTF%2d8&charset=UTF%2d8";
}

}  // namespace sarvell::infowin

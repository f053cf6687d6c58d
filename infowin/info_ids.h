// Window classes and control numbers of the About and donation windows,
// shared with the tests that drive them.
#pragma once

/* The icons these windows show, as the resource script numbers them. */
#define IDI_PRODUCT 3
#define IDI_BANNER 4
#define IDI_ABOUT 5

#ifndef RC_INVOKED
namespace sarvell::infowin {

inline constexpr const wchar_t* kAboutClass = L"Dunmere.Sarvell.frmAbout";
inline constexpr const wchar_t* kDonationClass = L"Dunmere.Sarvell.frmDonation";

enum AboutControl : int {
    kAboutOK = 200,  // cmdOK
    kAboutDonation,  // Command2
    kAboutPicture,   // Picture1
    kAboutCredit1,   // Label1(1) .. Label1(4)
    kAboutCredit2,
    kAboutCredit3,
    kAboutCredit4,
    kAboutEmail,       // Label5
    kAboutMail,        // Label4, the mail link
    kAboutBuild,       // lblBuild
    kAboutDisclaimer,  // lblDisclaimer
};

enum DonationControl : int {
    kDonationOK = 300,  // cmdOk
    kDonationLabel4_0,  // "Donation through PayPal:"
    kDonationLabel4_1,  // the link-styled address
    kDonationLabel4_2,  // the suggested amount
    kDonationLabel1,    // the message
    kDonationLabel2,    // the banner's title, bold
    kDonationLabel3,
    kDonationImage,  // Image1
    kDonationFrame,  // Frame1
};

}  // namespace sarvell::infowin
#endif

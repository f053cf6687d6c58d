#include "ui/font.h"

#include <algorithm>
#include <string_view>
#include <initializer_list>

namespace sarvell::ui {

namespace {

UniqueFont Make(const wchar_t* face, LONG height, LONG weight, bool underline) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    const std::wstring_view name(face);  // cut to the field, which stays zero-terminated
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1), lf.lfFaceName);
    return UniqueFont(CreateFontIndirectW(&lf));
}

// What the mapper made of a request: the face it chose, and whether that is
// an outline font or a bitmap within a pixel of the size asked for (a bitmap
// is crisp; one pixel off keeps the text within the layout).
struct Choice {
    bool faceMatches = false;
    bool sizeExact = false;
};

Choice Examine(HFONT font, const wchar_t* face, LONG emHeight) {
    Choice choice;
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) return Choice{true, true};
    {
        ScopedSelect select(dc, font);
        wchar_t chosen[LF_FACESIZE] = {};
        TEXTMETRICW tm{};
        if (GetTextFaceW(dc, LF_FACESIZE, chosen) > 0 && GetTextMetricsW(dc, &tm)) {
            choice.faceMatches = _wcsicmp(chosen, face) == 0;
            const bool outline = (tm.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
            const LONG em = tm.tmHeight - tm.tmInternalLeading;
            choice.sizeExact = outline || (em >= emHeight - 1 && em <= emHeight);
        }
    }
    ReleaseDC(nullptr, dc);
    return choice;
}

}  // namespace

UniqueFont CreateDialogFont(UINT dpi, LONG weight, bool underline) {
    // 8.25 pt = 825/7200 inch.
    const LONG em = MulDiv(825, static_cast<int>(dpi), 7200);
    UniqueFont font = Make(L"MS Sans Serif", -em, weight, underline);
    if (!font) return font;
    const Choice first = Examine(font.get(), L"MS Sans Serif", em);
    if (first.faceMatches && first.sizeExact) return font;
    // The outline twin on Windows, then what Wine maps the dialog font to;
    // with neither, whatever the mapper made of "MS Sans Serif".
    for (const wchar_t* face : {L"Microsoft Sans Serif", L"Tahoma"}) {
        UniqueFont other = Make(face, -em, weight, underline);
        if (other && Examine(other.get(), face, em).faceMatches) return other;
    }
    return font;
}

}  // namespace sarvell::ui

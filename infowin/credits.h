// The About window's credits scroller as plain logic: each tick moves the
// four credit lines up by 50 twips, wraps a line that passes the top back to
// 3000, and hides a line while it is below 2000. The window only renders it.
#pragma once

#include <array>

namespace sarvell::infowin {

class CreditsScroller {
public:
    struct Line {
        float top;  // twips, as the window keeps it: single precision
        bool shown;
    };

    static constexpr int kLines = 4;
    static constexpr std::array<float, kLines> kStartTops = {960, 1320, 1680, 2040};

    CreditsScroller();
    void Tick();
    const Line& operator[](int index) const { return lines_[static_cast<std::size_t>(index)]; }

private:
    std::array<Line, kLines> lines_{};
};

}  // namespace sarvell::infowin

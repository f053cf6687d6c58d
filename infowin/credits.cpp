#include "infowin/credits.h"

namespace sarvell::infowin {

namespace {
constexpr double kStep = 50;
constexpr float kWrapTo = 3000;
constexpr float kHideBelow = 2000;  // tops greater than this are hidden
}  // namespace

CreditsScroller::CreditsScroller() {
    for (int i = 0; i < kLines; ++i) lines_[static_cast<std::size_t>(i)] = Line{kStartTops[static_cast<std::size_t>(i)], true};
}

void CreditsScroller::Tick() {
    for (Line& line : lines_) {
        line.top = static_cast<float>(static_cast<double>(line.top) - kStep);
        if (line.top < 0) line.top = kWrapTo;
        line.shown = !(line.top > kHideBelow);
    }
}

}  // namespace sarvell::infowin

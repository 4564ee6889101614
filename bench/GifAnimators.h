#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One way of showing every frame of an animated GIF: it returns the number of frames shown
// and, when asked, hands back the last picture as red, green, blue bytes, top row first.
struct TAnimator {
    const char* name;
    std::function<int(const std::string&, std::vector<uint8_t>*)> run;
};

// The peer libraries that compose the frames of an animation as a viewer shows them.
std::vector<TAnimator> ComposingPeers();

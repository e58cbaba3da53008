// Indices in the language table of the texts the video windows show
// themselves, in one place.
#pragma once

namespace VideoTexts {

// Under the file name while a window opens its file, until the first picture.
constexpr int kLoading = 125;

}

#pragma once
#include <cstddef>
#include <cstdint>

namespace page {

// Bounds. Everything the page can make grow is capped, so bad input ends in a clean state.
inline constexpr int kMaxRedirects = 8;            // redirects the host follows per request
inline constexpr int kMaxFrameDepth = 3;           // frames inside frames, top level = 0
inline constexpr int kMaxFrames = 16;              // frame and iframe documents per page
inline constexpr size_t kMaxDocumentBytes = 4u << 20;  // bytes of one document kept
inline constexpr size_t kMaxImageBytes = 4u << 20;     // bytes of one image kept
inline constexpr int kMaxImages = 64;              // image requests per page
inline constexpr int kMaxImagePixels = 4096 * 4096;    // width * height of one image
inline constexpr int kMaxGifFrames = 256;          // frames decoded from one GIF
inline constexpr int kMaxNodes = 200000;           // elements and text nodes per document
inline constexpr int kMaxDepth = 128;              // element nesting kept by the tree builder

}  // namespace page

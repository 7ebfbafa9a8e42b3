#pragma once
// How deep the engine follows clips inside clips when it walks the display tree: a
// hostile movie can nest clips (or make a parent chain loop) without end.
namespace movie::timeline {

constexpr int kMaxClipNesting = 64;

}  // namespace movie::timeline

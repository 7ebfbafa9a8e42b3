#pragma once
#include <string>

namespace page {

// Fetching. Each request has an id, unique within one navigation, and an absolute URL
// (resolved against the document's base). The host answers each request exactly once
// with deliver() or fail(); answers to ids of an earlier navigation are ignored.
enum class RequestKind {
  Document,  // the top-level page, a frame or an iframe
  Image,     // <img>, background images, <input type=image>
};

struct Request {
  int id = 0;
  RequestKind kind = RequestKind::Document;
  std::string url;  // absolute, UTF-8; http:, https: or file: only
};

// A document that finished: its own bytes arrived and every frame and image it holds
// has been answered. Reported once per document, sub-documents before the document that
// holds them, so the top-level document is always the last of a navigation.
struct Completion {
  std::string url;
  bool topLevel = false;
};

}  // namespace page

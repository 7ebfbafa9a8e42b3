// Feeds one input as a page (its first byte picks the content type), answers every
// request it makes with slices of the same input, lays it out at two sizes with a fixed
// measurer, and walks the display list, links and animations.
#include <cstddef>
#include <cstdint>
#include <string>

#include "page/page.h"

namespace {

class FixedMeasurer : public page::TextMeasurer {
 public:
  int width(const page::FontSpec& f, std::u32string_view text) override {
    return int(text.size()) * (f.pixelSize / 2 + 1);
  }
  page::FontMetrics metrics(const page::FontSpec& f) override { return {f.pixelSize * 4 / 5, f.pixelSize / 5}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* kTypes[] = {"text/html", "text/html; charset=utf-8", "text/html; charset=gbk", ""};
  const char* type = kTypes[data[0] & 3];
  page::Page p;
  p.load("http://fuzz.local/dir/page.htm", data + 1, size - 1, type);
  for (int round = 0; round < 4; ++round) {
    auto requests = p.takeRequests();
    if (requests.empty()) break;
    for (const auto& r : requests) {
      size_t start = (size_t(r.id) * 7919) % size;
      if (r.id % 5 == 0) p.fail(r.id);
      else p.deliver(r.id, data + start, size - start, type);
    }
  }
  p.takeCompletions();
  FixedMeasurer m;
  for (int w : {892, 120}) {
    p.layout(w, 55, m);
    page::DisplayList list = p.displayList();
    volatile size_t sink = list.size();
    (void)sink;
    p.linkAt(w / 2, 20);
    p.advance(100);
    p.advance(5000);
  }
  auto top = p.automation();
  auto doc = top->get("Document");
  if (doc.ok && doc.value.object) {
    auto body = doc.value.object->get("Body");
    if (body.ok && body.value.object) body.value.object->put("Scroll", page::Value::fromString("no"));
  }
  return 0;
}

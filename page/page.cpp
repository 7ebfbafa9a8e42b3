// The page object: navigation, fetching bookkeeping, completion order and layout passes.
#include "page/page.h"

#include <algorithm>

#include "page/decode/charset.h"
#include "page/page_impl.h"
#include "page/parse/tree_builder.h"
#include "page/util/strings.h"
#include "page/util/utf.h"
#include "page/util/url.h"

namespace page {

// ---- navigation and fetching -------------------------------------------------------------

void Page::Impl::navigate(std::string_view url) {
  ++generation;
  documents.clear();
  images.clear();
  imageByUrl.clear();
  pending.clear();
  requests.clear();
  completions.clear();
  frameDocument.clear();
  frameCount = 0;
  laid = LayoutOutput{};
  marquees.clear();
  slotShown.clear();
  scroll = ScrollState{};
  background = 0xFFFFFFFF;
  dirty = true;
  requestDocument(std::string(trim(url)), -1, 0, nullptr);
  checkCompletion();  // an address that cannot be fetched completes blank at once
}

int Page::Impl::requestDocument(const std::string& url, int parent, int depth, const Node* frameElement) {
  auto doc = std::make_unique<DocumentState>();
  doc->url = url;
  doc->base = url;
  doc->parent = parent;
  doc->depth = depth;
  doc->frameElement = frameElement;
  int index = int(documents.size());
  documents.push_back(std::move(doc));
  if (parent >= 0) documents[parent]->children.push_back(index);
  if (frameElement) frameDocument[frameElement] = index;
  if (isFetchable(url)) {
    int id = nextRequestId++;
    documents[index]->requestId = id;
    pending[id] = {RequestKind::Document, index};
    requests.push_back(Request{id, RequestKind::Document, url});
  } else {
    documentArrived(index, U"");  // an unusable address shows a blank document
    documents[index]->load = DocumentState::Load::Failed;
  }
  return index;
}

int Page::Impl::imageSlot(const std::string& url, bool request) {
  auto it = imageByUrl.find(url);
  if (it != imageByUrl.end()) return it->second;
  if (!isFetchable(url) || int(images.size()) >= kMaxImages || !request) return -1;
  int slot = int(images.size());
  ImageSlot s;
  s.url = url;
  s.requestId = nextRequestId++;
  images.push_back(s);
  imageByUrl[url] = slot;
  pending[s.requestId] = {RequestKind::Image, slot};
  requests.push_back(Request{s.requestId, RequestKind::Image, url});
  return slot;
}

void Page::Impl::deliver(int id, const uint8_t* data, size_t size, std::string_view contentType,
                         std::string_view finalUrl) {
  auto it = pending.find(id);
  if (it == pending.end()) return;  // unknown, answered already, or of an earlier navigation
  auto [kind, index] = it->second;
  pending.erase(it);
  if (!data) size = 0;
  if (kind == RequestKind::Image) {
    ImageSlot& s = images[index];
    s.answered = true;
    s.image = decodeImage(data, std::min(size, kMaxImageBytes + 1));
  } else {
    DocumentState& d = *documents[index];
    if (!finalUrl.empty()) d.url = d.base = std::string(finalUrl);
    size = std::min(size, kMaxDocumentBytes);
    Charset cs = selectCharset(contentType, data, size);
    documentArrived(index, decodeText(data, size, cs));
  }
  dirty = true;
  checkCompletion();
}

void Page::Impl::fail(int id) {
  auto it = pending.find(id);
  if (it == pending.end()) return;
  auto [kind, index] = it->second;
  pending.erase(it);
  if (kind == RequestKind::Image) {
    images[index].answered = true;
  } else {
    documentArrived(index, U"");
    documents[index]->load = DocumentState::Load::Failed;
  }
  dirty = true;
  checkCompletion();
}

void Page::Impl::documentArrived(int index, std::u32string text) {
  DocumentState& d = *documents[index];
  d.tree = parseDocument(text);
  d.load = DocumentState::Load::Loaded;
  // <base href> changes where relative references point.
  if (d.tree.head)
    for (const auto& c : d.tree.head->children)
      if (c->isElement("base"))
        if (const std::string* href = c->attribute("href")) {
          d.base = resolveUrl(d.url, *href);
          break;
        }
  const Node* body = d.tree.body ? d.tree.body : d.tree.frameset;
  if (body)
    if (const std::string* s = body->attribute("scroll")) d.scroll = lowerAscii(trim(*s));
  scanResources(index);
}

// Asks for the images and frame documents a document names, so that its completion can
// wait for them.
void Page::Impl::scanResources(int index) {
  std::vector<const Node*> stack{documents[index]->tree.root.get()};
  std::vector<std::string> urls;
  std::vector<const Node*> frames;
  while (!stack.empty()) {
    const Node* n = stack.back();
    stack.pop_back();
    if (n->type != Node::Type::Element) continue;
    const std::string& t = n->tag;
    if (t == "img" || t == "input") {
      if (const std::string* src = n->attribute("src")) urls.push_back(*src);
    }
    if (const std::string* bg = n->attribute("background")) urls.push_back(*bg);
    if (const std::string* st = n->attribute("style")) {
      std::string lower = lowerAscii(*st);
      size_t at = lower.find("url(");
      if (at != std::string::npos) {
        size_t end = st->find(')', at);
        std::string_view inner = trim(std::string_view(*st).substr(at + 4, (end == std::string::npos ? st->size() : end) - at - 4));
        if (!inner.empty() && (inner.front() == '"' || inner.front() == '\'')) inner.remove_prefix(1);
        if (!inner.empty() && (inner.back() == '"' || inner.back() == '\'')) inner.remove_suffix(1);
        urls.emplace_back(inner);
      }
    }
    if ((t == "frame" || t == "iframe") && n->attribute("src")) frames.push_back(n);
    for (size_t i = n->children.size(); i-- > 0;) stack.push_back(n->children[i].get());
  }
  // Background images named in style sheets.
  for (const auto& sheet : documents[index]->tree.styleSheets) {
    std::string s;
    for (char32_t c : sheet) s += c < 0x80 ? char(c) : '?';
    size_t at = 0;
    std::string lower = lowerAscii(s);
    while ((at = lower.find("url(", at)) != std::string::npos && urls.size() < size_t(kMaxImages) * 2) {
      size_t end = s.find(')', at);
      if (end == std::string::npos) break;
      std::string_view inner = trim(std::string_view(s).substr(at + 4, end - at - 4));
      if (!inner.empty() && (inner.front() == '"' || inner.front() == '\'')) inner.remove_prefix(1);
      if (!inner.empty() && (inner.back() == '"' || inner.back() == '\'')) inner.remove_suffix(1);
      urls.emplace_back(inner);
      at = end;
    }
  }
  DocumentState& d = *documents[index];
  const std::string base = d.base;
  for (const std::string& u : urls) {
    if (trim(u).empty()) continue;
    int slot = imageSlot(resolveUrl(base, u), true);
    if (slot >= 0) documents[index]->images.push_back(slot);
  }
  const int depth = documents[index]->depth;
  for (const Node* f : frames) {
    if (depth + 1 > kMaxFrameDepth || frameCount >= kMaxFrames) break;
    ++frameCount;
    requestDocument(resolveUrl(base, *f->attribute("src")), index, depth + 1, f);
  }
}

// Children are made after their parents, so one pass from the last document back to the
// first reports frames before the documents that hold them.
void Page::Impl::checkCompletion() {
  for (size_t i = documents.size(); i-- > 0;) {
    DocumentState& d = *documents[i];
    if (d.completed || d.load == DocumentState::Load::Waiting) continue;
    bool ready = std::all_of(d.images.begin(), d.images.end(), [&](int s) { return images[s].answered; }) &&
                 std::all_of(d.children.begin(), d.children.end(), [&](int c) { return documents[c]->completed; });
    if (!ready) continue;
    d.completed = true;
    completions.push_back(Completion{d.url, i == 0});
  }
}

// ---- public interface ------------------------------------------------------------------------

Page::Page() : impl_(std::make_shared<Impl>()) {}
Page::~Page() = default;

void Page::navigate(std::string_view url) { impl_->navigate(url); }

void Page::load(std::string_view url, const uint8_t* data, size_t size, std::string_view contentType) {
  impl_->navigate(url);
  DocumentState* top = impl_->top();
  if (top && top->requestId < 0) {
    // An address the engine would not fetch (about:blank, a local name): show the bytes.
    impl_->completions.clear();
    top->completed = false;
    if (!data) size = 0;
    size = std::min(size, kMaxDocumentBytes);
    impl_->documentArrived(0, decodeText(data, size, selectCharset(contentType, data, size)));
    impl_->checkCompletion();
  } else if (top) {
    // The caller fetched the page itself: drop the request it would otherwise get.
    int id = top->requestId;
    impl_->requests.erase(std::remove_if(impl_->requests.begin(), impl_->requests.end(),
                                         [&](const Request& r) { return r.id == id; }),
                          impl_->requests.end());
    impl_->deliver(id, data, size, contentType, {});
  }
}

std::vector<Request> Page::takeRequests() { return std::exchange(impl_->requests, {}); }

void Page::deliver(int id, const uint8_t* data, size_t size, std::string_view contentType, std::string_view finalUrl) {
  impl_->deliver(id, data, size, contentType, finalUrl);
}

void Page::fail(int id) { impl_->fail(id); }

std::vector<Completion> Page::takeCompletions() { return std::exchange(impl_->completions, {}); }

bool Page::complete() const { return impl_->top() && impl_->top()->completed; }

bool Page::needsLayout() const { return impl_->dirty; }

ScrollState Page::scrollState() const { return impl_->scroll; }

void Page::scrollTo(int x, int y) {
  ScrollState& s = impl_->scroll;
  s.scrollX = std::clamp(x, 0, std::max(0, s.contentWidth - s.viewWidth));
  s.scrollY = std::clamp(y, 0, std::max(0, s.contentHeight - s.viewHeight));
}

Color Page::backgroundColor() const { return impl_->background; }

std::optional<int> Page::advance(int elapsedMs) { return impl_->advance(elapsedMs); }

std::string Page::title() const {
  const DocumentState* d = const_cast<Impl&>(*impl_).top();
  if (!d) return {};
  return std::string(trim(toUtf8(d->tree.title)));
}

std::string Page::url() const {
  const DocumentState* d = const_cast<Impl&>(*impl_).top();
  return d ? d->url : std::string();
}

// An unknown identifier fails with "#<id>" as the name, as there is no name to report.
static std::string idName(int id) {
  std::string s = std::to_string(id);
  s.insert(s.begin(), '#');
  return s;
}

CallResult ScriptObject::getById(int id) {
  std::string name = memberName(id);
  if (name.empty()) return CallResult::unknown(idName(id));
  return get(name);
}

CallResult ScriptObject::putById(int id, const Value& value) {
  std::string name = memberName(id);
  if (name.empty()) return CallResult::unknown(idName(id));
  return put(name, value);
}

}  // namespace page

// The object model for late-bound calls: the top-level object, its document and the
// document's body. Objects hold the page weakly and always act on its current top-level
// document, so they stay safe after a navigation or after the page is gone.
#include <array>

#include "page/page_impl.h"
#include "page/util/strings.h"
#include "page/util/utf.h"

namespace page {
namespace {

using ImplRef = std::weak_ptr<Page::Impl>;

template <size_t N>
class NamedObject : public ScriptObject {
 public:
  NamedObject(ImplRef page, std::array<std::string_view, N> names) : page_(std::move(page)), names_(names) {}

  std::optional<int> memberId(std::string_view name) const override {
    for (size_t i = 0; i < N; ++i)
      if (equalsIgnoreCase(names_[i], name)) return int(i) + 1;
    return std::nullopt;
  }
  std::string memberName(int id) const override {
    return (id >= 1 && id <= int(N)) ? std::string(names_[id - 1]) : std::string();
  }
  CallResult get(std::string_view name) override {
    auto id = memberId(name);
    if (!id) return CallResult::unknown(name);
    return getMember(*id, name);
  }
  CallResult put(std::string_view name, const Value& value) override {
    auto id = memberId(name);
    if (!id) return CallResult::unknown(name);
    return putMember(*id, name, value);
  }

 protected:
  virtual CallResult getMember(int id, std::string_view name) = 0;
  // Members are read-only unless a class says otherwise.
  virtual CallResult putMember(int, std::string_view name, const Value&) { return CallResult::unknown(name); }
  DocumentState* document() const {
    auto p = page_.lock();
    return p ? p->top() : nullptr;
  }
  std::shared_ptr<Page::Impl> page() const { return page_.lock(); }
  ImplRef page_;

 private:
  std::array<std::string_view, N> names_;
};

std::string textOf(const Node& n, size_t limit) {
  std::string out;
  std::vector<const Node*> stack{&n};
  while (!stack.empty() && out.size() < limit) {
    const Node* c = stack.back();
    stack.pop_back();
    if (c->type == Node::Type::Text) out += toUtf8(c->text);
    for (size_t i = c->children.size(); i-- > 0;) stack.push_back(c->children[i].get());
  }
  return out;
}

std::string colorText(Color c) {
  static const char kHex[] = "0123456789abcdef";
  std::string s = "#";
  for (int shift = 20; shift >= 0; shift -= 4) s += kHex[(c >> shift) & 15];
  return s;
}

class BodyObject : public NamedObject<3> {
 public:
  explicit BodyObject(ImplRef p) : NamedObject(std::move(p), {"Scroll", "bgColor", "innerText"}) {}

 protected:
  CallResult getMember(int id, std::string_view) override {
    DocumentState* d = document();
    if (!d) return CallResult::success(Value{});
    switch (id) {
      case 1: return CallResult::success(Value::fromString(d->scroll));
      case 2: return CallResult::success(Value::fromString(colorText(page()->background)));
      default: {
        const Node* body = d->tree.body ? d->tree.body : d->tree.frameset;
        return CallResult::success(Value::fromString(body ? textOf(*body, 1 << 20) : std::string()));
      }
    }
  }
  CallResult putMember(int id, std::string_view name, const Value& v) override {
    if (id != 1) return CallResult::unknown(name);
    DocumentState* d = document();
    if (d && v.kind == Value::Kind::String) {
      std::string s = lowerAscii(trim(v.string));
      if ((s == "yes" || s == "no" || s == "auto") && s != d->scroll) {
        d->scroll = s;
        page()->dirty = true;
      }
    }
    return CallResult::success(Value{});
  }
};

class DocumentObject : public NamedObject<3> {
 public:
  explicit DocumentObject(ImplRef p) : NamedObject(std::move(p), {"Body", "URL", "title"}) {}

 protected:
  CallResult getMember(int id, std::string_view) override {
    DocumentState* d = document();
    if (!d || d->load == DocumentState::Load::Waiting) return CallResult::success(Value{});
    switch (id) {
      case 1: return CallResult::success(Value::fromObject(std::make_shared<BodyObject>(page_)));
      case 2: return CallResult::success(Value::fromString(d->url));
      default: return CallResult::success(Value::fromString(toUtf8(d->tree.title)));
    }
  }
};

class TopObject : public NamedObject<4> {
 public:
  explicit TopObject(ImplRef p) : NamedObject(std::move(p), {"Document", "LocationURL", "LocationName", "Busy"}) {}

 protected:
  CallResult getMember(int id, std::string_view) override {
    DocumentState* d = document();
    switch (id) {
      case 1:
        // No document until the top-level page has arrived: the caller sees an empty value.
        if (!d || d->load == DocumentState::Load::Waiting) return CallResult::success(Value{});
        return CallResult::success(Value::fromObject(std::make_shared<DocumentObject>(page_)));
      case 2: return CallResult::success(Value::fromString(d ? d->url : std::string()));
      case 3: return CallResult::success(Value::fromString(d ? toUtf8(d->tree.title) : std::string()));
      default: return CallResult::success(Value::fromString(d && !d->completed ? "true" : "false"));
    }
  }
};

}  // namespace

std::shared_ptr<ScriptObject> Page::automation() { return std::make_shared<TopObject>(impl_); }

}  // namespace page

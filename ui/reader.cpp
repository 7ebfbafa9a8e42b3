// Reads a form description (see FORMAT.md).
#include <strings.h>

#include <cctype>
#include <cstdlib>
#include <utility>

#include "ui/color.h"
#include "ui/form.h"
#include "ui/stream.h"
#include "ui/text.h"

namespace ui {

namespace {

constexpr size_t kMaxLines = 200000;
constexpr size_t kMaxDepth = 64;

struct Fixup {
  Persistent* object;
  const PropInfo* prop;
  std::string name;
  int line;
};

class Parser {
 public:
  Parser(std::string s, int line) : s_(std::move(s)), line_(line) {}

  Value value() {
    skip();
    Value v = item(true);
    skip();
    if (pos_ != s_.size()) fail("unexpected text after the value");
    return v;
  }

  [[noreturn]] void fail(const std::string& what) const { throw Error(what); }

 private:
  void skip() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
  }

  Value item(bool allowList) {
    if (pos_ >= s_.size()) fail("missing value");
    char c = s_[pos_];
    if (c == '"') return Value::string(utf8ToGbk(quoted()));
    if (c == '[') {
      if (!allowList) fail("nested list");
      ++pos_;
      std::vector<std::string> items;
      skip();
      if (pos_ < s_.size() && s_[pos_] == ']') {
        ++pos_;
        return Value::list(items);
      }
      for (;;) {
        skip();
        Value v = item(false);
        if (v.kind == Value::Kind::Ident) items.push_back(v.s);
        else if (v.kind == Value::Kind::Resource) items.push_back("@" + v.s);
        else if (v.kind == Value::Kind::Int) items.push_back(std::to_string(v.i));
        else fail("bad list item");
        skip();
        if (pos_ >= s_.size()) fail("unterminated list");
        if (s_[pos_] == ',') { ++pos_; continue; }
        if (s_[pos_] == ']') { ++pos_; break; }
        fail("expected , or ] in the list");
      }
      return Value::list(items);
    }
    if (c == '@') {
      ++pos_;
      std::string n = ident();
      if (n.empty()) fail("missing resource name after @");
      return Value::resource(n);
    }
    if (c == '$' || c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) return number();
    std::string id = ident();
    if (id.empty()) fail(std::string("unexpected character '") + c + "'");
    if (strcasecmp(id.c_str(), "True") == 0) return Value::boolean(true);
    if (strcasecmp(id.c_str(), "False") == 0) return Value::boolean(false);
    return Value::ident(id);
  }

  std::string ident() {
    size_t start = pos_;
    while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_' ||
                                (s_[pos_] == '.' && pos_ > start)))
      ++pos_;
    return s_.substr(start, pos_ - start);
  }

  Value number() {
    bool neg = false;
    if (s_[pos_] == '-' || s_[pos_] == '+') neg = s_[pos_++] == '-';
    int base = 10;
    if (pos_ < s_.size() && s_[pos_] == '$') {
      base = 16;
      ++pos_;
    }
    size_t start = pos_;
    while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) {
      if (base == 10 && !std::isdigit(static_cast<unsigned char>(s_[pos_]))) break;
      ++pos_;
    }
    if (pos_ == start || pos_ - start > 16) fail("bad number");
    unsigned long long v = std::strtoull(s_.substr(start, pos_ - start).c_str(), nullptr, base);
    long long r = base == 16 && v <= 0xFFFFFFFFull ? static_cast<long long>(static_cast<std::int32_t>(v))
                                                   : static_cast<long long>(v);
    return Value::integer(neg ? -r : r);
  }

  std::string quoted() {
    ++pos_;
    std::string out;
    while (pos_ < s_.size() && s_[pos_] != '"') {
      char c = s_[pos_++];
      if (c == '\\') {
        if (pos_ >= s_.size()) fail("unterminated string");
        char e = s_[pos_++];
        out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
      } else {
        out += c;
      }
    }
    if (pos_ >= s_.size()) fail("unterminated string");
    ++pos_;
    return out;
  }

  std::string s_;
  size_t pos_ = 0;
  int line_;
};

std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool isIdent(const std::string& s) {
  if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
  for (char c : s)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  return true;
}

int nameIndex(const std::vector<std::string>& names, const std::string& n) {
  for (size_t i = 0; i < names.size(); ++i)
    if (strcasecmp(names[i].c_str(), n.c_str()) == 0) return static_cast<int>(i);
  return -1;
}

[[noreturn]] void badValue(const PropInfo& p) { throw Error("bad value for " + p.name); }

// A name of the property's list, as its number (or its position in the list).
Value enumValue(const PropInfo& p, const Value& v) {
  if (v.kind == Value::Kind::Int) return v;
  if (v.kind != Value::Kind::Ident) badValue(p);
  int i = nameIndex(p.names, v.s);
  if (i < 0) throw Error("unknown value " + v.s + " for " + p.name);
  return Value::integer(p.values.empty() ? i : p.values[static_cast<size_t>(i)]);
}

// "[a, b]": a bit for each member named.
Value setValue(const PropInfo& p, const Value& v) {
  if (v.kind == Value::Kind::Int) return v;
  if (v.kind != Value::Kind::List) badValue(p);
  long long bits = 0;
  for (const std::string& n : v.items) {
    int i = nameIndex(p.names, n);
    if (i < 0 || i > 62) throw Error("unknown set member " + n + " for " + p.name);
    bits |= 1LL << i;
  }
  return Value::integer(bits);
}

Value colorValue(const PropInfo& p, const Value& v) {
  if (v.kind == Value::Kind::Int) return v;
  TColor c;
  if (v.kind != Value::Kind::Ident || !colorFromName(v.s, c)) badValue(p);
  return Value::integer(c);
}

// A handler of the description's root, by name.
Value eventValue(const PropInfo& p, Value v, const HandlerTable* handlers, const Component& root) {
  if (v.kind != Value::Kind::Ident) badValue(p);
  const std::any* h = handlers ? handlers->find(v.s) : nullptr;
  if (!h) throw Error("unknown handler " + v.s + " for " + p.name);
  v.handler = h;
  v.handlerOwner = &root;
  return v;
}

// "(@a, @b)": resource names without their '@'.
Value resourceListValue(const PropInfo& p, const Value& v) {
  if (v.kind != Value::Kind::List) badValue(p);
  std::vector<std::string> names;
  for (const std::string& n : v.items) {
    if (n.size() < 2 || n[0] != '@') throw Error("bad resource " + n + " for " + p.name);
    names.push_back(n.substr(1));
  }
  return Value::list(names);
}

// The value kind a property of a plain kind takes as it is written.
Value::Kind plainKind(PropKind kind) {
  switch (kind) {
    case PropKind::Int: return Value::Kind::Int;
    case PropKind::Bool: return Value::Kind::Bool;
    case PropKind::String: return Value::Kind::String;
    case PropKind::Ref: return Value::Kind::Ident;
    default: return Value::Kind::Resource;
  }
}

// Turns a parsed value into the property's value; throws with a reason.
Value convert(const PropInfo& p, Value v, const HandlerTable* handlers, const Component& root) {
  switch (p.kind) {
    case PropKind::Enum: return enumValue(p, v);
    case PropKind::Set: return setValue(p, v);
    case PropKind::Color: return colorValue(p, v);
    case PropKind::Event: return eventValue(p, std::move(v), handlers, root);
    case PropKind::ResourceList: return resourceListValue(p, v);
    case PropKind::Object: throw Error(p.name + " is a settings object; set its properties with dots");
    case PropKind::Int:
    case PropKind::Bool:
    case PropKind::String:
    case PropKind::Ref:
    case PropKind::Resource:
      if (v.kind != plainKind(p.kind)) badValue(p);
      return v;
  }
  badValue(p);
}

// Reads a form description line by line into `root`: blocks make components, property
// lines set their settings, and references to other components are set once every
// component exists.
class FormReader {
 public:
  FormReader(Component& root, const HandlerTable* handlers) : root_(root), handlers_(handlers) {}

  void read(const std::string& text) {
    size_t pos = 0;
    // A byte order mark may start the text.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    while (pos <= text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      std::string line = trim(text.substr(pos, end - pos));
      pos = end + 1;
      ++lineNo_;
      if (static_cast<size_t>(lineNo_) > kMaxLines) fail("too many lines");
      if (line.empty() || line[0] == '#' || line.compare(0, 2, "//") == 0) continue;
      if (rootClosed_) fail("text after the end of the form");
      readLineNumbered(line);
    }
    if (!rootSeen_) fail("no form block");
    if (!stack_.empty()) fail("missing } at the end");
  }

  void resolveReferences() {
    for (const Fixup& f : fixups_) {
      lineNo_ = f.line;
      Component* target =
          strcasecmp(f.name.c_str(), root_.name().c_str()) == 0 ? &root_ : root_.findComponent(f.name);
      if (!target) fail("unknown component " + f.name + " for " + f.prop->name);
      Value v;
      v.kind = Value::Kind::Ident;
      v.s = f.name;
      v.ref = target;
      try {
        f.prop->set(*f.object, v);
      } catch (const std::exception& e) {
        fail(e.what());
      }
    }
  }

  const std::vector<Component*>& made() const { return made_; }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw Error("form description line " + std::to_string(lineNo_) + ": " + what);
  }

  // Any error a line causes is reported with the line's number.
  void readLineNumbered(const std::string& line) {
    try {
      readLine(line);
    } catch (const Error& e) {
      std::string what = e.what();
      if (what.rfind("form description line ", 0) == 0) throw;
      fail(what);
    } catch (const std::exception& e) {
      fail(e.what());
    }
  }

  void readLine(const std::string& line) {
    if (line == "}") return closeBlock();
    if (line.back() == '{') return openBlock(trim(line.substr(0, line.size() - 1)));
    if (stack_.empty()) fail(rootSeen_ ? "property outside a block" : "expected name: TClass {");
    setProperty(line);
  }

  void closeBlock() {
    if (stack_.empty()) fail("unbalanced }");
    stack_.pop_back();
    if (stack_.empty()) rootClosed_ = true;
  }

  // "name: TClass": the first block is the root itself, the others make components.
  void openBlock(const std::string& head) {
    size_t colon = head.find(':');
    if (colon == std::string::npos) fail("expected name: TClass {");
    std::string name = trim(head.substr(0, colon)), cls = trim(head.substr(colon + 1));
    if (!isIdent(name) || !isIdent(cls)) fail("expected name: TClass {");
    if (stack_.size() >= kMaxDepth) fail("blocks nested too deeply");
    if (!rootSeen_) {
      rootSeen_ = true;
      if (root_.name() != name) root_.setName(name);
      stack_.push_back(&root_);
      return;
    }
    if (root_.findComponent(name) || strcasecmp(name.c_str(), root_.name().c_str()) == 0)
      fail("duplicate name " + name);
    Component* c = createComponent(cls, &root_);
    made_.push_back(c);
    c->setLoading(true);
    c->setName(name);
    c->setParentComponent(stack_.back());
    stack_.push_back(c);
  }

  // "Font.Size = 9": dots reach into the settings objects of the block's component.
  void setProperty(const std::string& line) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) fail("expected Property = value");
    std::string path = trim(line.substr(0, eq));
    Persistent* obj = stack_.back();
    const PropInfo* p = findProperty(path, obj);
    Parser parser(trim(line.substr(eq + 1)), lineNo_);
    Value v = convert(*p, parser.value(), handlers_, root_);
    if (p->kind == PropKind::Ref) {
      fixups_.push_back(Fixup{obj, p, v.s, lineNo_});
    } else {
      if (!p->set) fail("property " + path + " cannot be set");
      p->set(*obj, v);
    }
  }

  // Walks a dotted property path from `obj`; on return `obj` is the object that owns it.
  const PropInfo* findProperty(const std::string& path, Persistent*& obj) const {
    size_t start = 0;
    for (;;) {
      size_t dot = path.find('.', start);
      std::string part = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
      if (!isIdent(part)) fail("bad property name " + path);
      const PropInfo* p = obj->classInfo().find(part);
      if (!p) fail("unknown property " + path + " of " + obj->className());
      if (dot == std::string::npos) return p;
      if (p->kind != PropKind::Object) fail(part + " has no settings to set with dots");
      obj = p->object(*obj);
      start = dot + 1;
    }
  }

  Component& root_;
  const HandlerTable* handlers_;
  std::vector<Component*> stack_;
  std::vector<Component*> made_;
  std::vector<Fixup> fixups_;
  bool rootSeen_ = false, rootClosed_ = false;
  int lineNo_ = 0;
};

}  // namespace

void readComponent(Component& root, const std::string& text, const HandlerTable* handlers,
                   const std::function<void()>& beforeLoaded) {
  root.setLoading(true);
  FormReader reader(root, handlers);
  reader.read(text);
  reader.resolveReferences();
  if (beforeLoaded) beforeLoaded();
  for (Component* c : reader.made()) c->loaded();
  root.loaded();
}

}  // namespace ui

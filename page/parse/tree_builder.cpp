// Tolerant tree builder.
#include "page/parse/tree_builder.h"

#include <algorithm>
#include <initializer_list>

#include "page/page.h"
#include "page/parse/tokenizer.h"
#include "page/util/strings.h"

namespace page {
namespace {

bool isVoid(std::string_view n) {
  return oneOf(n, {"br", "img", "hr", "input", "meta", "link", "area", "base", "col", "param", "embed",
                   "frame", "wbr", "basefont", "isindex", "bgsound", "keygen", "source"});
}

bool isHeadOnly(std::string_view n) { return oneOf(n, {"meta", "link", "base", "title", "style", "bgsound"}); }

// Elements whose start closes an open <p>.
bool closesParagraph(std::string_view n) {
  return oneOf(n, {"p", "div", "table", "ul", "ol", "dl", "h1", "h2", "h3", "h4", "h5", "h6", "pre",
                   "blockquote", "center", "form", "hr", "address", "marquee", "menu", "dir", "fieldset"});
}

// Elements an end tag must not close through (it would tear a table apart).
bool isScopeBoundary(std::string_view n) {
  return oneOf(n, {"table", "td", "th", "marquee", "html", "body", "iframe", "frameset"});
}

class Builder {
 public:
  explicit Builder(DocumentTree& doc) : doc_(doc) {
    doc_.root = std::make_unique<Node>();
    doc_.root->tag = "#document";
    doc_.html = addElement(doc_.root.get(), "html");
    doc_.head = addElement(doc_.html, "head");
  }

  void run(std::u32string_view html) {
    Tokenizer tokenizer(html);
    std::string rawParent;  // the raw-text element whose content comes next
    for (;;) {
      Token t = tokenizer.next();
      if (t.type == Token::Type::End) break;
      if (doc_.nodeCount >= kMaxNodes) {
        doc_.truncated = true;
        break;
      }
      switch (t.type) {
        case Token::Type::StartTag: startTag(t); break;
        case Token::Type::EndTag: endTag(t.name); break;
        case Token::Type::Text: text(std::move(t.text)); break;
        default: break;
      }
    }
  }

 private:
  Node* addElement(Node* parent, std::string name) {
    auto n = std::make_unique<Node>();
    n->tag = std::move(name);
    ++doc_.nodeCount;
    return parent->append(std::move(n));
  }

  Node* current() { return stack_.empty() ? (doc_.body ? doc_.body : (doc_.frameset ? doc_.frameset : doc_.head)) : stack_.back(); }

  void ensureBody() {
    if (doc_.body || doc_.frameset) return;
    doc_.body = addElement(doc_.html, "body");
  }

  // Pops back to (and including) the nearest open element named `name`, not crossing
  // a boundary unless the name is the boundary itself. Returns whether one was found.
  bool popTo(std::string_view name, std::initializer_list<std::string_view> stopAt = {}) {
    for (size_t i = stack_.size(); i-- > 0;) {
      const std::string& tag = stack_[i]->tag;
      if (tag == name) {
        stack_.resize(i);
        return true;
      }
      if (oneOf(tag, stopAt) || (isScopeBoundary(tag) && !oneOf(name, {"table"}))) return false;
    }
    return false;
  }

  bool hasOpen(std::string_view name, std::initializer_list<std::string_view> stopAt) {
    for (size_t i = stack_.size(); i-- > 0;) {
      if (stack_[i]->tag == name) return true;
      if (oneOf(stack_[i]->tag, stopAt)) return false;
    }
    return false;
  }

  void mergeAttributes(Node* into, const Token& t) {
    for (auto& a : t.attributes)
      if (!into->attribute(a.first)) into->attributes.push_back(a);
  }

  void startTag(Token& t) {
    const std::string& n = t.name;
    if (n == "html") { mergeAttributes(doc_.html, t); return; }
    if (n == "head") { mergeAttributes(doc_.head, t); return; }
    if (n == "body") {
      if (doc_.frameset) return;
      ensureBody();
      mergeAttributes(doc_.body, t);
      return;
    }
    if (n == "frameset") {
      if (!doc_.body && !doc_.frameset) {
        doc_.frameset = addElement(doc_.html, "frameset");
        doc_.frameset->attributes = t.attributes;
        stack_.clear();
        stack_.push_back(doc_.frameset);
        return;
      }
      if (!doc_.frameset) return;  // a frameset after body content is ignored
    }
    if (doc_.frameset && n != "frameset" && n != "frame") return;  // noframes content etc.
    Node* parent = nullptr;
    if (isHeadOnly(n) && !doc_.body && !doc_.frameset) {
      parent = doc_.head;
    } else {
      if (!doc_.frameset) ensureBody();
      // Implied closings.
      if (closesParagraph(n)) popIfOpen("p");
      if (n == "li") popTo("li", {"ul", "ol", "menu", "dir"});
      if (n == "dt" || n == "dd") { popTo("dt", {"dl"}) || popTo("dd", {"dl"}); }
      if (n == "option") popTo("option", {"select"});
      if (oneOf(n, {"tr", "tbody", "thead", "tfoot"})) {
        popToCellOrRowEnd(n != "tr");
      }
      if (n == "td" || n == "th") {
        if (hasOpen("td", {"table"})) popTo("td");
        else if (hasOpen("th", {"table"})) popTo("th");
        if (!hasOpen("tr", {"table"})) {
          if (stack_.empty() || stack_.back()->tag != "table") {
            if (!hasOpen("table", {})) { /* a stray cell: keep it where it is */ }
          }
          if (hasOpen("table", {})) {
            popToTableLevel();
            stack_.push_back(addElement(current(), "tr"));
          }
        }
      }
      if (oneOf(n, {"a"}) && hasOpen("a", {"table", "td", "th"})) popTo("a");
      parent = current();
    }
    Node* el = addElement(parent, n);
    el->attributes = std::move(t.attributes);
    if (n == "frame") return;
    if (isVoid(n) || t.selfClosing) return;
    if (n == "style" || n == "title" || n == "script" || n == "textarea" || n == "xmp") {
      rawElement_ = el;
      return;
    }
    if (stack_.size() >= size_t(kMaxDepth)) return;  // too deep: children go beside it
    stack_.push_back(el);
  }

  void popIfOpen(std::string_view name) {
    if (hasOpen(name, {"table", "td", "th", "marquee", "button"})) popTo(name);
  }

  // Closes an open cell and row before a new row or section starts.
  void popToCellOrRowEnd(bool section) {
    if (!hasOpen("table", {})) return;
    for (size_t i = stack_.size(); i-- > 0;) {
      const std::string& tag = stack_[i]->tag;
      if (tag == "table") { stack_.resize(i + 1); return; }
      if (!section && oneOf(tag, {"tbody", "thead", "tfoot"})) { stack_.resize(i + 1); return; }
    }
  }

  void popToTableLevel() {
    for (size_t i = stack_.size(); i-- > 0;) {
      const std::string& tag = stack_[i]->tag;
      if (oneOf(tag, {"table", "tbody", "thead", "tfoot"})) { stack_.resize(i + 1); return; }
    }
  }

  void endTag(const std::string& n) {
    if (n == "html" || n == "body" || n == "head") return;
    if (n == "br") {  // "</br>" acts as "<br>"
      Token t;
      t.name = "br";
      startTag(t);
      return;
    }
    if (n == "tr") {
      if (hasOpen("tr", {"table"}))
        for (size_t i = stack_.size(); i-- > 0;)
          if (stack_[i]->tag == "tr") { stack_.resize(i); return; }
      return;
    }
    if (n == "table") {
      for (size_t i = stack_.size(); i-- > 0;)
        if (stack_[i]->tag == "table") { stack_.resize(i); return; }
      return;
    }
    if (n == "td" || n == "th") {
      if (hasOpen(n, {"table"})) {
        for (size_t i = stack_.size(); i-- > 0;)
          if (stack_[i]->tag == n) { stack_.resize(i); return; }
      }
      return;
    }
    popTo(n);
  }

  void text(std::u32string s) {
    if (rawElement_) {
      Node* el = rawElement_;
      rawElement_ = nullptr;
      if (el->tag == "style") doc_.styleSheets.push_back(s);
      if (el->tag == "title" && doc_.title.empty()) doc_.title = s;
      if (el->tag == "textarea") {
        auto tn = std::make_unique<Node>();
        tn->type = Node::Type::Text;
        tn->text = std::move(s);
        ++doc_.nodeCount;
        el->append(std::move(tn));
      }
      return;
    }
    if (doc_.frameset) return;
    if (!doc_.body) {
      bool blank = std::all_of(s.begin(), s.end(), [](char32_t c) { return isSpace(c); });
      if (blank) return;
      ensureBody();
    }
    Node* parent = current();
    if (!parent->children.empty() && parent->children.back()->type == Node::Type::Text) {
      parent->children.back()->text += s;
      return;
    }
    auto tn = std::make_unique<Node>();
    tn->type = Node::Type::Text;
    tn->text = std::move(s);
    ++doc_.nodeCount;
    parent->append(std::move(tn));
  }

  DocumentTree& doc_;
  std::vector<Node*> stack_;
  Node* rawElement_ = nullptr;
};

}  // namespace

DocumentTree parseDocument(std::u32string_view html) {
  DocumentTree doc;
  Builder builder(doc);
  builder.run(html);
  if (!doc.body && !doc.frameset) {
    auto b = std::make_unique<Node>();
    b->tag = "body";
    doc.body = doc.html->append(std::move(b));
  }
  return doc;
}

}  // namespace page

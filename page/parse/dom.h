#pragma once
// The document tree the tree builder makes: elements (lower-case tag names, attributes
// as UTF-8) and text nodes (UTF-32). Parents own their children.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace page {

struct Node {
  enum class Type { Element, Text };
  Type type = Type::Element;
  std::string tag;  // elements: lower-case name; the root is "#document"
  std::vector<std::pair<std::string, std::string>> attributes;  // names lower-case
  std::u32string text;  // text nodes
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;

  bool isElement(std::string_view name) const { return type == Type::Element && tag == name; }
  const std::string* attribute(std::string_view name) const {
    for (auto& [n, v] : attributes)
      if (n == name) return &v;
    return nullptr;
  }
  Node* append(std::unique_ptr<Node> child) {
    child->parent = this;
    children.push_back(std::move(child));
    return children.back().get();
  }
};

struct DocumentTree {
  std::unique_ptr<Node> root;  // "#document" holding one "html" with "head" and "body"/"frameset"
  Node* html = nullptr;
  Node* head = nullptr;
  Node* body = nullptr;      // nullptr for a frameset document
  Node* frameset = nullptr;  // the top frameset, if the page is one
  std::vector<std::u32string> styleSheets;  // contents of <style> elements, in order
  std::u32string title;
  int nodeCount = 0;
  bool truncated = false;  // the node cap was reached
};

}  // namespace page

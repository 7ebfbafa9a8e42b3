#include "movie/text_objects/text_format_object.h"

#include <cmath>
#include <optional>


namespace movie::text_objects {
namespace {

using script::Machine;
using script::Object;
using script::Value;

// The attributes in the order the constructor takes them, then the others.
const char* const kAttributes[] = {"font",      "size",        "color",  "bold",        "italic",
                                   "underline", "url",         "target", "align",       "leftMargin",
                                   "rightMargin", "indent",    "leading", "blockIndent", "bullet",
                                   "tabStops",  "letterSpacing", "kerning"};
constexpr size_t kConstructorArguments = 13;


const char* alignName(text::Align a) {
  switch (a) {
    case text::Align::Right: return "right";
    case text::Align::Center: return "center";
    case text::Align::Justify: return "justify";
    default: return "left";
  }
}

std::optional<text::Align> alignFrom(const std::string& s) {
  if (s == "left") return text::Align::Left;
  if (s == "right") return text::Align::Right;
  if (s == "center") return text::Align::Center;
  if (s == "justify") return text::Align::Justify;
  return std::nullopt;
}

template <class T, class F>
Value optional(const std::optional<T>& v, F convert) {
  return v ? convert(*v) : Value::null();
}

Value number(float f) { return double(f); }
Value flag(bool b) { return b; }
Value string(const std::string& s) { return s; }

}  // namespace

double colorNumber(render::Color c) { return double((uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b); }

render::Color colorFromNumber(double n) {
  uint32_t v = std::isfinite(n) ? uint32_t(int64_t(n)) : 0;
  return render::Color{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), 255};
}

void installTextFormatClass(Machine& m) {
  m.makeClass("TextFormat", [](Machine& m, script::CallArgs& a) -> Value {
    Object* self = a.self.object();
    if (!a.constructing || !self) return Value();
    for (size_t i = 0; i < sizeof kAttributes / sizeof *kAttributes; ++i) {
      Value v = i < kConstructorArguments ? a.arg(i) : Value();
      self->put(kAttributes[i], v.isUndefined() ? Value::null() : v);
    }
    return Value();
  });
}

Object* newTextFormatObject(Machine& m, const text::TextFormat& f) {
  Object* o = m.construct(m.getMember(m.global(), "TextFormat"), {}).object();
  if (!o) return nullptr;
  o->put("font", optional(f.font, string));
  o->put("size", optional(f.size, number));
  o->put("color", optional(f.color, [](render::Color c) { return Value(colorNumber(c)); }));
  o->put("bold", optional(f.bold, flag));
  o->put("italic", optional(f.italic, flag));
  o->put("underline", optional(f.underline, flag));
  o->put("url", optional(f.url, string));
  o->put("target", optional(f.target, string));
  o->put("align", optional(f.align, [](text::Align a) { return Value(alignName(a)); }));
  o->put("leftMargin", optional(f.leftMargin, number));
  o->put("rightMargin", optional(f.rightMargin, number));
  o->put("indent", optional(f.indent, number));
  o->put("leading", optional(f.leading, number));
  o->put("blockIndent", optional(f.blockIndent, number));
  o->put("bullet", optional(f.bullet, flag));
  o->put("tabStops", optional(f.tabStops, [&m](const std::vector<float>& stops) {
           std::vector<Value> items;
           for (float s : stops) items.push_back(double(s));
           return Value(m.newArray(std::move(items)));
         }));
  o->put("letterSpacing", optional(f.letterSpacing, number));
  o->put("kerning", optional(f.kerning, flag));
  return o;
}

text::TextFormat textFormatOf(Machine& m, Object* o) {
  text::TextFormat f;
  if (!o) return f;
  auto present = [&](const char* name, Value& v) {
    v = m.getMember(o, name);
    return !v.isUndefined() && !v.isNull();
  };
  auto finite = [&](const char* name, std::optional<float>& out) {
    Value v;
    if (!present(name, v)) return;
    double n = m.toNumber(v);
    if (std::isfinite(n)) out = float(n);
  };
  Value v;
  if (present("font", v)) f.font = m.toString(v);
  finite("size", f.size);
  if (present("color", v)) f.color = colorFromNumber(m.toNumber(v));
  if (present("bold", v)) f.bold = m.toBoolean(v);
  if (present("italic", v)) f.italic = m.toBoolean(v);
  if (present("underline", v)) f.underline = m.toBoolean(v);
  if (present("url", v)) f.url = m.toString(v);
  if (present("target", v)) f.target = m.toString(v);
  if (present("align", v)) f.align = alignFrom(m.toString(v));
  finite("leftMargin", f.leftMargin);
  finite("rightMargin", f.rightMargin);
  finite("indent", f.indent);
  finite("leading", f.leading);
  finite("blockIndent", f.blockIndent);
  if (present("bullet", v)) f.bullet = m.toBoolean(v);
  finite("letterSpacing", f.letterSpacing);
  if (present("kerning", v)) f.kerning = m.toBoolean(v);
  if (present("tabStops", v) && v.object()) {
    std::vector<float> stops;
    double count = m.toNumber(m.getMember(v.object(), "length"));
    for (int i = 0; std::isfinite(count) && i < int(std::min(count, 1000.0)); ++i) {
      double stop = m.toNumber(m.getMember(v.object(), std::to_string(i)));
      if (std::isfinite(stop)) stops.push_back(float(stop));
    }
    f.tabStops = std::move(stops);
  }
  return f;
}

}  // namespace movie::text_objects

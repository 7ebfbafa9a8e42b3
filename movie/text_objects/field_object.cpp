#include "movie/text_objects/field_object.h"

#include <cmath>

#include "movie/script/machine.h"
#include "movie/text/font_library.h"
#include "movie/text_objects/text_format_object.h"
#include "movie/text_objects/variable_binding.h"
#include "textcodec/utf8.h"

namespace movie::text_objects {
namespace {

using script::Machine;
using script::Value;
using text::TextField;

enum class Prop {
  Text, HtmlText, Html, Length, AutoSize, TextColor, Border, BorderColor, Background, BackgroundColor,
  Scroll, MaxScroll, BottomScroll, HScroll, MaxHScroll, WordWrap, Multiline, Password, Selectable,
  EmbedFonts, CondenseWhite, Type, Variable, MaxChars, TextWidth, TextHeight, Restrict, Width, Height,
  NotForFields,
};

struct Named {
  const char* name;
  Prop prop;
};

constexpr Named kProps[] = {
    {"text", Prop::Text}, {"htmlText", Prop::HtmlText}, {"html", Prop::Html}, {"length", Prop::Length},
    {"autoSize", Prop::AutoSize}, {"textColor", Prop::TextColor}, {"border", Prop::Border},
    {"borderColor", Prop::BorderColor}, {"background", Prop::Background},
    {"backgroundColor", Prop::BackgroundColor}, {"scroll", Prop::Scroll}, {"maxscroll", Prop::MaxScroll},
    {"bottomScroll", Prop::BottomScroll}, {"hscroll", Prop::HScroll}, {"maxhscroll", Prop::MaxHScroll},
    {"wordWrap", Prop::WordWrap}, {"multiline", Prop::Multiline}, {"password", Prop::Password},
    {"selectable", Prop::Selectable}, {"embedFonts", Prop::EmbedFonts}, {"condenseWhite", Prop::CondenseWhite},
    {"type", Prop::Type}, {"variable", Prop::Variable}, {"maxChars", Prop::MaxChars},
    {"textWidth", Prop::TextWidth}, {"textHeight", Prop::TextHeight}, {"restrict", Prop::Restrict},
    {"_width", Prop::Width}, {"_height", Prop::Height},
    // Timeline properties that clips have and fields do not.
    {"_currentframe", Prop::NotForFields}, {"_totalframes", Prop::NotForFields},
    {"_framesloaded", Prop::NotForFields}, {"_droptarget", Prop::NotForFields}};

bool sameName(const char* a, const std::string& b, bool caseSensitive) {
  size_t i = 0;
  for (; a[i] && i < b.size(); ++i) {
    char x = a[i], y = b[i];
    if (!caseSensitive) {
      if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    }
    if (x != y) return false;
  }
  return !a[i] && i == b.size();
}

const Named* find(const std::string& name, bool caseSensitive) {
  for (const Named& n : kProps)
    if (sameName(n.name, name, caseSensitive)) return &n;
  return nullptr;
}


const char* autoSizeName(text::AutoSize a) {
  switch (a) {
    case text::AutoSize::Left: return "left";
    case text::AutoSize::Center: return "center";
    case text::AutoSize::Right: return "right";
    default: return "none";
  }
}

text::AutoSize autoSizeFrom(Machine& m, const Value& v) {
  if (v.isBoolean()) return m.toBoolean(v) ? text::AutoSize::Left : text::AutoSize::None;
  std::string s = m.toString(v);
  if (s == "left") return text::AutoSize::Left;
  if (s == "center") return text::AutoSize::Center;
  if (s == "right") return text::AutoSize::Right;
  return text::AutoSize::None;
}

// The colour new text takes: setTextFormat on the text leaves it as it is.
render::Color textColorOf(const TextField& f) { return f.newTextFormat().color.value_or(render::Color{0, 0, 0, 255}); }

}  // namespace

timeline::FieldNode* fieldOf(Machine& m, const Value& v) {
  return dynamic_cast<timeline::FieldNode*>(m.nodeOf(v));
}

bool FieldObject::getSpecial(Machine& m, const std::string& name, Value& out) {
  timeline::FieldNode* node = fieldNode();
  const Named* named = node ? find(name, heap().caseSensitive()) : nullptr;
  if (!named) return ClipObject::getSpecial(m, name, out);
  TextField& f = node->field();
  text::FontLibrary* fonts = fontsFor(env_, *node);
  const TextField::Settings& s = f.settings();
  switch (named->prop) {
    case Prop::Text:
    case Prop::HtmlText:
      exchange(m, *node);
      if (!fieldNode()) return false;
      out = textcodec::toUtf8(named->prop == Prop::Text ? f.text() : f.htmlText());
      break;
    case Prop::Html: out = s.html; break;
    case Prop::Length: out = double(f.length()); break;
    case Prop::AutoSize: out = autoSizeName(s.autoSize); break;
    case Prop::TextColor: out = colorNumber(textColorOf(f)); break;
    case Prop::Border: out = s.border; break;
    case Prop::BorderColor: out = colorNumber(s.borderColor); break;
    case Prop::Background: out = s.background; break;
    case Prop::BackgroundColor: out = colorNumber(s.backgroundColor); break;
    case Prop::Scroll: out = double(f.scroll()); break;
    case Prop::MaxScroll: out = double(fonts ? f.maxScroll(*fonts) : 1); break;
    case Prop::BottomScroll: out = double(fonts ? f.bottomScroll(*fonts) : 1); break;
    case Prop::HScroll:
    case Prop::MaxHScroll: out = 0.0; break;
    case Prop::WordWrap: out = s.wordWrap; break;
    case Prop::Multiline: out = s.multiline; break;
    case Prop::Password: out = s.password; break;
    case Prop::Selectable: out = s.selectable; break;
    case Prop::EmbedFonts: out = s.embedFonts; break;
    case Prop::CondenseWhite: out = s.condenseWhite; break;
    case Prop::Type: out = s.input ? "input" : "dynamic"; break;
    case Prop::Variable: out = f.variable().empty() ? Value::null() : Value(f.variable()); break;
    case Prop::MaxChars: out = s.maxChars > 0 ? Value(double(s.maxChars)) : Value::null(); break;
    case Prop::TextWidth:
    case Prop::TextHeight: {
      if (!fonts) return false;
      const text::TextLayout& l = f.layout(*fonts);
      out = std::round(named->prop == Prop::TextWidth ? l.textWidth : l.textHeight) / 20.0;
      break;
    }
    case Prop::Restrict: out = Value::null(); break;
    case Prop::Width:
    case Prop::Height:
      if (fonts) f.layout(*fonts);  // auto size settles the box
      return ClipObject::getSpecial(m, name, out);
    case Prop::NotForFields: out = Value(); break;
  }
  return true;
}

namespace {

// Settings a script changes; false for a property scripts cannot set.
bool applySetting(Machine& m, Prop prop, const Value& value, TextField::Settings& s) {
  switch (prop) {
    case Prop::Html: s.html = m.toBoolean(value); return true;
    case Prop::AutoSize: s.autoSize = autoSizeFrom(m, value); return true;
    case Prop::Border: s.border = m.toBoolean(value); return true;
    case Prop::BorderColor: s.borderColor = colorFromNumber(m.toNumber(value)); return true;
    case Prop::Background: s.background = m.toBoolean(value); return true;
    case Prop::BackgroundColor: s.backgroundColor = colorFromNumber(m.toNumber(value)); return true;
    case Prop::WordWrap: s.wordWrap = m.toBoolean(value); return true;
    case Prop::Multiline: s.multiline = m.toBoolean(value); return true;
    case Prop::Password: s.password = m.toBoolean(value); return true;
    case Prop::Selectable: s.selectable = m.toBoolean(value); return true;
    case Prop::EmbedFonts: s.embedFonts = m.toBoolean(value); return true;
    case Prop::CondenseWhite: s.condenseWhite = m.toBoolean(value); return true;
    case Prop::Type:  // "input" in any case; anything else is "dynamic"
      s.input = sameName("input", m.toString(value), false);
      return true;
    case Prop::MaxChars: {
      double n = m.toNumber(value);
      s.maxChars = std::isfinite(n) && n > 0 ? int(std::min(n, 1e9)) : 0;
      return true;
    }
    default: return false;
  }
}

void scrollTo(Machine& m, TextEnvironment& env, timeline::FieldNode& node, const Value& value) {
  double line = m.toNumber(value);
  if (!std::isfinite(line)) return;
  text::FontLibrary* fonts = fontsFor(env, node);
  int top = fonts ? node.field().maxScroll(*fonts) : 1;
  node.field().setScroll(int(std::clamp(line, 1.0, double(top))));
}

void bindVariable(Machine& m, timeline::FieldNode& node, const Value& value) {
  TextField& f = node.field();
  f.setVariable(value.isNullish() ? std::string() : m.toString(value));
  // A field bound anew starts from its own text again.
  const format::EditTextDef& def = f.def();
  if (f.settings().html) f.setHtmlText(def.initialText);
  else f.setText(def.initialText);
  node.binding() = {};
  exchange(m, node);
}

// _width and _height resize the box, so that the text is not scaled with it.
void resizeBox(Machine& m, timeline::FieldNode& node, Prop prop, const Value& value) {
  double v = m.toNumber(value);
  if (!std::isfinite(v)) return;
  TextField& f = node.field();
  Matrix mx = node.matrix();
  const format::Rect& b = f.bounds();
  if (prop == Prop::Width) {
    double scale = std::hypot(double(mx.a), double(mx.b));
    if (scale > 0) f.setSize(float(v * 20 / scale), float(b.yMax - b.yMin));
  } else {
    double scale = std::hypot(double(mx.c), double(mx.d));
    if (scale > 0) f.setSize(float(b.xMax - b.xMin), float(v * 20 / scale));
  }
}

}  // namespace

bool FieldObject::setSpecial(Machine& m, const std::string& name, const Value& value) {
  timeline::FieldNode* node = fieldNode();
  const Named* named = node ? find(name, heap().caseSensitive()) : nullptr;
  if (!named) return ClipObject::setSpecial(m, name, value);
  TextField& f = node->field();
  switch (named->prop) {
    case Prop::Text:
      f.setText(textcodec::utf8ToUtf32(m.toString(value)));
      pushFieldText(m, *node);
      return true;
    case Prop::HtmlText:
      f.setHtmlText(textcodec::utf8ToUtf32(m.toString(value)));
      pushFieldText(m, *node);
      return true;
    case Prop::TextColor: f.setTextColor(colorFromNumber(m.toNumber(value))); return true;
    case Prop::Scroll: scrollTo(m, env_, *node, value); return true;
    case Prop::Variable: bindVariable(m, *node, value); return true;
    case Prop::Width:
    case Prop::Height: resizeBox(m, *node, named->prop, value); return true;
    default: break;
  }
  TextField::Settings s = f.settings();
  if (applySetting(m, named->prop, value, s)) f.changeSettings(s);
  return true;  // the others are read-only
}

}  // namespace movie::text_objects

#include "movie/script/loading_ops.h"

#include <cstdlib>

#include "movie/script/text_util.h"

namespace movie::script {

std::string encodeVariables(Machine& m, Object* object) {
  std::string out;
  if (!object) return out;
  for (const Property* p : object->ownProperties()) {
    if ((p->flags & kDontEnum) || p->getter || p->setter) continue;
    if (Object* o = p->value.object(); o && o->asFunction()) continue;
    if (!out.empty()) out += '&';
    out += escapeText(p->name) + '=' + escapeText(m.toString(p->value));
    m.checkString(out);
  }
  return out;
}

void decodeVariables(Machine& m, Object* target, const std::string& text) {
  if (!target) return;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('&', pos);
    if (end == std::string::npos) end = text.size();
    std::string pair = text.substr(pos, end - pos);
    pos = end + 1;
    size_t eq = pair.find('=');
    std::string name = unescapeText(pair.substr(0, eq));
    if (name.empty()) continue;
    std::string value = eq == std::string::npos ? std::string() : unescapeText(pair.substr(eq + 1));
    m.setMember(target, name, value);
  }
}

int levelOf(const std::string& target) {
  if (target.size() <= 6) return -1;
  for (size_t i = 0; i < 6; ++i)
    if (std::tolower(uint8_t(target[i])) != "_level"[i]) return -1;
  int level = 0;
  for (size_t i = 6; i < target.size(); ++i) {
    if (target[i] < '0' || target[i] > '9' || level > 100'000) return -1;
    level = level * 10 + (target[i] - '0');
  }
  return level;
}

int methodOf(const std::string& name) {
  std::string upper = upperCase(name);
  return upper == "GET" ? 1 : upper == "POST" ? 2 : 0;
}

void loadInto(Machine& m, Activation* act, const std::string& url, const Value& target, bool variables, int method) {
  Object* from = act ? (act->target ? act->target : act->baseClip) : nullptr;
  int level = target.isString() ? levelOf(target.string()) : -1;
  DisplayNode* clip = nullptr;
  if (level < 0) {
    clip = m.nodeOf(target);
    if (!clip && from && !target.isNullish()) clip = m.nodeOf(m.resolveTarget(from, m.toString(target)));
    if (!clip) return;  // nothing there to load into
  }
  if (url.empty() && !variables) {
    m.host().unload(clip, level);
    return;
  }
  LoadRequest request;
  request.kind = variables ? LoadRequest::Kind::Variables : LoadRequest::Kind::Movie;
  request.url = url;
  request.level = level;
  request.target = clip ? m.clipObject(clip) : nullptr;
  if (method == 1 || method == 2) {
    request.post = method == 2;
    request.variables = encodeVariables(m, from);
  }
  m.host().load(request);
}

}  // namespace movie::script

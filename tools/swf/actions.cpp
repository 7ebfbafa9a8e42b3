#include "tools/swf/actions.h"

#include <cstring>
#include <stdexcept>

#include "tools/swf/little_endian.h"

namespace swf {
namespace {

void putString(Bytes& b, const std::string& s) {
  b.insert(b.end(), s.begin(), s.end());
  b.push_back(0);
}

}  // namespace

Actions& Actions::op(uint8_t code) {
  out_.push_back(code);
  return *this;
}

Actions& Actions::record(uint8_t code, const Bytes& payload) {
  out_.push_back(code);
  put16(out_, uint16_t(payload.size()));
  out_.insert(out_.end(), payload.begin(), payload.end());
  return *this;
}

Actions& Actions::push(std::vector<PushValue> values) {
  Bytes p;
  for (const PushValue& v : values) {
    p.push_back(v.kind);
    switch (v.kind) {
      case PushValue::kString: putString(p, v.text); break;
      case PushValue::kFloat: {
        float f = float(v.number);
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        put32(p, bits);
        break;
      }
      case PushValue::kDouble: {
        uint64_t bits;
        std::memcpy(&bits, &v.number, 8);
        put32(p, uint32_t(bits >> 32));  // the high word comes first
        put32(p, uint32_t(bits));
        break;
      }
      case PushValue::kInteger: put32(p, v.index); break;
      case PushValue::kRegister:
      case PushValue::kBoolean:
      case PushValue::kConstant8: p.push_back(uint8_t(v.index)); break;
      case PushValue::kConstant16: put16(p, uint16_t(v.index)); break;
      default: break;
    }
  }
  return record(0x96, p);
}

Actions& Actions::constantPool(const std::vector<std::string>& names) {
  Bytes p;
  put16(p, uint16_t(names.size()));
  for (const std::string& n : names) putString(p, n);
  return record(0x88, p);
}

Actions& Actions::gotoFrame(uint16_t frame) {
  Bytes p;
  put16(p, frame);
  return record(0x81, p);
}

Actions& Actions::gotoLabel(const std::string& label) {
  Bytes p;
  putString(p, label);
  return record(0x8C, p);
}

Actions& Actions::gotoFrame2(bool play, uint16_t bias) {
  Bytes p{uint8_t((play ? 1 : 0) | (bias ? 2 : 0))};
  if (bias) put16(p, bias);
  return record(0x9F, p);
}

Actions& Actions::getUrl(const std::string& url, const std::string& target) {
  Bytes p;
  putString(p, url);
  putString(p, target);
  return record(0x83, p);
}

Actions& Actions::getUrl2(uint8_t flags) { return record(0x9A, Bytes{flags}); }

Actions& Actions::setTarget(const std::string& target) {
  Bytes p;
  putString(p, target);
  return record(0x8B, p);
}

Actions& Actions::storeRegister(uint8_t reg) { return record(0x87, Bytes{reg}); }

Actions& Actions::waitForFrame(uint16_t frame, uint8_t skip) {
  Bytes p;
  put16(p, frame);
  p.push_back(skip);
  return record(0x8A, p);
}

Actions::Label Actions::label() {
  labels_.push_back(-1);
  return Label(labels_.size() - 1);
}

Actions& Actions::mark(Label l) {
  labels_.at(size_t(l)) = long(out_.size());
  return *this;
}

Actions& Actions::jump(Label l) {
  record(0x99, Bytes{0, 0});
  fixups_.push_back({out_.size() - 2, out_.size(), l});
  return *this;
}

Actions& Actions::ifTrue(Label l) {
  record(0x9D, Bytes{0, 0});
  fixups_.push_back({out_.size() - 2, out_.size(), l});
  return *this;
}

Actions& Actions::function(const std::string& name, const std::vector<std::string>& params, const Actions& body) {
  Bytes code = body.body();
  Bytes p;
  putString(p, name);
  put16(p, uint16_t(params.size()));
  for (const std::string& n : params) putString(p, n);
  put16(p, uint16_t(code.size()));
  record(0x9B, p);
  out_.insert(out_.end(), code.begin(), code.end());
  return *this;
}

Actions& Actions::function2(const std::string& name, uint8_t registers, uint16_t flags,
                            const std::vector<std::pair<uint8_t, std::string>>& params, const Actions& body) {
  Bytes code = body.body();
  Bytes p;
  putString(p, name);
  put16(p, uint16_t(params.size()));
  p.push_back(registers);
  put16(p, flags);
  for (const auto& [reg, n] : params) {
    p.push_back(reg);
    putString(p, n);
  }
  put16(p, uint16_t(code.size()));
  record(0x8E, p);
  out_.insert(out_.end(), code.begin(), code.end());
  return *this;
}

Actions& Actions::with(const Actions& body) {
  Bytes code = body.body();
  Bytes p;
  put16(p, uint16_t(code.size()));
  record(0x94, p);
  out_.insert(out_.end(), code.begin(), code.end());
  return *this;
}

Actions& Actions::tryCatch(const Actions& tryBody, const std::string& catchName, const Actions& catchBody,
                           const Actions* finallyBody, int catchRegister) {
  Bytes t = tryBody.body(), c = catchBody.body(), f = finallyBody ? finallyBody->body() : Bytes{};
  Bytes p;
  uint8_t flags = 1 | (finallyBody ? 2 : 0) | (catchRegister >= 0 ? 4 : 0);
  p.push_back(flags);
  put16(p, uint16_t(t.size()));
  put16(p, uint16_t(c.size()));
  put16(p, uint16_t(f.size()));
  if (catchRegister >= 0) p.push_back(uint8_t(catchRegister));
  else putString(p, catchName);
  record(0x8F, p);
  out_.insert(out_.end(), t.begin(), t.end());
  out_.insert(out_.end(), c.begin(), c.end());
  out_.insert(out_.end(), f.begin(), f.end());
  return *this;
}

Actions& Actions::trace(const std::string& text) { return push({text}).op(kTrace); }

Actions& Actions::traceVariable(const std::string& name) { return push({name}).op(kGetVariable).op(kTrace); }

Bytes Actions::body() const {
  Bytes b = out_;
  for (const Fixup& f : fixups_) {
    long target = labels_.at(size_t(f.label));
    if (target < 0) throw std::logic_error("jump to a label never marked");
    long offset = target - long(f.next);
    b[f.at] = uint8_t(offset);
    b[f.at + 1] = uint8_t(offset >> 8);
  }
  return b;
}

Bytes Actions::bytes() const {
  Bytes b = body();
  b.push_back(0);
  return b;
}

void doAction(TagList& tags, const Actions& actions) { tags.raw(12, actions.bytes()); }

void doInitAction(TagList& tags, uint16_t spriteId, const Actions& actions) {
  Bytes body;
  put16(body, spriteId);
  Bytes code = actions.bytes();
  body.insert(body.end(), code.begin(), code.end());
  tags.raw(59, body);
}

namespace {

void putAssetNames(Bytes& body, const std::vector<std::pair<uint16_t, std::string>>& names) {
  put16(body, uint16_t(names.size()));
  for (const auto& [id, name] : names) {
    put16(body, id);
    putString(body, name);
  }
}

}  // namespace

void exportAssets(TagList& tags, const std::vector<std::pair<uint16_t, std::string>>& names) {
  Bytes body;
  putAssetNames(body, names);
  tags.raw(56, body);
}

void importAssets(TagList& tags, const std::string& url, const std::vector<std::pair<uint16_t, std::string>>& names,
                  bool version2) {
  Bytes body;
  putString(body, url);
  if (version2) put16(body, 1);  // reserved
  putAssetNames(body, names);
  tags.raw(version2 ? 71 : 57, body);
}

}  // namespace swf

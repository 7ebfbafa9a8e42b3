#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace page {

// Object model for late-bound calls. Member names are matched without regard to case
// (as IDispatch::GetIDsOfNames does). A call on a member the object lacks fails and the
// failure carries the member name, so the host can report
// "Method '%s' not supported by automation object".
class ScriptObject;

struct Value {
  enum class Kind { Empty, String, Object };
  Kind kind = Kind::Empty;
  std::string string;                    // UTF-8, for Kind::String
  std::shared_ptr<ScriptObject> object;  // for Kind::Object
  static Value fromString(std::string s) { Value v; v.kind = Kind::String; v.string = std::move(s); return v; }
  static Value fromObject(std::shared_ptr<ScriptObject> o) { Value v; v.kind = Kind::Object; v.object = std::move(o); return v; }
};

struct CallResult {
  bool ok = false;
  Value value;               // the got value (Empty for a put)
  std::string failedMember;  // set when !ok: the name as the caller spelled it
  static CallResult success(Value v) { CallResult r; r.ok = true; r.value = std::move(v); return r; }
  static CallResult unknown(std::string_view name) { CallResult r; r.failedMember = name; return r; }
};

class ScriptObject {
 public:
  virtual ~ScriptObject() = default;
  // Dispatch identifiers for hosts that resolve names first; nothing for an unknown name.
  virtual std::optional<int> memberId(std::string_view name) const = 0;
  virtual CallResult get(std::string_view name) = 0;
  virtual CallResult put(std::string_view name, const Value& value) = 0;
  CallResult getById(int id);
  CallResult putById(int id, const Value& value);
  virtual std::string memberName(int id) const = 0;  // empty for an unknown id
};

}  // namespace page

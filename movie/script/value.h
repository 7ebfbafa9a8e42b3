#pragma once
// A script value: undefined, null, boolean, number, string or object reference.
#include <cstdint>
#include <string>

namespace movie::script {

class Object;

class Value {
 public:
  enum class Type : uint8_t { Undefined, Null, Boolean, Number, String, Object };

  Value() = default;
  Value(bool b) : type_(Type::Boolean), number_(b ? 1 : 0) {}
  Value(double n) : type_(Type::Number), number_(n) {}
  Value(int n) : type_(Type::Number), number_(n) {}
  Value(std::string s) : type_(Type::String), string_(std::move(s)) {}
  Value(const char* s) : type_(Type::String), string_(s) {}
  Value(Object* o) : type_(o ? Type::Object : Type::Null), object_(o) {}
  static Value null() { Value v; v.type_ = Type::Null; return v; }

  Type type() const { return type_; }
  bool isUndefined() const { return type_ == Type::Undefined; }
  bool isNull() const { return type_ == Type::Null; }
  bool isNullish() const { return type_ == Type::Undefined || type_ == Type::Null; }
  bool isBoolean() const { return type_ == Type::Boolean; }
  bool isNumber() const { return type_ == Type::Number; }
  bool isString() const { return type_ == Type::String; }
  bool isObject() const { return type_ == Type::Object; }

  bool boolean() const { return number_ != 0; }
  double number() const { return number_; }
  const std::string& string() const { return string_; }
  Object* object() const { return type_ == Type::Object ? object_ : nullptr; }

 private:
  Type type_ = Type::Undefined;
  double number_ = 0;
  std::string string_;
  Object* object_ = nullptr;
};

// Number to text as scripts see it: integers plainly, otherwise up to 15 significant
// digits, exponent form outside 1e-5 .. 1e15.
std::string numberToString(double n);
// Number to text in a radix from 2 to 36 (integers; used by Number.toString(radix)).
std::string numberToRadix(double n, int radix);
// Text to number by the rules of movies of version 5 on: optional blanks and sign,
// decimal with fraction and exponent, or 0x hex; anything else is NaN; "" is NaN.
double stringToNumber(const std::string& s, int version);
// A digit's value in radixes up to 36 (letters in either case), 99 for any other character.
int digitValue(char c);
// The integer conversions of the bit operators.
int32_t toInt32(double n);
uint32_t toUint32(double n);
// Integer value of a number (NaN as 0), truncated.
double toInteger(double n);
// The same held to what an int can hold (for depths, indices, radixes).
int toClampedInt(double n);

}  // namespace movie::script

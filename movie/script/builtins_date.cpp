// Date: milliseconds since 1970 in its primitive; local time is taken as UTC, since
// the engine knows no time zone.
#include <chrono>
#include <cmath>
#include <limits>

#include "movie/script/builtins.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

const double kDay = 86400000.0;

struct Civil {
  double year = 1970, month = 0, day = 1, hours = 0, minutes = 0, seconds = 0, ms = 0, weekday = 4;
};

double daysFromCivil(double y, double m, double d) {
  // Months beyond 0..11 carry into the year.
  y += std::floor(m / 12);
  m = std::fmod(m, 12);
  if (m < 0) m += 12;
  long long yy = (long long)y - (m < 2 ? 1 : 0);
  long long era = (yy >= 0 ? yy : yy - 399) / 400;
  long long yoe = yy - era * 400;
  long long mp = ((long long)m + 9) % 12;
  long long doy = (153 * mp + 2) / 5 + 1 - 1;
  long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return double(era * 146097 + doe - 719468) + d - 1;
}

Civil civilOf(double t) {
  Civil c;
  double days = std::floor(t / kDay);
  double msInDay = t - days * kDay;
  long long z = (long long)days + 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  c.day = double(doy - (153 * mp + 2) / 5 + 1);
  c.month = double(mp < 10 ? mp + 2 : mp - 10);
  c.year = double(yoe + era * 400 + (c.month < 2 ? 1 : 0));
  c.hours = std::floor(msInDay / 3600000);
  c.minutes = std::floor(std::fmod(msInDay, 3600000) / 60000);
  c.seconds = std::floor(std::fmod(msInDay, 60000) / 1000);
  c.ms = std::fmod(msInDay, 1000);
  c.weekday = std::fmod(std::fmod(days + 4, 7) + 7, 7);
  return c;
}

double timeOf(const Civil& c) {
  return daysFromCivil(c.year, c.month, c.day) * kDay + c.hours * 3600000 + c.minutes * 60000 + c.seconds * 1000 + c.ms;
}

double thisTime(const CallArgs& a) {
  Object* o = a.self.object();
  return o && o->primitive.isNumber() ? o->primitive.number() : std::numeric_limits<double>::quiet_NaN();
}

class DateObject : public Object {
 public:
  using Object::Object;
  std::string typeName() const override { return "Date"; }
};

std::string dateText(double t) {
  if (std::isnan(t)) return "Invalid Date";
  static const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  Civil c = civilOf(t);
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s %s %d %02d:%02d:%02d GMT+0000 %d", days[int(c.weekday)], months[int(c.month)],
                int(c.day), int(c.hours), int(c.minutes), int(c.seconds), int(c.year));
  return buf;
}

using Field = double Civil::*;

void getter(Machine& m, Object* proto, const char* name, Field field) {
  m.method(proto, name, [field](Machine&, CallArgs& a) -> Value {
    double t = thisTime(a);
    if (std::isnan(t)) return t;
    return civilOf(t).*field;
  });
}

void setter(Machine& m, Object* proto, const char* name, std::vector<Field> fields) {
  m.method(proto, name, [fields](Machine& m, CallArgs& a) -> Value {
    Object* o = a.self.object();
    if (!o) return Value();
    double t = thisTime(a);
    Civil c = civilOf(std::isnan(t) ? 0 : t);
    for (size_t i = 0; i < fields.size() && i < a.size(); ++i) c.*fields[i] = m.toNumber(a.arg(i));
    o->primitive = timeOf(c);
    return o->primitive;
  });
}

}  // namespace

void installDateBuiltins(Machine& m) {
  Function* date = m.makeClass("Date", [](Machine& m, CallArgs& a) -> Value {
    double now = double(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::system_clock::now().time_since_epoch()).count());
    if (!a.constructing) return dateText(now);
    Object* o = a.self.object();
    if (!o) return Value();
    if (a.size() == 0) {
      o->primitive = now;
    } else if (a.size() == 1) {
      o->primitive = m.toNumber(a.arg(0));
    } else {
      Civil c;
      double* parts[] = {&c.year, &c.month, &c.day, &c.hours, &c.minutes, &c.seconds, &c.ms};
      for (size_t i = 0; i < a.size() && i < 7; ++i) *parts[i] = m.toNumber(a.arg(i));
      if (c.year >= 0 && c.year < 100) c.year += 1900;
      o->primitive = timeOf(c);
    }
    return a.self;
  });
  date->allocator = [](Machine& m, Object* proto) -> Object* { return m.heap().make<DateObject>(proto); };
  m.method(date, "UTC", [](Machine& m, CallArgs& a) -> Value {
    Civil c;
    double* parts[] = {&c.year, &c.month, &c.day, &c.hours, &c.minutes, &c.seconds, &c.ms};
    for (size_t i = 0; i < a.size() && i < 7; ++i) *parts[i] = m.toNumber(a.arg(i));
    if (c.year >= 0 && c.year < 100) c.year += 1900;
    return timeOf(c);
  });
  Object* proto = m.prototypeOf("Date");
  m.method(proto, "getTime", [](Machine&, CallArgs& a) -> Value { return thisTime(a); });
  m.method(proto, "valueOf", [](Machine&, CallArgs& a) -> Value { return thisTime(a); });
  m.method(proto, "toString", [](Machine&, CallArgs& a) -> Value { return dateText(thisTime(a)); });
  m.method(proto, "getTimezoneOffset", [](Machine&, CallArgs&) -> Value { return 0.0; });
  m.method(proto, "setTime", [](Machine& m, CallArgs& a) -> Value {
    if (Object* o = a.self.object()) o->primitive = m.toNumber(a.arg(0));
    return thisTime(a);
  });
  for (const char* prefix : {"get", "getUTC"}) {
    std::string p = prefix;
    getter(m, proto, (p + "FullYear").c_str(), &Civil::year);
    getter(m, proto, (p + "Month").c_str(), &Civil::month);
    getter(m, proto, (p + "Date").c_str(), &Civil::day);
    getter(m, proto, (p + "Day").c_str(), &Civil::weekday);
    getter(m, proto, (p + "Hours").c_str(), &Civil::hours);
    getter(m, proto, (p + "Minutes").c_str(), &Civil::minutes);
    getter(m, proto, (p + "Seconds").c_str(), &Civil::seconds);
    getter(m, proto, (p + "Milliseconds").c_str(), &Civil::ms);
  }
  m.method(proto, "getYear", [](Machine&, CallArgs& a) -> Value {
    double t = thisTime(a);
    return std::isnan(t) ? t : civilOf(t).year - 1900;
  });
  for (const char* prefix : {"set", "setUTC"}) {
    std::string p = prefix;
    setter(m, proto, (p + "FullYear").c_str(), {&Civil::year, &Civil::month, &Civil::day});
    setter(m, proto, (p + "Month").c_str(), {&Civil::month, &Civil::day});
    setter(m, proto, (p + "Date").c_str(), {&Civil::day});
    setter(m, proto, (p + "Hours").c_str(), {&Civil::hours, &Civil::minutes, &Civil::seconds, &Civil::ms});
    setter(m, proto, (p + "Minutes").c_str(), {&Civil::minutes, &Civil::seconds, &Civil::ms});
    setter(m, proto, (p + "Seconds").c_str(), {&Civil::seconds, &Civil::ms});
    setter(m, proto, (p + "Milliseconds").c_str(), {&Civil::ms});
  }
}

}  // namespace movie::script

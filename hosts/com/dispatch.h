#pragma once
// Calling automation objects: by dispatch identifier (the component's documented ids) or
// late-bound by name (GetIDsOfNames, then Invoke). Arguments are given first-to-last; the
// helpers reverse them as Invoke expects. Every failure throws ui::Error with the texts
// of errors.h.
#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "hosts/com/ptr.h"
#include "hosts/com/variant.h"

namespace hosts::com {

// Invoke with the given flags (DISPATCH_METHOD, DISPATCH_PROPERTYGET, ...). For a
// property put the value is the single argument, passed with DISPID_PROPERTYPUT.
Variant invoke(IDispatch* object, DISPID id, WORD flags, const std::vector<Variant>& args = {});

// By dispatch identifier.
Variant call(IDispatch* object, DISPID id, const std::vector<Variant>& args = {});
Variant get(IDispatch* object, DISPID id);
void put(IDispatch* object, DISPID id, const Variant& value);

// By name. A name the object does not know throws "Method '<name>' not supported by
// automation object".
DISPID idOfName(IDispatch* object, std::wstring_view name);
Variant callByName(IDispatch* object, std::wstring_view name, const std::vector<Variant>& args = {});
Variant getByName(IDispatch* object, std::wstring_view name);
void putByName(IDispatch* object, std::wstring_view name, const Variant& value);

// The object a result holds; an empty result, or one holding no object, throws
// "Invalid variant operation".
Ptr<IDispatch> objectOf(const Variant& value);

}  // namespace hosts::com

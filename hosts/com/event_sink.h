#pragma once
// The host's end of a component's events: an IDispatch that maps dispatch identifiers
// to handlers. Handlers run on the thread that delivers the event (the UI thread).
#include <functional>

#include "hosts/com/dispatch_object.h"

namespace hosts::com {

class EventSink : public DispatchObject {
 public:
  using Handler = std::function<void(const DispArgs&)>;
  EventSink() = default;
  // Binds a handler to an event id (replacing an earlier one). Unbound ids are accepted
  // and ignored, as an unassigned event is skipped.
  void on(DISPID id, Handler handler);

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

 private:
  std::vector<std::pair<DISPID, Handler>> handlers_;
};

}  // namespace hosts::com

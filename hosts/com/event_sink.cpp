#include "hosts/com/event_sink.h"

#include <exception>

#include "hosts/com/text.h"
#include "ui/text.h"

namespace hosts::com {

void EventSink::on(DISPID id, Handler handler) {
  for (auto& [known, h] : handlers_) {
    if (known == id) {
      h = std::move(handler);
      return;
    }
  }
  handlers_.emplace_back(id, std::move(handler));
}

HRESULT STDMETHODCALLTYPE EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                            VARIANT* result, EXCEPINFO* info, UINT*) {
  if (result) VariantInit(result);
  for (auto& [known, handler] : handlers_) {
    if (known != id) continue;
    if (!handler) return S_OK;
    DISPPARAMS none{};
    // The handler may rebind or unadvise: run a copy and keep the sink alive meanwhile.
    Handler h = handler;
    AddRef();
    HRESULT hr = S_OK;
    try {
      h(DispArgs(params ? params : &none));
    } catch (const std::exception& e) {
      if (info) {
        *info = EXCEPINFO{};
        info->scode = E_FAIL;
        std::wstring text = ui::widen(e.what());
        info->bstrDescription = SysAllocStringLen(text.data(), UINT(text.size()));
      }
      hr = DISP_E_EXCEPTION;
    } catch (...) {
      hr = E_UNEXPECTED;  // nothing foreign may cross the component boundary
    }
    Release();
    return hr;
  }
  return S_OK;  // an event nobody bound is skipped
}

}  // namespace hosts::com

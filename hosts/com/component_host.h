#pragma once
// ComponentHost: a windowed control that hosts one embedded component. It makes the
// component from its class identifier through the program's class registry (a class
// identifier no built-in class answers fails, so the form holding the control cannot
// be made), holds its automation object and embedding interface, advises an event sink
// whose handlers the derived host binds, puts the component's window inside its own
// and keeps it filling the client area. The derived host supplies the stored start
// settings the component receives.
#include <windows.h>
#include <oaidl.h>

#include "hosts/com/embedding.h"
#include "hosts/com/event_sink.h"
#include "hosts/com/ptr.h"
#include "ui/win_control.h"

namespace hosts::com {

class ComponentHost : public ui::WinControl {
 public:
  ~ComponentHost() override;

  // WM_ERASEBKGND is answered (the component's window covers the client area);
  // WM_SIZE places the component again.
  LRESULT wndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  // Makes the component; throws ui::Error when no class answers clsid or the object
  // lacks IDispatch or the embedding interface. The event sink is advised at once;
  // handlers bound later with onEvent() take effect from then on.
  ComponentHost(ui::Component* owner, const CLSID& clsid);

  IDispatch* dispatch() const { return dispatch_.get(); }
  IEmbeddedComponent* embedding() const { return embedding_.get(); }
  // Binds a handler to one of the component's events (by dispatch id).
  void onEvent(DISPID id, EventSink::Handler handler);

  // The stored start settings as the component receives them.
  virtual PropertyBag startSettings() const = 0;
  // Hands startSettings() to the component and answers its result.
  HRESULT loadSettings();
  // Called from initializeWindow() before the component's window is made. By default it
  // hands over the start settings, not checking the result.
  virtual void sendStartSettings();

  void createParams(ui::CreateParams& params) override;  // adds WS_CLIPCHILDREN
  void initializeWindow() override;
  void destroyWnd() override;

 private:
  void placeComponent();  // the component fills the client area

  Ptr<IDispatch> dispatch_;
  Ptr<IEmbeddedComponent> embedding_;
  Ptr<EventSink> sink_;
};

}  // namespace hosts::com

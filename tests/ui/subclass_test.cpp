// Window procedures put in front of a control's window with WindowSubclass: they see
// the window's messages, and the framework puts them back in front of every new
// window of the control (recreateWnd, or the parent's window being remade).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "probe.h"

using namespace uitest;

namespace {

constexpr UINT kPing = WM_APP + 17;

// Answers kPing with its own mark added to what the procedures behind it answer, and
// keeps a log of what the framework tells it.
class Marker : public ui::WindowSubclass {
 public:
  explicit Marker(LRESULT mark) : mark_(mark) {}
  std::vector<std::string> log;
  int pings = 0;
  bool recreatingAtDestroy = false;
  bool destroyed = false;

 protected:
  LRESULT windowProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == kPing) {
      ++pings;
      return callPrevious(msg, w, l) * 10 + mark_;
    }
    if (msg == WM_DESTROY) recreatingAtDestroy = control() && control()->recreating();
    return callPrevious(msg, w, l);
  }
  void windowRecreated() override { log.push_back("recreated"); }
  void controlDestroyed() override { log.push_back("control gone"); }

 private:
  LRESULT mark_;
};

// Detaches and destroys itself when the window is destroyed for good (not remade).
class SelfRemoving : public ui::WindowSubclass {
 public:
  explicit SelfRemoving(bool* gone) : gone_(gone) {}
  ~SelfRemoving() override { *gone_ = true; }

 protected:
  LRESULT windowProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == WM_DESTROY && !control()->recreating()) {
      LRESULT r = callPrevious(msg, w, l);
      detach();
      delete this;
      return r;
    }
    return callPrevious(msg, w, l);
  }

 private:
  bool* gone_;
};

// A control that answers kPing with 1 itself, so the order of the chain shows.
class Pinged : public ui::Panel {
 public:
  using ui::Panel::Panel;
  LRESULT wndProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == kPing) return 1;
    return ui::Panel::wndProc(msg, w, l);
  }
};

// Attaches a subclass to itself while its window is being made, as a skin does that
// themes the controls it is told of from inside a window's creation.
class AttachesWhileMade : public Pinged {
 public:
  AttachesWhileMade(ui::Component* owner, ui::WindowSubclass* s) : Pinged(owner), s_(s) {}
  LRESULT wndProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == WM_CREATE) s_->attach(*this);
    return Pinged::wndProc(msg, w, l);
  }

 private:
  ui::WindowSubclass* s_;
};

WNDPROC currentProc(HWND w) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)); }

struct SubclassFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(10, 10, 300, 200);
    panel = new Pinged(form.get());
    panel->setBounds(5, 5, 100, 100);
    panel->setParent(form.get());
    form->handle();
  }
  std::unique_ptr<ui::Form> form;
  Pinged* panel = nullptr;
};

WNDPROC gOuterPrevious = nullptr;
LRESULT CALLBACK outerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kPing) return CallWindowProcW(gOuterPrevious, w, msg, wp, lp) * 10 + 9;
  return CallWindowProcW(gOuterPrevious, w, msg, wp, lp);
}

}  // namespace

TEST_F(SubclassFixture, SeesTheMessagesOfTheWindow) {
  Marker m(2);
  m.attach(*panel);
  HWND w = panel->handle();
  EXPECT_EQ(currentProc(w), m.proc());
  EXPECT_EQ(m.window(), w);
  EXPECT_EQ(SendMessageW(w, kPing, 0, 0), 12);
  EXPECT_EQ(m.pings, 1);
  EXPECT_TRUE(m.log.empty());
}

TEST_F(SubclassFixture, StaysInFrontOfTheNewWindow) {
  Marker m(2);
  m.attach(*panel);
  HWND old = panel->handle();
  panel->recreateWnd();
  HWND now = panel->handle();
  ASSERT_NE(now, old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(currentProc(now), m.proc());
  EXPECT_EQ(m.window(), now);
  EXPECT_EQ(SendMessageW(now, kPing, 0, 0), 12);
  EXPECT_TRUE(m.recreatingAtDestroy);
  EXPECT_EQ(m.log, std::vector<std::string>{"recreated"});
}

TEST_F(SubclassFixture, StaysInFrontWhenTheParentWindowIsRemade) {
  Marker onPanel(2), onForm(3);
  onPanel.attach(*panel);
  onForm.attach(*form);
  HWND oldPanel = panel->handle();
  form->setFormBorderStyle(ui::FormBorderStyle::Single);  // remakes the form's window
  HWND newPanel = panel->handle();
  ASSERT_NE(newPanel, oldPanel);
  EXPECT_TRUE(onPanel.recreatingAtDestroy);  // the parent's remaking counts for the child
  EXPECT_EQ(currentProc(newPanel), onPanel.proc());
  EXPECT_EQ(currentProc(form->handle()), onForm.proc());
  EXPECT_EQ(SendMessageW(newPanel, kPing, 0, 0), 12);
  EXPECT_EQ(onPanel.log, std::vector<std::string>{"recreated"});
  EXPECT_EQ(onForm.log, std::vector<std::string>{"recreated"});
}

TEST_F(SubclassFixture, AttachedBeforeTheWindowIsMadeGoesInFrontOfIt) {
  auto* later = new Pinged(form.get());
  later->setBounds(120, 5, 50, 50);
  Marker m(4);
  m.attach(*later);
  EXPECT_FALSE(later->handleAllocated());
  EXPECT_EQ(m.window(), nullptr);
  later->setParent(form.get());  // the form has a window: the child's is made now
  ASSERT_TRUE(later->handleAllocated());
  EXPECT_EQ(currentProc(later->handle()), m.proc());
  EXPECT_EQ(SendMessageW(later->handle(), kPing, 0, 0), 14);
  EXPECT_TRUE(m.log.empty());  // a first window is no remaking
}

TEST_F(SubclassFixture, AttachedWhileTheWindowIsMadeGoesInFrontOnce) {
  Marker m(5);
  auto* child = new AttachesWhileMade(form.get(), &m);
  child->setBounds(120, 5, 50, 50);
  child->setParent(form.get());
  ASSERT_TRUE(child->handleAllocated());
  EXPECT_EQ(currentProc(child->handle()), m.proc());
  EXPECT_NE(m.previousProc(), m.proc());
  EXPECT_EQ(SendMessageW(child->handle(), kPing, 0, 0), 15);
  EXPECT_EQ(m.pings, 1);
}

TEST_F(SubclassFixture, KeepsTheOrderOfAttachmentInEveryWindow) {
  Marker inner(2), outer(3);
  inner.attach(*panel);
  outer.attach(*panel);
  EXPECT_EQ(SendMessageW(panel->handle(), kPing, 0, 0), 123);
  panel->recreateWnd();
  EXPECT_EQ(SendMessageW(panel->handle(), kPing, 0, 0), 123);
  EXPECT_EQ(currentProc(panel->handle()), outer.proc());
}

TEST_F(SubclassFixture, DetachPutsThePreviousProcedureBack) {
  HWND w = panel->handle();
  WNDPROC own = currentProc(w);
  Marker m(2);
  m.attach(*panel);
  m.detach();
  EXPECT_EQ(currentProc(w), own);
  EXPECT_EQ(m.control(), nullptr);
  EXPECT_EQ(SendMessageW(w, kPing, 0, 0), 1);
  panel->recreateWnd();  // no longer registered: the new window runs the control alone
  EXPECT_EQ(SendMessageW(panel->handle(), kPing, 0, 0), 1);
  EXPECT_EQ(m.pings, 0);
}

TEST_F(SubclassFixture, DetachBehindAnotherProcedureKeepsTheChainWhole) {
  HWND w = panel->handle();
  auto m = std::make_unique<Marker>(2);
  m->attach(*panel);
  gOuterPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&outerProc)));
  EXPECT_EQ(SendMessageW(w, kPing, 0, 0), 129);
  m->detach();
  m.reset();  // its code stays in the chain as a plain jump
  EXPECT_EQ(currentProc(w), &outerProc);
  EXPECT_EQ(SendMessageW(w, kPing, 0, 0), 19);
  SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gOuterPrevious));
  EXPECT_EQ(SendMessageW(w, kPing, 0, 0), 1);
}

TEST_F(SubclassFixture, MayRemoveItselfWhenTheWindowGoesForGood) {
  bool gone = false;
  auto* s = new SelfRemoving(&gone);
  s->attach(*panel);
  panel->recreateWnd();  // remade: it stays
  EXPECT_FALSE(gone);
  EXPECT_EQ(currentProc(panel->handle()), s->proc());
  panel->destroyHandle();  // destroyed without a new window: it goes
  EXPECT_TRUE(gone);
  EXPECT_EQ(SendMessageW(panel->handle(), kPing, 0, 0), 1);
}

TEST_F(SubclassFixture, HearsOfTheControlGoing) {
  Marker m(2);
  m.attach(*panel);
  HWND w = panel->handle();
  delete panel;
  panel = nullptr;
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(m.control(), nullptr);
  EXPECT_EQ(m.window(), nullptr);
  EXPECT_EQ(m.log, std::vector<std::string>{"control gone"});
}

TEST_F(SubclassFixture, EachSubclassHasItsOwnProcedure) {
  Marker a(1), b(2);
  EXPECT_NE(a.proc(), b.proc());
  a.attach(*panel);
  b.attach(*form);
  EXPECT_EQ(currentProc(panel->handle()), a.proc());
  EXPECT_EQ(currentProc(form->handle()), b.proc());
}

TEST_F(SubclassFixture, ANewSubclassTakesTheOldOnesPlace) {
  Marker inner(2), old(3), outer(4), successor(5);
  inner.attach(*panel);
  old.attach(*panel);
  outer.attach(*panel);
  HWND w = panel->handle();
  EXPECT_EQ(SendMessageW(w, kPing, 0, 0), 1234);
  successor.takePlaceOf(old);
  EXPECT_EQ(old.control(), nullptr);
  EXPECT_EQ(successor.control(), panel);
  EXPECT_EQ(successor.previousProc(), inner.proc());
  EXPECT_EQ(SendMessageW(w, kPing, 0, 0), 1254);
  EXPECT_EQ(old.pings, 1);
  panel->recreateWnd();  // the new window runs the successor in the old one's place
  EXPECT_EQ(SendMessageW(panel->handle(), kPing, 0, 0), 1254);
  outer.detach();
  EXPECT_EQ(currentProc(panel->handle()), successor.proc());
  Marker last(6);
  last.takePlaceOf(successor);  // the outermost one: the window's procedure changes
  EXPECT_EQ(currentProc(panel->handle()), last.proc());
  EXPECT_EQ(SendMessageW(panel->handle(), kPing, 0, 0), 126);
}

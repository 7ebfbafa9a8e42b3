#include "test_movies.h"

#include "tools/swf/actions.h"
#include "tools/swf/button_writer.h"
#include "tools/swf/swf_writer.h"

namespace hosts_test {

std::vector<uint8_t> letterboxMovie(int frames) {
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(kMovieBackground));
  swf::Shape stage;
  int fill = stage.addFill(swf::FillStyle::solid(swf::rgb(kStageColor)));
  stage.rect(0, 0, swf::twips(550), swf::twips(400), fill);
  tags.defineShape(1, stage, 3);
  for (int f = 0; f < frames; ++f) {
    swf::Place p;
    p.depth = 1;
    if (f == 0) {
      p.characterId = 1;
    } else {
      p.move = true;
    }
    p.matrix = swf::Matrix::translate(0, 0);
    tags.placeObject2(p);
    tags.showFrame();
  }
  tags.end();
  swf::MovieHeader h;
  h.stage = swf::Rect{0, swf::twips(550), 0, swf::twips(400)};
  h.frameRate = 12;
  return swf::writeMovie(h, tags);
}

namespace {

void defineRect(swf::TagList& tags, uint16_t id, int x, int y, int w, int h, uint32_t color) {
  swf::Shape shape;
  shape.rect(swf::twips(x), swf::twips(y), swf::twips(w), swf::twips(h),
             shape.addFill(swf::FillStyle::solid(swf::rgb(color))));
  tags.defineShape(id, shape, 3);
}

void placeNew(swf::TagList& tags, uint16_t depth, uint16_t id) {
  swf::Place p;
  p.depth = depth;
  p.characterId = id;
  tags.placeObject2(p);
}

// The tags as a 550 x 400 movie of version 6 at 12 frames a second.
std::vector<uint8_t> version6Movie(const swf::TagList& tags) {
  swf::MovieHeader h;
  h.version = 6;
  h.stage = swf::Rect{0, swf::twips(550), 0, swf::twips(400)};
  h.frameRate = 12;
  return swf::writeMovie(h, tags);
}

// A 550 x 400 movie of version 6 with one frame and its actions.
std::vector<uint8_t> oneFrameMovie(const swf::Actions& actions) {
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(kMovieBackground));
  swf::doAction(tags, actions);
  tags.showFrame();
  tags.end();
  return version6Movie(tags);
}

}  // namespace

std::vector<uint8_t> lessonWithButtonMovie() {
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(kMovieBackground));
  defineRect(tags, 1, 0, 0, 550, 400, kPreloaderColor);
  defineRect(tags, 2, 0, 0, 550, 400, kStoryColor);
  defineRect(tags, 3, 0, 0, 550, 400, kEndingColor);
  defineRect(tags, 4, 175, 150, 200, 100, kNextUp);
  defineRect(tags, 5, 175, 150, 200, 100, kNextOver);
  defineRect(tags, 6, 175, 150, 200, 100, kNextDown);
  swf::Actions next;
  next.op(swf::Actions::kNextFrame);
  swf::defineButton2(tags, 10, swf::threeStates(4, 5, 6), {{swf::kOverDownToOverUp, 0, next}});

  // Frames 1 and 2: the preloader, until every frame arrived.
  placeNew(tags, 1, 1);
  tags.showFrame();
  swf::Actions preload;
  swf::Actions::Label loading = preload.label(), done = preload.label();
  preload.push({"", 12}).op(swf::Actions::kGetProperty);  // _framesloaded
  preload.push({"", 5}).op(swf::Actions::kGetProperty);   // _totalframes
  preload.op(swf::Actions::kLess2).ifTrue(loading);
  preload.gotoFrame(2).op(swf::Actions::kStop).jump(done);
  preload.mark(loading).gotoFrame(0).op(swf::Actions::kPlay);
  preload.mark(done);
  swf::doAction(tags, preload);
  tags.showFrame();
  // Frame 3: the story stops and waits for "next".
  tags.removeObject2(1);
  placeNew(tags, 1, 2);
  placeNew(tags, 2, 10);
  swf::Actions stop;
  stop.op(swf::Actions::kStop);
  swf::doAction(tags, stop);
  tags.showFrame();
  // Frame 4: the ending tells the host.
  tags.removeObject2(2);
  tags.removeObject2(1);
  placeNew(tags, 1, 3);
  swf::Actions ending;
  ending.op(swf::Actions::kStop).getUrl("fscommand:lessonEnd", "done");
  ending.getUrl("https://www.example.com/next", "_blank").getUrl("file:///C:/x.txt", "_blank");
  swf::doAction(tags, ending);
  tags.showFrame();
  tags.end();
  return version6Movie(tags);
}

std::vector<uint8_t> wheelMovie() {
  // l = new Object(); l.onMouseWheel = function (d) { getURL("fscommand:wheel", d); };
  // Mouse.addListener(l);
  swf::Actions tell;
  tell.push({"fscommand:wheel", "d"}).op(swf::Actions::kGetVariable).getUrl2(0);
  swf::Actions a;
  a.push({"l", 0, "Object"}).op(swf::Actions::kNewObject).op(swf::Actions::kSetVariable);
  a.push({"l"}).op(swf::Actions::kGetVariable).push({"onMouseWheel"});
  a.function("", {"d"}, tell);
  a.op(swf::Actions::kSetMember);
  a.push({"l"}).op(swf::Actions::kGetVariable).push({1, "Mouse"}).op(swf::Actions::kGetVariable);
  a.push({"addListener"}).op(swf::Actions::kCallMethod).op(swf::Actions::kPop);
  a.op(swf::Actions::kStop);
  return oneFrameMovie(a);
}

std::vector<uint8_t> keyMovie() {
  // l = new Object(); l.onKeyDown = function () { getURL("fscommand:key", Key.getAscii()); };
  // Key.addListener(l);
  swf::Actions tell;
  tell.push({"fscommand:key", 0, "Key"}).op(swf::Actions::kGetVariable);
  tell.push({"getAscii"}).op(swf::Actions::kCallMethod).getUrl2(0);
  swf::Actions a;
  a.push({"l", 0, "Object"}).op(swf::Actions::kNewObject).op(swf::Actions::kSetVariable);
  a.push({"l"}).op(swf::Actions::kGetVariable).push({"onKeyDown"});
  a.function("", {}, tell);
  a.op(swf::Actions::kSetMember);
  a.push({"l"}).op(swf::Actions::kGetVariable).push({1, "Key"}).op(swf::Actions::kGetVariable);
  a.push({"addListener"}).op(swf::Actions::kCallMethod).op(swf::Actions::kPop);
  a.op(swf::Actions::kStop);
  return oneFrameMovie(a);
}

std::vector<uint8_t> loadVarsMovie(bool post) {
  // lv = new LoadVars();
  // lv.onLoad = function (ok) { getURL(ok ? "fscommand:loaded" : "fscommand:failed", this.word); };
  // lv.load("words.txt"), or with post: lv.name = "Tom & Jerry"; lv.sendAndLoad("words.txt", lv, "POST");
  swf::Actions tell;
  swf::Actions::Label failed = tell.label(), send = tell.label();
  tell.push({"ok"}).op(swf::Actions::kGetVariable).op(swf::Actions::kNot).ifTrue(failed);
  tell.push({"fscommand:loaded"}).jump(send);
  tell.mark(failed).push({"fscommand:failed"});
  tell.mark(send).push({"this"}).op(swf::Actions::kGetVariable).push({"word"}).op(swf::Actions::kGetMember);
  tell.getUrl2(0);
  swf::Actions a;
  a.push({"lv", 0, "LoadVars"}).op(swf::Actions::kNewObject).op(swf::Actions::kSetVariable);
  a.push({"lv"}).op(swf::Actions::kGetVariable).push({"onLoad"});
  a.function("", {"ok"}, tell);
  a.op(swf::Actions::kSetMember);
  if (post) {
    a.push({"lv"}).op(swf::Actions::kGetVariable).push({"name", "Tom & Jerry"}).op(swf::Actions::kSetMember);
    a.push({"POST", "lv"}).op(swf::Actions::kGetVariable).push({"words.txt", 3, "lv"}).op(swf::Actions::kGetVariable);
    a.push({"sendAndLoad"}).op(swf::Actions::kCallMethod);
  } else {
    a.push({"words.txt", 1, "lv"}).op(swf::Actions::kGetVariable).push({"load"}).op(swf::Actions::kCallMethod);
  }
  a.op(swf::Actions::kPop).op(swf::Actions::kStop);
  return oneFrameMovie(a);
}

std::vector<uint8_t> brokenMovie() {
  std::vector<uint8_t> bytes = letterboxMovie(2);
  // Keep the header's first bytes, damage the rest.
  for (size_t i = 4; i < bytes.size(); ++i) bytes[i] = uint8_t(0xA5 ^ i);
  return bytes;
}

}  // namespace hosts_test

// The shared fetcher against a server inside the test: bytes in order, failures with a
// reason, redirects followed up to a bound, cancellation that silences every handler.
#include <gtest/gtest.h>

#include "hosts/net/fetch.h"
#include "test_support.h"

namespace {

using hosts::net::fetch;
using hosts::net::FetchHandlers;
using hosts_test::HttpServer;
using hosts_test::pumpUntil;

struct Record {
  int responses = 0;
  hosts::net::Response response;
  std::vector<uint8_t> bytes;
  int chunks = 0;
  bool done = false;
  bool failed = false;
  std::wstring reason;
  bool dataAfterEnd = false;

  FetchHandlers handlers() {
    FetchHandlers h;
    h.response = [this](const hosts::net::Response& r) {
      ++responses;
      response = r;
    };
    h.data = [this](std::vector<uint8_t>&& c) {
      if (done || failed) dataAfterEnd = true;
      ++chunks;
      bytes.insert(bytes.end(), c.begin(), c.end());
    };
    h.done = [this] { done = true; };
    h.failed = [this](const std::wstring& r) {
      failed = true;
      reason = r;
    };
    return h;
  }
  bool ended() const { return done || failed; }
};

std::vector<uint8_t> pattern(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i * 7 + i / 251);
  return v;
}

TEST(Fetching, BytesArriveInOrderOnTheCallingThread) {
  HttpServer server;
  HttpServer::Route route;
  route.body = pattern(100000);
  route.contentType = "application/x-shockwave-flash";
  route.chunk = 9000;
  server.serve("/edu/3/01.swf", route);
  Record r;
  const DWORD thread = GetCurrentThreadId();
  bool otherThread = false;
  FetchHandlers h = r.handlers();
  auto data = h.data;
  h.data = [&, data](std::vector<uint8_t>&& c) {
    if (GetCurrentThreadId() != thread) otherThread = true;
    data(std::move(c));
  };
  auto f = fetch(server.url("/edu/3/01.swf"), h);
  EXPECT_EQ(r.responses, 0) << "nothing is handed over inside fetch()";
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.done) << std::string(r.reason.begin(), r.reason.end());
  EXPECT_EQ(r.responses, 1);
  EXPECT_EQ(r.response.status, 200u);
  EXPECT_EQ(r.response.contentLength, 100000u);
  EXPECT_EQ(r.response.contentType, L"application/x-shockwave-flash");
  EXPECT_EQ(r.bytes, route.body);
  EXPECT_GE(r.chunks, 2);
  EXPECT_FALSE(otherThread);
  EXPECT_FALSE(r.dataAfterEnd);
  EXPECT_FALSE(f->active());
}

TEST(Fetching, ManySmallChunksWhileTheLoopIsBusy) {
  HttpServer server;
  HttpServer::Route route;
  route.body = pattern(3u << 20);
  server.serve("/many", route);
  Record r;
  hosts::net::FetchOptions o;
  o.chunkSize = 256;  // 12288 chunks, more than a message queue takes
  auto f = fetch(server.url("/many"), r.handlers(), o);
  // The UI thread does not look at its queue until the worker has read everything.
  const DWORD start = GetTickCount();
  while (hosts::net::runningWorkers() > 0 && GetTickCount() - start < 20000) Sleep(5);
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.done);
  EXPECT_EQ(r.bytes.size(), route.body.size());
  EXPECT_TRUE(r.bytes == route.body);
}

TEST(Fetching, EachFetchGoesToTheServer) {
  HttpServer server;
  server.serve("/a", HttpServer::Route{{1, 2, 3}});
  for (int i = 0; i < 2; ++i) {
    Record r;
    auto f = fetch(server.url("/a"), r.handlers());
    ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
    EXPECT_TRUE(r.done);
  }
  EXPECT_EQ(server.hits("/a"), 2) << "nothing is answered from a cache";
}

TEST(Fetching, MissingPageFailsWithItsStatus) {
  HttpServer server;
  Record r;
  auto f = fetch(server.url("/nothing.swf"), r.handlers());
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(r.reason, L"HTTP 404");
  EXPECT_EQ(r.chunks, 0);
}

TEST(Fetching, NothingListeningFailsWithAReason) {
  Record r;
  auto f = fetch(L"http://127.0.0.1:" + std::to_wstring(hosts_test::unusedPort()) + L"/x.swf", r.handlers());
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }, 20000));
  EXPECT_TRUE(r.failed);
  EXPECT_FALSE(r.reason.empty());
}

TEST(Fetching, TooLargeFails) {
  HttpServer server;
  server.serve("/big", HttpServer::Route{pattern(50000)});
  Record r;
  hosts::net::FetchOptions o;
  o.maxBytes = 20000;
  o.chunkSize = 4096;
  auto f = fetch(server.url("/big"), r.handlers(), o);
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.failed);
  EXPECT_LE(r.bytes.size(), 20000u);
}

TEST(Fetching, FollowsARelativeRedirectAndReportsTheAddressAfterIt) {
  HttpServer server;
  server.serve("/old/movie.swf", HttpServer::Route::redirect("../new/movie.swf", 301));
  server.serve("/new/movie.swf", HttpServer::Route{{4, 5, 6}});
  Record r;
  auto f = fetch(server.url("/old/movie.swf"), r.handlers());
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.done) << std::string(r.reason.begin(), r.reason.end());
  EXPECT_EQ(r.responses, 1);
  EXPECT_EQ(r.response.status, 200u);
  EXPECT_EQ(r.response.finalUrl, server.url("/new/movie.swf"));
  EXPECT_EQ(r.bytes, (std::vector<uint8_t>{4, 5, 6}));
  EXPECT_EQ(server.hits("/old/movie.swf"), 1);
  EXPECT_EQ(server.hits("/new/movie.swf"), 1);
}

TEST(Fetching, FollowsAnAbsoluteRedirect) {
  HttpServer server;
  std::wstring target = server.url("/there");
  server.serve("/here", HttpServer::Route::redirect(std::string(target.begin(), target.end()), 307));
  server.serve("/there", HttpServer::Route{{7}});
  Record r;
  auto f = fetch(server.url("/here"), r.handlers());
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.done);
  EXPECT_EQ(r.response.finalUrl, target);
}

TEST(Fetching, ARedirectChainUpToTheBoundIsFollowed) {
  HttpServer server;
  for (int i = 0; i < 3; ++i)
    server.serve("/hop" + std::to_string(i), HttpServer::Route::redirect("/hop" + std::to_string(i + 1)));
  server.serve("/hop3", HttpServer::Route{{1}});
  Record r;
  hosts::net::FetchOptions o;
  o.maxRedirects = 3;
  auto f = fetch(server.url("/hop0"), r.handlers(), o);
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.done);
  EXPECT_EQ(r.response.finalUrl, server.url("/hop3"));
}

TEST(Fetching, EndlessRedirectsFailAfterTheBound) {
  HttpServer server;
  server.serve("/loop", HttpServer::Route::redirect("/loop"));
  Record r;
  hosts::net::FetchOptions o;
  o.maxRedirects = 4;
  auto f = fetch(server.url("/loop"), r.handlers(), o);
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }, 20000)) << "the loop never ended";
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(r.reason, L"重定向次数过多");
  EXPECT_EQ(r.responses, 0);
  EXPECT_EQ(r.chunks, 0);
  EXPECT_EQ(server.hits("/loop"), 5) << "the first request and four redirects";
}

TEST(Fetching, NoRedirectsAllowedFailsOnTheFirst) {
  HttpServer server;
  server.serve("/a", HttpServer::Route::redirect("/b"));
  server.serve("/b", HttpServer::Route{{1}});
  Record r;
  hosts::net::FetchOptions o;
  o.maxRedirects = 0;
  auto f = fetch(server.url("/a"), r.handlers(), o);
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(server.hits("/b"), 0);
}

TEST(Fetching, AFormGoesWithPostAndASeeOtherRedirectFetchesWithGet) {
  HttpServer server;
  server.serve("/send", HttpServer::Route::redirect("/thanks", 303));
  server.serve("/thanks", HttpServer::Route{{9}});
  Record r;
  hosts::net::FetchOptions o;
  o.form = "a=1&b=two%20words";
  auto f = fetch(server.url("/send"), r.handlers(), o);
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.done) << std::string(r.reason.begin(), r.reason.end());
  EXPECT_EQ(r.bytes, (std::vector<uint8_t>{9}));
  HttpServer::Received sent = server.received("/send");
  EXPECT_EQ(sent.method, "POST");
  EXPECT_EQ(sent.contentType, "application/x-www-form-urlencoded");
  EXPECT_EQ(sent.body, "a=1&b=two%20words");
  HttpServer::Received after = server.received("/thanks");
  EXPECT_EQ(after.method, "GET");
  EXPECT_EQ(after.body, "");
}

TEST(Fetching, AFormLargerThanTheBoundIsNotSent) {
  HttpServer server;
  server.serve("/send", HttpServer::Route{{1}});
  Record r;
  hosts::net::FetchOptions o;
  o.maxBytes = 10;
  o.form = std::string(11, 'x');
  auto f = fetch(server.url("/send"), r.handlers(), o);
  ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(server.hits("/send"), 0);
}

TEST(Fetching, RedirectsLeaveTheWebForNothing) {
  HttpServer server;
  server.serve("/to-file", HttpServer::Route::redirect("file:///C:/windows/win.ini"));
  server.serve("/to-ftp", HttpServer::Route::redirect("ftp://127.0.0.1/x"));
  for (const char* path : {"/to-file", "/to-ftp"}) {
    Record r;
    auto f = fetch(server.url(path), r.handlers());
    ASSERT_TRUE(pumpUntil([&] { return r.ended(); }));
    EXPECT_TRUE(r.failed) << path;
    EXPECT_EQ(r.chunks, 0) << path;
  }
  Record direct;
  auto f = fetch(L"file:///C:/windows/win.ini", direct.handlers());
  ASSERT_TRUE(pumpUntil([&] { return direct.ended(); }));
  EXPECT_TRUE(direct.failed);
  EXPECT_EQ(direct.chunks, 0);
}

TEST(Fetching, CancelSilencesHandlersAndEndsTheWorker) {
  HttpServer server;
  HttpServer::Route slow;
  slow.body = pattern(4000);
  slow.hold = true;
  server.serve("/held", slow);
  Record r;
  auto f = fetch(server.url("/held"), r.handlers());
  ASSERT_TRUE(pumpUntil([&] { return server.hits("/held") == 1 && r.responses == 1; }));
  f->cancel();
  EXPECT_FALSE(f->active());
  server.release();
  // The worker notices, closes its handles and ends; nothing more reaches the handlers.
  ASSERT_TRUE(pumpUntil([] { return hosts::net::runningWorkers() == 0; }));
  hosts_test::pumpPosted();  // whatever the worker posted before it ended
  EXPECT_EQ(r.chunks, 0);
  EXPECT_FALSE(r.ended());
}

TEST(Fetching, DestroyingTheFetchCancels) {
  HttpServer server;
  server.serve("/a", HttpServer::Route{pattern(1000)});
  Record r;
  fetch(server.url("/a"), r.handlers()).reset();
  ASSERT_TRUE(pumpUntil([] { return hosts::net::runningWorkers() == 0; }));
  hosts_test::pumpPosted();
  EXPECT_EQ(r.responses, 0);
  EXPECT_FALSE(r.ended());
}

}  // namespace

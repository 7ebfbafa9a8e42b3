#include "hosts/flash/script_fetcher.h"

#include <windows.h>

#include "ui/text.h"

namespace hosts::flash {
ScriptFetcher::~ScriptFetcher() { cancelAll(); }

void ScriptFetcher::fetch(int id, const std::string& url, bool post, const std::string& body) {
  Open& open = open_[id];
  net::FetchHandlers h;
  h.data = [this, id](std::vector<uint8_t>&& chunk) {
    auto it = open_.find(id);
    if (it != open_.end()) it->second.bytes.insert(it->second.bytes.end(), chunk.begin(), chunk.end());
  };
  h.done = [this, id] { finish(id, true); };
  h.failed = [this, id](const std::wstring&) { finish(id, false); };
  net::FetchOptions options;
  options.maxBytes = maxBytes_;
  if (post) options.form = body;
  open.fetch = net::fetch(ui::fromUtf8(url), std::move(h), options);
}

void ScriptFetcher::finish(int id, bool ok) {
  auto it = open_.find(id);
  if (it == open_.end()) return;
  std::vector<uint8_t> bytes = std::move(it->second.bytes);
  open_.erase(it);  // the fetch has ended; its handler returns right after this
  bool changed = player_.fetchDone(id, ok, bytes.data(), bytes.size());
  if (changed && changed_) changed_();
}

void ScriptFetcher::cancel(int id) { open_.erase(id); }

void ScriptFetcher::cancelAll() { open_.clear(); }

}  // namespace hosts::flash

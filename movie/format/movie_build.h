#pragma once
// The movie as its tags build it: the definition, the warnings, the first fatal error,
// and the whole-movie budgets that keep a small hostile file from describing huge work.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "movie/format/movie_def.h"

namespace movie::format {

class MovieBuild {
 public:
  MovieDef& movie() { return movie_; }
  const MovieDef& movie() const { return movie_; }

  // Keeps the first few warnings; a damaged tag that only loses itself is a warning.
  void warn(const std::string& message);
  // The first failure wins; a failed movie reads no further tags.
  void fail(const std::string& message);
  bool failed() const { return failed_; }
  const std::string& error() const { return error_; }
  const std::vector<std::string>& warnings() const { return warnings_; }

  // Each counts against its budget; false (and the movie failed) once it is spent.
  bool countControlTag();
  bool addEdges(size_t count);
  bool addBitmapPixels(size_t count);

  // The first definition of an id wins, as later ones would break earlier placements.
  void addCharacter(uint16_t id, Character c);
  // An earlier bitmap definition by id, or null.
  std::shared_ptr<const Bitmap> bitmap(uint16_t id) const;

 private:
  MovieDef movie_;
  bool failed_ = false;
  std::string error_;
  std::vector<std::string> warnings_;
  size_t controlTags_ = 0, edges_ = 0, bitmapPixels_ = 0;
};

}  // namespace movie::format

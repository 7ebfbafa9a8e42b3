#pragma once
// What a script asks the player to load: a movie into a clip or a level, variables into
// a clip, or text for a LoadVars object. The player fetches it and hands it over later.
#include <string>

namespace movie::script {

class Object;

struct LoadRequest {
  // Assets: a movie whose exported characters another imports (not asked by scripts).
  enum class Kind { Movie, Variables, Data, Assets };
  Kind kind = Kind::Movie;
  std::string url;         // as the script gave it (relative to the movie's address)
  bool post = false;       // variables go in the body instead of the address
  std::string variables;   // url-encoded variables sent along (empty: none)
  Object* target = nullptr;  // the clip (Movie, Variables) or the LoadVars object (Data)
  int level = -1;          // a level in place of a clip (Movie, Variables)
  Object* loader = nullptr;  // a MovieClipLoader whose listeners hear the progress
};

}  // namespace movie::script

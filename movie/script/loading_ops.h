#pragma once
// The script side of loading: the getURL forms that load movies and variables into
// clips and levels, and the url-encoded variables sent and received.
#include <string>

#include "movie/script/activation.h"
#include "movie/script/machine.h"

namespace movie::script {

// name=value&... of an object's own enumerable values (functions left out), escaped.
std::string encodeVariables(Machine& m, Object* object);
// Sets the name=value pairs of url-encoded text as members of target.
void decodeVariables(Machine& m, Object* target, const std::string& text);
// The level a target names ("_level3" is 3), or -1 when it names none.
int levelOf(const std::string& target);
// The method a script names ("GET", "POST", any case) as getURL's flags count it: 0, 1, 2.
int methodOf(const std::string& name);

// Loads url as a movie, or as variables, into target: a level ("_levelN") or a clip
// (a path from the running timeline, or a clip object). An empty url unloads a movie.
// method 1 or 2 sends the running timeline's variables (GET or POST).
void loadInto(Machine& m, Activation* act, const std::string& url, const Value& target, bool variables, int method);

}  // namespace movie::script

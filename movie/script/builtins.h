#pragma once
// The built-in objects, each group installed on a machine's _global.
#include <string>
#include <vector>

#include "movie/script/value.h"

namespace movie::script {

class Machine;
class Object;
struct CallArgs;

void installObjectBuiltins(Machine& m);
void installFunctionBuiltins(Machine& m);
void installArrayBuiltins(Machine& m);
void installStringBuiltins(Machine& m);
void installNumberBuiltins(Machine& m);
void installMathBuiltins(Machine& m);
void installGlobalFunctions(Machine& m);
void installDateBuiltins(Machine& m);
void installMovieClipBuiltins(Machine& m);
void installDragBuiltins(Machine& m);  // MovieClip.startDrag, stopDrag
// moveTo, lineTo, beginFill and the other drawing methods, on MovieClip.prototype.
void installDrawingMethods(Machine& m, Object* clipPrototype);
void installInputBuiltins(Machine& m);  // Key, Mouse, AsBroadcaster
void installGeomBuiltins(Machine& m);   // flash.geom.Rectangle
// A flash.geom.Rectangle (pixels).
Object* newRectangle(Machine& m, double x, double y, double width, double height);

// Calls name on each listener of a broadcaster (Key, Mouse, an AsBroadcaster object);
// true when it had listeners.
Value broadcast(Machine& m, Object* source, const std::string& name, const std::vector<Value>& args = {});
void installSoundBuiltins(Machine& m);
void installColorBuiltins(Machine& m);
void installStageBuiltins(Machine& m);
void installLoaderBuiltins(Machine& m);  // LoadVars, MovieClipLoader
// Calls onSoundComplete of the Sound objects whose start has played out; true when any ran.
bool runSoundCompletions(Machine& m);

// A String wrapper object for a primitive string.
Object* newStringObject(Machine& m, const std::string& s);
// The text a String method works on: this as a string.
std::string thisString(Machine& m, const CallArgs& a);

}  // namespace movie::script

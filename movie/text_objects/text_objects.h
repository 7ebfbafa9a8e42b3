#pragma once
// The text objects of scripts: the TextField class (the prototype of every field's
// object, with setTextFormat and its kin), TextFormat, Selection, and
// MovieClip.createTextField.
#include "movie/script/machine.h"
#include "movie/text_objects/text_environment.h"
#include "movie/timeline/field_node.h"

namespace movie::text_objects {

// env must outlive the machine.
void installTextObjects(script::Machine& m, TextEnvironment& env);
// The object a field gets when scripts first see it.
script::ClipObject* newFieldObject(script::Machine& m, timeline::FieldNode& node, TextEnvironment& env);

void installSelection(script::Machine& m, TextEnvironment& env);

}  // namespace movie::text_objects

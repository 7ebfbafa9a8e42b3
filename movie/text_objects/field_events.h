#pragma once
// What scripts hear from text fields: onChanged when the user edits a field's text (to
// the field and its listeners), and on a change of focus onKillFocus to the field that
// lost it, onSetFocus to the one that got it, and Selection's onSetFocus to its listeners.
#include "movie/script/machine.h"
#include "movie/text_objects/text_environment.h"
#include "movie/timeline/field_node.h"

namespace movie::text_objects {

// The focused field's node and script object (null: no field has the focus).
timeline::FieldNode* focusedField(script::Machine& m, TextEnvironment& env);
script::Object* focusedObject(script::Machine& m, TextEnvironment& env);

void announceChange(script::Machine& m, script::Object* field);
void announceFocus(script::Machine& m, script::Object* before, script::Object* after);

}  // namespace movie::text_objects

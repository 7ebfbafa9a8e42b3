#pragma once
// What scripts hear from text fields: onChanged when the user edits a field's text (to
// the field and its listeners), and on a change of focus onKillFocus to the field that
// lost it, onSetFocus to the one that got it, and Selection's onSetFocus to its listeners.
#include "movie/script/machine.h"
#include "movie/text_objects/text_environment.h"
#include "movie/timeline/field_node.h"

namespace movie::text_objects {

// The focused field's node (null: no field has the focus), and the script object of
// what has the focus, a field, a button or a clip (null: nothing has it).
timeline::FieldNode* focusedField(script::Machine& m, TextEnvironment& env);
script::Object* focusedObject(script::Machine& m, TextEnvironment& env);
// Gives the focus to a field, a button or a clip (null: to nothing), telling scripts.
void moveFocus(script::Machine& m, TextEnvironment& env, script::Object* to);

void announceChange(script::Machine& m, script::Object* field);
void announceFocus(script::Machine& m, script::Object* before, script::Object* after);

}  // namespace movie::text_objects

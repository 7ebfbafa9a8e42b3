#include "movie/text_objects/text_environment.h"

#include "movie/timeline/field_node.h"

namespace movie::text_objects {

text::FontLibrary* fontsFor(const TextEnvironment& env, const timeline::FieldNode& field) {
  text::FontLibrary* own = field.fonts();
  return own ? own : env.fonts;
}

}  // namespace movie::text_objects

#pragma once
// Device fonts for tests: the faces the set-up installs and no others, so that device text
// is drawn alike on every machine, whatever desktop fonts it has besides.
#include "hosts/native/freetype_font_service.h"

namespace movie_test {

class TestFontService : public hosts::FreetypeFontService {
 public:
  TestFontService() : FreetypeFontService(BRIMBLO_SOURCE_DIR "/tests/movie/device-fonts.conf") {}
};

}  // namespace movie_test

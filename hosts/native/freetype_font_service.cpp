#include "hosts/native/freetype_font_service.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>

namespace hosts {

// A face file and index that fontconfig picked (outside the anonymous namespace, as the
// service's state holds it).
struct FaceFile {
  std::string path;
  int index = 0;
  bool operator<(const FaceFile& o) const { return path != o.path ? path < o.path : index < o.index; }
};

namespace {

using movie::text::DeviceGlyph;
using movie::text::FaceRequest;
using movie::text::kDeviceUnitsPerEm;

const char* genericFamily(const std::string& name) {
  if (name == "_sans") return "sans-serif";
  if (name == "_serif") return "serif";
  if (name == "_typewriter") return "monospace";
  return nullptr;
}

struct PathSink {
  movie::render::Path* path;
  float scale;
  FT_Vector last{0, 0};
  float x(FT_Pos v) const { return float(v) * scale; }
  float y(FT_Pos v) const { return -float(v) * scale; }  // FreeType's y grows upwards
};

int moveTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  s->path->moveTo(s->x(to->x), s->y(to->y));
  s->last = *to;
  return 0;
}

int lineTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  s->path->lineTo(s->x(to->x), s->y(to->y));
  s->last = *to;
  return 0;
}

int conicTo(const FT_Vector* c, const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  s->path->quadTo(s->x(c->x), s->y(c->y), s->x(to->x), s->y(to->y));
  s->last = *to;
  return 0;
}

// Cubic segments (CFF faces) are split in half; each half becomes the quadratic whose
// control point best matches its two.
int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  struct P { double x, y; };
  auto mid = [](P a, P b) { return P{(a.x + b.x) / 2, (a.y + b.y) / 2}; };
  P p0{double(s->last.x), double(s->last.y)}, p1{double(c1->x), double(c1->y)};
  P p2{double(c2->x), double(c2->y)}, p3{double(to->x), double(to->y)};
  P a = mid(p0, p1), b = mid(p1, p2), c = mid(p2, p3), ab = mid(a, b), bc = mid(b, c), m = mid(ab, bc);
  auto quad = [&](P from, P k1, P k2, P end) {
    P q{(3 * (k1.x + k2.x) - from.x - end.x) / 4, (3 * (k1.y + k2.y) - from.y - end.y) / 4};
    s->path->quadTo(s->x(FT_Pos(q.x)), s->y(FT_Pos(q.y)), s->x(FT_Pos(end.x)), s->y(FT_Pos(end.y)));
  };
  quad(p0, a, ab, m);
  quad(m, bc, c, p3);
  s->last = *to;
  return 0;
}

}  // namespace

struct FreetypeFontService::Impl {
  FT_Library library = nullptr;
  FcConfig* config = nullptr;
  std::map<FaceFile, FT_Face> faces;
  std::map<FaceRequest, FaceFile> named;
  std::map<std::pair<FaceRequest, char32_t>, FaceFile> fallbacks;

  explicit Impl(const std::string& configFile) {
    FT_Init_FreeType(&library);
    config = configFile.empty() ? FcInitLoadConfigAndFonts() : loadConfig(configFile);
  }
  static FcConfig* loadConfig(const std::string& file) {
    FcConfig* c = FcConfigCreate();
    if (c && FcConfigParseAndLoad(c, reinterpret_cast<const FcChar8*>(file.c_str()), FcTrue) &&
        FcConfigBuildFonts(c))
      return c;
    if (c) FcConfigDestroy(c);
    return nullptr;
  }
  ~Impl() {
    for (auto& [file, face] : faces)
      if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
    if (config) FcConfigDestroy(config);
  }

  FcPattern* pattern(const FaceRequest& r) {
    FcPattern* p = FcPatternCreate();
    const char* generic = genericFamily(r.name);
    std::string family = generic ? generic : r.name.empty() ? "serif" : r.name;
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(p, FC_WEIGHT, r.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(p, FC_SLANT, r.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(p, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, p, FcMatchPattern);
    FcDefaultSubstitute(p);
    return p;
  }

  static FaceFile fileOf(FcPattern* match) {
    FaceFile f;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) f.path = reinterpret_cast<char*>(file);
    if (match) FcPatternGetInteger(match, FC_INDEX, 0, &f.index);
    return f;
  }

  FaceFile match(const FaceRequest& r) {
    auto it = named.find(r);
    if (it != named.end()) return it->second;
    FaceFile f;
    if (config) {
      FcPattern* p = pattern(r);
      FcResult result;
      FcPattern* m = FcFontMatch(config, p, &result);
      f = fileOf(m);
      if (m) FcPatternDestroy(m);
      FcPatternDestroy(p);
    }
    return named.emplace(r, f).first->second;
  }

  // The first face in fontconfig's order for the request that has the character.
  FaceFile fallback(const FaceRequest& r, char32_t code) {
    auto key = std::make_pair(r, code);
    auto it = fallbacks.find(key);
    if (it != fallbacks.end()) return it->second;
    FaceFile f;
    if (config) {
      FcPattern* p = pattern(r);
      FcCharSet* chars = FcCharSetCreate();
      FcCharSetAddChar(chars, FcChar32(code));
      FcPatternAddCharSet(p, FC_CHARSET, chars);
      FcResult result;
      FcFontSet* set = FcFontSort(config, p, FcFalse, nullptr, &result);
      for (int i = 0; set && i < set->nfont; ++i) {
        FcCharSet* has = nullptr;
        if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &has) == FcResultMatch && FcCharSetHasChar(has, code)) {
          f = fileOf(set->fonts[i]);
          break;
        }
      }
      if (set) FcFontSetDestroy(set);
      FcCharSetDestroy(chars);
      FcPatternDestroy(p);
    }
    if (fallbacks.size() > 50'000) fallbacks.clear();
    return fallbacks.emplace(key, f).first->second;
  }

  FT_Face open(const FaceFile& f) {
    if (f.path.empty() || !library) return nullptr;
    auto it = faces.find(f);
    if (it != faces.end()) return it->second;
    FT_Face face = nullptr;
    if (FT_New_Face(library, f.path.c_str(), f.index, &face) != 0) face = nullptr;
    return faces.emplace(f, face).first->second;
  }

  // Bold and italic the face lacks are made from its outline.
  static void synthesize(FT_Face face, const FaceRequest& r) {
    FT_Outline* o = &face->glyph->outline;
    if (r.bold && !(face->style_flags & FT_STYLE_FLAG_BOLD)) FT_Outline_Embolden(o, face->units_per_EM / 24);
    if (r.italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC)) {
      FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
      FT_Outline_Transform(o, &shear);
    }
  }

  bool outline(FT_Face face, const FaceRequest& r, char32_t code, DeviceGlyph& out) {
    FT_UInt index = FT_Get_Char_Index(face, FT_ULong(code));
    if (!index) return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return false;
    if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return false;
    synthesize(face, r);
    PathSink sink{&out.path, kDeviceUnitsPerEm / float(face->units_per_EM ? face->units_per_EM : 1000)};
    FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};
    FT_Outline_Decompose(&face->glyph->outline, &funcs, &sink);
    out.advance = float(face->glyph->metrics.horiAdvance) * sink.scale;
    return true;
  }
};

FreetypeFontService::FreetypeFontService(const std::string& configFile)
    : impl_(std::make_unique<Impl>(configFile)) {}
FreetypeFontService::~FreetypeFontService() = default;

bool FreetypeFontService::glyph(const FaceRequest& face, char32_t code, DeviceGlyph& out) {
  if (FT_Face f = impl_->open(impl_->match(face)); f && impl_->outline(f, face, code, out)) return true;
  FT_Face f = impl_->open(impl_->fallback(face, code));
  return f && impl_->outline(f, face, code, out);
}

movie::text::DeviceMetrics FreetypeFontService::metrics(const FaceRequest& face) {
  movie::text::DeviceMetrics m;
  FT_Face f = impl_->open(impl_->match(face));
  if (!f || !f->units_per_EM) return m;
  float scale = kDeviceUnitsPerEm / float(f->units_per_EM);
  m.ascent = float(f->ascender) * scale;
  m.descent = float(-f->descender) * scale;
  m.leading = std::max(0.0f, float(f->height - (f->ascender - f->descender)) * scale);
  return m;
}

std::string FreetypeFontService::fileFor(const FaceRequest& face) { return impl_->match(face).path; }

}  // namespace hosts

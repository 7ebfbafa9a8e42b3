#pragma once
// Characters movies import from other movies (ImportAssets). Each import's movie is
// fetched relative to the importing movie's address; once it arrives, the characters it
// exports under the imported names are bound to the importer's ids (and names), its own
// imports are asked for in turn, and its init actions run with the importer's root as
// this. Imports that would go round in a cycle, run too deep or too many are left out.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "movie/format/movie_parser.h"
#include "movie/text/font_library.h"

namespace movie::script {
class Object;
}

namespace movie {

class Scripting;

class AssetImports {
 public:
  static constexpr size_t kMaxImportedMovies = 32;  // kept until the next movie
  static constexpr size_t kMaxChain = 4;            // movies imported through movies

  // fetch asks the host for an address and gives the fetch's id (0: not fetched).
  using Fetch = std::function<int(const std::string& url)>;
  AssetImports(Scripting& scripting, Fetch fetch) : scripting_(scripting), fetch_(std::move(fetch)) {}
  AssetImports(const AssetImports&) = delete;
  AssetImports& operator=(const AssetImports&) = delete;

  void setFontService(text::FontService* service) { fontService_ = service; }
  // A movie that may import: its parser (which must outlive this object), its address,
  // and the clip showing it (this for the imported init actions). Asks for the imports
  // it has read so far; call again as more of it arrives.
  void watch(format::MovieParser& importer, const std::string& address, script::Object* root);
  // What a fetch for an import brought; false when the id is not an import's.
  bool arrived(int id, bool ok, const std::vector<uint8_t>& bytes);
  // The fonts of an imported movie's characters (null: none of them).
  text::FontLibrary* fontsOf(const format::CharacterTable& characters) const;
  void gatherRoots(std::vector<script::Object*>& out) const;

 private:
  struct Importer {
    explicit Importer(format::MovieParser* p) : parser(p) {}
    format::MovieParser* parser;
    std::string address;
    script::Object* root = nullptr;
    std::vector<std::string> chain;  // the addresses it was imported through
    size_t asked = 0;                // imports asked for
  };
  struct Imported {
    format::MovieParser parser;
    std::unique_ptr<text::FontLibrary> fonts;
  };
  struct Wanted {
    Importer* importer;
    size_t import;    // its index in the importer's imports
    std::string url;  // the imported movie's address
  };
  void askFor(Importer& importer);
  void bind(const Wanted& wanted, Imported& from);

  Scripting& scripting_;
  Fetch fetch_;
  text::FontService* fontService_ = nullptr;
  std::vector<std::unique_ptr<Importer>> importers_;
  std::vector<std::unique_ptr<Imported>> imported_;
  std::map<int, Wanted> wanted_;
  size_t fetched_ = 0;
};

}  // namespace movie

// The README and the help page list exactly the places of the table. Run
// with CORVANE_WRITE_DOCS=1 to write the list into them after a change of
// the table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "monitor/places_doc.h"

namespace corvane {
namespace {

TEST(PlacesDocTest, TheDocumentsListTheTableOfPlaces) {
  const bool write = std::getenv("CORVANE_WRITE_DOCS") != nullptr;
  for (const auto& [path, format] :
       {std::make_pair("/README.md", DocFormat::kMarkdown),
        std::make_pair("/src/app/corvane-help.html", DocFormat::kHtml)}) {
    const std::string file = std::string(CORVANE_SOURCE_DIR) + path;
    std::ifstream in(file, std::ios::binary);
    std::stringstream document;
    document << in.rdbuf();
    const auto listed = WithPlacesDoc(document.str(), WatchedPlacesDoc(format));
    if (write) std::ofstream(file, std::ios::binary) << listed;
    EXPECT_EQ(document.str(), listed) << file << ": run the tests with CORVANE_WRITE_DOCS=1";
    EXPECT_NE(WithPlacesDoc(document.str(), ""), document.str()) << file << " has no list";
  }
}

}  // namespace
}  // namespace corvane

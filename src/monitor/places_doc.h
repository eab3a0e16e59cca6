// The list of watched places that the README and the help page show, made
// from the table of places, so that the documents say what the program does.
#pragma once

#include <string>

namespace corvane {

enum class DocFormat { kMarkdown, kHtml };

// Box by box of the options window, row by row: what the places hold, each
// place in full, and what answering No does there.
std::string WatchedPlacesDoc(DocFormat format);

// The text between the lines "<!-- places begin -->" and "<!-- places end -->"
// of a document replaced by `list`; the document as it is when it has no
// such lines.
std::string WithPlacesDoc(const std::string& document, const std::string& list);

}  // namespace corvane

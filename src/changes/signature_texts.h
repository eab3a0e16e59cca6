// How a program file's signature reads in the windows and the export.
#pragma once

#include <string>

#include "platform/signatures.h"

namespace corvane {

// "Verified: <signer>", "Not signed", "Signature not valid", "File not
// found"; "" while it is not known.
std::string SignatureText(const Signature& signature);

// The alert's Publisher line: the verified signer with "(verified)", else
// the version information's company with "(not verified)", else ""; a
// missing file says so. `company` is the version information's.
std::string PublisherLine(const Signature& signature, const std::string& company);

// Signed by Microsoft and verified: the entries "Hide Windows' own entries" hides.
bool IsWindowsOwn(const Signature& signature);

}  // namespace corvane

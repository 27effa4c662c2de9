// A mail's file name as a plain name that Windows opens inside a chosen
// folder, whatever the sender wrote.
#pragma once

#include <cstddef>
#include <string>

#include "text/code_page.h"

namespace quillbox {

// Long enough for any real name, short enough that most folder paths in
// front stay within what the ANSI file functions open.
constexpr std::size_t kMaxSafeNameBytes = 200;
// The longest path those functions open, without its terminating zero.
constexpr std::size_t kMaxPathBytes = 259;
// However deep the folder, a name keeps this much.
constexpr std::size_t kMinSafeNameBytes = 16;

// Characters Windows refuses (separators and ':' included) replaced by "_",
// never cut at; a lead byte without its trail byte dropped; the name cut to
// maxBytes at a whole character, keeping its extension; trailing dots and
// blanks dropped; a device name (CON, COM0, CONIN$, ..., with any extension)
// prefixed with "_"; nothing left gives "NoName". Every ordinary name,
// Japanese included, comes back unchanged.
std::string SafeFileName(const std::string& fileName, const TCodePage& codePage,
                         std::size_t maxBytes = kMaxSafeNameBytes);

// The safe name with a suffix in front of its extension ("scan.pdf" and
// " (2)" give "scan (2).pdf"), cut the same way so that the whole fits.
std::string SafeFileNameWithSuffix(const std::string& fileName, const std::string& suffix,
                                   const TCodePage& codePage, std::size_t maxBytes = kMaxSafeNameBytes);

// The room for a name in a folder (with its trailing separator): what the
// path leaves of kMaxPathBytes, at most kMaxSafeNameBytes and at least
// kMinSafeNameBytes. A file whose path is longer than the file functions
// open could neither be found nor written.
std::size_t NameRoomIn(const std::string& folder);

}  // namespace quillbox

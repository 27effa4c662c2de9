// A part's body written out straight from the mail source: no copy of it
// is made.
#pragma once

#include <string_view>

#include "operations/local_file.h"

namespace quillbox {

// The bytes with every line end made CR LF (a lone CR and a lone LF each
// become one); everything else as it is.
void WriteWithCrLf(TFileWriter& file, std::string_view bytes);

}  // namespace quillbox

// What Python's email package makes of a mail, for tests that judge MIME.
#pragma once

#include <string>
#include <vector>

namespace quillbox::testing {

// The lines email_report.py prints for the source, the quoted strings of
// the named headers among them; none when Python cannot run, so that a test
// that looks for its "defects" line fails.
std::vector<std::string> PythonEmailReport(const std::string& source, const std::vector<std::string>& headers = {});

// The lines of report that start with prefix, without it.
std::vector<std::string> LinesAfter(const std::vector<std::string>& report, const std::string& prefix);

// Bytes as lower-case hexadecimal digits, as the report writes them.
std::string Hex(const std::string& bytes);

}  // namespace quillbox::testing

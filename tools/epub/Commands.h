// The two commands of quirel-epub. Each takes the arguments after its name and returns the exit
// status: 0 done, 1 bad input (named, nothing written), 2 bad usage, 130 interrupted.
#pragma once

#include <string>
#include <vector>

namespace epub {

extern const char* const kExportUsage;
extern const char* const kImportUsage;

int runExport(const std::vector<std::string>& args);
int runImport(const std::vector<std::string>& args);

}  // namespace epub

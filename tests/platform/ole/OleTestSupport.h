#pragma once
// Helpers shared by the compound file tests: running libgsf's own tool and building a sample file.

#include <string>
#include <vector>

#include "platform/afx/CString.h"

class CompoundFile;

namespace oletest {

// Runs `gsf <args>` and returns its standard output; exitCode receives the exit status.
std::string RunGsf(const std::string& args, int& exitCode);
bool HaveGsf();
std::string Quote(const CString& path);

// Fills a compound file with two streams at the root (one archived through COleStreamFile), a
// sub-storage with a stream and a class id, and the three standard property sets.
void FillSample(CompoundFile& file);
// Checks everything FillSample wrote (used after reading the file back).
void ExpectSample(const CompoundFile& file);

std::vector<unsigned char> ReadBytes(const CString& path);
void WriteBytes(const CString& path, const std::vector<unsigned char>& bytes);

}  // namespace oletest
